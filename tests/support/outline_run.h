// Runs one engine operation on a stand-in document built from an outline, so
// a test states a case as outline before, operation, outline after, result.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace rowshift::testing {

using Operation = int32_t (*)(void* document);

struct OutlineRun {
  int32_t result = 0;
  std::string after;          // every slot, emptied ones as "-"
  std::string compact_after;  // the same without the plain empty slots ("- [current]" stays)
  int dead_object_touches = 0;
  int orphaned_clones = 0;
};

// Binds the stand-in in process, loads `before` (a bad outline fails the
// calling test), clears the call log, runs `operation` and reads the document
// back. The call log then holds exactly the operation's calls.
OutlineRun RunOnOutline(Operation operation, const std::string& before);

// `outline` without its lines "-" (a current empty slot is kept).
std::string WithoutEmptySlots(const std::string& outline);

// The names of the objects of an outline, sorted: equal for two documents
// that hold the same objects in any order.
std::vector<std::string> SortedNames(const std::string& outline);

// One row of a table: the document before, the operation, the document after
// (without plain empty slots) and the result.
struct OutlineCase {
  const char* what;  // names the case in failure messages
  Operation operation;
  const char* before;
  const char* after;
  int32_t result;
};

// Runs every case and checks its outline after and result, and that it
// touched no deleted object and left no copy outside the document.
void ExpectOutlineCases(const std::vector<OutlineCase>& cases);

}  // namespace rowshift::testing
