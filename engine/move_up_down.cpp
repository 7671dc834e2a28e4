// Move up and Move down: the current object, with its descendants, one row on.
#include <optional>
#include <utility>

#include "engine/landing.h"
#include "engine/move_step.h"
#include "engine/operations.h"
#include "engine/rows.h"
#include "engine/subtree.h"

namespace rowshift {
namespace {

constexpr int32_t kFlagSet = 1;
constexpr int32_t kFlagClear = 0;

// What the searches for the place start from, all read before anything moves.
struct MoveStart {
  int32_t index;        // the current object's slot
  int32_t subtree_end;  // the first slot behind its subtree (empty slots aside)
  int32_t count;
};

// Where the object is to land: in front of the target row, directly behind
// the last eligible object before it (none: index 0).
struct Place {
  LocatedObject target;  // none: the end of the list
  LocatedObject anchor;
  LocatedObject passed;  // the first object between the two; none when none is
};

Place PlaceBefore(const Document& document, const LocatedObject& target, int32_t count) {
  Place place;
  place.target = target;
  place.anchor =
      LastEligibleBefore(document, target.object == nullptr ? count : target.index, &place.passed);
  return place;
}

Place UpwardPlace(const Document& document, const MoveStart& start) {
  return PlaceBefore(document,
                     FindRow(document, start.index - 1, RowDirection::Backward, start.count),
                     start.count);
}

Place DownwardPlace(const Document& document, const MoveStart& start) {
  const LocatedObject next_row =
      FindRow(document, start.subtree_end, RowDirection::Forward, start.count);
  // With no row behind the subtree the target is the first row of the list.
  const int32_t from = next_row.object == nullptr ? 0 : next_row.index + 1;
  return PlaceBefore(document, FindRow(document, from, RowDirection::Forward, start.count),
                     start.count);
}

using PlaceFinder = Place (*)(const Document&, const MoveStart&);

// The first object behind slot `index`; none when there is none.
LocatedObject FirstObjectBehind(const Document& document, int32_t index, int32_t count) {
  for (++index; index < count; ++index) {
    if (const Object object = document.ObjectAt(index)) return {object, index};
  }
  return {};
}

// The landing kept to the hierarchy. The target row gives the depth, unless it
// is moving itself (down wrapping onto the object's own place): then no row
// follows the landing, the depth is 0, and everything behind the anchor counts.
// Nothing is read where nothing stands between the anchor and the target row:
// then the row that follows the object once it has moved gives its depth.
Landing KeptLanding(const Document& document, const Place& place, const KeptInSight& moved,
                    const Subtree& subtree, int32_t count) {
  MovingObjects moving;
  moving.Add(moved.object.object, subtree);
  Landing landing{place.anchor, 0};
  LocatedObject passed = place.passed;
  if (place.target.object != nullptr && moving.Contains(place.target.object)) {
    if (passed.object == nullptr) passed = FirstObjectBehind(document, place.anchor.index, count);
  } else if (passed.object != nullptr && place.target.object != nullptr) {
    landing.depth = document.Value(place.target.object, ObjectValueId::Depth);
  }
  return passed.object == nullptr ? landing
                                  : KeepHierarchy(document, landing, passed, moving, &moved);
}

// Whether objects that are not rows stand between the anchor and the target
// row, or the target row moves itself: then the landing is kept to the
// hierarchy before anything moves.
bool NeedsKeeping(const Place& place, Object object, const Subtree& subtree) {
  const Object target = place.target.object;
  return place.passed.object != nullptr ||
         (target != nullptr && (target == object || Contains(subtree, target)));
}

// Moves the current object behind `anchor` (where it stays when it is the
// anchor) and makes its copy current; answers what stands for it and where.
LocatedObject MoveCurrentObject(const Document& document, const LocatedObject& current,
                                Object anchor) {
  if (current.object == anchor) return current;
  const MovedObject moved = MoveObjectAfter(document, current.object, anchor);
  if (moved.index < 0) return {moved.object, current.index};
  document.SetCurrentIndex(moved.index);
  return {moved.object, moved.index};
}

// Writes the object's Collapsed value back as 1 or 0, clearing it for a moment
// first. In that moment, with `find_depth`, the row now following the object
// gives its depth (0 when none does): its own collapsed flag must not hide
// that row, and its own descendants, still at the old place, must not be
// taken for it.
std::optional<int32_t> NormalizeCollapsed(const Document& document, const LocatedObject& object,
                                          const Subtree& subtree, bool find_depth) {
  const bool collapsed = document.Flag(object.object, ObjectValueId::Collapsed);
  document.SetValue(object.object, ObjectValueId::Collapsed, kFlagClear);
  Object following = nullptr;
  if (find_depth) {
    following =
        FindRow(document, object.index + 1, RowDirection::Forward, document.ObjectCount(), &subtree)
            .object;
  }
  document.SetValue(object.object, ObjectValueId::Collapsed, collapsed ? kFlagSet : kFlagClear);
  if (!find_depth) return std::nullopt;
  return following == nullptr ? 0 : document.Value(following, ObjectValueId::Depth);
}

int32_t MoveByOneRow(void* handle, PlaceFinder find_place) {
  const Document document(handle);
  if (!document.IsUsable()) return kNothingToActOn;
  const int32_t current = document.CurrentIndex();
  if (current < 0) return kNothingToActOn;
  const Object object = document.ObjectAt(current);
  // An index naming an empty slot names no object.
  if (object == nullptr) return kNothingToActOn;
  const int32_t old_depth = document.Value(object, ObjectValueId::Depth);
  MoveStart start{current, current + 1, document.ObjectCount()};
  SubtreeEnd end;
  Subtree subtree = CollectSubtree(document, current, old_depth, start.count, &end);
  start.subtree_end = end.index;

  const Place place = find_place(document, start);
  const bool kept = NeedsKeeping(place, object, subtree);
  Landing landing{place.anchor, 0};
  if (kept) {
    landing = KeptLanding(document, place, {{object, current}, old_depth}, subtree, start.count);
  }
  const LocatedObject moved = MoveCurrentObject(document, {object, current}, landing.anchor.object);
  if (const std::optional<int32_t> depth = NormalizeCollapsed(document, moved, subtree, !kept)) {
    landing.depth = *depth;
  }
  document.SetValue(moved.object, ObjectValueId::Depth, landing.depth);
  RelocateSubtree(document, std::move(subtree), moved,
                  static_cast<DepthDifference>(landing.depth) - old_depth);
  return kDone;
}

}  // namespace

int32_t MoveUp(void* document) { return MoveByOneRow(document, UpwardPlace); }

int32_t MoveDown(void* document) { return MoveByOneRow(document, DownwardPlace); }

}  // namespace rowshift
