// Widget wrappers: the requests they send while being built and destroyed, and
// how they enter and leave the live-widget registry.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <type_traits>
#include <vector>

#include "boundary/wide_literal.h"
#include "standin/widget_control.h"
#include "support/standin_in_process.h"
#include "support/widget_request_lines.h"
#include "widgets/button.h"
#include "widgets/canvas.h"
#include "widgets/event_closure.h"
#include "widgets/frame.h"
#include "widgets/widget_registry.h"
#include "widgets/widget_requests.h"
#include "widgets/window.h"

namespace rowshift {
namespace {

using rowshift::testing::BriefRequests;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

constexpr int32_t kDeleteCode = static_cast<int32_t>(WidgetRequest::Delete);

static constexpr auto kTitle = Widen("Tool");
static constexpr auto kEmpty = Widen("");
static constexpr auto kUpLabel = Widen("up(&U)");
static constexpr auto kDownLabel = Widen("down(&D)");

// A tool window built the way the plug-in builds its own: a frame with two
// labelled buttons bound to the window, and a "hide" handler.
class ToolWindow : public MQWindow {
 public:
  explicit ToolWindow(MQWindowBase* parent) : MQWindow(parent) {
    WriteWideTextProperty(id(), kTitleProperty, kTitle.text);
    frame = NewVerticalFrame(this);
    WriteDoubleProperty(frame->id(), kInspaceProperty, 0.0);
    WriteDoubleProperty(frame->id(), kOutspaceProperty, 0.2);
    for (const WideChar* label : {kUpLabel.text, kDownLabel.text}) {
      MQButton* button = NewButton(frame, kEmpty.text);
      WriteWideTextProperty(button->id(), kTextProperty, label);
      button->BindExecute(this, &ToolWindow::OnClick);
      buttons.push_back(button);
    }
    AddHandler(kHideEvent,
               std::make_shared<MQWidgetEventClosure<ToolWindow>>(this, &ToolWindow::OnHide),
               false);
  }

  int32_t OnClick(MQWidgetBase* /*sender*/, void* /*document*/) { return 1; }
  int32_t OnHide(MQWidgetBase* /*sender*/, void* /*document*/) { return 0; }

  MQFrame* frame = nullptr;
  std::vector<MQButton*> buttons;
};

// A copy of an owning wrapper would delete its host widget twice, and the
// registry names wrappers by address: no wrapper can be copied or moved.
template <typename Wrapper>
constexpr bool kPinned =
    !std::is_copy_constructible_v<Wrapper> && !std::is_copy_assignable_v<Wrapper> &&
    !std::is_move_constructible_v<Wrapper> && !std::is_move_assignable_v<Wrapper>;
static_assert(kPinned<MQWidgetBase> && kPinned<MQWindowBase> && kPinned<MQWindow> &&
                  kPinned<MQFrame> && kPinned<MQButton> && kPinned<MQCanvas>,
              "wrappers are neither copyable nor movable");

class WidgetClassesTest : public ::testing::Test {
 protected:
  void TearDown() override {
    EXPECT_THAT(testing::WrappedWidgetIds(), IsEmpty()) << "a wrapper outlived its test";
  }

