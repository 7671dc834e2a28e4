#include "engine/subtree.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "engine/document.h"
#include "engine/subtree_move.h"
#include "engine_document_fixture.h"
#include "standin/call_log.h"
#include "standin/document_exports.h"
#include "standin/host_call_control.h"
#include "support/outline_run.h"

namespace rowshift {
namespace {

constexpr int32_t kDepthId = 257;

class SubtreeTest : public testing::EngineDocumentTest {};

// Each slot and each object's depth is read once, up to the first object no
// deeper; flags play no part.
TEST_F(SubtreeTest, CollectsEveryDescendantUpToTheFirstObjectNoDeeper) {
  Load("A\n  B\n-\n  C [ineligible collapsed]\n    D\nE\n");
  DeeperRun run;
  const Subtree subtree = CollectSubtree(document_, {{At(0), 0}, 0}, 6, &run);
  const std::vector<std::string> expected = {
      "MQDoc_GetObject(1) -> B",        "MQObj_GetIntValue(B, 257) -> 1",
      "MQDoc_GetObject(2) -> null",     "MQDoc_GetObject(3) -> C",
      "MQObj_GetIntValue(C, 257) -> 1", "MQDoc_GetObject(4) -> D",
      "MQObj_GetIntValue(D, 257) -> 2", "MQDoc_GetObject(5) -> E",
      "MQObj_GetIntValue(E, 257) -> 0",
  };
  EXPECT_EQ(standin::Calls(), expected);
  ASSERT_EQ(subtree.size(), 3u);
  EXPECT_EQ(subtree[0].object, At(1));
  EXPECT_EQ(subtree[1].object, At(3));
  EXPECT_EQ(subtree[2].object, At(4));
  EXPECT_EQ(subtree[2].depth, 2);
  EXPECT_EQ(run.behind.located.index, 5);
  EXPECT_EQ(run.behind.located.object, At(5));
  EXPECT_EQ(run.behind.depth, 0);
  EXPECT_TRUE(CollectSubtree(document_, {{At(1), 1}, 1}, 6).empty()) << "stops at equal depth";
}

TEST_F(SubtreeTest, AnObjectThatIsItsOwnAnchorStaysAndOnlyItsDepthIsSet) {
  Load("A\n");
  SubtreeMoves moves(document_, standin_.SlotCount());
  const MoverPlaced placed = moves.MoveWithSubtree({{At(0), 0}, 0, {}}, {At(0), 0}, 1);
  EXPECT_TRUE(placed.placed);
  EXPECT_EQ(placed.object.object, At(0));
  EXPECT_EQ(placed.last.object, At(0));
  EXPECT_EQ(standin::Calls(), std::vector<std::string>{"MQObj_SetIntValue(A, 257, 1) -> 1"});
}

TEST_F(SubtreeTest, DescendantsTakeTheCollectedDepthShiftedNotTheCurrentOne) {
  Load("X\nA\n  B\n    C\n");
  Mover mover{{At(1), 1}, 0, CollectSubtree(document_, {{At(1), 1}, 0}, 4)};
  MQObj_SetIntValue(At(3), kDepthId, 7);
  SubtreeMoves moves(document_, standin_.SlotCount());
  const MoverPlaced placed = moves.MoveWithSubtree(mover, {At(0), 0}, 1);
  EXPECT_EQ(placed.last.index, 3);
  EXPECT_EQ(testing::WithoutEmptySlots(standin_.ToOutline()), "X\n  A\n    B\n      C\n");
  EXPECT_EQ(standin_.DeadObjectTouches(), 0);
  EXPECT_EQ(standin_.OrphanedClones(), 0);
}

TEST_F(SubtreeTest, AnEntryThatIsTheObjectJustPlacedStays) {
  Load("A\n  B\n");
  SubtreeMoves moves(document_, standin_.SlotCount());
  EXPECT_EQ(moves.MoveWithSubtree({{At(1), 1}, 1, {{At(1), 1}}}, {At(1), 1}, 2).last.index, -1);
  EXPECT_EQ(standin_.ToOutline(), "A\n    B\n");
  EXPECT_TRUE(standin::CallsStartingWith("MQObj_Clone").empty());
}

// A refused copy ends the move where it is met: the object itself then stands
// as it was; a descendant and the ones after it stay at the old place, and are
// lowered at the end where they stand more than one level below the object in
// front of them.
TEST_F(SubtreeTest, ARefusedCopyLeavesWhatIsNotYetMovedWhereItStands) {
  struct Case {
    const char* what;
    int refused;  // the n-th insertion
    const char* after;
  };
  const Case cases[] = {
      {"the object's own copy", 1, "P\n  Q\n    Q1\n      Q2\n    Q3\nR\n"},
      {"the first descendant's", 2, "P\n  Q1\n    Q2\n    Q3\nR\nQ\n"},
      {"a later descendant's", 4, "P\n  Q3\nR\nQ\n  Q1\n    Q2\n"},
  };
  for (const Case& check : cases) {
    SCOPED_TRACE(check.what);
    Load("P\n  Q\n    Q1\n      Q2\n    Q3\nR\n");
    Object q = At(1);
    Mover mover = ReadMover(document_, {q, 1}, 6);
    standin_.FailNthInsertion(check.refused);
    SubtreeMoves moves(document_, standin_.SlotCount());
    const MoverPlaced placed = moves.MoveWithSubtree(mover, {At(5), 5}, 0);
    EXPECT_EQ(placed.placed, check.refused != 1);
    moves.Finish();
    EXPECT_EQ(testing::WithoutEmptySlots(standin_.ToOutline()), check.after);
    EXPECT_EQ(standin_.DeadObjectTouches(), 0);
    EXPECT_EQ(standin_.OrphanedClones(), 0);
  }
}

// An object left behind directly behind the copies is lowered too, although
// the walk from the emptied slot in front ends at the copies.
TEST_F(SubtreeTest, AnObjectLeftBehindTheCopiesIsLowered) {
  Load("A\n  B\n    C [ineligible]\n");
  standin_.FailNthInsertion(2);
  SubtreeMoves moves(document_, standin_.SlotCount());
  moves.MoveWithSubtree(ReadMover(document_, {At(0), 0}, 3), {At(1), 1}, 0);
  moves.Finish();
  EXPECT_EQ(testing::WithoutEmptySlots(standin_.ToOutline()), "B\nA\n  C [ineligible]\n");
}

TEST(ShiftDepthTest, HoldsWithinThe32BitRange) {
  constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
  constexpr int32_t kMin = std::numeric_limits<int32_t>::min();
  EXPECT_EQ(ShiftDepth(3, -1), 2);
  EXPECT_EQ(ShiftDepth(kMax, 1), kMax);
  EXPECT_EQ(ShiftDepth(kMin, -1), kMin);
  EXPECT_EQ(ShiftDepth(0, static_cast<DepthDifference>(kMax) - kMin), kMax);
}

}  // namespace
}  // namespace rowshift
