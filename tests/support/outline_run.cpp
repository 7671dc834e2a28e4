#include "support/outline_run.h"

#include <gtest/gtest.h>

#include <sstream>

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

}  // namespace rowshift::testing
