// Move to top and Move to bottom: every selected object, with its descendants,
// to the top level at the front of the list or behind its last eligible
// object, in list order.
//
// The group is listed first, as the list stands at the start: scanning while
// moving would skip slots pushed out of reach, meet its own copies and move
// them again, and break the group's order.
#include <unordered_map>
#include <utility>
#include <vector>

#include "engine/current_object.h"
#include "engine/landing.h"
#include "engine/operations.h"
#include "engine/rows.h"
#include "engine/selected_group.h"
#include "engine/subtree.h"
#include "engine/subtree_move.h"

namespace rowshift {
namespace {

constexpr int32_t kTopLevel = 0;

// The last object of a member's group: its last descendant, or itself.
Object LastOfGroup(const Mover& member) {
  return member.subtree.empty() ? member.object.object : member.subtree.back().object;
}

// The members of Move to bottom that are yet to move: every object of their
// groups, each with the last object of its group.
class GroupsYetToMove {
 public:
  explicit GroupsYetToMove(const std::vector<Mover>& members) {
    for (const Mover& member : members) {
      const Object last = LastOfGroup(member);
      last_of_group_[member.object.object] = last;
      for (const SubtreeEntry& entry : member.subtree) last_of_group_[entry.object] = last;
      moving_.Add(member.object.object);
      moving_.Add(member.subtree);
    }
  }

  // The member's group stays from here on, should the host refuse to move it.
  void Remove(const Mover& member) {
    last_of_group_.erase(member.object.object);
    moving_.Remove(member.object.object);
    for (const SubtreeEntry& entry : member.subtree) last_of_group_.erase(entry.object);
    moving_.Remove(member.subtree);
  }

  const MovingObjects& Moving() const { return moving_; }

  // The last object of the group that holds `object`, where the group is
  // another member's than `member`; none otherwise.
  Object LastOfOtherGroup(Object object, const Mover& member) const {
    const auto found = last_of_group_.find(object);
    if (found == last_of_group_.end() || found->second == LastOfGroup(member)) return nullptr;
    return found->second;
  }

 private:
  std::unordered_map<Object, Object> last_of_group_;
  MovingObjects moving_;
};

// Where a member goes at the bottom: behind the last eligible object below
// `search_end`, or behind the previous member's group when that ends further
// on, with objects that are not eligible; behind the whole group of a member
// yet to move, where the last eligible object lies in one, so that no group
// is split should the host refuse to move it; and behind every staying object
// deeper than the top level that stands directly behind, as those belong to
// someone who is not moving.
LocatedObject BottomAnchor(const Document& document, const Mover& member,
                           const LocatedObject& group_end, int32_t search_end, int32_t count,
                           const GroupsYetToMove& groups) {
  LocatedObject anchor = LastEligibleBefore(document, search_end, search_end);
  if (group_end.index > anchor.index) return group_end;
  if (const Object last = groups.LastOfOtherGroup(anchor.object, member)) {
    anchor = {last, document.IndexOf(last)};
  }
  return KeepHierarchy(document, {anchor, kTopLevel}, groups.Moving(), count).anchor;
}

}  // namespace

int32_t MoveToTop(void* handle) {
  const Document document(handle);
  if (!document.IsUsable()) return kDone;
  const int32_t count = document.ObjectCount();
  if (count <= 0) return kDone;
  CurrentObject current(document, count);
  SubtreeMoves moves(document, count, &current);
  // The last object placed at the top; none: the next one goes to index 0.
  LocatedObject anchor;
  for (Mover& member : ListSelectedGroup(document, count).members) {
    const MoverPlaced placed = moves.MoveWithSubtree(std::move(member), anchor, kTopLevel);
    if (placed.placed) anchor = placed.last;
  }
  moves.LowerLeftBehind();
  moves.KeepOutline();
  current.Restore(document);
  return kDone;
}

int32_t MoveToBottom(void* handle) {
  const Document document(handle);
  if (!document.IsUsable()) return kDone;
  const int32_t count = document.ObjectCount();
  if (count <= 0) return kDone;
  CurrentObject current(document, count);
  SubtreeMoves moves(document, count, &current);
  SelectedGroup group = ListSelectedGroup(document, count);
  GroupsYetToMove groups(group.members);

  // Where the previous member's group ends, as it was placed.
  LocatedObject group_end;
  // Where the search for the last eligible object starts: behind the previous
  // group, as everything after it stood behind the last eligible object
  // before; the whole list when that slot is not known. Every slot below it
  // exists.
  int32_t search_end = count;
  for (Mover& member : group.members) {
    const LocatedObject anchor =
        BottomAnchor(document, member, group_end, search_end, moves.SlotCount(), groups);
    groups.Remove(member);
    const MoverPlaced placed = moves.MoveWithSubtree(std::move(member), anchor, kTopLevel);
    if (placed.placed) group_end = placed.last;
    // An insertion answer beyond the list names no slot to search from.
    const int32_t count_after = moves.SlotCount();
    const bool known = placed.placed && placed.last.index >= 0 && placed.last.index < count_after;
    search_end = known ? placed.last.index + 1 : count_after;
  }
  moves.LowerLeftBehind();
  moves.KeepOutline();
  current.Restore(document);
  return kDone;
}

}  // namespace rowshift
