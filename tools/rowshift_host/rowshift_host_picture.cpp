#include "tools/rowshift_host/rowshift_host_picture.h"

#include <algorithm>
#include <cstddef>
#include <initializer_list>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include <pugixml.hpp>

#include "outline/outline.h"
#include "tools/rowshift_host/rowshift_host_picture_excerpt.h"
#include "tools/rowshift_host/rowshift_host_picture_rows.h"
#include "tools/rowshift_host/rowshift_host_picture_text.h"

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

// An attribute as written: its name and its value, a number or text.
struct Attribute {
  Attribute(const char* attribute_name, int number)
      : name(attribute_name), value(std::to_string(number)) {}
  Attribute(const char* attribute_name, std::string text)
      : name(attribute_name), value(std::move(text)) {}
  Attribute(const char* attribute_name, const char* text) : name(attribute_name), value(text) {}
  const char* name;
  std::string value;
};

pugi::xml_node Add(pugi::xml_node parent, const char* name,
                   std::initializer_list<Attribute> attributes) {
  pugi::xml_node element = parent.append_child(name);
  for (const Attribute& attribute : attributes) {
    element.append_attribute(attribute.name).set_value(attribute.value.c_str());
  }
  return element;
}

// An element holding text (escaped by the writer).
pugi::xml_node AddText(pugi::xml_node parent, const char* name,
                       std::initializer_list<Attribute> attributes, const std::string& text) {
  pugi::xml_node element = Add(parent, name, attributes);
  element.append_child(pugi::node_pcdata).set_value(text.c_str());
  return element;
}

// The picture breaks its lines between drawn things, so a diff of two
// pictures reads line by line.
void NewLine(pugi::xml_node parent) { parent.append_child(pugi::node_pcdata).set_value("\n"); }

// Where each row of a side stands, from the top (kNotDrawn for a row left
// out), and where the side ends.
constexpr int kNotDrawn = -1;
struct SideLayout {
  std::vector<int> tops;
  std::vector<int> left_out_tops;  // of each line standing for rows left out
  int bottom = 0;
};

SideLayout LayOut(const std::vector<PictureRow>& rows, const std::vector<DrawnLine>& lines) {
  SideLayout layout;
  layout.tops.assign(rows.size(), kNotDrawn);
  int y = kRowsTop + kColumnPadding;
  for (const DrawnLine& line : lines) {
    if (line.left_out > 0) {
      layout.left_out_tops.push_back(y);
      y += kRowHeight;
      continue;
    }
    layout.tops[line.row] = y;
    y += rows[line.row].slot().empty ? kGapHeight : kRowHeight;
  }
  layout.bottom = y + kColumnPadding;
  return layout;
}

int Middle(int top) { return top + kRowHeight / 2; }

void DrawBadge(pugi::xml_node parent, int centre_x, int centre_y, int moved) {
  const std::string number = std::to_string(moved);
  const int width = std::max(18, 7 * static_cast<int>(number.size()) + 8);
  Add(parent, "rect",
      {{"x", centre_x - width / 2},
       {"y", centre_y - 9},
       {"width", width},
       {"height", 18},
       {"rx", 9},
       {"fill", MoveColour(moved)}});
  AddText(parent, "text",
          {{"x", centre_x},
           {"y", centre_y + 4},
           {"font-size", 11},
           {"font-weight", "bold"},
           {"fill", "#fff"},
           {"text-anchor", "middle"}},
          number);
}

int DepthBoxWidth(int depth) { return 6 * static_cast<int>(std::to_string(depth).size()) + 6; }

void DrawDepthBox(pugi::xml_node parent, int x, int middle, int depth) {
  Add(parent, "rect",
      {{"x", x},
       {"y", middle - 7},
       {"width", DepthBoxWidth(depth)},
       {"height", 14},
       {"rx", 2},
       {"fill", "#fff"},
       {"stroke", kGreyInk}});
  AddText(parent, "text", {{"x", x + 3}, {"y", middle + 4}, {"font-size", 10}, {"fill", kInk}},
          std::to_string(depth));
}

