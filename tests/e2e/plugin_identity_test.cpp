// What the host learns from the plug-in module before and after MQInit: the
// version check, identifiers, name, kind and display strings.
#include <gtest/gtest.h>

#include <string>

#include "e2e/built_plugin.h"

namespace rowshift::testing {
namespace {

class PluginIdentity : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(plugin.Loaded());
    ASSERT_TRUE(plugin.HasEveryExport());
  }
  BuiltPlugin plugin;
};

TEST_F(PluginIdentity, VersionCheckRefusesHostsBelow4702) {
  const std::pair<uint32_t, uint32_t> rows[] = {
      {0, 0}, {0x4701, 0}, {0x4702, 0x0472}, {0x10000, 0x0472}, {0xFFFFFFFF, 0x0472}};
  for (const auto& [version, answer] : rows) {
    EXPECT_EQ(plugin.MQCheckVersion(version), answer) << std::hex << version;
  }
}

TEST_F(PluginIdentity, IdentifiersComeProductFirst) {
  uint32_t product = 0;
  uint32_t id = 0;
  plugin.MQGetPlugInID(&product, &id);
  EXPECT_EQ(product, 0x5D2E7C14u);
  EXPECT_EQ(id, 0x2A6B93F0u);
}

TEST_F(PluginIdentity, NameIsVersionSixSpacesAndANotice) {
  const std::string name = plugin.MQGetPlugInName();
  const std::string lead = "Rowshift v.1.5      ";
  ASSERT_GT(name.size(), lead.size());
  EXPECT_EQ(name.substr(0, lead.size()), lead);
  EXPECT_NE(name[lead.size()], ' ');
  EXPECT_EQ(plugin.MQGetPlugInName(), plugin.MQGetPlugInName()) << "one constant, not a copy";
}

TEST_F(PluginIdentity, KindIsStationBeforeAndAfterInit) {
  EXPECT_EQ(plugin.MQGetPlugInType(), 6);
  ASSERT_EQ(plugin.BindToStandin(), 1);
  EXPECT_EQ(plugin.MQGetPlugInType(), 6);
}

TEST_F(PluginIdentity, DisplayStringZeroIsTheTitleAndNoOtherIndexHasOne) {
  EXPECT_EQ(Utf16(plugin.MQEnumStringW(0)), u"Rowshift");
  EXPECT_EQ(plugin.MQEnumStringW(1), nullptr);
  EXPECT_EQ(plugin.MQEnumStringW(-1), nullptr);
  EXPECT_EQ(plugin.MQEnumStringW(0), plugin.MQEnumStringW(0));
}

TEST_F(PluginIdentity, FileKindAndCreateExportsAnswerNothing) {
  for (int32_t index : {-1, 0, 1, 100}) {
    EXPECT_EQ(plugin.MQEnumFileType(index), nullptr) << index;
    EXPECT_EQ(plugin.MQEnumFileExt(index), nullptr) << index;
  }
  int value = 0;
  EXPECT_EQ(plugin.MQImportFileW(&value, &value, &value), 0);
  EXPECT_EQ(plugin.MQExportFileW(nullptr, nullptr, nullptr), 0);
  EXPECT_EQ(plugin.MQCreate(&value, &value), 0);
  EXPECT_EQ(plugin.MQModifyObject(nullptr, nullptr), 0);
  EXPECT_EQ(plugin.MQModifySelect(&value, nullptr), 0);
  EXPECT_EQ(value, 0);
}

}  // namespace
}  // namespace rowshift::testing
