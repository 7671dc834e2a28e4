// A settings file's bytes read as XML, and every rule of what a settings file
// may hold: one root element, beside it nothing but comments, processing
// instructions, an XML declaration that opens the file and a doctype before
// the root; no NUL character, no deeper nesting than kSettingsDepthLimit,
// no attributes, no entities but XML's own five and no reference to what no
// text can hold; a declaration with version, encoding and standalone alone.
// Each refusal is in words, with its line and column where they can be counted.
#pragma once

#include <optional>
#include <pugixml.hpp>
#include <string>

#include "standin/settings_control.h"

namespace rowshift::tool {

// The deepest nesting of elements a settings file may hold; the root is level 1.
inline constexpr int kSettingsDepthLimit = 256;

// What a settings file's bytes hold, read.
struct SettingsText {
  pugi::xml_document document;
  pugi::xml_encoding encoding = pugi::encoding_utf8;
  // A byte-order mark decides the encoding ahead of a declaration, so one that
  // was there stays; UTF-16 and UTF-32 always have one.
  bool byte_order_mark = false;
  standin::SettingsNode tree;
};

// Whether `bytes` hold nothing but white space: no settings at all.
bool IsBlank(const std::string& bytes);

// Reads `bytes` (not blank) into `read`. What breaks a rule, in words that
// follow "the settings file 'F' " ("is not well-formed XML: ..., at line 2,
// column 5"), or nothing; `read` then holds what was read.
std::optional<std::string> ReadSettingsText(const std::string& bytes, SettingsText* read);

}  // namespace rowshift::tool
