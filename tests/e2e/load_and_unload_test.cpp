// Loading and unloading the plug-in module: what load leaves alone, that
// MQInit binds only a host module with every name and gives its reference
// back, that unload really unloads and deletes a tool window that shut-down
// left, that a second load starts fresh, that events before MQInit or without
// a document are answered safely, that many load cycles leave nothing behind,
// and that a host exiting with the plug-in loaded gets no call after it has gone.
#include <gtest/gtest.h>

#include <algorithm>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "e2e/built_plugin.h"
#include "platform/module_loader.h"
#include "standin/call_log.h"
#include "standin/document_control.h"
#include "standin/settings_control.h"
#include "standin/widget_control.h"
#include "system/heap_usage.h"
#include "system/module_presence.h"

namespace rowshift::testing {
namespace {

// Empty where loading must leave the character-type locale as it was.
constexpr const char* kLoadTimeLocale = ROWSHIFT_TEST_LOAD_TIME_CHARACTER_LOCALE;

TEST(LoadAndUnload, LoadingSetsOnlyThePlatformsCharacterTypeLocale) {
  ASSERT_FALSE(IsModuleLoaded(ROWSHIFT_PLUGIN_FILE));
  const std::string character_before = std::setlocale(LC_CTYPE, nullptr);
  const std::string numeric_before = std::setlocale(LC_NUMERIC, nullptr);
  std::string character_loaded;
  {
    BuiltPlugin plugin;
    ASSERT_TRUE(plugin.Loaded());
    character_loaded = std::setlocale(LC_CTYPE, nullptr);
    EXPECT_EQ(std::string(std::setlocale(LC_NUMERIC, nullptr)), numeric_before);
  }
  std::setlocale(LC_CTYPE, character_before.c_str());
  if (std::string(kLoadTimeLocale).empty()) {
    EXPECT_EQ(character_loaded, character_before);
  } else {
    EXPECT_EQ(character_loaded, kLoadTimeLocale);
  }
}

TEST(LoadAndUnload, ReleasingTheLastReferenceUnloadsTheModule) {
  {
    BuiltPlugin plugin;
    ASSERT_TRUE(plugin.Loaded());
    ASSERT_EQ(plugin.BindToStandin(), 1);
    EXPECT_EQ(plugin.MQOnEvent(nullptr, 1, nullptr), 1);
    EXPECT_EQ(plugin.MQOnEvent(nullptr, 2, nullptr), 1);
    EXPECT_TRUE(IsModuleLoaded(ROWSHIFT_PLUGIN_FILE));
  }
  EXPECT_FALSE(IsModuleLoaded(ROWSHIFT_PLUGIN_FILE));
}

constexpr int32_t kDeleteRequest = 0x102;

// The widgets the plug-in created: every live one but the host's main window.
std::vector<int32_t> PluginWidgets() {
  std::vector<int32_t> ids = standin::WidgetIds();
  ids.erase(std::remove(ids.begin(), ids.end(), standin::MainWindowId()), ids.end());
  return ids;
}

std::vector<int32_t> DeletedWidgets() {
  std::vector<int32_t> deleted;
  for (const standin::WidgetRequestRecord& request : standin::WidgetRequests()) {
    if (!request.on_canvas && request.code == kDeleteRequest) deleted.push_back(request.target);
  }
  return deleted;
}

TEST(LoadAndUnload, UnloadWithoutShutDownDeletesTheToolWindowOnce) {
  standin::ResetWidgetHost();
  int32_t window_id = 0;
  {
    BuiltPlugin plugin;
    ASSERT_EQ(plugin.BindToStandin(), 1);
    ASSERT_EQ(plugin.MQOnEvent(nullptr, 1, nullptr), 1);
    ASSERT_FALSE(PluginWidgets().empty());
    window_id = PluginWidgets().front();
    standin::ClearWidgetRequests();
  }
  const std::vector<int32_t> deleted = DeletedWidgets();
  EXPECT_EQ(std::count(deleted.begin(), deleted.end(), window_id), 1);
  EXPECT_TRUE(PluginWidgets().empty());
  standin::ResetWidgetHost();
}

TEST(LoadAndUnload, UnloadAfterShutDownDeletesNothing) {
  standin::ResetWidgetHost();
  {
    BuiltPlugin plugin;
    ASSERT_EQ(plugin.BindToStandin(), 1);
    ASSERT_EQ(plugin.MQOnEvent(nullptr, 1, nullptr), 1);
    ASSERT_EQ(plugin.MQOnEvent(nullptr, 2, nullptr), 1);
    EXPECT_TRUE(PluginWidgets().empty());
    standin::ClearWidgetRequests();
  }
  EXPECT_TRUE(standin::WidgetRequests().empty());
  standin::ResetWidgetHost();
}

TEST(LoadAndUnload, ASecondLoadStartsWithAnUnboundTable) {
  standin::Document document;
  ASSERT_TRUE(document.LoadOutline("P\nQ [current]\n"));
  const std::string before = document.ToOutline();
  {
    BuiltPlugin first;
    ASSERT_EQ(first.BindToStandin(), 1);
  }
  BuiltPlugin second;
  ASSERT_TRUE(second.Loaded());
  standin::ClearCalls();
  second.RunSubcommand(document.Handle(), 1);  // up
  EXPECT_EQ(document.ToOutline(), before) << "the new instance reached the host unbound";
  EXPECT_TRUE(standin::Calls().empty());
}

TEST(LoadAndUnload, EventsBeforeInitAnswerWithoutReachingTheHost) {
  BuiltPlugin plugin;
  ASSERT_TRUE(plugin.Loaded());
  standin::ClearCalls();
  int32_t flag = 1;
  // Start-up makes its window even so; only its requests go nowhere.
  EXPECT_EQ(plugin.MQOnEvent(nullptr, 1, nullptr), 1);
  EXPECT_EQ(plugin.MQOnEvent(nullptr, 100, &flag), 1);
  EXPECT_EQ(plugin.MQOnEvent(nullptr, 101, nullptr), 1);
  for (int32_t index = 0; index < 6; ++index) plugin.RunSubcommand(nullptr, index);
  EXPECT_EQ(plugin.MQOnEvent(nullptr, 2, nullptr), 1);
  EXPECT_TRUE(standin::Calls().empty());
}

TEST(LoadAndUnload, SubcommandsWithoutADocumentChangeNothing) {
  BuiltPlugin plugin;
  ASSERT_EQ(plugin.BindToStandin(), 1);
  standin::Document bystander;
  ASSERT_TRUE(bystander.LoadOutline("A [current selected]\nB [selected]\n"));
  const std::string before = bystander.ToOutline();
  for (int32_t index = 0; index < 6; ++index) {
    EXPECT_LE(plugin.RunSubcommand(nullptr, index), 1) << index;
  }
  EXPECT_EQ(bystander.ToOutline(), before);
}

constexpr int32_t kSubcommands = 6;

// Fewer cycles under Wine and the sanitizers, where each load is slow. The heap is compared after
// a tenth of the cycles and after the last, except under sanitizers, whose
// allocators hold on to freed blocks. Where the runtime's thread library is
// linked into the module, each load leaves a few hundred bytes of it behind
// that no unload gives back; that much per load is allowed.
// ROWSHIFT_LOAD_CYCLES in the environment sets another count (10 or more), for
// a longer run by hand.
constexpr bool kWeighsTheHeap = ROWSHIFT_TEST_WEIGHS_HEAP;

int LoadCycleCount() {
  const char* text = std::getenv("ROWSHIFT_LOAD_CYCLES");
  const int cycles = text != nullptr ? std::atoi(text) : 0;
  return cycles >= 10 ? cycles : ROWSHIFT_TEST_LOAD_CYCLES;
}
constexpr char kCycleOutline[] = "A [current selected]\n  A1\nB [selected]\nC\n";

int32_t FirstButton() {
  for (int32_t id : PluginWidgets()) {
    if (standin::FindWidget(id)->type == "button") return id;
  }
  return 0;
}

// One life of the plug-in as a host gives it: load, bind, start, every
// sub-command and a click on a fresh document, shut down when `shut_down`,
// unload. Answers the document as it ends. The stand-in starts afresh each
// time, as it keeps removed settings elements and its logs until reset.
std::string LiveOnce(bool shut_down) {
  standin::ResetWidgetHost();
  standin::ResetSettingsDocument();
  standin::ClearCalls();
  standin::ClearHostMessages();
  standin::Document document;
  EXPECT_TRUE(document.LoadOutline(kCycleOutline));
  int32_t window_id = 0;
  {
    BuiltPlugin plugin;
    EXPECT_EQ(plugin.BindToStandin(), 1);
    EXPECT_EQ(plugin.MQOnEvent(document.Handle(), kStartUpEvent, nullptr), 1);
    window_id = PluginWidgets().empty() ? 0 : PluginWidgets().front();
    for (int32_t index = 0; index < kSubcommands; ++index) {
      plugin.RunSubcommand(document.Handle(), index);
    }
    standin::Click(FirstButton(), document.Handle());
    if (shut_down) {
      EXPECT_EQ(plugin.MQOnEvent(document.Handle(), kShutDownEvent, nullptr), 1);
    }
  }
  EXPECT_FALSE(IsModuleLoaded(ROWSHIFT_PLUGIN_FILE));
  const std::vector<int32_t> deleted = DeletedWidgets();
  EXPECT_EQ(std::count(deleted.begin(), deleted.end(), window_id), 1);
  EXPECT_TRUE(PluginWidgets().empty());
  return document.ToOutline();
}

class LoadCycles : public ::testing::TestWithParam<bool> {};

// Every cycle ends as the first did, really unloads the module and deletes the
// window once (at shut-down, or at unload without it); the heap does not grow.
TEST_P(LoadCycles, EachCycleEndsTheSameAndTheHeapDoesNotGrow) {
  const bool shut_down = GetParam();
  const std::string first_end = LiveOnce(shut_down);
  ASSERT_FALSE(::testing::Test::HasFailure());
  standin::Document untouched;
  ASSERT_TRUE(untouched.LoadOutline(kCycleOutline));
  ASSERT_NE(first_end, untouched.ToOutline()) << "the sub-commands and the click did nothing";
  const int cycles = LoadCycleCount();
  const int first_weighed_cycle = cycles / 10;
  std::size_t heap_at_first_weighing = 0;
  for (int cycle = 2; cycle <= cycles; ++cycle) {
    ASSERT_EQ(LiveOnce(shut_down), first_end) << "cycle " << cycle;
    ASSERT_FALSE(::testing::Test::HasFailure()) << "cycle " << cycle;
    if (cycle == first_weighed_cycle) heap_at_first_weighing = HeapBytesInUse();
  }
  if (!kWeighsTheHeap) return;
  const std::size_t heap_at_end = HeapBytesInUse();
  std::printf("heap in use after cycle %d: %zu bytes; after cycle %d: %zu bytes\n",
              first_weighed_cycle, heap_at_first_weighing, cycles, heap_at_end);
  const std::size_t tolerance =
      4096 + std::size_t{ROWSHIFT_TEST_RUNTIME_BYTES_PER_LOAD} * (cycles - first_weighed_cycle);
  EXPECT_LE(heap_at_end, heap_at_first_weighing + tolerance);
}

INSTANTIATE_TEST_SUITE_P(LoadAndUnload, LoadCycles, ::testing::Bool(),
                         [](const ::testing::TestParamInfo<bool>& param) {
                           return std::string(param.param ? "WithShutDown" : "WithoutShutDown");
                         });

// std::system answers a wait status on POSIX systems (the exit code in the
// second byte) and the exit code itself on Windows; the program's codes are
// small, so a status above one byte can only be the POSIX form.
int ExitCodeOf(int status) { return status > 255 ? status >> 8 : status; }

// A host exiting with the plug-in started and still loaded: after the host has
// gone no call reaches it, and the process exits cleanly. On POSIX systems exit
// handlers run in reverse order of registration, and the plug-in's destructors
// are registered at its load, after the mark: they run before it, so there the
// clean exit (the stand-in outliving them) is what this checks.
TEST(LoadAndUnload, AHostExitingWithThePluginStartedGetsNoCallAfterItHasGone) {
  namespace fs = std::filesystem;
  const std::string count_file = fs::absolute("e2e_tests_calls_after_exit.txt").string();
  std::remove(count_file.c_str());
  const std::string command = "cd . && \"" + fs::absolute(ROWSHIFT_EXITING_HOST_PROGRAM).string() +
                              "\" \"" + count_file + "\"";
  EXPECT_EQ(ExitCodeOf(std::system(command.c_str())), 0);
  std::ifstream counted(count_file);
  int calls = -1;
  counted >> calls;
  EXPECT_EQ(calls, 0) << "host calls after the host had gone";
}

class PluginInit : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(plugin.HasEveryExport()); }
  BuiltPlugin plugin;
};

