// The tool window: what it asks the host to build and to delete, in which
// order, and what its buttons and its "hide" event do.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/member_code_address.h"
#include "plugin/rowshift.h"
#include "plugin/rowshift_window.h"
#include "standin/call_log.h"
#include "standin/document_control.h"
#include "standin/settings_control.h"
#include "standin/widget_control.h"
#include "support/standin_in_process.h"
#include "support/tool_window.h"
#include "support/widget_request_lines.h"
#include "widgets/event_closure.h"
#include "widgets/widget_registry.h"
#include "widgets/widget_requests.h"
#include "widgets/window.h"

namespace rowshift::testing {
namespace {

using ::testing::ElementsAreArray;
using ::testing::IsEmpty;

constexpr int32_t kDeleteCode = static_cast<int32_t>(WidgetRequest::Delete);
constexpr int32_t kWindowClosedMessage = 100;

// Labels as the host keeps them (UTF-8 of the UTF-16 it was sent).
const std::vector<std::string> kLabels = {
    "insert (&H)ere\nfrom bottom", "up(&U)", "down(&D)", "top(&T)", "bottom(&B)", "gather(&G)"};

class ToolWindowTest : public ::testing::Test {
 protected:
  // Built the way start-up builds it: under a wrapper of the main window that
  // goes away afterwards.
  std::unique_ptr<RowshiftWindow> BuildWindow() {
    MQWindow main_window = MQWindow::FindMainWindow();
    return std::make_unique<RowshiftWindow>(&plugin_, &main_window);
  }

  void TearDown() override {
    plugin_.ShutDown();
    EXPECT_THAT(WrappedWidgetIds(), IsEmpty()) << "a wrapper outlived its test";
  }

