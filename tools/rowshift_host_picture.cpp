#include "tools/rowshift_host_picture.h"

#include <algorithm>
#include <cstddef>
#include <iterator>
#include <sstream>
#include <vector>

#include "outline/outline.h"
#include "tools/rowshift_host_picture_rows.h"
#include "tools/rowshift_host_picture_text.h"

namespace rowshift::tool {
namespace {

// Sizes in SVG user units (pixels at 100 %), small enough to read on a phone.
constexpr int kMargin = 12;
constexpr int kColumnWidth = 184;
constexpr int kBetween = 52;  // room for the lines joining a moved object's two places
constexpr int kColumnPadding = 6;
constexpr int kHeadingBaseline = 24;
constexpr int kRowsTop = 36;
constexpr int kRowHeight = 24;
constexpr int kGapHeight = 8;  // an empty slot
constexpr int kIndentStep = 12;
constexpr int kIndentCap = 4;  // deeper rows keep this indent and show their depth
constexpr int kMarkStep = 14;  // room for a triangle or the selection mark
constexpr int kBadgeInset = 11;
constexpr int kNameSize = 14;
constexpr int kLegendSize = 12;
constexpr int kLegendTop = 14;
constexpr int kLegendRowHeight = 22;
constexpr int kLegendColumns = 3;

// Moved objects differ in colour and, for a greyscale print, in line pattern;
// their number shows on both sides.
const char* const kMoveColours[] = {"#0b6fb8", "#c4450c", "#087f5b",
                                    "#9c3d8f", "#8a6100", "#3d5a80"};
const char* const kMoveDashes[] = {"none", "7 3", "2 3"};
constexpr const char* kInk = "#1f1f1f";
constexpr const char* kGreyInk = "#6b6b6b";
constexpr const char* kCurrentFill = "#ffe08a";
constexpr const char* kFaint = "0.4";

const char* MoveColour(int moved) { return kMoveColours[(moved - 1) % std::size(kMoveColours)]; }
const char* MoveDash(int moved) {
  return kMoveDashes[((moved - 1) / std::size(kMoveColours) + (moved - 1)) %
                     std::size(kMoveDashes)];
}

// Where each row of a side stands, from the top, and where the side ends.
struct SideLayout {
  std::vector<int> tops;
  int bottom = 0;
};

SideLayout LayOut(const std::vector<PictureRow>& rows) {
  SideLayout layout;
  layout.tops.reserve(rows.size());
  int y = kRowsTop + kColumnPadding;
  for (const PictureRow& row : rows) {
    layout.tops.push_back(y);
    y += row.slot.empty ? kGapHeight : kRowHeight;
  }
  layout.bottom = y + kColumnPadding;
  return layout;
}

int Middle(int top) { return top + kRowHeight / 2; }

void DrawBadge(std::ostream& svg, int centre_x, int centre_y, int moved) {
  const std::string number = std::to_string(moved);
  const int width = std::max(18, 7 * static_cast<int>(number.size()) + 8);
  svg << "<rect x=\"" << centre_x - width / 2 << "\" y=\"" << centre_y - 9 << "\" width=\"" << width
      << "\" height=\"18\" rx=\"9\" fill=\"" << MoveColour(moved) << "\"/><text x=\"" << centre_x
      << "\" y=\"" << centre_y + 4 << "\" font-size=\"11\" font-weight=\"bold\" fill=\"#fff\" "
      << "text-anchor=\"middle\">" << number << "</text>";
}

int DepthBoxWidth(int depth) { return 6 * static_cast<int>(std::to_string(depth).size()) + 6; }

void DrawDepthBox(std::ostream& svg, int x, int middle, int depth) {
  const std::string number = std::to_string(depth);
  svg << "<rect x=\"" << x << "\" y=\"" << middle - 7 << "\" width=\"" << DepthBoxWidth(depth)
      << "\" height=\"14\" rx=\"2\" fill=\"#fff\" "
      << "stroke=\"" << kGreyInk << "\"/><text x=\"" << x + 3 << "\" y=\"" << middle + 4
      << "\" font-size=\"10\" fill=\"" << kInk << "\">" << number << "</text>";
}

// The closed triangle of a collapsed object, the open one of an expanded one.
void DrawTriangle(std::ostream& svg, int x, int middle, bool closed) {
  if (closed) {
    svg << "<path d=\"M" << x << " " << middle - 5 << "l8 5l-8 5z\" fill=\"" << kInk << "\"/>";
  } else {
    svg << "<path d=\"M" << x - 1 << " " << middle - 3 << "h10l-5 7z\" fill=\"none\" stroke=\""
        << kInk << "\" stroke-width=\"1.5\"/>";
  }
}

void DrawSelectionMark(std::ostream& svg, int x, int middle) {
  svg << "<rect x=\"" << x << "\" y=\"" << middle - 5 << "\" width=\"10\" height=\"10\" rx=\"2\" "
      << "fill=\"" << kInk << "\"/><path d=\"M" << x + 2 << " " << middle
      << "l2.5 2.5l4-5\" fill=\"none\" stroke=\"#fff\" stroke-width=\"1.6\"/>";
}

bool IsDeep(const outline::OutlineRow& slot) { return slot.depth > kIndentCap || slot.depth < 0; }

// From the column's left edge: where a row's name starts, and where it must end.
int NameStart(const outline::OutlineRow& slot) {
  return 2 * kColumnPadding + std::clamp(slot.depth, 0, kIndentCap) * kIndentStep + 2 * kMarkStep;
}
int NameEnd(const outline::OutlineRow& slot) {
  // A deep row's depth stands at the right end, so names of any depth line up.
  const int depth_room = IsDeep(slot) ? DepthBoxWidth(slot.depth) + kColumnPadding : 0;
  return kColumnWidth - kColumnPadding - depth_room;
}

void DrawRow(std::ostream& svg, const PictureRow& row, int top, int left, bool before) {
  const outline::OutlineRow& slot = row.slot;
  const FittedText name =
      slot.empty ? FittedText{} : XmlTextFitting(slot.name, NameEnd(slot) - NameStart(slot));
  std::string classes = slot.empty ? "row empty" : "row";
  if (slot.current) classes += " current";
  if (slot.selected) classes += " selected";
  if (slot.collapsed) classes += " collapsed";
  if (slot.ineligible) classes += " ineligible";
  if (row.folded) classes += " folded";
  if (row.moved) classes += " moved";
  if (name.cut) classes += " cut";
  if (IsDeep(slot) && !slot.empty) classes += " deep";
  svg << "<g class=\"" << classes << "\""
      << (row.folded ? std::string(" opacity=\"") + kFaint + "\"" : "") << ">";
  // A cut name keeps the whole of it as the row's tooltip.
  if (name.cut) svg << "<title>" << XmlText(slot.name) << "</title>";
  if (slot.empty) {
    const int middle = top + kGapHeight / 2;
    svg << "<line x1=\"" << left + 8 << "\" y1=\"" << middle << "\" x2=\""
        << left + kColumnWidth - 8 << "\" y2=\"" << middle
        << "\" stroke=\"#a8a8a8\" stroke-dasharray=\"3 3\"/></g>\n";
    return;
  }
  const int middle = Middle(top);
  if (slot.current) {
    svg << "<rect x=\"" << left + 1 << "\" y=\"" << top << "\" width=\"" << kColumnWidth - 2
        << "\" height=\"" << kRowHeight << "\" fill=\"" << kCurrentFill << "\"/><rect x=\""
        << left + 1 << "\" y=\"" << top << "\" width=\"4\" height=\"" << kRowHeight << "\" fill=\""
        << kInk << "\"/>";
  }
  if (row.moved) {
    svg << "<rect x=\"" << left + 3 << "\" y=\"" << top + 2 << "\" width=\"" << kColumnWidth - 6
        << "\" height=\"" << kRowHeight - 4 << "\" rx=\"3\" fill=\"none\" stroke=\""
        << MoveColour(row.moved) << "\" stroke-width=\"2\" stroke-dasharray=\""
        << MoveDash(row.moved) << "\"/>";
    DrawBadge(svg, before ? left + kColumnWidth + kBadgeInset : left - kBadgeInset, middle,
              row.moved);
  }
  if (IsDeep(slot)) DrawDepthBox(svg, left + NameEnd(slot) + kColumnPadding, middle, slot.depth);
  const int marks = left + NameStart(slot) - 2 * kMarkStep;
  if (slot.collapsed || row.has_children) DrawTriangle(svg, marks, middle, slot.collapsed);
  if (slot.selected) DrawSelectionMark(svg, marks + kMarkStep, middle);
  svg << "<text x=\"" << left + NameStart(slot) << "\" y=\"" << middle + 5 << "\"";
  if (slot.ineligible) svg << " fill=\"" << kGreyInk << "\" font-style=\"italic\"";
  if (row.moved) svg << " font-weight=\"bold\"";
  // A name keeps every space it holds (XML would fold a run of them into one);
  // viewers honour that on the text itself, not on a group around it.
  svg << " xml:space=\"preserve\">" << name.xml << "</text></g>\n";
}

void DrawSide(std::ostream& svg, const char* name, const std::vector<PictureRow>& rows,
              const SideLayout& layout, int left, bool before) {
  svg << "<g class=\"" << name << "\">\n<rect x=\"" << left << "\" y=\"" << kRowsTop
      << "\" width=\"" << kColumnWidth << "\" height=\"" << layout.bottom - kRowsTop
      << "\" fill=\"#fafafa\" stroke=\"#bdbdbd\"/>\n<g font-size=\"" << kNameSize << "\" fill=\""
      << kInk << "\">\n";
  for (std::size_t i = 0; i < rows.size(); ++i) {
    DrawRow(svg, rows[i], layout.tops[i], left, before);
  }
  svg << "</g>\n</g>\n";
}

void DrawMoveLines(std::ostream& svg, const PictureRows& rows, const SideLayout& before,
                   const SideLayout& after) {
  constexpr int kNoTop = -1;
  std::vector<int> origin_tops(static_cast<std::size_t>(rows.numbered) + 1, kNoTop);
  for (std::size_t i = 0; i < rows.before.size(); ++i) {
    if (rows.before[i].moved) origin_tops[rows.before[i].moved] = before.tops[i];
  }
  svg << "<g class=\"moves\" fill=\"none\" stroke-width=\"2\">\n";
  const int from_x = kMargin + kColumnWidth + kBadgeInset;
  const int to_x = kMargin + kColumnWidth + kBetween - kBadgeInset;
  for (std::size_t j = 0; j < rows.after.size(); ++j) {
    const int moved = rows.after[j].moved;
    if (!moved || origin_tops[moved] == kNoTop) continue;
    svg << "<line x1=\"" << from_x << "\" y1=\"" << Middle(origin_tops[moved]) << "\" x2=\"" << to_x
        << "\" y2=\"" << Middle(after.tops[j]) << "\" stroke=\"" << MoveColour(moved)
        << "\" stroke-dasharray=\"" << MoveDash(moved) << "\"/>\n";
  }
  svg << "</g>\n";
}

void DrawLegend(std::ostream& svg, int top, int width, PictureLanguage language) {
  const int column_width = (width - 2 * kMargin) / kLegendColumns;
  svg << "<g class=\"legend\" font-size=\"" << kLegendSize << "\" fill=\"" << kInk << "\">\n";
  for (int item = 0; item < kLegendItems; ++item) {
    const int x = kMargin + (item % kLegendColumns) * column_width;
    const int middle = top + (item / kLegendColumns) * kLegendRowHeight + kLegendRowHeight / 2;
    const auto legend_item = static_cast<LegendItem>(item);
    switch (legend_item) {
      case LegendItem::kCurrent:
        svg << "<rect x=\"" << x << "\" y=\"" << middle - 7
            << "\" width=\"26\" height=\"14\" fill=\"" << kCurrentFill << "\"/><rect x=\"" << x
            << "\" y=\"" << middle - 7 << "\" width=\"4\" height=\"14\" fill=\"" << kInk << "\"/>";
        break;
      case LegendItem::kSelected:
        DrawSelectionMark(svg, x + 8, middle);
        break;
      case LegendItem::kCollapsed:
        DrawTriangle(svg, x + 9, middle, true);
        break;
      case LegendItem::kExpanded:
        DrawTriangle(svg, x + 9, middle, false);
        break;
      case LegendItem::kFolded:
        svg << "<text x=\"" << x << "\" y=\"" << middle + 4 << "\" opacity=\"" << kFaint
            << "\">Abc</text>";
        break;
      case LegendItem::kIneligible:
        svg << "<text x=\"" << x << "\" y=\"" << middle + 4 << "\" fill=\"" << kGreyInk
            << "\" font-style=\"italic\">Abc</text>";
        break;
      case LegendItem::kEmptySlot:
        svg << "<line x1=\"" << x << "\" y1=\"" << middle << "\" x2=\"" << x + 26 << "\" y2=\""
            << middle << "\" stroke=\"#a8a8a8\" stroke-dasharray=\"3 3\"/>";
        break;
      case LegendItem::kMoved:
        DrawBadge(svg, x + 10, middle, 1);
        break;
      case LegendItem::kDeep:
        DrawDepthBox(svg, x + 2, middle, 12);
        break;
    }
    svg << "<text x=\"" << x + 32 << "\" y=\"" << middle + 4 << "\">"
        << LegendText(language, legend_item) << "</text>\n";
  }
  svg << "</g>\n";
}

}  // namespace

std::string DrawBeforeAndAfter(const PictureCaption& caption, const PictureSide& before_side,
                               const PictureSide& after_side) {
  const PictureRows rows = ReadPictureRows(before_side, after_side);
  const SideLayout before = LayOut(rows.before);
  const SideLayout after = LayOut(rows.after);
  const int width = 2 * kMargin + 2 * kColumnWidth + kBetween;
  const int legend_top = std::max(before.bottom, after.bottom) + kLegendTop;
  const int legend_rows = (kLegendItems + kLegendColumns - 1) / kLegendColumns;
  const int height = legend_top + legend_rows * kLegendRowHeight + kMargin;
  const int after_left = kMargin + kColumnWidth + kBetween;
  const std::string after_heading = AfterHeading(caption);
  const FittedText heading = XmlTextFitting(after_heading, kColumnWidth);

  std::ostringstream svg;
  svg << "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\"" << width
      << "\" height=\"" << height << "\" viewBox=\"0 0 " << width << " " << height
      << "\" font-family=\"sans-serif\">\n"
      << "<title>" << XmlText(PictureTitle(caption)) << "</title>\n"
      << "<desc>" << XmlText(PictureDescription(caption, rows)) << "</desc>\n"
      << "<rect width=\"" << width << "\" height=\"" << height << "\" fill=\"#fff\"/>\n"
      << "<g font-size=\"" << kNameSize << "\" font-weight=\"bold\" fill=\"" << kInk
      << "\"><text x=\"" << kMargin << "\" y=\"" << kHeadingBaseline << "\">"
      << XmlText(BeforeHeading(caption.language)) << "</text><text x=\"" << after_left << "\" y=\""
      << kHeadingBaseline << "\">";
  if (heading.cut) svg << "<title>" << XmlText(after_heading) << "</title>";
  svg << heading.xml << "</text></g>\n";
  DrawMoveLines(svg, rows, before, after);
  DrawSide(svg, "before", rows.before, before, kMargin, true);
  DrawSide(svg, "after", rows.after, after, after_left, false);
  DrawLegend(svg, legend_top, width, caption.language);
  svg << "</svg>\n";
  return svg.str();
}

}  // namespace rowshift::tool
