#include "engine/move_step.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "engine/document.h"
#include "engine_document_fixture.h"
#include "engine/operations.h"
#include "standin/call_log.h"
#include "support/outline_run.h"

namespace rowshift {
namespace {

class MoveStepTest : public testing::EngineDocumentTest {
 protected:
  std::string Compact() const { return testing::WithoutEmptySlots(standin_.ToOutline()); }
  std::vector<std::string> Names() const { return testing::SortedNames(standin_.ToOutline()); }

};

TEST_F(MoveStepTest, InsertsTheCopyBeforeDeletingTheOriginal) {
  Load("P\nQ\n");
  Object original = At(1);
  const MovedObject moved = MoveObjectAfter(document_, original, nullptr);
  const std::vector<std::string> expected = {
      "MQObj_Clone(Q) -> Q",
      "MQDoc_InsertObject(Q, null) -> 0",
      "MQDoc_GetObjectIndex(Q) -> 2",
      "MQDoc_DeleteObject(2) -> 1",
  };
  EXPECT_EQ(standin::Calls(), expected);
  EXPECT_EQ(moved.index, 0);
  EXPECT_EQ(moved.object, At(0));
  EXPECT_NE(moved.object, original);
  EXPECT_EQ(standin_.ToOutline(), "Q\nP\n-\n");
}

TEST_F(MoveStepTest, AFailingInsertionFreesTheCopyAndKeepsTheOriginal) {
  Load("P\nQ\n");
  standin_.FailNthInsertion(1);
  Object original = At(1);
  const MovedObject moved = MoveObjectAfter(document_, original, nullptr);
  const std::vector<std::string> expected = {
      "MQObj_Clone(Q) -> Q",
      "MQDoc_InsertObject(Q, null) -> -1",
      "MQObj_Delete(Q)",
  };
  EXPECT_EQ(standin::Calls(), expected);
  EXPECT_EQ(moved.object, original);
  EXPECT_LT(moved.index, 0);
  EXPECT_EQ(standin_.ToOutline(), "P\nQ\n");
  EXPECT_EQ(standin_.OrphanedClones(), 0);
}

TEST_F(MoveStepTest, MovingBehindAnAnchorAfterTheObjectDeletesTheRightSlot) {
  Load("Q\nP\nR\n");
  MoveObjectAfter(document_, At(0), At(1));
  EXPECT_EQ(standin_.ToOutline(), "-\nP\nQ\nR\n");
  EXPECT_EQ(standin_.DeadObjectTouches(), 0);
}

// Every operation, with each of its insertions failing in turn, keeps every
// object of the document and leaves no copy outside it.
TEST_F(MoveStepTest, FailingInsertionsInEveryOperationLoseNoObject) {
  struct Case {
    const char* what;
    testing::Operation operation;
    const char* before;
  };
  const Case cases[] = {
      {"up", MoveUp, "P\n  P1\nQ [current]\n  Q1\n"},
      {"down", MoveDown, "Q [current]\n  Q1\nR\n  R1\n"},
      {"insert", InsertFromBottom, "P [current]\nQ\nZ [collapsed]\n  Z1\n"},
      {"top", MoveToTop, "P\nQ [selected]\n  Q1\nS [selected]\n"},
      {"bottom", MoveToBottom, "P [selected]\n  P1\nQ\nS [selected]\n"},
      {"gather", GatherSelected, "T [current selected]\nQ [selected]\n  Q1\nS [selected]\n"},
  };
  constexpr int kInsertionsToTry = 4;
  for (const Case& check : cases) {
    for (int failing = 1; failing <= kInsertionsToTry; ++failing) {
      SCOPED_TRACE(::testing::Message() << check.what << ", insertion " << failing);
      Load(check.before);
      const std::vector<std::string> names_before = Names();
      standin_.FailNthInsertion(failing);
      check.operation(standin_.Handle());
      EXPECT_EQ(Names(), names_before);
      EXPECT_EQ(standin_.OrphanedClones(), 0);
      EXPECT_EQ(standin_.DeadObjectTouches(), 0);
    }
  }
}

TEST_F(MoveStepTest, MoveUpWithAFailedInsertionKeepsTheCurrentIndex) {
  Load("P\nQ [current]\n");
  standin_.FailNthInsertion(1);
  EXPECT_EQ(MoveUp(standin_.Handle()), 1);
  EXPECT_EQ(standin_.ToOutline(), "P\nQ [current]\n");
  EXPECT_TRUE(standin::CallsStartingWith("MQDoc_SetCurrentObjectIndex").empty());
}

TEST_F(MoveStepTest, MoveToTopWithAFailedInsertionPlacesTheNextObjectAtTheFront) {
  Load("P\nA [selected]\nB [selected]\n");
  standin_.FailNthInsertion(1);
  EXPECT_EQ(MoveToTop(standin_.Handle()), 1);
  EXPECT_EQ(Compact(), "B [selected]\nP\nA [selected]\n");
  // The anchor is asked of the host at the failed insertion's index.
  const std::vector<std::string>& calls = standin::Calls();
  const auto freed = std::find(calls.begin(), calls.end(), "MQObj_Delete(A)");
  ASSERT_NE(freed, calls.end());
  ASSERT_NE(freed + 1, calls.end());
  EXPECT_EQ(*(freed + 1), "MQDoc_GetObject(-1) -> null");
}

TEST_F(MoveStepTest, MoveToTopDoesNotAnchorOnTheDescendantsOfAnObjectLeftInPlace) {
  Load("P\nA [selected]\n  A1\nB [selected]\n");
  standin_.FailNthInsertion(1);
  EXPECT_EQ(MoveToTop(standin_.Handle()), 1);
  EXPECT_EQ(Compact(), "B [selected]\nP\nA [selected]\n  A1\n");
  EXPECT_EQ(standin_.OrphanedClones(), 0);
  EXPECT_EQ(standin_.DeadObjectTouches(), 0);
}

}  // namespace
}  // namespace rowshift
