#include <gmock/gmock.h>

#include <string>
#include <vector>

#include "settings/open_settings.h"
#include "standin/call_log.h"
#include "standin/settings_control.h"
#include "standin/settings_entry_points.h"
#include "support/standin_settings.h"

namespace rowshift::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

class OpenSettingsTest : public StandInSettingsTest {};

TEST_F(OpenSettingsTest, FirstOpenAddsTheSectionAndTheSecondFindsIt) {
  std::unique_ptr<MQSetting> first = OpenSettingsSection(kProductId, kPluginId);
  ASSERT_NE(first, nullptr);
  EXPECT_THAT(
      ElementCalls(),
      ElementsAre("MQXmlElem_Value(pluginsettings, 0x201, \"Plugin-5D2E7C14-2A6B93F0\") -> 0",
                  "MQXmlElem_Value(pluginsettings, 0x101, \"Plugin-5D2E7C14-2A6B93F0\") -> 1"));
  first->SaveInteger("PosX", 1);
  EXPECT_THAT(ChildNames(SectionInDocument()), ElementsAre("PosX"));

  standin::ClearCalls();
  std::unique_ptr<MQSetting> second = OpenSettingsSection(kProductId, kPluginId);
  ASSERT_NE(second, nullptr);
  EXPECT_THAT(
      ElementCalls(),
      ElementsAre("MQXmlElem_Value(pluginsettings, 0x201, \"Plugin-5D2E7C14-2A6B93F0\") -> 1"));
  int position = 0;
  second->LoadInteger("PosX", position);
  EXPECT_EQ(position, 1) << "both accessors work in the one section";
  EXPECT_THAT(ChildNames(standin::PluginSettingsElement()), ElementsAre(kSectionName));
}

TEST_F(OpenSettingsTest, AsksForTheElementsWithMessage505AndARootAndPluginSettingsList) {
  OpenSettingsSection(kProductId, kPluginId);

  ASSERT_EQ(standin::HostMessages().size(), 1u);
  const standin::RecordedMessage& message = standin::HostMessages()[0];
  EXPECT_EQ(message.code, 505);
  EXPECT_EQ(message.product, kProductId);
  EXPECT_EQ(message.plugin, kPluginId);
  EXPECT_EQ(message.reserved, 0u);
  EXPECT_TRUE(message.had_list);
  EXPECT_THAT(message.list_names, ElementsAre("root", "pluginsettings"));
  EXPECT_THAT(standin::CallsStartingWith("MQ_SendMessage"),
              ElementsAre("MQ_SendMessage(505, 5D2E7C14, 2A6B93F0) -> 0"));
}

TEST_F(OpenSettingsTest, GivesNoSettingsWhenTheHostGivesNoPluginSettingsElement) {
  standin::WithholdPluginSettingsElement(true);

  EXPECT_EQ(OpenSettingsSection(kProductId, kPluginId), nullptr);
  EXPECT_THAT(ElementCalls(), IsEmpty());
  EXPECT_EQ(standin::HostMessageCount(505), 1);
}

TEST_F(OpenSettingsTest, GivesNoSettingsWhenTheHostOffersNoMessages) {
  HostFunctions().MQ_SendMessage = nullptr;

  EXPECT_EQ(OpenSettingsSection(kProductId, kPluginId), nullptr);
  EXPECT_EQ(standin::HostMessages().size(), 0u);
}

TEST_F(OpenSettingsTest, KeepsASectionlessAccessorWhenTheHostOffersNoElementOperations) {
  HostFunctions().MQXmlElem_Value = nullptr;

  std::unique_ptr<MQSetting> settings = OpenSettingsSection(kProductId, kPluginId);

  ASSERT_NE(settings, nullptr);
  HostFunctions().MQXmlElem_Value = &::MQXmlElem_Value;
  settings->SaveInteger("PosX", 1);
  EXPECT_THAT(ElementCalls(), IsEmpty()) << "the accessor holds no section";
}

TEST(SettingsSectionNameTest, IsTwentyFourCharactersOfUpperCaseZeroPaddedHex) {
  struct Case {
    uint32_t product;
    uint32_t plugin;
    const char* name;
  };
  const Case cases[] = {
      {kProductId, kPluginId, "Plugin-5D2E7C14-2A6B93F0"},
      {0, 0, "Plugin-00000000-00000000"},
      {0xABCDEF, 0x1, "Plugin-00ABCDEF-00000001"},
      {0xFFFFFFFF, 0xFEDCBA98, "Plugin-FFFFFFFF-FEDCBA98"},
  };
  for (const Case& c : cases) {
    const std::string name = SettingsSectionName(c.product, c.plugin);
    EXPECT_EQ(name, c.name);
    EXPECT_EQ(name.size(), 24u);
  }
}

}  // namespace
}  // namespace rowshift::testing
