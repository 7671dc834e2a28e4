#include "exports/list_builder.h"

namespace rowshift::testing {

void ListBuilder::Add(const char* key, void* value) {
  names_.emplace_back(key);
  // The null name stays last.
  slots_.back() = names_.back().data();
  slots_.push_back(value);
  slots_.push_back(nullptr);
}

ListBuilder& ListBuilder::Int(const char* key, int32_t value) {
  ints_.push_back(value);
  Add(key, &ints_.back());
  return *this;
}

ListBuilder& ListBuilder::Float(const char* key, float value) {
  floats_.push_back(value);
  Add(key, &floats_.back());
  return *this;
}

ListBuilder& ListBuilder::Value(const char* key, void* value) {
  Add(key, value);
  return *this;
}

ListBuilder& ListBuilder::Text(const char* key, const char* text) {
  names_.emplace_back(text);
  Add(key, names_.back().data());
  return *this;
}

int32_t* ListBuilder::Out32(const char* key) {
  ints_.push_back(kUntouched32);
  Add(key, &ints_.back());
  return &ints_.back();
}

void** ListBuilder::OutPointer(const char* key) {
  pointers_.push_back(kUntouchedPointer);
  Add(key, &pointers_.back());
  return &pointers_.back();
}

unsigned char* ListBuilder::OutByte(const char* key) {
  bytes_.push_back(kUntouchedByte);
  Add(key, &bytes_.back());
  return &bytes_.back();
}

void** ListBuilder::Slots() { return slots_.data(); }

}  // namespace rowshift::testing
