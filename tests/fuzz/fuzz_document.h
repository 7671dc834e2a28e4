// Stand-in documents built from fuzz input, and the properties every step of a
// run must keep on them.
#pragma once

#include <algorithm>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "fuzz/fuzz_input.h"
#include "standin/document_control.h"
#include "standin/document_state.h"

namespace rowshift::testing {

class FuzzDocument {
 public:
  static constexpr int32_t kLargestSlotCount = 16;

  // Up to kLargestSlotCount slots, some empty; objects named `prefix` and their
  // slot number, with any depth (extremes included), any flag values and any
  // current index, in range or not.
  FuzzDocument(FuzzInput& input, const std::string& prefix) {
    const int32_t slot_count = input.InRange(0, kLargestSlotCount);
    std::string outline;
    for (int32_t slot = 0; slot < slot_count; ++slot) {
      const bool empty = input.InRange(0, 7) == 0;
      outline += empty ? "-\n" : prefix + std::to_string(slot) + "\n";
      if (!empty) names_.push_back(prefix + std::to_string(slot));
    }
    Require(document_.LoadOutline(outline), "a built outline loads");
    for (int slot = 0; slot < document_.SlotCount(); ++slot) {
      if (document_.ObjectInSlot(slot) != nullptr) SetValues(input, slot);
    }
    constexpr int32_t kBeyond = std::numeric_limits<int32_t>::max();
    const int32_t currents[] = {-1, input.InRange(0, std::max(slot_count - 1, 0)), slot_count,
                                kBeyond, input.Value<int32_t>()};
    document_.State().current_index = input.Pick(currents);
    std::sort(names_.begin(), names_.end());
  }

  void* Handle() { return document_.Handle(); }

  // Every object it was built with stands in exactly one slot, nothing else
  // does, no dead object was named to it and no clone was left out of it.
  void CheckWhole() const {
    std::vector<std::string> names;
    for (int slot = 0; slot < document_.SlotCount(); ++slot) {
      const void* object = document_.ObjectInSlot(slot);
      if (object != nullptr)
        names.push_back(static_cast<const standin::ObjectRecord*>(object)->name);
    }
    std::sort(names.begin(), names.end());
    Require(names == names_, "every object name appears exactly once");
    Require(document_.DeadObjectTouches() == 0, "no dead object was touched");
    Require(document_.OrphanedClones() == 0, "no clone was orphaned");
  }

 private:
  void SetValues(FuzzInput& input, int slot) {
    const auto set = [&](rowshift::ObjectValueId id, int32_t value) {
      document_.SetValueInSlot(slot, static_cast<int32_t>(id), value);
    };
    constexpr int32_t kLowest = std::numeric_limits<int32_t>::min();
    constexpr int32_t kHighest = std::numeric_limits<int32_t>::max();
    const int32_t depths[] = {
        0, 0, 1, 1, 2, 3, -1, kHighest, kHighest - 1, kLowest, input.Value<int32_t>()};
    set(rowshift::ObjectValueId::Depth, input.Pick(depths));
    const uint8_t flags = input.Byte();
    set(rowshift::ObjectValueId::Collapsed, flags & 1);
    set(rowshift::ObjectValueId::Eligible, (flags >> 1 & 1) == 0 ? 1 : 0);
    set(rowshift::ObjectValueId::Selected, flags >> 2 & 1);
    // Now and then a flag value that is neither 0 nor 1.
    if ((flags & 0xC0) == 0xC0) {
      const rowshift::ObjectValueId any[] = {rowshift::ObjectValueId::Collapsed,
                                             rowshift::ObjectValueId::Eligible,
                                             rowshift::ObjectValueId::Selected};
      set(input.Pick(any), input.Value<int32_t>());
    }
  }

  standin::Document document_;
  std::vector<std::string> names_;  // sorted
};

}  // namespace rowshift::testing
