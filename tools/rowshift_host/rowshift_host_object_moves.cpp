#include "tools/rowshift_host/rowshift_host_object_moves.h"

#include <cstddef>
#include <unordered_map>
#include <unordered_set>

namespace rowshift::tool {
namespace {

constexpr long kNoSlot = -1;

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
  if (after.rows.size() != after.objects.size() || before.objects.size() != slots) return moves;
  std::unordered_map<const void*, std::size_t> slot_of_before;
  for (std::size_t slot = 0; slot < slots; ++slot) {
    if (before.objects[slot] != nullptr) slot_of_before[before.objects[slot]] = slot;
  }
  // Objects that kept their handle are paired by it; each object gone is paired
  // with the first object after that was cloned from it (its copy), or from a
  // copy of it made by an earlier step.
  std::unordered_set<const void*> kept;
  std::vector<long> slot_before(after.objects.size(), kNoSlot);
  for (std::size_t slot = 0; slot < after.objects.size(); ++slot) {
    const void* object = after.objects[slot];
    if (object == nullptr) continue;
    const auto found = slot_of_before.find(object);
    if (found == slot_of_before.end()) continue;
    kept.insert(object);
    slot_before[slot] = static_cast<long>(found->second);
    moves.slot_after[found->second] = static_cast<long>(slot);
  }
  for (std::size_t slot = 0; slot < after.objects.size() && after.clone_source; ++slot) {
    if (after.objects[slot] == nullptr || slot_before[slot] != kNoSlot) continue;
    auto found = slot_of_before.end();
    for (const void* source = after.clone_source(after.objects[slot]);
         source != nullptr && found == slot_of_before.end(); source = after.clone_source(source)) {
      found = slot_of_before.find(source);
    }
    if (found == slot_of_before.end() || kept.count(found->first) != 0 ||
        moves.slot_after[found->second] != kNoSlot) {
      continue;
    }
    slot_before[slot] = static_cast<long>(found->second);
    moves.slot_after[found->second] = static_cast<long>(slot);
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

}  // namespace rowshift::tool
