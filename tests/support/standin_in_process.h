// Binds the host entry-point table straight to the stand-in host's exports in
// this process (the test links mqhost), so plug-in code runs against stand-in
// documents, widgets and settings without loading any module.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

namespace rowshift::testing {

// Fills every document and object slot of HostFunctions() with the stand-in's
// exports, and switches on the recording of document calls, which tests read.
// The other slots are left as they are.
void BindStandinDocumentFunctions();

// Empties every slot of HostFunctions().
void UnbindHostFunctions();

// The stand-in's live widgets (its main window included) that a wrapper is
// still enrolled under in the live-widget registry: none once every wrapper a
// test made is gone, as an owning wrapper deletes its widget when it goes.
std::vector<int32_t> WrappedWidgetIds();

// Binds on construction and empties the table on destruction, so a test
// leaves nothing bound behind it.
class ScopedStandinBinding {
 public:
  ScopedStandinBinding() { BindStandinDocumentFunctions(); }
  ~ScopedStandinBinding() { UnbindHostFunctions(); }
  ScopedStandinBinding(const ScopedStandinBinding&) = delete;
  ScopedStandinBinding& operator=(const ScopedStandinBinding&) = delete;
};

// Called with every MQWidget_Value request before the stand-in handles it; the
// list and its values are valid only during the call.
using RawRequestObserver = std::function<void(int32_t target, int32_t code, void** list)>;

// Binds the widget and canvas entry points for one test, on a freshly reset
// widget host, and lets a test look at each raw request while it is being
// made (before the stand-in answers it); empties those slots on destruction.
class WidgetTestHost {
 public:
  WidgetTestHost();
  ~WidgetTestHost();
  WidgetTestHost(const WidgetTestHost&) = delete;
  WidgetTestHost& operator=(const WidgetTestHost&) = delete;

  void Observe(RawRequestObserver observer);
};

// The whole stand-in for the plug-in's own tests: documents, widgets, host
// messages and the settings document, all fresh (the call log cleared); the
// whole table is emptied on destruction.
class PluginTestHost : public WidgetTestHost {
 public:
  PluginTestHost();
  ~PluginTestHost();
  PluginTestHost(const PluginTestHost&) = delete;
  PluginTestHost& operator=(const PluginTestHost&) = delete;

  // A host that calls back: runs `action` once, from inside the n-th host
  // message, settings element call or widget request from now (1 = the next),
  // before the stand-in answers it. Calls made by `action` are not counted.
  // n <= 0 disarms.
  void CallBackDuring(int n, std::function<void()> action);
  // Whether the action armed last has run.
  bool CalledBack() const;
};

}  // namespace rowshift::testing
