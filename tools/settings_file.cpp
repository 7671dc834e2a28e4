#include "tools/settings_file.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <iterator>
#include <map>
#include <sstream>
#include <system_error>
#include <utility>
#include <vector>

#include "tools/whole_file.h"

namespace rowshift::tool {
namespace {

constexpr char kIndent[] = "  ";
// Deeper files are written without indentation, which would otherwise grow
// with the square of their depth.
constexpr int kDeepestIndentedLevel = 32;
constexpr char kLeftAsItIs[] = "; the file was left as it is";
// Fragment parsing keeps text outside the root element, so it can be refused
// rather than silently dropped.
constexpr unsigned kParseOptions = pugi::parse_full | pugi::parse_fragment;
constexpr std::size_t kLongestEntityShown = 32;
// Digits of the longest 32-bit number.
constexpr std::size_t kLongestNumber = 10;
// The window position the plug-in stores, each read as none when negative.
const char* const kPositionElements[] = {"PosX", "PosY"};

bool IsBlank(const std::string& text) {
  for (char c : text) {
    if (!std::isspace(static_cast<unsigned char>(c))) return false;
  }
  return true;
}

std::size_t CodeUnitSize(pugi::xml_encoding encoding) {
  switch (encoding) {
    case pugi::encoding_utf16_le:
    case pugi::encoding_utf16_be:
      return 2;
    case pugi::encoding_utf32_le:
    case pugi::encoding_utf32_be:
      return 4;
    default:
      return 1;
  }
}

// The parser stops at a NUL character as if the text ended there.
bool HoldsNul(const std::string& bytes, pugi::xml_encoding encoding) {
  const std::size_t unit = CodeUnitSize(encoding);
  for (std::size_t at = 0; at + unit <= bytes.size(); at += unit) {
    if (bytes.find_first_not_of('\0', at) >= at + unit) return true;
  }
  return false;
}

constexpr char kUtf8ByteOrderMark[] = "\xEF\xBB\xBF";

// "line 3, column 7" for a byte offset into a file of one-byte code units;
// "at byte N" where lines cannot be counted in bytes.
std::string PlaceOf(const std::string& bytes, std::ptrdiff_t offset, pugi::xml_encoding encoding) {
  const auto at = static_cast<std::size_t>(std::max<std::ptrdiff_t>(offset, 0));
  if (CodeUnitSize(encoding) > 1 || at > bytes.size()) return "at byte " + std::to_string(at);
  std::size_t line = 1;
  std::size_t line_start = 0;
  for (std::size_t i = 0; i < at; ++i) {
    if (bytes[i] == '\n') {
      ++line;
      line_start = i + 1;
    }
  }
  return "line " + std::to_string(line) + ", column " + std::to_string(at - line_start + 1);
}

// The innermost element the parser had open when it stopped.
pugi::xml_node OpenElementNode(const pugi::xml_document& document) {
  pugi::xml_node open;
  for (pugi::xml_node node = document.last_child(); node; node = node.last_child()) {
    if (node.type() != pugi::node_element) break;
    open = node;
  }
  return open;
}

std::string OpenElement(const pugi::xml_document& document) {
  const pugi::xml_node open = OpenElementNode(document);
  return open ? std::string(open.name()) : std::string();
}

// What the parser found wrong, in words.
std::string ParseFault(const pugi::xml_parse_result& parsed, const pugi::xml_document& document,
                       const std::string& bytes) {
  const std::string open = OpenElement(document);
  switch (parsed.status) {
    case pugi::status_end_element_mismatch:
      if (open.empty()) return "an end tag without its start tag";
      // No end tag after the open element's start: the file ended first.
      if (bytes.find("</", static_cast<std::size_t>(std::max<std::ptrdiff_t>(
                               OpenElementNode(document).offset_debug(), 0))) ==
          std::string::npos) {
        return "<" + open + "> is never closed: the file ends first";
      }
      return "an end tag that does not close <" + open + ">, the element open there";
    case pugi::status_unrecognized_tag:
      return "a '<' that starts no tag";
    case pugi::status_bad_pi:
      return "a processing instruction that is not closed with '?>'";
    case pugi::status_bad_comment:
      return "a comment that is not closed with '-->'";
    case pugi::status_bad_cdata:
      return "a CDATA section that is not closed with ']]>'";
    case pugi::status_bad_doctype:
      return "a doctype that is not closed";
    case pugi::status_bad_pcdata:
      return "text that cannot be read";
    case pugi::status_bad_start_element:
      return "a start tag that is not closed with '>'";
    case pugi::status_bad_attribute:
      return "an attribute without a quoted value";
    case pugi::status_bad_end_element:
      return "an end tag that is not closed with '>'";
    default:
      return parsed.description();
  }
}

bool IsNamedEntity(const std::string& name) {
  return name == "lt" || name == "gt" || name == "amp" || name == "apos" || name == "quot";
}

bool IsCharacterReference(const std::string& name) {
  if (name.size() < 2 || name[0] != '#') return false;
  const bool hex = name[1] == 'x';
  const std::size_t digits = hex ? 2 : 1;
  if (name.size() <= digits) return false;
  return std::all_of(name.begin() + static_cast<std::ptrdiff_t>(digits), name.end(),
                     [hex](unsigned char c) { return hex ? std::isxdigit(c) : std::isdigit(c); });
}

// What a character reference names that no text can hold, or nothing: NUL,
// at which the parser's text would end, a number beyond Unicode, which the
// parser cuts to 32 bits (so to NUL, or to another character), or a surrogate.
const char* ReferenceFault(const std::string& reference) {
  const bool hex = reference.compare(0, 2, "#x") == 0;
  constexpr unsigned long kLastCharacter = 0x10FFFF;
  unsigned long value = 0;
  for (std::size_t at = hex ? 2 : 1; at < reference.size() && value <= kLastCharacter; ++at) {
    const auto digit = static_cast<unsigned char>(std::tolower(reference[at]));
    value = value * (hex ? 16 : 10) + (std::isdigit(digit) ? digit - '0' : digit - 'a' + 10);
  }
  if (value == 0) return "a reference to the NUL character, which no text can hold";
  if (value > kLastCharacter) {
    return "a reference to a number beyond Unicode, which names no character";
  }
  if (value >= 0xD800 && value <= 0xDFFF) {
    return "a reference to a surrogate, which is half of a character and no character itself";
  }
  return nullptr;
}

// The first '&' in the text of the file that starts no entity XML defines:
// the parser would keep such an entity as text and it would be saved as text.
// Also the first reference to no character (NUL would cut the text short).
std::optional<std::string> EntityFault(const std::string& bytes, pugi::xml_encoding encoding) {
  pugi::xml_document raw;
  if (!raw.load_buffer(bytes.data(), bytes.size(), kParseOptions & ~pugi::parse_escapes)) {
    return std::nullopt;
  }
  std::optional<std::string> fault;
  struct Walker : pugi::xml_tree_walker {
    std::function<bool(pugi::xml_node&)> visit;
    bool for_each(pugi::xml_node& node) override { return visit(node); }
  } walker;
  walker.visit = [&](pugi::xml_node& node) {
    if (node.type() != pugi::node_pcdata) return true;
    const std::string text = node.value();
    for (std::size_t at = text.find('&'); at != std::string::npos; at = text.find('&', at + 1)) {
      const std::size_t end = text.find(';', at);
      const std::string name = end == std::string::npos ? "" : text.substr(at + 1, end - at - 1);
      const bool reference = IsCharacterReference(name);
      const char* reference_fault = reference ? ReferenceFault(name) : nullptr;
      if (IsNamedEntity(name) || (reference && !reference_fault)) continue;
      const std::string shown = end == std::string::npos || end - at > kLongestEntityShown
                                    ? std::string("&")
                                    : text.substr(at, end - at + 1);
      const char* what = reference ? reference_fault
                                   : "which is no entity of XML's own (&lt; &gt; &amp; &apos; "
                                     "&quot;)";
      std::string message = "has '" + shown + "', ";
      message += what;
      message += ", at ";
      message += PlaceOf(bytes, node.offset_debug() + static_cast<std::ptrdiff_t>(at), encoding);
      fault = std::move(message);
      return false;
    }
    return true;
  };
  raw.traverse(walker);
  return fault;
}

// A whole number as the plug-in writes one: "-12", "0"; not "012", "+1",
// "1e3" or a number beyond 32 bits, which it would read otherwise.
bool IsWrittenNumber(const std::string& text) {
  const std::size_t digits = text.compare(0, 1, "-") == 0 ? 1 : 0;
  if (text.size() == digits || text.size() - digits > kLongestNumber) return false;
  if (!std::all_of(text.begin() + static_cast<std::ptrdiff_t>(digits), text.end(),
                   [](unsigned char c) { return std::isdigit(c) != 0; })) {
    return false;
  }
  if (text[digits] == '0' && (text.size() > digits + 1 || digits == 1)) return false;
  const long long value = std::stoll(text);
  return value >= INT32_MIN && value <= INT32_MAX;
}

bool IsStoredPosition(const std::string& name) {
  return std::find(std::begin(kPositionElements), std::end(kPositionElements), name) !=
         std::end(kPositionElements);
}

void CollectValuesChangedOnSave(const standin::SettingsNode& old_node,
                                const standin::SettingsNode& new_node, const std::string& path,
                                std::vector<std::string>* warnings) {
  const std::string here =
      path.empty() ? "<" + new_node.name + ">" : path + "/<" + new_node.name + ">";
  const std::string old_text = old_node.text.value_or("");
  const std::string new_text = new_node.text.value_or("");
  // A value the plug-in changed on purpose was one it wrote itself.
  if (old_text != new_text && IsWrittenNumber(new_text)) {
    if (!IsWrittenNumber(old_text)) {
      warnings->push_back("the stored value \"" + old_text + "\" of " + here +
                          " is not a number as the plug-in writes one (whole, decimal, 32 bits); "
                          "it will be saved as " +
                          new_text);
    } else if (old_text[0] == '-' && IsStoredPosition(new_node.name)) {
      warnings->push_back("the stored position \"" + old_text + "\" of " + here +
                          " is negative, which the plug-in reads as no stored position (the "
                          "window opens where the host puts it); it will be saved as " +
                          new_text);
    }
  }
  // Children are paired by name, the n-th of a name with the n-th of that name.
  std::map<std::string, std::size_t> seen;
  for (const standin::SettingsNode& old_child : old_node.children) {
    std::size_t occurrence = seen[old_child.name]++;
    for (const standin::SettingsNode& new_child : new_node.children) {
      if (new_child.name == old_child.name && occurrence-- == 0) {
        CollectValuesChangedOnSave(old_child, new_child, here, warnings);
        break;
      }
    }
  }
}

bool StartsWith(const std::string& bytes, const std::string& start) {
  return bytes.compare(0, start.size(), start) == 0;
}

// Where a one-byte encoding is read from the declaration, the declaration must
// open the file: written back, it would, and the file would then read otherwise.
bool DeclarationOpens(const std::string& bytes, pugi::xml_encoding encoding) {
  if (CodeUnitSize(encoding) > 1) return true;
  const std::size_t mark = StartsWith(bytes, kUtf8ByteOrderMark) ? 3 : 0;
  return bytes.compare(mark, 5, "<?xml") == 0;
}

bool IsVersionNumber(const std::string& value) {
  return value.size() > 2 && StartsWith(value, "1.") &&
         std::all_of(value.begin() + 2, value.end(),
                     [](unsigned char c) { return std::isdigit(c) != 0; });
}

bool IsEncodingName(const std::string& value) {
  return !value.empty() && std::isalpha(static_cast<unsigned char>(value[0])) &&
         std::all_of(value.begin(), value.end(), [](unsigned char c) {
           return std::isalnum(c) || c == '.' || c == '_' || c == '-';
         });
}

// The declaration, which opens the file, holds what XML lets it hold: version,
// encoding and standalone, in that order, each with a value of its form, and no
// references. Anything else could be written back otherwise (a reference
// resolved, a character the encoding cannot hold as '?'), and the encoding
// would then be read from the declaration otherwise.
std::optional<std::string> DeclarationFault(const pugi::xml_document& document,
                                            const std::string& bytes, pugi::xml_encoding encoding) {
  const pugi::xml_node declaration = document.first_child();
  if (declaration.type() != pugi::node_declaration) return std::nullopt;
  if (CodeUnitSize(encoding) == 1 && bytes.find('&') < bytes.find("?>")) {
    return std::string("an XML declaration with a reference ('&'), which XML does not allow there");
  }
  const std::pair<const char*, bool (*)(const std::string&)> allowed[] = {
      {"version", IsVersionNumber},
      {"encoding", IsEncodingName},
      {"standalone", [](const std::string& value) { return value == "yes" || value == "no"; }}};
  std::size_t next = 0;
  for (const pugi::xml_attribute& attribute : declaration.attributes()) {
    const std::string name = attribute.name();
    while (next < std::size(allowed) && name != allowed[next].first) ++next;
    if (next == std::size(allowed)) {
      return "an XML declaration with '" + name +
             "', where XML allows only version, encoding and standalone, in that order";
    }
    if (!allowed[next].second(attribute.value())) {
      return "an XML declaration whose " + name + " is not one XML allows";
    }
    ++next;
  }
  return std::nullopt;
}

// What stands beside the root element that the file cannot hold, or nothing.
std::optional<std::string> TopLevelFault(const pugi::xml_document& document,
                                         bool declaration_opens) {
  if (!document.document_element()) {
    return std::string("no root element: the file holds no element at all");
  }
  int elements = 0;
  bool first = true;
  for (pugi::xml_node node : document.children()) {
    switch (node.type()) {
      case pugi::node_element:
        if (++elements > 1) return std::string("a second top-level element <") + node.name() + ">";
        break;
      case pugi::node_pcdata:
      case pugi::node_cdata:
        return std::string("text outside the root element");
      case pugi::node_declaration:
        if (!first || !declaration_opens) {
          return std::string("an XML declaration that does not open the file");
        }
        break;
      case pugi::node_doctype:
        if (elements > 0) return std::string("a doctype after the root element");
        break;
      default:
        break;
    }
    first = false;
  }
  if (elements == 0) return std::string("no root element");
  return std::nullopt;
}

// The next node after `node` in document order within `top`'s subtree, and the
// change in element depth on the way; null at the end.
pugi::xml_node NextInSubtree(pugi::xml_node node, const pugi::xml_node& top, int* depth) {
  if (node.first_child()) {
    ++*depth;
    return node.first_child();
  }
  while (node != top && !node.next_sibling()) {
    node = node.parent();
    --*depth;
  }
  return node == top ? pugi::xml_node() : node.next_sibling();
}

// The first element below `root` (itself at level 1) that the settings tree
// cannot hold: one too deep or one with attributes.
std::optional<std::string> ElementFault(const pugi::xml_node& root) {
  int depth = 1;
  for (pugi::xml_node node = root; node; node = NextInSubtree(node, root, &depth)) {
    if (node.type() != pugi::node_element) continue;
    if (depth > SettingsFile::kDepthLimit) {
      return "nests elements more than " + std::to_string(SettingsFile::kDepthLimit) +
             " levels deep";
    }
    if (node.first_attribute()) {
      return std::string("has attributes (on <") + node.name() +
             ">), which the host's settings document cannot keep";
    }
  }
  return std::nullopt;
}

int DeepestLevel(const pugi::xml_node& root) {
  int deepest = 0;
  int depth = 1;
  for (pugi::xml_node node = root; node; node = NextInSubtree(node, root, &depth)) {
    if (node.type() == pugi::node_element && depth > deepest) deepest = depth;
  }
  return deepest;
}

bool IsText(const pugi::xml_node& node) {
  return node.type() == pugi::node_pcdata || node.type() == pugi::node_cdata;
}

// An element's text is all its text children together; none when it has none.
std::optional<std::string> TextOf(const pugi::xml_node& element) {
  std::optional<std::string> text;
  for (pugi::xml_node child : element.children()) {
    if (IsText(child)) text = text.value_or("") + child.value();
  }
  return text;
}

std::vector<pugi::xml_node> ElementChildren(const pugi::xml_node& element) {
  std::vector<pugi::xml_node> children;
  for (pugi::xml_node child : element.children()) {
    if (child.type() == pugi::node_element) children.push_back(child);
  }
  return children;
}

standin::SettingsNode FromXml(const pugi::xml_node& root) {
  standin::SettingsNode tree;
  std::vector<std::pair<pugi::xml_node, standin::SettingsNode*>> pending{{root, &tree}};
  while (!pending.empty()) {
    const auto [element, node] = pending.back();
    pending.pop_back();
    node->name = element.name();
    node->text = TextOf(element);
    const std::vector<pugi::xml_node> children = ElementChildren(element);
    node->children.resize(children.size());
    for (std::size_t i = 0; i < children.size(); ++i) {
      pending.emplace_back(children[i], &node->children[i]);
    }
  }
  return tree;
}

// Makes `top` hold `wanted`: its text replaced only when it changed, child
// elements matched by position and name, replaced, added or removed. Every
// other node (comment, processing instruction) stays where it stood.
void MergeInto(pugi::xml_node top, const standin::SettingsNode& wanted) {
  std::vector<std::pair<pugi::xml_node, const standin::SettingsNode*>> pending{{top, &wanted}};
  while (!pending.empty()) {
    auto [element, node] = pending.back();
    pending.pop_back();
    if (TextOf(element).value_or("") != node->text.value_or("")) {
      for (pugi::xml_node child = element.first_child(); child;) {
        const pugi::xml_node next = child.next_sibling();
        if (IsText(child)) element.remove_child(child);
        child = next;
      }
      if (node->text && !node->text->empty()) {
        element.prepend_child(pugi::node_pcdata).set_value(node->text->c_str());
      }
    }
    const std::vector<pugi::xml_node> present = ElementChildren(element);
    std::size_t i = 0;
    for (; i < node->children.size(); ++i) {
      const standin::SettingsNode& child = node->children[i];
      pugi::xml_node target;
      if (i >= present.size()) {
        target = element.append_child(child.name.c_str());
      } else if (child.name == present[i].name()) {
        target = present[i];
      } else {
        target = element.insert_child_before(child.name.c_str(), present[i]);
        element.remove_child(present[i]);
      }
      pending.emplace_back(target, &child);
    }
    for (; i < present.size(); ++i) element.remove_child(present[i]);
  }
}

// The document as Write saves it.
std::string SavedText(const pugi::xml_document& document, pugi::xml_encoding encoding,
                      bool byte_order_mark) {
  const unsigned layout = DeepestLevel(document.document_element()) <= kDeepestIndentedLevel
                              ? pugi::format_indent
                              : pugi::format_raw;
  std::ostringstream text;
  document.save(text, kIndent, layout | (byte_order_mark ? pugi::format_write_bom : 0), encoding);
  return text.str();
}

bool SameTree(const standin::SettingsNode& a, const standin::SettingsNode& b) {
  if (a.name != b.name || a.text != b.text || a.children.size() != b.children.size()) {
    return false;
  }
  for (std::size_t i = 0; i < a.children.size(); ++i) {
    if (!SameTree(a.children[i], b.children[i])) return false;
  }
  return true;
}

// Whether the document, saved as it is, reads back as `tree` in the same
// encoding: the last guard of a user's file against a way of writing XML that
// reads otherwise, which the checks before it do not name.
bool ReadsBackTheSame(const pugi::xml_document& document, pugi::xml_encoding encoding,
                      bool byte_order_mark, const standin::SettingsNode& tree) {
  const std::string saved = SavedText(document, encoding, byte_order_mark);
  pugi::xml_document reread;
  const pugi::xml_parse_result parsed =
      reread.load_buffer(saved.data(), saved.size(), kParseOptions);
  return parsed && parsed.encoding == encoding && reread.document_element() &&
         SameTree(FromXml(reread.document_element()), tree);
}

}  // namespace

bool SettingsFile::Read(const std::string& path, std::string* error) {
  path_ = path;
  file_ = path;
  document_.reset();
  tree_.reset();
  encoding_ = pugi::encoding_utf8;
  byte_order_mark_ = false;
  // A settings file kept through a symbolic link stays a link: the file it
  // leads to is read and, later, written, so it is resolved once, here.
  const std::optional<std::string> linked = LinkedFile(path);
  if (!linked) {
    *error = "the settings file '" + path +
             "' is a symbolic link that cannot be followed to a file" + kLeftAsItIs;
    return false;
  }
  file_ = *linked;
  std::error_code status;
  if (file_ != path && std::filesystem::is_directory(file_, status)) {
    *error =
        "the settings file '" + path + "' is a link to the folder '" + file_ + "'" + kLeftAsItIs;
    return false;
  }
  if (!std::filesystem::exists(file_, status)) return true;
  std::string bytes;
  if (const std::optional<std::string> reason = ReadWholeFile(file_, &bytes)) {
    *error = "cannot read the settings file '" + path + "': " + *reason;
    return false;
  }
  if (IsBlank(bytes)) return true;

  const auto refuse = [&](const std::string& fault) {
    document_.reset();
    *error = "the settings file '" + path + "' " + fault + kLeftAsItIs;
    return false;
  };
  const pugi::xml_parse_result parsed =
      document_.load_buffer(bytes.data(), bytes.size(), kParseOptions);
  if (!parsed) {
    return refuse("is not well-formed XML: " + ParseFault(parsed, document_, bytes) + ", at " +
                  PlaceOf(bytes, parsed.offset, parsed.encoding));
  }
  if (HoldsNul(bytes, parsed.encoding)) return refuse("is not well-formed XML: a NUL character");
  if (auto fault = TopLevelFault(document_, DeclarationOpens(bytes, parsed.encoding))) {
    return refuse("is not well-formed XML: " + *fault);
  }
  if (auto fault = DeclarationFault(document_, bytes, parsed.encoding)) {
    return refuse("is not well-formed XML: " + *fault);
  }
  if (auto fault = ElementFault(document_.document_element())) return refuse(*fault);
  if (auto fault = EntityFault(bytes, parsed.encoding)) return refuse(*fault);
  // A byte-order mark decides the encoding ahead of a declaration, so one that
  // was there stays; UTF-16 and UTF-32 always get one.
  const bool byte_order_mark =
      CodeUnitSize(parsed.encoding) > 1 || StartsWith(bytes, kUtf8ByteOrderMark);
  standin::SettingsNode tree = FromXml(document_.document_element());
  if (!ReadsBackTheSame(document_, parsed.encoding, byte_order_mark, tree)) {
    return refuse("cannot be written back so that it reads the same");
  }
  encoding_ = parsed.encoding;
  byte_order_mark_ = byte_order_mark;
  tree_ = std::move(tree);
  return true;
}

bool SettingsFile::Write(const standin::SettingsNode& root, std::string* error) {
  pugi::xml_node element = document_.document_element();
  if (!element) {
    element = document_.append_child(root.name.c_str());
  } else if (root.name != element.name()) {
    const pugi::xml_node renamed = document_.insert_child_before(root.name.c_str(), element);
    document_.remove_child(element);
    element = renamed;
  }
  MergeInto(element, root);

  if (const std::optional<std::string> reason =
          ReplaceFile(file_, SavedText(document_, encoding_, byte_order_mark_))) {
    *error = "cannot write the settings file '" + path_ + "': " + *reason;
    return false;
  }
  return true;
}

bool SettingsFile::CheckWritable(std::string* error) const {
  if (const std::optional<std::string> reason = CannotReplace(file_)) {
    *error = "cannot write the settings file '" + path_ + "': " + *reason + " (nothing was run)";
    return false;
  }
  return true;
}

std::vector<std::string> SettingsFile::ValuesChangedOnSave(
    const standin::SettingsNode& root) const {
  std::vector<std::string> warnings;
  if (tree_ && tree_->name == root.name) CollectValuesChangedOnSave(*tree_, root, "", &warnings);
  return warnings;
}

}  // namespace rowshift::tool
