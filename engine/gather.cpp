// Gather: the other selected objects become the current object's first
// children, in their list order.
#include <optional>
#include <utility>
#include <vector>

#include "engine/move_step.h"
#include "engine/operations.h"
#include "engine/subtree.h"

namespace rowshift {
namespace {

constexpr DepthDifference kOneLevelBelow = 1;

struct Gathered {
  Object object = nullptr;
  int32_t depth = 0;
  Subtree subtree;
};

struct GatherPlan {
  Object target = nullptr;
  int32_t target_depth = 0;
  std::vector<Gathered> objects;  // in list order, none inside another's subtree
};

// The target is the current object if it is eligible, selected and not in
// the subtree of an object gathered before it; everything else selected and
// eligible is gathered, except what lies in the subtree of an object gathered
// before it. Subtrees are judged by depth alone: an object that is not
// eligible still ends the subtree in front of it. Each gathered object's
// subtree is collected in the same pass: the moves, made from the end, never
// change the subtree of an object before them. Every depth is read once, so
// the target, never chosen inside a subtree being collected, is in no
// gathered object's subtree, even when the host's answers are wrong.
GatherPlan PlanGather(const Document& document) {
  GatherPlan plan;
  const int32_t current = document.CurrentIndex();
  const int32_t count = document.ObjectCount();
  // The last gathered object while the slots met are in its subtree.
  std::optional<std::size_t> collecting;
  for (int32_t index = 0; index < count; ++index) {
    const Object object = document.ObjectAt(index);
    if (object == nullptr) continue;
    std::optional<int32_t> depth;
    if (collecting) {
      Gathered& gathered = plan.objects[*collecting];
      depth = document.Value(object, ObjectValueId::Depth);
      // Deeper than the gathered object: collected whatever its flags, and
      // passed over by the plan.
      if (*depth > gathered.depth) {
        gathered.subtree.push_back({object, *depth});
        continue;
      }
      collecting.reset();
    }
    if (!document.Flag(object, ObjectValueId::Eligible)) continue;
    if (!depth) depth = document.Value(object, ObjectValueId::Depth);
    if (!document.Flag(object, ObjectValueId::Selected)) continue;
    if (plan.target == nullptr && index == current) {
      // Selected descendants of the target stay candidates.
      plan.target = object;
      plan.target_depth = *depth;
    } else {
      collecting = plan.objects.size();
      plan.objects.push_back({object, *depth, {}});
    }
  }
  return plan;
}

}  // namespace

int32_t GatherSelected(void* handle) {
  const Document document(handle);
  if (!document.IsUsable()) return kNothingDone;
  GatherPlan plan = PlanGather(document);
  if (plan.target == nullptr || plan.objects.empty()) return kNothingDone;
  // The target never moves and its depth never changes.
  const int32_t new_depth = ShiftDepth(plan.target_depth, kOneLevelBelow);
  // Worked from the end: each object lands directly behind the target, so the
  // first of the list ends first.
  for (auto it = plan.objects.rbegin(); it != plan.objects.rend(); ++it) {
    const DepthDifference difference =
        static_cast<DepthDifference>(plan.target_depth) - it->depth + kOneLevelBelow;
    const MovedObject moved = MoveObjectAfter(document, it->object, plan.target);
    document.SetValue(moved.object, ObjectValueId::Depth, new_depth);
    RelocateSubtree(document, std::move(it->subtree), {moved.object, moved.index}, difference);
  }
  return kDone;
}

}  // namespace rowshift
