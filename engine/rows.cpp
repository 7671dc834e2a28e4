#include "engine/rows.h"

#include <cstddef>
#include <utility>
#include <vector>

#include "engine/subtree.h"

namespace rowshift {

Object HiddenTest::OutermostCollapsedAbove(Object object) {
  if (const auto found = known_.find(object); found != known_.end()) return found->second.above;
  std::vector<std::pair<Object, bool>> walked;  // nearest first, with its Collapsed flag
  Object outermost = nullptr;
  for (Object ancestor = document_.Parent(object);
       ancestor != nullptr && walked.size() < static_cast<std::size_t>(count_);
       ancestor = document_.Parent(ancestor)) {
    if (const auto found = known_.find(ancestor); found != known_.end()) {
      outermost = found->second.at_or_above;
      break;
    }
    walked.emplace_back(ancestor, document_.Flag(ancestor, ObjectValueId::Collapsed));
  }
  // From the top down, the first collapsed one is the outermost.
  for (auto it = walked.rbegin(); it != walked.rend(); ++it) {
    Known& ancestry = known_[it->first];
    ancestry.above = outermost;
    if (outermost == nullptr && it->second) outermost = it->first;
    ancestry.at_or_above = outermost;
  }
  return outermost;
}

Object HiddenTest::OutermostCollapsedAtOrAbove(Object object) {
  if (const auto found = known_.find(object); found != known_.end()) {
    return found->second.at_or_above;
  }
  const Object above = OutermostCollapsedAbove(object);
  if (above != nullptr) return above;
  return document_.Flag(object, ObjectValueId::Collapsed) ? object : nullptr;
}

namespace {

int32_t Step(RowDirection direction) { return direction == RowDirection::Forward ? 1 : -1; }

// `next` if it lies before `index`, else the slot before it: an index the
// host answers never turns the backward search back or holds it in place.
int32_t StepBackTo(int32_t next, int32_t index) { return next < index ? next : index - 1; }

}  // namespace

LocatedObject FindRow(const Document& document, int32_t start, RowDirection direction,
                      int32_t count) {
  const int32_t step = Step(direction);
  HiddenTest hidden(document, count);
  // The object in slot `index` when a jump has read it already.
  Object met = nullptr;
  for (int32_t index = start; index >= 0 && index < count;) {
    const Object object = met != nullptr ? met : document.ObjectAt(index);
    met = nullptr;
    if (object == nullptr || !document.Flag(object, ObjectValueId::Eligible)) {
      index += step;
    } else if (const Object outermost = hidden.OutermostCollapsedAbove(object)) {
      // Everything between the object and its outermost collapsed ancestor,
      // and up to the end of that ancestor's subtree, is hidden too.
      if (step > 0) {
        const RunEnd end = WalkDeeperRun(document, index + 1,
                                         document.Value(outermost, ObjectValueId::Depth), count);
        index = end.index;
        met = end.object;
      } else {
        index = StepBackTo(document.IndexOf(outermost), index);
      }
    } else {
      return {object, index};
    }
  }
  return {};
}

LocatedObject LastEligibleBefore(const Document& document, int32_t index) {
  if (index <= 0) return {};
  return LastEligibleBefore(document, index, document.ObjectCount());
}

LocatedObject LastEligibleBefore(const Document& document, int32_t index, int32_t count) {
  for (int32_t i = index - 1; i >= 0 && i < count; --i) {
    const Object object = document.ObjectAt(i);
    if (object != nullptr && document.Flag(object, ObjectValueId::Eligible)) return {object, i};
  }
  return {};
}

}  // namespace rowshift
