// Gather: the other selected objects become the current object's first
// children, in their list order.
#include <utility>

#include "engine/operations.h"
#include "engine/selected_group.h"
#include "engine/subtree.h"
#include "engine/subtree_move.h"

namespace rowshift {
namespace {

constexpr DepthDifference kOneLevelBelow = 1;

}  // namespace

int32_t GatherSelected(void* handle) {
  const Document document(handle);
  if (!document.IsUsable()) return kNothingToGather;
  const int32_t count = document.ObjectCount();
  // The target is the current object, eligible, selected and inside no other
  // selected object; what lies in a gathered object's subtree travels with it.
  // The listing meets the current object's slot, if there is one, and reads it.
  SelectedGroup group = ListSelectedGroup(document, count, document.CurrentIndex());
  const LocatedObject target = group.target.object;
  if (target.object == nullptr || group.members.empty()) return kNothingToGather;
  // The target never moves and its depth never changes.
  const int32_t depth = ShiftDepth(group.target.depth, kOneLevelBelow);
  SubtreeMoves moves(document, count);
  // Worked from the end: each object lands directly behind the target, so the
  // first of the list ends first.
  for (auto member = group.members.rbegin(); member != group.members.rend(); ++member) {
    moves.MoveWithSubtree(std::move(*member), target, depth);
  }
  moves.LowerLeftBehind();
  moves.KeepOutline();
  return kDone;
}

}  // namespace rowshift
