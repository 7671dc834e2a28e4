// Move to top and Move to bottom: every selected object, with its descendants,
// to the top level at the front of the list or behind its last eligible
// object, in list order.
//
// The group is listed first, as the list stands at the start: scanning while
// moving would skip slots pushed out of reach, meet its own copies and move
// them again, and break the group's order.

#include "engine/current_object.h"
#include "engine/landing.h"
#include "engine/operations.h"
#include "engine/rows.h"
#include "engine/selected_group.h"
#include "engine/subtree.h"
#include "engine/subtree_move.h"

namespace rowshift {
namespace {

// Where a member goes at the bottom: behind the last eligible object below
// `search_end`, and behind every object deeper than the top level that stands
// directly behind it, as those belong to someone in front (the rest of a
// group, or of a member yet to move, included, so that no group is split
// should the host refuse to move it).
LocatedObject BottomAnchor(const Document& document, const Mover& member, int32_t search_end,
                           int32_t count) {
  MovingObjects moving;
  moving.Add(member);
  const LocatedObject last_eligible = LastEligibleBefore(document, search_end, search_end);
  return LandingThatKeepsHierarchy(document, {last_eligible, kTopLevel}, moving, count).anchor;
}

enum class End { Top, Bottom };

void MoveSelectedToTopLevel(void* handle, End end) {
  const auto open = Open(handle);
  if (!open || open->count <= 0) return;
  const Document& document = open->document;
  CurrentObject current(document, open->count);
  SubtreeMoves moves(document, open->count, &current);
  // The last object of the group placed last; none: the first goes to index 0.
  LocatedObject group_end;
  // Where the search for the last eligible object starts: behind the group
  // placed last, as everything after it stood behind the last eligible object
  // before; the whole list where that slot is not known (an insertion answer
  // beyond the list names none).
  int32_t search_end = open->count;
  for (const Mover& member : ListSelectedGroup(document, open->count).members) {
    const LocatedObject anchor =
        end == End::Top ? group_end : BottomAnchor(document, member, search_end, moves.SlotCount());
    const MoverPlaced placed = moves.MoveWithSubtree(member, anchor, kTopLevel);
    if (placed.placed) group_end = placed.last;
    const bool known = NamesSlot(placed.last.index, moves.SlotCount());  // -1: not placed
    search_end = known ? placed.last.index + 1 : moves.SlotCount();
  }
  moves.Finish();
}

}  // namespace

// Both answer 1, whatever they did.
int32_t MoveToTop(void* handle) {
  MoveSelectedToTopLevel(handle, End::Top);
  return kDone;
}

int32_t MoveToBottom(void* handle) {
  MoveSelectedToTopLevel(handle, End::Bottom);
  return kDone;
}

}  // namespace rowshift
