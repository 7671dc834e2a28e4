#include "support/outline_run.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "outline/outline.h"
#include "standin/call_log.h"
#include "standin/document_control.h"
#include "support/standin_in_process.h"

namespace rowshift::testing {
namespace {

constexpr char kEmptySlotLine[] = "-";

}  // namespace

OutlineRun RunOnOutline(Operation operation, const std::string& before) {
  BindStandinDocumentFunctions();
  standin::Document document;
  std::string error;
  EXPECT_TRUE(document.LoadOutline(before, &error)) << error << "\n" << before;
  standin::ClearCalls();
  OutlineRun run;
  run.result = operation(document.Handle());
  run.after = document.ToOutline();
  run.compact_after = WithoutEmptySlots(run.after);
  run.dead_object_touches = document.DeadObjectTouches();
  run.orphaned_clones = document.OrphanedClones();
  return run;
}

std::string WithoutEmptySlots(const std::string& outline) {
  std::istringstream lines(outline);
  std::string line;
  std::string kept;
  while (std::getline(lines, line)) {
    if (line == kEmptySlotLine) continue;
    kept += line;
    kept += '\n';
  }
  return kept;
}

std::vector<std::string> SortedNames(const std::string& outline) {
  // Any document's names, also one a careless host left with depth jumps.
  outline::ParseOptions as_it_stands;
  as_it_stands.allow_depth_jumps = true;
  const outline::ParseResult parsed = outline::ParseOutline(outline, as_it_stands);
  std::vector<std::string> names;
  for (const outline::OutlineRow& row : parsed.rows) {
    if (!row.empty) names.push_back(row.name);
  }
  std::sort(names.begin(), names.end());
  return names;
}

void ExpectOutlineCases(const std::vector<OutlineCase>& cases) {
  for (const OutlineCase& check : cases) {
    SCOPED_TRACE(::testing::Message() << check.what << "\nbefore:\n" << check.before);
    const OutlineRun run = RunOnOutline(check.operation, check.before);
    EXPECT_EQ(run.compact_after, check.after);
    EXPECT_EQ(run.result, check.result);
    EXPECT_EQ(run.dead_object_touches, 0);
    EXPECT_EQ(run.orphaned_clones, 0);
  }
}

}  // namespace rowshift::testing
