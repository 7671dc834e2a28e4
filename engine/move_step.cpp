#include "engine/move_step.h"

#include <limits>

#include "engine/host_contract.h"

namespace rowshift {
namespace {

constexpr int32_t kNotPlaced = -1;

// Whether `index` names one of `count` slots, the one that holds `object`: a
// host's answer is checked before a slot is emptied, so that no other object
// is deleted.
bool SlotHolds(const Document& document, int32_t index, Object object, int32_t count) {
  return NamesSlot(index, count) && document.ObjectAt(index) == object;
}

// Deletes `object` from `index`, which holds it, and answers whether it went.
// A host's answer to a deletion is no promise: a nonzero one is taken as done,
// and after a 0 the slot is read again, so that an original a host deleted
// while answering 0 is not taken for one that stayed, losing its copy too.
bool DeleteOriginal(const Document& document, int32_t index, Object object) {
  return document.Delete(index) || document.ObjectAt(index) != object;
}

// The original could not be found or deleted: the copy, inserted at `index`
// among `slots` slots, goes again, so the object stands in the document once,
// where it was. The copy's slot is the one that holds it, or the one that the
// insertion and the host's index for the copy both name.
MovedObject TakeCopyOut(const Document& document, Object object, Object copy, int32_t index,
                        int32_t slots) {
  const int32_t copy_index =
      SlotHolds(document, index, copy, slots) ? index : document.IndexOf(copy);
  const bool agreed = copy_index == index && !OutsideContract(index >= slots);
  if (OutsideContract(!agreed && !SlotHolds(document, copy_index, copy, slots))) {
    return {object, kNotPlaced, index};
  }
  document.Delete(copy_index);
  return {object, kNotPlaced, copy_index};
}

}  // namespace

MovedObject MoveObjectAfter(const Document& document, Object object, Object anchor, int32_t count) {
  const Object copy = document.Clone(object);
  // A copy that is the object itself stands in the document already: it is
  // neither inserted a second time nor freed.
  if (copy == nullptr || OutsideContract(copy == object)) return {object, kNotPlaced};
  const int32_t index = document.Insert(copy, anchor);
  if (index < 0) {
    document.Free(copy);
    return {object, index};
  }
  // The slots now, the copy's among them.
  const int32_t slots =
      OutsideContract(count == std::numeric_limits<int32_t>::max()) ? count : count + 1;
  // Asked after the insertion, which may have shifted the original.
  const int32_t original_index = document.IndexOf(object);
  if (SlotHolds(document, original_index, object, slots) &&
      DeleteOriginal(document, original_index, object)) {
    return {copy, index, index, original_index};
  }
  return TakeCopyOut(document, object, copy, index, slots);
}

}  // namespace rowshift
