#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/operations.h"
#include "standin/call_log.h"
#include "support/outline_run.h"

namespace rowshift {
namespace {

using testing::ExpectOutlineCases;
using testing::RunOnOutline;

TEST(GatherTest, MakesTheOtherSelectedObjectsTheTargetsFirstChildren) {
  ExpectOutlineCases({
      {"Q and S become T's first children in their old order", GatherSelected,
       "T [current selected]\nR\nQ [selected]\n  Q1\nS [selected]\n",
       "T [current selected]\n  Q [selected]\n    Q1\n  S [selected]\nR\n", 1},
      {"a selected child of a gathered object travels inside it", GatherSelected,
       "T [current selected]\nQ [selected]\n  Q1 [selected]\n",
       "T [current selected]\n  Q [selected]\n    Q1 [selected]\n", 1},
      {"a selected grandchild of the target becomes a direct child in front", GatherSelected,
       "T [current selected]\n  C\n    G [selected]\n",
       "T [current selected]\n  G [selected]\n  C\n", 1},
      {"a selected object hidden under a collapsed one is gathered", GatherSelected,
       "T [current selected]\nP [collapsed]\n  H [selected]\n",
       "T [current selected]\n  H [selected]\nP [collapsed]\n", 1},
      {"an ineligible object ends the subtree in front of it", GatherSelected,
       "A [ineligible]\nB\n  C [selected]\n  D [selected ineligible]\n    E [selected ineligible]\n"
       "      F\n        G [current selected]\n",
       "A [ineligible]\nB\n  D [selected ineligible]\n    E [selected ineligible]\n      F\n"
       "        G [current selected]\n          C [selected]\n",
       1},
      {"the gathered keep their depth below the target's depth", GatherSelected,
       "A\n  T [current selected]\nB\n  C\n    Q [selected]\n      Q1\n",
       "A\n  T [current selected]\n    Q [selected]\n      Q1\nB\n  C\n", 1},
  });
}

TEST(GatherTest, ASelectedObjectBeforeTheTargetLeavesAnEmptySlot) {
  const testing::OutlineRun run =
      RunOnOutline(GatherSelected, "Q [selected]\nT [current selected]\n  C\n");
  EXPECT_EQ(run.after, "-\nT [current selected]\n  Q [selected]\n  C\n");
  EXPECT_EQ(run.result, 1);
}

TEST(GatherTest, HostCallsOfListingAndMovingInOrder) {
  const testing::OutlineRun run =
      RunOnOutline(GatherSelected, "T [current selected]\nQ [selected]\n  Q1\n");
  ASSERT_EQ(run.result, 1);
  const std::vector<std::string> expected = {
      // Choosing the target and the objects to gather, each with its subtree;
      // the depths read here serve the moves.
      "MQDoc_GetObjectCount() -> 3",
      "MQDoc_GetCurrentObjectIndex() -> 0",
      "MQDoc_GetObject(0) -> T",
      "MQObj_GetIntValue(T, 260) -> 1",
      "MQObj_GetIntValue(T, 262) -> 1",
      "MQObj_GetIntValue(T, 257) -> 0",
      "MQDoc_GetObject(1) -> Q",
      "MQObj_GetIntValue(Q, 260) -> 1",
      "MQObj_GetIntValue(Q, 262) -> 1",
      "MQObj_GetIntValue(Q, 257) -> 0",
      "MQDoc_GetObject(2) -> Q1",
      "MQObj_GetIntValue(Q1, 257) -> 1",
      // Q behind the target, one level below it, and its child behind it.
      "MQObj_Clone(Q) -> Q",
      "MQDoc_InsertObject(Q, T) -> 1",
      "MQDoc_GetObjectIndex(Q) -> 2",
      "MQDoc_GetObject(2) -> Q",
      "MQDoc_DeleteObject(2) -> 1",
      "MQObj_SetIntValue(Q, 257, 1) -> 1",
      "MQObj_Clone(Q1) -> Q1",
      "MQDoc_InsertObject(Q1, Q) -> 2",
      "MQDoc_GetObjectIndex(Q1) -> 4",
      "MQDoc_GetObject(4) -> Q1",
      "MQDoc_DeleteObject(4) -> 1",
      "MQObj_SetIntValue(Q1, 257, 2) -> 1",
      // The slots filled and emptied, read for depths that would not make an
      // outline: from the front, as the copies stand at 1 and 2.
      "MQDoc_GetObject(0) -> T",
      "MQObj_GetIntValue(T, 257) -> 0",
      "MQDoc_GetObject(1) -> Q",
      "MQObj_GetIntValue(Q, 257) -> 1",
      "MQDoc_GetObject(2) -> Q1",
      "MQObj_GetIntValue(Q1, 257) -> 2",
      "MQDoc_GetObject(3) -> null",
      "MQDoc_GetObject(4) -> null",
  };
  EXPECT_EQ(standin::Calls(), expected);
}

TEST(GatherTest, WithoutATargetOrAnythingToGatherNothingChanges) {
  ExpectOutlineCases({
      {"the current object not selected", GatherSelected, "T [current]\nQ [selected]\n",
       "T [current]\nQ [selected]\n", 0},
      {"no current object", GatherSelected, "T [selected]\nQ [selected]\n",
       "T [selected]\nQ [selected]\n", 0},
      {"the current object not eligible", GatherSelected,
       "T [current selected ineligible]\nQ [selected]\n",
       "T [current selected ineligible]\nQ [selected]\n", 0},
      {"the current object below an earlier selected object", GatherSelected,
       "Q [selected]\n  T [current selected]\nR [selected]\n",
       "Q [selected]\n  T [current selected]\nR [selected]\n", 0},
      {"no other selected object", GatherSelected, "T [current selected]\nQ\n",
       "T [current selected]\nQ\n", 0},
      {"the other selected object not eligible", GatherSelected,
       "T [current selected]\nQ [selected ineligible]\n",
       "T [current selected]\nQ [selected ineligible]\n", 0},
      {"the current index on an empty slot", GatherSelected, "- [current]\nQ [selected]\n",
       "- [current]\nQ [selected]\n", 0},
      {"an empty list", GatherSelected, "", "", 0},
  });
}

}  // namespace
}  // namespace rowshift
