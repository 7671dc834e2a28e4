#include "engine/current_object.h"

#include <limits>

namespace rowshift {

CurrentReading ReadCurrent(const Document& document, int32_t count) {
  CurrentReading reading;
  reading.index = document.CurrentIndex();
  if (reading.index >= 0 && reading.index < count)
    reading.object = document.ObjectAt(reading.index);
  return reading;
}

CurrentObject::CurrentObject(const Document& document, int32_t count) {
  const CurrentReading reading = ReadCurrent(document, count);
  index_ = reading.index;
  object_ = reading.object;
  if (index_ >= 0 && index_ < count && object_ == nullptr) empty_slot_ = index_;
}

void CurrentObject::Moved(Object original, const MovedObject& moved) {
  if (object_ != nullptr && object_ == original) object_ = moved.object;
  // A slot added at the followed slot's index goes in front of it. An index at
  // the very end of the range names no slot whatever is added.
  if (empty_slot_ >= 0 && empty_slot_ < std::numeric_limits<int32_t>::max() &&
      moved.added_slot >= 0 && moved.added_slot <= empty_slot_) {
    ++empty_slot_;
  }
}

void CurrentObject::Restore(const Document& document) const {
  const int32_t index = object_ != nullptr ? document.IndexOf(object_) : empty_slot_;
  if (index >= 0 && index != index_) document.SetCurrentIndex(index);
}

}  // namespace rowshift
