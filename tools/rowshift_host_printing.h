// How rowshift-host shows things to the person running it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tools/rowshift_host_plugin.h"

namespace rowshift::tool {

// Every line of `text` with `indent` spaces in front; "(no objects)" for an
// empty text.
std::string Indented(const std::string& text, int indent);

// A plug-in's answer with what it means: "1 (done)", "-1 (nothing to act on)".
std::string DescribeResult(int32_t result);

// Who the plug-in says it is, and where it was loaded from.
std::string DescribeIdentity(const PluginIdentity& identity, const std::string& path);

// The sub-commands as the host lists them: position, key and title.
std::string DescribeSubcommands(const std::vector<Subcommand>& subcommands);

// `text` with each line break written as \n, to keep it on one line.
std::string OnOneLine(const std::string& text);

// The host calls made during one step, one per line, marked as calls.
std::string DescribeCalls(const std::vector<std::string>& calls, int indent);

}  // namespace rowshift::tool
