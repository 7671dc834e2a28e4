#include "tools/rowshift_host_picture.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <optional>
#include <sstream>
#include <utility>

#include <utf8cpp/utf8.h>

#include "outline/outline.h"
#include "tools/rowshift_host_document.h"

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
// Names are cut to fit, measured in tenths of a pixel: a character taken as
// 8.2 pixels wide, a wide one as 15 (a little generous for sans-serif at 14).
constexpr int kTenthsPerPixel = 10;
constexpr int kNarrowTenths = 82;
constexpr int kWideTenths = 150;
constexpr char32_t kFirstWide = 0x1100;
constexpr int kLegendTop = 14;
constexpr int kLegendRowHeight = 22;
constexpr int kLegendColumns = 3;
constexpr int kLegendItems = 9;
constexpr std::size_t kNamesInDescription = 12;
constexpr char32_t kReplacement = 0xFFFD;
constexpr char32_t kEllipsis = 0x2026;

// The words of a picture in one language, with "{...}" filled in. Object
// names stay as they are.
struct PictureWords {
  const char* title;  // {steps} {document}
  const char* before;
  const char* after;  // {steps}
  const char* no_steps;
  const char* legend[kLegendItems];
  const char* introduction;  // {document} {steps}
  const char* quoted_steps;  // {steps}
  const char* nothing_moved;
  const char* moved_one;     // {n}
  const char* moved_many;    // {n}
  const char* carried_one;   // {n}: the objects carried with the one moved
  const char* carried_many;  // {n}: with the several moved
  const char* after_list;    // then the objects, with their marks
  const char* separator;     // between objects and between marks
  const char* depth;         // {n}
  const char* moved_mark;
  const char* marks;  // {marks}
  const char* no_objects;
  const char* more;  // {n}
  const char* list_end;
  const char* current;  // {name}
};

constexpr PictureWords kEnglishWords = {
    "Rowshift: {steps} on {document}",
    "Before",
    "After {steps}",
    "no steps",
    {"current object", "selected", "collapsed", "expanded", "hidden (faint)", "not eligible",
     "empty slot", "moved (number)", "depth, if deep"},
    "The object list of {document} before and after {steps}. ",
    "'{steps}'",
    "Nothing moved",
    "{n} object moved",
    "{n} objects moved",
    " (with {n} under it)",
    " (with {n} under them)",
    ". After: ",
    ", ",
    "depth {n}",
    "moved",
    " ({marks})",
    "no objects",
    ", and {n} more",
    ". ",
    "The current object is {name}.",
};

// In the modeller's own Japanese terms: カレントオブジェクト, 折りたたみ.
constexpr PictureWords kJapaneseWords = {
    "Rowshift: {document} で {steps}",
    "実行前",
    "実行後: {steps}",
    "操作なし",
    {"カレント", "選択", "折りたたみ", "展開", "非表示（薄い字）", "操作の対象外", "空きスロット",
     "移動（番号）", "深い階層の深さ"},
    "{document} のオブジェクト一覧の、{steps}の実行前と実行後。",
    "「{steps}」",
    "移動したオブジェクトなし",
    "移動したオブジェクトは {n} 個",
    "移動したオブジェクトは {n} 個",
    "（その下にあって一緒に移動したものが {n} 個）",
    "（その下にあって一緒に移動したものが {n} 個）",
    "。実行後: ",
    "、",
    "深さ {n}",
    "移動",
    "（{marks}）",
    "オブジェクトなし",
    "、ほか {n} 個",
    "。",
    "カレントオブジェクトは {name}。",
};

const PictureWords& WordsOf(PictureLanguage language) {
  return language == PictureLanguage::kJapanese ? kJapaneseWords : kEnglishWords;
}

// `pattern` with `{name}` replaced by `value`.
std::string Fill(std::string pattern, const std::string& name, const std::string& value) {
  const std::string mark = "{" + name + "}";
  for (std::size_t at = pattern.find(mark); at != std::string::npos;
       at = pattern.find(mark, at + value.size())) {
    pattern.replace(at, mark.size(), value);
  }
  return pattern;
}

// Moved objects differ in colour and, for a greyscale print, in line pattern;
// their number shows on both sides.
const char* const kMoveColours[] = {"#0b6fb8", "#c4450c", "#087f5b",
                                    "#9c3d8f", "#8a6100", "#3d5a80"};
const char* const kMoveDashes[] = {"none", "7 3", "2 3"};
constexpr const char* kInk = "#1f1f1f";
constexpr const char* kGreyInk = "#6b6b6b";
constexpr const char* kCurrentFill = "#ffe08a";
constexpr const char* kFaint = "0.4";

