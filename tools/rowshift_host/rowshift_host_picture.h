// A picture of the object list before and after the steps, side by side, as
// the modeller's object panel shows it, written as a plain SVG 1.1 document (no
// scripts, no fonts or links from outside, no ids, so several pictures can sit
// in one page).
#pragma once

#include <string>

#include "tools/rowshift_host/rowshift_host_object_moves.h"
#include "tools/rowshift_host/rowshift_host_picture_words.h"

namespace rowshift::tool {

// One side of the picture: the document's slots as the host reads them back,
// the object in each slot, and the object each copy was cloned from. An
// object that stays keeps its identity; a moved object is a new object, a
// copy, paired with its original that is gone.
using PictureSide = DocumentSnapshot;

// The SVG text. A small document is drawn whole; of a large one, the rows that
// changed with a few rows around each and a line for each run left out, at
// most a few thousand lines a side (see rowshift_host_picture_excerpt.h).
// Names of any bytes come out as well-formed XML (bytes that are not UTF-8 as
// U+FFFD), with every space they hold; a name cut to fit its column ends in an
// ellipsis and carries the whole name as its tooltip.
std::string DrawBeforeAndAfter(const PictureCaption& caption, const PictureSide& before,
                               const PictureSide& after);

}  // namespace rowshift::tool
