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

// The object that the moved one is to land behind (none: index 0), found
// from the target row; with no target row, the last eligible object.
Object AnchorBefore(const Document& document, Object target_row) {
  if (target_row == nullptr) return LastEligibleBefore(document, document.ObjectCount());
  return LastEligibleBefore(document, document.IndexOf(target_row));
}

Object UpwardAnchor(const Document& document, Object object, const Subtree&) {
  return AnchorBefore(document, FindRow(document, object, RowDirection::Backward));
}

Object DownwardAnchor(const Document& document, Object object, const Subtree& subtree) {
  const Object last_of_subtree = subtree.empty() ? object : subtree.back().object;
  const Object next_row = FindRow(document, last_of_subtree, RowDirection::Forward);
  return AnchorBefore(document, FindRow(document, next_row, RowDirection::Forward));
}

using AnchorFinder = Object (*)(const Document&, Object, const Subtree&);

int32_t MoveByOneRow(void* handle, AnchorFinder find_anchor) {
  const Document document(handle);
  if (!document.IsUsable()) return kNoCurrentObject;
  const int32_t current = document.CurrentIndex();
  if (current < 0) return kNoCurrentObject;
  Object object = document.ObjectAt(current);
  // An index naming an empty slot names no object.
  if (object == nullptr) return kNoCurrentObject;
  const int32_t old_depth = document.Value(object, ObjectValueId::Depth);
  Subtree subtree = CollectSubtree(document, object);

  const Object anchor = find_anchor(document, object, subtree);
  if (object != anchor) {
    const MovedObject moved = MoveObjectAfter(document, object, anchor);
    if (moved.index >= 0) document.SetCurrentIndex(moved.index);
    object = moved.object;
  }

  // The row now following the object gives its depth. Its own collapsed flag
  // must not hide that row, and its own descendants, still at the old place,
  // must not be taken for it.
  const bool collapsed = document.Flag(object, ObjectValueId::Collapsed);
  document.SetValue(object, ObjectValueId::Collapsed, kFlagClear);
  const Object following = FindRowPassingOver(document, object, subtree);
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
