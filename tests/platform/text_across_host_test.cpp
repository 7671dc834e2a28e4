// Text crossing into the stand-in host through the settings store and the
// widget layer, on each system's own converter: key names go out in the
// active code page, values and labels in UTF-16, and the host must hold the
// same characters as UTF-8.
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "settings/open_settings.h"
#include "settings/xml_element.h"
#include "standin/settings_control.h"
#include "standin/widget_control.h"
#include "support/standin_in_process.h"
#include "support/standin_settings.h"
#include "system_text_cases.h"
#include "widgets/widget_requests.h"

namespace rowshift::testing {
namespace {

constexpr int kStoredValue = 7;

// Wide text spelled unit by unit (so it reads the same where WideChar is
// wchar_t and where it is char16_t), with the UTF-8 the host must see.
struct WideTextCase {
  const char* what;
  WideChar text[12];
  const char* utf8;
};

constexpr WideTextCase kWideTextCases[] = {
    {"ASCII label", {'u', 'p', '(', '&', 'U', ')'}, "up(&U)"},
    {"Latin letters",
     {'G', 'r', 0x00F6, 0x00DF, 'e'},
     "Gr\xC3\xB6\xC3\x9F"
     "e"},
    {"Japanese",
     {0x8A2D, 0x5B9A, ' ', 0x4E0A, 0x3078},
     "\xE8\xA8\xAD\xE5\xAE\x9A \xE4\xB8\x8A\xE3\x81\xB8"},
    {"outside the basic plane", {'<', 0xD83D, 0xDCD0, '>'}, "<\xF0\x9F\x93\x90>"},
};

class TextAcrossHostTest : public StandInSettingsTest {
 protected:
  void SetUp() override {
    StandInSettingsTest::SetUp();
    settings_ = OpenSettingsSection(kProductId, kPluginId);
    ASSERT_NE(settings_, nullptr);
    ASSERT_NE(SectionInDocument(), nullptr);
  }

  WidgetTestHost widgets_;
  std::unique_ptr<MQSetting> settings_;
};

TEST_F(TextAcrossHostTest, NarrowKeyInTheActiveCodePageReachesTheSettingsTreeAsUtf8) {
  const auto rows = ActiveCodePageCases();
  ASSERT_FALSE(rows.empty()) << "no rows for code page " << kActiveCodePage;
  for (const auto& row : rows) {
    settings_->SaveInteger(row.system_text, kStoredValue);
    EXPECT_NE(standin::SettingsChildNamed(SectionInDocument(), row.utf8), nullptr) << row.utf8;
    int loaded = 0;
    settings_->LoadInteger(row.system_text, loaded);
    EXPECT_EQ(loaded, kStoredValue) << row.utf8;
  }
}

TEST_F(TextAcrossHostTest, WideSettingsTextRoundTripsThroughTheHostAsUtf8) {
  for (const WideTextCase& row : kWideTextCases) {
    void* element = AddChildElement(SectionInDocument(), "Label");
    ASSERT_NE(element, nullptr) << row.what;
    SetElementText(element, row.text);
    EXPECT_EQ(standin::SettingsElementText(element), std::optional<std::string>(row.utf8))
        << row.what;
    WideString read_back;
    EXPECT_TRUE(GetElementText(element, read_back)) << row.what;
    EXPECT_EQ(read_back, WideString(row.text)) << row.what;
  }
}

TEST_F(TextAcrossHostTest, WideButtonLabelReachesTheWidgetHostAsUtf8) {
  for (const WideTextCase& row : kWideTextCases) {
    int32_t button = 0;
    SendCreate(kButtonType, &button);
    ASSERT_NE(button, 0) << row.what;
    WriteWideTextProperty(button, kTextProperty, row.text);
    const std::optional<standin::WidgetInfo> info = standin::FindWidget(button);
    ASSERT_TRUE(info.has_value()) << row.what;
    const auto text = info->properties.find(kTextProperty);
    ASSERT_NE(text, info->properties.end()) << row.what;
    EXPECT_EQ(text->second.kind, standin::WidgetValueKind::WideText) << row.what;
    EXPECT_EQ(text->second.text, row.utf8) << row.what;
  }
}

}  // namespace
}  // namespace rowshift::testing
