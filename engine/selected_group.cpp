#include "engine/selected_group.h"

namespace rowshift {

std::vector<GroupMember> ListSelectedGroup(const Document& document, int32_t count) {
  std::vector<GroupMember> group;
  for (int32_t index = 0; index < count; ++index) {
    const Object object = document.ObjectAt(index);
    if (object == nullptr || !document.Flag(object, ObjectValueId::Eligible) ||
        !document.Flag(object, ObjectValueId::Selected)) {
      continue;
    }
    const int32_t depth = document.Value(object, ObjectValueId::Depth);
    int32_t end_of_subtree = index + 1;
    Subtree subtree = CollectSubtreeAt(document, index, depth, count, &end_of_subtree);
    group.push_back({object, depth, std::move(subtree)});
    // Go on from the first object behind the subtree.
    if (end_of_subtree > index) index = end_of_subtree - 1;
  }
  return group;
}

}  // namespace rowshift
