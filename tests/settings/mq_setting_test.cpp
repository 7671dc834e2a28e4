#include <gmock/gmock.h>

#include <cstdint>
#include <limits>
#include <memory>
#include <optional>
#include <string>

#include "settings/open_settings.h"
#include "standin/call_log.h"
#include "standin/host_call_control.h"
#include "standin/settings_control.h"
#include "standin/settings_entry_points.h"
#include "support/standin_settings.h"

namespace rowshift::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

constexpr int kMinInt = std::numeric_limits<int32_t>::min();
constexpr int kMaxInt = std::numeric_limits<int32_t>::max();

class MQSettingTest : public StandInSettingsTest {
 protected:
  void SetUp() override {
    StandInSettingsTest::SetUp();
    settings_ = OpenSettingsSection(kProductId, kPluginId);
    ASSERT_NE(settings_, nullptr);
    standin::ClearCalls();
  }

  // Puts a "PosX" element into the section, with the text or with none.
  void StoreText(std::optional<std::string> text) {
    StoreSettings({{"PosX", std::move(text)}});
    settings_ = OpenSettingsSection(kProductId, kPluginId);
    standin::ClearCalls();
  }

  std::unique_ptr<MQSetting> settings_;
};

TEST_F(MQSettingTest, ReadsStoredTextByTheDecimalRule) {
  struct Case {
    std::optional<std::string> text;
    int integer;
    bool flag;
  };
  const Case cases[] = {
      {std::nullopt, -1, false},
      {"", -1, false},
      {"  42abc", 42, true},
      {"-7", -7, true},
      {"+15", 15, true},
      {"\t\r\n 9", 9, true},
      {"abc", 0, false},
      {"- 5", 0, false},
      {"0", 0, false},
      {"1", 1, true},
      {"2", 2, true},
      {"-2147483648", kMinInt, true},
      {"2147483647", kMaxInt, true},
      // Beyond the int32 range the value saturates.
      {"2147483648", kMaxInt, true},
      {"-2147483649", kMinInt, true},
      // Full-width digits are not decimal digits.
      {"\xEF\xBC\x94\xEF\xBC\x92", 0, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text ? "\"" + *c.text + "\"" : "no text");
    StoreText(c.text);
    int integer = 12345;
    bool flag = !c.flag;
    settings_->LoadInteger("PosX", integer);
    settings_->LoadFlag("PosX", flag);
    EXPECT_EQ(integer, c.integer);
    EXPECT_EQ(flag, c.flag);
  }
}

TEST_F(MQSettingTest, MissingKeysGiveTheDefaultsAndCreateNothing) {
  int integer = 5;
  bool flag = true;
  settings_->LoadInteger("PosY", integer);
  settings_->LoadFlag("Rowshift_activate", flag);

  EXPECT_EQ(integer, -1);
  EXPECT_FALSE(flag);
  EXPECT_THAT(ChildNames(SectionInDocument()), IsEmpty());
  EXPECT_THAT(ElementCalls(),
              ElementsAre("MQXmlElem_Value(Plugin-5D2E7C14-2A6B93F0, 0x201, \"PosY\") -> 0",
                          "MQXmlElem_Value(Plugin-5D2E7C14-2A6B93F0, 0x201, "
                          "\"Rowshift_activate\") -> 0"));
}

TEST_F(MQSettingTest, LoadFindsTheKeyThenReadsItsText) {
  StoreText("120");
  int integer = 0;
  settings_->LoadInteger("PosX", integer);

  EXPECT_THAT(ElementCalls(),
              ElementsAre("MQXmlElem_Value(Plugin-5D2E7C14-2A6B93F0, 0x201, \"PosX\") -> 1",
                          "MQXmlElem_Value(PosX, 0x302) -> 1"));
}

TEST_F(MQSettingTest, SaveFindsAddsSetsTheTextThenRemovesTheOldElement) {
  settings_->SaveInteger("PosX", 120);
  EXPECT_THAT(ElementCalls(),
              ElementsAre("MQXmlElem_Value(Plugin-5D2E7C14-2A6B93F0, 0x201, \"PosX\") -> 0",
                          "MQXmlElem_Value(Plugin-5D2E7C14-2A6B93F0, 0x101, \"PosX\") -> 1",
                          "MQXmlElem_Value(PosX, 0x402, \"120\") -> 1"));

  standin::ClearCalls();
  settings_->SaveInteger("PosX", -80);
  EXPECT_THAT(ElementCalls(),
              ElementsAre("MQXmlElem_Value(Plugin-5D2E7C14-2A6B93F0, 0x201, \"PosX\") -> 1",
                          "MQXmlElem_Value(Plugin-5D2E7C14-2A6B93F0, 0x101, \"PosX\") -> 1",
                          "MQXmlElem_Value(PosX, 0x402, \"-80\") -> 1",
                          "MQXmlElem_Value(Plugin-5D2E7C14-2A6B93F0, 0x102, PosX, 0) -> 1",
                          "MQXmlElem_Value(Plugin-5D2E7C14-2A6B93F0, 0x201, \"PosX\") -> 1"));
  EXPECT_THAT(ChildNames(SectionInDocument()), ElementsAre("PosX"));
  EXPECT_EQ(StoredSetting("PosX"), "-80");
}

