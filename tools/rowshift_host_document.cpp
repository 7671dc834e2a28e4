#include "tools/rowshift_host_document.h"

#include <algorithm>
#include <cstddef>
#include <deque>
#include <unordered_map>
#include <unordered_set>
#include <utility>

#include "standin/document_control.h"

namespace rowshift::tool {
namespace {

// Objects named in a change before the rest are only counted.
constexpr std::size_t kNamesShown = 6;
constexpr long kNoSlot = -1;

std::string NameList(const std::vector<std::string>& names) {
  std::string list;
  for (std::size_t i = 0; i < names.size() && i < kNamesShown; ++i) {
    list += (i == 0 ? "" : ", ") + names[i];
  }
  if (names.size() > kNamesShown)
    list += " and " + std::to_string(names.size() - kNamesShown) + " more";
  return list;
}

bool SameFlags(const outline::OutlineRow& a, const outline::OutlineRow& b) {
  return a.selected == b.selected && a.collapsed == b.collapsed && a.ineligible == b.ineligible;
}

// For each slot, the object in the slot nearest before it that kept its
// handle from `before` to `after` (null at the top): a re-created object that
// stands after the same kept object as before stood where it stood.
std::vector<const void*> KeptObjectAbove(const DocumentSnapshot& side,
                                         const std::unordered_set<const void*>& kept) {
  std::vector<const void*> above(side.objects.size(), nullptr);
  const void* last = nullptr;
  for (std::size_t slot = 0; slot < side.objects.size(); ++slot) {
    above[slot] = last;
    if (side.objects[slot] != nullptr && kept.count(side.objects[slot]) != 0) {
      last = side.objects[slot];
    }
  }
  return above;
}

}  // namespace

ObjectMoves FindMoves(const DocumentSnapshot& before, const DocumentSnapshot& after) {
  ObjectMoves moves;
  const std::size_t slots = before.rows.size();
  moves.slot_after.assign(slots, kNoSlot);
  moves.moved.assign(slots, false);
  moves.carried.assign(slots, false);
  if (after.rows.size() != after.objects.size()) return moves;
  // Objects that kept their handle are paired by it; each object gone is paired
  // with the first new object of its name after it (its copy).
  std::unordered_map<const void*, std::size_t> slot_of_after;
  for (std::size_t slot = 0; slot < after.objects.size(); ++slot) {
    if (after.objects[slot] != nullptr) slot_of_after[after.objects[slot]] = slot;
  }
  std::unordered_set<const void*> kept;
  for (std::size_t slot = 0; slot < slots; ++slot) {
    if (!before.rows[slot].empty && slot_of_after.count(before.objects[slot]) != 0) {
      kept.insert(before.objects[slot]);
    }
  }
  std::unordered_map<std::string, std::deque<std::size_t>> new_by_name;
  for (std::size_t slot = 0; slot < after.objects.size(); ++slot) {
    if (after.objects[slot] != nullptr && kept.count(after.objects[slot]) == 0) {
      new_by_name[after.rows[slot].name].push_back(slot);
    }
  }
  std::vector<long> slot_before(after.objects.size(), kNoSlot);
  for (std::size_t slot = 0; slot < slots; ++slot) {
    if (before.rows[slot].empty) continue;
    const auto found = slot_of_after.find(before.objects[slot]);
    if (found != slot_of_after.end()) {
      moves.slot_after[slot] = static_cast<long>(found->second);
    } else if (auto copies = new_by_name.find(before.rows[slot].name);
               copies != new_by_name.end() && !copies->second.empty()) {
      moves.slot_after[slot] = static_cast<long>(copies->second.front());
      copies->second.pop_front();
    }
    if (moves.slot_after[slot] != kNoSlot) {
      slot_before[static_cast<std::size_t>(moves.slot_after[slot])] = static_cast<long>(slot);
    }
  }
  // A copy moved when it follows another kept object than its original did,
  // or comes before a copy whose original came first (among the copies after
  // one kept object); any object moved when its depth changed.
  const std::vector<const void*> above_before = KeptObjectAbove(before, kept);
  const std::vector<const void*> above_after = KeptObjectAbove(after, kept);
  long latest_in_order = kNoSlot;
  for (std::size_t slot = 0; slot < after.objects.size(); ++slot) {
    const long origin = slot_before[slot];
    if (after.objects[slot] != nullptr && kept.count(after.objects[slot]) != 0) {
      latest_in_order = kNoSlot;
    }
    if (origin == kNoSlot) continue;
    const auto i = static_cast<std::size_t>(origin);
    bool moved = before.rows[i].depth != after.rows[slot].depth;
    if (before.objects[i] != after.objects[slot]) {
      moved = moved || above_before[i] != above_after[slot] || origin < latest_in_order;
      if (!moved) latest_in_order = origin;
    }
    moves.moved[i] = moved;
  }
  // An object gone without a copy moved out of the document; one under a moved
  // parent was carried with it.
  std::vector<std::size_t> open_parents;  // slots before, depths rising
  for (std::size_t slot = 0; slot < slots; ++slot) {
    const outline::OutlineRow& row = before.rows[slot];
    if (row.empty) continue;
    while (!open_parents.empty() && before.rows[open_parents.back()].depth >= row.depth) {
      open_parents.pop_back();
    }
    if (moves.slot_after[slot] == kNoSlot) moves.moved[slot] = true;
    moves.carried[slot] =
        moves.moved[slot] && !open_parents.empty() && moves.moved[open_parents.back()];
    open_parents.push_back(slot);
  }
  return moves;
}

namespace {

// The current row's description: its name, "an empty slot", or "none".
std::string CurrentOf(const DocumentSnapshot& snapshot) {
  for (const outline::OutlineRow& row : snapshot.rows) {
    if (row.current) return row.empty ? std::string("an empty slot") : row.name;
  }
  return "none";
}

std::size_t EmptySlots(const DocumentSnapshot& snapshot) {
  return static_cast<std::size_t>(std::count_if(snapshot.rows.begin(), snapshot.rows.end(),
                                                [](const auto& row) { return row.empty; }));
}

}  // namespace

DocumentSnapshot TakeSnapshot(const standin::Document& document) {
  DocumentSnapshot snapshot;
  snapshot.text = document.ToOutline();
  snapshot.objects.reserve(static_cast<std::size_t>(document.SlotCount()));
  for (int slot = 0; slot < document.SlotCount(); ++slot) {
    snapshot.objects.push_back(document.ObjectInSlot(slot));
  }
  outline::ParseResult parsed = outline::ParseOutline(snapshot.text);
  if (!parsed.error && parsed.rows.size() == snapshot.objects.size()) {
    snapshot.rows = std::move(parsed.rows);
  }
  return snapshot;
}

std::string DescribeChange(const DocumentSnapshot& before, const DocumentSnapshot& after) {
  if (before.text == after.text && before.objects == after.objects) return "nothing changed";
  // A document that holds what no outline can (a negative depth) is compared
  // as text only.
  if (before.rows.empty() != after.rows.empty() || (before.rows.empty() && after.rows.empty())) {
    return before.text == after.text ? "nothing changed" : "the document changed";
  }
  std::vector<std::string> parts;
  const ObjectMoves moves = FindMoves(before, after);
  std::vector<std::string> moved;
  std::vector<std::string> reflagged;
  for (std::size_t slot = 0; slot < before.rows.size(); ++slot) {
    const outline::OutlineRow& row = before.rows[slot];
    if (row.empty) continue;
    if (moves.moved[slot] && !moves.carried[slot]) moved.push_back(row.name);
    if (!moves.moved[slot] &&
        !SameFlags(row, after.rows[static_cast<std::size_t>(moves.slot_after[slot])])) {
      reflagged.push_back(row.name);
    }
  }
  if (!moved.empty()) parts.push_back("moved " + NameList(moved));
  if (!reflagged.empty()) parts.push_back("flags changed on " + NameList(reflagged));
  const std::string current = CurrentOf(after);
  if (current != CurrentOf(before)) {
    parts.push_back(current == "none" ? "no current object now" : "current object now " + current);
  }
  const std::size_t empty_before = EmptySlots(before);
  const std::size_t empty_after = EmptySlots(after);
  std::string slots;
  if (empty_after > empty_before) {
    const std::size_t left = empty_after - empty_before;
    slots = std::to_string(left) + (left == 1 ? " empty slot left" : " empty slots left");
  }
  if (parts.empty()) return slots.empty() ? "nothing changed" : "nothing moved; " + slots;
  if (!slots.empty()) parts.push_back(slots);
  std::string text;
  for (const std::string& part : parts) text += (text.empty() ? "" : "; ") + part;
  return text;
}

std::string CompactOutline(const std::string& text) {
  outline::ParseResult parsed = outline::ParseOutline(text);
  if (parsed.error) return text;
  std::vector<outline::OutlineRow> kept;
  for (outline::OutlineRow& row : parsed.rows) {
    if (!row.empty || row.current) kept.push_back(std::move(row));
  }
  return outline::FormatOutline(kept);
}

}  // namespace rowshift::tool
