// A fixture that binds the stand-in host's settings entry points into the
// plug-in's entry-point table, in process, over a fresh settings document.
#pragma once

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "boundary/host_functions.h"
#include "standin/call_log.h"

namespace rowshift::testing {

inline constexpr uint32_t kProductId = 0x5D2E7C14;
inline constexpr uint32_t kPluginId = 0x2A6B93F0;
inline constexpr char kSectionName[] = "Plugin-5D2E7C14-2A6B93F0";

class StandInSettingsTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // The element calls logged since the last clear, in order.
  static std::vector<std::string> ElementCalls();
  // The section element in the stand-in's document, or null when there is none.
  static void* SectionInDocument();
  // The names of an element's children, in order.
  static std::vector<std::string> ChildNames(void* element);

 private:
  HostFunctionTable saved_;
};

}  // namespace rowshift::testing
