// The line ends of a settings file, kept when it is written again: XML reads
// CR LF as LF, and the file is saved with LF unless it is told otherwise.
#pragma once

#include <pugixml.hpp>
#include <string>

namespace rowshift::tool {

// Whether the first line of `bytes`, in `encoding`, ends in CR LF.
bool EndsLinesWithCrLf(const std::string& bytes, pugi::xml_encoding encoding);

// `text` in `encoding` with every LF written as CR LF.
std::string WithCrLfLineEnds(const std::string& text, pugi::xml_encoding encoding);

}  // namespace rowshift::tool
