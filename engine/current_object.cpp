#include "engine/current_object.h"

#include <limits>

#include "engine/host_contract.h"

namespace rowshift {

CurrentReading ReadCurrent(const Document& document, int32_t count) {
  CurrentReading reading;
  reading.index = document.CurrentIndex();
  if (NamesSlot(reading.index, count)) reading.object = document.ObjectAt(reading.index);
  return reading;
}

CurrentObject::CurrentObject(const Document& document, int32_t count)
    : start_(ReadCurrent(document, count)), object_(start_.object) {
  if (NamesSlot(start_.index, count)) slot_ = start_.index;
}

void CurrentObject::Moved(Object original, const MovedObject& moved) {
  if (slot_ < 0) return;
  if (object_ != nullptr && object_ == original && moved.index >= 0) {
    object_ = moved.object;
    slot_ = moved.index;
    return;
  }
  // A slot added at the followed slot's index goes in front of it. An index at
  // the very end of the range names no slot whatever is added.
  if (moved.added_slot >= 0 && moved.added_slot <= slot_ &&
      !OutsideContract(slot_ == std::numeric_limits<int32_t>::max())) {
    ++slot_;
  }
}

void CurrentObject::Restore(const Document& document, int32_t count) const {
  if (slot_ != start_.index && NamesSlot(slot_, count)) document.SetCurrentIndex(slot_);
}

}  // namespace rowshift
