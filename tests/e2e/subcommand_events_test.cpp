// The host's road to the six sub-commands: listing their keys and titles
// (events 3 and 4) and running them on a stand-in document (event 104).
#include <gtest/gtest.h>

#include <cstddef>
#include <string>
#include <vector>

#include "e2e/built_plugin.h"
#include "outline/outline.h"
#include "standin/document_control.h"
#include "standin/talk_back_control.h"
#include "standin/widget_control.h"
#include "support/outline_run.h"
#include "support/tool_window.h"

namespace rowshift::testing {
namespace {

// Reads an outline and writes it back the way the stand-in writes documents,
// without the slots that moves leave empty: the order, depths and flags.
std::string Canonical(const std::string& text) {
  const outline::ParseResult parsed = outline::ParseOutline(text);
  EXPECT_FALSE(parsed.error.has_value()) << text;
  return WithoutEmptySlots(outline::FormatOutline(parsed.rows));
}

class SubcommandEvents : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(plugin.HasEveryExport());
    ASSERT_EQ(plugin.BindToStandin(), 1);
  }

  const void* Query(int32_t event, int32_t index) {
    int32_t value = index;
    const void* result = &result;  // anything but null, so a null answer shows
    void* list[] = {const_cast<char*>("index"), &value, const_cast<char*>("result"), &result,
                    nullptr};
    EXPECT_EQ(plugin.MQOnEvent(nullptr, event, list), 1);
    return result;
  }

  BuiltPlugin plugin;
};

TEST_F(SubcommandEvents, KeysAndTitlesListTheSixSubcommandsInOrder) {
  const char* const names[] = {"insert", "up", "down", "top", "bottom", "gather"};
  for (int32_t index = 0; index < 6; ++index) {
    SCOPED_TRACE(index);
    const auto* key = static_cast<const char*>(Query(3, index));
    ASSERT_NE(key, nullptr);
    EXPECT_STREQ(key, names[index]);
    const std::string name = names[index];
    EXPECT_EQ(Utf16(static_cast<const WideChar*>(Query(4, index))),
              std::u16string(name.begin(), name.end()));
  }
}

TEST_F(SubcommandEvents, IndicesOutsideTheTableListNull) {
  for (int32_t index : {6, 7, 1000, -1}) {
    EXPECT_EQ(Query(3, index), nullptr) << index;
    EXPECT_EQ(Query(4, index), nullptr) << index;
  }
}

struct SubcommandCase {
  const char* what;
  int32_t index;
  const char* before;
  const char* after;
  int32_t result;
};

TEST_F(SubcommandEvents, EachSubcommandReordersTheDocument) {
  const SubcommandCase cases[] = {
      {"insert brings the last row behind the current object", 0, "A [current]\nB\nC\n",
       "A [current]\nC\nB\n", 1},
      {"up makes the object the first child of the row above", 1, "P\n  P1\nQ [current]\n",
       "P\n  Q [current]\n  P1\n", 1},
      {"down makes the object the first child of the row below", 2, "Q [current]\nR\n  R1\n",
       "R\n  Q [current]\n  R1\n", 1},
      {"top puts the selected objects first", 3, "P\nQ [selected]\nR\nS [selected]\nT\n",
       "Q [selected]\nS [selected]\nP\nR\nT\n", 1},
      {"bottom puts the selected objects last", 4, "P\nQ [selected]\nR\nS [selected]\nT\n",
       "P\nR\nT\nQ [selected]\nS [selected]\n", 1},
      {"gather makes the selected objects the current object's children", 5,
       "T [current selected]\nR\nQ [selected]\n  Q1\nS [selected]\n",
       "T [current selected]\n  Q [selected]\n    Q1\n  S [selected]\nR\n", 1},
  };
  for (const SubcommandCase& run : cases) {
    SCOPED_TRACE(run.what);
    standin::Document document;
    std::string error;
    ASSERT_TRUE(document.LoadOutline(run.before, &error)) << error;
    EXPECT_EQ(plugin.RunSubcommand(document.Handle(), run.index), run.result);
    EXPECT_EQ(Canonical(document.ToOutline()), Canonical(run.after));
    EXPECT_EQ(document.DeadObjectTouches(), 0);
    EXPECT_EQ(document.OrphanedClones(), 0);
  }
}

// A host may deliver a sub-command or a button click while an operation runs,
// from inside one of the operation's document calls. No second operation
// starts then: it changes nothing and answers as it does when it finds nothing
// to do, and the running one ends as it would have alone. Each message is
// tried on every document call of the running operation.
TEST_F(SubcommandEvents, NoSecondOperationStartsWhileOneRuns) {
  using Kind = standin::TalkBack::Kind;
  // Each sub-command's nothing-to-do answer, by index; a button by position
  // runs the same operation.
  const int32_t nothing_done_answers[] = {-1, -1, -1, 1, 1, 0};
  constexpr char kBefore[] = "A [selected]\n  A1\nB [current]\nC [selected]\n  C1\nD\n";
  constexpr int32_t kRunning = 4;  // bottom, which makes many document calls
  standin::Document alone;
  ASSERT_TRUE(alone.LoadOutline(kBefore));
  ASSERT_EQ(plugin.RunSubcommand(alone.Handle(), kRunning), 1);
  ASSERT_EQ(plugin.MQOnEvent(nullptr, kStartUpEvent, nullptr), 1);
  for (const Kind kind : {Kind::kEvent, Kind::kClick}) {
    for (int32_t index = 0; index < 6; ++index) {
      SCOPED_TRACE(std::string(kind == Kind::kClick ? "a click on button " : "sub-command ") +
                   std::to_string(index));
      for (int call = 1;; ++call) {
        standin::Document document;
        ASSERT_TRUE(document.LoadOutline(kBefore));
        standin::TalkBack message;
        message.after_calls = call;
        message.kind = kind;
        message.event = kRunSubcommandEvent;
        message.value = index;
        message.document = document.Handle();
        standin::TalkBackDuringDocumentCalls(plugin.MQOnEvent, {message});
        EXPECT_EQ(plugin.RunSubcommand(document.Handle(), kRunning), 1);
        standin::StopTalkingBack();
        if (standin::TalkBackAnswers().empty()) break;  // past the operation's last call
        EXPECT_EQ(standin::TalkBackAnswers()[0].answer, nothing_done_answers[index])
            << "on call " << call;
        EXPECT_EQ(document.ToOutline(), alone.ToOutline()) << "on call " << call;
        EXPECT_EQ(document.DeadObjectTouches(), 0);
        EXPECT_EQ(document.OrphanedClones(), 0);
      }
    }
  }
  plugin.MQOnEvent(nullptr, kShutDownEvent, nullptr);
}

