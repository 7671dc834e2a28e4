// The stand-in host's settings document as the tests set it up and read it
// back: the plug-in's section, stored values, the element calls made, and a
// fixture that binds the settings entry points in process.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "boundary/host_functions.h"

namespace rowshift::testing {

inline constexpr uint32_t kProductId = 0x5D2E7C14;
inline constexpr uint32_t kPluginId = 0x2A6B93F0;
inline constexpr char kSectionName[] = "Plugin-5D2E7C14-2A6B93F0";

// (key, text) pairs; a key without text stands for an element without text.
using SettingPairs = std::vector<std::pair<std::string, std::optional<std::string>>>;

// Replaces the settings document with one whose section holds an element per
// pair, in order.
void StoreSettings(const SettingPairs& values);
// The section's elements as (key, text) pairs, in order ("" for no text).
std::vector<std::pair<std::string, std::string>> StoredSettings();
// The text of the key's first element in the section, or none.
std::optional<std::string> StoredSetting(const std::string& key);
// The section element in the stand-in's document, or null when there is none.
void* SectionInDocument();
// The names of an element's children, in order.
std::vector<std::string> ChildNames(void* element);
// The element calls logged since the last clear, in order.
std::vector<std::string> ElementCalls();

// Binds the stand-in's settings entry points into the plug-in's entry-point
// table over a fresh settings document, host messages and call log; puts the
// table back afterwards.
class StandInSettingsTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

 private:
  HostFunctionTable saved_;
};

}  // namespace rowshift::testing
