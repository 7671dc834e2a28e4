// How rowshift-host shows things to the person running it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "loader/plugin_module.h"
#include "standin/control_table.h"

namespace rowshift::tool {

// A document's outline as printed: at the left margin, so that it reads back as
// it is; without empty slots when `compact`; "(no objects)" when empty.
std::string PrintedDocument(const std::string& outline_text, bool compact);

// Who the plug-in says it is, and where it was loaded from.
std::string DescribeIdentity(const loader::PluginIdentity& identity, const std::string& path);

// The sub-commands as the host lists them: position, key and title.
std::string DescribeSubcommands(const std::vector<loader::Subcommand>& subcommands);

// `text` with every byte that is not part of well-formed UTF-8 written as
// \xNN, as control characters already are in a quoted line.
std::string WithBytesEscaped(const std::string& text);

// `text` with each line break written as \n, to keep it on one line.
std::string OnOneLine(const std::string& text);

// The host calls in the host's log (those of one step), one per line, marked
// as calls, in words: value ids, settings requests and host messages by name,
// a copy the plug-in made told from its original ("Vase (copy)"), and no
// addresses.
std::string DescribeCalls(const standin::ControlTable& host);

// A widget property's value as text: "Rowshift", 0.2, true; an address only as
// "(address)".
std::string DescribeWidgetValue(const std::string& value);

}  // namespace rowshift::tool