// A host that refuses a removal leaves the old element first, where a load
// looks: it gets the saved text too. A later save whose removals go through
// removes every older element.
TEST_F(MQSettingTest, ARefusedRemovalStillLoadsTheLastSavedValue) {
  constexpr int kRemoveCall = 4;  // find, add, set the text, remove
  settings_->SaveInteger("PosX", 120);
  for (const int value : {7, 8}) {
    standin::ClearCalls();
    standin::FailNthCall(standin::EntryPoint::MQXmlElem_Value, kRemoveCall);
    settings_->SaveInteger("PosX", value);
    EXPECT_THAT(
        ElementCalls(),
        ElementsAre("MQXmlElem_Value(Plugin-5D2E7C14-2A6B93F0, 0x201, \"PosX\") -> 1",
                    "MQXmlElem_Value(Plugin-5D2E7C14-2A6B93F0, 0x101, \"PosX\") -> 1",
                    "MQXmlElem_Value(PosX, 0x402, \"" + std::to_string(value) + "\") -> 1",
                    "MQXmlElem_Value fails",
                    "MQXmlElem_Value(Plugin-5D2E7C14-2A6B93F0, 0x201, \"PosX\") -> 1",
                    "MQXmlElem_Value(PosX, 0x402, \"" + std::to_string(value) + "\") -> 1"));
    int loaded = 0;
    settings_->LoadInteger("PosX", loaded);
    EXPECT_EQ(loaded, value);
  }
  standin::FailNthCall(standin::EntryPoint::MQXmlElem_Value, 0);
  EXPECT_THAT(ChildNames(SectionInDocument()), ElementsAre("PosX", "PosX", "PosX"));

  settings_->SaveInteger("PosX", 9);
  EXPECT_THAT(ChildNames(SectionInDocument()), ElementsAre("PosX"));
  EXPECT_EQ(StoredSetting("PosX"), "9");
}

// A host that refuses the new element's text keeps the old element, and with
// it the stored value; the new, empty element goes again.
TEST_F(MQSettingTest, ARefusedTextKeepsTheStoredValue) {
  constexpr int kSetTextCall = 3;  // find, add, set the text
  settings_->SaveInteger("PosX", 120);
  standin::ClearCalls();
  standin::FailNthCall(standin::EntryPoint::MQXmlElem_Value, kSetTextCall);
  settings_->SaveInteger("PosX", 7);
  standin::FailNthCall(standin::EntryPoint::MQXmlElem_Value, 0);

  int loaded = 0;
  settings_->LoadInteger("PosX", loaded);
  EXPECT_EQ(loaded, 120);
  EXPECT_THAT(ChildNames(SectionInDocument()), ElementsAre("PosX"));
  EXPECT_EQ(StoredSetting("PosX"), "120");
}

// The answer of an element call is no promise: a host may answer 0 to every
// one it carries out.
int32_t ROWSHIFT_CALL AnswerZeroToEveryElementCall(void* element, int32_t code, void** values) {
  MQXmlElem_Value(element, code, values);
  return 0;
}

TEST_F(MQSettingTest, SavingAKeyTwiceLeavesOneElementWithTheLastValue) {
  for (const bool answers_zero : {false, true}) {
    SCOPED_TRACE(answers_zero ? "every element call answered 0" : "the stand-in's answers");
    if (answers_zero) {
      StoreSettings({});
      HostFunctions().MQXmlElem_Value = &AnswerZeroToEveryElementCall;
      settings_ = OpenSettingsSection(kProductId, kPluginId);
    }
    settings_->SaveInteger("PosX", 1);
    settings_->SaveFlag("Rowshift_activate", true);
    settings_->SaveInteger("PosX", 2);
    settings_->SaveFlag("Rowshift_activate", false);

    EXPECT_THAT(ChildNames(SectionInDocument()), ElementsAre("PosX", "Rowshift_activate"));
    EXPECT_EQ(StoredSetting("PosX"), "2");
    EXPECT_EQ(StoredSetting("Rowshift_activate"), "0");
  }
}

