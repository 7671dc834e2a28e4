// Move to top and Move to bottom: every selected object, with its descendants,
// to the top level at the front of the list or behind its last eligible
// object, in list order.
//
// The group is listed first, as the list stands at the start: scanning while
// moving would skip slots pushed out of reach, meet its own copies and move
// them again, and break the group's order.
#include <utility>

#include "engine/move_step.h"
#include "engine/operations.h"
#include "engine/rows.h"
#include "engine/selected_group.h"
#include "engine/subtree.h"

namespace rowshift {
namespace {

constexpr int32_t kAlwaysDone = 1;
constexpr int32_t kTopLevel = 0;
constexpr int32_t kNoSlot = -1;

DepthDifference ToTopLevel(const Document& document, Object object) {
  return static_cast<DepthDifference>(kTopLevel) - document.Value(object, ObjectValueId::Depth);
}

}  // namespace

int32_t MoveToTop(void* handle) {
  const Document document(handle);
  if (!document.IsUsable()) return kAlwaysDone;
  const int32_t count = document.ObjectCount();
  if (count <= 0) return kAlwaysDone;
  // The last object placed at the top; none: the next one goes to index 0.
  Object anchor = nullptr;
  for (GroupMember& member : ListSelectedGroup(document, count)) {
    Object object = member.object;
    const DepthDifference difference = ToTopLevel(document, object);
    bool placed = true;
    if (object != anchor) {
      const MovedObject moved = MoveObjectAfter(document, object, anchor);
      object = moved.object;
      placed = moved.index >= 0;
      // Asked even for a failed insertion's negative index, which names no
      // object: the next one then goes to the front.
      anchor = document.ObjectAt(moved.index);
    }
    document.SetValue(object, ObjectValueId::Depth, kTopLevel);
    const int32_t last_placed =
        RelocateSubtree(document, std::move(member.subtree), object, difference);
    // An object that could not be placed keeps its descendants at its old
    // place, in the middle of the list; they must not become the anchor.
    if (placed && last_placed > 0) anchor = document.ObjectAt(last_placed);
  }
  return kAlwaysDone;
}

int32_t MoveToBottom(void* handle) {
  const Document document(handle);
  if (!document.IsUsable()) return kAlwaysDone;
  const int32_t count = document.ObjectCount();
  if (count <= 0) return kAlwaysDone;
  // The slot of the last descendant placed with the previous member, if any.
  int32_t group_end = kNoSlot;
  for (GroupMember& member : ListSelectedGroup(document, count)) {
    Object object = member.object;
    const DepthDifference difference = ToTopLevel(document, object);
    const LocatedObject last_eligible = FindLastEligibleBefore(document, document.ObjectCount());
    // Behind the previous member's ineligible last descendants, not in front
    // of them: they belong to that member and must stay with it.
    const Object anchor =
        group_end > last_eligible.index ? document.ObjectAt(group_end) : last_eligible.object;
    if (object != anchor) object = MoveObjectAfter(document, object, anchor).object;
    document.SetValue(object, ObjectValueId::Depth, kTopLevel);
    group_end = RelocateSubtree(document, std::move(member.subtree), object, difference);
  }
  return kAlwaysDone;
}

}  // namespace rowshift
