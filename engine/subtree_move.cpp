#include "engine/subtree_move.h"

#include <algorithm>
#include <limits>
#include <utility>

#include "engine/move_step.h"

namespace rowshift {
namespace {

constexpr int32_t kStayedSlot = -1;
constexpr int32_t kLastSlot = std::numeric_limits<int32_t>::max();

// The deepest an object may stand behind one at `depth`: one level below it,
// and at least at the top level.
int32_t DeepestBehind(int32_t depth) { return std::max(ShiftDepth(depth, 1), 0); }

// A walk down the list that lowers every object standing more than one level
// below the object in front of it.
class OutlineWalk {
 public:
  OutlineWalk(const Document& document, int32_t count) : document_(document), count_(count) {}

  // Walks the slots from `first` to `last`, then on as long as an object must
  // be lowered; the slots it has walked already are not walked again.
  void Walk(int32_t first, int32_t last) {
    if (last < next_) return;
    if (first > next_) {
      const Object front = ObjectInFront(document_, first - 1).object;
      deepest_ = front == nullptr ? 0 : DeepestBehind(document_.Value(front, ObjectValueId::Depth));
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
  int32_t next_ = 0;     // the first slot not walked yet
  int32_t deepest_ = 0;  // the deepest the object there may stand
};

}  // namespace

void SubtreeMoves::ChangedSlots::Follow(int32_t added_slot) {
  if (first < 0 || added_slot < 0 || added_slot > last || last == kLastSlot) return;
  if (added_slot <= first) ++first;
  ++last;
}

void SubtreeMoves::ChangedSlots::Include(int32_t slot) {
  if (slot < 0) return;
  first = first < 0 ? slot : std::min(first, slot);
  last = std::max(last, slot);
}

MovedObject SubtreeMoves::Step(Object object, Object anchor) {
  const MovedObject moved = MoveObjectAfter(document_, object, anchor, SlotCount());
  if (moved.index >= 0) moved_.insert(object);
  if (moved.added_slot >= 0) {
    ++slots_added_;
    copies_together_ =
        copies_together_ && (filled_.first < 0 || (moved.added_slot >= filled_.first &&
                                                   moved.added_slot <= filled_.last + int64_t{1}));
  }
  emptied_.Follow(moved.added_slot);
  filled_.Follow(moved.added_slot);
  filled_.Include(moved.added_slot);
  emptied_.Include(moved.emptied_slot);
  if (moved.emptied_slot >= 0 &&
      (moved.emptied_slot < filled_.first || moved.emptied_slot > filled_.last)) {
    emptied_slots_.push_back({moved.emptied_slot, slots_added_, moved.emptied_slot > filled_.last});
  }
  if (current_ != nullptr) current_->Moved(object, moved);
  return moved;
}

void SubtreeMoves::NoteStayed(int32_t slot) {
  if (slot < 0) return;
  // Where it stands beside the copies, they still make one run.
  copies_together_ =
      copies_together_ && (filled_.first < 0 || (int64_t{slot} + 1 >= filled_.first &&
                                                 int64_t{slot} <= int64_t{filled_.last} + 1));
  filled_.Include(slot);
}

MoverPlaced SubtreeMoves::MoveWithSubtree(Mover mover, const LocatedObject& anchor, int32_t depth) {
  MoverPlaced result;
  result.object = mover.object;
  // An object the host answered twice, in two places, has moved already.
  if (moved_.count(mover.object.object) != 0) return result;
  if (mover.object.object != anchor.object) {
    const MovedObject moved = Step(mover.object.object, anchor.object);
    if (moved.index < 0) return result;
    result.object = {moved.object, moved.index};
  } else {
    // It stays, but its depth changes, and with it what may stand behind it.
    NoteStayed(anchor.index);
  }
  result.placed = true;
  document_.SetValue(result.object.object, ObjectValueId::Depth, depth);

  const DepthDifference difference = static_cast<DepthDifference>(depth) - mover.depth;
  result.last = result.object;
  for (auto entry = mover.subtree.begin(); entry != mover.subtree.end(); ++entry) {
    if (moved_.count(entry->object) != 0) continue;
    if (entry->object == result.last.object) {
      result.last.index = kStayedSlot;
    } else {
      const MovedObject moved = Step(entry->object, result.last.object);
      if (moved.index < 0) {
        for (; entry != mover.subtree.end(); ++entry) left_behind_.push_back(entry->object);
        break;
      }
      result.last = {moved.object, moved.index};
    }
    document_.SetValue(result.last.object, ObjectValueId::Depth,
                       ShiftDepth(entry->depth, difference));
  }
  return result;
}

void SubtreeMoves::LowerLeftBehind() const {
  std::vector<std::pair<int32_t, Object>> in_order;
  for (const Object object : left_behind_) {
    if (moved_.count(object) == 0) in_order.emplace_back(document_.IndexOf(object), object);
  }
  std::sort(in_order.begin(), in_order.end());
  for (const auto& [index, object] : in_order) {
    if (index < 0) continue;
    const Object front = ObjectInFront(document_, index - 1).object;
    const int32_t deepest =
        front == nullptr ? 0 : ShiftDepth(document_.Value(front, ObjectValueId::Depth), 1);
    if (document_.Value(object, ObjectValueId::Depth) > deepest) {
      document_.SetValue(object, ObjectValueId::Depth, deepest);
    }
  }
}

int32_t SubtreeMoves::SlotCount() const {
  return static_cast<int32_t>(std::min<int64_t>(int64_t{count_} + slots_added_, kLastSlot));
}

void SubtreeMoves::KeepOutline() const {
  std::vector<ChangedSlots> runs = {filled_};
  if (copies_together_) {
    // A slot that copies went in front of moved on by one for each.
    for (const EmptiedSlot& emptied : emptied_slots_) {
      const int64_t slot =
          emptied.slot + (emptied.pushed_on ? slots_added_ - emptied.slots_added : 0);
      if (slot < SlotCount())
        runs.push_back({static_cast<int32_t>(slot), static_cast<int32_t>(slot)});
    }
  } else {
    runs.push_back(emptied_);
  }
  std::sort(runs.begin(), runs.end(),
            [](const ChangedSlots& a, const ChangedSlots& b) { return a.first < b.first; });
  OutlineWalk walk(document_, SlotCount());
  for (const ChangedSlots& run : runs) {
    if (run.first >= 0) walk.Walk(run.first, run.last);
  }
}

}  // namespace rowshift
