#include "engine/rows.h"

#include <unordered_set>

namespace rowshift {
namespace {

int32_t Step(RowDirection direction) { return direction == RowDirection::Forward ? 1 : -1; }

// The walk goes on to the top level past a collapsed ancestor: a row is an
// object none of whose ancestors is collapsed, so every one of them is asked.
bool HasCollapsedAncestor(const Document& document, Object object) {
  bool collapsed = false;
  for (Object ancestor = document.Parent(object); ancestor != nullptr;
       ancestor = document.Parent(ancestor)) {
    if (document.Flag(ancestor, ObjectValueId::Collapsed)) collapsed = true;
  }
  return collapsed;
}

// The index to go on from after `object`, met at `index`. Asked of the host,
// but never one that would not move the search on.
int32_t IndexAfter(const Document& document, Object object, int32_t index, int32_t step) {
  const int32_t next = document.IndexOf(object) + step;
  const bool moves_on = step > 0 ? next > index : next < index;
  return moves_on ? next : index + step;
}

Object SearchRow(const Document& document, Object from, RowDirection direction,
                 const Subtree* passed_over) {
  const int32_t step = Step(direction);
  int32_t index = 0;
  if (from != nullptr) {
    index = document.IndexOf(from) + step;
  } else if (direction == RowDirection::Backward) {
    index = document.ObjectCount() - 1;
  }
  std::unordered_set<Object> skipped;
  if (passed_over != nullptr) {
    for (const SubtreeEntry& entry : *passed_over) skipped.insert(entry.object);
  }
  while (index >= 0 && index < document.ObjectCount()) {
    const Object object = document.ObjectAt(index);
    if (object == nullptr) {
      index += step;
    } else if (skipped.count(object) != 0) {
      index = IndexAfter(document, passed_over->back().object, index, step);
    } else if (!document.Flag(object, ObjectValueId::Eligible)) {
      index += step;
    } else if (HasCollapsedAncestor(document, object)) {
      index = IndexAfter(document, object, index, step);
    } else {
      return object;
    }
  }
  return nullptr;
}

}  // namespace

Object FindRow(const Document& document, Object from, RowDirection direction) {
  return SearchRow(document, from, direction, nullptr);
}

Object FindRowPassingOver(const Document& document, Object from, const Subtree& passed_over) {
  return SearchRow(document, from, RowDirection::Forward, &passed_over);
}

LocatedObject FindLastEligibleBefore(const Document& document, int32_t index) {
  for (int32_t i = index - 1; i >= 0 && i < document.ObjectCount(); --i) {
    const Object object = document.ObjectAt(i);
    if (object != nullptr && document.Flag(object, ObjectValueId::Eligible)) return {object, i};
  }
  return {};
}

Object LastEligibleBefore(const Document& document, int32_t index) {
  return FindLastEligibleBefore(document, index).object;
}

}  // namespace rowshift
