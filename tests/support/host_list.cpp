#include "support/host_list.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace rowshift::testing {

// The buffers come from operator new, so they are aligned for any scalar.
void* HostList::Value(const std::string& bytes) {
  std::vector<unsigned char>& buffer =
      buffers_.emplace_back(std::max(bytes.size() + 1, kSmallestValueBytes), 0);
  std::memcpy(buffer.data(), bytes.data(), bytes.size());
  originals_.push_back(buffer);
  return buffer.data();
}

void* HostList::IntValue(int32_t value) {
  return Value(std::string(reinterpret_cast<const char*>(&value), sizeof value));
}

HostList& HostList::Add(const std::string& name, void* value) {
  names_.push_back(name);
  pairs_.push_back({names_.back().c_str(), value});
  return *this;
}

HostList& HostList::Float(const std::string& name, float value) {
  return Add(name, Value(std::string(reinterpret_cast<const char*>(&value), sizeof value)));
}

void* HostList::Poisoned(unsigned char byte) {
  return Value(std::string(kSmallestValueBytes - 1, static_cast<char>(byte)));
}

int32_t* HostList::Out32(const std::string& name) {
  auto* slot = new (Poisoned(static_cast<unsigned char>(kUntouched32))) int32_t(kUntouched32);
  Add(name, slot);
  return slot;
}

void** HostList::OutPointer(const std::string& name) {
  auto** slot = new (Poisoned(static_cast<unsigned char>(kUntouched32))) void*(kUntouchedPointer);
  Add(name, slot);
  return slot;
}

unsigned char* HostList::OutByte(const std::string& name) {
  auto* slot = static_cast<unsigned char*>(Poisoned(kUntouchedByte));
  Add(name, slot);
  return slot;
}

void** HostList::Slots() {
  slots_.clear();
  for (const Pair& pair : pairs_) {
    slots_.push_back(const_cast<char*>(pair.name));
    slots_.push_back(pair.value);
  }
  slots_.push_back(nullptr);
  return slots_.data();
}

std::string HostList::FirstName() const {
  return pairs_.empty() ? std::string() : pairs_.front().name;
}

std::set<std::string> HostList::WrittenNames() const {
  std::set<std::string> written;
  for (const Pair& pair : pairs_) {
    if (pair.value != nullptr && Changed(pair.value)) written.insert(pair.name);
  }
  return written;
}

bool HostList::Changed(const void* value) const {
  for (std::size_t index = 0; index < buffers_.size(); ++index) {
    if (buffers_[index].data() == value) return buffers_[index] != originals_[index];
  }
  return false;
}

}  // namespace rowshift::testing
