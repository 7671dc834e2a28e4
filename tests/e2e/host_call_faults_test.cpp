// Every operation with one host call failing: for each entry point the plug-in
// calls and each n up to the number of calls the operation made, the n-th call
// of that entry point fails the way a refusing host fails it. Whatever fails,
// no object is lost or doubled, descendants that move with their object stay
// behind it in order, no deleted object is touched and no copy is left
// outside the document. Each test prints how many runs had a call failing.
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <iostream>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "e2e/built_plugin.h"
#include "outline/outline.h"
#include "standin/document_control.h"
#include "standin/host_call_control.h"
#include "standin/settings_control.h"
#include "standin/widget_control.h"
#include "support/outline_run.h"
#include "support/standin_settings.h"
#include "support/tool_window.h"

namespace rowshift::testing {
namespace {

using standin::EntryPoint;

constexpr int32_t kSubcommands = 6;
constexpr int kLargeDocumentObjects = 50;

// Every entry point the plug-in calls, from the host list itself.
const std::vector<EntryPoint>& CalledEntryPoints() {
  static const std::vector<EntryPoint> entry_points = {
#define CALLED_ENTRY_POINT(name, result, parameters) EntryPoint::name,
#define RESOLVED_ENTRY_POINT(name)
      ROWSHIFT_HOST_FUNCTIONS(CALLED_ENTRY_POINT, RESOLVED_ENTRY_POINT)
#undef CALLED_ENTRY_POINT
#undef RESOLVED_ENTRY_POINT
  };
  return entry_points;
}

// A 50-object document: depths rise and fall in a fixed pattern; `flags`
// gives each object's flags by its position.
std::string LargeOutline(const std::function<outline::OutlineRow(int)>& flags) {
  static const int kDepths[] = {0, 1, 2, 2, 3, 1, 2, 0, 1, 1, 0, 1, 2, 3, 4, 2, 0};
  std::vector<outline::OutlineRow> rows;
  for (int i = 0; i < kLargeDocumentObjects; ++i) {
    outline::OutlineRow row = flags(i);
    row.name = "O" + std::to_string(i);
    row.depth = kDepths[i % (sizeof kDepths / sizeof kDepths[0])];
    rows.push_back(row);
  }
  return outline::FormatOutline(rows);
}

outline::OutlineRow Flags(bool current, bool selected, bool collapsed, bool ineligible) {
  outline::OutlineRow row;
  row.current = current;
  row.selected = selected;
  row.collapsed = collapsed;
  row.ineligible = ineligible;
  return row;
}

struct Shape {
  const char* what;
  std::string outline;
};

// The small documents, then the 50-object ones (as many as the build runs).
std::vector<Shape> Shapes() {
  std::vector<Shape> shapes = {
      {"one object", "A [current selected]\n"},
      {"two objects", "P [selected]\n  Q [current selected]\n"},
  };
  const Shape large[] = {
      {"nested, every fourth selected",
       LargeOutline([](int i) { return Flags(i == 21, i % 4 == 1 || i == 21, false, false); })},
      {"collapsed parents",
       LargeOutline([](int i) { return Flags(i == 8, i % 6 == 2 || i == 8, i % 3 == 1, false); })},
      {"ineligible objects",
       LargeOutline([](int i) { return Flags(i == 30, i % 5 != 0, false, i % 7 == 3); })},
  };
  static_assert(ROWSHIFT_TEST_FAULT_RUN_LARGE_SHAPES <= sizeof large / sizeof large[0]);
  for (int i = 0; i < ROWSHIFT_TEST_FAULT_RUN_LARGE_SHAPES; ++i) shapes.push_back(large[i]);
  return shapes;
}

// A document as the checks see it: each slot's object name ("" for an empty
// slot) and handle, which tells whether the object was re-created (moved).
struct Slots {
  std::vector<std::string> names;
  std::vector<void*> handles;
};

// A failing host call may leave an object at any depth: the names are read
// from the document as it stands, depth jumps and all.
std::vector<std::string> SlotNames(const std::string& text) {
  outline::ParseOptions as_left;
  as_left.allow_depth_jumps = true;
  std::vector<std::string> names;
  for (const outline::OutlineRow& row : outline::ParseOutline(text, as_left).rows) {
    names.push_back(row.empty ? std::string() : row.name);
  }
  return names;
}

std::vector<void*> SlotHandles(const standin::Document& document) {
  std::vector<void*> handles;
  for (int i = 0; i < document.SlotCount(); ++i) handles.push_back(document.ObjectInSlot(i));
  return handles;
}

// Each slot's descendants by slot, in order (read once per shape).
std::vector<std::vector<std::size_t>> DescendantSlots(const std::string& text) {
  const std::vector<outline::OutlineRow> rows = outline::ParseOutline(text).rows;
  std::vector<std::vector<std::size_t>> descendants(rows.size());
  for (std::size_t i = 0; i < rows.size(); ++i) {
    for (std::size_t j = i + 1; j < rows.size() && !rows[i].empty; ++j) {
      if (rows[j].empty) continue;
      if (rows[j].depth <= rows[i].depth) break;
      descendants[i].push_back(j);
    }
  }
  return descendants;
}

// The checks after one run, one message per broken property. A moved object
// is one whose handle changed. Its old descendants that moved too stand
// behind it in their old order; a failed call may keep some of them at their
// old place, and their depths follow the host's answers, which may be wrong.
std::vector<std::string> DocumentFaults(const Slots& before,
                                        const std::vector<std::vector<std::size_t>>& descendants,
                                        const standin::Document& document,
                                        bool object_free_failed) {
  std::vector<std::string> faults;
  const Slots after{SlotNames(document.ToOutline()), SlotHandles(document)};
  std::unordered_map<std::string, std::size_t> position;
  for (std::size_t i = 0; i < after.names.size(); ++i) {
    if (!after.names[i].empty() && !position.emplace(after.names[i], i).second) {
      faults.push_back(after.names[i] + " doubled");
    }
  }
  // Where a slot's object stands now, and whether it was re-created.
  const auto now = [&](std::size_t slot) { return position.find(before.names[slot]); };
  const auto moved = [&](std::size_t slot) {
    return after.handles[now(slot)->second] != before.handles[slot];
  };
  for (std::size_t i = 0; i < before.names.size(); ++i) {
    if (before.names[i].empty()) continue;
    if (now(i) == position.end()) {
      faults.push_back(before.names[i] + " lost");
    } else if (moved(i)) {
      std::size_t previous = now(i)->second;
      for (std::size_t descendant : descendants[i]) {
        if (now(descendant) == position.end() || !moved(descendant)) continue;
        if (now(descendant)->second <= previous) {
          faults.push_back(before.names[descendant] + " no longer behind " + before.names[i] +
                           " in order");
          break;
        }
        previous = now(descendant)->second;
      }
    }
  }
  if (document.DeadObjectTouches() != 0) faults.push_back("a deleted object was touched");
  if (standin::StrayObjectTouches() != 0) faults.push_back("an unknown object was touched");
  // A copy the host refused to free is the host's, not the plug-in's.
  if (document.OrphanedClones() > (object_free_failed ? 1 : 0)) {
    faults.push_back("a copy was left outside the document");
  }
  if (!faults.empty()) faults.push_back("the document after:\n" + document.ToOutline());
  return faults;
}

class HostCallFaults : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(plugin_.HasEveryExport());
    ASSERT_EQ(plugin_.BindToStandin(), 1);
    standin::RecordDocumentCalls(false);
  }
  void TearDown() override {
    standin::RecordDocumentCalls(true);
    standin::ResetHostCalls();
  }

