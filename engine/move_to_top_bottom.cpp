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

DepthDifference ToTopLevel(const GroupMember& member) {
  return static_cast<DepthDifference>(kTopLevel) - member.depth;
}

// The object that was current when the operation began, followed through its
// moves, so that it is current again at the end: top inserts in front of it,
// and bottom may move it away from the slot the index names. An index that
// names no object is left as it is.
class CurrentObject {
 public:
  CurrentObject(const Document& document, int32_t count) : index_(document.CurrentIndex()) {
    if (index_ >= 0 && index_ < count) object_ = document.ObjectAt(index_);
  }

  // Where the object stands once `moved` stands for `original`.
  void Moved(Object original, Object moved) {
    if (object_ == original) object_ = moved;
  }
  Object* Followed() { return &object_; }

  // Sets the index once, and only when the object's slot changed.
  void Restore(const Document& document) const {
    if (object_ == nullptr) return;
    const int32_t index = document.IndexOf(object_);
    if (index >= 0 && index != index_) document.SetCurrentIndex(index);
  }

 private:
  int32_t index_;
  Object object_ = nullptr;
};

}  // namespace

int32_t MoveToTop(void* handle) {
  const Document document(handle);
  if (!document.IsUsable()) return kAlwaysDone;
  const int32_t count = document.ObjectCount();
  if (count <= 0) return kAlwaysDone;
  CurrentObject current(document, count);
  // The last object placed at the top; none: the next one goes to index 0.
  Object anchor = nullptr;
  for (GroupMember& member : ListSelectedGroup(document, count)) {
    Object object = member.object;
    bool placed = true;
    if (object != anchor) {
      const MovedObject moved = MoveObjectAfter(document, object, anchor);
      current.Moved(object, moved.object);
      object = moved.object;
      placed = moved.index >= 0;
      // A failed insertion leaves no anchor: the next object goes to the front.
      anchor = placed ? object : nullptr;
    }
    document.SetValue(object, ObjectValueId::Depth, kTopLevel);
    Object last_descendant = nullptr;
    const int32_t last_placed =
        RelocateSubtree(document, std::move(member.subtree), object, ToTopLevel(member),
                        &last_descendant, current.Followed());
    // An object that could not be placed keeps its descendants at its old
    // place, in the middle of the list; they must not become the anchor.
    if (placed && last_placed > 0) anchor = last_descendant;
  }
  current.Restore(document);
  return kAlwaysDone;
}

int32_t MoveToBottom(void* handle) {
  const Document document(handle);
  if (!document.IsUsable()) return kAlwaysDone;
  const int32_t count = document.ObjectCount();
  if (count <= 0) return kAlwaysDone;
  // The slot of the last descendant placed with the previous member, if any,
  // and what stands there.
  int32_t group_end = kNoSlot;
  Object group_end_object = nullptr;
  // Where the search for the last eligible object starts: behind the last
  // object placed, as everything after it stood behind the last eligible
  // object before; the whole list when that slot is not known. Every slot
  // below it exists.
  int32_t search_end = count;
  CurrentObject current(document, count);
  for (GroupMember& member : ListSelectedGroup(document, count)) {
    Object object = member.object;
    const LocatedObject last_eligible = LastEligibleBefore(document, search_end, search_end);
    // Behind the previous member's ineligible last descendants, not in front
    // of them: they belong to that member and must stay with it.
    const bool behind_group = group_end > last_eligible.index;
    const Object anchor = behind_group ? group_end_object : last_eligible.object;
    int32_t placed_at = behind_group ? group_end : last_eligible.index;
    if (object != anchor) {
      const MovedObject moved = MoveObjectAfter(document, object, anchor);
      current.Moved(object, moved.object);
      object = moved.object;
      placed_at = moved.index;
    }
    document.SetValue(object, ObjectValueId::Depth, kTopLevel);
    group_end = RelocateSubtree(document, std::move(member.subtree), object, ToTopLevel(member),
                                &group_end_object, current.Followed());
    // An object that could not be placed is still at its old place, with
    // whatever of its subtree was re-created behind it there.
    int32_t last_slot = kNoSlot;
    if (placed_at >= 0)
      last_slot = group_end > 0 ? group_end : group_end == 0 ? placed_at : kNoSlot;
    search_end = last_slot >= 0 ? last_slot + 1 : document.ObjectCount();
  }
  current.Restore(document);
  return kAlwaysDone;
}

}  // namespace rowshift
