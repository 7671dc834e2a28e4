// The one way the engine moves an object: copy it, place the copy, delete the
// original. A moved object is therefore always a new object.
#pragma once

#include <cstdint>

#include "engine/document.h"

namespace rowshift {

struct MovedObject {
  Object object = nullptr;    // what now stands for the moved object
  int32_t index = -1;         // the insertion's answer; negative when it failed
  int32_t added_slot = -1;    // where the list gained a slot (the copy's, even one
                              // deleted again); -1 when it gained none
  int32_t emptied_slot = -1;  // the slot the original was deleted from; -1: none
};

// REQUIRES: `object` is not `anchor`; `count` is the slot count before the
// step (an index the host answers beyond the slots is taken to name none).
// Puts `object` directly after `anchor` (at index 0 for none). The copy is
// inserted before the original is deleted, so a failing insertion loses
// nothing: the copy is freed, the original stays where it was and is
// answered with the negative index. No copy, or the object itself answered as
// its copy, leaves the object where it was too. A slot is emptied only once
// the host has answered that it holds the object to delete, so that an index
// other than the one asked for deletes nothing else. When the host cannot find
// or will not delete the original, the inserted copy is deleted again and the
// original is answered the same way, so no object ever stands twice; the
// copy's slot stays, empty. Otherwise the original is deleted and must not be
// touched again; the copy is answered with its index.
MovedObject MoveObjectAfter(const Document& document, Object object, Object anchor, int32_t count);

}  // namespace rowshift
