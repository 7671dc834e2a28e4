#include "engine/move_step.h"

namespace rowshift {
namespace {

constexpr int32_t kNotPlaced = -1;

}  // namespace

MovedObject MoveObjectAfter(const Document& document, Object object, Object anchor) {
  const Object copy = document.Clone(object);
  if (copy == nullptr) return {object, kNotPlaced};
  const int32_t index = document.Insert(copy, anchor);
  if (index < 0) {
    document.Free(copy);
    return {object, index};
  }
  // Asked after the insertion, which may have shifted the original.
  const int32_t original_index = document.IndexOf(object);
  if (original_index >= 0 && document.Delete(original_index)) {
    return {copy, index, index, original_index};
  }
  // The original could not be found or deleted: the copy goes again, so the
  // object stands in the document once, where it was.
  document.Delete(index);
  return {object, kNotPlaced, index};
}

}  // namespace rowshift
