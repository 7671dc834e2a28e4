#include "tools/rowshift_host_document.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <set>
#include <utility>

#include "standin/document_control.h"

namespace rowshift::tool {
namespace {

// Objects named in a change before the rest are only counted.
constexpr std::size_t kNamesShown = 6;
// Above this many pairs of objects the order is not compared object by object.
constexpr std::size_t kLargestComparison = 4000000;
// An object that kept its handle outweighs every object matched by name.
constexpr std::int64_t kKeptObjectWeight = 1 << 24;

struct ObjectEntry {
  std::size_t slot = 0;
  const outline::OutlineRow* row = nullptr;
  const void* handle = nullptr;
};

std::vector<ObjectEntry> ObjectsOf(const DocumentSnapshot& snapshot) {
  std::vector<ObjectEntry> objects;
  for (std::size_t slot = 0; slot < snapshot.rows.size(); ++slot) {
    if (!snapshot.rows[slot].empty) {
      objects.push_back({slot, &snapshot.rows[slot], snapshot.objects[slot]});
    }
  }
  return objects;
}

bool SameFlags(const outline::OutlineRow& a, const outline::OutlineRow& b) {
  return a.selected == b.selected && a.collapsed == b.collapsed && a.ineligible == b.ineligible;
}

// Pairs each object before with the object after that stands for it: the same
// handle, or, for an object the plug-in re-created, a copy of the same name at
// the same depth. The pairing keeps the order of both lists and pairs as many
// kept objects, then as many re-created ones, as it can (a weighted longest
// common subsequence). `matched[i]` is the index after, or -1; nothing at all
// when too many objects changed to compare them one by one.
std::vector<long> MatchObjects(const std::vector<ObjectEntry>& before,
                               const std::vector<ObjectEntry>& after) {
  std::set<const void*> handles_after;
  for (const ObjectEntry& entry : after) handles_after.insert(entry.handle);
  std::set<const void*> handles_before;
  for (const ObjectEntry& entry : before) handles_before.insert(entry.handle);
  const auto weight = [&](const ObjectEntry& b, const ObjectEntry& a) -> std::int64_t {
    if (b.handle == a.handle) return kKeptObjectWeight;
    const bool copy_of_gone =
        handles_after.count(b.handle) == 0 && handles_before.count(a.handle) == 0;
    return copy_of_gone && b.row->name == a.row->name && b.row->depth == a.row->depth ? 1 : 0;
  };
  std::vector<long> matched(before.size(), -1);
  // Objects kept at both ends pair off at once; only the part between is searched.
  std::size_t first = 0;
  while (first < before.size() && first < after.size() &&
         before[first].handle == after[first].handle) {
    matched[first] = static_cast<long>(first);
    ++first;
  }
  std::size_t n = before.size();
  std::size_t m = after.size();
  while (n > first && m > first && before[n - 1].handle == after[m - 1].handle) {
    matched[--n] = static_cast<long>(--m);
  }
  if ((n - first) * (m - first) > kLargestComparison) return {};
  std::vector<std::vector<std::int64_t>> best(n - first + 1,
                                              std::vector<std::int64_t>(m - first + 1, 0));
  const auto at = [&](std::size_t i, std::size_t j) -> std::int64_t& {
    return best[i - first][j - first];
  };
  for (std::size_t i = n; i-- > first;) {
    for (std::size_t j = m; j-- > first;) {
      const std::int64_t w = weight(before[i], after[j]);
      at(i, j) = std::max({at(i + 1, j), at(i, j + 1), w > 0 ? w + at(i + 1, j + 1) : 0});
    }
  }
  for (std::size_t i = first, j = first; i < n && j < m;) {
    const std::int64_t w = weight(before[i], after[j]);
    if (w > 0 && at(i, j) == w + at(i + 1, j + 1)) {
      matched[i] = static_cast<long>(j);
      ++i;
      ++j;
    } else if (at(i, j) == at(i + 1, j)) {
      ++i;
    } else {
      ++j;
    }
  }
  return matched;
}

std::string NameList(const std::vector<std::string>& names) {
  std::string list;
  for (std::size_t i = 0; i < names.size() && i < kNamesShown; ++i) {
    list += (i == 0 ? "" : ", ") + names[i];
  }
  if (names.size() > kNamesShown)
    list += " and " + std::to_string(names.size() - kNamesShown) + " more";
  return list;
}

// The objects that changed place or depth, and those whose flags changed,
// leaving out an object whose parent before moved too: it travelled with it.
// False when too many changed to say which.
bool FindChanges(const std::vector<ObjectEntry>& before, const std::vector<ObjectEntry>& after,
                 std::vector<std::string>* moved, std::vector<std::string>* reflagged) {
  const std::vector<long> matched = MatchObjects(before, after);
  if (matched.size() != before.size()) return false;
  std::vector<bool> is_moved(before.size(), false);
  std::vector<std::size_t> open_parents;  // indices into `before`, depths rising
  for (std::size_t i = 0; i < before.size(); ++i) {
    const outline::OutlineRow& row = *before[i].row;
    while (!open_parents.empty() && before[open_parents.back()].row->depth >= row.depth) {
      open_parents.pop_back();
    }
    const long j = matched[i];
    is_moved[i] = j < 0 || after[static_cast<std::size_t>(j)].row->depth != row.depth;
    const bool parent_moved = !open_parents.empty() && is_moved[open_parents.back()];
    if (is_moved[i] && !parent_moved) moved->push_back(row.name);
    if (!is_moved[i] && !SameFlags(row, *after[static_cast<std::size_t>(j)].row)) {
      reflagged->push_back(row.name);
    }
    open_parents.push_back(i);
  }
  return true;
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
  const std::vector<ObjectEntry> objects_before = ObjectsOf(before);
  const std::vector<ObjectEntry> objects_after = ObjectsOf(after);
  std::vector<std::string> moved;
  std::vector<std::string> reflagged;
  if (!FindChanges(objects_before, objects_after, &moved, &reflagged)) {
    parts.emplace_back("the order changed (too many objects to say which moved)");
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
