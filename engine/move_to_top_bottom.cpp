// Move to top and Move to bottom: every selected object, with its descendants,
// to the top level at the front of the list or behind its last eligible
// object, in list order.
//
// The group is listed first, as the list stands at the start: scanning while
// moving would skip slots pushed out of reach, meet its own copies and move
// them again, and break the group's order.
#include <utility>
#include <vector>

#include "engine/current_object.h"
#include "engine/landing.h"
#include "engine/move_step.h"
#include "engine/operations.h"
#include "engine/rows.h"
#include "engine/selected_group.h"
#include "engine/subtree.h"

namespace rowshift {
namespace {

constexpr int32_t kTopLevel = 0;
constexpr int32_t kNoSlot = -1;

DepthDifference ToTopLevel(const GroupMember& member) {
  return static_cast<DepthDifference>(kTopLevel) - member.depth;
}

// A member once placed.
struct PlacedMember {
  LocatedObject object;    // what stands for it, and its slot (-1: not known)
  bool placed = true;      // false: it could not be moved and stands at its old place
  Relocation descendants;  // where its group ends
};

// Puts a member behind `anchor` (where it stays when it is the anchor) at the
// top level, with its descendants behind it.
PlacedMember PlaceMember(const Document& document, GroupMember& member, const LocatedObject& anchor,
                         CurrentObject& current) {
  PlacedMember result;
  result.object = {member.object, anchor.index};
  if (member.object != anchor.object) {
    const MovedObject moved = MoveObjectAfter(document, member.object, anchor.object);
    current.Moved(member.object, moved);
    result.object = {moved.object, moved.index};
    result.placed = moved.index >= 0;
  }
  document.SetValue(result.object.object, ObjectValueId::Depth, kTopLevel);
  result.descendants = RelocateSubtree(document, std::move(member.subtree), result.object,
                                       ToTopLevel(member), &current);
  return result;
}

// Where a member goes at the bottom: behind the last eligible object below
// `search_end`, or behind the previous member's group when that ends further
// on, with objects that are not eligible; and behind every object deeper than
// the top level that stands directly behind the last eligible object, as
// those belong to someone who is not moving.
LocatedObject BottomAnchor(const Document& document, const LocatedObject& group_end,
                           int32_t search_end, const MovingObjects& moving) {
  LocatedObject passed;
  const LocatedObject last_eligible = LastEligibleBefore(document, search_end, search_end, &passed);
  if (group_end.index > last_eligible.index) return group_end;
  return KeepHierarchy(document, {last_eligible, kTopLevel}, passed, moving).anchor;
}

}  // namespace

int32_t MoveToTop(void* handle) {
  const Document document(handle);
  if (!document.IsUsable()) return kDone;
  const int32_t count = document.ObjectCount();
  if (count <= 0) return kDone;
  CurrentObject current(document, count);
  // The last object placed at the top; none: the next one goes to index 0.
  LocatedObject anchor;
  for (GroupMember& member : ListSelectedGroup(document, count)) {
    const PlacedMember placed = PlaceMember(document, member, anchor, current);
    const Relocation& descendants = placed.descendants;
    if (!placed.placed) {
      // A failed insertion leaves no anchor: the next object goes to the
      // front. The descendants of an object that could not be placed stay at
      // its old place, in the middle of the list, and must not become it.
      anchor = {};
    } else {
      anchor = descendants.last_slot > 0 ? LocatedObject{descendants.last, descendants.last_slot}
                                         : placed.object;
    }
  }
  current.Restore(document);
  return kDone;
}

int32_t MoveToBottom(void* handle) {
  const Document document(handle);
  if (!document.IsUsable()) return kDone;
  const int32_t count = document.ObjectCount();
  if (count <= 0) return kDone;
  CurrentObject current(document, count);
  std::vector<GroupMember> group = ListSelectedGroup(document, count);
  MovingObjects moving;
  for (const GroupMember& member : group) moving.Add(member.object, member.subtree);

  // Where the previous member's group ends, as its relocation left it.
  LocatedObject group_end;
  // Where the search for the last eligible object starts: behind the previous
  // group, as everything after it stood behind the last eligible object
  // before; the whole list when that slot is not known. Every slot below it
  // exists.
  int32_t search_end = count;
  for (GroupMember& member : group) {
    const LocatedObject anchor = BottomAnchor(document, group_end, search_end, moving);
    moving.Remove(member.object, member.subtree);
    const PlacedMember placed = PlaceMember(document, member, anchor, current);
    group_end = {placed.descendants.last, placed.descendants.last_slot};
    // An object that could not be placed is still at its old place, with
    // whatever of its subtree was re-created behind it there.
    const int32_t last_slot = placed.placed ? placed.descendants.last_slot : kNoSlot;
    search_end = last_slot >= 0 ? last_slot + 1 : document.ObjectCount();
  }
  current.Restore(document);
  return kDone;
}

}  // namespace rowshift
