// Moving an object with its descendants: the one routine every operation
// moves with, and so the one place where the host's refusal of a copy is met.
#pragma once

#include <cstdint>
#include <unordered_set>
#include <vector>

#include "engine/current_object.h"
#include "engine/document.h"
#include "engine/subtree.h"

namespace rowshift {

// An object to move, as read before anything moved.
struct Mover {
  LocatedObject object;
  int32_t depth = 0;
  Subtree subtree;  // its descendants, which travel with it
};

// Where a mover ended.
struct MoverPlaced {
  // False when the host refused the object's own copy: it then stands exactly
  // as it was, with its descendants, and nothing else below is set.
  bool placed = false;
  // What stands for the object now (its copy when it moved), and its slot.
  LocatedObject object;
  // The last object of its group now in place behind it: its last descendant
  // re-created, or the object itself. Slot -1 when a descendant stayed where
  // it stood as the last one.
  LocatedObject last;
};

// The moves of one operation.
class SubtreeMoves {
 public:
  // `count` is the slot count as read before the moves; `current`, when
  // given, takes note of every move step.
  SubtreeMoves(const Document& document, int32_t count, CurrentObject* current = nullptr)
      : document_(document), count_(count), current_(current) {}

  // Puts `mover` directly behind `anchor` (at index 0 for none) at `depth`,
  // and re-creates its descendants behind it one by one, in their old order,
  // each at its collected depth shifted as much as the object's. Where the
  // object is the anchor it stays, and only its depth is set and its
  // descendants re-created. Where the host refuses a descendant's copy, the
  // re-creation ends there: that descendant and the ones after it stay where
  // they stand, at their depths, left behind. An object these moves have moved
  // already, which a host that answers one object for two slots lists twice,
  // is not moved again: as the mover it is not placed, as a descendant it is
  // passed over.
  MoverPlaced MoveWithSubtree(Mover mover, const LocatedObject& anchor, int32_t depth);

  // The slot count now: moves add slots and take none away. Each placed copy
  // adds one, and so does a copy the host placed and then had to take away.
  // Held within the 32-bit range, whatever count the host answered.
  int32_t SlotCount() const;

  // The descendants left behind so far, in their old list order.
  const std::vector<Object>& LeftBehind() const { return left_behind_; }

  // Lowers each descendant left behind that stands more than one level below
  // the object in front of it to one level below it (0 where no object is in
  // front), in list order, so that the list stays an outline. Called once, at
  // the end of the operation.
  void LowerLeftBehind() const;

  // Lowers every object that stands more than one level below the object in
  // front of it (deeper than the top level where no object is) to one level
  // below it, in list order, among the slots these moves emptied or filled
  // and the objects behind them, as far as one needs lowering. A host that
  // answers a wrong value, or refuses a read or a write, would otherwise
  // leave a list that is no outline; after moves the host answered as asked
  // it lowers nothing. Called once, at the end of the operation.
  void KeepOutline() const;

 private:
  // A run of slots, followed as slots are added in front of or inside it.
  struct ChangedSlots {
    int32_t first = -1;  // -1: none yet
    int32_t last = -1;
    void Follow(int32_t added_slot);
    void Include(int32_t slot);
  };

  // A slot a move emptied, as it stood then, with the slots added by then and
  // whether every slot added later goes in front of it.
  struct EmptiedSlot {
    int32_t slot = -1;
    int32_t slots_added = 0;
    bool pushed_on = false;
  };

  MovedObject Step(Object object, Object anchor);
  // Takes note of an object that stays in `slot` while its depth is set.
  void NoteStayed(int32_t slot);

  const Document& document_;
  int32_t count_;
  CurrentObject* current_;
  // The objects moved so far: deleted, so never to be named to the host again.
  std::unordered_set<Object> moved_;
  std::vector<Object> left_behind_;
  int32_t slots_added_ = 0;
  ChangedSlots emptied_;  // where originals were deleted, as one run
  ChangedSlots filled_;   // where copies were inserted, and objects stayed
  // Each slot emptied outside `filled_`. While every copy goes into `filled_`
  // or at one of its ends, where each stands at the end is known, and only
  // those slots and `filled_` need walking instead of the runs.
  std::vector<EmptiedSlot> emptied_slots_;
  bool copies_together_ = true;
};

}  // namespace rowshift
