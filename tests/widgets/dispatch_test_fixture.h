// A registered window to aim events at, with closures that take records.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "standin/widget_control.h"
#include "support/recording_closure.h"
#include "support/standin_in_process.h"
#include "widgets/window.h"

namespace rowshift::testing {

class DispatchTest : public ::testing::Test {
 protected:
  // Registers a closure for `event` on the window; the handler's answer is
  // what `handler` answers.
  std::shared_ptr<RecordingClosure> Register(const char* event, RecordingClosure::Handler handler) {
    auto closure = std::make_shared<RecordingClosure>(std::move(handler));
    window_->AddHandler(event, closure, false);
    return closure;
  }

  // The host fires `event` on the window with the given extra pairs.
  int32_t Fire(const std::string& event, const std::vector<standin::EventPair>& extra = {},
               void* document = nullptr) {
    return standin::FireEvent(window_->id(), event, extra, document);
  }

  static void* Value(void* value) { return value; }

  WidgetTestHost host_;
  rowshift::MQWindow main_window_ = rowshift::MQWindow::FindMainWindow();
  std::unique_ptr<rowshift::MQWindow> window_ = std::make_unique<rowshift::MQWindow>(&main_window_);
};

}  // namespace rowshift::testing