TEST_F(MQSettingTest, FlagsAreStoredAsOneAndZero) {
  for (const bool value : {true, false}) {
    settings_->SaveFlag("Rowshift_activate", value);
    bool loaded = !value;
    settings_->LoadFlag("Rowshift_activate", loaded);
    EXPECT_EQ(StoredSetting("Rowshift_activate"), value ? "1" : "0");
    EXPECT_EQ(loaded, value);
  }
}

TEST_F(MQSettingTest, EveryInt32SurvivesASaveAndALoad) {
  std::vector<int> values = {kMinInt, kMinInt + 1, -1, 0, 1, kMaxInt - 1, kMaxInt, 120, -10, 300};
  // A stride through the whole range that is odd, so it visits values of every parity.
  constexpr int64_t kStride = 214'749;
  for (int64_t value = kMinInt; value <= kMaxInt; value += kStride) {
    values.push_back(static_cast<int>(value));
  }
  for (const int value : values) {
    settings_->SaveInteger("PosX", value);
    int loaded = value == -1 ? 0 : -1;
    settings_->LoadInteger("PosX", loaded);
    ASSERT_EQ(loaded, value);
    ASSERT_EQ(StoredSetting("PosX"), std::to_string(value));
  }
  EXPECT_THAT(ChildNames(SectionInDocument()), ElementsAre("PosX"));
}

TEST_F(MQSettingTest, DeletingTheAccessorWritesNothing) {
  settings_->SaveInteger("PosY", 80);
  standin::ClearCalls();

  settings_.reset();

  EXPECT_THAT(ElementCalls(), IsEmpty());
  EXPECT_EQ(StoredSetting("PosY"), "80");
}

TEST_F(MQSettingTest, ANullKeyReadsAsMissingAndIsNeverSaved) {
  int integer = 3;
  bool flag = true;
  settings_->LoadInteger(nullptr, integer);
  settings_->LoadFlag(nullptr, flag);
  settings_->SaveInteger(nullptr, 7);
  settings_->SaveFlag(nullptr, true);

  EXPECT_EQ(integer, -1);
  EXPECT_FALSE(flag);
  EXPECT_THAT(ElementCalls(), IsEmpty());
}

// When the host could not add the section, the accessor holds no section
// element: it answers the defaults and never calls the host with a null element.
TEST_F(MQSettingTest, WithoutASectionLoadsGiveDefaultsAndSavesDoNothing) {
  standin::ResetSettingsDocument();
  standin::FailAddChildElement(true);
  settings_ = OpenSettingsSection(kProductId, kPluginId);
  ASSERT_NE(settings_, nullptr);
  standin::ClearCalls();

  settings_->SaveInteger("PosX", 120);
  settings_->SaveFlag("Rowshift_activate", true);
  int integer = 0;
  bool flag = true;
  settings_->LoadInteger("PosX", integer);
  settings_->LoadFlag("Rowshift_activate", flag);

  EXPECT_EQ(integer, -1);
  EXPECT_FALSE(flag);
  EXPECT_THAT(ElementCalls(), IsEmpty());
  EXPECT_THAT(ChildNames(standin::PluginSettingsElement()), IsEmpty());
}

// The section exists but the host cannot add a key's element: nothing is
// written through a null element and the old element keeps the stored value.
TEST_F(MQSettingTest, ASaveWhoseAddFailsKeepsTheStoredValue) {
  settings_->SaveInteger("PosX", 120);
  standin::FailAddChildElement(true);
  standin::ClearCalls();

  settings_->SaveInteger("PosX", 7);
  int integer = 0;
  settings_->LoadInteger("PosX", integer);

  EXPECT_THAT(ElementCalls(),
              ElementsAre("MQXmlElem_Value(Plugin-5D2E7C14-2A6B93F0, 0x201, \"PosX\") -> 1",
                          "MQXmlElem_Value(Plugin-5D2E7C14-2A6B93F0, 0x101, \"PosX\") -> 0",
                          "MQXmlElem_Value(Plugin-5D2E7C14-2A6B93F0, 0x201, \"PosX\") -> 1",
                          "MQXmlElem_Value(PosX, 0x302) -> 1"));
  EXPECT_EQ(integer, 120);
  EXPECT_THAT(ChildNames(SectionInDocument()), ElementsAre("PosX"));
}

TEST_F(MQSettingTest, WithoutElementOperationsLoadsGiveDefaultsAndSavesDoNothing) {
  HostFunctions().MQXmlElem_Value = nullptr;

  settings_->SaveInteger("PosX", 120);
  int integer = 0;
  settings_->LoadInteger("PosX", integer);

  EXPECT_EQ(integer, -1);
  EXPECT_THAT(ElementCalls(), IsEmpty());
}

}  // namespace
}  // namespace rowshift::testing
