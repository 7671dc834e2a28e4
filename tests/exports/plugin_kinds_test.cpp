// The kind tests of event dispatch: command events reach only a command
// plug-in, the fallback serves only an import plug-in, and a null plug-in answers 0.
#include <gtest/gtest.h>

#include "exports/on_event_dispatch.h"
#include "plugin/command_plugin.h"
#include "plugin/import_plugin.h"
#include "support/host_list.h"
#include "support/recording_station.h"

namespace rowshift::testing {
namespace {

char scene;
void* const kDocument = &scene + 1;

class AnsweringCommand : public MQCommandPlugin {
 public:
  void GetIdentifiers(uint32_t& product, uint32_t& plugin) override { product = plugin = 0; }
  const char* GetNameText() override { return "command"; }
  int32_t GetKind() override { return 6; }
  int32_t HandleEvent124(void*, void*, PointerState*) override { return 42; }
};

class RecordingImport : public MQImportPlugin {
 public:
  void GetIdentifiers(uint32_t& product, uint32_t& plugin) override { product = plugin = 0; }
  const char* GetNameText() override { return "import"; }
  int32_t GetKind() override { return 1; }
  int32_t HandleEvent300() override {
    ++runs;
    return 9;
  }
  int runs = 0;
};

TEST(CommandEvents, ReachACommandPlugin) {
  AnsweringCommand plugin;
  EXPECT_EQ(DispatchEvent(&plugin, kDocument, 124, nullptr), 42);
}

TEST(CommandEvents, AStationThatIsNoCommandPluginAnswersZeroWithoutReadingTheirList) {
  RecordingStation plugin;
  void* const unreadable = reinterpret_cast<void*>(0x10);
  for (int32_t event : {120, 121, 125, 130, 140, 141}) {
    SCOPED_TRACE(event);
    EXPECT_EQ(DispatchEvent(&plugin, kDocument, event, unreadable), 0);
  }
  EXPECT_TRUE(plugin.calls.empty());
}

TEST(ImportFallback, Event300RunsTheImportAndAnswersItsResult) {
  RecordingImport plugin;
  EXPECT_EQ(DispatchEvent(&plugin, kDocument, 300, nullptr), 9);
  EXPECT_EQ(plugin.runs, 1);
}

TEST(ImportFallback, Event301StoresBackgroundAndArgs) {
  RecordingImport plugin;
  HostList list;
  list.Int("background", 1).Add("args", &scene);
  EXPECT_EQ(DispatchEvent(&plugin, kDocument, 301, list.Slots()), 1);
  EXPECT_EQ(plugin.background, 1);
  EXPECT_EQ(plugin.args, &scene);
}

TEST(ImportFallback, StationEventsDoNotReachAnImportPlugin) {
  RecordingImport plugin;
  int32_t flag = 1;
  for (int32_t event : {1, 2, 100, 104, 260, 302}) {
    EXPECT_EQ(DispatchEvent(&plugin, kDocument, event, &flag), 0) << event;
  }
  EXPECT_EQ(plugin.runs, 0);
}

TEST(DispatchEvent, ANullPluginAnswersZero) {
  EXPECT_EQ(DispatchEvent(nullptr, kDocument, 1, nullptr), 0);
}

}  // namespace
}  // namespace rowshift::testing
