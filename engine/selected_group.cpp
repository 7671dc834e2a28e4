#include "engine/selected_group.h"

namespace rowshift {

std::vector<GroupMember> ListSelectedGroup(const Document& document, int32_t count) {
  std::vector<GroupMember> group;
  // The object behind the last member's subtree and its depth, read already
  // by the collection: the scan goes on from there. Index -1: none.
  SubtreeEnd met{-1};
  for (int32_t index = 0; index < count; ++index) {
    const bool known = met.index == index;
    const Object object = known ? met.object : document.ObjectAt(index);
    if (object == nullptr || !document.Flag(object, ObjectValueId::Eligible) ||
        !document.Flag(object, ObjectValueId::Selected)) {
      continue;
    }
    const int32_t depth = known ? met.depth : document.Value(object, ObjectValueId::Depth);
    SubtreeEnd end;
    Subtree subtree = CollectSubtree(document, index, depth, count, &end);
    group.push_back({object, depth, std::move(subtree)});
    // Go on from the first object behind the subtree.
    if (end.index > index) {
      index = end.index - 1;
      met = end;
    }
  }
  return group;
}

}  // namespace rowshift
