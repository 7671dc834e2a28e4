#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/operations.h"
#include "standin/call_log.h"
#include "standin/document_control.h"
#include "support/outline_run.h"
#include "support/standin_in_process.h"

namespace rowshift {
namespace {

using testing::ExpectOutlineCases;
using testing::RunOnOutline;

TEST(InsertFromBottomTest, MovesTheLastRowBehindTheCurrentObject) {
  ExpectOutlineCases({
      {"Z takes Q's depth and ends P's subtree", InsertFromBottom, "P\n  P1 [current]\nQ\nZ\n",
       "P\n  P1 [current]\nZ\nQ\n", 1},
      {"behind an expanded P, Z becomes its first child", InsertFromBottom,
       "P [current]\n  P1\nQ\nZ\n", "P [current]\n  Z\n  P1\nQ\n", 1},
      {"behind a collapsed P, Z lands behind the hidden subtree", InsertFromBottom,
       "P [current collapsed]\n  P1\nQ\nZ\n", "P [current collapsed]\n  P1\nZ\nQ\n", 1},
      {"a collapsed last row travels with its hidden child", InsertFromBottom,
       "P [current]\nQ\nZ [collapsed]\n  Z1\n", "P [current]\nZ [collapsed]\n  Z1\nQ\n", 1},
      {"with Z expanded the last row is Z1, moved alone", InsertFromBottom,
       "P [current]\nQ\nZ\n  Z1\n", "P [current]\nZ1\nQ\nZ\n", 1},
      {"a last row already behind the current object is re-created", InsertFromBottom,
       "P [current]\nZ\n", "P [current]\nZ\n", 1},
      {"the current object as the last row answers its index", InsertFromBottom, "P\nZ [current]\n",
       "P\nZ [current]\n", 1},
  });
}

// Behind a collapsed current object: its children are counted, the anchor is
// found at the end of its hidden block, then the last row, its depth and
// subtree, and the row behind the anchor, all before anything moves.
TEST(InsertFromBottomTest, HostCallsInOrderBehindACollapsedObject) {
  const testing::OutlineRun run =
      RunOnOutline(InsertFromBottom, "P [current collapsed]\n  P1\nQ\nZ\n");
  ASSERT_EQ(run.result, 1);
  const std::vector<std::string> expected = {
      "MQDoc_GetObjectCount() -> 4",
      "MQDoc_GetCurrentObjectIndex() -> 0",
      "MQDoc_GetObject(0) -> P",
      "MQDoc_GetChildObjectCount(P) -> 1",
      "MQObj_GetIntValue(P, 258) -> 1",
      "MQObj_GetIntValue(P, 257) -> 0",
      "MQDoc_GetObject(1) -> P1",
      "MQObj_GetIntValue(P1, 257) -> 1",
      "MQDoc_GetObject(2) -> Q",
      "MQObj_GetIntValue(Q, 257) -> 0",
      "MQDoc_GetObject(3) -> Z",
      "MQObj_GetIntValue(Z, 260) -> 1",
      "MQDoc_GetParentObject(Z) -> null",
      "MQObj_GetIntValue(Z, 257) -> 0",
      "MQDoc_GetObject(2) -> Q",
      "MQObj_GetIntValue(Q, 260) -> 1",
      "MQDoc_GetParentObject(Q) -> null",
      "MQObj_GetIntValue(Q, 257) -> 0",
      // Q, the row that gave the depth, stands directly behind the anchor.
      "MQDoc_GetObject(2) -> Q",
      "MQObj_GetIntValue(Q, 257) -> 0",
      "MQObj_Clone(Z) -> Z",
      "MQDoc_InsertObject(Z, P1) -> 2",
      "MQDoc_GetObjectIndex(Z) -> 4",
      "MQDoc_GetObject(4) -> Z",
      "MQDoc_DeleteObject(4) -> 1",
      "MQObj_SetIntValue(Z, 257, 0) -> 1",
      // The slots filled and emptied, and the object behind them, read for
      // depths that would not make an outline.
      "MQDoc_GetObject(1) -> P1",
      "MQObj_GetIntValue(P1, 257) -> 1",
      "MQDoc_GetObject(2) -> Z",
      "MQObj_GetIntValue(Z, 257) -> 0",
      "MQDoc_GetObject(3) -> Q",
      "MQObj_GetIntValue(Q, 257) -> 0",
      "MQDoc_GetObject(4) -> null",
  };
  EXPECT_EQ(standin::Calls(), expected);
}

TEST(InsertFromBottomTest, FindsTheLastRowByRows) {
  ExpectOutlineCases({
      {"an ineligible object at the end is passed over", InsertFromBottom,
       "P [current]\nQ\nR\nZ [ineligible]\n", "P [current]\nR\nQ\nZ [ineligible]\n", 1},
      {"collapsed without children: lands directly behind", InsertFromBottom,
       "P [current collapsed]\nQ\nZ\n", "P [current collapsed]\nZ\nQ\n", 1},
      {"a shallower following row gives the shallower depth", InsertFromBottom,
       "P\n  P1\n  P2 [current]\nQ\nZ\n", "P\n  P1\n  P2 [current]\nZ\nQ\n", 1},
      {"a current object behind the last row: depth 0 with no row behind", InsertFromBottom,
       "P\nZ\nX [current ineligible]\n", "P\nX [current ineligible]\nZ\n", 1},
      {"the current index answered when the last row is current", InsertFromBottom,
       "A\nB\nZ [current]\n", "A\nB\nZ [current]\n", 2},
      {"an ineligible child of the current object keeps its parent", InsertFromBottom,
       "A [current]\n  X [ineligible]\nB\n", "A [current]\n  X [ineligible]\nB\n", 1},
      {"at most one level below the current object, whose ineligible child stays", InsertFromBottom,
       "P\n  I [current]\n    J [ineligible]\n      K\n        L [ineligible]\n",
       "P\n  I [current]\n    K\n      L [ineligible]\n    J [ineligible]\n", 1},
      {"not hidden under a collapsed current object: it becomes its sibling", InsertFromBottom,
       "A [current collapsed]\nB [ineligible]\n  C\n", "A [current collapsed]\nC\nB [ineligible]\n",
       1},
  });
}

TEST(InsertFromBottomTest, NothingToActOnChangesNothing) {
  ExpectOutlineCases({
      {"no current object", InsertFromBottom, "P\nZ\n", "P\nZ\n", -1},
      {"no row at all", InsertFromBottom, "A [current ineligible]\n", "A [current ineligible]\n",
       -1},
      {"the current index on an empty slot", InsertFromBottom, "P\n- [current]\nZ\n",
       "P\n- [current]\nZ\n", -1},
      {"an empty list", InsertFromBottom, "", "", -1},
  });
}

// The last row would be moved behind its own descendant and re-created with
// it, leaving the current index on an emptied slot.
TEST(InsertFromBottomTest, CurrentObjectInsideTheLastRowsSubtreeChangesNothing) {
  ExpectOutlineCases({
      {"hidden under a collapsed last row", InsertFromBottom, "P\nZ [collapsed]\n  Z1 [current]\n",
       "P\nZ [collapsed]\n  Z1 [current]\n", 2},
      {"an ineligible descendant of the last row", InsertFromBottom,
       "P\nZ\n  Z1 [current ineligible]\n", "P\nZ\n  Z1 [current ineligible]\n", 2},
      {"deep inside a collapsed last row", InsertFromBottom,
       "P\nZ [collapsed]\n  Z1\n    Z2 [current]\n  Z3\n",
       "P\nZ [collapsed]\n  Z1\n    Z2 [current]\n  Z3\n", 3},
  });
}

// An ineligible collapsed current object whose hidden block holds nothing
// eligible: the block's last eligible object lies in front of it, and the
// last row must still land behind it so that the index keeps naming it, and
// behind the block, which stays the current object's.
TEST(InsertFromBottomTest, NeverInsertsInFrontOfTheCurrentObject) {
  const testing::OutlineRun run =
      RunOnOutline(InsertFromBottom, "P\nX [current collapsed ineligible]\n  X1 [ineligible]\nZ\n");
  EXPECT_EQ(run.after, "P\nX [current collapsed ineligible]\n  X1 [ineligible]\nZ\n-\n");
  EXPECT_EQ(run.result, 1);
}

TEST(InsertFromBottomTest, TheMovedRowIsANewObjectEvenInItsOldPlace) {
  testing::ScopedStandinBinding binding;
  standin::Document document;
  ASSERT_TRUE(document.LoadOutline("P [current]\nZ\n"));
  void* original = document.ObjectInSlot(1);
  ASSERT_EQ(InsertFromBottom(document.Handle()), 1);
  EXPECT_EQ(document.ToOutline(), "P [current]\nZ\n-\n");
  EXPECT_NE(document.ObjectInSlot(1), original);
  EXPECT_EQ(document.DeadObjectTouches(), 0);
}

}  // namespace
}  // namespace rowshift
