#include <gmock/gmock.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "standin/call_log.h"
#include "standin/settings_control.h"
#include "standin/settings_entry_points.h"
#include "support/standin_settings.h"

namespace rowshift::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

constexpr int32_t kAdd = 0x101;
constexpr int32_t kRemove = 0x102;
constexpr int32_t kFind = 0x201;
constexpr int32_t kGetText = 0x302;
constexpr int32_t kSetText = 0x402;

// A value the stand-in must leave alone when it answers 0.
void* const kUntouched = reinterpret_cast<void*>(static_cast<uintptr_t>(0x5A5A));

class StandInSettingsTreeTest : public StandInSettingsTest {
 protected:
  static void* Add(void* parent, const char* name) {
    void* values[] = {const_cast<char*>(name), nullptr};
    EXPECT_EQ(MQXmlElem_Value(parent, kAdd, values), 1);
    return values[1];
  }
  static void SetText(void* element, const char* text) {
    void* values[] = {const_cast<char*>(text)};
    EXPECT_EQ(MQXmlElem_Value(element, kSetText, values), 1);
  }
};

TEST_F(StandInSettingsTreeTest, ElementsCanBeAddedFoundGivenTextAndRemoved) {
  void* plugin_settings = standin::PluginSettingsElement();
  void* section = Add(plugin_settings, "Section");
  void* key = Add(section, "Key");
  SetText(key, "\xE4\xB8\x8A 1");

  void* find[] = {const_cast<char*>("Key"), nullptr};
  EXPECT_EQ(MQXmlElem_Value(section, kFind, find), 1);
  EXPECT_EQ(find[1], key);
  void* text[] = {nullptr};
  EXPECT_EQ(MQXmlElem_Value(key, kGetText, text), 1);
  EXPECT_STREQ(static_cast<const char*>(text[0]), "\xE4\xB8\x8A 1");

  int option = 0;
  void* remove[] = {key, &option};
  EXPECT_EQ(MQXmlElem_Value(section, kRemove, remove), 1);
  EXPECT_THAT(standin::SettingsElementChildren(section), IsEmpty());
  find[1] = nullptr;
  EXPECT_EQ(MQXmlElem_Value(section, kFind, find), 0);
  EXPECT_EQ(find[1], nullptr);
}

TEST_F(StandInSettingsTreeTest, FindGivesTheFirstChildOfThatName) {
  void* section = standin::PluginSettingsElement();
  void* first = Add(section, "Twin");
  Add(section, "Twin");
  void* find[] = {const_cast<char*>("Twin"), nullptr};
  MQXmlElem_Value(section, kFind, find);
  EXPECT_EQ(find[1], first);
}

TEST_F(StandInSettingsTreeTest, AnElementWithoutTextGivesNullText) {
  void* key = Add(standin::PluginSettingsElement(), "Key");
  void* text[] = {kUntouched};
  EXPECT_EQ(MQXmlElem_Value(key, kGetText, text), 0);
  EXPECT_EQ(text[0], nullptr);
  EXPECT_EQ(standin::SettingsElementText(key), std::nullopt);
}

