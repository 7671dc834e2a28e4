#include "engine/subtree.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "engine/document.h"
#include "engine_document_fixture.h"
#include "standin/call_log.h"
#include "standin/document_exports.h"
#include "support/outline_run.h"

namespace rowshift {
namespace {

constexpr int32_t kDepthId = 257;

class SubtreeTest : public testing::EngineDocumentTest {};

// Each slot and each object's depth is read once, up to the first object no
// deeper; flags play no part.
TEST_F(SubtreeTest, CollectsEveryDescendantUpToTheFirstObjectNoDeeper) {
  Load("A\n  B\n-\n  C [ineligible collapsed]\n    D\nE\n");
  SubtreeEnd end;
  const Subtree subtree = CollectSubtree(document_, 0, 0, 6, &end);
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
  EXPECT_EQ(end.index, 5);
  EXPECT_EQ(end.object, At(5));
  EXPECT_EQ(end.depth, 0);
  EXPECT_TRUE(CollectSubtree(document_, 1, 1, 6).empty()) << "stops at equal depth";
  EXPECT_TRUE(CollectSubtree(document_, -1, 0, 6).empty()) << "an object in no slot";
}

TEST_F(SubtreeTest, RelocatingNothingChangesNothingAndAnswersZero) {
  Load("A\n");
  EXPECT_EQ(RelocateSubtree(document_, {}, {At(0), 0}, 1).last_slot, 0);
  EXPECT_TRUE(standin::Calls().empty());
}

TEST_F(SubtreeTest, RelocationUsesTheCollectedDepthNotTheCurrentOne) {
  Load("X\nA\n  B\n    C\n");
  Subtree subtree = CollectSubtree(document_, 1, 0, 4);
  MQObj_SetIntValue(At(3), kDepthId, 7);
  EXPECT_EQ(RelocateSubtree(document_, subtree, {At(0), 0}, -1).last_slot, 2);
  EXPECT_EQ(testing::WithoutEmptySlots(standin_.ToOutline()), "X\nB\n  C\nA\n");
  EXPECT_EQ(standin_.DeadObjectTouches(), 0);
  EXPECT_EQ(standin_.OrphanedClones(), 0);
}

TEST_F(SubtreeTest, AnEntryStandingBehindItsAnchorStaysAndAnswersMinusOne) {
  Load("A\n  B\n");
  EXPECT_EQ(RelocateSubtree(document_, {{At(1), 1}}, {At(1), 1}, 1).last_slot, -1);
  EXPECT_EQ(standin_.ToOutline(), "A\n    B\n");
  EXPECT_TRUE(standin::CallsStartingWith("MQObj_Clone").empty());
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
