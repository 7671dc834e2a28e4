// What a picture of the object list shows, before it is drawn: the rows of
// each side as the host read them back, which rows a collapsed object folds
// away, and which objects moved, numbered as rowshift-host counts moves.
#pragma once

#include <vector>

#include "outline/outline.h"
#include "tools/rowshift_host/rowshift_host_object_moves.h"

namespace rowshift::tool {

struct PictureRow {
  // The slot as read: a row of the side's snapshot, or of PictureRows::read.
  const outline::OutlineRow& slot() const { return *read; }
  const outline::OutlineRow* read = nullptr;
  const void* object = nullptr;  // null for an empty slot
  bool folded = false;           // under a collapsed object
  bool has_children = false;
  int moved = 0;  // the moved object's number, 0 when it stayed
  // The row on the other side holding the same object, or its copy; an empty
  // slot is paired with the empty slot that follows the same row on the other
  // side. -1 for none.
  long partner = -1;
};

// Moved objects are numbered on both sides in the order of the list after, as
// rowshift-host's step lines count moves; an object gone without a copy is
// numbered on the left only.
struct PictureRows {
  std::vector<PictureRow> before;
  std::vector<PictureRow> after;
  int numbered = 0;  // objects numbered
  int named = 0;     // of them, those that moved of their own, not carried with a moved parent
  // A side's rows read here, where its snapshot had none to lend.
  std::vector<outline::OutlineRow> read_before;
  std::vector<outline::OutlineRow> read_after;
};

// The rows of the document before and after the steps; they refer to the
// snapshots' rows, which must outlive them. Time and memory in proportion to
// the slots.
PictureRows ReadPictureRows(const DocumentSnapshot& before, const DocumentSnapshot& after);

}  // namespace rowshift::tool
