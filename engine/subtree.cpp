#include "engine/subtree.h"

#include <algorithm>
#include <limits>

#include "engine/host_contract.h"

namespace rowshift {

int32_t ShiftDepth(int32_t depth, DepthDifference difference) {
  constexpr int32_t kDeepest = std::numeric_limits<int32_t>::max();
  constexpr int32_t kShallowest = std::numeric_limits<int32_t>::min();
  const int64_t shifted = static_cast<int64_t>(depth) + difference;
  if (OutsideContract(shifted > kDeepest)) return kDeepest;
  if (OutsideContract(shifted < kShallowest)) return kShallowest;
  return static_cast<int32_t>(shifted);
}

int32_t DeepestBehind(int32_t depth) { return std::max(ShiftDepth(depth, 1), kTopLevel); }

void MovingObjects::Add(const Mover& mover) {
  Add(mover.object.object);
  for (const SubtreeEntry& entry : mover.subtree) Add(entry.object);
}

DeeperRun WalkDeeperRun(const Document& document, int32_t from, int32_t depth, int32_t count,
                        const MovingObjects* passed_over, Subtree* collected) {
  DeeperRun run;
  for (int32_t index = from; index < count; ++index) {
    const Object object = document.ObjectAt(index);
    if (object == nullptr || (passed_over != nullptr && passed_over->Contains(object))) continue;
    const int32_t object_depth = document.Value(object, ObjectValueId::Depth);
    if (object_depth <= depth) {
      run.behind = {{object, index}, object_depth};
      return run;
    }
    if (collected != nullptr) collected->push_back({object, object_depth});
    run.last = {{object, index}, object_depth};
  }
  run.behind.located.index = count;
  return run;
}

LocatedObject EndOfDeeperRun(const Document& document, const LocatedObject& object, int32_t depth,
                             int32_t count, const MovingObjects* passed_over) {
  const DeeperRun run = WalkDeeperRun(document, object.index + 1, depth, count, passed_over);
  return run.last.located.object != nullptr ? run.last.located : object;
}

ObjectAtDepth ObjectInFront(const Document& document, int32_t index,
                            const MovingObjects* passed_over) {
  for (; index >= 0; --index) {
    const Object object = document.ObjectAt(index);
    if (object != nullptr && (passed_over == nullptr || !passed_over->Contains(object))) {
      return {{object, index}, document.Value(object, ObjectValueId::Depth)};
    }
  }
  return {};
}

Subtree CollectSubtree(const Document& document, const ObjectAtDepth& object, int32_t count,
                       DeeperRun* run) {
  Subtree subtree;
  const DeeperRun walked =
      WalkDeeperRun(document, object.located.index + 1, object.depth, count, nullptr, &subtree);
  if (run != nullptr) *run = walked;
  return subtree;
}

Mover ReadMover(const Document& document, const LocatedObject& object, int32_t count,
                DeeperRun* run) {
  const ObjectAtDepth read{object, document.Value(object.object, ObjectValueId::Depth)};
  return {object, read.depth, CollectSubtree(document, read, count, run)};
}

}  // namespace rowshift
