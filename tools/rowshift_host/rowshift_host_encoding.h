// What an outline file's bytes are when they are not the UTF-8 text that
// rowshift-host reads, named so that the person running it knows what to do.
#pragma once

#include <optional>
#include <string>

namespace rowshift::tool {

// Nothing for well-formed UTF-8 without NUL bytes. Otherwise, in words:
// "not UTF-8 text; it looks like UTF-16 (save it as UTF-8)" (or UTF-32) for a
// byte-order mark of one, or for NUL bytes where the text decodes as that
// encoding and not as the other; else where the first NUL byte or the first
// byte that is not UTF-8 stands: "not UTF-8 text: line 3, column 5 holds a
// byte that is not UTF-8 (\xFF); save it as UTF-8". Byte encodings are not
// named: most text in one decodes as several. Lines and columns are counted
// as the outline reader counts them (outline::PlaceOf).
std::optional<std::string> NotUtf8Text(const std::string& bytes);

}  // namespace rowshift::tool
