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

constexpr RowDirection kForward = RowDirection::Forward;
constexpr RowDirection kBackward = RowDirection::Backward;

struct Search {
  const char* what;
  const char* outline;
  int32_t start;
  RowDirection direction;
  int32_t found;  // the row's slot, -1 for none
};
struct SearchCase {
  Search search;
  std::vector<std::string> calls = {};  // the host calls in order, where stated
};

TEST_F(RowsTest, FindsTheRowsTheOutlineShowsAskingOnlyWhatItNeeds) {
  const char* const kHidden = "A [collapsed]\n  B\n    C\nD\n";
  const char* const kGaps = "A\n-\nB [ineligible]\n-\nC\n";
  const char* const kEnds = "A [ineligible]\nB\nC\nD [ineligible]\n";
  const SearchCase cases[] = {
      {{"forward from the front: the first row", kEnds, 0, kForward, 1}},
      {{"backward from the end: the last row", kEnds, 3, kBackward, 2}},
      {{"an empty list, forward", "", 0, kForward, -1}},
      {{"an empty list, backward", "", -1, kBackward, -1}},
      {{"under a collapsed grandparent, forward", kHidden, 1, kForward, 3}},
      {{"under a collapsed grandparent, backward", kHidden, 2, kBackward, 0}},
      {{"empty slots and ineligible objects, forward", kGaps, 1, kForward, 4}},
      {{"empty slots and ineligible objects, backward", kGaps, 3, kBackward, 0}},
      {{"past the end", kGaps, 5, kForward, -1}},
      {{"before the front", kGaps, -1, kBackward, -1}},
      {{"no count asked; ancestors walked only for a found object", "A\n-\n  B\n", 1, kForward, 2},
       {"MQDoc_GetObject(1) -> null", "MQDoc_GetObject(2) -> B", "MQObj_GetIntValue(B, 260) -> 1",
        "MQDoc_GetParentObject(B) -> A", "MQObj_GetIntValue(A, 258) -> 0",
        "MQDoc_GetParentObject(A) -> null"}},
      {{"forward passes the outermost collapsed ancestor's subtree by depths",
        "A\n  B [collapsed]\n    C\nD\n", 2, kForward, 3},
       {"MQDoc_GetObject(2) -> C", "MQObj_GetIntValue(C, 260) -> 1",
        "MQDoc_GetParentObject(C) -> B", "MQObj_GetIntValue(B, 258) -> 1",
        "MQDoc_GetParentObject(B) -> A", "MQObj_GetIntValue(A, 258) -> 0",
        "MQDoc_GetParentObject(A) -> null", "MQObj_GetIntValue(B, 257) -> 1",
        "MQDoc_GetObject(3) -> D", "MQObj_GetIntValue(D, 257) -> 0",
        "MQObj_GetIntValue(D, 260) -> 1", "MQDoc_GetParentObject(D) -> null"}},
      // A has no collapsed ancestor (the walk from C went past it): it is a
      // row as soon as it is eligible.
      {{"backward goes straight to the outermost collapsed ancestor", kHidden, 2, kBackward, 0},
       {"MQDoc_GetObject(2) -> C", "MQObj_GetIntValue(C, 260) -> 1",
        "MQDoc_GetParentObject(C) -> B", "MQObj_GetIntValue(B, 258) -> 0",
        "MQDoc_GetParentObject(B) -> A", "MQObj_GetIntValue(A, 258) -> 1",
        "MQDoc_GetParentObject(A) -> null", "MQDoc_GetObjectIndex(A) -> 0",
        "MQDoc_GetObject(0) -> A", "MQObj_GetIntValue(A, 260) -> 1"}},
      {{"an ancestor met by an earlier walk of the search is not asked again",
        "A\n  B [collapsed ineligible]\n    C\n  D [collapsed ineligible]\n    E\n", 4, kBackward,
        0},
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
  for (const auto& [search, calls] : cases) {
    SCOPED_TRACE(search.what);
    Load(search.outline);
    const LocatedObject row =
        FindRow(document_, search.start, search.direction, standin_.SlotCount());
    EXPECT_EQ(row.index, search.found);
    EXPECT_EQ(row.object, search.found < 0 ? nullptr : At(search.found));
    if (!calls.empty()) {
      EXPECT_EQ(standin::Calls(), calls);
    }
  }
}

TEST_F(RowsTest, LastEligibleBeforeIgnoresCollapsedAncestors) {
  Load("A [collapsed]\n  B\n  C [ineligible]\n-\n");
  EXPECT_EQ(LastEligibleBefore(document_, 0, 4).index, -1);
  EXPECT_EQ(LastEligibleBefore(document_, 4, 4).index, 1);
  EXPECT_EQ(LastEligibleBefore(document_, 1, 4).object, At(0));
  EXPECT_EQ(LastEligibleBefore(document_, 4, 2).index, -1) << "an index past the count given";
  EXPECT_EQ(LastEligibleBefore(document_, 2, 2).index, 1);
}

}  // namespace
}  // namespace rowshift
