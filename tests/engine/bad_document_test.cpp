#include <gtest/gtest.h>

#include <cstdint>

#include "boundary/host_functions.h"
#include "engine/operations.h"
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

// A host whose parent answers loop: every object is its own parent, so a
// collapsed object hides itself, and a search going back to the outermost
// collapsed ancestor would stand still on it. The operations still end, and
// every object is still in the list once.
void* OwnParent(void* /*document*/, void* object) { return object; }

TEST(BadDocumentTest, AHostAnsweringACycleOfParentsLosesNothingAndEveryOperationEnds) {
  testing::ScopedStandinBinding binding;
  HostFunctions().MQDoc_GetParentObject = OwnParent;
  const char* const outlines[] = {
      "T [current selected collapsed]\n  T1\nP [collapsed]\n  P1 [selected]\nQ\n",
      "A\nC [collapsed selected]\nQ [current selected]\n",
  };
  for (const char* outline : outlines) {
    for (const NothingToActOn& check : kOperations) {
      SCOPED_TRACE(::testing::Message() << check.what << " on\n" << outline);
      standin::Document document;
      ASSERT_TRUE(document.LoadOutline(outline));
      check.operation(document.Handle());
      EXPECT_EQ(testing::SortedNames(document.ToOutline()), testing::SortedNames(outline));
      EXPECT_EQ(document.DeadObjectTouches(), 0);
    }
  }
  // Up from Q passes C, which hides itself, and lands in front of A, the row
  // one slot before it.
  standin::Document document;
  ASSERT_TRUE(document.LoadOutline(outlines[1]));
  EXPECT_EQ(MoveUp(document.Handle()), 1);
  EXPECT_EQ(testing::WithoutEmptySlots(document.ToOutline()),
            "Q [current selected]\nA\nC [selected collapsed]\n");
}

// A host that answers an index other than the one asked for: the slot in
// front of the object's own, or, with the first deletion refused, one behind
// the new slot of an insertion, where the copy would be deleted again. A slot
// is emptied only where it holds the object to delete, so nothing is lost or
// doubled, and an index beyond the list is never named back to the host.
int32_t ROWSHIFT_CALL IndexInFront(void* document, void* object) {
  const int32_t index = ::MQDoc_GetObjectIndex(document, object);
  return index > 0 ? index - 1 : index;
}
int32_t ROWSHIFT_CALL InsertionIndexBehind(void* document, void* object, void* anchor) {
  const int32_t index = ::MQDoc_InsertObject(document, object, anchor);
  return index >= 0 ? index + 1 : index;
}

// A host that answers the object itself as its copy: an object that stands
// in the document is neither inserted again nor freed, so every object stays
// where it was, once.
void* ROWSHIFT_CALL ItselfAsCopy(void* object) { return object; }

TEST(BadDocumentTest, AHostAnsweringTheObjectAsItsOwnCopyChangesNothing) {
  testing::ScopedStandinBinding binding;
  HostFunctions().MQObj_Clone = ItselfAsCopy;
  for (const NothingToActOn& check : kOperations) {
    SCOPED_TRACE(check.what);
    standin::Document document;
    ASSERT_TRUE(document.LoadOutline(kBusyDocument));
    check.operation(document.Handle());
    EXPECT_EQ(document.ToOutline(), kBusyDocument);
    EXPECT_EQ(document.CallsOutsideContract(), 0);
  }
}

TEST(BadDocumentTest, AHostAnsweringAnotherIndexLosesOrDoublesNothing) {
  const char* const outlines[] = {
      kBusyDocument,
      "A [selected]\n  A1\nB [current selected]\nC [selected]\n  C1 [selected]\nD\n",
  };
  for (const bool insertion : {false, true}) {
    testing::ScopedStandinBinding binding;
    if (insertion) {
      HostFunctions().MQDoc_InsertObject = InsertionIndexBehind;
    } else {
      HostFunctions().MQDoc_GetObjectIndex = IndexInFront;
    }
    for (const char* outline : outlines) {
      for (const NothingToActOn& check : kOperations) {
        SCOPED_TRACE(::testing::Message() << check.what << (insertion ? ", insertion" : ", object")
                                          << " index wrong, on\n"
                                          << outline);
        standin::Document document;
        ASSERT_TRUE(document.LoadOutline(outline));
        if (insertion) standin::FailNthCall(standin::EntryPoint::MQDoc_DeleteObject, 1);
        check.operation(document.Handle());
        standin::ResetHostCalls();
        EXPECT_EQ(testing::SortedNames(document.ToOutline()), testing::SortedNames(outline));
        EXPECT_EQ(document.DeadObjectTouches(), 0);
        EXPECT_EQ(document.OrphanedClones(), 0);
        EXPECT_EQ(document.CallsOutsideContract(), 0);
      }
    }
  }
}

// A host that answers for a slot an object that stands in another: for an
// empty slot, the object in the slot in front of it, so that one object is
// met twice; or, for every slot but the last, the object in the slot behind
// it. An object is never moved twice, and an original or copy is deleted only
// from a slot that holds it, or that two of the host's answers name, so no
// deleted object is named to the host and nothing is lost or doubled.
void* ROWSHIFT_CALL ObjectInFrontForAnEmptySlot(void* document, int32_t index) {
  void* const object = ::MQDoc_GetObject(document, index);
  return object == nullptr && index > 0 ? ::MQDoc_GetObject(document, index - 1) : object;
}
void* ROWSHIFT_CALL ObjectOneSlotOn(void* document, int32_t index) {
  const bool last = index + 1 >= ::MQDoc_GetObjectCount(document);
  return ::MQDoc_GetObject(document, last ? index : index + 1);
}

TEST(BadDocumentTest, AHostAnsweringAnObjectOfAnotherSlotLosesOrDoublesNothing) {
  const char* const outlines[] = {
      "A [selected]\n-\nB [current selected]\n-\n",
      "P\n  Q [current selected]\n  -\n    R\nS [selected]\n",
      "A [selected]\n  A1\nB [current selected]\nC [selected]\n  C1 [selected]\nD\n",
  };
  for (const auto answer : {ObjectInFrontForAnEmptySlot, ObjectOneSlotOn}) {
    testing::ScopedStandinBinding binding;
    HostFunctions().MQDoc_GetObject = answer;
    for (const char* outline : outlines) {
      for (const NothingToActOn& check : kOperations) {
        SCOPED_TRACE(::testing::Message()
                     << check.what
                     << (answer == ObjectOneSlotOn ? ", one slot on" : ", in front for empty")
                     << ", on\n"
                     << outline);
        standin::Document document;
        ASSERT_TRUE(document.LoadOutline(outline));
        check.operation(document.Handle());
        EXPECT_EQ(testing::SortedNames(document.ToOutline()), testing::SortedNames(outline));
        EXPECT_EQ(document.DeadObjectTouches(), 0);
        EXPECT_EQ(document.OrphanedClones(), 0);
      }
    }
  }
}

}  // namespace
}  // namespace rowshift