// The closed triangle of a collapsed object, the open one of an expanded one.
void DrawTriangle(pugi::xml_node parent, int x, int middle, bool closed) {
  if (closed) {
    Add(parent, "path",
        {{"d", "M" + std::to_string(x) + " " + std::to_string(middle - 5) + "l8 5l-8 5z"},
         {"fill", kInk}});
  } else {
    Add(parent, "path",
        {{"d", "M" + std::to_string(x - 1) + " " + std::to_string(middle - 3) + "h10l-5 7z"},
         {"fill", "none"},
         {"stroke", kInk},
         {"stroke-width", "1.5"}});
  }
}

void DrawSelectionMark(pugi::xml_node parent, int x, int middle) {
  Add(parent, "rect",
      {{"x", x}, {"y", middle - 5}, {"width", 10}, {"height", 10}, {"rx", 2}, {"fill", kInk}});
  Add(parent, "path",
      {{"d", "M" + std::to_string(x + 2) + " " + std::to_string(middle) + "l2.5 2.5l4-5"},
       {"fill", "none"},
       {"stroke", "#fff"},
       {"stroke-width", "1.6"}});
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

void DrawRow(pugi::xml_node parent, const PictureRow& row, int top, int left, bool before) {
  const outline::OutlineRow& slot = row.slot();
  const FittedText name =
      slot.empty ? FittedText{} : TextFitting(slot.name, NameEnd(slot) - NameStart(slot));
  std::string classes = slot.empty ? "row empty" : "row";
  if (slot.current) classes += " current";
  if (slot.selected) classes += " selected";
  if (slot.collapsed) classes += " collapsed";
  if (slot.ineligible) classes += " ineligible";
  if (row.folded) classes += " folded";
  if (row.moved) classes += " moved";
  if (name.cut) classes += " cut";
  if (IsDeep(slot) && !slot.empty) classes += " deep";
  pugi::xml_node group = Add(parent, "g", {{"class", classes}});
  if (row.folded) group.append_attribute("opacity").set_value(kFaint);
  NewLine(parent);
  // A cut name keeps the whole of it as the row's tooltip.
  if (name.cut) AddText(group, "title", {}, DrawableText(slot.name));
  if (slot.empty) {
    const int middle = top + kGapHeight / 2;
    Add(group, "line",
        {{"x1", left + 8},
         {"y1", middle},
         {"x2", left + kColumnWidth - 8},
         {"y2", middle},
         {"stroke", "#a8a8a8"},
         {"stroke-dasharray", "3 3"}});
    return;
  }
  const int middle = Middle(top);
  if (slot.current) {
    Add(group, "rect",
        {{"x", left + 1},
         {"y", top},
         {"width", kColumnWidth - 2},
         {"height", kRowHeight},
         {"fill", kCurrentFill}});
    Add(group, "rect",
        {{"x", left + 1}, {"y", top}, {"width", 4}, {"height", kRowHeight}, {"fill", kInk}});
  }
  if (row.moved) {
    Add(group, "rect",
        {{"x", left + 3},
         {"y", top + 2},
         {"width", kColumnWidth - 6},
         {"height", kRowHeight - 4},
         {"rx", 3},
         {"fill", "none"},
         {"stroke", MoveColour(row.moved)},
         {"stroke-width", 2},
         {"stroke-dasharray", MoveDash(row.moved)}});
    DrawBadge(group, before ? left + kColumnWidth + kBadgeInset : left - kBadgeInset, middle,
              row.moved);
  }
  if (IsDeep(slot)) DrawDepthBox(group, left + NameEnd(slot) + kColumnPadding, middle, slot.depth);
  const int marks = left + NameStart(slot) - 2 * kMarkStep;
  if (slot.collapsed || row.has_children) DrawTriangle(group, marks, middle, slot.collapsed);
  if (slot.selected) DrawSelectionMark(group, marks + kMarkStep, middle);
  pugi::xml_node text = Add(group, "text", {{"x", left + NameStart(slot)}, {"y", middle + 5}});
  if (slot.ineligible) {
    text.append_attribute("fill").set_value(kGreyInk);
    text.append_attribute("font-style").set_value("italic");
  }
  if (row.moved) text.append_attribute("font-weight").set_value("bold");
  // A name keeps every space it holds (XML would fold a run of them into one);
  // viewers honour that on the text itself, not on a group around it.
  text.append_attribute("xml:space").set_value("preserve");
  text.append_child(pugi::node_pcdata).set_value(name.text.c_str());
}

// One line standing for a run of rows the picture leaves out.
void DrawLeftOut(pugi::xml_node parent, int top, int left, const std::string& words) {
  pugi::xml_node group = Add(parent, "g", {{"class", "left-out"}});
  NewLine(parent);
  AddText(group, "text",
          {{"x", left + kColumnWidth / 2},
           {"y", Middle(top) + 5},
           {"fill", kGreyInk},
           {"font-style", "italic"},
           {"text-anchor", "middle"}},
          words);
}

struct Side {
  const char* name;
  const std::vector<PictureRow>& rows;
  const std::vector<DrawnLine>& lines;
  const SideLayout& layout;
  int left;
  bool before;
};

void DrawSide(pugi::xml_node svg, const Side& side, PictureLanguage language) {
  pugi::xml_node group = Add(svg, "g", {{"class", side.name}});
  NewLine(svg);
  NewLine(group);
  Add(group, "rect",
      {{"x", side.left},
       {"y", kRowsTop},
       {"width", kColumnWidth},
       {"height", side.layout.bottom - kRowsTop},
       {"fill", "#fafafa"},
       {"stroke", "#bdbdbd"}});
  NewLine(group);
  pugi::xml_node rows = Add(group, "g", {{"font-size", kNameSize}, {"fill", kInk}});
  NewLine(group);
  NewLine(rows);
  std::size_t left_out = 0;
  for (const DrawnLine& line : side.lines) {
    if (line.left_out > 0) {
      DrawLeftOut(rows, side.layout.left_out_tops[left_out++], side.left,
                  LeftOutText(language, line.left_out));
    } else {
      DrawRow(rows, side.rows[line.row], side.layout.tops[line.row], side.left, side.before);
    }
  }
}

// A line from each moved object's place before to its place after, where
// both are drawn.
void DrawMoveLines(pugi::xml_node svg, const PictureRows& rows, const SideLayout& before,
                   const SideLayout& after) {
  std::vector<int> origin_tops(static_cast<std::size_t>(rows.numbered) + 1, kNotDrawn);
  for (std::size_t i = 0; i < rows.before.size(); ++i) {
    if (rows.before[i].moved) origin_tops[rows.before[i].moved] = before.tops[i];
  }
  pugi::xml_node group = Add(svg, "g", {{"class", "moves"}, {"fill", "none"}, {"stroke-width", 2}});
  NewLine(svg);
  NewLine(group);
  const int from_x = kMargin + kColumnWidth + kBadgeInset;
  const int to_x = kMargin + kColumnWidth + kBetween - kBadgeInset;
  for (std::size_t j = 0; j < rows.after.size(); ++j) {
    const int moved = rows.after[j].moved;
    if (!moved || origin_tops[moved] == kNotDrawn || after.tops[j] == kNotDrawn) continue;
    Add(group, "line",
        {{"x1", from_x},
         {"y1", Middle(origin_tops[moved])},
         {"x2", to_x},
         {"y2", Middle(after.tops[j])},
         {"stroke", MoveColour(moved)},
         {"stroke-dasharray", MoveDash(moved)}});
    NewLine(group);
  }
}

void DrawLegend(pugi::xml_node svg, int top, int width, PictureLanguage language) {
  const int column_width = (width - 2 * kMargin) / kLegendColumns;
  pugi::xml_node group =
      Add(svg, "g", {{"class", "legend"}, {"font-size", kLegendSize}, {"fill", kInk}});
  NewLine(svg);
  NewLine(group);
  for (int item = 0; item < kLegendItems; ++item) {
    const int x = kMargin + (item % kLegendColumns) * column_width;
    const int middle = top + (item / kLegendColumns) * kLegendRowHeight + kLegendRowHeight / 2;
    const auto legend_item = static_cast<LegendItem>(item);
    switch (legend_item) {
      case LegendItem::kCurrent:
        Add(group, "rect",
            {{"x", x}, {"y", middle - 7}, {"width", 26}, {"height", 14}, {"fill", kCurrentFill}});
        Add(group, "rect",
            {{"x", x}, {"y", middle - 7}, {"width", 4}, {"height", 14}, {"fill", kInk}});
        break;
      case LegendItem::kSelected:
        DrawSelectionMark(group, x + 8, middle);
        break;
      case LegendItem::kCollapsed:
        DrawTriangle(group, x + 9, middle, true);
        break;
      case LegendItem::kExpanded:
        DrawTriangle(group, x + 9, middle, false);
        break;
      case LegendItem::kFolded:
        AddText(group, "text", {{"x", x}, {"y", middle + 4}, {"opacity", kFaint}}, "Abc");
        break;
      case LegendItem::kIneligible:
        AddText(group, "text",
                {{"x", x}, {"y", middle + 4}, {"fill", kGreyInk}, {"font-style", "italic"}}, "Abc");
        break;
      case LegendItem::kEmptySlot:
        Add(group, "line",
            {{"x1", x},
             {"y1", middle},
             {"x2", x + 26},
             {"y2", middle},
             {"stroke", "#a8a8a8"},
             {"stroke-dasharray", "3 3"}});
        break;
      case LegendItem::kMoved:
        DrawBadge(group, x + 10, middle, 1);
        break;
      case LegendItem::kDeep:
        DrawDepthBox(group, x + 2, middle, 12);
        break;
    }
    AddText(group, "text", {{"x", x + 32}, {"y", middle + 4}}, LegendText(language, legend_item));
    NewLine(group);
  }
}

// The document as text, without an XML declaration (the picture also goes
// inline into a page), ending in a line break.
std::string Written(const pugi::xml_document& document) {
  struct StringWriter : pugi::xml_writer {
    std::string text;
    void write(const void* data, std::size_t size) override {
      text.append(static_cast<const char*>(data), size);
    }
  } writer;
  document.save(writer, "", pugi::format_raw | pugi::format_no_declaration, pugi::encoding_utf8);
  return writer.text + "\n";
}

}  // namespace

