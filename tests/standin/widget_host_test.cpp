// The stand-in host's widget host, which every widget and plug-in test relies
// on: ids, the widget tree, typed properties, hooks, "hide", and its faults.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "boundary/wide_literal.h"
#include "standin/call_log.h"
#include "standin/widget_control.h"
#include "standin/widget_exports.h"
#include "support/recording_closure.h"
#include "support/standin_in_process.h"
#include "support/widget_request_lines.h"
#include "widgets/button.h"
#include "widgets/canvas.h"
#include "widgets/frame.h"
#include "widgets/widget_requests.h"
#include "widgets/window.h"

namespace rowshift {
namespace {

using rowshift::testing::RecordingClosure;
using ::testing::ElementsAre;

static constexpr auto kLabel = Widen("up(&U)");

class StandinWidgetHostTest : public ::testing::Test {
 protected:
  rowshift::testing::WidgetTestHost host_;
  MQWindow main_window_ = MQWindow::FindMainWindow();
};

TEST_F(StandinWidgetHostTest, KeepsTypesParentsChildrenInAttachOrderAndTypedProperties) {
  MQWindow window(&main_window_);
  MQFrame* frame = window.NewVerticalFrame(&window);
  MQButton* first = window.NewButton(frame, kLabel.text);
  MQButton* second = window.NewButton(frame, kLabel.text);
  WriteDoubleProperty(frame->id(), kOutspaceProperty, 0.2);

  const auto frame_info = standin::FindWidget(frame->id());
  ASSERT_TRUE(frame_info.has_value());
  EXPECT_EQ(frame_info->type, "frame");
  EXPECT_EQ(frame_info->parent, window.id());
  EXPECT_THAT(frame_info->children, ElementsAre(first->id(), second->id()));
  EXPECT_EQ(frame_info->properties.at("alignment").text, "vert");
  EXPECT_EQ(frame_info->properties.at("outspace").kind, standin::WidgetValueKind::Double);
  EXPECT_EQ(frame_info->properties.at("outspace").double_value, 0.2);
  const auto button_info = standin::FindWidget(first->id());
  EXPECT_EQ(button_info->type, "button");
  EXPECT_EQ(button_info->properties.at("text").kind, standin::WidgetValueKind::WideText);
  EXPECT_EQ(button_info->properties.at("text").text, "up(&U)");
  for (int32_t id : standin::WidgetIds()) EXPECT_NE(id, 0);
}

TEST_F(StandinWidgetHostTest, HidingAVisibleWindowFiresHideOnceAfterTheWrite) {
  MQWindow window(&main_window_);
  std::vector<std::string> requests_at_hide;
  auto on_hide = std::make_shared<RecordingClosure>([&](MQWidgetBase*, void*, void*) {
    requests_at_hide = rowshift::testing::BriefRequests(static_cast<int32_t>(WidgetRequest::Write));
    return 0;
  });
  window.AddHandler("hide", on_hide, false);

  WriteBoolProperty(window.id(), kVisibleProperty, false);
  EXPECT_EQ(on_hide->calls, 0) << "a new window starts hidden";
  WriteBoolProperty(window.id(), kVisibleProperty, true);
  WriteBoolProperty(window.id(), kVisibleProperty, true);
  EXPECT_EQ(on_hide->calls, 0);
  WriteBoolProperty(window.id(), kVisibleProperty, false);
  EXPECT_EQ(on_hide->calls, 1);
  EXPECT_EQ(requests_at_hide.back(), "Write #2 visible=false");
  WriteBoolProperty(window.id(), kVisibleProperty, false);
  EXPECT_EQ(on_hide->calls, 1);
}

TEST_F(StandinWidgetHostTest, AUserClosingAVisibleWindowHidesItAndFiresHide) {
  MQWindow window(&main_window_);
  auto on_hide = std::make_shared<RecordingClosure>([](MQWidgetBase*, void*, void*) { return 0; });
  window.AddHandler("hide", on_hide, false);
  int document = 0;

  EXPECT_FALSE(standin::SimulateUserClose(window.id())) << "hidden: nothing to close";
  WriteBoolProperty(window.id(), kVisibleProperty, true);
  standin::ClearWidgetRequests();
  EXPECT_TRUE(standin::SimulateUserClose(window.id(), &document));

  EXPECT_EQ(on_hide->calls, 1);
  EXPECT_FALSE(standin::FindWidget(window.id())->properties.at("visible").bool_value);
  EXPECT_TRUE(standin::WidgetRequests().empty()) << "the user is not the plug-in";
}

TEST_F(StandinWidgetHostTest, DeletingAWidgetDropsItsHooksAndItsPlaceInItsParent) {
  auto window = std::make_unique<MQWindow>(&main_window_);
  MQButton* button = window->NewButton(window.get(), kLabel.text);
  button->AddHandler(
      "execute", std::make_shared<RecordingClosure>([](MQWidgetBase*, void*, void*) { return 1; }),
      false);
  const int32_t window_id = window->id();
  const int32_t button_id = button->id();
  ASSERT_EQ(standin::WidgetHooks(button_id).size(), 1u);
  ASSERT_EQ(standin::Click(button_id), 1);

  SendDelete(button_id);
  EXPECT_TRUE(standin::WidgetHooks(button_id).empty());
  EXPECT_FALSE(standin::FindWidget(button_id).has_value());
  EXPECT_TRUE(standin::FindWidget(window_id)->children.empty());
  EXPECT_EQ(standin::Click(button_id), 0);
}

TEST_F(StandinWidgetHostTest, AHookKeepsItsTypeProcPointerFunctionAndPrior) {
  MQWindow window(&main_window_);
  auto closure = std::make_shared<RecordingClosure>(nullptr);
  window.AddHandler("closequery", closure, false);
  const auto hooks = standin::WidgetHooks(window.id());
  ASSERT_EQ(hooks.size(), 1u);
  EXPECT_EQ(hooks[0].type, "closequery");
  EXPECT_EQ(hooks[0].pointer, closure.get());
  EXPECT_EQ(hooks[0].function, closure->Method());
  EXPECT_FALSE(hooks[0].prior);
  EXPECT_NE(hooks[0].proc, nullptr);
}

TEST_F(StandinWidgetHostTest, FaultSwitchesFailTheChosenCreatesAndWithholdTheMainWindow) {
  standin::FailNthCreate(2);
  MQFrame first;
  MQFrame second;
  MQFrame third;
  EXPECT_NE(first.id(), 0);
  EXPECT_EQ(second.id(), 0);
  EXPECT_NE(third.id(), 0);

  standin::FailCreatesOfType("window");
  MQWindow window(&main_window_);
  MQFrame frame;
  EXPECT_EQ(window.id(), 0);
  EXPECT_NE(frame.id(), 0);

  standin::WithholdMainWindow(true);
  EXPECT_EQ(SendSystemWidget(kMainWindowSystemName), -1);
  standin::ResetWidgetHost();
  EXPECT_EQ(SendSystemWidget(kMainWindowSystemName), standin::MainWindowId());
}

TEST_F(StandinWidgetHostTest, EveryRequestIsLoggedWithTheValuesTheHostWroteBack) {
  standin::ClearCalls();
  MQFrame frame;
  WriteBoolProperty(frame.id(), kVisibleProperty, true);
  void* host_canvas = standin::NewCanvas();
  { MQCanvas owned(host_canvas, true); }
  const std::vector<std::string> lines = standin::CallsStartingWith("MQ");
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0], "MQWidget_Value(#0, Create, type=\"frame\", id=0 (now 2)) -> 1");
  EXPECT_EQ(lines[1], "MQWidget_Value(#2, Write, visible=true) -> 1");
  EXPECT_EQ(lines[2].rfind("MQCanvas_Value(@", 0), 0u) << lines[2];
}

TEST_F(StandinWidgetHostTest, RequestsWithNullListsOrUnknownWidgetsAreRecordedAndChangeNothing) {
  EXPECT_EQ(MQWidget_Value(0, static_cast<int32_t>(WidgetRequest::Create), nullptr), 0);
  EXPECT_EQ(MQWidget_Value(99, static_cast<int32_t>(WidgetRequest::Delete), nullptr), 0);
  EXPECT_EQ(
      MQWidget_Value(standin::MainWindowId(), static_cast<int32_t>(WidgetRequest::Delete), nullptr),
      0);
  EXPECT_EQ(MQWidget_Value(0, 0x999, nullptr), 0);
  EXPECT_EQ(standin::WidgetRequests().size(), 5u);  // with the main window query
  EXPECT_TRUE(standin::WidgetRequests().back().null_list);
  EXPECT_THAT(standin::WidgetIds(), ElementsAre(standin::MainWindowId()));
}

}  // namespace
}  // namespace rowshift