  rowshift::testing::WidgetTestHost host_;
};

TEST_F(WidgetClassesTest, BuildingAToolWindowSendsTheRequestsInOrder) {
  MQWindow main_window = MQWindow::FindMainWindow();
  ToolWindow window(&main_window);

  // Ids are handed out from 2 on; the main window is 1.
  EXPECT_THAT(BriefRequests(),
              ElementsAre("SystemWidget #0 system=\"main_window\" result=-1",
                          "Create #0 type=\"window\" id=0", "AttachWindow #1 child=2 result=-1",
                          "Write #2 title=L\"Tool\"", "Create #0 type=\"frame\" id=0",
                          "Write #3 alignment=\"vert\"", "AttachChild #2 child=3 result=-1",
                          "Write #3 inspace=0", "Write #3 outspace=0.2",
                          "Create #0 type=\"button\" id=0", "Write #4 text=L\"\"",
                          "AttachChild #3 child=4 result=-1", "Write #4 text=L\"up(&U)\"",
                          "HookEvent #4 type=\"execute\" proc=@ pointer=@ function=@ prior=false",
                          "Create #0 type=\"button\" id=0", "Write #5 text=L\"\"",
                          "AttachChild #3 child=5 result=-1", "Write #5 text=L\"down(&D)\"",
                          "HookEvent #5 type=\"execute\" proc=@ pointer=@ function=@ prior=false",
                          "HookEvent #2 type=\"hide\" proc=@ pointer=@ function=@ prior=false"));

  EXPECT_EQ(standin::FindWidget(2)->parent, standin::MainWindowId());
  EXPECT_THAT(standin::FindWidget(2)->children, ElementsAre(3));
  EXPECT_THAT(standin::FindWidget(3)->children, ElementsAre(4, 5));
  EXPECT_EQ(LiveWidgets().Find(2), &window);
  EXPECT_EQ(LiveWidgets().Find(3), window.frame);
  EXPECT_EQ(LiveWidgets().Find(4), window.buttons[0]);
  EXPECT_EQ(window.created().size(), 3u);
}

TEST_F(WidgetClassesTest, DestroyingAToolWindowDeletesItsMembersFirstInAddressOrder) {
  MQWindow main_window = MQWindow::FindMainWindow();
  auto window = std::make_unique<ToolWindow>(&main_window);
  // The order is worked out from the members themselves, not from the
  // window's own set, so a set that kept another order would show.
  std::vector<MQWidgetBase*> members(window->buttons.begin(), window->buttons.end());
  members.push_back(window->frame);
  std::sort(members.begin(), members.end(), [](MQWidgetBase* a, MQWidgetBase* b) {
    return reinterpret_cast<std::uintptr_t>(a) < reinterpret_cast<std::uintptr_t>(b);
  });
  std::vector<std::string> expected;
  for (MQWidgetBase* member : members)
    expected.push_back("Delete #" + std::to_string(member->id()));
  expected.push_back("Delete #2");

  // When the window's own Delete goes out, its registry entry must be gone.
  bool window_enrolled_at_its_delete = true;
  host_.Observe([&](int32_t target, int32_t code, void**) {
    if (code == kDeleteCode && target == 2) window_enrolled_at_its_delete = LiveWidgets().Find(2);
  });
  standin::ClearWidgetRequests();
  window.reset();

  EXPECT_EQ(BriefRequests(), expected);
  EXPECT_FALSE(window_enrolled_at_its_delete);
  EXPECT_THAT(standin::WidgetIds(), ElementsAre(standin::MainWindowId()));
  EXPECT_EQ(LiveWidgets().Find(standin::MainWindowId()), &main_window);
}

TEST_F(WidgetClassesTest, TheMainWindowWrapperIsTheEnrolledOneAndNeverDeletesTheHostWindow) {
  {
    MQWindow main_window = MQWindow::FindMainWindow();
    EXPECT_EQ(main_window.id(), standin::MainWindowId());
    EXPECT_FALSE(main_window.owned());
    EXPECT_EQ(LiveWidgets().Find(main_window.id()), &main_window);
  }
  EXPECT_TRUE(BriefRequests(kDeleteCode).empty());
  EXPECT_EQ(LiveWidgets().Find(standin::MainWindowId()), nullptr);
  EXPECT_TRUE(standin::FindWidget(standin::MainWindowId()).has_value());
}

TEST_F(WidgetClassesTest, AnUnansweredMainWindowQueryUsesMinusOneUnchecked) {
  standin::WithholdMainWindow(true);
  MQWindow main_window = MQWindow::FindMainWindow();
  EXPECT_EQ(main_window.id(), -1);
  {
    MQWindow window(&main_window);
    EXPECT_THAT(BriefRequests(static_cast<int32_t>(WidgetRequest::AttachWindow)),
                ElementsAre("AttachWindow #-1 child=2 result=-1"));
  }
  EXPECT_THAT(BriefRequests(kDeleteCode), ElementsAre("Delete #2"));
}

TEST_F(WidgetClassesTest, AFailedFrameCreateLeavesAnUnownedUnregisteredFrameThatIsStillUsed) {
  MQWindow main_window = MQWindow::FindMainWindow();
  standin::FailCreatesOfType("frame");
  auto window = std::make_unique<MQWindow>(&main_window);

  MQFrame* frame = window->NewVerticalFrame(window.get());

  EXPECT_EQ(frame->id(), 0);
  EXPECT_FALSE(frame->owned());
  EXPECT_EQ(LiveWidgets().Find(0), nullptr);
  EXPECT_EQ(window->created().count(frame), 1u);
  MQButton* button = window->NewButton(frame, kEmpty.text);
  EXPECT_THAT(BriefRequests(static_cast<int32_t>(WidgetRequest::AttachChild)),
              ElementsAre("AttachChild #2 child=0 result=-1", "AttachChild #0 child=3 result=-1"));
  EXPECT_EQ(button->id(), 3);

  standin::ClearWidgetRequests();
  window.reset();
  EXPECT_THAT(BriefRequests(), ElementsAre("Delete #3", "Delete #2"));
}

TEST_F(WidgetClassesTest, AButtonWhoseCreateFailedIsStillAdoptedLabelledAndFreedSilently) {
  MQWindow main_window = MQWindow::FindMainWindow();
  auto window = std::make_unique<MQWindow>(&main_window);
  MQFrame* frame = window->NewVerticalFrame(window.get());
  standin::FailNthCreate(1);
  standin::ClearWidgetRequests();

  MQButton* button = window->NewButton(frame, kUpLabel.text);

  EXPECT_EQ(button->id(), 0);
  EXPECT_EQ(window->created().count(button), 1u);
  EXPECT_THAT(BriefRequests(),
              ElementsAre("Create #0 type=\"button\" id=0", "Write #0 text=L\"up(&U)\"",
                          "AttachChild #3 child=0 result=-1"));
  standin::ClearWidgetRequests();
  window.reset();
  EXPECT_THAT(BriefRequests(), ElementsAre("Delete #3", "Delete #2"));
}

TEST_F(WidgetClassesTest, AButtonWithoutParentIsNotAttached) {
  MQWindow main_window = MQWindow::FindMainWindow();
  MQWindow window(&main_window);
  standin::ClearWidgetRequests();
  window.NewButton(nullptr, kEmpty.text);
  EXPECT_THAT(BriefRequests(),
              ElementsAre("Create #0 type=\"button\" id=0", "Write #3 text=L\"\""));
}

TEST_F(WidgetClassesTest, AdoptingTheSameWrapperTwiceOwnsItOnce) {
  MQWindow main_window = MQWindow::FindMainWindow();
  auto window = std::make_unique<MQWindow>(&main_window);
  auto* frame = new MQFrame;
  window->Adopt(frame);
  window->Adopt(frame);
  window->Adopt(nullptr);
  EXPECT_EQ(window->created().size(), 1u);
  standin::ClearWidgetRequests();
  window.reset();  // a double delete would show under the sanitizers
  EXPECT_THAT(BriefRequests(), ElementsAre("Delete #3", "Delete #2"));
}

TEST_F(WidgetClassesTest, AWrapperOfIdZeroIsNotEnrolledAndItsDestructionSendsNothing) {
  {
    MQWidgetBase nothing(0);
    EXPECT_EQ(LiveWidgets().Find(0), nullptr);
  }
  EXPECT_TRUE(standin::WidgetRequests().empty());
}

// A host that reuses ids can have two wrappers of one id alive at once, the
// start-up's main-window wrapper among them: the second must not take the
// first one's entry away.
TEST_F(WidgetClassesTest, OfTwoWrappersWithOneIdTheFirstEnrolledWinsAndOnlyItLeavesTheEntry) {
  for (bool destroy_first : {true, false}) {
    SCOPED_TRACE(destroy_first ? "destroying the first" : "destroying the second");
    auto first = std::make_unique<MQWidgetBase>(9);
    auto second = std::make_unique<MQWidgetBase>(9);
    EXPECT_EQ(LiveWidgets().Find(9), first.get());
    (destroy_first ? first : second).reset();
    EXPECT_EQ(LiveWidgets().Find(9), destroy_first ? nullptr : first.get());
    first.reset();
    second.reset();
    EXPECT_EQ(LiveWidgets().Find(9), nullptr);
  }
  EXPECT_TRUE(BriefRequests(kDeleteCode).empty());
  {
    MQWindow window(nullptr);
    { MQWindow same_id(window.id()); }
    EXPECT_EQ(LiveWidgets().Find(window.id()), &window);
  }
  EXPECT_THAT(BriefRequests(kDeleteCode), ElementsAre("Delete #2"));
}

TEST_F(WidgetClassesTest, OnlyAnOwningCanvasReleasesItsHandle) {
  void* host_canvas = standin::NewCanvas();
  { MQCanvas borrowed(host_canvas, false); }
  EXPECT_TRUE(standin::WidgetRequests().empty());
  { MQCanvas owned(host_canvas, true); }
  ASSERT_EQ(standin::WidgetRequests().size(), 1u);
  const auto& request = standin::WidgetRequests()[0];
  EXPECT_TRUE(request.on_canvas);
  EXPECT_EQ(request.canvas, host_canvas);
  EXPECT_EQ(request.code, static_cast<int32_t>(CanvasRequest::Delete));
  EXPECT_TRUE(request.pairs.empty());
  EXPECT_FALSE(request.null_list);
}

}  // namespace
}  // namespace rowshift
