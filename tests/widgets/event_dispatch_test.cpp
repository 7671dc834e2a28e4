// Routing host widget events to handlers: which events reach which closure, and
// the ones that must answer 0 without running anything.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "boundary/wide_literal.h"
#include "dispatch_test_fixture.h"
#include "widgets/button.h"
#include "widgets/widget_event_dispatch.h"
#include "widgets/widget_registry.h"

namespace rowshift {
namespace {

using rowshift::testing::DispatchTest;
using rowshift::testing::RecordingClosure;

using EventDispatchTest = DispatchTest;

static constexpr auto kLabel = Widen("go");

// A raw event list the way the host builds one, closed by a null name.
struct EventList {
  EventList(int32_t target, int32_t sender, const char* type)
      : target_id(target), sender_id(sender) {
    slots = {const_cast<char*>("target_id"), &target_id, const_cast<char*>("sender_id"),
             &sender_id};
    if (type != nullptr) {
      slots.push_back(const_cast<char*>("type"));
      slots.push_back(const_cast<char*>(type));
    }
    slots.push_back(nullptr);
  }
  int32_t target_id;
  int32_t sender_id;
  std::vector<void*> slots;
};

TEST_F(EventDispatchTest, AnEventReachesItsClosureWithSenderAndDocumentAndAnswersItsResult) {
  MQWidgetBase* sender = nullptr;
  void* document = nullptr;
  Register("execute", [&](MQWidgetBase* event_sender, void* event_document, void*) {
    sender = event_sender;
    document = event_document;
    return 42;
  });
  int host_document = 0;

  EXPECT_EQ(Fire("execute", {}, &host_document), 42);
  EXPECT_EQ(sender, window_.get());
  EXPECT_EQ(document, &host_document);
}

TEST_F(EventDispatchTest, AnUnregisteredSenderGivesTheHandlerNoSender) {
  MQWidgetBase* sender = window_.get();
  auto closure = Register("execute", [&](MQWidgetBase* event_sender, void*, void*) {
    sender = event_sender;
    return 1;
  });
  EventList list(window_->id(), 777, "execute");
  EXPECT_EQ(DispatchWidgetEvent(nullptr, list.slots.data(), closure.get()), 1);
  EXPECT_EQ(sender, nullptr);
}

TEST_F(EventDispatchTest, EventsThatNameNoHeldRegistrationAnswerZeroAndRunNothing) {
  auto closure = Register("execute", [](MQWidgetBase*, void*, void*) { return 1; });
  RecordingClosure stranger(nullptr);
  EventList good(window_->id(), window_->id(), "execute");
  EventList untyped(window_->id(), window_->id(), nullptr);
  EventList unknown_target(555, window_->id(), "execute");
  EventList no_widget(0, 0, "execute");
  void* empty[] = {nullptr};

  EXPECT_EQ(DispatchWidgetEvent(nullptr, nullptr, closure.get()), 0) << "null list";
  EXPECT_EQ(DispatchWidgetEvent(nullptr, good.slots.data(), nullptr), 0) << "null option";
  EXPECT_EQ(DispatchWidgetEvent(nullptr, empty, closure.get()), 0) << "empty list";
  EXPECT_EQ(DispatchWidgetEvent(nullptr, untyped.slots.data(), closure.get()), 0) << "no type";
  EXPECT_EQ(DispatchWidgetEvent(nullptr, unknown_target.slots.data(), closure.get()), 0);
  EXPECT_EQ(DispatchWidgetEvent(nullptr, no_widget.slots.data(), closure.get()), 0);
  EXPECT_EQ(DispatchWidgetEvent(nullptr, good.slots.data(), &stranger), 0) << "not registered";
  EXPECT_EQ(closure->calls, 0);
  EXPECT_EQ(stranger.calls, 0);

  EXPECT_EQ(DispatchWidgetEvent(nullptr, good.slots.data(), closure.get()), 1);
}

TEST_F(EventDispatchTest, OnlyTheClosureNamedByTheRegistrationRuns) {
  auto first = Register("execute", [](MQWidgetBase*, void*, void*) { return 1; });
  auto second = Register("execute", [](MQWidgetBase*, void*, void*) { return 2; });
  EventList list(window_->id(), window_->id(), "execute");
  EXPECT_EQ(DispatchWidgetEvent(nullptr, list.slots.data(), second.get()), 2);
  EXPECT_EQ(first->calls, 0);
  EXPECT_EQ(second->calls, 1);
}

TEST_F(EventDispatchTest, ATimerHandlerRunsOnceAndIsFreedAfterwards) {
  std::weak_ptr<RecordingClosure> watched;
  bool record_was_null = false;
  {
    auto closure = Register("timer", [&](MQWidgetBase*, void*, void* record) {
      record_was_null = record == nullptr;
      return 5;
    });
    watched = closure;
  }
  auto other = Register("execute", [](MQWidgetBase*, void*, void*) { return 1; });

  EXPECT_EQ(Fire("timer"), 5);
  EXPECT_TRUE(record_was_null);
  EXPECT_TRUE(watched.expired()) << "the window held the only reference";
  ASSERT_EQ(window_->handlers().size(), 1u);
  EXPECT_EQ(window_->handlers()[0], other) << "later handlers move up";

  EXPECT_EQ(Fire("timer"), 0) << "the host still calls, but the registration is gone";
}

TEST_F(EventDispatchTest, ATimerClosureStillHeldElsewhereSurvivesItsOneRun) {
  auto closure = Register("timer", [](MQWidgetBase*, void*, void*) { return 5; });
  EXPECT_EQ(Fire("timer"), 5);
  EXPECT_EQ(Fire("timer"), 0);
  EXPECT_EQ(closure->calls, 1);
  EXPECT_EQ(closure.use_count(), 1);
}

TEST_F(EventDispatchTest, AClickAfterItsWindowWasDestroyedAnswersZero) {
  int clicks = 0;
  struct ButtonWindow : MQWindow {
    ButtonWindow(MQWindowBase* parent, int* counter) : MQWindow(parent), clicks(counter) {
      button = NewButton(nullptr, kLabel.text);
      button->BindExecute(this, &ButtonWindow::OnClick);
    }
    int32_t OnClick(MQWidgetBase*, void*) { return ++*clicks; }
    MQButton* button = nullptr;
    int* clicks;
  };
  auto window = std::make_unique<ButtonWindow>(&main_window_, &clicks);
  const int32_t button_id = window->button->id();
  const std::vector<standin::WidgetHook> hooks = standin::WidgetHooks(button_id);
  ASSERT_EQ(hooks.size(), 1u);
  EXPECT_EQ(standin::Click(button_id), 1);

  window.reset();
  // The host's own hook went with its widget; a late event still arrives.
  EventList late(button_id, button_id, "execute");
  EXPECT_EQ(hooks[0].proc(nullptr, late.slots.data(), hooks[0].pointer), 0);
  EXPECT_EQ(clicks, 1);
}

TEST_F(EventDispatchTest, EventsAimedAtADestroyedWrapperAnswerZero) {
  auto closure = Register("execute", [](MQWidgetBase*, void*, void*) { return 1; });
  EventList list(window_->id(), window_->id(), "execute");
  window_.reset();
  EXPECT_EQ(DispatchWidgetEvent(nullptr, list.slots.data(), closure.get()), 0);
  EXPECT_EQ(closure->calls, 0);
}

}  // namespace
}  // namespace rowshift
