#include <gtest/gtest.h>

#include <cstdint>

#include "boundary/host_functions.h"
#include "engine/operations.h"
#include "standin/call_log.h"
#include "standin/document_control.h"
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

}  // namespace
}  // namespace rowshift