// Bad requests answer 0 and write nothing, whatever the slots hold.
TEST_F(StandInSettingsTreeTest, BadRequestsAnswerZeroAndWriteNothing) {
  void* plugin_settings = standin::PluginSettingsElement();
  void* removed = Add(plugin_settings, "Removed");
  int option = 0;
  void* remove[] = {removed, &option};
  MQXmlElem_Value(plugin_settings, kRemove, remove);
  int not_an_element = 0;

  // A remove reads the int its second slot points to, so that slot is a real int.
  void* const option_slot = &option;
  struct Case {
    const char* name;
    void* element;
    int32_t code;
    void* slot0;
    void* slot1;
  };
  const Case cases[] = {
      {"find on a null element", nullptr, kFind, const_cast<char*>("Key"), kUntouched},
      {"add on a null element", nullptr, kAdd, const_cast<char*>("Key"), kUntouched},
      {"text of a null element", nullptr, kGetText, kUntouched, kUntouched},
      {"add on an unknown element", &not_an_element, kAdd, const_cast<char*>("Key"), kUntouched},
      {"add on a removed element", removed, kAdd, const_cast<char*>("Key"), kUntouched},
      {"text of a removed element", removed, kGetText, kUntouched, kUntouched},
      {"an unknown code", plugin_settings, 0x301, kUntouched, kUntouched},
      {"find with a null name", plugin_settings, kFind, nullptr, kUntouched},
      {"add with a null name", plugin_settings, kAdd, nullptr, kUntouched},
      {"set a null text", plugin_settings, kSetText, nullptr, kUntouched},
      {"remove a null child", plugin_settings, kRemove, nullptr, option_slot},
      {"remove an element that is no child", plugin_settings, kRemove, plugin_settings,
       option_slot},
      {"remove an unknown child", plugin_settings, kRemove, &not_an_element, option_slot},
      {"remove with no int", plugin_settings, kRemove, removed, nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    void* values[] = {c.slot0, c.slot1};
    EXPECT_EQ(MQXmlElem_Value(c.element, c.code, values), 0);
    EXPECT_EQ(values[0], c.slot0);
    EXPECT_EQ(values[1], c.slot1);
  }
  EXPECT_EQ(MQXmlElem_Value(plugin_settings, kFind, nullptr), 0);
  EXPECT_THAT(ChildNames(plugin_settings), IsEmpty());
  EXPECT_THAT(ChildNames(standin::SettingsRootElement()), ElementsAre("pluginsettings"));
}

TEST_F(StandInSettingsTreeTest, TheAddFaultAddsNothingAndGivesNull) {
  standin::FailAddChildElement(true);
  void* values[] = {const_cast<char*>("Key"), kUntouched};
  EXPECT_EQ(MQXmlElem_Value(standin::PluginSettingsElement(), kAdd, values), 0);
  EXPECT_EQ(values[1], nullptr);
  EXPECT_THAT(ChildNames(standin::PluginSettingsElement()), IsEmpty());
}

TEST_F(StandInSettingsTreeTest, EveryElementCallIsLogged) {
  void* plugin_settings = standin::PluginSettingsElement();
  void* key = Add(plugin_settings, "Key");
  SetText(key, "1");
  int option = 0;
  void* remove[] = {key, &option};
  MQXmlElem_Value(plugin_settings, kRemove, remove);
  void* text[] = {nullptr};
  MQXmlElem_Value(key, kGetText, text);
  MQXmlElem_Value(nullptr, kFind, nullptr);

  EXPECT_THAT(ElementCalls(), ElementsAre("MQXmlElem_Value(pluginsettings, 0x101, \"Key\") -> 1",
                                          "MQXmlElem_Value(Key, 0x402, \"1\") -> 1",
                                          "MQXmlElem_Value(pluginsettings, 0x102, Key, 0) -> 1",
                                          "MQXmlElem_Value(unknown, 0x302) -> 0",
                                          "MQXmlElem_Value(null, 0x201, null) -> 0"));
}

TEST_F(StandInSettingsTreeTest, Message505WritesTheElementsIntoTheirValueSlots) {
  int no_element = 0;
  void* list[] = {const_cast<char*>("other"),
                  &no_element,
                  const_cast<char*>("pluginsettings"),
                  nullptr,
                  const_cast<char*>("root"),
                  nullptr,
                  nullptr};
  HostMessage message{kProductId, kPluginId, 0, list};

  EXPECT_EQ(MQ_SendMessage(505, &message), 0);

  EXPECT_EQ(list[1], &no_element);
  EXPECT_EQ(list[3], standin::PluginSettingsElement());
  EXPECT_EQ(list[5], standin::SettingsRootElement());
  EXPECT_NE(list[3], nullptr);
}

TEST_F(StandInSettingsTreeTest, TheWithholdFaultGivesNoPluginSettingsElementButStillTheRoot) {
  standin::WithholdPluginSettingsElement(true);
  void* list[] = {const_cast<char*>("root"), nullptr, const_cast<char*>("pluginsettings"),
                  kUntouched, nullptr};
  HostMessage message{kProductId, kPluginId, 0, list};

  MQ_SendMessage(505, &message);

  EXPECT_EQ(list[1], standin::SettingsRootElement());
  EXPECT_EQ(list[3], nullptr);
}

TEST_F(StandInSettingsTreeTest, MessagesAreRecordedCountedAndLogged) {
  void* empty_list[] = {nullptr};
  HostMessage closed{kProductId, kPluginId, 0, empty_list};
  MQ_SendMessage(100, &closed);
  MQ_SendMessage(100, &closed);
  MQ_SendMessage(505, nullptr);
  HostMessage listless{kProductId, kPluginId, 0, nullptr};
  MQ_SendMessage(505, &listless);

  EXPECT_EQ(standin::HostMessageCount(100), 2);
  EXPECT_EQ(standin::HostMessageCount(505), 2);
  EXPECT_EQ(standin::HostMessageCount(101), 0);
  const standin::RecordedMessage& first = standin::HostMessages()[0];
  EXPECT_TRUE(first.had_message);
  EXPECT_TRUE(first.had_list);
  EXPECT_THAT(first.list_names, IsEmpty());
  EXPECT_FALSE(standin::HostMessages()[2].had_message);
  EXPECT_FALSE(standin::HostMessages()[3].had_list);
  EXPECT_THAT(
      standin::CallsStartingWith("MQ_SendMessage"),
      ElementsAre("MQ_SendMessage(100, 5D2E7C14, 2A6B93F0) -> 0",
                  "MQ_SendMessage(100, 5D2E7C14, 2A6B93F0) -> 0", "MQ_SendMessage(505, null) -> 0",
                  "MQ_SendMessage(505, 5D2E7C14, 2A6B93F0) -> 0"));

  standin::ClearHostMessages();
  EXPECT_EQ(standin::HostMessageCount(100), 0);
}

TEST_F(StandInSettingsTreeTest, ATreeLoadsAndReadsBackWithAPluginSettingsElementAdded) {
  const standin::SettingsNode loaded{
      "root",
      std::nullopt,
      {{"other", "x", {}}, {"Section", std::nullopt, {{"PosX", "120", {}}, {"PosY", "", {}}}}}};

  standin::LoadSettingsTree(loaded);
  const standin::SettingsNode read = standin::ReadSettingsTree();

  ASSERT_EQ(read.children.size(), 3u);
  EXPECT_EQ(read.children[0].text, "x");
  const standin::SettingsNode& section = read.children[1];
  EXPECT_EQ(section.name, "Section");
  EXPECT_EQ(section.text, std::nullopt);
  ASSERT_EQ(section.children.size(), 2u);
  EXPECT_EQ(section.children[0].name, "PosX");
  EXPECT_EQ(section.children[0].text, "120");
  EXPECT_EQ(section.children[1].text, "");
  EXPECT_EQ(read.children[2].name, "pluginsettings");
  EXPECT_EQ(standin::SettingsElementName(standin::PluginSettingsElement()), "pluginsettings");
}

TEST_F(StandInSettingsTreeTest, ALoadedPluginSettingsElementIsTheOneMessage505Gives) {
  standin::LoadSettingsTree(
      {"root", std::nullopt, {{"pluginsettings", std::nullopt, {{"K", "1", {}}}}}});

  void* list[] = {const_cast<char*>("pluginsettings"), nullptr, nullptr};
  HostMessage message{kProductId, kPluginId, 0, list};
  MQ_SendMessage(505, &message);

  EXPECT_THAT(ChildNames(list[1]), ElementsAre("K"));
}

TEST_F(StandInSettingsTreeTest, ResetGivesAnEmptyDocumentAndSwitchesTheFaultsOff) {
  Add(standin::PluginSettingsElement(), "Key");
  standin::FailAddChildElement(true);
  standin::WithholdPluginSettingsElement(true);

  standin::ResetSettingsDocument();

  EXPECT_THAT(ChildNames(standin::PluginSettingsElement()), IsEmpty());
  void* key = Add(standin::PluginSettingsElement(), "Key");
  EXPECT_NE(key, nullptr);
  void* list[] = {const_cast<char*>("pluginsettings"), nullptr, nullptr};
  HostMessage message{kProductId, kPluginId, 0, list};
  MQ_SendMessage(505, &message);
  EXPECT_NE(list[1], nullptr);
}

TEST_F(StandInSettingsTreeTest, ControlsReadNullAndUnknownElementsAsEmpty) {
  int not_an_element = 0;
  for (void* element : {static_cast<void*>(nullptr), static_cast<void*>(&not_an_element)}) {
    EXPECT_EQ(standin::SettingsElementName(element), "");
    EXPECT_EQ(standin::SettingsElementText(element), std::nullopt);
    EXPECT_THAT(standin::SettingsElementChildren(element), IsEmpty());
    EXPECT_EQ(standin::SettingsChildNamed(element, "pluginsettings"), nullptr);
  }
}

}  // namespace
}  // namespace rowshift::testing
