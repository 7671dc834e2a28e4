#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "boundary/host_functions.h"
#include "engine/operations.h"
#include "outline/outline.h"
#include "standin/call_log.h"
#include "standin/document_control.h"
#include "standin/document_exports.h"
#include "standin/host_call_control.h"
#include "support/outline_run.h"
#include "support/standin_in_process.h"

namespace rowshift {
namespace {

constexpr char kBusyDocument[] = "T [current selected]\nP\n  P1 [selected]\nQ [selected]\nZ\n";

struct NothingToActOn {
  const char* what;
  testing::Operation operation;
  int32_t result;
};

const NothingToActOn kOperations[] = {
    {"insert", InsertFromBottom, -1}, {"up", MoveUp, -1},
    {"down", MoveDown, -1},           {"top", MoveToTop, 1},
    {"bottom", MoveToBottom, 1},      {"gather", GatherSelected, 0},
};

TEST(BadDocumentTest, ANullDocumentIsNothingToActOn) {
  testing::ScopedStandinBinding binding;
  for (const NothingToActOn& check : kOperations) {
    SCOPED_TRACE(check.what);
    standin::ClearCalls();
    EXPECT_EQ(check.operation(nullptr), check.result);
    EXPECT_TRUE(standin::Calls().empty());
  }
}

TEST(BadDocumentTest, AnUnboundTableIsNothingToActOn) {
  testing::UnbindHostFunctions();
  standin::Document document;
  ASSERT_TRUE(document.LoadOutline(kBusyDocument));
  for (const NothingToActOn& check : kOperations) {
    SCOPED_TRACE(check.what);
    EXPECT_EQ(check.operation(document.Handle()), check.result);
    EXPECT_EQ(document.ToOutline(), kBusyDocument);
  }
}

TEST(BadDocumentTest, ATableMissingOneDocumentEntryIsNothingToActOn) {
  testing::ScopedStandinBinding binding;
  HostFunctions().MQObj_Delete = nullptr;
  standin::Document document;
  ASSERT_TRUE(document.LoadOutline(kBusyDocument));
  standin::ClearCalls();
  for (const NothingToActOn& check : kOperations) {
    SCOPED_TRACE(check.what);
    EXPECT_EQ(check.operation(document.Handle()), check.result);
  }
  EXPECT_EQ(document.ToOutline(), kBusyDocument);
  EXPECT_TRUE(standin::Calls().empty());
}

TEST(BadDocumentTest, AStaleDocumentHandleGetsSafeAnswers) {
  testing::ScopedStandinBinding binding;
  // Read through volatile: using the gone document's address is the point of
  // the test, and the optimiser would otherwise reject it as a dangling pointer.
  void* volatile stale = nullptr;
  {
    standin::Document document;
    ASSERT_TRUE(document.LoadOutline(kBusyDocument));
    stale = document.Handle();
  }
  for (const NothingToActOn& check : kOperations) {
    SCOPED_TRACE(check.what);
    EXPECT_EQ(check.operation(stale), check.result);
  }
}

// Hosts that answer wrongly, each bound over the stand-in.
// Own parent: every object is its own parent, so a collapsed object hides
// itself, and a search going back to the outermost collapsed ancestor would
// stand still on it.
void* OwnParent(void* /*document*/, void* object) { return object; }
// The object itself as its copy: an object that stands in the document is
// neither inserted again nor freed.
void* ROWSHIFT_CALL ItselfAsCopy(void* object) { return object; }
// An index other than the one asked for: the slot in front of the object's
// own, or, with the first deletion refused, one behind the new slot of an
// insertion, where the copy would be deleted again.
int32_t ROWSHIFT_CALL IndexInFront(void* document, void* object) {
  const int32_t index = ::MQDoc_GetObjectIndex(document, object);
  return index > 0 ? index - 1 : index;
}
int32_t ROWSHIFT_CALL InsertionIndexBehind(void* document, void* object, void* anchor) {
  const int32_t index = ::MQDoc_InsertObject(document, object, anchor);
  return index >= 0 ? index + 1 : index;
}
// For a slot, an object that stands in another: for an empty slot the object
// in front of it, so that one object is met twice; or, for every slot but the
// last, the object behind it.
void* ROWSHIFT_CALL ObjectInFrontForAnEmptySlot(void* document, int32_t index) {
  void* const object = ::MQDoc_GetObject(document, index);
  return object == nullptr && index > 0 ? ::MQDoc_GetObject(document, index - 1) : object;
}
void* ROWSHIFT_CALL ObjectOneSlotOn(void* document, int32_t index) {
  const bool last = index + 1 >= ::MQDoc_GetObjectCount(document);
  return ::MQDoc_GetObject(document, last ? index : index + 1);
}

constexpr char kGroups[] =
    "A [selected]\n  A1\nB [current selected]\nC [selected]\n  C1 [selected]\nD\n";

struct WrongAnswers {
  const char* what;
  void (*bind)(HostFunctionTable&);
  std::vector<const char*> outlines;
  bool first_deletion_refused = false;
  bool nothing_moves = false;  // every object stays where it was
};

// Every operation still ends with every object in the list once, in an
// outline: a slot is emptied only where it holds the object to delete, an
// object is moved at most once, and no deleted object is named to the host.
TEST(BadDocumentTest, AHostAnsweringWronglyLosesOrDoublesNothingAndEveryOperationEnds) {
  const WrongAnswers hosts[] = {
      {"own parent",
       [](HostFunctionTable& host) { host.MQDoc_GetParentObject = OwnParent; },
       {"T [current selected collapsed]\n  T1\nP [collapsed]\n  P1 [selected]\nQ\n",
        "A\nC [collapsed selected]\nQ [current selected]\n"}},
      {"itself as its copy",
       [](HostFunctionTable& host) { host.MQObj_Clone = ItselfAsCopy; },
       {kBusyDocument},
       false,
       true},
      {"index in front",
       [](HostFunctionTable& host) { host.MQDoc_GetObjectIndex = IndexInFront; },
       {kBusyDocument, kGroups}},
      {"insertion index behind",
       [](HostFunctionTable& host) { host.MQDoc_InsertObject = InsertionIndexBehind; },
       {kBusyDocument, kGroups},
       true},
      {"object in front for an empty slot",
       [](HostFunctionTable& host) { host.MQDoc_GetObject = ObjectInFrontForAnEmptySlot; },
       {"A [selected]\n-\nB [current selected]\n-\n",
        "P\n  Q [current selected]\n  -\n    R\nS [selected]\n", kGroups}},
      {"object one slot on",
       [](HostFunctionTable& host) { host.MQDoc_GetObject = ObjectOneSlotOn; },
       {"A [selected]\n-\nB [current selected]\n-\n",
        "P\n  Q [current selected]\n  -\n    R\nS [selected]\n", kGroups}},
  };
  for (const WrongAnswers& host : hosts) {
    testing::ScopedStandinBinding binding;
    host.bind(HostFunctions());
    for (const char* outline : host.outlines) {
      for (const NothingToActOn& check : kOperations) {
        SCOPED_TRACE(::testing::Message() << check.what << ", " << host.what << ", on\n"
                                          << outline);
        standin::Document document;
        ASSERT_TRUE(document.LoadOutline(outline));
        if (host.first_deletion_refused) {
          standin::FailNthCall(standin::EntryPoint::MQDoc_DeleteObject, 1);
        }
        check.operation(document.Handle());
        standin::ResetHostCalls();
        EXPECT_EQ(testing::SortedNames(document.ToOutline()), testing::SortedNames(outline));
        EXPECT_EQ(document.DeadObjectTouches(), 0);
        EXPECT_EQ(document.OrphanedClones(), 0);
        EXPECT_EQ(document.CallsOutsideContract(), 0);
        EXPECT_FALSE(outline::ParseOutline(document.ToOutline()).error) << document.ToOutline();
        if (host.nothing_moves) {
          EXPECT_EQ(document.ToOutline(), outline);
        }
      }
    }
  }
}

// Up from Q passes C, which hides itself under a host whose every object is
// its own parent, and lands in front of A, the row one slot before it.
TEST(BadDocumentTest, UpPastAnObjectThatHidesItselfLandsInFrontOfTheRowBefore) {
  testing::ScopedStandinBinding binding;
  HostFunctions().MQDoc_GetParentObject = OwnParent;
  standin::Document document;
  ASSERT_TRUE(document.LoadOutline("A\nC [collapsed selected]\nQ [current selected]\n"));
  EXPECT_EQ(MoveUp(document.Handle()), 1);
  EXPECT_EQ(testing::WithoutEmptySlots(document.ToOutline()),
            "Q [current selected]\nA\nC [selected collapsed]\n");
}

}  // namespace
}  // namespace rowshift
