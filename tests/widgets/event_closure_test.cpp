// Handler closures bound to member operations of widget wrappers.
#include <gtest/gtest.h>

#include <memory>
#include <new>

#include "boundary/wide_literal.h"
#include "standin/widget_control.h"
#include "support/recording_closure.h"
#include "support/standin_in_process.h"
#include "widgets/button.h"
#include "widgets/event_closure.h"
#include "widgets/frame.h"
#include "widgets/widget_registry.h"
#include "widgets/window.h"

namespace rowshift {
namespace {

static constexpr auto kLabel = Widen("go");

// A window whose handlers count their calls in a counter that outlives it.
class CountingWindow : public MQWindow {
 public:
  CountingWindow(MQWindowBase* parent, int* calls) : MQWindow(parent), calls_(calls) {}
  int32_t OnGo(MQWidgetBase* sender, void* document) {
    ++*calls_;
    last_sender = sender;
    last_document = document;
    return 7;
  }
  int32_t OnStop(MQWidgetBase*, void*) { return 0; }

  MQWidgetBase* last_sender = nullptr;
  void* last_document = nullptr;

 private:
  int* calls_;
};

class EventClosureTest : public ::testing::Test {
 protected:
  rowshift::testing::WidgetTestHost host_;
  MQWindow main_window_ = MQWindow::FindMainWindow();
  int calls_ = 0;
};

TEST_F(EventClosureTest, FireCallsTheBoundOperationWithSenderAndDocument) {
  CountingWindow window(&main_window_, &calls_);
  MQWidgetEventClosure<CountingWindow> closure(&window, &CountingWindow::OnGo);
  int document = 0;
  int record = 0;

  EXPECT_EQ(closure.Fire(&main_window_, &document, &record), 7);
  EXPECT_EQ(calls_, 1);
  EXPECT_EQ(window.last_sender, &main_window_);
  EXPECT_EQ(window.last_document, &document);
  EXPECT_EQ(closure.Target(), &window);
}

// The id the target had when the closure was made plays no part.
TEST_F(EventClosureTest, SameAsComparesClosureTypeTargetAndOperation) {
  CountingWindow first(&main_window_, &calls_);
  CountingWindow second(&main_window_, &calls_);
  MQWidgetEventClosure<CountingWindow> go_first(&first, &CountingWindow::OnGo);
  MQWidgetEventClosure<CountingWindow> go_first_again(&first, &CountingWindow::OnGo);
  MQWidgetEventClosure<CountingWindow> stop_first(&first, &CountingWindow::OnStop);
  MQWidgetEventClosure<CountingWindow> go_second(&second, &CountingWindow::OnGo);
  rowshift::testing::RecordingClosure other_kind(nullptr);

  EXPECT_TRUE(go_first.SameAs(go_first_again));
  EXPECT_FALSE(go_first.SameAs(stop_first));
  EXPECT_FALSE(go_first.SameAs(go_second));
  EXPECT_FALSE(go_first.SameAs(other_kind));
}

// What takes the destroyed target's place: nothing, or a new window that the
// host gives the target's id, made elsewhere in memory or at the target's own
// address.
enum class Successor { kNone, kSameId, kSameIdAndAddress };

TEST_F(EventClosureTest, AClosureWhoseTargetIsGoneAnswersZeroEvenWhileStillHeld) {
  for (const Successor successor :
       {Successor::kNone, Successor::kSameId, Successor::kSameIdAndAddress}) {
    SCOPED_TRACE(static_cast<int>(successor));
    standin::ReuseWidgetIds(successor != Successor::kNone);
    int successor_calls = 0;
    CountingWindow holder(&main_window_, &calls_);
    MQButton* button = holder.NewButton(nullptr, kLabel.text);
    alignas(CountingWindow) unsigned char storage[sizeof(CountingWindow)];
    auto* target = new (storage) CountingWindow(&main_window_, &calls_);
    const int32_t target_id = target->id();
    button->BindExecute(target, &CountingWindow::OnGo);
    std::shared_ptr<MQWidgetEventClosureBase> held = button->handlers().at(0);
    calls_ = 0;

    EXPECT_EQ(standin::Click(button->id()), 7);
    target->~CountingWindow();
    std::unique_ptr<CountingWindow> elsewhere;
    CountingWindow* next = nullptr;
    if (successor == Successor::kSameId) {
      next = (elsewhere = std::make_unique<CountingWindow>(&main_window_, &successor_calls)).get();
    } else if (successor == Successor::kSameIdAndAddress) {
      next = new (storage) CountingWindow(&main_window_, &successor_calls);
    }
    if (next != nullptr) {
      EXPECT_EQ(next->id(), target_id) << "the host gave the id again";
    }

    EXPECT_EQ(standin::Click(button->id()), 0);
    EXPECT_EQ(held->Fire(nullptr, nullptr, nullptr), 0);
    EXPECT_EQ(calls_, 1);
    EXPECT_EQ(successor_calls, 0);
    if (successor == Successor::kSameIdAndAddress) next->~CountingWindow();
  }
}

TEST_F(EventClosureTest, AClosureMadeForAnUnregisteredTargetNeverRuns) {
  CountingWindow target(&main_window_, &calls_);
  standin::FailNthCreate(1);
  CountingWindow failed(&main_window_, &calls_);  // id 0, never enrolled
  MQWidgetEventClosure<CountingWindow> closure(&failed, &CountingWindow::OnGo);
  EXPECT_EQ(closure.Fire(nullptr, nullptr, nullptr), 0);
  EXPECT_EQ(calls_, 0);
}

// "function" names the operation itself: every closure of one operation gives
// the same address, whatever its target, and it lies outside the closure.
TEST_F(EventClosureTest, MethodIsTheBoundOperationsCodeAddress) {
  CountingWindow window(&main_window_, &calls_);
  CountingWindow other_window(&main_window_, &calls_);
  MQWidgetEventClosure<CountingWindow> one(&window, &CountingWindow::OnGo);
  MQWidgetEventClosure<CountingWindow> two(&window, &CountingWindow::OnGo);
  MQWidgetEventClosure<CountingWindow> elsewhere(&other_window, &CountingWindow::OnGo);
  MQWidgetEventClosure<CountingWindow> stop(&window, &CountingWindow::OnStop);
  EXPECT_NE(one.Method(), nullptr);
  EXPECT_EQ(one.Method(), two.Method());
  EXPECT_EQ(one.Method(), elsewhere.Method());
  EXPECT_NE(one.Method(), stop.Method());
  const auto* method = static_cast<const char*>(one.Method());
  const auto* closure = reinterpret_cast<const char*>(&one);
  EXPECT_FALSE(method >= closure && method < closure + sizeof one);
}

TEST_F(EventClosureTest, TheLastReferenceFreesAClosureWithItsWidget) {
  std::weak_ptr<MQWidgetEventClosureBase> watched;
  {
    CountingWindow window(&main_window_, &calls_);
    MQButton* button = window.NewButton(nullptr, kLabel.text);
    button->BindExecute(&window, &CountingWindow::OnGo);
    watched = button->handlers().at(0);
    EXPECT_EQ(watched.use_count(), 1) << "only the button holds it";
  }
  EXPECT_TRUE(watched.expired());
}

}  // namespace
}  // namespace rowshift
