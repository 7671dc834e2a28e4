// Gather: the other selected objects become the current object's first
// children, in their list order.

#include "engine/current_object.h"
#include "engine/operations.h"
#include "engine/selected_group.h"
#include "engine/subtree.h"
#include "engine/subtree_move.h"

namespace rowshift {

int32_t GatherSelected(void* handle) {
  const auto open = Open(handle);
  if (!open) return kNothingToGather;
  const Document& document = open->document;
  // The target is the current object, eligible, selected and inside no other
  // selected object; what lies in a gathered object's subtree travels with it.
  SelectedGroup group =
      ListSelectedGroup(document, open->count, ReadCurrent(document, open->count));
  const LocatedObject target = group.target.object;
  if (target.object == nullptr || group.members.empty()) return kNothingToGather;
  // The target never moves and its depth never changes.
  const int32_t depth = DeepestBehind(group.target.depth);
  SubtreeMoves moves(document, open->count);
  // Worked from the end: each object lands directly behind the target, so the
  // first of the list ends first.
  for (auto member = group.members.rbegin(); member != group.members.rend(); ++member) {
    moves.MoveWithSubtree(*member, target, depth);
  }
  moves.Finish();
  return kDone;
}

}  // namespace rowshift