struct Row {
  outline::OutlineRow slot;
  const void* object = nullptr;
  bool hidden = false;  // under a collapsed object
  bool has_children = false;
  int moved = 0;  // the moved object's number, 0 when it stayed
  int top = 0;
};

// One character of UTF-8 at `at`, which it passes; U+FFFD for a byte that does
// not start a well-formed sequence (one byte passed) or a character XML forbids.
char32_t NextCharacter(const std::string& bytes, std::size_t& at) {
  const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(bytes[k]); };
  const unsigned char lead = byte(at);
  const int length = lead < 0x80             ? 1
                     : (lead & 0xE0) == 0xC0 ? 2
                     : (lead & 0xF0) == 0xE0 ? 3
                     : (lead & 0xF8) == 0xF0 ? 4
                                             : 0;
  if (length == 0 || at + length > bytes.size()) return ++at, kReplacement;
  char32_t c = length == 1 ? lead : lead & (0x7F >> length);
  for (int k = 1; k < length; ++k) {
    if ((byte(at + k) & 0xC0) != 0x80) return ++at, kReplacement;
    c = (c << 6) | (byte(at + k) & 0x3F);
  }
  static constexpr char32_t kLeast[] = {0, 0, 0x80, 0x800, 0x10000};
  at += length;
  const bool forbidden = c < 0x20 || c == 0x7F || (c >= 0xD800 && c <= 0xDFFF) || c == 0xFFFE ||
                         c == 0xFFFF || c > 0x10FFFF || c < kLeast[length];
  return forbidden ? kReplacement : c;
}

void AppendCharacter(std::string& out, char32_t c) {
  switch (c) {
    case '&':
      out += "&amp;";
      return;
    case '<':
      out += "&lt;";
      return;
    case '>':
      out += "&gt;";
      return;
    case '"':
      out += "&quot;";
      return;
    default:
      break;
  }
  utf8::append(static_cast<uint32_t>(c), std::back_inserter(out));
}

// `bytes` as XML text, cut with an ellipsis to `pixels` wide when given.
std::string XmlText(const std::string& bytes, std::optional<int> pixels = std::nullopt) {
  std::vector<char32_t> characters;
  for (std::size_t at = 0; at < bytes.size();) characters.push_back(NextCharacter(bytes, at));
  const auto units = [](char32_t c) { return c >= kFirstWide ? kWideTenths : kNarrowTenths; };
  std::size_t kept = characters.size();
  if (pixels) {
    const int room = *pixels * kTenthsPerPixel;
    int total = 0;
    for (char32_t c : characters) total += units(c);
    if (total > room) {
      total = units(kEllipsis);
      for (kept = 0; kept < characters.size() && total + units(characters[kept]) <= room; ++kept) {
        total += units(characters[kept]);
      }
    }
  }
  std::string out;
  for (std::size_t i = 0; i < kept; ++i) AppendCharacter(out, characters[i]);
  if (kept < characters.size()) AppendCharacter(out, kEllipsis);
  return out;
}

// Which objects have children, and which rows a collapsed object hides.
void MarkTree(std::vector<Row>& rows) {
  const Row* next = nullptr;  // the next object down the list
  for (std::size_t i = rows.size(); i-- > 0;) {
    if (rows[i].slot.empty) continue;
    rows[i].has_children = next && next->slot.depth > rows[i].slot.depth;
    next = &rows[i];
  }
  const Row* fold = nullptr;  // the collapsed object whose rows are hidden
  for (Row& row : rows) {
    if (!row.slot.empty && !(fold && row.slot.depth > fold->slot.depth)) fold = nullptr;
    row.hidden = fold != nullptr;
    if (!row.hidden && row.slot.collapsed && row.has_children) fold = &row;
  }
}

// The rows of one side, laid out from the top; the side's height through `bottom`.
std::vector<Row> ReadSide(const PictureSide& side, int* bottom) {
  outline::ParseResult parsed = outline::ParseOutline(side.outline);
  std::vector<Row> rows;
  rows.reserve(parsed.rows.size());
  int y = kRowsTop + kColumnPadding;
  for (std::size_t i = 0; i < parsed.rows.size(); ++i) {
    Row row;
    row.slot = std::move(parsed.rows[i]);
    if (!row.slot.empty && i < side.objects.size()) row.object = side.objects[i];
    row.top = y;
    y += row.slot.empty ? kGapHeight : kRowHeight;
    rows.push_back(std::move(row));
  }
  *bottom = y + kColumnPadding;
  MarkTree(rows);
  return rows;
}

