// A picture of the object list before and after the steps, side by side, as
// the modeller's object panel shows it, written as a plain SVG 1.1 document (no
// scripts, no fonts or links from outside, no ids, so several pictures can sit
// in one page).
#pragma once

#include <string>
#include <vector>

namespace rowshift::tool {

// One side of the picture: the document's slots as the host reads them back
// (an outline), and for each slot the object's identity, null for an empty
// slot. An object that stays keeps its identity; a moved object is a new
// object, so one that appears only after the steps was moved, and is paired
// with an object of its name that is gone.
struct PictureSide {
  std::string outline;
  std::vector<const void*> objects;
};

// The language of the picture's headings, legend, title and description.
enum class PictureLanguage { kEnglish, kJapanese };

// What ran and on what, for the picture's title and description: the steps as
// typed ("up up gather") and the outline file's name.
struct PictureCaption {
  std::string steps;
  std::string document;
  PictureLanguage language = PictureLanguage::kEnglish;
};

// The SVG text. Its size grows in proportion to the number of slots; names of
// any bytes come out as well-formed XML (bytes that are not UTF-8 as U+FFFD).
std::string DrawBeforeAndAfter(const PictureCaption& caption, const PictureSide& before,
                               const PictureSide& after);

}  // namespace rowshift::tool