  PluginTestHost host_;
  Rowshift plugin_;
};

TEST_F(ToolWindowTest, BuildingSendsEveryRequestInOrder) {
  const auto window = BuildWindow();

  // The main window is #1; new ids count up from 2: window, frame, six buttons.
  std::vector<std::string> expected = {
      "SystemWidget #0 system=\"main_window\" result=-1",
      "Create #0 type=\"window\" id=0",
      "AttachWindow #1 child=2 result=-1",
      "Write #2 title=L\"Rowshift\"",
      "Create #0 type=\"frame\" id=0",
      "Write #3 alignment=\"vert\"",
      "AttachChild #2 child=3 result=-1",
      "Write #3 inspace=0",
      "Write #3 outspace=0.2",
  };
  int32_t button = 4;
  for (const std::string& label : kLabels) {
    const std::string id = std::to_string(button++);
    expected.push_back("Create #0 type=\"button\" id=0");
    expected.push_back("Write #" + id + " text=L\"\"");
    expected.push_back("AttachChild #3 child=" + id + " result=-1");
    expected.push_back("Write #" + id + " text=L\"" + label + "\"");
    expected.push_back("HookEvent #" + id +
                       " type=\"execute\" proc=@ pointer=@ function=@ prior=false");
  }
  expected.push_back("HookEvent #2 type=\"hide\" proc=@ pointer=@ function=@ prior=false");
  EXPECT_THAT(BriefRequests(), ElementsAreArray(expected));
}

// The host reads the spacing as 8-byte doubles: an int or a float would not
// come back as exactly 0.0 and 0.2.
TEST_F(ToolWindowTest, SpacingGoesOutAsDoubles) {
  const auto window = BuildWindow();
  const auto frame = standin::FindWidget(ToolFrameId());
  EXPECT_EQ(frame->properties.at("inspace").double_value, 0.0);
  EXPECT_EQ(frame->properties.at("outspace").double_value, 0.2);
}

TEST_F(ToolWindowTest, SixButtonsInSubcommandOrderWithTheirLabels) {
  const auto window = BuildWindow();
  const std::vector<int32_t> buttons = ToolButtonIds();
  ASSERT_EQ(buttons.size(), kLabels.size());
  for (std::size_t row = 0; row < buttons.size(); ++row) {
    EXPECT_EQ(standin::FindWidget(buttons[row])->type, "button") << row;
    EXPECT_EQ(WidgetProperty(buttons[row], "text"), "L\"" + kLabels[row] + "\"") << row;
    EXPECT_EQ(standin::WidgetHooks(buttons[row]).size(), 1u) << row;
  }
  // The first label has two lines: one line feed, no carriage return.
  EXPECT_EQ(WidgetProperty(buttons[0], "text").find('\r'), std::string::npos);
  EXPECT_EQ(standin::FindWidget(ToolWindowId())->parent, standin::MainWindowId());
  EXPECT_EQ(standin::FindWidget(ToolFrameId())->properties.at("alignment").text, "vert");
  EXPECT_EQ(window->created().size(), 7u);
}

// Each registration hands the host the code address of the handler it binds.
TEST_F(ToolWindowTest, EachRegistrationNamesItsHandlersCodeAddress) {
  const auto window = BuildWindow();
  using platform::MemberCodeAddress;
  const std::vector<const void*> handlers = {
      MemberCodeAddress(&RowshiftWindow::OnInsert), MemberCodeAddress(&RowshiftWindow::OnUp),
      MemberCodeAddress(&RowshiftWindow::OnDown),   MemberCodeAddress(&RowshiftWindow::OnTop),
      MemberCodeAddress(&RowshiftWindow::OnBottom), MemberCodeAddress(&RowshiftWindow::OnGather)};
  const std::vector<int32_t> buttons = ToolButtonIds();
  ASSERT_EQ(buttons.size(), handlers.size());
  for (std::size_t row = 0; row < buttons.size(); ++row) {
    const std::vector<standin::WidgetHook> hooks = standin::WidgetHooks(buttons[row]);
    ASSERT_EQ(hooks.size(), 1u) << row;
    EXPECT_EQ(hooks[0].function, handlers[row]) << row;
  }
  const std::vector<standin::WidgetHook> window_hooks = standin::WidgetHooks(ToolWindowId());
  ASSERT_EQ(window_hooks.size(), 1u);
  EXPECT_EQ(window_hooks[0].function, MemberCodeAddress(&RowshiftWindow::OnHide));
}

TEST_F(ToolWindowTest, TitleIsTheDisplayTitle) {
  const auto window = BuildWindow();
  std::string display_title;
  for (const WideChar* unit = plugin_.GetDisplayTitle(); *unit != 0; ++unit) {
    display_title.push_back(static_cast<char>(*unit));
  }
  EXPECT_EQ(WidgetProperty(ToolWindowId(), "title"), "L\"" + display_title + "\"");
  EXPECT_EQ(display_title, "Rowshift");
}

TEST_F(ToolWindowTest, DestroyingDeletesFrameAndButtonsBeforeTheWindow) {
  auto window = BuildWindow();
  const int32_t window_id = window->id();
  std::vector<std::string> expected;
  for (MQWidgetBase* member : window->created()) {  // ascending address order
    expected.push_back("Delete #" + std::to_string(member->id()));
  }
  expected.push_back("Delete #" + std::to_string(window_id));

  bool enrolled_at_own_delete = true;
  host_.Observe([&](int32_t target, int32_t code, void**) {
    if (code == kDeleteCode && target == window_id) {
      enrolled_at_own_delete = LiveWidgets().Find(window_id) != nullptr;
    }
  });
  standin::ClearWidgetRequests();
  window.reset();

  EXPECT_THAT(BriefRequests(), ElementsAreArray(expected));
  EXPECT_EQ(expected.size(), 8u);
  EXPECT_FALSE(enrolled_at_own_delete) << "the window's entry outlived its own Delete";
  EXPECT_EQ(standin::WidgetIds(), std::vector<int32_t>{standin::MainWindowId()});
}

// A click runs exactly what the sub-command of the same index runs.
struct ClickCase {
  int32_t index;
  const char* before;
  bool changes;  // the operation does change this document
};

TEST_F(ToolWindowTest, EachButtonDoesWhatItsSubcommandDoes) {
  const std::vector<ClickCase> cases = {
      {0, "A [current]\nB\nC\n", true},
      {0, "A\nB [current]\n", false},
      {1, "P\n  P1\nQ [current]\n", true},
      {1, "P\nQ\n", false},
      {2, "A [current]\nB\nC\n", true},
      {3, "A\nB\n  B1 [selected]\nC [selected]\n", true},
      {4, "A [selected]\nB\nC\n", true},
      {5, "T [current selected]\nU [selected]\nV [selected]\n", true},
      {5, "T [current]\nU\n", false},
  };
  const auto window = BuildWindow();
  const std::vector<int32_t> buttons = ToolButtonIds();
  ASSERT_EQ(buttons.size(), 6u);
  for (const ClickCase& row : cases) {
    SCOPED_TRACE(std::to_string(row.index) + ": " + row.before);
    standin::Document clicked;
    standin::Document commanded;
    ASSERT_TRUE(clicked.LoadOutline(row.before));
    ASSERT_TRUE(commanded.LoadOutline(row.before));

    const int32_t click_result = standin::Click(buttons[row.index], clicked.Handle());
    const int32_t command_result = plugin_.RunSubcommand(commanded.Handle(), row.index);

    EXPECT_EQ(click_result, command_result);
    EXPECT_EQ(clicked.ToOutline(), commanded.ToOutline());
    if (row.changes) {
      EXPECT_NE(clicked.ToOutline(), row.before);
    } else {
      EXPECT_EQ(clicked.ToOutline(), row.before);
    }
  }
}

TEST_F(ToolWindowTest, ButtonsRunWhetherThePluginIsShownOrNot) {
  const auto window = BuildWindow();
  standin::Document document;
  ASSERT_TRUE(document.LoadOutline("A [current]\nB\n"));
  ASSERT_EQ(plugin_.IsShown(nullptr), 0);
  EXPECT_EQ(standin::Click(ToolButtonIds()[2], document.Handle()), 1);
  EXPECT_EQ(document.ToOutline(), "-\nB\nA [current]\n");
}

TEST_F(ToolWindowTest, AnExecuteAfterTheWindowIsGoneRunsNoHandler) {
  auto window = BuildWindow();
  const int32_t window_id = window->id();
  const int32_t down_button = ToolButtonIds()[2];
  const std::vector<standin::WidgetHook> hooks = standin::WidgetHooks(down_button);
  ASSERT_EQ(hooks.size(), 1u);
  window.reset();

  standin::Document document;
  ASSERT_TRUE(document.LoadOutline("A [current]\nB\n"));
  const std::string before = document.ToOutline();
  standin::ClearCalls();
  // The host's late event, as it would have sent it for the button.
  int32_t target_id = down_button;
  int32_t sender_id = down_button;
  void* list[] = {const_cast<char*>("target_id"),
                  &target_id,
                  const_cast<char*>("sender_id"),
                  &sender_id,
                  const_cast<char*>("type"),
                  const_cast<char*>("execute"),
                  nullptr};
  EXPECT_EQ(hooks[0].proc(document.Handle(), list, hooks[0].pointer), 0);
  EXPECT_EQ(document.ToOutline(), before);
  EXPECT_TRUE(standin::CallsStartingWith("MQDoc_").empty());
  EXPECT_EQ(LiveWidgets().Find(window_id), nullptr);
}

// A host may deliver a click or a "hide" from inside the Delete requests that
// destroying the window sends, its buttons' first. The window is going: no
// handler runs, the document is untouched and the host is not told that the
// user closed the window.
TEST_F(ToolWindowTest, EventsWhileTheWindowIsBeingDestroyedRunNoHandler) {
  ASSERT_EQ(plugin_.StartUp(), 1);
  ASSERT_EQ(plugin_.SetShown(nullptr, 1), 1);
  const int32_t window_id = ToolWindowId();
  const std::vector<int32_t> buttons = ToolButtonIds();
  standin::Document document;
  ASSERT_TRUE(document.LoadOutline("A [current]\nB\n"));
  const std::string before = document.ToOutline();
  std::vector<int32_t> answers;
  host_.Observe([&](int32_t, int32_t code, void**) {
    if (code != kDeleteCode) return;
    answers.push_back(standin::FireEvent(window_id, "hide", {}, document.Handle()));
    for (const int32_t button : buttons) {
      answers.push_back(standin::Click(button, document.Handle()));
    }
  });
  standin::ClearHostMessages();
  plugin_.ShutDown();
  host_.Observe(nullptr);

  EXPECT_EQ(answers.size(), 8u * 7u);
  EXPECT_THAT(answers, ::testing::Each(0));
  EXPECT_EQ(document.ToOutline(), before);
  EXPECT_EQ(standin::HostMessageCount(kWindowClosedMessage), 0);
}

TEST_F(ToolWindowTest, HideWhileHiddenChangesNothingAndSendsNothing) {
  ASSERT_EQ(plugin_.StartUp(), 1);
  ASSERT_EQ(plugin_.IsShown(nullptr), 0);
  standin::ClearWidgetRequests();
  standin::ClearHostMessages();

  EXPECT_EQ(standin::FireEvent(ToolWindowId(), "hide"), 0);
  EXPECT_EQ(plugin_.IsShown(nullptr), 0);
  EXPECT_TRUE(standin::HostMessages().empty());
  EXPECT_TRUE(standin::WidgetRequests().empty());
}

TEST_F(ToolWindowTest, UserCloseClearsTheFlagOnceAndASecondHideSendsNothing) {
  ASSERT_EQ(plugin_.StartUp(), 1);
  ASSERT_EQ(plugin_.SetShown(nullptr, 1), 1);
  standin::ClearHostMessages();

  ASSERT_TRUE(standin::SimulateUserClose(ToolWindowId()));
  EXPECT_EQ(plugin_.IsShown(nullptr), 0);
  EXPECT_EQ(standin::HostMessageCount(kWindowClosedMessage), 1);

  EXPECT_EQ(standin::FireEvent(ToolWindowId(), "hide"), 0);
  EXPECT_EQ(plugin_.IsShown(nullptr), 0);
  EXPECT_EQ(standin::HostMessageCount(kWindowClosedMessage), 1);
  ASSERT_EQ(standin::HostMessages().size(), 1u);
  const standin::RecordedMessage& closed = standin::HostMessages()[0];
  EXPECT_EQ(closed.product, kProductIdentifier);
  EXPECT_EQ(closed.plugin, kPluginIdentifier);
  EXPECT_EQ(closed.reserved, 0u);
  EXPECT_TRUE(closed.had_list);
  EXPECT_TRUE(closed.list_names.empty());
}

}  // namespace
}  // namespace rowshift::testing
