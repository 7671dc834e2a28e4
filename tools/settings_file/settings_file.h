// The host's settings document kept as an XML file between runs.
//
// The file holds one root element; each XML element is one settings element,
// its text the element's text. Attributes cannot be kept, so a file that has
// any is refused. Comments, processing instructions, the declaration and the
// doctype are not part of the settings but are written back where they stood.
// Writing the tree that was read gives the same settings, and writing a file
// the second time without a change gives the same bytes as the first time.
#pragma once

#include <optional>
#include <pugixml.hpp>
#include <string>
#include <vector>

#include "standin/settings_control.h"
#include "tools/settings_file/settings_file_reading.h"

namespace rowshift::tool {

class SettingsFile {
 public:
  // The deepest nesting of elements a file may hold; the root is level 1.
  static constexpr int kDepthLimit = kSettingsDepthLimit;

  // Reads the file at `path`; for a symbolic link, the file it leads to, which
  // Write then writes, so the link stays a link. A file that does not exist
  // (a dangling link's target too), or holds nothing but white space, reads as
  // no tree. False, with `error` set, for a link to a folder, a loop of links,
  // and a file that cannot be read, breaks a rule of settings_file_reading.h
  // (not well-formed XML, too deep, attributes, an entity XML does not define
  // itself, ...), or, saved as it is, would read otherwise; a refused file is
  // never written, and this object is left as it was before the call.
  // Errors say what is wrong in words, with line and column, and give the
  // system's reason when the file cannot be read.
  bool Read(const std::string& path, std::string* error);

  // Whether the file read can be written now: false, with `error` set and the
  // reason, when it cannot (a read-only file among them). Nothing is changed.
  bool CheckWritable(std::string* error) const;

  // Warnings for each stored value that `root`, to be saved, changes without
  // the user having changed it (see StoredValuesChangedBy), each saying what
  // is saved instead.
  std::vector<std::string> ValuesChangedOnSave(const standin::SettingsNode& root) const;

  // The settings tree of the file read; none for a missing or blank file.
  const std::optional<standin::SettingsNode>& Tree() const { return tree_; }

  // Writes `root` to the file read, keeping its comments, processing
  // instructions, declaration and doctype, its encoding, byte-order mark and
  // line ends, and its owner, group and permission bits. What is
  // to be saved is read back first, by the rules Read holds a file to; when it
  // would be refused or read as another tree than `root` (an empty text may
  // read as none), nothing is written. The file is replaced whole, so a failed
  // write leaves it, and this object, as they were. False, with `error` set,
  // when it cannot be written. Only after a successful Read.
  bool Write(const standin::SettingsNode& root, std::string* error);

 private:
  std::string path_;  // as given
  std::string file_;  // the file read and written: path_ or the target of its links
  pugi::xml_document document_;
  // The file's encoding, whether it had a byte-order mark and whether its
  // lines end in CR LF, kept when writing.
  pugi::xml_encoding encoding_ = pugi::encoding_utf8;
  bool byte_order_mark_ = false;
  bool crlf_ = false;
  std::optional<standin::SettingsNode> tree_;
};

}  // namespace rowshift::tool
