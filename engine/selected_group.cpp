#include "engine/selected_group.h"

#include <utility>

namespace rowshift {
namespace {

// The object in slot `index`, unless the collection (`collected`, behind the
// last member's subtree) or the reading of the current object has read it.
Object ObjectIn(const Document& document, int32_t index, const DeeperRun& collected,
                const CurrentReading& target) {
  if (collected.behind.located.object != nullptr && collected.behind.located.index == index) {
    return collected.behind.located.object;
  }
  return index == target.index ? target.object : document.ObjectAt(index);
}

}  // namespace

SelectedGroup ListSelectedGroup(const Document& document, int32_t count,
                                const CurrentReading& target) {
  SelectedGroup group;
  // The object behind the last member's subtree, read already by the
  // collection: the scan goes on from there.
  DeeperRun collected;
  for (int32_t index = 0; index < count; ++index) {
    const Object object = ObjectIn(document, index, collected, target);
    if (object == nullptr || !document.Flag(object, ObjectValueId::Eligible) ||
        !document.Flag(object, ObjectValueId::Selected)) {
      continue;
    }
    const bool depth_read = index == collected.behind.located.index && object != nullptr;
    const ObjectAtDepth member{
        {object, index},
        depth_read ? collected.behind.depth : document.Value(object, ObjectValueId::Depth)};
    if (index == target.index) {
      group.target = {member.located, member.depth, {}};
      continue;
    }
    Subtree subtree = CollectSubtree(document, member, count, &collected);
    group.members.push_back({member.located, member.depth, std::move(subtree)});
    // Go on from the first object behind the subtree, which the collection
    // has read (it stands at least one slot on).
    index = collected.behind.located.index - 1;
  }
  return group;
}

}  // namespace rowshift
