// The six reorder operations. Each takes the host's document handle, reads and
// changes the document only through the host entry-point table, keeps nothing
// after it returns, and answers the result that its caller hands to the host
// unchanged.
#pragma once

#include <cstdint>

namespace rowshift {

// What the operations answer. Insert here answers the current object index
// instead when the last row is the current object itself.
inline constexpr int32_t kDone = 1;
inline constexpr int32_t kNothingDone = 0;
inline constexpr int32_t kNothingToActOn = -1;

// Moves the last row, with its descendants, behind the current object (or
// behind its hidden block when it is collapsed). -1: no current object or no
// row; the current index: the last row is the current object; 1: moved.
int32_t InsertFromBottom(void* document);

// Move the current object with its descendants by one row, wrapping at the
// ends. -1: no current object; otherwise 1.
int32_t MoveUp(void* document);
int32_t MoveDown(void* document);

// Move every selected object with its descendants to the top level, at the
// front or behind the last eligible object, keeping their order. The object
// that was current stays current (its copy when it moved); an index that names
// no object is left as it is. Always 1.
int32_t MoveToTop(void* document);
int32_t MoveToBottom(void* document);

// Makes the other selected objects the first children of the current object.
// 0: no target or nothing to gather; otherwise 1.
int32_t GatherSelected(void* document);

}  // namespace rowshift