// How many objects the picture numbers, and how many of them moved of their
// own, not carried with a moved parent: the count a step's line names.
struct MoveCount {
  int numbered = 0;
  int named = 0;
};

DocumentSnapshot SnapshotOf(const PictureSide& side, const std::vector<Row>& rows) {
  DocumentSnapshot snapshot{side.outline, {}, side.objects};
  for (const Row& row : rows) snapshot.rows.push_back(row.slot);
  if (snapshot.rows.size() != snapshot.objects.size()) snapshot.rows.clear();
  return snapshot;
}

// Numbers each moved object on both sides, in the order of the list after,
// as rowshift-host's step lines count moves; an object gone without a copy is
// numbered on the left only.
MoveCount PairMovedObjects(const PictureSide& before_side, const PictureSide& after_side,
                           std::vector<Row>& before, std::vector<Row>& after) {
  MoveCount count;
  const DocumentSnapshot first = SnapshotOf(before_side, before);
  const DocumentSnapshot last = SnapshotOf(after_side, after);
  if (first.rows.size() != before.size() || last.rows.size() != after.size()) return count;
  const ObjectMoves moves = FindMoves(first, last);
  std::vector<long> origin(after.size(), -1);
  for (std::size_t i = 0; i < before.size(); ++i) {
    if (moves.moved[i] && moves.slot_after[i] >= 0) {
      origin[static_cast<std::size_t>(moves.slot_after[i])] = static_cast<long>(i);
    }
  }
  const auto number = [&](std::size_t i) {
    before[i].moved = ++count.numbered;
    if (!moves.carried[i]) ++count.named;
  };
  for (std::size_t j = 0; j < after.size(); ++j) {
    if (origin[j] < 0) continue;
    number(static_cast<std::size_t>(origin[j]));
    after[j].moved = count.numbered;
  }
  for (std::size_t i = 0; i < before.size(); ++i) {
    if (moves.moved[i] && moves.slot_after[i] < 0) number(i);
  }
  return count;
}

const char* MoveColour(int moved) { return kMoveColours[(moved - 1) % std::size(kMoveColours)]; }
const char* MoveDash(int moved) {
  return kMoveDashes[((moved - 1) / std::size(kMoveColours) + (moved - 1)) %
                     std::size(kMoveDashes)];
}
int Middle(const Row& row) { return row.top + kRowHeight / 2; }

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

void DrawRow(std::ostream& svg, const Row& row, int left, bool before) {
  const outline::OutlineRow& slot = row.slot;
  std::string classes = slot.empty ? "row empty" : "row";
  if (slot.current) classes += " current";
  if (slot.selected) classes += " selected";
  if (slot.collapsed) classes += " collapsed";
  if (slot.ineligible) classes += " ineligible";
  if (row.hidden) classes += " hidden";
  if (row.moved) classes += " moved";
  const bool deep = slot.depth > kIndentCap || slot.depth < 0;
  if (deep && !slot.empty) classes += " deep";
  svg << "<g class=\"" << classes << "\""
      << (row.hidden ? std::string(" opacity=\"") + kFaint + "\"" : "") << ">";
  if (slot.empty) {
    const int middle = row.top + kGapHeight / 2;
    svg << "<line x1=\"" << left + 8 << "\" y1=\"" << middle << "\" x2=\""
        << left + kColumnWidth - 8 << "\" y2=\"" << middle
        << "\" stroke=\"#a8a8a8\" stroke-dasharray=\"3 3\"/></g>\n";
    return;
  }
  const int middle = Middle(row);
  if (slot.current) {
    svg << "<rect x=\"" << left + 1 << "\" y=\"" << row.top << "\" width=\"" << kColumnWidth - 2
        << "\" height=\"" << kRowHeight << "\" fill=\"" << kCurrentFill << "\"/><rect x=\""
        << left + 1 << "\" y=\"" << row.top << "\" width=\"4\" height=\"" << kRowHeight
        << "\" fill=\"" << kInk << "\"/>";
  }
  if (row.moved) {
    svg << "<rect x=\"" << left + 3 << "\" y=\"" << row.top + 2 << "\" width=\"" << kColumnWidth - 6
        << "\" height=\"" << kRowHeight - 4 << "\" rx=\"3\" fill=\"none\" stroke=\""
        << MoveColour(row.moved) << "\" stroke-width=\"2\" stroke-dasharray=\""
        << MoveDash(row.moved) << "\"/>";
    DrawBadge(svg, before ? left + kColumnWidth + kBadgeInset : left - kBadgeInset, middle,
              row.moved);
  }
  int x = left + 2 * kColumnPadding + std::clamp(slot.depth, 0, kIndentCap) * kIndentStep;
  // A deep row's depth stands at the right end, so names of any depth line up.
  int name_end = left + kColumnWidth - kColumnPadding;
  if (deep) {
    name_end -= DepthBoxWidth(slot.depth);
    DrawDepthBox(svg, name_end, middle, slot.depth);
    name_end -= kColumnPadding;
  }
  if (slot.collapsed || row.has_children) DrawTriangle(svg, x, middle, slot.collapsed);
  x += kMarkStep;
  if (slot.selected) DrawSelectionMark(svg, x, middle);
  x += kMarkStep;
  svg << "<text x=\"" << x << "\" y=\"" << middle + 5 << "\"";
  if (slot.ineligible) svg << " fill=\"" << kGreyInk << "\" font-style=\"italic\"";
  if (row.moved) svg << " font-weight=\"bold\"";
  svg << ">" << XmlText(slot.name, name_end - x) << "</text></g>\n";
}

