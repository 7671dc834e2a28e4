// The settings tree and the XML document that holds it: the tree read from a
// root element, a tree merged into a document so that what is not settings
// stays, the document saved as the settings file's text, and where two trees
// differ.
#pragma once

#include <optional>
#include <pugixml.hpp>
#include <string>

#include "standin/settings_control.h"

namespace rowshift::tool {

// The settings tree `root` holds: each element a node, its text all its text
// and CDATA children together, none when it has none. Comments and
// processing instructions are not part of it.
standin::SettingsNode SettingsTreeOf(const pugi::xml_node& root);

// Makes the element `top` hold `wanted`: its text replaced only when it
// changed (an empty text is written as none), child elements matched by
// position and name, replaced, added or removed. Every other node (comment,
// processing instruction) stays where it stood.
void MergeInto(pugi::xml_node top, const standin::SettingsNode& wanted);

// The document as the settings file holds it, in `encoding`, with a byte-order
// mark when `byte_order_mark`: indented two spaces a level, except a document
// nested too deep for indentation to stay small, which is written on one line.
std::string SavedText(const pugi::xml_document& document, pugi::xml_encoding encoding,
                      bool byte_order_mark);

// How texts compare: as they are, or with an empty text taken as none, which
// is how MergeInto writes it and how the plug-in reads both.
enum class EmptyText { kIsText, kIsNone };

// The first element, in document order, where `a` and `b` differ in name,
// text or number of children, as its path in `a` ("<root>/<pluginsettings>");
// none when they are the same tree.
std::optional<std::string> FirstDifference(const standin::SettingsNode& a,
                                           const standin::SettingsNode& b, EmptyText empty);

}  // namespace rowshift::tool
