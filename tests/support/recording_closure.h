// A closure whose handler takes the event's record, for watching what the
// dispatcher hands over and what it writes back.
#pragma once

#include <cstdint>
#include <functional>
#include <utility>

#include "widgets/event_closure.h"

namespace rowshift::testing {

class RecordingClosure final : public rowshift::MQWidgetEventClosureBase {
 public:
  using Handler =
      std::function<int32_t(rowshift::MQWidgetBase* sender, void* document, void* record)>;

  explicit RecordingClosure(Handler handler) : handler_(std::move(handler)) {}

  int32_t Fire(rowshift::MQWidgetBase* sender, void* document, void* record) override {
    ++calls;
    return handler_ ? handler_(sender, document, record) : 0;
  }
  bool SameAs(const MQWidgetEventClosureBase& other) const override { return &other == this; }
  void* Target() const override { return nullptr; }
  const void* Method() const override { return &handler_; }

  int calls = 0;

 private:
  Handler handler_;
};

}  // namespace rowshift::testing
