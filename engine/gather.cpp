// Gather: the other selected objects become the current object's first
// children, in their list order.
#include <limits>
#include <utility>
#include <vector>

#include "engine/move_step.h"
#include "engine/operations.h"
#include "engine/subtree.h"

namespace rowshift {
namespace {

constexpr int32_t kNothingGathered = 0;
constexpr int32_t kGathered = 1;
constexpr int32_t kNoDepthLimit = std::numeric_limits<int32_t>::max();
constexpr DepthDifference kOneLevelBelow = 1;

struct GatherPlan {
  Object target = nullptr;
  std::vector<Object> objects;  // in list order, none inside another's subtree
};

// The target is the current object if it is eligible, selected and not below
// an object gathered before it; everything else selected and eligible is
// gathered, except what lies below an object gathered before it.
GatherPlan PlanGather(const Document& document) {
  GatherPlan plan;
  const int32_t current = document.CurrentIndex();
  const int32_t count = document.ObjectCount();
  int32_t depth_limit = kNoDepthLimit;
  for (int32_t index = 0; index < count; ++index) {
    const Object object = document.ObjectAt(index);
    if (object == nullptr || !document.Flag(object, ObjectValueId::Eligible)) continue;
    const int32_t depth = document.Value(object, ObjectValueId::Depth);
    if (depth > depth_limit) continue;
    depth_limit = kNoDepthLimit;
    if (!document.Flag(object, ObjectValueId::Selected)) continue;
    if (plan.target == nullptr && index == current) {
      // No limit: selected descendants of the target stay candidates.
      plan.target = object;
    } else {
      plan.objects.push_back(object);
      depth_limit = depth;
    }
  }
  return plan;
}

}  // namespace

int32_t GatherSelected(void* handle) {
  const Document document(handle);
  if (!document.IsUsable()) return kNothingGathered;
  const GatherPlan plan = PlanGather(document);
  if (plan.target == nullptr || plan.objects.empty()) return kNothingGathered;
  // Worked from the end: each object lands directly behind the target, so the
  // first of the list ends first.
  for (auto it = plan.objects.rbegin(); it != plan.objects.rend(); ++it) {
    Subtree subtree = CollectSubtree(document, *it);
    // Only a misread depth puts the target below a gathered object; moving
    // that object would re-create the target under it.
    if (Contains(subtree, plan.target)) continue;
    const int32_t target_depth = document.Value(plan.target, ObjectValueId::Depth);
    const DepthDifference difference = static_cast<DepthDifference>(target_depth) -
                                       document.Value(*it, ObjectValueId::Depth) + kOneLevelBelow;
    const Object object = MoveObjectAfter(document, *it, plan.target).object;
    // The target's depth is asked afresh for the new depth.
    document.SetValue(
        object, ObjectValueId::Depth,
        ShiftDepth(document.Value(plan.target, ObjectValueId::Depth), kOneLevelBelow));
    RelocateSubtree(document, std::move(subtree), object, difference);
  }
  return kGathered;
}

}  // namespace rowshift
