#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "platform/high_memory.h"
#include "standin/call_log.h"
#include "standin/document_control.h"
#include "standin/document_exports.h"
#include "standin/host_call_control.h"
#include "standin/settings_control.h"
#include "standin/settings_entry_points.h"
#include "standin/widget_control.h"

namespace standin {
namespace {

constexpr int32_t kDepth = 257;
constexpr int32_t kCollapsed = 258;
constexpr int32_t kEligible = 260;
constexpr int32_t kSelected = 262;
constexpr int32_t kOtherValue = 1000;

class DocumentTest : public ::testing::Test {
 protected:
  DocumentTest() { RecordDocumentCalls(true); }
  void Load(const std::string& outline) {
    std::string error;
    ASSERT_TRUE(document_.LoadOutline(outline, &error)) << error;
    ClearCalls();
  }
  void* At(int index) { return document_.ObjectInSlot(index); }
  void* Handle() { return document_.Handle(); }

  Document document_;
};

TEST_F(DocumentTest, OutlineRoundTripKeepsEverySlotAndFlag) {
  const std::string outline =
      "Body\n"
      "  Arm [selected collapsed]\n"
      "    Hand [ineligible]\n"
      "- [current]\n"
      "Lamp\n";
  Load(outline);
  EXPECT_EQ(document_.ToOutline(), outline);
  EXPECT_EQ(document_.SlotCount(), 5);
  EXPECT_EQ(MQDoc_GetCurrentObjectIndex(Handle()), 3);
}

TEST_F(DocumentTest, OutlineFlagsBecomeObjectValues) {
  Load("A\n  B [selected collapsed ineligible]\n");
  EXPECT_EQ(MQObj_GetIntValue(At(0), kDepth), 0);
  EXPECT_EQ(MQObj_GetIntValue(At(0), kEligible), 1);
  EXPECT_EQ(MQObj_GetIntValue(At(0), kSelected), 0);
  EXPECT_EQ(MQObj_GetIntValue(At(1), kDepth), 1);
  EXPECT_EQ(MQObj_GetIntValue(At(1), kCollapsed), 1);
  EXPECT_EQ(MQObj_GetIntValue(At(1), kEligible), 0);
  EXPECT_EQ(MQObj_GetIntValue(At(1), kSelected), 1);
  EXPECT_EQ(MQObj_GetIntValue(At(1), kOtherValue), 0);
  EXPECT_EQ(MQDoc_GetCurrentObjectIndex(Handle()), -1);
}

TEST_F(DocumentTest, BadOutlineLeavesTheDocumentEmptyAndNamesTheLine) {
  Load("A\nB\n");
  std::string error;
  EXPECT_FALSE(document_.LoadOutline("A\n B\n", &error));
  EXPECT_EQ(error, "line 2: odd indent");
  EXPECT_EQ(MQDoc_GetObjectCount(Handle()), 0);
  EXPECT_EQ(document_.ToOutline(), "");
}

TEST_F(DocumentTest, DeletionEmptiesTheSlotAndShiftsNothing) {
  Load("A\nB\nC\n");
  void* c = At(2);
  EXPECT_EQ(MQDoc_DeleteObject(Handle(), 1), 1);
  EXPECT_EQ(MQDoc_GetObjectCount(Handle()), 3);
  EXPECT_EQ(MQDoc_GetObject(Handle(), 1), nullptr);
  EXPECT_EQ(MQDoc_GetObjectIndex(Handle(), c), 2);
  EXPECT_EQ(document_.ToOutline(), "A\n-\nC\n");
  EXPECT_EQ(MQDoc_DeleteObject(Handle(), 1), 0);
  EXPECT_EQ(MQDoc_DeleteObject(Handle(), 7), 0);
}

TEST_F(DocumentTest, TouchingADeletedObjectIsCountedAndAnsweredSafely) {
  Load("A\nB\n");
  void* b = At(1);
  MQDoc_DeleteObject(Handle(), 1);
  EXPECT_EQ(document_.DeadObjectTouches(), 0);
  EXPECT_EQ(MQDoc_GetObjectIndex(Handle(), b), -1);
  EXPECT_EQ(MQObj_GetIntValue(b, kDepth), 0);
  EXPECT_EQ(MQObj_SetIntValue(b, kDepth, 3), 0);
  EXPECT_EQ(MQObj_Clone(b), nullptr);
  EXPECT_EQ(MQDoc_GetParentObject(Handle(), b), nullptr);
  EXPECT_EQ(document_.DeadObjectTouches(), 5);
}

TEST_F(DocumentTest, InsertionAfterAnAnchorShiftsLaterSlotsButNotTheCurrentIndex) {
  Load("A\nB [current]\nC\n");
  void* copy = MQObj_Clone(At(2));
  EXPECT_EQ(MQDoc_InsertObject(Handle(), copy, At(0)), 1);
  EXPECT_EQ(document_.ToOutline(), "A\nC [current]\nB\nC\n");
  EXPECT_EQ(MQDoc_GetObjectIndex(Handle(), copy), 1);

  void* front = MQObj_Clone(At(0));
  EXPECT_EQ(MQDoc_InsertObject(Handle(), front, nullptr), 0);
  EXPECT_EQ(MQDoc_GetObject(Handle(), 0), front);
  EXPECT_EQ(MQDoc_GetObjectCount(Handle()), 5);
}

TEST_F(DocumentTest, InsertionRefusesObjectsThatCannotGoIn) {
  Load("A\nB\n");
  EXPECT_EQ(MQDoc_InsertObject(Handle(), At(0), At(1)), -1) << "already in a slot";
  EXPECT_EQ(MQDoc_InsertObject(Handle(), nullptr, At(1)), -1);
  void* copy = MQObj_Clone(At(0));
  void* b = At(1);
  MQDoc_DeleteObject(Handle(), 1);
  EXPECT_EQ(MQDoc_InsertObject(Handle(), copy, b), -1) << "deleted anchor";
  EXPECT_EQ(document_.DeadObjectTouches(), 1);
  EXPECT_EQ(document_.CallsOutsideContract(), 2) << "a placed object and no object";
  EXPECT_EQ(document_.ToOutline(), "A\n-\n");
}

TEST_F(DocumentTest, TheNthInsertionFailsAndInsertsNothing) {
  Load("A\n");
  document_.FailNthInsertion(2);
  void* first = MQObj_Clone(At(0));
  void* second = MQObj_Clone(At(0));
  void* third = MQObj_Clone(At(0));
  EXPECT_EQ(MQDoc_InsertObject(Handle(), first, nullptr), 0);
  EXPECT_EQ(MQDoc_InsertObject(Handle(), second, nullptr), -1);
  EXPECT_EQ(MQDoc_InsertObject(Handle(), third, nullptr), 0);
  EXPECT_EQ(MQDoc_GetObjectCount(Handle()), 3);
  EXPECT_EQ(document_.OrphanedClones(), 1);
  MQObj_Delete(second);
  EXPECT_EQ(document_.OrphanedClones(), 0);
}

TEST_F(DocumentTest, TheNthCallOfOneEntryPointFailsAndEveryCallIsCounted) {
  Load("A\n  B\n");
  ResetHostCalls();
  FailNthCall(EntryPoint::MQDoc_GetParentObject, 2);
  EXPECT_EQ(MQDoc_GetParentObject(Handle(), At(1)), At(0));
  EXPECT_EQ(MQDoc_GetParentObject(Handle(), At(1)), nullptr);
  EXPECT_EQ(MQDoc_GetParentObject(Handle(), At(1)), At(0));
  EXPECT_EQ(MQDoc_GetObjectCount(Handle()), 2);
  EXPECT_EQ(CallCount(EntryPoint::MQDoc_GetParentObject), 3);
  EXPECT_EQ(CallCount(EntryPoint::MQDoc_GetObjectCount), 1);
  EXPECT_EQ(CallsStartingWith("MQDoc_GetParentObject fails").size(), 1u);

  FailNthCall(EntryPoint::MQObj_SetIntValue, 1);
  EXPECT_EQ(MQObj_SetIntValue(At(1), kDepth, 0), 0);
  EXPECT_EQ(MQDoc_InsertObject(Handle(), MQObj_Clone(At(0)), At(1)), 2);
  EXPECT_EQ(document_.ToOutline(), "A\n  B\nA\n") << "the failed write changed nothing";
  ResetHostCalls();
  EXPECT_EQ(CallCount(EntryPoint::MQDoc_GetParentObject), 0);
  EXPECT_STREQ(EntryPointName(EntryPoint::MQObj_SetIntValue), "MQObj_SetIntValue");
}

TEST_F(DocumentTest, ParentIsTheNearestEarlierObjectOfSmallerDepth) {
  Load("A\n  B\n    C\n-\n    D\n  E\nF\n");
  EXPECT_EQ(MQDoc_GetParentObject(Handle(), At(0)), nullptr);
  EXPECT_EQ(MQDoc_GetParentObject(Handle(), At(1)), At(0));
  EXPECT_EQ(MQDoc_GetParentObject(Handle(), At(2)), At(1));
  EXPECT_EQ(MQDoc_GetParentObject(Handle(), At(4)), At(1)) << "across an empty slot";
  EXPECT_EQ(MQDoc_GetParentObject(Handle(), At(5)), At(0));
  EXPECT_EQ(MQDoc_GetParentObject(Handle(), At(6)), nullptr);
}

TEST_F(DocumentTest, ChildCountCountsOnlyDirectChildren) {
  Load("A\n  B\n    C\n-\n    D\n  E\nF\n");
  EXPECT_EQ(MQDoc_GetChildObjectCount(Handle(), At(0)), 2);
  EXPECT_EQ(MQDoc_GetChildObjectCount(Handle(), At(1)), 2);
  EXPECT_EQ(MQDoc_GetChildObjectCount(Handle(), At(2)), 0);
  EXPECT_EQ(MQDoc_GetChildObjectCount(Handle(), At(6)), 0);
}

TEST_F(DocumentTest, ChildCountFollowsTheParentRuleForUnevenDepths) {
  // C is two levels below A but has no object between: A is its parent. No
  // outline holds such a list, as no host does; it is made here by hand.
  Load("A\n  C\n  D\n");
  document_.SetValueInSlot(1, kDepth, 2);
  EXPECT_EQ(MQDoc_GetChildObjectCount(Handle(), At(0)), 2);
  EXPECT_EQ(MQDoc_GetParentObject(Handle(), At(2)), At(0));
}

// The look-ups answer from a tree of the slots; a plain scan of the slots, as
// the parent rule reads, must agree after every change of any kind.
TEST_F(DocumentTest, LookUpsAgreeWithAPlainScanThroughRandomChanges) {
  Load("A\n  B\n    C\nD\n  E\n");
  RecordDocumentCalls(false);
  std::mt19937 random(7);
  const auto pick = [&random](int below) {
    return std::uniform_int_distribution<int>(0, below - 1)(random);
  };
  const auto depth_of = [](void* object) { return MQObj_GetIntValue(object, kDepth); };
  for (int step = 0; step < 400; ++step) {
    const int slots = document_.SlotCount();
    void* chosen = At(pick(slots));
    switch (pick(4)) {
      case 0:
        if (chosen != nullptr) MQObj_SetIntValue(chosen, kDepth, pick(4));
        break;
      case 1:
        if (slots > 3) MQDoc_DeleteObject(Handle(), pick(slots));
        break;
      default:
        if (void* source = At(pick(slots)); source != nullptr) {
          MQDoc_InsertObject(Handle(), MQObj_Clone(source), pick(3) == 0 ? nullptr : chosen);
        }
    }
    for (int index = 0; index < document_.SlotCount(); ++index) {
      void* object = At(index);
      if (object == nullptr) continue;
      SCOPED_TRACE("step " + std::to_string(step) + ", slot " + std::to_string(index));
      const int depth = depth_of(object);
      void* parent = nullptr;
      for (int before = index - 1; before >= 0 && parent == nullptr; --before) {
        if (At(before) != nullptr && depth_of(At(before)) < depth) parent = At(before);
      }
      int children = 0;
      int shallowest_between = 1 << 30;
      for (int after = index + 1; after < document_.SlotCount(); ++after) {
        if (At(after) == nullptr) continue;
        const int after_depth = depth_of(At(after));
        if (after_depth <= depth) break;
        if (after_depth <= shallowest_between) ++children;
        shallowest_between = std::min(shallowest_between, after_depth);
      }
      ASSERT_EQ(MQDoc_GetObjectIndex(Handle(), object), index);
      ASSERT_EQ(MQDoc_GetObject(Handle(), index), object);
      ASSERT_EQ(MQDoc_GetParentObject(Handle(), object), parent);
      ASSERT_EQ(MQDoc_GetChildObjectCount(Handle(), object), children);
    }
  }
  EXPECT_EQ(document_.OrphanedClones(), 0);
}

TEST_F(DocumentTest, CloneCarriesEveryValueAndTheNameButStandsInNoSlot) {
  Load("Arm [selected collapsed]\n");
  MQObj_SetIntValue(At(0), kOtherValue, 42);
  void* copy = MQObj_Clone(At(0));
  ASSERT_NE(copy, nullptr);
  EXPECT_NE(copy, At(0));
  EXPECT_EQ(MQObj_GetIntValue(copy, kCollapsed), 1);
  EXPECT_EQ(MQObj_GetIntValue(copy, kSelected), 1);
  EXPECT_EQ(MQObj_GetIntValue(copy, kOtherValue), 42);
  EXPECT_EQ(MQDoc_GetObjectIndex(Handle(), copy), -1);
  EXPECT_EQ(document_.OrphanedClones(), 1);
  EXPECT_EQ(MQDoc_InsertObject(Handle(), copy, At(0)), 1);
  EXPECT_EQ(document_.OrphanedClones(), 0);
  EXPECT_EQ(document_.ToOutline(), "Arm [selected collapsed]\nArm [selected collapsed]\n");
}

TEST_F(DocumentTest, CloneRemembersTheObjectItWasMadeFromAfterThatIsDeleted) {
  Load("Arm\nArm\n");
  void* original = At(1);
  void* copy = MQObj_Clone(original);
  void* copy_of_copy = MQObj_Clone(copy);
  EXPECT_EQ(MQDoc_InsertObject(Handle(), copy, nullptr), 0);
  EXPECT_EQ(MQDoc_DeleteObject(Handle(), 2), 1);

  EXPECT_EQ(document_.CloneSourceOf(copy), original);
  EXPECT_EQ(document_.CloneSourceOf(copy_of_copy), copy);
  EXPECT_EQ(document_.CloneSourceOf(At(1)), nullptr);
  EXPECT_EQ(document_.CloneSourceOf(nullptr), nullptr);
  Document other;
  EXPECT_EQ(other.CloneSourceOf(copy), nullptr);
  MQObj_Delete(copy_of_copy);
}

TEST_F(DocumentTest, FreeingLeavesObjectsInSlotsAlone) {
  Load("A\n");
  MQObj_Delete(At(0));
  EXPECT_EQ(document_.ToOutline(), "A\n");
  EXPECT_EQ(MQObj_GetIntValue(At(0), kEligible), 1);
  EXPECT_EQ(document_.DeadObjectTouches(), 0);
}

TEST_F(DocumentTest, CurrentIndexIsAPlainNumberWithinTheSlots) {
  Load("A\nB\n");
  EXPECT_EQ(MQDoc_SetCurrentObjectIndex(Handle(), 1), 1);
  EXPECT_EQ(MQDoc_GetCurrentObjectIndex(Handle()), 1);
  EXPECT_EQ(MQDoc_SetCurrentObjectIndex(Handle(), 2), 0);
  EXPECT_EQ(MQDoc_GetCurrentObjectIndex(Handle()), 1);
  EXPECT_EQ(MQDoc_SetCurrentObjectIndex(Handle(), -1), 1);
  EXPECT_EQ(MQDoc_GetCurrentObjectIndex(Handle()), -1);
  EXPECT_EQ(document_.CallsOutsideContract(), 2) << "2 and -1 name no slot";
}

TEST_F(DocumentTest, EveryCallIsRecordedInOneLine) {
  Load("P\nQ\n");
  void* copy = MQObj_Clone(At(1));
  MQDoc_InsertObject(Handle(), copy, At(0));
  MQDoc_GetObjectIndex(Handle(), At(2));
  MQDoc_DeleteObject(Handle(), 2);
  MQObj_GetIntValue(copy, kDepth);
  MQObj_SetIntValue(copy, kDepth, 1);
  MQDoc_GetParentObject(Handle(), copy);
  MQDoc_GetObject(Handle(), 2);
  MQObj_Delete(nullptr);
  const std::vector<std::string> expected = {
      "MQObj_Clone(Q) -> Q",
      "MQDoc_InsertObject(Q, P) -> 1",
      "MQDoc_GetObjectIndex(Q) -> 2",
      "MQDoc_DeleteObject(2) -> 1",
      "MQObj_GetIntValue(Q, 257) -> 0",
      "MQObj_SetIntValue(Q, 257, 1) -> 1",
      "MQDoc_GetParentObject(Q) -> P",
      "MQDoc_GetObject(2) -> null",
      "MQObj_Delete(null)",
      "outside the contract(MQObj_Delete, no object)",
  };
  EXPECT_EQ(Calls(), expected);
}

TEST_F(DocumentTest, RecordingCanBeTurnedOff) {
  Load("P\n");
  RecordDocumentCalls(false);
  MQDoc_GetObjectCount(Handle());
  RecordDocumentCalls(true);
  EXPECT_TRUE(Calls().empty());
  MQDoc_GetObjectCount(Handle());
  EXPECT_EQ(Calls(), std::vector<std::string>{"MQDoc_GetObjectCount() -> 1"});
}

// Each row makes one call on "A\n  B\n" (two slots) after the document was
// named, as the plug-in always names it first. A call outside the contract
// keeps its answer, is counted once, and is followed by its own log line.
struct ContractRow {
  const char* call;
  int (*make)(void* document, void* a, void* b);  // the answer; a handle as 0 or 1
  int answer;
  const char* outside;  // the log line's reason; null: within the contract
};

int Found(const void* object) { return object == nullptr ? 0 : 1; }

// An insertion the host refuses; its answer.
int32_t RefusedInsertion(void* document, void* object) {
  FailNthCall(EntryPoint::MQDoc_InsertObject, 1);
  void* copy = MQObj_Clone(object);
  const int32_t answer = MQDoc_InsertObject(document, copy, nullptr);
  MQObj_Delete(copy);
  return answer;
}

const ContractRow kContractRows[] = {
    {"GetObject(1)", [](void* d, void*, void*) { return Found(MQDoc_GetObject(d, 1)); }, 1,
     nullptr},
    {"GetObject(2)", [](void* d, void*, void*) { return Found(MQDoc_GetObject(d, 2)); }, 0,
     "MQDoc_GetObject, index 2 of 2 slots"},
    {"GetObject(-1)", [](void* d, void*, void*) { return Found(MQDoc_GetObject(d, -1)); }, 0,
     "MQDoc_GetObject, index -1 of 2 slots"},
    {"GetObject of a refused insertion's answer",
     [](void* d, void* a, void*) { return Found(MQDoc_GetObject(d, RefusedInsertion(d, a))); }, 0,
     nullptr},
    {"GetObject(-2) after a refused insertion",
     [](void* d, void* a, void*) {
       RefusedInsertion(d, a);
       return Found(MQDoc_GetObject(d, -2));
     },
     0, "MQDoc_GetObject, index -2 of 2 slots"},
    {"GetObject(-1) after an insertion that was not refused",
     [](void* d, void* a, void*) {
       MQDoc_InsertObject(d, MQObj_Clone(a), nullptr);
       return Found(MQDoc_GetObject(d, -1));
     },
     0, "MQDoc_GetObject, index -1 of 3 slots"},
    {"SetCurrentObjectIndex(1)",
     [](void* d, void*, void*) { return MQDoc_SetCurrentObjectIndex(d, 1); }, 1, nullptr},
    {"SetCurrentObjectIndex(-1)",
     [](void* d, void*, void*) { return MQDoc_SetCurrentObjectIndex(d, -1); }, 1,
     "MQDoc_SetCurrentObjectIndex, index -1 of 2 slots"},
    {"SetCurrentObjectIndex(2)",
     [](void* d, void*, void*) { return MQDoc_SetCurrentObjectIndex(d, 2); }, 0,
     "MQDoc_SetCurrentObjectIndex, index 2 of 2 slots"},
    {"DeleteObject(0)", [](void* d, void*, void*) { return MQDoc_DeleteObject(d, 0); }, 1, nullptr},
    {"DeleteObject of an empty slot",
     [](void* d, void*, void*) { return MQDoc_DeleteObject(d, 0) + MQDoc_DeleteObject(d, 0); }, 1,
     nullptr},
    {"DeleteObject(2)", [](void* d, void*, void*) { return MQDoc_DeleteObject(d, 2); }, 0,
     "MQDoc_DeleteObject, index 2 of 2 slots"},
    {"DeleteObject(-1)", [](void* d, void*, void*) { return MQDoc_DeleteObject(d, -1); }, 0,
     "MQDoc_DeleteObject, index -1 of 2 slots"},
    {"GetObjectIndex(null)", [](void* d, void*, void*) { return MQDoc_GetObjectIndex(d, nullptr); },
     -1, "MQDoc_GetObjectIndex, no object"},
    {"GetParentObject(null)",
     [](void* d, void*, void*) { return Found(MQDoc_GetParentObject(d, nullptr)); }, 0,
     "MQDoc_GetParentObject, no object"},
    {"GetParentObject(B)",
     [](void* d, void*, void* b) { return Found(MQDoc_GetParentObject(d, b)); }, 1, nullptr},
    {"GetChildObjectCount(null)",
     [](void* d, void*, void*) { return MQDoc_GetChildObjectCount(d, nullptr); }, 0,
     "MQDoc_GetChildObjectCount, no object"},
    {"InsertObject(copy, B)",
     [](void* d, void* a, void* b) { return MQDoc_InsertObject(d, MQObj_Clone(a), b); }, 2,
     nullptr},
    {"InsertObject(null, A)",
     [](void* d, void* a, void*) { return MQDoc_InsertObject(d, nullptr, a); }, -1,
     "MQDoc_InsertObject, no new object"},
    {"InsertObject(B, A)", [](void* d, void* a, void* b) { return MQDoc_InsertObject(d, b, a); },
     -1, "MQDoc_InsertObject, the new object stands in a slot"},
    {"InsertObject(copy, a copy in no slot)",
     [](void* d, void* a, void*) {
       void* loose = MQObj_Clone(a);
       void* copy = MQObj_Clone(a);
       const int32_t answer = MQDoc_InsertObject(d, copy, loose);
       MQObj_Delete(copy);
       MQObj_Delete(loose);
       return answer;
     },
     -1, "MQDoc_InsertObject, the anchor stands in no slot"},
    {"Clone(null)", [](void*, void*, void*) { return Found(MQObj_Clone(nullptr)); }, 0,
     "MQObj_Clone, no object"},
    {"Delete(copy)",
     [](void*, void* a, void*) {
       MQObj_Delete(MQObj_Clone(a));
       return 0;
     },
     0, nullptr},
    {"Delete(null)",
     [](void*, void*, void*) {
       MQObj_Delete(nullptr);
       return 0;
     },
     0, "MQObj_Delete, no object"},
    {"Delete(A), which stands in a slot",
     [](void*, void* a, void*) {
       MQObj_Delete(a);
       return MQObj_GetIntValue(a, kEligible);
     },
     1, "MQObj_Delete, the object stands in a slot"},
    {"GetIntValue(B, each value read)",
     [](void*, void*, void* b) {
       return MQObj_GetIntValue(b, kDepth) + MQObj_GetIntValue(b, kCollapsed) +
              MQObj_GetIntValue(b, kEligible) + MQObj_GetIntValue(b, kSelected);
     },
     2, nullptr},
    {"GetIntValue(null, 257)",
     [](void*, void*, void*) { return MQObj_GetIntValue(nullptr, kDepth); }, 0,
     "MQObj_GetIntValue, no object"},
    {"GetIntValue(B, 1000)",
     [](void*, void*, void* b) { return MQObj_GetIntValue(b, kOtherValue); }, 0,
     "MQObj_GetIntValue, value 1000"},
    {"SetIntValue(B, each value written)",
     [](void*, void*, void* b) {
       return MQObj_SetIntValue(b, kDepth, 2) + MQObj_SetIntValue(b, kCollapsed, 1);
     },
     2, nullptr},
    {"SetIntValue(null, 257, 1)",
     [](void*, void*, void*) { return MQObj_SetIntValue(nullptr, kDepth, 1); }, 0,
     "MQObj_SetIntValue, no object"},
    {"SetIntValue(B, 262, 0)",
     [](void*, void*, void* b) { return MQObj_SetIntValue(b, kSelected, 0); }, 1,
     "MQObj_SetIntValue, value 262"},
    {"SetIntValue(B, 260, 0)",
     [](void*, void*, void* b) { return MQObj_SetIntValue(b, kEligible, 0); }, 1,
     "MQObj_SetIntValue, value 260"},
};

TEST(DocumentContractTest, CallsOutsideTheContractAreCountedLoggedAndAnsweredAsBefore) {
  for (const bool recording : {true, false}) {
    for (const ContractRow& row : kContractRows) {
      SCOPED_TRACE(std::string(row.call) + (recording ? ", recorded" : ", not recorded"));
      Document document;
      ASSERT_TRUE(document.LoadOutline("A\n  B\n"));
      RecordDocumentCalls(recording);
      ClearCalls();
      MQDoc_GetObjectCount(document.Handle());
      EXPECT_EQ(row.make(document.Handle(), document.ObjectInSlot(0), document.ObjectInSlot(1)),
                row.answer);
      EXPECT_EQ(document.CallsOutsideContract(), row.outside == nullptr ? 0 : 1);
      std::vector<std::string> lines;
      if (recording && row.outside != nullptr) {
        lines.push_back(std::string("outside the contract(") + row.outside + ")");
      }
      EXPECT_EQ(CallsStartingWith("outside the contract"), lines);
      EXPECT_EQ(document.DeadObjectTouches(), 0);
      EXPECT_EQ(document.OrphanedClones(), 0);
    }
  }
  RecordDocumentCalls(true);
}

TEST(DocumentContractTest, ACallTheSwitchFailsIsNotCheckedAndNoDocumentLeftCountsNothing) {
  auto document = std::make_unique<Document>();
  ASSERT_TRUE(document->LoadOutline("A\n"));
  ResetHostCalls();
  FailNthCall(EntryPoint::MQDoc_GetObject, 1);
  EXPECT_EQ(MQDoc_GetObject(document->Handle(), 5), nullptr);
  EXPECT_EQ(MQDoc_GetObject(document->Handle(), 5), nullptr);
  EXPECT_EQ(document->CallsOutsideContract(), 1);
  ResetHostCalls();
  document.reset();
  EXPECT_EQ(MQObj_Clone(nullptr), nullptr) << "the document in use is gone";
}

TEST(DocumentHandleTest, NullAndUnknownHandlesGetSafeAnswers) {
  Document document;
  ASSERT_TRUE(document.LoadOutline("A\n"));
  int not_an_object = 0;
  void* stray = &not_an_object;
  ResetStrayObjectTouches();

  EXPECT_EQ(MQDoc_GetObjectCount(nullptr), 0);
  EXPECT_EQ(MQDoc_GetObject(nullptr, 0), nullptr);
  EXPECT_EQ(MQDoc_GetObjectIndex(nullptr, document.ObjectInSlot(0)), -1);
  EXPECT_EQ(MQDoc_GetCurrentObjectIndex(nullptr), -1);
  EXPECT_EQ(MQDoc_SetCurrentObjectIndex(nullptr, 0), 0);
  EXPECT_EQ(MQDoc_GetParentObject(nullptr, document.ObjectInSlot(0)), nullptr);
  EXPECT_EQ(MQDoc_GetChildObjectCount(nullptr, document.ObjectInSlot(0)), 0);
  EXPECT_EQ(MQDoc_InsertObject(nullptr, nullptr, nullptr), -1);
  EXPECT_EQ(MQDoc_DeleteObject(nullptr, 0), 0);
  EXPECT_EQ(MQDoc_GetObjectCount(stray), 0);

  EXPECT_EQ(MQDoc_GetObjectIndex(document.Handle(), stray), -1);
  EXPECT_EQ(document.DeadObjectTouches(), 1);

  EXPECT_EQ(MQObj_Clone(nullptr), nullptr);
  EXPECT_EQ(MQObj_GetIntValue(nullptr, kDepth), 0);
  EXPECT_EQ(MQObj_SetIntValue(nullptr, kDepth, 1), 0);
  MQObj_Delete(nullptr);
  EXPECT_EQ(StrayObjectTouches(), 0);
  EXPECT_EQ(MQObj_Clone(stray), nullptr);
  EXPECT_EQ(MQObj_GetIntValue(stray, kDepth), 0);
  MQObj_Delete(stray);
  EXPECT_EQ(StrayObjectTouches(), 3);
  EXPECT_EQ(document.CallsOutsideContract(), 4) << "the object exports given no object";
  EXPECT_EQ(document.ToOutline(), "A\n");
}

// Every kind of handle the stand-in hands out lies above 4 GiB on 64-bit
// Windows, so a handle cut to 32 bits cannot name the same thing; cut, it is
// an unknown handle with its safe answer (on 64-bit Linux, whose heap is high
// too, as well).
TEST(DocumentHandleTest, HandlesLieAboveFourGiBWhereThePlatformAllowsAndCutOnesNameNothing) {
  Document document;
  ASSERT_TRUE(document.LoadOutline("A [current]\n"));
  ResetSettingsDocument();
  void* const clone = MQObj_Clone(document.ObjectInSlot(0));
  const std::vector<std::pair<const char*, void*>> handles = {
      {"document", document.Handle()},
      {"object", document.ObjectInSlot(0)},
      {"clone", clone},
      {"settings root", SettingsRootElement()},
      {"plug-in settings", PluginSettingsElement()},
      {"canvas", NewCanvas()}};
  for (const auto& [kind, handle] : handles) {
    const auto address = reinterpret_cast<std::uintptr_t>(handle);
    EXPECT_NE(handle, nullptr) << kind;
    if (rowshift::platform::HandsOutHighAddresses()) {
      EXPECT_GE(address, rowshift::platform::kFirstHighAddress) << kind << " handle " << handle;
    }
  }

  const auto cut = [](void* handle) {
    return reinterpret_cast<void*>(reinterpret_cast<std::uintptr_t>(handle) & 0xFFFFFFFFu);
  };
  ResetStrayObjectTouches();
  if (document.Handle() != cut(document.Handle())) {
    EXPECT_EQ(MQDoc_GetObjectCount(cut(document.Handle())), 0);
    EXPECT_EQ(MQDoc_GetCurrentObjectIndex(cut(document.Handle())), -1);
  }
  if (clone != cut(clone)) {
    EXPECT_EQ(MQObj_GetIntValue(cut(clone), kDepth), 0);
    EXPECT_EQ(MQDoc_InsertObject(document.Handle(), cut(clone), nullptr), -1);
    EXPECT_EQ(StrayObjectTouches(), 1);
  }
  void* const settings = PluginSettingsElement();
  if (settings != cut(settings)) {
    void* values[] = {const_cast<char*>("PosX"), nullptr};
    EXPECT_EQ(MQXmlElem_Value(cut(settings), 0x101, values), 0);
    EXPECT_EQ(values[1], nullptr);
  }
  EXPECT_EQ(document.ToOutline(), "A [current]\n");
  MQObj_Delete(clone);
  EXPECT_EQ(document.OrphanedClones(), 0);
}

TEST(DocumentHandleTest, HandlesOfAGoneDocumentBecomeUnknown) {
  auto document = std::make_unique<Document>();
  ASSERT_TRUE(document->LoadOutline("A\n"));
  // Read through volatile: using the gone document's address is the point of
  // the test, and the optimiser would otherwise reject it as a use after free.
  void* volatile handle = document->Handle();
  void* object = document->ObjectInSlot(0);
  document.reset();
  ResetStrayObjectTouches();
  EXPECT_EQ(MQDoc_GetObjectCount(handle), 0);
  EXPECT_EQ(MQObj_GetIntValue(object, kDepth), 0);
  EXPECT_EQ(StrayObjectTouches(), 1);
}

TEST(DocumentHandleTest, ObjectsOfAnotherDocumentAreRefused) {
  Document first;
  Document second;
  ASSERT_TRUE(first.LoadOutline("A\n"));
  ASSERT_TRUE(second.LoadOutline("B\n"));
  void* copy = MQObj_Clone(first.ObjectInSlot(0));
  EXPECT_EQ(MQDoc_InsertObject(second.Handle(), copy, nullptr), -1);
  EXPECT_EQ(MQDoc_GetObjectIndex(second.Handle(), first.ObjectInSlot(0)), -1);
  EXPECT_EQ(second.ToOutline(), "B\n");
  EXPECT_EQ(second.DeadObjectTouches(), 2);
  MQObj_Delete(copy);
}

}  // namespace
}  // namespace standin
