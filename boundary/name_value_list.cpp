#include "boundary/name_value_list.h"

#include <cstring>

namespace rowshift {
namespace {

bool NameIs(const void* name, const char* key) {
  return std::strcmp(static_cast<const char*>(name), key) == 0;
}

}  // namespace

void* NameValueList::Find(const char* key) const {
  if (slots_ == nullptr) return nullptr;
  for (void** pair = slots_; pair[0] != nullptr; pair += 2) {
    if (NameIs(pair[0], key)) return pair[1];
  }
  return nullptr;
}

void* NameValueList::FindLast(const char* key, int first_pair) const {
  if (slots_ == nullptr) return nullptr;
  void* found = nullptr;
  void** pair = slots_;
  for (int skipped = 0; skipped < first_pair; ++skipped) {
    if (pair[0] == nullptr) return nullptr;
    pair += 2;
  }
  for (; pair[0] != nullptr; pair += 2) {
    if (NameIs(pair[0], key)) found = pair[1];
  }
  return found;
}

int32_t NameValueList::LastInt(const char* key, int first_pair, int32_t fallback) const {
  return ReadInt(FindLast(key, first_pair), fallback);
}

int32_t NameValueList::Int(const char* key, int32_t fallback) const {
  return ReadInt(Find(key), fallback);
}

float NameValueList::Float(const char* key, float fallback) const {
  const void* value = Find(key);
  if (value == nullptr) return fallback;
  float read = 0;
  std::memcpy(&read, value, sizeof read);
  return read;
}

const char* NameValueList::Text(const char* key) const {
  return static_cast<const char*>(Find(key));
}

const char* NameValueList::FirstName() const {
  return HasFirstPair() ? static_cast<const char*>(slots_[0]) : nullptr;
}

void* NameValueList::FirstValue() const { return HasFirstPair() ? slots_[1] : nullptr; }

int32_t ReadInt(const void* value, int32_t fallback) {
  if (value == nullptr) return fallback;
  int32_t read = 0;
  std::memcpy(&read, value, sizeof read);
  return read;
}

void WriteInt(void* value, int32_t written) {
  if (value != nullptr) std::memcpy(value, &written, sizeof written);
}

void WritePointer(void* value, const void* written) {
  if (value != nullptr) std::memcpy(value, &written, sizeof written);
}

}  // namespace rowshift