void DrawSide(std::ostream& svg, const char* name, const std::vector<Row>& rows, int left,
              int bottom, bool before) {
  svg << "<g class=\"" << name << "\">\n<rect x=\"" << left << "\" y=\"" << kRowsTop
      << "\" width=\"" << kColumnWidth << "\" height=\"" << bottom - kRowsTop
      << "\" fill=\"#fafafa\" stroke=\"#bdbdbd\"/>\n<g font-size=\"" << kNameSize << "\" fill=\""
      << kInk << "\">\n";
  for (const Row& row : rows) DrawRow(svg, row, left, before);
  svg << "</g>\n</g>\n";
}

void DrawMoveLines(std::ostream& svg, const std::vector<Row>& before, const std::vector<Row>& after,
                   int moved) {
  std::vector<const Row*> origins(moved + 1, nullptr);
  for (const Row& row : before) {
    if (row.moved) origins[row.moved] = &row;
  }
  svg << "<g class=\"moves\" fill=\"none\" stroke-width=\"2\">\n";
  const int from_x = kMargin + kColumnWidth + kBadgeInset;
  const int to_x = kMargin + kColumnWidth + kBetween - kBadgeInset;
  for (const Row& row : after) {
    if (!row.moved || !origins[row.moved]) continue;
    svg << "<line x1=\"" << from_x << "\" y1=\"" << Middle(*origins[row.moved]) << "\" x2=\""
        << to_x << "\" y2=\"" << Middle(row) << "\" stroke=\"" << MoveColour(row.moved)
        << "\" stroke-dasharray=\"" << MoveDash(row.moved) << "\"/>\n";
  }
  svg << "</g>\n";
}

void DrawLegend(std::ostream& svg, int top, int width, const PictureWords& words) {
  const int column_width = (width - 2 * kMargin) / kLegendColumns;
  svg << "<g class=\"legend\" font-size=\"" << kLegendSize << "\" fill=\"" << kInk << "\">\n";
  for (int item = 0; item < kLegendItems; ++item) {
    const int x = kMargin + (item % kLegendColumns) * column_width;
    const int middle = top + (item / kLegendColumns) * kLegendRowHeight + kLegendRowHeight / 2;
    switch (item) {
      case 0:
        svg << "<rect x=\"" << x << "\" y=\"" << middle - 7
            << "\" width=\"26\" height=\"14\" fill=\"" << kCurrentFill << "\"/><rect x=\"" << x
            << "\" y=\"" << middle - 7 << "\" width=\"4\" height=\"14\" fill=\"" << kInk << "\"/>";
        break;
      case 1:
        DrawSelectionMark(svg, x + 8, middle);
        break;
      case 2:
        DrawTriangle(svg, x + 9, middle, true);
        break;
      case 3:
        DrawTriangle(svg, x + 9, middle, false);
        break;
      case 4:
        svg << "<text x=\"" << x << "\" y=\"" << middle + 4 << "\" opacity=\"" << kFaint
            << "\">Abc</text>";
        break;
      case 5:
        svg << "<text x=\"" << x << "\" y=\"" << middle + 4 << "\" fill=\"" << kGreyInk
            << "\" font-style=\"italic\">Abc</text>";
        break;
      case 6:
        svg << "<line x1=\"" << x << "\" y1=\"" << middle << "\" x2=\"" << x + 26 << "\" y2=\""
            << middle << "\" stroke=\"#a8a8a8\" stroke-dasharray=\"3 3\"/>";
        break;
      case 7:
        DrawBadge(svg, x + 10, middle, 1);
        break;
      default:
        DrawDepthBox(svg, x + 2, middle, 12);
        break;
    }
    svg << "<text x=\"" << x + 32 << "\" y=\"" << middle + 4 << "\">" << words.legend[item]
        << "</text>\n";
  }
  svg << "</g>\n";
}

