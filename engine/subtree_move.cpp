#include "engine/subtree_move.h"

#include <algorithm>
#include <limits>

#include "engine/host_contract.h"
#include "engine/move_step.h"

namespace rowshift {
namespace {

constexpr int32_t kStayedSlot = -1;
constexpr int32_t kLastSlot = std::numeric_limits<int32_t>::max();

// Lowers, walking down the list, every object that stands more than one level
// below the object in front of it to one level below that object.
class TooDeepLowering {
 public:
  TooDeepLowering(const Document& document, int32_t count) : document_(document), count_(count) {}

  // REQUIRES: calls come in the order of their `first` slots.
  // Checks the objects from slot `first` to slot `last`, then on behind them
  // up to the first one that needs no lowering. An object checked already is
  // not checked again.
  void LowerFrom(int32_t first, int32_t last) {
    // The object behind the last slot checked was checked with it.
    if (int64_t{last} + 1 < next_) return;
    if (first > next_) {
      const ObjectAtDepth front = ObjectInFront(document_, first - 1);
      deepest_ = front.located.object == nullptr ? kTopLevel : DeepestBehind(front.depth);
      next_ = first;
    }
    for (; next_ < count_; ++next_) {
      const Object object = document_.ObjectAt(next_);
      if (object == nullptr) continue;
      const int32_t depth = document_.Value(object, ObjectValueId::Depth);
      const int32_t deepest = deepest_;
      deepest_ = DeepestBehind(std::min(depth, deepest));
      if (depth > deepest) {
        document_.SetValue(object, ObjectValueId::Depth, deepest);
      } else if (next_ > last) {
        ++next_;
        return;
      }
    }
  }

 private:
  const Document& document_;
  int32_t count_;
  int32_t next_ = 0;             // the first slot not checked yet
  int32_t deepest_ = kTopLevel;  // the deepest the object there may stand
};

}  // namespace

void SubtreeMoves::SlotRun::ShiftForSlotAddedAt(int32_t added_slot) {
  if (first < 0 || added_slot < 0 || added_slot > last || OutsideContract(last == kLastSlot)) {
    return;
  }
  if (added_slot <= first) ++first;
  ++last;
}

void SubtreeMoves::SlotRun::Extend(int32_t slot) {
  if (slot < 0) return;
  first = first < 0 ? slot : std::min(first, slot);
  last = std::max(last, slot);
}

bool SubtreeMoves::SlotRun::Adjoins(int32_t slot) const {
  return first < 0 || (int64_t{slot} + 1 >= first && int64_t{slot} <= int64_t{last} + 1);
}

MovedObject SubtreeMoves::MoveOne(Object object, Object anchor) {
  const MovedObject moved = MoveObjectAfter(document_, object, anchor, SlotCount());
  if (moved.index >= 0) moved_.insert(object);
  filled_.ShiftForSlotAddedAt(moved.added_slot);
  if (moved.added_slot >= 0) {
    ++slots_added_;
    copies_in_one_run_ = copies_in_one_run_ && filled_.Adjoins(moved.added_slot);
  }
  filled_.Extend(moved.added_slot);
  if (moved.emptied_slot >= 0 &&
      (moved.emptied_slot < filled_.first || moved.emptied_slot > filled_.last)) {
    emptied_slots_.push_back({moved.emptied_slot, slots_added_, moved.emptied_slot > filled_.last});
  }
  if (current_ != nullptr) current_->Moved(object, moved);
  return moved;
}

void SubtreeMoves::NoteStayingObject(int32_t slot) {
  if (slot < 0) return;
  copies_in_one_run_ = copies_in_one_run_ && filled_.Adjoins(slot);
  filled_.Extend(slot);
}

MoverPlaced SubtreeMoves::MoveWithSubtree(const Mover& mover, const LocatedObject& anchor,
                                          int32_t depth) {
  MoverPlaced result;
  result.object = mover.object;
  if (OutsideContract(moved_.count(mover.object.object) != 0)) return result;
  if (mover.object.object != anchor.object) {
    const MovedObject moved = MoveOne(mover.object.object, anchor.object);
    if (moved.index < 0) return result;
    result.object = {moved.object, moved.index};
  } else {
    // It stays, but its depth changes, and with it what may stand behind it.
    // A host that answers one object for two slots may name it as the anchor
    // in another slot than the one it was listed in: both are noted.
    NoteStayingObject(anchor.index);
    if (OutsideContract(mover.object.index != anchor.index)) NoteStayingObject(mover.object.index);
  }
  result.placed = true;
  document_.SetValue(result.object.object, ObjectValueId::Depth, depth);
  const DepthDifference difference = static_cast<DepthDifference>(depth) - mover.depth;
  result.last = RecreateDescendants(mover.subtree, result.object, difference);
  return result;
}

LocatedObject SubtreeMoves::RecreateDescendants(const Subtree& subtree, LocatedObject last,
                                                DepthDifference difference) {
  for (const SubtreeEntry& entry : subtree) {
    if (OutsideContract(moved_.count(entry.object) != 0)) continue;
    if (entry.object == last.object) {
      last.index = kStayedSlot;
    } else {
      const MovedObject moved = MoveOne(entry.object, last.object);
      // Refused: this descendant and the ones after it stay, left behind.
      if (moved.index < 0) break;
      last = {moved.object, moved.index};
    }
    document_.SetValue(last.object, ObjectValueId::Depth, ShiftDepth(entry.depth, difference));
  }
  return last;
}

int32_t SubtreeMoves::SlotCount() const {
  const int64_t count = int64_t{count_} + slots_added_;
  return OutsideContract(count > kLastSlot) ? kLastSlot : static_cast<int32_t>(count);
}

void SubtreeMoves::Finish() const {
  LowerObjectsTooDeep();
  if (current_ != nullptr) current_->Restore(document_, SlotCount());
}

void SubtreeMoves::LowerObjectsTooDeep() const {
  TooDeepLowering lowering(document_, SlotCount());
  // Only a host answering insertions outside its contract scatters the
  // copies; where they stand then is not known, so the whole list is walked.
  if (OutsideContract(!copies_in_one_run_)) {
    lowering.LowerFrom(0, SlotCount() - 1);
    return;
  }
  std::vector<SlotRun> runs = {filled_};
  // A slot behind the copies moved on by one for each copy placed later.
  for (const EmptiedSlot& emptied : emptied_slots_) {
    const int64_t slot =
        emptied.slot + (emptied.behind_copies ? slots_added_ - emptied.slots_added : 0);
    if (OutsideContract(slot >= SlotCount())) continue;
    runs.push_back({static_cast<int32_t>(slot), static_cast<int32_t>(slot)});
  }
  std::sort(runs.begin(), runs.end(),
            [](const SlotRun& a, const SlotRun& b) { return a.first < b.first; });
  for (const SlotRun& run : runs) {
    if (run.first >= 0) lowering.LowerFrom(run.first, run.last);
  }
}

}  // namespace rowshift
