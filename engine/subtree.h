// An object's descendants: the run of deeper objects behind it, collected so
// that they can travel with it; and the depth rule that keeps the list an
// outline.
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

// An object to move, as read before anything moved.
struct Mover {
  LocatedObject object;
  int32_t depth = 0;
  Subtree subtree;  // its descendants, which travel with it
};

// A change of depth applied to a whole subtree. Wide, so that no pair of
// 32-bit depths can overflow it.
using DepthDifference = int64_t;

inline constexpr int32_t kTopLevel = 0;

// `depth` + `difference`, held within the 32-bit range.
int32_t ShiftDepth(int32_t depth, DepthDifference difference);

// The deepest an object may stand directly behind an object at `depth`: one
// level below it. The top level at the least, should a host answer a depth
// below it.
int32_t DeepestBehind(int32_t depth);

// The objects that an operation is moving while they still stand at their old
// places. Where a landing is chosen they count for nothing, as if their slots
// were empty already.
class MovingObjects {
 public:
  void Add(Object object) { objects_.insert(object); }
  // The mover and its subtree.
  void Add(const Mover& mover);
  bool Contains(Object object) const { return objects_.count(object) != 0; }

 private:
  std::unordered_set<Object> objects_;
};

// An object with its slot and its depth as read; none: index -1.
struct ObjectAtDepth {
  LocatedObject located;
  int32_t depth = 0;
};

// A walked run of objects deeper than a given depth.
struct DeeperRun {
  ObjectAtDepth last;  // the run's last object; none when the run is empty
  // The first object behind the run that is not deeper; none, at slot
  // `count`, when the run reached the end of the list.
  ObjectAtDepth behind;
};

// The run of objects deeper than `depth` that starts at slot `from`, among
// `count` slots (as read by the caller): every object up to the first one
// whose depth is not greater. Empty slots are passed over, and so are the
// objects in `passed_over` when it is given; flags play no part. Each object
// met is read once. `collected`, when given, receives the run.
DeeperRun WalkDeeperRun(const Document& document, int32_t from, int32_t depth, int32_t count,
                        const MovingObjects* passed_over = nullptr, Subtree* collected = nullptr);

// The last object of the run deeper than `depth` that stands behind `object`
// (as WalkDeeperRun walks it): behind a collapsed object at `depth`, the end
// of the block it hides. `object` itself where no such run stands behind it.
LocatedObject EndOfDeeperRun(const Document& document, const LocatedObject& object, int32_t depth,
                             int32_t count, const MovingObjects* passed_over = nullptr);

// The nearest object at or before slot `index`, with its depth, empty slots
// and the objects in `passed_over` (when it is given) aside; none when there
// is none.
ObjectAtDepth ObjectInFront(const Document& document, int32_t index,
                            const MovingObjects* passed_over = nullptr);

// The descendants of `object` (read at its slot, with its depth) among
// `count` slots: the run of deeper objects behind it. `run`, when given,
// receives where the run ended.
Subtree CollectSubtree(const Document& document, const ObjectAtDepth& object, int32_t count,
                       DeeperRun* run = nullptr);

// `object`, in its slot, with its depth and its subtree as read now among
// `count` slots; `run`, when given, receives where the subtree ended.
Mover ReadMover(const Document& document, const LocatedObject& object, int32_t count,
                DeeperRun* run = nullptr);

}  // namespace rowshift
