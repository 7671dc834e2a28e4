// Row navigation. A row is an object whose Eligible value is nonzero and none
// of whose ancestors is collapsed; empty slots are passed over everywhere.
#pragma once

#include <cstdint>
#include <unordered_map>

#include "engine/document.h"

namespace rowshift {

// Whether objects are hidden: the one place that decides it. An object is
// hidden when one of its ancestors, as the host answers them, is collapsed.
// Meant for the length of one search or one landing, while the document does
// not change: it remembers every ancestor it has walked, so that no ancestor
// is asked about twice. No chain of ancestors is longer than the list, so a
// host that answers a cycle of parents ends a walk instead of holding it.
class HiddenTest {
 public:
  // `count`: the slot count as the caller read it.
  HiddenTest(const Document& document, int32_t count) : document_(document), count_(count) {}

  // The outermost collapsed ancestor of `object`; none when it has none.
  Object OutermostCollapsedAbove(Object object);
  // The same among `object` itself and its ancestors.
  Object OutermostCollapsedAtOrAbove(Object object);

 private:
  struct Ancestry {
    Object above = nullptr;
    Object at_or_above = nullptr;
  };
  const Document& document_;
  int32_t count_;
  std::unordered_map<Object, Ancestry> ancestry_;
};

// Whether `object` is a row: an object whose Eligible value is nonzero and
// none of whose ancestors is collapsed; none is no row. `hidden_under`, when
// given, receives the outermost collapsed ancestor of an eligible object that
// is no row (none otherwise), where a search goes on from.
bool IsRow(const Document& document, Object object, HiddenTest& hidden,
           Object* hidden_under = nullptr);

enum class RowDirection { Forward, Backward };

// The first row at or after (or at or before) slot `start` among `count`
// slots, the count as read by the caller; none (index -1) when there is none.
// An object hidden under a collapsed ancestor costs one ancestor walk for the
// whole block hidden under the outermost such ancestor: forward, the search
// passes that block by depths; backward, it goes straight to that ancestor.
LocatedObject FindRow(const Document& document, int32_t start, RowDirection direction,
                      int32_t count);

// The last object with a nonzero Eligible value below slot `index`, among
// `count` slots (the count as read by the caller), collapsed ancestors or
// not; none (index -1) when there is none.
LocatedObject LastEligibleBefore(const Document& document, int32_t index, int32_t count);

}  // namespace rowshift