// A host may shut the plug-in down from inside the operation that a click on
// its window started, and may start it again before the operation ends; both
// are tried on every document call. The operation ends as it would have
// alone and the click answers its result; afterwards the plug-in is off, or
// on with a new window whose buttons work.
TEST_F(SubcommandEvents, AShutDownFromInsideAClicksOperationLeavesItWhole) {
  using Kind = standin::TalkBack::Kind;
  constexpr char kBefore[] = "A [selected]\n  A1\nB [current]\nC [selected]\n  C1\nD\n";
  constexpr std::size_t kRunning = 4;  // bottom, which makes many document calls
  standin::Document alone;
  ASSERT_TRUE(alone.LoadOutline(kBefore));
  ASSERT_EQ(plugin.RunSubcommand(alone.Handle(), kRunning), 1);
  for (const bool start_again : {false, true}) {
    for (int call = 1;; ++call) {
      SCOPED_TRACE(std::string(start_again ? "shut down and started" : "shut down") + " on call " +
                   std::to_string(call));
      standin::Document document;
      ASSERT_TRUE(document.LoadOutline(kBefore));
      ASSERT_EQ(plugin.MQOnEvent(nullptr, kStartUpEvent, nullptr), 1);
      std::vector<standin::TalkBack> messages = {
          {call, Kind::kEvent, kShutDownEvent, 0, document.Handle()}};
      if (start_again) messages.push_back({1, Kind::kEvent, kStartUpEvent, 0, document.Handle()});
      standin::TalkBackDuringDocumentCalls(plugin.MQOnEvent, messages);
      EXPECT_EQ(standin::Click(ToolButtonIds().at(kRunning), document.Handle()), 1);
      standin::StopTalkingBack();
      const std::size_t sent = standin::TalkBackAnswers().size();
      EXPECT_EQ(document.ToOutline(), alone.ToOutline());
      EXPECT_EQ(document.DeadObjectTouches(), 0);
      EXPECT_EQ(document.OrphanedClones(), 0);
      EXPECT_EQ(ToolWindowId() != 0, sent != 1);
      if (sent == 2) {
        standin::Document again;
        ASSERT_TRUE(again.LoadOutline(kBefore));
        EXPECT_EQ(standin::Click(ToolButtonIds().at(kRunning), again.Handle()), 1);
        EXPECT_EQ(again.ToOutline(), alone.ToOutline());
      }
      plugin.MQOnEvent(nullptr, kShutDownEvent, nullptr);
      if (sent == 0) break;  // past the operation's last call
    }
  }
}

TEST_F(SubcommandEvents, UpWithoutCurrentObjectAnswersMinusOneUnchanged) {
  standin::Document document;
  ASSERT_TRUE(document.LoadOutline("A\nB\n"));
  const std::string before = document.ToOutline();
  EXPECT_EQ(plugin.RunSubcommand(document.Handle(), 1), -1);
  EXPECT_EQ(document.ToOutline(), before);
}

TEST_F(SubcommandEvents, IndexOutsideTheTableAnswersZeroAndLeavesTheDocument) {
  standin::Document document;
  ASSERT_TRUE(document.LoadOutline("A [current selected]\nB [selected]\nC\n"));
  const std::string before = document.ToOutline();
  for (int32_t index : {6, -1, 1000}) {
    EXPECT_EQ(plugin.RunSubcommand(document.Handle(), index), 0) << index;
  }
  EXPECT_EQ(document.ToOutline(), before);
}

TEST_F(SubcommandEvents, SubcommandWithoutIndexRunsInsert) {
  standin::Document document;
  ASSERT_TRUE(document.LoadOutline("A [current]\nB\nC\n"));
  EXPECT_EQ(plugin.MQOnEvent(document.Handle(), 104, EmptyList()), 1);
  EXPECT_EQ(Canonical(document.ToOutline()), Canonical("A [current]\nC\nB\n"));
}

TEST_F(SubcommandEvents, SubcommandsRunWhileThePluginIsNotShown) {
  standin::Document document;
  ASSERT_TRUE(document.LoadOutline("P\nQ [current]\n"));
  EXPECT_EQ(plugin.MQOnEvent(document.Handle(), 101, nullptr), 0);
  EXPECT_EQ(plugin.RunSubcommand(document.Handle(), 1), 1);
  EXPECT_EQ(Canonical(document.ToOutline()), Canonical("Q [current]\nP\n"));
}

}  // namespace
}  // namespace rowshift::testing
