#include "engine/selected_group.h"

#include <utility>

namespace rowshift {

SelectedGroup ListSelectedGroup(const Document& document, int32_t count, int32_t target_index) {
  SelectedGroup group;
  // The object behind the last member's subtree and its depth, read already
  // by the collection: the scan goes on from there. Index -1: none.
  RunEnd met;
  met.index = -1;
  for (int32_t index = 0; index < count; ++index) {
    const bool known = met.index == index;
    const Object object = known ? met.object : document.ObjectAt(index);
    if (object == nullptr || !document.Flag(object, ObjectValueId::Eligible) ||
        !document.Flag(object, ObjectValueId::Selected)) {
      continue;
    }
    const int32_t depth = known ? met.depth : document.Value(object, ObjectValueId::Depth);
    if (index == target_index) {
      group.target = {{object, index}, depth, {}};
      continue;
    }
    Subtree subtree = CollectSubtree(document, index, depth, count, &met);
    group.members.push_back({{object, index}, depth, std::move(subtree)});
    // Go on from the first object behind the subtree, which the collection
    // has read (it stands at least one slot on).
    index = met.index - 1;
  }
  return group;
}

}  // namespace rowshift
