#include "engine/subtree.h"

#include <limits>

#include "engine/move_step.h"

namespace rowshift {
namespace {

constexpr int32_t kEntryStayed = -1;

}  // namespace

int32_t ShiftDepth(int32_t depth, DepthDifference difference) {
  const int64_t shifted = static_cast<int64_t>(depth) + difference;
  if (shifted > std::numeric_limits<int32_t>::max()) return std::numeric_limits<int32_t>::max();
  if (shifted < std::numeric_limits<int32_t>::min()) return std::numeric_limits<int32_t>::min();
  return static_cast<int32_t>(shifted);
}

Subtree CollectSubtree(const Document& document, int32_t start, int32_t depth, int32_t count,
                       SubtreeEnd* end) {
  Subtree subtree;
  int32_t index = start < 0 ? count : start + 1;
  SubtreeEnd found{count};
  for (; index < count; ++index) {
    const Object descendant = document.ObjectAt(index);
    if (descendant == nullptr) continue;
    const int32_t descendant_depth = document.Value(descendant, ObjectValueId::Depth);
    if (descendant_depth <= depth) {
      found = {index, descendant, descendant_depth};
      break;
    }
    subtree.push_back({descendant, descendant_depth});
  }
  if (end != nullptr) *end = found;
  return subtree;
}

bool Contains(const Subtree& subtree, Object object) {
  for (const SubtreeEntry& entry : subtree) {
    if (entry.object == object) return true;
  }
  return false;
}

Relocation RelocateSubtree(const Document& document, Subtree subtree, LocatedObject anchor,
                           DepthDifference difference, CurrentObject* current) {
  Relocation result{anchor.object, anchor.index};
  for (SubtreeEntry& entry : subtree) {
    if (entry.object != result.last) {
      const MovedObject moved = MoveObjectAfter(document, entry.object, result.last);
      if (current != nullptr) current->Moved(entry.object, moved);
      // Moving the rest behind an object left at the old place would put
      // them in front of their ancestor when it moved down: they stay too.
      if (moved.index < 0) break;
      entry.object = moved.object;
      result.last_slot = moved.index;
    } else {
      result.last_slot = kEntryStayed;
    }
    document.SetValue(entry.object, ObjectValueId::Depth, ShiftDepth(entry.depth, difference));
    result.last = entry.object;
  }
  return result;
}

}  // namespace rowshift
