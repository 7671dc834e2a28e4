#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "engine/operations.h"
#include "standin/call_log.h"
#include "standin/document_control.h"
#include "standin/document_state.h"
#include "support/outline_run.h"
#include "support/standin_in_process.h"

namespace rowshift {
namespace {

using testing::ExpectOutlineCases;
using testing::RunOnOutline;

TEST(MoveToTopBottomTest, SelectedObjectsLineUpInTheirListOrder) {
  ExpectOutlineCases({
      {"top", MoveToTop, "P\nQ [selected]\nR\nS [selected]\nT\n",
       "Q [selected]\nS [selected]\nP\nR\nT\n", 1},
      {"bottom", MoveToBottom, "P\nQ [selected]\nR\nS [selected]\nT\n",
       "P\nR\nT\nQ [selected]\nS [selected]\n", 1},
  });
}

TEST(MoveToTopBottomTest, MovedObjectsGoToTheTopLevelWithTheirDescendants) {
  ExpectOutlineCases({
      {"top from depth 2", MoveToTop, "A\n  B\n    C [selected]\n      D\nE\n",
       "C [selected]\n  D\nA\n  B\nE\n", 1},
      {"bottom from depth 2", MoveToBottom, "A\n  B\n    C [selected]\n      D\nE\n",
       "A\n  B\nE\nC [selected]\n  D\n", 1},
      {"a selected object hidden under a collapsed one", MoveToTop,
       "P [collapsed]\n  H [selected]\nQ\n", "H [selected]\nP [collapsed]\nQ\n", 1},
      {"bottom places the group in front of trailing ineligible objects", MoveToBottom,
       "P [selected]\nQ\nZ [ineligible]\n", "Q\nP [selected]\nZ [ineligible]\n", 1},
  });
}

// The group is listed once, every object and depth read once, before anything
// moves; top then places each member behind the last object placed, bottom
// behind the last eligible object, found backwards from behind the last group
// placed, and behind what belongs to it. Last, the slots the moves emptied and
// filled, and the object behind them, are read for depths that would not make
// an outline.
TEST(MoveToTopBottomTest, HostCallsInOrder) {
  for (const bool top : {true, false}) {
    SCOPED_TRACE(top ? "top" : "bottom");
    const testing::OutlineRun run =
        RunOnOutline(top ? MoveToTop : MoveToBottom, "P\nQ [selected]\n  Q1\nR\n");
    ASSERT_EQ(run.result, 1);
    std::vector<std::string> expected = {
        "MQDoc_GetObjectCount() -> 4",     "MQDoc_GetCurrentObjectIndex() -> -1",
        "MQDoc_GetObject(0) -> P",         "MQObj_GetIntValue(P, 260) -> 1",
        "MQObj_GetIntValue(P, 262) -> 0",  "MQDoc_GetObject(1) -> Q",
        "MQObj_GetIntValue(Q, 260) -> 1",  "MQObj_GetIntValue(Q, 262) -> 1",
        "MQObj_GetIntValue(Q, 257) -> 0",  "MQDoc_GetObject(2) -> Q1",
        "MQObj_GetIntValue(Q1, 257) -> 1", "MQDoc_GetObject(3) -> R",
        "MQObj_GetIntValue(R, 257) -> 0",  "MQObj_GetIntValue(R, 260) -> 1",
        "MQObj_GetIntValue(R, 262) -> 0",
    };
    const std::vector<std::string> moves =
        top ? std::vector<std::string>{"MQObj_Clone(Q) -> Q",
                                       "MQDoc_InsertObject(Q, null) -> 0",
                                       "MQDoc_GetObjectIndex(Q) -> 2",
                                       "MQDoc_GetObject(2) -> Q",
                                       "MQDoc_DeleteObject(2) -> 1",
                                       "MQObj_SetIntValue(Q, 257, 0) -> 1",
                                       "MQObj_Clone(Q1) -> Q1",
                                       "MQDoc_InsertObject(Q1, Q) -> 1",
                                       "MQDoc_GetObjectIndex(Q1) -> 4",
                                       "MQDoc_GetObject(4) -> Q1",
                                       "MQDoc_DeleteObject(4) -> 1",
                                       "MQObj_SetIntValue(Q1, 257, 1) -> 1",
                                       "MQDoc_GetObject(0) -> Q",
                                       "MQObj_GetIntValue(Q, 257) -> 0",
                                       "MQDoc_GetObject(1) -> Q1",
                                       "MQObj_GetIntValue(Q1, 257) -> 1",
                                       "MQDoc_GetObject(2) -> P",
                                       "MQObj_GetIntValue(P, 257) -> 0",
                                       "MQDoc_GetObject(3) -> null",
                                       "MQDoc_GetObject(4) -> null",
                                       "MQDoc_GetObject(5) -> R",
                                       "MQObj_GetIntValue(R, 257) -> 0"}
            : std::vector<std::string>{
                  "MQDoc_GetObject(3) -> R",       "MQObj_GetIntValue(R, 260) -> 1",
                  "MQObj_Clone(Q) -> Q",           "MQDoc_InsertObject(Q, R) -> 4",
                  "MQDoc_GetObjectIndex(Q) -> 1",  "MQDoc_GetObject(1) -> Q",
                  "MQDoc_DeleteObject(1) -> 1",    "MQObj_SetIntValue(Q, 257, 0) -> 1",
                  "MQObj_Clone(Q1) -> Q1",         "MQDoc_InsertObject(Q1, Q) -> 5",
                  "MQDoc_GetObjectIndex(Q1) -> 2", "MQDoc_GetObject(2) -> Q1",
                  "MQDoc_DeleteObject(2) -> 1",    "MQObj_SetIntValue(Q1, 257, 1) -> 1",
                  "MQDoc_GetObject(0) -> P",       "MQObj_GetIntValue(P, 257) -> 0",
                  "MQDoc_GetObject(1) -> null",    "MQDoc_GetObject(2) -> null",
                  "MQDoc_GetObject(3) -> R",       "MQObj_GetIntValue(R, 257) -> 0",
                  "MQDoc_GetObject(4) -> Q",       "MQObj_GetIntValue(Q, 257) -> 0",
                  "MQDoc_GetObject(5) -> Q1",      "MQObj_GetIntValue(Q1, 257) -> 1"};
    expected.insert(expected.end(), moves.begin(), moves.end());
    EXPECT_EQ(standin::Calls(), expected);
  }
}

TEST(MoveToTopBottomTest, TheLastEligibleObjectStaysButIsRecreatedAtTopLevel) {
  const testing::OutlineRun run =
      RunOnOutline(MoveToBottom, "P\n  Q [selected]\n    Q1 [ineligible]\n");
  EXPECT_EQ(run.after, "P\nQ [selected]\n  Q1 [ineligible]\n-\n");
  EXPECT_EQ(run.result, 1);
}

TEST(MoveToTopBottomTest, IneligibleSelectedObjectsMoveOnlyInsideAMovedSubtree) {
  ExpectOutlineCases({
      {"not moved on its own", MoveToTop, "P\nI [selected ineligible]\nQ\n",
       "P\nI [selected ineligible]\nQ\n", 1},
      {"carried by its moved parent", MoveToBottom, "S [selected]\n  I [selected ineligible]\nP\n",
       "P\nS [selected]\n  I [selected ineligible]\n", 1},
      {"bottom goes behind an ineligible child of the last eligible object, which keeps its parent",
       MoveToBottom, "A [selected]\nB\n  X [ineligible]\n", "B\n  X [ineligible]\nA [selected]\n",
       1},
      {"bottom goes behind every deeper ineligible object, not behind a top-level one",
       MoveToBottom, "A [selected]\nB\n  C\n    X [ineligible]\n  Y [ineligible]\nZ [ineligible]\n",
       "B\n  C\n    X [ineligible]\n  Y [ineligible]\nA [selected]\nZ [ineligible]\n", 1},
      {"the last eligible object passes an ineligible sibling under the same parent", MoveToBottom,
       "P\n  Q [selected]\n  R [ineligible]\n", "P\n  R [ineligible]\nQ [selected]\n", 1},
  });
}

TEST(MoveToTopBottomTest, NothingSelectedChangesNothing) {
  ExpectOutlineCases({
      {"top, nothing selected", MoveToTop, "P\n  Q\n", "P\n  Q\n", 1},
      {"bottom, nothing selected", MoveToBottom, "P\n  Q\n", "P\n  Q\n", 1},
      {"top, empty list", MoveToTop, "", "", 1},
      {"bottom, empty list", MoveToBottom, "", "", 1},
  });
}

// Scanning the list while moving would miss slots pushed past the count read
// at the start, meet copies already placed and move them again, and break the
// group's order. The group is listed before anything moves.
TEST(MoveToTopBottomTest, EverySelectedObjectIsMovedOnceInItsOrder) {
  ExpectOutlineCases({
      {"top reaches selected objects at the end of the list", MoveToTop,
       "P\nQ\nR [selected]\nS [selected]\n", "R [selected]\nS [selected]\nP\nQ\n", 1},
      {"top keeps a selected child inside its selected parent", MoveToTop,
       "A [selected]\n  B [selected]\nC\n", "A [selected]\n  B [selected]\nC\n", 1},
      {"bottom does not move its placed copies again", MoveToBottom,
       "P [selected]\nQ [selected]\nZ [ineligible]\n",
       "P [selected]\nQ [selected]\nZ [ineligible]\n", 1},
      {"bottom keeps a later member's trailing ineligible descendants", MoveToBottom,
       "L [selected]\nO [selected]\n  O1\n  O2 [ineligible]\n",
       "L [selected]\nO [selected]\n  O1\n  O2 [ineligible]\n", 1},
      {"bottom keeps an earlier member's trailing ineligible descendants", MoveToBottom,
       "O [selected]\n  O1\n  O2 [ineligible]\nS [selected]\n",
       "O [selected]\n  O1\n  O2 [ineligible]\nS [selected]\n", 1},
      {"top with selected objects at several depths", MoveToTop,
       "A\n  B [selected]\n    C [selected]\n  D [selected]\nE [selected]\n",
       "B [selected]\n  C [selected]\nD [selected]\nE [selected]\nA\n", 1},
  });
}

// The object that was current is current afterwards, its copy when it moved;
// the index is set once, at the end, and only when it changed. An index that
// names no object is left as it is.
TEST(MoveToTopBottomTest, TheCurrentObjectStaysCurrent) {
  struct Case {
    const char* what;
    testing::Operation operation;
    const char* before;
    const char* after;  // without plain empty slots
    std::size_t index_sets;
  };
  const Case cases[] = {
      {"bottom moves the current object", MoveToBottom,
       "Floor\nChair [selected current]\nTable\nLamp [selected]\n",
       "Floor\nTable\nChair [current selected]\nLamp [selected]\n", 1},
      {"top inserts in front of the current object", MoveToTop,
       "Floor\nTable [current]\nChair [selected]\nLamp [selected]\n",
       "Chair [selected]\nLamp [selected]\nFloor\nTable [current]\n", 1},
      {"the current object travels with its moved ancestor", MoveToBottom,
       "A [selected]\n  B [current]\nC\n", "C\nA [selected]\n  B [current]\n", 1},
      {"top moves the current object to the front", MoveToTop, "P\nQ [selected current]\n",
       "Q [current selected]\nP\n", 1},
      {"the current object keeps its place", MoveToBottom, "P [current]\nQ [selected]\nR\n",
       "P [current]\nR\nQ [selected]\n", 0},
      {"a current empty slot follows its slot, so no object becomes current", MoveToTop,
       "P\n- [current]\nQ [selected]\n", "Q [selected]\nP\n- [current]\n", 1},
      {"a current empty slot in front of what moves stays where it is", MoveToBottom,
       "- [current]\nZ\nA [selected]\n", "- [current]\nZ\nA [selected]\n", 0},
      {"a current empty slot behind the landing place follows its slot", MoveToBottom,
       "A [selected]\nB\n- [current]\n", "B\nA [selected]\n- [current]\n", 1},
      {"no current object", MoveToBottom, "P [selected]\nQ\n", "Q\nP [selected]\n", 0},
  };
  for (const Case& row : cases) {
    SCOPED_TRACE(row.what);
    const testing::OutlineRun run = testing::RunOnOutline(row.operation, row.before);
    EXPECT_EQ(run.compact_after, row.after);
    EXPECT_EQ(standin::CallsStartingWith("MQDoc_SetCurrentObjectIndex").size(), row.index_sets);
  }
}

// A current index past the end of the list, which a host should not answer,
// names no slot to follow: the host is not asked to make a slot current that
// it does not have.
TEST(MoveToTopBottomTest, ACurrentIndexPastTheListIsLeftAsItIs) {
  testing::ScopedStandinBinding binding;
  for (const testing::Operation operation : {MoveToTop, MoveToBottom}) {
    for (const int32_t past : {2, std::numeric_limits<int32_t>::max() - 1}) {
      SCOPED_TRACE(::testing::Message()
                   << (operation == MoveToTop ? "top" : "bottom") << ", index " << past);
      standin::Document document;
      ASSERT_TRUE(
          document.LoadOutline(operation == MoveToTop ? "P\nQ [selected]\n" : "Q [selected]\nP\n"));
      document.State().current_index = past;
      standin::ClearCalls();
      ASSERT_EQ(operation(document.Handle()), 1);
      EXPECT_TRUE(standin::CallsStartingWith("MQDoc_SetCurrentObjectIndex").empty());
      EXPECT_EQ(document.CallsOutsideContract(), 0);
    }
  }
}

TEST(MoveToTopBottomTest, AnObjectAlreadyAtTheFrontIsStillRecreated) {
  testing::ScopedStandinBinding binding;
  standin::Document document;
  ASSERT_TRUE(document.LoadOutline("Q [selected]\nP\n"));
  void* original = document.ObjectInSlot(0);
  ASSERT_EQ(MoveToTop(document.Handle()), 1);
  EXPECT_EQ(document.ToOutline(), "Q [selected]\n-\nP\n");
  EXPECT_NE(document.ObjectInSlot(0), original);
  EXPECT_EQ(document.DeadObjectTouches(), 0);
}

}  // namespace
}  // namespace rowshift
