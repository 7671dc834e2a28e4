#include "engine/rows.h"

#include <cstddef>
#include <unordered_map>
#include <unordered_set>
#include <utility>
#include <vector>

namespace rowshift {
namespace {

int32_t Step(RowDirection direction) { return direction == RowDirection::Forward ? 1 : -1; }

// For each ancestor that one search has walked: the outermost collapsed
// object among its own ancestors, and among it and its ancestors (none when
// there is none). The document does not change during a search, so no
// object's ancestors need asking twice.
struct KnownAncestry {
  Object above = nullptr;
  Object at_or_above = nullptr;
};
using KnownAncestries = std::unordered_map<Object, KnownAncestry>;

// The outermost collapsed ancestor of `object`, or none when it is a row. The
// walk goes on to the top level, where an outer ancestor may be collapsed
// too, or to the first ancestor that an earlier walk of the search met. No
// chain of ancestors is longer than the list, so a host that answers a cycle
// of parents ends the walk there instead of holding the search forever.
Object OutermostCollapsedAncestor(const Document& document, Object object, int32_t count,
                                  KnownAncestries& known) {
  if (const auto found = known.find(object); found != known.end()) return found->second.above;
  std::vector<std::pair<Object, bool>> walked;  // nearest first, with its Collapsed flag
  Object outermost = nullptr;
  for (Object ancestor = document.Parent(object);
       ancestor != nullptr && walked.size() < static_cast<std::size_t>(count);
       ancestor = document.Parent(ancestor)) {
    if (const auto found = known.find(ancestor); found != known.end()) {
      outermost = found->second.at_or_above;
      break;
    }
    walked.emplace_back(ancestor, document.Flag(ancestor, ObjectValueId::Collapsed));
  }
  // From the top down, the first collapsed one is the outermost.
  for (auto it = walked.rbegin(); it != walked.rend(); ++it) {
    KnownAncestry& ancestry = known[it->first];
    ancestry.above = outermost;
    if (outermost == nullptr && it->second) outermost = it->first;
    ancestry.at_or_above = outermost;
  }
  return outermost;
}

// The first object after slot `index` that lies outside the subtree of
// `ancestor` (which `index` is inside); none at index `count` when the
// subtree runs to the end.
LocatedObject EndOfSubtree(const Document& document, Object ancestor, int32_t index,
                           int32_t count) {
  const int32_t depth = document.Value(ancestor, ObjectValueId::Depth);
  for (++index; index < count; ++index) {
    const Object object = document.ObjectAt(index);
    if (object != nullptr && document.Value(object, ObjectValueId::Depth) <= depth) {
      return {object, index};
    }
  }
  return {nullptr, count};
}

// `next` if it moves the search on from `index`, else the neighbouring slot:
// an index asked of the host never turns the search back.
int32_t OnwardIndex(int32_t next, int32_t index, int32_t step) {
  const bool moves_on = step > 0 ? next > index : next < index;
  return moves_on ? next : index + step;
}

LocatedObject SearchRow(const Document& document, int32_t index, int32_t count, int32_t step,
                        const Subtree* passed_over, LocatedObject& first_met) {
  std::unordered_set<Object> skipped;
  if (passed_over != nullptr) {
    for (const SubtreeEntry& entry : *passed_over) skipped.insert(entry.object);
  }
  KnownAncestries known;
  // The object in slot `index` when a jump has read it already.
  Object met = nullptr;
  while (index >= 0 && index < count) {
    const Object object = met != nullptr ? met : document.ObjectAt(index);
    met = nullptr;
    if (object != nullptr && first_met.object == nullptr) first_met = {object, index};
    // An empty slot and an ineligible object are both stepped over, but the
    // skipped-block test must come between them.
    if (object == nullptr) {  // NOLINT(bugprone-branch-clone)
      index += step;
    } else if (skipped.count(object) != 0) {
      index = OnwardIndex(document.IndexOf(passed_over->back().object) + step, index, step);
    } else if (!document.Flag(object, ObjectValueId::Eligible)) {
      index += step;
    } else if (const Object outermost =
                   OutermostCollapsedAncestor(document, object, count, known)) {
      // Everything between the object and the outermost collapsed ancestor,
      // and up to the end of that ancestor's subtree, is hidden too.
      if (step > 0) {
        const LocatedObject end = EndOfSubtree(document, outermost, index, count);
        index = end.index;
        met = end.object;
      } else {
        index = OnwardIndex(document.IndexOf(outermost), index, step);
      }
    } else {
      return {object, index};
    }
  }
  return {};
}

}  // namespace

LocatedObject FindRow(const Document& document, int32_t start, RowDirection direction,
                      int32_t count, const Subtree* passed_over, LocatedObject* first_passed) {
  LocatedObject first_met;
  const LocatedObject row =
      SearchRow(document, start, count, Step(direction), passed_over, first_met);
  if (first_passed != nullptr) {
    *first_passed = first_met.object == row.object ? LocatedObject{} : first_met;
  }
  return row;
}

LocatedObject LastEligibleBefore(const Document& document, int32_t index, LocatedObject* passed) {
  if (index <= 0) {
    if (passed != nullptr) *passed = {};
    return {};
  }
  return LastEligibleBefore(document, index, document.ObjectCount(), passed);
}

LocatedObject LastEligibleBefore(const Document& document, int32_t index, int32_t count,
                                 LocatedObject* passed) {
  LocatedObject nearest;  // the object met last: the nearest to the one found
  for (int32_t i = index - 1; i >= 0 && i < count; --i) {
    const Object object = document.ObjectAt(i);
    if (object == nullptr) continue;
    if (document.Flag(object, ObjectValueId::Eligible)) {
      if (passed != nullptr) *passed = nearest;
      return {object, i};
    }
    nearest = {object, i};
  }
  if (passed != nullptr) *passed = nearest;
  return {};
}

}  // namespace rowshift
