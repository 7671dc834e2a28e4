#include "engine/rows.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/document.h"
#include "engine_document_fixture.h"
#include "standin/call_log.h"

namespace rowshift {
namespace {

class RowsTest : public testing::EngineDocumentTest {};

struct SearchCase {
  const char* what;
  const char* outline;
  int32_t start;
  RowDirection direction;
  int32_t found;                        // the row's slot, -1 for none
  std::vector<std::string> calls = {};  // the host calls in order, where stated
};

TEST_F(RowsTest, FindsTheRowsTheOutlineShowsAskingOnlyWhatItNeeds) {
  const SearchCase cases[] = {
      {"forward from the front: the first row", "A [ineligible]\nB\nC\nD [ineligible]\n", 0,
       RowDirection::Forward, 1},
      {"backward from the end: the last row", "A [ineligible]\nB\nC\nD [ineligible]\n", 3,
       RowDirection::Backward, 2},
      {"an empty list, forward", "", 0, RowDirection::Forward, -1},
      {"an empty list, backward", "", -1, RowDirection::Backward, -1},
      {"under a collapsed grandparent, forward", "A [collapsed]\n  B\n    C\nD\n", 1,
       RowDirection::Forward, 3},
      {"under a collapsed grandparent, backward", "A [collapsed]\n  B\n    C\nD\n", 2,
       RowDirection::Backward, 0},
      {"empty slots and ineligible objects, forward", "A\n-\nB [ineligible]\n-\nC\n", 1,
       RowDirection::Forward, 4},
      {"empty slots and ineligible objects, backward", "A\n-\nB [ineligible]\n-\nC\n", 3,
       RowDirection::Backward, 0},
      {"past the end", "A\n-\nB [ineligible]\n-\nC\n", 5, RowDirection::Forward, -1},
      {"before the front", "A\n-\nB [ineligible]\n-\nC\n", -1, RowDirection::Backward, -1},
      {"no count asked; ancestors walked only for a found object",
       "A\n-\n  B\n",
       1,
       RowDirection::Forward,
       2,
       {"MQDoc_GetObject(1) -> null", "MQDoc_GetObject(2) -> B", "MQObj_GetIntValue(B, 260) -> 1",
        "MQDoc_GetParentObject(B) -> A", "MQObj_GetIntValue(A, 258) -> 0",
        "MQDoc_GetParentObject(A) -> null"}},
      {"forward passes the outermost collapsed ancestor's subtree by depths",
       "A\n  B [collapsed]\n    C\nD\n",
       2,
       RowDirection::Forward,
       3,
       {"MQDoc_GetObject(2) -> C", "MQObj_GetIntValue(C, 260) -> 1",
        "MQDoc_GetParentObject(C) -> B", "MQObj_GetIntValue(B, 258) -> 1",
        "MQDoc_GetParentObject(B) -> A", "MQObj_GetIntValue(A, 258) -> 0",
        "MQDoc_GetParentObject(A) -> null", "MQObj_GetIntValue(B, 257) -> 1",
        "MQDoc_GetObject(3) -> D", "MQObj_GetIntValue(D, 257) -> 0",
        "MQObj_GetIntValue(D, 260) -> 1", "MQDoc_GetParentObject(D) -> null"}},
      // A has no collapsed ancestor (the walk from C went past it): it is a
      // row as soon as it is eligible.
      {"backward goes straight back to the outermost collapsed ancestor",
       "A [collapsed]\n  B\n    C\nD\n",
       2,
       RowDirection::Backward,
       0,
       {"MQDoc_GetObject(2) -> C", "MQObj_GetIntValue(C, 260) -> 1",
        "MQDoc_GetParentObject(C) -> B", "MQObj_GetIntValue(B, 258) -> 0",
        "MQDoc_GetParentObject(B) -> A", "MQObj_GetIntValue(A, 258) -> 1",
        "MQDoc_GetParentObject(A) -> null", "MQDoc_GetObjectIndex(A) -> 0",
        "MQDoc_GetObject(0) -> A", "MQObj_GetIntValue(A, 260) -> 1"}},
      {"an ancestor met by an earlier walk of the search is not asked again",
       "A\n  B [collapsed ineligible]\n    C\n  D [collapsed ineligible]\n    E\n",
       4,
       RowDirection::Backward,
       0,
       {"MQDoc_GetObject(4) -> E",          "MQObj_GetIntValue(E, 260) -> 1",
        "MQDoc_GetParentObject(E) -> D",    "MQObj_GetIntValue(D, 258) -> 1",
        "MQDoc_GetParentObject(D) -> A",    "MQObj_GetIntValue(A, 258) -> 0",
        "MQDoc_GetParentObject(A) -> null", "MQDoc_GetObjectIndex(D) -> 3",
        "MQDoc_GetObject(3) -> D",          "MQObj_GetIntValue(D, 260) -> 0",
        "MQDoc_GetObject(2) -> C",          "MQObj_GetIntValue(C, 260) -> 1",
        "MQDoc_GetParentObject(C) -> B",    "MQObj_GetIntValue(B, 258) -> 1",
        "MQDoc_GetParentObject(B) -> A",    "MQDoc_GetObjectIndex(B) -> 1",
        "MQDoc_GetObject(1) -> B",          "MQObj_GetIntValue(B, 260) -> 0",
        "MQDoc_GetObject(0) -> A",          "MQObj_GetIntValue(A, 260) -> 1"}},
  };
  for (const SearchCase& check : cases) {
    SCOPED_TRACE(check.what);
    Load(check.outline);
    const int32_t count = standin_.SlotCount();
    const LocatedObject row = FindRowFrom(document_, check.start, check.direction, count);
    EXPECT_EQ(row.index, check.found);
    EXPECT_EQ(row.object, check.found < 0 ? nullptr : At(check.found));
    if (!check.calls.empty()) {
      EXPECT_EQ(standin::Calls(), check.calls);
    }
  }
}

TEST_F(RowsTest, PassingOverASubtreeContinuesBehindItsLastEntry) {
  Load("X\nA\n  B\n-\n  C\nD\n");
  const Subtree subtree = {{At(2), 1}, {At(4), 1}};
  EXPECT_EQ(FindRowFrom(document_, 2, RowDirection::Forward, 6, &subtree).object, At(5));
  EXPECT_EQ(FindRowFrom(document_, 1, RowDirection::Forward, 6, &subtree).object, At(1));
  EXPECT_EQ(FindRowFrom(document_, 2, RowDirection::Forward, 6).object, At(2));
}

TEST_F(RowsTest, LastEligibleBeforeIgnoresCollapsedAncestors) {
  Load("A [collapsed]\n  B\n  C [ineligible]\n-\n");
  EXPECT_EQ(FindLastEligibleBefore(document_, 0).index, -1);
  EXPECT_TRUE(standin::Calls().empty()) << "no count read below index 1";
  EXPECT_EQ(FindLastEligibleBefore(document_, 4).index, 1);
  EXPECT_EQ(FindLastEligibleBefore(document_, 1).object, At(0));
  EXPECT_EQ(FindLastEligibleBefore(document_, 9).object, nullptr) << "an index past the count";
  EXPECT_EQ(FindLastEligibleBefore(document_, 4, 2).index, -1) << "an index past the count given";
  EXPECT_EQ(FindLastEligibleBefore(document_, 2, 2).index, 1);
}

}  // namespace
}  // namespace rowshift
