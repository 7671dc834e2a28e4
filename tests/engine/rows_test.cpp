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

TEST_F(RowsTest, FromNoneForwardIsTheFirstRowAndBackwardTheLast) {
  Load("A [ineligible]\nB\nC\nD [ineligible]\n");
  EXPECT_EQ(FindRow(document_, nullptr, RowDirection::Forward), At(1));
  EXPECT_EQ(FindRow(document_, nullptr, RowDirection::Backward), At(2));
}

TEST_F(RowsTest, AnEmptyListHasNoRow) {
  Load("");
  EXPECT_EQ(FindRow(document_, nullptr, RowDirection::Forward), nullptr);
  EXPECT_EQ(FindRow(document_, nullptr, RowDirection::Backward), nullptr);
}

TEST_F(RowsTest, AnObjectUnderACollapsedGrandparentIsNoRow) {
  Load("A [collapsed]\n  B\n    C\nD\n");
  EXPECT_EQ(FindRow(document_, At(0), RowDirection::Forward), At(3));
  EXPECT_EQ(FindRow(document_, At(3), RowDirection::Backward), At(0));
}

TEST_F(RowsTest, EmptySlotsAndIneligibleObjectsArePassedOver) {
  Load("A\n-\nB [ineligible]\n-\nC\n");
  EXPECT_EQ(FindRow(document_, At(0), RowDirection::Forward), At(4));
  EXPECT_EQ(FindRow(document_, At(4), RowDirection::Backward), At(0));
  EXPECT_EQ(FindRow(document_, At(4), RowDirection::Forward), nullptr);
  EXPECT_EQ(FindRow(document_, At(0), RowDirection::Backward), nullptr);
}

TEST_F(RowsTest, SearchReadsTheCountOnceAndWalksAncestorsOnlyOfAFoundObject) {
  Load("A\n-\n  B\n");
  ASSERT_EQ(FindRow(document_, At(0), RowDirection::Forward), At(2));
  const std::vector<std::string> expected = {
      "MQDoc_GetObjectIndex(A) -> 0",   "MQDoc_GetObjectCount() -> 3",
      "MQDoc_GetObject(1) -> null",     "MQDoc_GetObject(2) -> B",
      "MQObj_GetIntValue(B, 260) -> 1", "MQDoc_GetParentObject(B) -> A",
      "MQObj_GetIntValue(A, 258) -> 0", "MQDoc_GetParentObject(A) -> null",
  };
  EXPECT_EQ(standin::Calls(), expected);
}

TEST_F(RowsTest, ForwardSearchPassesTheOutermostCollapsedAncestorsSubtreeByDepths) {
  Load("A\n  B [collapsed]\n    C\nD\n");
  ASSERT_EQ(FindRow(document_, At(1), RowDirection::Forward), At(3));
  const std::vector<std::string> expected = {
      "MQDoc_GetObjectIndex(B) -> 1",     "MQDoc_GetObjectCount() -> 4",
      "MQDoc_GetObject(2) -> C",          "MQObj_GetIntValue(C, 260) -> 1",
      "MQDoc_GetParentObject(C) -> B",    "MQObj_GetIntValue(B, 258) -> 1",
      "MQDoc_GetParentObject(B) -> A",    "MQObj_GetIntValue(A, 258) -> 0",
      "MQDoc_GetParentObject(A) -> null", "MQObj_GetIntValue(B, 257) -> 1",
      "MQDoc_GetObject(3) -> D",          "MQObj_GetIntValue(D, 257) -> 0",
      "MQObj_GetIntValue(D, 260) -> 1",   "MQDoc_GetParentObject(D) -> null",
  };
  EXPECT_EQ(standin::Calls(), expected);
}

TEST_F(RowsTest, BackwardSearchGoesStraightBackToTheOutermostCollapsedAncestor) {
  Load("A [collapsed]\n  B\n    C\nD\n");
  ASSERT_EQ(FindRow(document_, At(3), RowDirection::Backward), At(0));
  // A has no collapsed ancestor (the walk from C went past it): it is a row
  // as soon as it is eligible.
  const std::vector<std::string> expected = {
      "MQDoc_GetObjectIndex(D) -> 3",     "MQDoc_GetObjectCount() -> 4",
      "MQDoc_GetObject(2) -> C",          "MQObj_GetIntValue(C, 260) -> 1",
      "MQDoc_GetParentObject(C) -> B",    "MQObj_GetIntValue(B, 258) -> 0",
      "MQDoc_GetParentObject(B) -> A",    "MQObj_GetIntValue(A, 258) -> 1",
      "MQDoc_GetParentObject(A) -> null", "MQDoc_GetObjectIndex(A) -> 0",
      "MQDoc_GetObject(0) -> A",          "MQObj_GetIntValue(A, 260) -> 1",
  };
  EXPECT_EQ(standin::Calls(), expected);
}

TEST_F(RowsTest, AnAncestorMetByAnEarlierWalkOfTheSearchIsNotAskedAgain) {
  Load("A\n  B [collapsed ineligible]\n    C\n  D [collapsed ineligible]\n    E\n");
  ASSERT_EQ(FindRow(document_, nullptr, RowDirection::Backward), At(0));
  const std::vector<std::string> expected = {
      "MQDoc_GetObjectCount() -> 5",    "MQDoc_GetObject(4) -> E",
      "MQObj_GetIntValue(E, 260) -> 1", "MQDoc_GetParentObject(E) -> D",
      "MQObj_GetIntValue(D, 258) -> 1", "MQDoc_GetParentObject(D) -> A",
      "MQObj_GetIntValue(A, 258) -> 0", "MQDoc_GetParentObject(A) -> null",
      "MQDoc_GetObjectIndex(D) -> 3",   "MQDoc_GetObject(3) -> D",
      "MQObj_GetIntValue(D, 260) -> 0", "MQDoc_GetObject(2) -> C",
      "MQObj_GetIntValue(C, 260) -> 1", "MQDoc_GetParentObject(C) -> B",
      "MQObj_GetIntValue(B, 258) -> 1", "MQDoc_GetParentObject(B) -> A",
      "MQDoc_GetObjectIndex(B) -> 1",   "MQDoc_GetObject(1) -> B",
      "MQObj_GetIntValue(B, 260) -> 0", "MQDoc_GetObject(0) -> A",
      "MQObj_GetIntValue(A, 260) -> 1",
  };
  EXPECT_EQ(standin::Calls(), expected);
}

TEST_F(RowsTest, PassingOverASubtreeContinuesBehindItsLastEntry) {
  Load("X\nA\n  B\n-\n  C\nD\n");
  const Subtree subtree = {{At(2), 1}, {At(4), 1}};
  EXPECT_EQ(FindRowPassingOver(document_, At(1), subtree), At(5));
  EXPECT_EQ(FindRowPassingOver(document_, At(0), subtree), At(1));
  EXPECT_EQ(FindRow(document_, At(1), RowDirection::Forward), At(2));
}

TEST_F(RowsTest, LastEligibleBeforeIgnoresCollapsedAncestors) {
  Load("A [collapsed]\n  B\n  C [ineligible]\n-\n");
  EXPECT_EQ(LastEligibleBefore(document_, 4), At(1));
  EXPECT_EQ(LastEligibleBefore(document_, 1), At(0));
  EXPECT_EQ(LastEligibleBefore(document_, 0), nullptr);
  EXPECT_EQ(LastEligibleBefore(document_, 9), nullptr) << "an index past the count";
  const LocatedObject found = FindLastEligibleBefore(document_, 4);
  EXPECT_EQ(found.index, 1);
}

}  // namespace
}  // namespace rowshift
