#include "tools/rowshift_host/rowshift_host_document.h"

#include <algorithm>
#include <cstddef>
#include <utility>

#include "tools/rowshift_host/rowshift_host_standin.h"

namespace rowshift::tool {
namespace {

// Objects named in a change before the rest are only counted.
constexpr std::size_t kNamesShown = 6;

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

DocumentSnapshot TakeSnapshot(const StandinDocument& document) {
  DocumentSnapshot snapshot;
  snapshot.text = document.ToOutline();
  snapshot.objects.reserve(static_cast<std::size_t>(document.SlotCount()));
  for (int slot = 0; slot < document.SlotCount(); ++slot) {
    snapshot.objects.push_back(document.ObjectInSlot(slot));
  }
  snapshot.clone_source = [&document](const void* object) {
    return document.CloneSourceOf(object);
  };
  outline::ParseResult parsed = outline::ParseOutline(snapshot.text, AsTheHostHoldsIt());
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
  outline::ParseResult parsed = outline::ParseOutline(text, AsTheHostHoldsIt());
  if (parsed.error) return text;
  std::vector<outline::OutlineRow> kept;
  for (outline::OutlineRow& row : parsed.rows) {
    if (!row.empty || row.current) kept.push_back(std::move(row));
  }
  return outline::FormatOutline(kept);
}

}  // namespace rowshift::tool
