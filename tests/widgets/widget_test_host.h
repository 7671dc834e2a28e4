// Binds the stand-in host's widget entry points into HostFunctions() for one
// test, on a freshly reset widget host, and lets a test look at each raw
// request while it is being made (before the stand-in answers it).
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "boundary/host_functions.h"
#include "platform/abi.h"
#include "standin/widget_control.h"
#include "support/widget_request_lines.h"

namespace rowshift::testing {

// Wide text from an ASCII literal, for tests that run on every platform; make
// it static so the text has static storage, as all text handed to the host.
template <std::size_t Size>
struct WideLiteral {
  constexpr explicit WideLiteral(const char (&ascii)[Size]) : text{} {
    for (std::size_t index = 0; index < Size; ++index) text[index] = ascii[index];
  }
  rowshift::WideChar text[Size];
};

// Called with every MQWidget_Value request before the stand-in handles it; the
// list and its values are valid only during the call.
using RawRequestObserver = std::function<void(int32_t target, int32_t code, void** list)>;

class WidgetTestHost {
 public:
  WidgetTestHost();
  ~WidgetTestHost();
  WidgetTestHost(const WidgetTestHost&) = delete;
  WidgetTestHost& operator=(const WidgetTestHost&) = delete;

  void Observe(RawRequestObserver observer);
};

}  // namespace rowshift::testing