// The names of the list after, with depths, and what moved: for a screen reader.
std::string Description(const PictureCaption& caption, const std::vector<Row>& after,
                        const MoveCount& moved) {
  const PictureWords& words = WordsOf(caption.language);
  const std::string steps = caption.steps.empty()
                                ? std::string(words.no_steps)
                                : Fill(words.quoted_steps, "steps", caption.steps);
  std::string text = Fill(Fill(words.introduction, "document", caption.document), "steps", steps);
  std::vector<const Row*> objects;
  const Row* current = nullptr;
  for (const Row& row : after) {
    if (row.slot.empty) continue;
    objects.push_back(&row);
    if (row.slot.current) current = &row;
  }
  if (moved.numbered == 0) {
    text += words.nothing_moved;
  } else {
    text += Fill(moved.named == 1 ? words.moved_one : words.moved_many, "n",
                 std::to_string(moved.named));
    const int carried = moved.numbered - moved.named;
    if (carried > 0) {
      text += Fill(moved.named == 1 ? words.carried_one : words.carried_many, "n",
                   std::to_string(carried));
    }
  }
  text += words.after_list;
  const std::size_t shown = std::min(objects.size(), kNamesInDescription);
  for (std::size_t i = 0; i < shown; ++i) {
    const Row& row = *objects[i];
    text += (i ? words.separator : "") + row.slot.name;
    std::string marks;
    if (row.slot.depth != 0) marks = Fill(words.depth, "n", std::to_string(row.slot.depth));
    if (row.moved) marks += (marks.empty() ? "" : words.separator) + std::string(words.moved_mark);
    if (!marks.empty()) text += Fill(words.marks, "marks", marks);
  }
  if (objects.empty()) text += words.no_objects;
  if (objects.size() > shown) text += Fill(words.more, "n", std::to_string(objects.size() - shown));
  text += words.list_end;
  if (current) text += Fill(words.current, "name", current->slot.name);
  return XmlText(text);
}

}  // namespace

std::string DrawBeforeAndAfter(const PictureCaption& caption, const PictureSide& before_side,
                               const PictureSide& after_side) {
  int before_bottom = 0;
  int after_bottom = 0;
  std::vector<Row> before = ReadSide(before_side, &before_bottom);
  std::vector<Row> after = ReadSide(after_side, &after_bottom);
  const MoveCount moved = PairMovedObjects(before_side, after_side, before, after);
  const int width = 2 * kMargin + 2 * kColumnWidth + kBetween;
  const int legend_top = std::max(before_bottom, after_bottom) + kLegendTop;
  const int legend_rows = (kLegendItems + kLegendColumns - 1) / kLegendColumns;
  const int height = legend_top + legend_rows * kLegendRowHeight + kMargin;
  const int after_left = kMargin + kColumnWidth + kBetween;
  const PictureWords& words = WordsOf(caption.language);
  const std::string steps = caption.steps.empty() ? words.no_steps : caption.steps;

  std::ostringstream svg;
  svg << "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\"" << width
      << "\" height=\"" << height << "\" viewBox=\"0 0 " << width << " " << height
      << "\" font-family=\"sans-serif\">\n"
      << "<title>" << XmlText(Fill(Fill(words.title, "steps", steps), "document", caption.document))
      << "</title>\n"
      << "<desc>" << Description(caption, after, moved) << "</desc>\n"
      << "<rect width=\"" << width << "\" height=\"" << height << "\" fill=\"#fff\"/>\n"
      << "<g font-size=\"" << kNameSize << "\" font-weight=\"bold\" fill=\"" << kInk
      << "\"><text x=\"" << kMargin << "\" y=\"" << kHeadingBaseline << "\">" << words.before
      << "</text><text x=\"" << after_left << "\" y=\"" << kHeadingBaseline << "\">"
      << XmlText(Fill(words.after, "steps", steps), kColumnWidth) << "</text></g>\n";
  DrawMoveLines(svg, before, after, moved.numbered);
  DrawSide(svg, "before", before, kMargin, before_bottom, true);
  DrawSide(svg, "after", after, after_left, after_bottom, false);
  DrawLegend(svg, legend_top, width, words);
  svg << "</svg>\n";
  return svg.str();
}

}  // namespace rowshift::tool
