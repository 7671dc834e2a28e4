// What an outline file's bytes are when they are not the UTF-8 text that
// rowshift-host reads, named so that the person running it knows what to do.
#pragma once

#include <optional>
#include <string>

namespace rowshift::tool {

// Nothing for well-formed UTF-8 without NUL bytes. Otherwise, in words:
// "not UTF-8 text; it looks like UTF-16 (save it as UTF-8)" for a UTF-16
// byte-order mark, or NUL bytes that read as UTF-16 text, with or without a
// mark; "not text: it looks like a binary file (it holds NUL bytes)"; or, for
// the first line that is not UTF-8, what it reads as: "not UTF-8 text: line 3
// reads as Shift_JIS; save it as UTF-8" (Shift_JIS, EUC-JP or Windows-1252),
// or "... line 3 holds a byte that is not UTF-8 (\xFF) ...". Lines are counted
// as the outline reader counts them: LF, CRLF or a lone CR ends one.
std::optional<std::string> NotUtf8Text(const std::string& bytes);

}  // namespace rowshift::tool
