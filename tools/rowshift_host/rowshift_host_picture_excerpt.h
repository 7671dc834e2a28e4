// Which rows a picture of the object list draws. A small document is drawn
// whole; of a large one, the rows that changed with a few rows around each,
// and one line for each run of rows left out, so a picture of any document
// stays readable and bounded.
#pragma once

#include <cstddef>
#include <vector>

#include "tools/rowshift_host/rowshift_host_picture_rows.h"

namespace rowshift::tool {

// One line of a side: a row, or `left_out` rows from `row` on, drawn as one.
struct DrawnLine {
  std::size_t row = 0;
  std::size_t left_out = 0;
};

struct PictureExcerpt {
  std::vector<DrawnLine> before;
  std::vector<DrawnLine> after;
};

// A document of up to this many rows on each side is drawn whole; of a larger
// one, a side draws at most this many lines and one more for the rest.
constexpr std::size_t kMostLinesDrawn = 2000;

// Time and memory in proportion to the rows.
PictureExcerpt ChooseLinesToDraw(const PictureRows& rows);

}  // namespace rowshift::tool
