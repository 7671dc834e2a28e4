#include <gtest/gtest.h>

#include "engine/operations.h"
#include "standin/call_log.h"
#include "standin/document_control.h"
#include "standin/document_exports.h"
#include "standin/host_call_control.h"
#include "support/outline_run.h"
#include "support/standin_in_process.h"

namespace rowshift {
namespace {

using testing::ExpectOutlineCases;
using testing::Operation;
using testing::RunOnOutline;

constexpr int32_t kCollapsedId = 258;
constexpr int32_t kOddCollapsedValue = 5;

TEST(MoveUpDownTest, StepsOneRowIntoAndOutOfExpandedObjects) {
  ExpectOutlineCases({
      {"up onto the last child of P makes Q P's first child", MoveUp, "P\n  P1\nQ [current]\n",
       "P\n  Q [current]\n  P1\n", 1},
      {"up again takes Q to the front at P's depth", MoveUp, "P\n  Q [current]\n  P1\n",
       "Q [current]\nP\n  P1\n", 1},
      {"up passes a collapsed object with its hidden subtree in one step", MoveUp,
       "P [collapsed]\n  P1\nQ [current]\n", "Q [current]\nP [collapsed]\n  P1\n", 1},
      {"down makes Q R's first child", MoveDown, "Q [current]\nR\n  R1\n",
       "R\n  Q [current]\n  R1\n", 1},
      {"down again takes Q behind R's subtree at depth 0", MoveDown, "R\n  Q [current]\n  R1\n",
       "R\n  R1\nQ [current]\n", 1},
      {"up on the first row wraps behind the last eligible object", MoveUp, "P [current]\nQ\nR\n",
       "Q\nR\nP [current]\n", 1},
      {"down on an object whose subtree holds the last row wraps to the front", MoveDown,
       "A\nB [current]\n  B1\n", "B [current]\n  B1\nA\n", 1},
  });
}

TEST(MoveUpDownTest, DescendantsTravelWithTheirRelativeDepths) {
  ExpectOutlineCases({
      {"a child stays one level below its moved parent", MoveUp,
       "P\n  P1\nQ [current]\n  Q1\n    Q2\n", "P\n  Q [current]\n    Q1\n      Q2\n  P1\n", 1},
      {"down carries the whole subtree behind the next row", MoveDown, "Q [current]\n  Q1\nR\nS\n",
       "R\nQ [current]\n  Q1\nS\n", 1},
  });
}

TEST(MoveUpDownTest, IneligibleObjectsAreNeverTargetRows) {
  ExpectOutlineCases({
      {"up passes an ineligible object and lands in front of P", MoveUp,
       "P\nI [ineligible]\nQ [current]\n", "Q [current]\nP\nI [ineligible]\n", 1},
      {"the only eligible object is its own anchor and stays, at depth 0", MoveUp,
       "A [ineligible]\n  Q [current]\n", "A [ineligible]\nQ [current]\n", 1},
      {"up to the front takes depth 0, not the depth of an ineligible object's child", MoveUp,
       "X [ineligible]\n  X1\nB [current]\n", "B [current]\nX [ineligible]\n  X1\n", 1},
      {"up lands at most one level below the object in front", MoveUp,
       "A\n  X [ineligible]\n    X1\nB [current]\n", "A\n  B [current]\n  X [ineligible]\n    X1\n",
       1},
      {"down passes an ineligible child of the object it passes", MoveDown,
       "A [current]\nB\n  X [ineligible]\nC\n", "B\n  X [ineligible]\nA [current]\nC\n", 1},
      {"up from the front wraps behind an ineligible child of the last object", MoveUp,
       "A [current]\nJ\n  K [ineligible]\n", "J\n  K [ineligible]\nA [current]\n", 1},
      {"down from the end wraps to the front at depth 0", MoveDown,
       "A [ineligible]\n  B [ineligible]\n  C\nG [current]\n",
       "G [current]\nA [ineligible]\n  B [ineligible]\n  C\n", 1},
      {"up does not hide the moved object under a collapsed one: it becomes its sibling", MoveUp,
       "A [collapsed]\nB [ineligible]\n  C\nD [current]\n",
       "A [collapsed]\nD [current]\nB [ineligible]\n  C\n", 1},
      {"an object that is no row may land hidden under a collapsed one", MoveUp,
       "A [collapsed]\nB [ineligible]\n  C\nD [current ineligible]\n",
       "A [collapsed]\n  D [current ineligible]\nB [ineligible]\n  C\n", 1},
      {"down wrapping onto its own place goes behind an ineligible sibling, which keeps its parent",
       MoveDown,
       "A [ineligible]\n  B [collapsed ineligible]\n    C\n  D [current]\n  E [ineligible]\n",
       "A [ineligible]\n  B [collapsed ineligible]\n    C\n  E [ineligible]\nD [current]\n", 1},
      {"up lands at the row's depth behind deeper objects that belong to the one in front, "
       "a collapsed one too",
       MoveUp, "P\n  Q\n    I [ineligible]\n      J [ineligible collapsed]\n  T\nX [current]\n",
       "P\n  Q\n    I [ineligible]\n      J [collapsed ineligible]\n  X [current]\n  T\n", 1},
      {"down passes the block hidden under a collapsed object it would land in", MoveDown,
       "D [current]\nN [collapsed]\n  N1\nM [ineligible]\n  T\n",
       "N [collapsed]\n  N1\nD [current]\nM [ineligible]\n  T\n", 1},
  });
}

TEST(MoveUpDownTest, NothingToActOnChangesNothing) {
  ExpectOutlineCases({
      {"up without a current object", MoveUp, "P\nQ\n", "P\nQ\n", -1},
      {"down without a current object", MoveDown, "P\nQ\n", "P\nQ\n", -1},
      {"up with the current index on an empty slot", MoveUp, "P\n- [current]\nQ\n",
       "P\n- [current]\nQ\n", -1},
      {"down with the current index on an empty slot", MoveDown, "P\n- [current]\nQ\n",
       "P\n- [current]\nQ\n", -1},
      {"up on an empty list", MoveUp, "", "", -1},
  });
}

TEST(MoveUpDownTest, CurrentIndexOnAnEmptySlotCallsNothingBeyondTheSlot) {
  const testing::OutlineRun run = RunOnOutline(MoveDown, "P\n- [current]\nQ\n");
  EXPECT_EQ(run.result, -1);
  const std::vector<std::string> expected = {"MQDoc_GetObjectCount() -> 3",
                                             "MQDoc_GetCurrentObjectIndex() -> 1",
                                             "MQDoc_GetObject(1) -> null"};
  EXPECT_EQ(standin::Calls(), expected);
}

// Moving the first row down when its subtree holds every later row wraps it
// onto its own place; the row that then follows it is its own first
// descendant, whose depth it must not take.
TEST(MoveUpDownTest, DownOnAFirstRowHoldingEveryLaterRowKeepsItsSubtree) {
  const testing::OutlineRun run = RunOnOutline(MoveDown, "A [current]\n  B\n    C\n  D\n");
  EXPECT_EQ(run.compact_after, "A [current]\n  B\n    C\n  D\n");
  EXPECT_EQ(run.result, 1);
  EXPECT_EQ(run.dead_object_touches, 0);
}

TEST(MoveUpDownTest, CollapsedValueIsWrittenBackAsOneOrZero) {
  struct Case {
    const char* what;
    Operation operation;
    const char* before;
    int32_t collapsed_before;
    int32_t collapsed_after;
  };
  const Case cases[] = {
      {"up, moved", MoveUp, "P\nQ [current]\n", kOddCollapsedValue, 1},
      {"down, moved", MoveDown, "Q [current]\nP\n", kOddCollapsedValue, 1},
      {"up, not collapsed", MoveUp, "P\nQ [current]\n", 0, 0},
      {"up, staying in place", MoveUp, "A [ineligible]\nQ [current]\n", kOddCollapsedValue, 1},
  };
  testing::ScopedStandinBinding binding;
  for (const Case& check : cases) {
    SCOPED_TRACE(check.what);
    standin::Document document;
    ASSERT_TRUE(document.LoadOutline(check.before));
    const int32_t current = MQDoc_GetCurrentObjectIndex(document.Handle());
    MQObj_SetIntValue(document.ObjectInSlot(current), kCollapsedId, check.collapsed_before);
    EXPECT_EQ(check.operation(document.Handle()), 1);
    void* moved = document.ObjectInSlot(MQDoc_GetCurrentObjectIndex(document.Handle()));
    EXPECT_EQ(MQObj_GetIntValue(moved, kCollapsedId), check.collapsed_after);
  }
  // An object that stays in place is not made current again.
  standin::Document document;
  ASSERT_TRUE(document.LoadOutline("A [ineligible]\nQ [current]\n"));
  standin::ClearCalls();
  EXPECT_EQ(MoveUp(document.Handle()), 1);
  EXPECT_TRUE(standin::CallsStartingWith("MQDoc_SetCurrentObjectIndex").empty());
}

// Q lands between P and P1, whose depth it takes: P1 becomes its child, and
// Q's own Collapsed value does not hide P1 from that choice.
TEST(MoveUpDownTest, ACollapsedObjectTakesTheDepthOfTheRowItLandsInFrontOf) {
  testing::ScopedStandinBinding binding;
  standin::Document document;
  ASSERT_TRUE(document.LoadOutline("P\n  P1\nQ [current collapsed]\n"));
  standin::ClearCalls();
  ASSERT_EQ(MoveUp(document.Handle()), 1);
  EXPECT_EQ(testing::WithoutEmptySlots(document.ToOutline()), "P\n  Q [current collapsed]\n  P1\n");
  const std::vector<std::string> writes = standin::CallsStartingWith("MQObj_SetIntValue");
  const std::vector<std::string> expected = {"MQObj_SetIntValue(Q, 257, 1) -> 1",
                                             "MQObj_SetIntValue(Q, 258, 1) -> 1"};
  EXPECT_EQ(writes, expected);
}

// The subtree is collected, the target row found behind the next row after
// it and the anchor before it, and the landing read from the anchor, all
// before anything moves; then the object and its descendants move, its
// Collapsed value is written back as 1, and, once the list is an outline
// again, the copy becomes current.
TEST(MoveUpDownTest, DownHostCallsInOrder) {
  const testing::OutlineRun run = RunOnOutline(MoveDown, "Q [current collapsed]\n  Q1\nR\n  R1\n");
  ASSERT_EQ(run.result, 1);
  const std::vector<std::string> expected = {
      "MQDoc_GetObjectCount() -> 4",
      "MQDoc_GetCurrentObjectIndex() -> 0",
      "MQDoc_GetObject(0) -> Q",
      "MQObj_GetIntValue(Q, 257) -> 0",
      "MQDoc_GetObject(1) -> Q1",
      "MQObj_GetIntValue(Q1, 257) -> 1",
      "MQDoc_GetObject(2) -> R",
      "MQObj_GetIntValue(R, 257) -> 0",
      "MQDoc_GetObject(2) -> R",
      "MQObj_GetIntValue(R, 260) -> 1",
      "MQDoc_GetParentObject(R) -> null",
      "MQDoc_GetObject(3) -> R1",
      "MQObj_GetIntValue(R1, 260) -> 1",
      "MQDoc_GetParentObject(R1) -> R",
      "MQObj_GetIntValue(R, 258) -> 0",
      "MQDoc_GetParentObject(R) -> null",
      "MQDoc_GetObject(2) -> R",
      "MQObj_GetIntValue(R, 260) -> 1",
      "MQObj_GetIntValue(R1, 257) -> 1",
      "MQDoc_GetObject(3) -> R1",
      "MQObj_GetIntValue(R1, 257) -> 1",
      "MQObj_Clone(Q) -> Q",
      "MQDoc_InsertObject(Q, R) -> 3",
      "MQDoc_GetObjectIndex(Q) -> 0",
      "MQDoc_GetObject(0) -> Q",
      "MQDoc_DeleteObject(0) -> 1",
      "MQObj_SetIntValue(Q, 257, 1) -> 1",
      "MQObj_Clone(Q1) -> Q1",
      "MQDoc_InsertObject(Q1, Q) -> 4",
      "MQDoc_GetObjectIndex(Q1) -> 1",
      "MQDoc_GetObject(1) -> Q1",
      "MQDoc_DeleteObject(1) -> 1",
      "MQObj_SetIntValue(Q1, 257, 2) -> 1",
      "MQObj_GetIntValue(Q, 258) -> 1",
      "MQObj_SetIntValue(Q, 258, 1) -> 1",
      // The slots the moves emptied and filled, and the object behind each,
      // read for depths that would not make an outline.
      "MQDoc_GetObject(0) -> null",
      "MQDoc_GetObject(1) -> null",
      "MQDoc_GetObject(2) -> R",
      "MQObj_GetIntValue(R, 257) -> 0",
      "MQDoc_GetObject(3) -> Q",
      "MQObj_GetIntValue(Q, 257) -> 1",
      "MQDoc_GetObject(4) -> Q1",
      "MQObj_GetIntValue(Q1, 257) -> 2",
      "MQDoc_GetObject(5) -> R1",
      "MQObj_GetIntValue(R1, 257) -> 1",
      "MQDoc_SetCurrentObjectIndex(3) -> 1",
  };
  EXPECT_EQ(standin::Calls(), expected);
}

TEST(MoveUpDownTest, CurrentIndexNamesTheMovedCopy) {
  testing::ScopedStandinBinding binding;
  standin::Document document;
  ASSERT_TRUE(document.LoadOutline("P\nQ [current]\n"));
  void* original = document.ObjectInSlot(1);
  ASSERT_EQ(MoveUp(document.Handle()), 1);
  const int32_t current = MQDoc_GetCurrentObjectIndex(document.Handle());
  EXPECT_EQ(current, 0);
  EXPECT_NE(document.ObjectInSlot(current), original);
  EXPECT_EQ(document.ToOutline(), "Q [current]\nP\n-\n");
  // A refused deletion takes the copy out again: the object stays, and current.
  ASSERT_TRUE(document.LoadOutline("P\nQ [current]\n"));
  standin::FailNthCall(standin::EntryPoint::MQDoc_DeleteObject, 1);
  ASSERT_EQ(MoveUp(document.Handle()), 1);
  standin::ResetHostCalls();
  EXPECT_EQ(document.ToOutline(), "-\nP\nQ [current]\n");
}

}  // namespace
}  // namespace rowshift
