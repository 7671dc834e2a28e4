// The six reorder operations. Each takes the host's document handle, reads and
// changes the document only through the host entry-point table, keeps nothing
// after it returns, and answers the result that its caller hands to the host
// unchanged.
//
// Every operation keeps the hierarchy that the list encodes, whatever the host
// answers: nothing is lost or doubled, every object that nothing moves keeps
// its parent, and the list stays an outline. When the host refuses to insert a
// copy, the object it was made from stays exactly as it was, with everything
// under it; descendants left behind by a refused copy are lowered, where they
// must be, to one level below the object in front of them.
//
// Up and Down write the moved object's Collapsed value back as 1 where it was
// nonzero and as 0 otherwise, also where the object stayed in place.
//
// Answers outside the host's contract that the engine survives, and what it
// does then (each guard is marked OutsideContract in the code):
// - a refused call: a read answers as for no object, an index of -1 or a value
//   of 0; a write or a deletion does nothing. The operation goes on with what
//   it read, and its closing walk lowers whatever then stands too deep;
// - an answer of 0 to a deletion that was made: the slot is read again;
// - parents that form a cycle, or a parent not shallower than its child: the
//   walk up the ancestors ends after as many steps as there are slots, and a
//   parent not shallower than its child ends the search for one to land under;
// - an object as its own copy: it is neither inserted again nor freed, and
//   stays where it was;
// - an index that names another slot than asked (for an object, a copy or the
//   current object), or one past the list: no slot is emptied unless it holds
//   the object to delete, no object is moved twice or named to the host after
//   its deletion, and no index past the list is made current or searched from;
//   where the copies did not land together, the closing walk covers the whole
//   list;
// - a slot count, depth or index near the ends of the 32-bit range: every sum
//   is held within the range.
#pragma once

#include <cstdint>

namespace rowshift {

// What the operations answer. Insert here answers the current object index
// instead when the last row is the current object itself.
inline constexpr int32_t kDone = 1;
inline constexpr int32_t kNothingToGather = 0;
inline constexpr int32_t kNoObjectToMove = -1;

// Moves the last row, with its descendants, behind the current object (behind
// its hidden block when it has children and is collapsed). -1: no current
// object, or no row; the current index: the last row is the current object,
// or holds it in its subtree; otherwise 1, also when the host refused the
// copy. The current object index is never set.
int32_t InsertFromBottom(void* document);

// Move the current object with its descendants by one row, wrapping at the
// ends, and make its copy current. -1: no current object; otherwise 1, also
// when the host refused the copy (the index is then left as it is).
int32_t MoveUp(void* document);
int32_t MoveDown(void* document);

// Move every selected, eligible object with its descendants to the top level,
// at the front or behind the last eligible object, keeping their order. The
// object that was current is current afterwards (its copy when it moved); an
// index that named no object names none afterwards. Always 1.
int32_t MoveToTop(void* document);
int32_t MoveToBottom(void* document);

// Makes the other selected objects the first children of the current object,
// in their order. 0: no target (no current object, or one that is not
// eligible, not selected or inside another selected object), or nothing to
// gather; otherwise 1.
int32_t GatherSelected(void* document);

}  // namespace rowshift
