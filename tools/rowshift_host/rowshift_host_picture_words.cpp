#include "tools/rowshift_host/rowshift_host_picture_words.h"

#include <algorithm>
#include <cstddef>
#include <vector>

namespace rowshift::tool {
namespace {

constexpr std::size_t kNamesInDescription = 12;

// The words of a picture in one language, with "{...}" filled in.
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
  const char* current;   // {name}
  const char* left_out;  // {n}: rows of a large document not drawn
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
    "… {n} rows …",
};

// In the modeller's own Japanese terms, as the Japanese guide uses them:
// カレントオブジェクト, 折りたたみ, and 畳まれた for the rows folded under a
// collapsed object (非表示 is a hidden object, another thing).
constexpr PictureWords kJapaneseWords = {
    "Rowshift: {document} で {steps}",
    "実行前",
    "実行後: {steps}",
    "操作なし",
    {"カレント", "選択", "折りたたみ", "展開", "畳まれた行", "操作の対象外", "空きスロット",
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
    "… {n} 行 …",
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

std::string StepsOrNone(const PictureCaption& caption) {
  return caption.steps.empty() ? WordsOf(caption.language).no_steps : caption.steps;
}

// 12345 as "12,345".
std::string GroupedDigits(std::size_t number) {
  std::string digits = std::to_string(number);
  constexpr std::size_t kGroup = 3;
  for (std::size_t at = digits.size(); at > kGroup; at -= kGroup) digits.insert(at - kGroup, ",");
  return digits;
}

}  // namespace

std::string PictureTitle(const PictureCaption& caption) {
  return Fill(Fill(WordsOf(caption.language).title, "steps", StepsOrNone(caption)), "document",
              caption.document);
}

std::string BeforeHeading(PictureLanguage language) { return WordsOf(language).before; }

std::string AfterHeading(const PictureCaption& caption) {
  return Fill(WordsOf(caption.language).after, "steps", StepsOrNone(caption));
}

std::string LegendText(PictureLanguage language, LegendItem item) {
  return WordsOf(language).legend[static_cast<int>(item)];
}

std::string LeftOutText(PictureLanguage language, std::size_t rows) {
  return Fill(WordsOf(language).left_out, "n", GroupedDigits(rows));
}

std::string PictureDescription(const PictureCaption& caption, const PictureRows& rows) {
  const PictureWords& words = WordsOf(caption.language);
  const std::string steps = caption.steps.empty()
                                ? std::string(words.no_steps)
                                : Fill(words.quoted_steps, "steps", caption.steps);
  std::string text = Fill(Fill(words.introduction, "document", caption.document), "steps", steps);
  std::vector<const PictureRow*> objects;
  const PictureRow* current = nullptr;
  for (const PictureRow& row : rows.after) {
    if (row.slot().empty) continue;
    objects.push_back(&row);
    if (row.slot().current) current = &row;
  }
  if (rows.numbered == 0) {
    text += words.nothing_moved;
  } else {
    text +=
        Fill(rows.named == 1 ? words.moved_one : words.moved_many, "n", std::to_string(rows.named));
    const int carried = rows.numbered - rows.named;
    if (carried > 0) {
      text += Fill(rows.named == 1 ? words.carried_one : words.carried_many, "n",
                   std::to_string(carried));
    }
  }
  text += words.after_list;
  const std::size_t shown = std::min(objects.size(), kNamesInDescription);
  for (std::size_t i = 0; i < shown; ++i) {
    const PictureRow& row = *objects[i];
    text += (i ? words.separator : "") + row.slot().name;
    std::string marks;
    if (row.slot().depth != 0) marks = Fill(words.depth, "n", std::to_string(row.slot().depth));
    if (row.moved) marks += (marks.empty() ? "" : words.separator) + std::string(words.moved_mark);
    if (!marks.empty()) text += Fill(words.marks, "marks", marks);
  }
  if (objects.empty()) text += words.no_objects;
  if (objects.size() > shown) text += Fill(words.more, "n", std::to_string(objects.size() - shown));
  text += words.list_end;
  if (current) text += Fill(words.current, "name", current->slot().name);
  return text;
}

}  // namespace rowshift::tool