  int32_t Event(void* document, int32_t event, void* argument) {
    return plugin_.MQOnEvent(document, event, argument);
  }

  // Runs `run` with the n-th call of `entry_point` failing, for n = 1, 2, ...
  // until no call fails (the run made fewer calls than n); `check` answers the
  // broken properties of each run. Answers the number of runs in which a call
  // failed.
  int EveryNthCall(EntryPoint entry_point, const std::string& what,
                   const std::function<void()>& prepare, const std::function<void()>& run,
                   const std::function<std::vector<std::string>(bool)>& check) {
    int runs = 0;
    for (int n = 1;; ++n) {
      prepare();
      const int failed_before = standin::FailedCallCount();
      standin::FailNthCall(entry_point, n);
      run();
      const bool failed = standin::FailedCallCount() > failed_before;
      standin::FailNthCall(entry_point, 0);
      const std::vector<std::string> faults = check(failed);
      for (const std::string& fault : faults) {
        ADD_FAILURE() << what << ", call " << n << " of " << standin::EntryPointName(entry_point)
                      << " failing: " << fault;
      }
      if (!failed) return runs;
      ++runs;
    }
  }

  BuiltPlugin plugin_;
};

TEST_F(HostCallFaults, EveryOperationSurvivesAnyOneFailingHostCall) {
  int runs = 0;
  for (const Shape& shape : Shapes()) {
    const std::vector<std::vector<std::size_t>> descendants = DescendantSlots(shape.outline);
    Slots before{SlotNames(shape.outline), {}};
    for (int32_t subcommand = 0; subcommand < kSubcommands; ++subcommand) {
      for (EntryPoint entry_point : CalledEntryPoints()) {
        std::optional<standin::Document> document;
        const std::string what = "sub-command " + std::to_string(subcommand) + " on " + shape.what;
        runs += EveryNthCall(
            entry_point, what,
            [&] {
              document.emplace();
              ASSERT_TRUE(document->LoadOutline(shape.outline));
              before.handles = SlotHandles(*document);
              standin::ResetStrayObjectTouches();
            },
            [&] { plugin_.RunSubcommand(document->Handle(), subcommand); },
            [&](bool failed) {
              return DocumentFaults(before, descendants, *document,
                                    failed && entry_point == EntryPoint::MQObj_Delete);
            });
      }
    }
  }
  std::cout << "[ fault runs ] " << runs << " runs of a sub-command with one host call failing\n";
  RecordProperty("sub_command_fault_runs", runs);
}

