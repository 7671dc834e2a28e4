#include "engine/subtree.h"

#include <limits>

namespace rowshift {

int32_t ShiftDepth(int32_t depth, DepthDifference difference) {
  const int64_t shifted = static_cast<int64_t>(depth) + difference;
  if (shifted > std::numeric_limits<int32_t>::max()) return std::numeric_limits<int32_t>::max();
  if (shifted < std::numeric_limits<int32_t>::min()) return std::numeric_limits<int32_t>::min();
  return static_cast<int32_t>(shifted);
}

void MovingObjects::Add(const Subtree& subtree) {
  for (const SubtreeEntry& entry : subtree) Add(entry.object);
}

void MovingObjects::Remove(const Subtree& subtree) {
  for (const SubtreeEntry& entry : subtree) Remove(entry.object);
}

RunEnd WalkDeeperRun(const Document& document, int32_t from, int32_t depth, int32_t count,
                     const MovingObjects* passed_over, Subtree* collected) {
  RunEnd end;
  for (int32_t index = from; index < count; ++index) {
    const Object object = document.ObjectAt(index);
    if (object == nullptr || (passed_over != nullptr && passed_over->Contains(object))) continue;
    const int32_t object_depth = document.Value(object, ObjectValueId::Depth);
    if (object_depth <= depth) {
      end.index = index;
      end.object = object;
      end.depth = object_depth;
      return end;
    }
    if (collected != nullptr) collected->push_back({object, object_depth});
    end.last = {object, index};
    end.last_depth = object_depth;
  }
  end.index = count;
  return end;
}

LocatedObject ObjectInFront(const Document& document, int32_t index,
                            const MovingObjects* passed_over) {
  for (; index >= 0; --index) {
    const Object object = document.ObjectAt(index);
    if (object != nullptr && (passed_over == nullptr || !passed_over->Contains(object))) {
      return {object, index};
    }
  }
  return {};
}

Subtree CollectSubtree(const Document& document, int32_t index, int32_t depth, int32_t count,
                       RunEnd* end) {
  Subtree subtree;
  const RunEnd found =
      WalkDeeperRun(document, index < 0 ? count : index + 1, depth, count, nullptr, &subtree);
  if (end != nullptr) *end = found;
  return subtree;
}

}  // namespace rowshift