std::string DrawBeforeAndAfter(const PictureCaption& caption, const PictureSide& before_side,
                               const PictureSide& after_side) {
  const PictureRows rows = ReadPictureRows(before_side, after_side);
  const PictureExcerpt excerpt = ChooseLinesToDraw(rows);
  const SideLayout before = LayOut(rows.before, excerpt.before);
  const SideLayout after = LayOut(rows.after, excerpt.after);
  const int width = 2 * kMargin + 2 * kColumnWidth + kBetween;
  const int legend_top = std::max(before.bottom, after.bottom) + kLegendTop;
  const int legend_rows = (kLegendItems + kLegendColumns - 1) / kLegendColumns;
  const int height = legend_top + legend_rows * kLegendRowHeight + kMargin;
  const int after_left = kMargin + kColumnWidth + kBetween;
  const std::string after_heading = DrawableText(AfterHeading(caption));
  const FittedText heading = TextFitting(after_heading, kColumnWidth);

  pugi::xml_document document;
  pugi::xml_node svg =
      Add(document.root(), "svg",
          {{"xmlns", "http://www.w3.org/2000/svg"},
           {"version", "1.1"},
           {"width", width},
           {"height", height},
           {"viewBox", "0 0 " + std::to_string(width) + " " + std::to_string(height)},
           {"font-family", "sans-serif"}});
  NewLine(svg);
  AddText(svg, "title", {}, DrawableText(PictureTitle(caption)));
  NewLine(svg);
  AddText(svg, "desc", {}, DrawableText(PictureDescription(caption, rows)));
  NewLine(svg);
  Add(svg, "rect", {{"width", width}, {"height", height}, {"fill", "#fff"}});
  NewLine(svg);
  pugi::xml_node headings =
      Add(svg, "g", {{"font-size", kNameSize}, {"font-weight", "bold"}, {"fill", kInk}});
  NewLine(svg);
  AddText(headings, "text", {{"x", kMargin}, {"y", kHeadingBaseline}},
          DrawableText(BeforeHeading(caption.language)));
  pugi::xml_node after_text = Add(headings, "text", {{"x", after_left}, {"y", kHeadingBaseline}});
  if (heading.cut) AddText(after_text, "title", {}, after_heading);
  after_text.append_child(pugi::node_pcdata).set_value(heading.text.c_str());
  DrawMoveLines(svg, rows, before, after);
  DrawSide(svg, {"before", rows.before, excerpt.before, before, kMargin, true}, caption.language);
  DrawSide(svg, {"after", rows.after, excerpt.after, after, after_left, false}, caption.language);
  DrawLegend(svg, legend_top, width, caption.language);
  return Written(document);
}

}  // namespace rowshift::tool
