#include "engine/move_step.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "engine/document.h"
#include "engine/operations.h"
#include "engine_document_fixture.h"
#include "standin/call_log.h"
#include "standin/host_call_control.h"
#include "support/outline_run.h"

namespace rowshift {
namespace {

class MoveStepTest : public testing::EngineDocumentTest {
 protected:
  std::string Compact() const { return testing::WithoutEmptySlots(standin_.ToOutline()); }
  std::vector<std::string> Names() const { return testing::SortedNames(standin_.ToOutline()); }
  // A switch a case armed and did not reach must not fail a later case.
  void TearDown() override { standin::ResetHostCalls(); }
};

TEST_F(MoveStepTest, InsertsTheCopyBeforeDeletingTheOriginal) {
  Load("P\nQ\n");
  Object original = At(1);
  const MovedObject moved = MoveObjectAfter(document_, original, nullptr, standin_.SlotCount());
  const std::vector<std::string> expected = {
      "MQObj_Clone(Q) -> Q",
      "MQDoc_InsertObject(Q, null) -> 0",
      "MQDoc_GetObjectIndex(Q) -> 2",
      // The slot is checked to hold the original before it is emptied.
      "MQDoc_GetObject(2) -> Q",
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
  const MovedObject moved = MoveObjectAfter(document_, original, nullptr, standin_.SlotCount());
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
  MoveObjectAfter(document_, At(0), At(1), standin_.SlotCount());
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

// The host refuses the n-th copy an operation makes: the object it was made
// from stays exactly as it was; insert, up and down end there, top, bottom and
// gather go on with their next object behind those already placed.
TEST_F(MoveStepTest, ARefusedCopyLeavesItsObjectAsItWasAndTheRestGoesOn) {
  struct Case {
    const char* what;
    testing::Operation operation;
    int refused;
    const char* before;
    const char* after;  // empty slots left out
  };
  const char* const kDown =
      "A\n  B [current selected]\n  C\n    D [selected ineligible]\n"
      "    E [selected collapsed]\n";
  const char* const kBottom =
      "A [collapsed ineligible]\nB [selected ineligible]\n  C [selected ineligible]\n"
      "    D [ineligible]\n    E [collapsed]\n  F [ineligible]\n    G [selected]\n      H\n";
  const char* const kGather =
      "A [selected collapsed]\nB [collapsed]\n  C [current selected]\n    D\n";
  const char* const kInsert =
      "A\n  B\n-\n  C [current collapsed]\n  D [selected]\n    E\n-\n    F [selected collapsed]\n"
      "G [collapsed]\n";
  const Case cases[] = {
      {"down, B refused: nothing changes", MoveDown, 1, kDown, kDown},
      {"up, H refused: G lands behind E, H is lowered under F", MoveUp, 2,
       "A [collapsed]\nB\nC [selected]\n  D\n    E [selected collapsed]\n    F [collapsed]\n"
       "      G [current]\n        H [collapsed]\n",
       "A [collapsed]\nB\nC [selected]\n  D\n    E [selected collapsed]\n    G [current]\n"
       "    F [collapsed]\n      H [collapsed]\n"},
      {"top, I refused: B, then L, at the front; I stays", MoveToTop, 2,
       "A [selected ineligible]\nB [selected]\nC [collapsed ineligible]\nD [current collapsed]\n"
       "E [ineligible]\nF\nG\nH\nI [selected]\nJ [selected ineligible]\n  K\n  L [selected]\n",
       "B [selected]\nL [selected]\nA [selected ineligible]\nC [collapsed ineligible]\n"
       "D [current collapsed]\nE [ineligible]\nF\nG\nH\nI [selected]\nJ [selected ineligible]\n"
       "  K\n"},
      {"bottom, G refused: nothing changes", MoveToBottom, 1, kBottom, kBottom},
      {"gather, A refused: nothing changes", GatherSelected, 1, kGather, kGather},
      {"insert, G refused: nothing changes", InsertFromBottom, 1, kInsert,
       "A\n  B\n  C [current collapsed]\n  D [selected]\n    E\n    F [selected collapsed]\n"
       "G [collapsed]\n"},
  };
  for (const Case& check : cases) {
    SCOPED_TRACE(check.what);
    Load(check.before);
    standin_.FailNthInsertion(check.refused);
    check.operation(standin_.Handle());
    EXPECT_EQ(Compact(), testing::WithoutEmptySlots(check.after));
    EXPECT_EQ(standin_.OrphanedClones(), 0);
    EXPECT_EQ(standin_.DeadObjectTouches(), 0);
  }
}

// The host refuses one read or write; the operation sees a depth of 0, an
// empty slot, or a depth it did not write. Each object then standing more
// than one level below the object in front of it is lowered at the end, also
// where the object that moves is its own anchor and only its depth is set.
TEST_F(MoveStepTest, ARefusedReadOrWriteStillLeavesAnOutline) {
  using standin::EntryPoint;
  struct Case {
    const char* what;
    testing::Operation operation;
    EntryPoint refusing;
    int call;
    const char* before;
    const char* after;  // empty slots left out
  };
  const Case cases[] = {
      {"up, B's depth read as 0: A goes without it, B is lowered", MoveUp,
       EntryPoint::MQObj_GetIntValue, 2, "A [current]\n  B\n", "B\nA [current]\n"},
      {"bottom, B read as none: A goes without it, B is lowered", MoveToBottom,
       EntryPoint::MQDoc_GetObject, 2, "A [selected]\n  B\n", "B\nA [selected]\n"},
      {"bottom, O6 read as none: O5 stays in front of it at the top level, O6 is lowered",
       MoveToBottom, EntryPoint::MQDoc_GetObject, 11,
       "O0 [current]\n-\n-\n  O3 [ineligible]\n  O4\n    O5 [selected collapsed]\n"
       "    O6 [ineligible]\n",
       "O0 [current]\n  O3 [ineligible]\n  O4\nO5 [selected collapsed]\n  O6 [ineligible]\n"},
      {"top, B's depth not written", MoveToTop, EntryPoint::MQObj_SetIntValue, 1,
       "A\n  B [selected]\n", "B [selected]\nA\n"},
      {"insert, C's depth not written", InsertFromBottom, EntryPoint::MQObj_SetIntValue, 1,
       "A [current]\n  B\n    C\n", "A [current]\n  C\n  B\n"},
  };
  for (const Case& check : cases) {
    SCOPED_TRACE(check.what);
    Load(check.before);
    standin::FailNthCall(check.refusing, check.call);
    check.operation(standin_.Handle());
    standin::ResetHostCalls();
    EXPECT_EQ(Compact(), testing::WithoutEmptySlots(check.after));
    EXPECT_EQ(standin_.DeadObjectTouches(), 0);
    EXPECT_EQ(standin_.OrphanedClones(), 0);
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
  // The copy is freed and A is left exactly as it was: nothing is written to it.
  const std::vector<std::string>& calls = standin::Calls();
  const auto freed = std::find(calls.begin(), calls.end(), "MQObj_Delete(A)");
  ASSERT_NE(freed, calls.end());
  EXPECT_TRUE(std::none_of(freed, calls.end(), [](const std::string& call) {
    return call.rfind("MQObj_SetIntValue(A,", 0) == 0;
  }));
  EXPECT_NE(std::find(freed, calls.end(), "MQDoc_InsertObject(B, null) -> 0"), calls.end());
}

TEST_F(MoveStepTest, MoveToTopDoesNotAnchorOnTheDescendantsOfAnObjectLeftInPlace) {
  Load("P\nA [selected]\n  A1\nB [selected]\n");
  standin_.FailNthInsertion(1);
  EXPECT_EQ(MoveToTop(standin_.Handle()), 1);
  EXPECT_EQ(Compact(), "B [selected]\nP\nA [selected]\n  A1\n");
  EXPECT_EQ(standin_.OrphanedClones(), 0);
  EXPECT_EQ(standin_.DeadObjectTouches(), 0);
}

TEST_F(MoveStepTest, AnOriginalTheHostCannotFindOrDeleteKeepsItsPlaceAndTheCopyGoes) {
  for (const standin::EntryPoint refusing :
       {standin::EntryPoint::MQDoc_GetObjectIndex, standin::EntryPoint::MQDoc_DeleteObject}) {
    SCOPED_TRACE(standin::EntryPointName(refusing));
    Load("P\nQ\n");
    Object original = At(1);
    standin::FailNthCall(refusing, 1);
    const MovedObject moved = MoveObjectAfter(document_, original, nullptr, standin_.SlotCount());
    EXPECT_EQ(standin::CallsStartingWith("MQDoc_DeleteObject(0) -> 1").size(), 1u)
        << "the copy, inserted at 0, is deleted again";
    EXPECT_EQ(moved.object, original);
    EXPECT_LT(moved.index, 0);
    EXPECT_EQ(standin_.ToOutline(), "-\nP\nQ\n");
    EXPECT_EQ(standin_.OrphanedClones(), 0);
    EXPECT_EQ(standin_.DeadObjectTouches(), 0);
  }
}

TEST_F(MoveStepTest, ADescendantThatCannotBeMovedStaysWithTheRestOfItsSubtree) {
  // The second copy, P1's, is refused: P has already gone behind Q, and P1
  // and P2 stay together where they stood, not re-created; P1, with nothing
  // in front of it, is lowered to the top level, and P2 stays its child.
  Load("P [selected]\n  P1\n  P2\nQ\n");
  Object p1 = At(1);
  Object p2 = At(2);
  standin::FailNthCall(standin::EntryPoint::MQObj_Clone, 2);
  EXPECT_EQ(MoveToBottom(standin_.Handle()), 1);
  EXPECT_EQ(Compact(), "P1\n  P2\nQ\nP [selected]\n");
  EXPECT_EQ(At(1), p1);
  EXPECT_EQ(At(2), p2);
  EXPECT_EQ(standin_.DeadObjectTouches(), 0);
}

TEST_F(MoveStepTest, GatherNeverMovesAnObjectWhoseSubtreeHoldsTheTarget) {
  // As read, T lies below A: it is collected into A's subtree and is no target.
  Load("A [selected]\n  T [current selected]\n");
  EXPECT_EQ(GatherSelected(standin_.Handle()), 0);
  EXPECT_EQ(standin_.ToOutline(), "A [selected]\n  T [current selected]\n");
  // T's one depth read misread as 0 makes it the target beside A; A's subtree
  // comes from the same reads, so moving A cannot re-create T under it. T,
  // left with nothing in front of it, goes to the top level.
  Load("A [selected]\n  T [current selected]\n");
  standin::FailNthCall(standin::EntryPoint::MQObj_GetIntValue, 4);
  EXPECT_EQ(GatherSelected(standin_.Handle()), 1);
  EXPECT_EQ(Compact(), "T [current selected]\n  A [selected]\n");
  EXPECT_EQ(Names(), (std::vector<std::string>{"A", "T"}));
  EXPECT_EQ(standin_.DeadObjectTouches(), 0);
  EXPECT_EQ(standin_.OrphanedClones(), 0);
}

}  // namespace
}  // namespace rowshift
