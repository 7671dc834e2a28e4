#include "tools/settings_file/settings_file.h"

#include <filesystem>
#include <system_error>
#include <utility>

#include "tools/files/whole_file.h"
#include "tools/settings_file/settings_file_line_ends.h"
#include "tools/settings_file/settings_file_tree.h"
#include "tools/settings_file/settings_file_warnings.h"

namespace rowshift::tool {
namespace {

constexpr char kLeftAsItIs[] = "; the file was left as it is";

// The document as the file holds it, its lines ended with CR LF when `crlf`.
std::string Saved(const pugi::xml_document& document, pugi::xml_encoding encoding,
                  bool byte_order_mark, bool crlf) {
  std::string text = SavedText(document, encoding, byte_order_mark);
  return crlf ? WithCrLfLineEnds(text, encoding) : text;
}

// Why `read`, saved as it is, would not read as it does now, or nothing: the
// last guard of a user's file against a way of writing XML that reads
// otherwise, which the named rules do not catch.
std::optional<std::string> ReadsOtherwiseSaved(const SettingsText& read, bool crlf) {
  SettingsText reread;
  if (ReadSettingsText(Saved(read.document, read.encoding, read.byte_order_mark, crlf), &reread) ||
      reread.encoding != read.encoding || reread.byte_order_mark != read.byte_order_mark) {
    return std::string("cannot be written back so that it reads the same");
  }
  if (FirstDifference(read.tree, reread.tree, EmptyText::kIsText)) {
    return std::string("cannot be written back so that it reads the same");
  }
  return std::nullopt;
}

}  // namespace

bool SettingsFile::Read(const std::string& path, std::string* error) {
  // A settings file kept through a symbolic link stays a link: the file it
  // leads to is read and, later, written, so it is resolved once, here.
  const std::optional<std::string> linked = LinkedFile(path);
  if (!linked) {
    *error = "the settings file '" + path +
             "' is a symbolic link that cannot be followed to a file" + kLeftAsItIs;
    return false;
  }
  std::error_code status;
  if (std::filesystem::is_symlink(path, status) && std::filesystem::is_directory(*linked, status)) {
    *error =
        "the settings file '" + path + "' is a link to the folder '" + *linked + "'" + kLeftAsItIs;
    return false;
  }
  std::string bytes;
  if (std::filesystem::exists(*linked, status)) {
    if (const std::optional<std::string> reason = ReadWholeFile(*linked, &bytes)) {
      *error = "cannot read the settings file '" + path + "': " + *reason;
      return false;
    }
  }
  SettingsText read;
  if (!IsBlank(bytes)) {
    std::optional<std::string> fault = ReadSettingsText(bytes, &read);
    if (!fault) fault = ReadsOtherwiseSaved(read, EndsLinesWithCrLf(bytes, read.encoding));
    if (fault) {
      *error = "the settings file '" + path + "' " + *fault + kLeftAsItIs;
      return false;
    }
  }
  path_ = path;
  file_ = *linked;
  document_ = std::move(read.document);
  encoding_ = read.encoding;
  byte_order_mark_ = read.byte_order_mark;
  crlf_ = !IsBlank(bytes) && EndsLinesWithCrLf(bytes, read.encoding);
  if (IsBlank(bytes)) {
    tree_.reset();
  } else {
    tree_ = std::move(read.tree);
  }
  return true;
}

bool SettingsFile::Write(const standin::SettingsNode& root, std::string* error) {
  pugi::xml_document merged;
  merged.reset(document_);
  pugi::xml_node element = merged.document_element();
  if (!element) {
    element = merged.append_child(root.name.c_str());
  } else if (root.name != element.name()) {
    const pugi::xml_node renamed = merged.insert_child_before(root.name.c_str(), element);
    merged.remove_child(element);
    element = renamed;
  }
  MergeInto(element, root);

  const std::string saved = Saved(merged, encoding_, byte_order_mark_, crlf_);
  const std::string cannot = "cannot write the settings file '" + path_ + "': ";
  SettingsText reread;
  if (const std::optional<std::string> fault = ReadSettingsText(saved, &reread)) {
    *error = cannot + "the settings to be saved would make a file that " + *fault + kLeftAsItIs;
    return false;
  }
  if (reread.encoding != encoding_) {
    *error = cannot + "the settings to be saved would make a file that reads in another encoding" +
             kLeftAsItIs;
    return false;
  }
  if (const std::optional<std::string> differs =
          FirstDifference(root, reread.tree, EmptyText::kIsNone)) {
    *error = cannot + "the settings to be saved would read otherwise, at " + *differs + kLeftAsItIs;
    return false;
  }
  if (const std::optional<std::string> reason = ReplaceFile(file_, saved)) {
    *error = cannot + *reason;
    return false;
  }
  document_ = std::move(merged);
  tree_ = std::move(reread.tree);
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
  if (!tree_) return {};
  return StoredValuesChangedBy(*tree_, root);
}

}  // namespace rowshift::tool
