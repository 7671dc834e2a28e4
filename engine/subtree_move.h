// Moving an object with its descendants: the one routine every operation
// moves with, and so the one place where the host's refusal of a copy is met;
// and the one lowering that keeps the list an outline afterwards.
#pragma once

#include <cstdint>
#include <unordered_set>
#include <vector>

#include "engine/current_object.h"
#include "engine/document.h"
#include "engine/subtree.h"

namespace rowshift {

// Where a mover ended.
struct MoverPlaced {
  // False when the host refused the object's own copy: it then stands exactly
  // as it was, with its descendants, and nothing else below is set.
  bool placed = false;
  // What stands for the object now (its copy when it moved), and its slot.
  LocatedObject object;
  // The last object of its group now in place behind it: its last descendant
  // re-created, or the object itself. Slot -1 when a descendant stayed where
  // it stood as the last one; none when nothing was placed.
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
  MoverPlaced MoveWithSubtree(const Mover& mover, const LocatedObject& anchor, int32_t depth);

  // The slot count now: moves add slots and take none away. Each placed copy
  // adds one, and so does a copy the host placed and then had to take away.
  // Held within the 32-bit range, whatever count the host answered.
  int32_t SlotCount() const;

  // REQUIRES: the last move of the operation is made.
  // Lowers every object that stands more than one level below the object in
  // front of it (below the top level where no object is) to one level below
  // it, walking down the list from each slot these moves emptied or filled, as
  // far as an object needed lowering. Afterwards the list is an outline
  // wherever the moves changed it: descendants left behind by a refused copy,
  // and objects behind a value the host answered wrongly or did not write,
  // stand one level below the object in front of them at the deepest. After
  // moves the host made as asked it lowers nothing. Then the current object,
  // where given, sets its index.
  void Finish() const;

 private:
  // A run of slots, followed as slots are added in front of or inside it.
  struct SlotRun {
    int32_t first = -1;  // -1: none yet
    int32_t last = -1;
    void ShiftForSlotAddedAt(int32_t added_slot);
    void Extend(int32_t slot);
    // Whether `slot` lies in the run or directly beside it; none does yet.
    bool Adjoins(int32_t slot) const;
  };

  // A slot a move emptied outside `filled_`, as it stood then, with the slots
  // added by then and whether it stood behind the copies, where every slot
  // added later goes in front of it.
  struct EmptiedSlot {
    int32_t slot = -1;
    int32_t slots_added = 0;
    bool behind_copies = false;
  };

  MovedObject MoveOne(Object object, Object anchor);
  void LowerObjectsTooDeep() const;
  // Re-creates `subtree` behind `last`, the object just placed, each entry at
  // its collected depth shifted by `difference`, up to the first refused
  // copy; answers the last object placed (slot -1 where it stayed).
  LocatedObject RecreateDescendants(const Subtree& subtree, LocatedObject last,
                                    DepthDifference difference);
  // Takes note of the object in `slot`, which stays while its depth is set.
  void NoteStayingObject(int32_t slot);

  const Document& document_;
  int32_t count_;
  CurrentObject* current_;
  // The objects moved so far: deleted, so never to be named to the host again.
  std::unordered_set<Object> moved_;
  int32_t slots_added_ = 0;
  SlotRun filled_;  // where copies were inserted, and objects stayed
  // Each slot emptied outside `filled_`. While every copy goes into `filled_`
  // or beside it, as it does for a host that keeps its contract, where each
  // stands at the end is known.
  std::vector<EmptiedSlot> emptied_slots_;
  bool copies_in_one_run_ = true;
};

}  // namespace rowshift
