#include "engine/rows.h"

#include <cstddef>
#include <utility>
#include <vector>

#include "engine/host_contract.h"
#include "engine/subtree.h"

namespace rowshift {

Object HiddenTest::OutermostCollapsedAbove(Object object) {
  if (const auto found = ancestry_.find(object); found != ancestry_.end())
    return found->second.above;
  std::vector<std::pair<Object, bool>> walked;  // nearest first, with its Collapsed flag
  Object outermost = nullptr;
  for (Object ancestor = document_.Parent(object);
       ancestor != nullptr && !OutsideContract(walked.size() >= static_cast<std::size_t>(count_));
       ancestor = document_.Parent(ancestor)) {
    if (const auto found = ancestry_.find(ancestor); found != ancestry_.end()) {
      outermost = found->second.at_or_above;
      break;
    }
    walked.emplace_back(ancestor, document_.Flag(ancestor, ObjectValueId::Collapsed));
  }
  // From the top down, the first collapsed one is the outermost.
  for (auto it = walked.rbegin(); it != walked.rend(); ++it) {
    Ancestry& ancestry = ancestry_[it->first];
    ancestry.above = outermost;
    if (outermost == nullptr && it->second) outermost = it->first;
    ancestry.at_or_above = outermost;
  }
  return outermost;
}

Object HiddenTest::OutermostCollapsedAtOrAbove(Object object) {
  if (const auto found = ancestry_.find(object); found != ancestry_.end()) {
    return found->second.at_or_above;
  }
  const Object above = OutermostCollapsedAbove(object);
  if (above != nullptr) return above;
  return document_.Flag(object, ObjectValueId::Collapsed) ? object : nullptr;
}

bool IsRow(const Document& document, Object object, HiddenTest& hidden, Object* hidden_under) {
  if (object == nullptr || !document.Flag(object, ObjectValueId::Eligible)) return false;
  const Object outermost = hidden.OutermostCollapsedAbove(object);
  if (hidden_under != nullptr) *hidden_under = outermost;
  return outermost == nullptr;
}

namespace {

int32_t IndexStep(RowDirection direction) { return direction == RowDirection::Forward ? 1 : -1; }

// `next` if it lies before `index`, else the slot before it: an index the
// host answers never turns the backward search back or holds it in place.
int32_t StepBackTo(int32_t next, int32_t index) {
  return OutsideContract(next >= index) ? index - 1 : next;
}

}  // namespace

LocatedObject FindRow(const Document& document, int32_t start, RowDirection direction,
                      int32_t count) {
  const int32_t step = IndexStep(direction);
  HiddenTest hidden(document, count);
  // The object in slot `index` when walking a hidden block has read it.
  Object read_ahead = nullptr;
  for (int32_t index = start; NamesSlot(index, count);) {
    const Object object = read_ahead != nullptr ? read_ahead : document.ObjectAt(index);
    read_ahead = nullptr;
    Object hidden_under = nullptr;
    if (IsRow(document, object, hidden, &hidden_under)) return {object, index};
    if (hidden_under == nullptr) {
      index += step;
    } else if (step > 0) {
      // Everything up to the end of the outermost collapsed ancestor's
      // subtree is hidden too.
      const DeeperRun block = WalkDeeperRun(
          document, index + 1, document.Value(hidden_under, ObjectValueId::Depth), count);
      index = block.behind.located.index;
      read_ahead = block.behind.located.object;
    } else {
      index = StepBackTo(document.IndexOf(hidden_under), index);
    }
  }
  return {};
}

LocatedObject LastEligibleBefore(const Document& document, int32_t index, int32_t count) {
  for (int32_t i = index - 1; NamesSlot(i, count); --i) {
    const Object object = document.ObjectAt(i);
    if (object != nullptr && document.Flag(object, ObjectValueId::Eligible)) return {object, i};
  }
  return {};
}

}  // namespace rowshift
