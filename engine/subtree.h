// An object's descendants: the run of deeper objects behind it, collected so
// that they can travel with it.
#pragma once

#include <cstdint>
#include <unordered_set>
#include <vector>

#include "engine/document.h"

namespace rowshift {

// One collected descendant: the object and its depth as read when collected.
struct SubtreeEntry {
  Object object = nullptr;
  int32_t depth = 0;
};

// A collected subtree in list order. Owned by the operation that collected
// it; the handles in it are valid only until that operation moves them.
using Subtree = std::vector<SubtreeEntry>;

// A change of depth applied to a whole subtree. Wide, so that no pair of
// 32-bit depths can overflow it.
using DepthDifference = int64_t;

// `depth` + `difference`, held within the 32-bit range.
int32_t ShiftDepth(int32_t depth, DepthDifference difference);

// The objects that an operation is moving while they still stand at their old
// places. Where a landing is chosen they count for nothing, as if their slots
// were empty already.
class MovingObjects {
 public:
  void Add(Object object) { objects_.insert(object); }
  void Add(const Subtree& subtree);
  void Remove(Object object) { objects_.erase(object); }
  void Remove(const Subtree& subtree);
  bool Contains(Object object) const { return objects_.count(object) != 0; }

 private:
  std::unordered_set<Object> objects_;
};

// Where a run of deeper objects ended: the first object that is not deeper,
// with its slot and depth as read; none at slot `count` when the run reached
// the end of the list. `last` is the last object of the run, with its depth
// (none when the run is empty).
struct RunEnd {
  int32_t index = 0;
  Object object = nullptr;
  int32_t depth = 0;
  LocatedObject last;
  int32_t last_depth = 0;
};

// The run of objects deeper than `depth` that starts at slot `from`, among
// `count` slots (as read by the caller): every object up to the first one
// whose depth is not greater. Empty slots are passed over, and so are the
// objects in `passed_over` when it is given; flags play no part. Each object
// met is read once. `collected`, when given, receives the run.
RunEnd WalkDeeperRun(const Document& document, int32_t from, int32_t depth, int32_t count,
                     const MovingObjects* passed_over = nullptr, Subtree* collected = nullptr);

// The nearest object at or before slot `index`, empty slots and the objects in
// `passed_over` (when it is given) aside; none (index -1) when there is none.
LocatedObject ObjectInFront(const Document& document, int32_t index,
                            const MovingObjects* passed_over = nullptr);

// The descendants of the object at slot `index` whose depth is `depth`, among
// `count` slots, all three as read by the caller: the run of deeper objects
// behind it. `end`, when given, receives where the run ended. Empty for a
// negative `index` (an object that stands in no slot).
Subtree CollectSubtree(const Document& document, int32_t index, int32_t depth, int32_t count,
                       RunEnd* end = nullptr);

}  // namespace rowshift
