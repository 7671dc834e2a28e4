// The host's settings document kept as an XML file between runs.
//
// The file holds the stand-in host's settings tree as it is: one XML element
// per settings element, its text as the element's text.
#pragma once

#include <string>

namespace rowshift::tool {

// Replaces the stand-in host's settings document with the file's tree. A file
// that does not exist, or holds nothing but white space, gives a fresh
// document. False, with `error` set and the document unchanged, for a file
// that cannot be read or is not well-formed XML; the file is not touched.
bool LoadSettingsFile(const std::string& path, std::string* error);

// Writes the stand-in host's settings document to the file, replacing it.
// False, with `error` set, when the file cannot be written.
bool SaveSettingsFile(const std::string& path, std::string* error);

}  // namespace rowshift::tool