TEST_F(PluginInit, AnswersOneOnlyWhenEveryNameIsFound) {
  EXPECT_EQ(plugin.MQInit(HostModuleFile("mqhost").c_str()), 1);
  EXPECT_EQ(plugin.MQInit(HostModuleFile("mqhost_lacking_last").c_str()), 0);
  EXPECT_EQ(plugin.MQInit(HostModuleFile("mqhost_lacking_first").c_str()), 0);
  EXPECT_EQ(plugin.MQInit(HostModuleFile("no_such_host").c_str()), 0);
  EXPECT_EQ(plugin.MQInit(nullptr), 0);
  // A second binding repeats the whole binding.
  EXPECT_EQ(plugin.MQInit(HostModuleFile("mqhost").c_str()), 1);
}

TEST_F(PluginInit, FailedBindingKeepsTheEntriesItDidNotReach) {
  ASSERT_EQ(plugin.MQInit(HostModuleFile("mqhost").c_str()), 1);
  // Neither binding reaches the document entries: a module that cannot be
  // loaded touches nothing, one that lacks the first name stops there.
  EXPECT_EQ(plugin.MQInit(HostModuleFile("no_such_host").c_str()), 0);
  EXPECT_EQ(plugin.MQInit(HostModuleFile("mqhost_lacking_first").c_str()), 0);
  standin::Document document;
  ASSERT_TRUE(document.LoadOutline("P\nQ [current]\n"));
  EXPECT_EQ(plugin.RunSubcommand(document.Handle(), 1), 1);  // up
  EXPECT_NE(document.ToOutline().find("Q [current]\nP"), std::string::npos) << document.ToOutline();
}

TEST_F(PluginInit, GivesBackTheModuleReferenceItTakes) {
  const std::string host = HostModuleFile("mqhost_unlinked");
  ASSERT_FALSE(IsModuleLoaded(host.c_str()));
  platform::ModuleHandle ours = platform::LoadModule(host.c_str());
  ASSERT_NE(ours, nullptr);
  EXPECT_EQ(plugin.MQInit(host.c_str()), 1);
  EXPECT_TRUE(IsModuleLoaded(host.c_str()));
  platform::ReleaseModule(ours);
  EXPECT_FALSE(IsModuleLoaded(host.c_str())) << "MQInit kept a reference on the host module";
}

TEST_F(PluginInit, FailedBindingAlsoGivesBackTheReference) {
  const std::string host = HostModuleFile("mqhost_lacking_first");
  ASSERT_FALSE(IsModuleLoaded(host.c_str()));
  EXPECT_EQ(plugin.MQInit(host.c_str()), 0);
  EXPECT_FALSE(IsModuleLoaded(host.c_str()));
}

}  // namespace
}  // namespace rowshift::testing