// Start-up reads the settings and builds the tool window; show, hide and the
// user's close write its visibility and tell the host; shut-down saves the
// settings and deletes the window. Whatever fails, every button the window
// got still runs its operation safely, and after shut-down the plug-in is off
// and no widget it made is left in the host unless the host refused to delete
// it.
TEST_F(HostCallFaults, TheToolWindowSurvivesAnyOneFailingHostCall) {
  const auto prepare = [] {
    standin::ResetWidgetHost();
    StoreSettings({{"Rowshift_activate", "1"}, {"PosX", "120"}, {"PosY", "80"}});
  };
  const auto widgets_left = [this](int refused_deletes) {
    std::vector<std::string> faults;
    if (Event(nullptr, kIsShownEvent, nullptr) != 0) faults.push_back("shown after shut-down");
    const auto widgets = standin::WidgetIds().size();
    if (widgets > 1 + static_cast<std::size_t>(refused_deletes)) {
      faults.push_back(std::to_string(widgets - 1) + " widgets left after shut-down");
    }
    return faults;
  };
  constexpr char kClicked[] = "P [selected]\n  Q [current selected]\nR [selected]\n";
  std::optional<standin::Document> clicked;
  const auto click_every_button = [&] {
    clicked.emplace();
    ASSERT_TRUE(clicked->LoadOutline(kClicked));
    for (int32_t id : standin::WidgetIds()) {
      if (standin::FindWidget(id)->type == "button") standin::Click(id, clicked->Handle());
    }
  };
  const auto clicks_safe = [&] {
    std::vector<std::string> faults;
    if (SortedNames(clicked->ToOutline()) != SortedNames(kClicked)) {
      faults.push_back("clicks lost or doubled objects");
    }
    if (clicked->DeadObjectTouches() != 0 || clicked->OrphanedClones() != 0) {
      faults.push_back("clicks touched a deleted object or left a copy");
    }
    return faults;
  };
  int runs = 0;
  for (EntryPoint entry_point : CalledEntryPoints()) {
    const bool widget_calls = entry_point == EntryPoint::MQWidget_Value;
    runs += EveryNthCall(
        entry_point, "start-up", prepare,
        [&] {
          Event(nullptr, kStartUpEvent, nullptr);
          standin::FailNthCall(entry_point, 0);
          click_every_button();
          Event(nullptr, kShutDownEvent, nullptr);
        },
        [&](bool) {
          std::vector<std::string> faults = widgets_left(0);
          for (std::string& fault : clicks_safe()) faults.push_back(fault);
          return faults;
        });
    runs += EveryNthCall(
        entry_point, "show, hide and the user's close",
        [&] {
          prepare();
          Event(nullptr, kStartUpEvent, nullptr);
        },
        [&] {
          int32_t hidden = 0;
          int32_t shown = 1;
          Event(nullptr, kSetShownEvent, &hidden);
          Event(nullptr, kSetShownEvent, &shown);
          standin::SimulateUserClose(ToolWindowId());
          standin::FailNthCall(entry_point, 0);
          Event(nullptr, kShutDownEvent, nullptr);
        },
        [&](bool) { return widgets_left(0); });
    runs += EveryNthCall(
        entry_point, "shut-down",
        [&] {
          prepare();
          Event(nullptr, kStartUpEvent, nullptr);
        },
        [&] { Event(nullptr, kShutDownEvent, nullptr); },
        [&](bool failed) { return widgets_left(failed && widget_calls ? 1 : 0); });
  }
  std::cout << "[ fault runs ] " << runs << " tool-window runs with one host call failing\n";
  RecordProperty("window_fault_runs", runs);
}

}  // namespace
}  // namespace rowshift::testing
