// The words of a picture of the object list, in English or Japanese: its
// title, headings and legend, and the description a screen reader tells.
// Object names stay as they are.
#pragma once

#include <cstddef>
#include <string>

#include "tools/rowshift_host/rowshift_host_picture_rows.h"

namespace rowshift::tool {

enum class PictureLanguage { kEnglish, kJapanese };

// What ran and on what, for the picture's title and description: the steps as
// typed ("up up gather") and the outline file's name.
struct PictureCaption {
  std::string steps;
  std::string document;
  PictureLanguage language = PictureLanguage::kEnglish;
};

// The legend's items, in the order they are drawn.
enum class LegendItem {
  kCurrent,
  kSelected,
  kCollapsed,
  kExpanded,
  kFolded,
  kIneligible,
  kEmptySlot,
  kMoved,
  kDeep,
};
constexpr int kLegendItems = static_cast<int>(LegendItem::kDeep) + 1;

// Plain text (not yet XML).
std::string PictureTitle(const PictureCaption& caption);
std::string BeforeHeading(PictureLanguage language);
std::string AfterHeading(const PictureCaption& caption);
std::string LegendText(PictureLanguage language, LegendItem item);
// The line standing for `rows` rows left out: "… 12,345 rows …".
std::string LeftOutText(PictureLanguage language, std::size_t rows);
// The names of the list after, with depths, and what moved.
std::string PictureDescription(const PictureCaption& caption, const PictureRows& rows);

}  // namespace rowshift::tool
