// Move up and Move down: the current object, with its descendants, one row on.
#include <utility>

#include "engine/move_step.h"
#include "engine/operations.h"
#include "engine/rows.h"
#include "engine/subtree.h"

namespace rowshift {
namespace {

constexpr int32_t kNoCurrentObject = -1;
constexpr int32_t kMoved = 1;
constexpr int32_t kFlagSet = 1;
constexpr int32_t kFlagClear = 0;

// What the searches for the place start from, all read before anything moves.
struct MoveStart {
  int32_t index;        // the current object's slot
  int32_t subtree_end;  // the first slot behind its subtree (empty slots aside)
  int32_t count;
};

// The object that the moved one is to land behind (none: index 0), found
// from the target row; with no target row, the last eligible object.
Object AnchorBefore(const Document& document, const LocatedObject& target_row, int32_t count) {
  return LastEligibleBefore(document, target_row.object == nullptr ? count : target_row.index)
      .object;
}

Object UpwardAnchor(const Document& document, const MoveStart& start) {
  const LocatedObject target =
      FindRow(document, start.index - 1, RowDirection::Backward, start.count);
  return AnchorBefore(document, target, start.count);
}

Object DownwardAnchor(const Document& document, const MoveStart& start) {
  const LocatedObject next_row =
      FindRow(document, start.subtree_end, RowDirection::Forward, start.count);
  // With no row behind the subtree the target is the first row of the list.
  const int32_t from = next_row.object == nullptr ? 0 : next_row.index + 1;
  const LocatedObject target = FindRow(document, from, RowDirection::Forward, start.count);
  return AnchorBefore(document, target, start.count);
}

using AnchorFinder = Object (*)(const Document&, const MoveStart&);

int32_t MoveByOneRow(void* handle, AnchorFinder find_anchor) {
  const Document document(handle);
  if (!document.IsUsable()) return kNoCurrentObject;
  const int32_t current = document.CurrentIndex();
  if (current < 0) return kNoCurrentObject;
  Object object = document.ObjectAt(current);
  // An index naming an empty slot names no object.
  if (object == nullptr) return kNoCurrentObject;
  const int32_t old_depth = document.Value(object, ObjectValueId::Depth);
  MoveStart start{current, current + 1, document.ObjectCount()};
  SubtreeEnd end;
  Subtree subtree = CollectSubtree(document, current, old_depth, start.count, &end);
  start.subtree_end = end.index;

  const Object anchor = find_anchor(document, start);
  int32_t index = current;
  if (object != anchor) {
    const MovedObject moved = MoveObjectAfter(document, object, anchor);
    if (moved.index >= 0) {
      document.SetCurrentIndex(moved.index);
      index = moved.index;
    }
    object = moved.object;
  }

  // The row now following the object gives its depth. Its own collapsed flag
  // must not hide that row, and its own descendants, still at the old place,
  // must not be taken for it.
  const bool collapsed = document.Flag(object, ObjectValueId::Collapsed);
  document.SetValue(object, ObjectValueId::Collapsed, kFlagClear);
  const Object following =
      FindRow(document, index + 1, RowDirection::Forward, document.ObjectCount(), &subtree).object;
  document.SetValue(object, ObjectValueId::Collapsed, collapsed ? kFlagSet : kFlagClear);

  const int32_t new_depth =
      following == nullptr ? 0 : document.Value(following, ObjectValueId::Depth);
  document.SetValue(object, ObjectValueId::Depth, new_depth);
  RelocateSubtree(document, std::move(subtree), object,
                  static_cast<DepthDifference>(new_depth) - old_depth);
  return kMoved;
}

}  // namespace

int32_t MoveUp(void* document) { return MoveByOneRow(document, UpwardAnchor); }

int32_t MoveDown(void* document) { return MoveByOneRow(document, DownwardAnchor); }

}  // namespace rowshift
