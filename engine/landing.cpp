#include "engine/landing.h"

#include <optional>

namespace rowshift {
namespace {

// An object that stays where it is, with its depth as read.
struct Staying {
  LocatedObject located;
  int32_t depth = 0;
};

// The object in slot `index` unless it is empty or moving.
Object StayingAt(const Document& document, int32_t index, const MovingObjects& moving) {
  const Object object = document.ObjectAt(index);
  return object == nullptr || moving.Contains(object) ? nullptr : object;
}

// The last of the staying objects that stand directly behind slot `from` - 1
// and are deeper than `depth`; none when the first one met is not. `known` is
// the object in slot `from` when the caller has read it already.
std::optional<Staying> LastDeeperBehind(const Document& document, int32_t from, Object known,
                                        int32_t depth, const MovingObjects& moving) {
  std::optional<Staying> last;
  const int32_t count = document.ObjectCount();
  for (int32_t index = from; index < count; ++index) {
    const Object object = index == from && known != nullptr ? known : document.ObjectAt(index);
    if (object == nullptr || moving.Contains(object)) continue;
    const int32_t object_depth = document.Value(object, ObjectValueId::Depth);
    if (object_depth <= depth) break;
    last = Staying{{object, index}, object_depth};
  }
  return last;
}

// The nearest staying object at or before slot `index`.
std::optional<Staying> InFront(const Document& document, int32_t index,
                               const MovingObjects& moving) {
  for (; index >= 0; --index) {
    if (const Object object = StayingAt(document, index, moving)) {
      return Staying{{object, index}, document.Value(object, ObjectValueId::Depth)};
    }
  }
  return std::nullopt;
}

// The outermost collapsed object among the ancestors that an object at
// `depth` has behind slot `index`: the staying objects in front of it, each
// shallower than the one found before it.
std::optional<Staying> OutermostCollapsedAbove(const Document& document, int32_t index,
                                               int32_t depth, const MovingObjects& moving) {
  std::optional<Staying> outermost;
  for (; index >= 0 && depth > 0; --index) {
    const Object object = StayingAt(document, index, moving);
    if (object == nullptr) continue;
    const int32_t object_depth = document.Value(object, ObjectValueId::Depth);
    if (object_depth >= depth) continue;
    depth = object_depth;
    if (document.Flag(object, ObjectValueId::Collapsed)) {
      outermost = Staying{{object, index}, depth};
    }
  }
  return outermost;
}

bool WasRow(const Document& document, const KeptInSight& moved, const MovingObjects& moving) {
  return document.Flag(moved.object.object, ObjectValueId::Eligible) &&
         !OutermostCollapsedAbove(document, moved.object.index - 1, moved.depth, moving);
}

}  // namespace

void MovingObjects::Add(Object object, const Subtree& subtree) {
  objects_.insert(object);
  for (const SubtreeEntry& entry : subtree) objects_.insert(entry.object);
}

void MovingObjects::Remove(Object object, const Subtree& subtree) {
  objects_.erase(object);
  for (const SubtreeEntry& entry : subtree) objects_.erase(entry.object);
}

Landing KeepHierarchy(const Document& document, const Landing& proposed,
                      const LocatedObject& behind, const MovingObjects& moving,
                      const KeptInSight* in_sight) {
  if (behind.object == nullptr) return proposed;
  Landing landing = proposed;
  const std::optional<Staying> passed =
      LastDeeperBehind(document, behind.index, behind.object, landing.depth, moving);
  if (passed) landing.anchor = passed->located;

  if (landing.depth > 0) {
    const std::optional<Staying> front =
        passed ? passed : InFront(document, landing.anchor.index, moving);
    const int32_t deepest = front ? ShiftDepth(front->depth, 1) : 0;
    if (landing.depth > deepest) landing.depth = deepest;
  }

  if (in_sight == nullptr) return landing;
  const std::optional<Staying> hiding =
      OutermostCollapsedAbove(document, landing.anchor.index, landing.depth, moving);
  if (!hiding || !WasRow(document, *in_sight, moving)) return landing;
  landing.depth = hiding->depth;
  // The rest of the block hidden under it belongs to it.
  if (const std::optional<Staying> block_end =
          LastDeeperBehind(document, landing.anchor.index + 1, nullptr, landing.depth, moving)) {
    landing.anchor = block_end->located;
  }
  return landing;
}

}  // namespace rowshift
