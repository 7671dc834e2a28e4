// Text in the system's active code page beside the same text in UTF-8, for the
// code pages the suites meet: UTF-8 on Linux, 932 (Japanese) under the Wine
// runner, and 1252 on a Western Windows. Only the rows of the code page in
// effect apply.
#pragma once

#include <vector>

namespace rowshift::testing {

inline constexpr int kActiveCodePage = ROWSHIFT_TEST_ACTIVE_CODE_PAGE;
inline constexpr int kUtf8CodePage = 65001;
inline constexpr int kWesternCodePage = 1252;
inline constexpr int kJapaneseCodePage = 932;

struct SystemTextCase {
  int code_page;
  const char* system_text;
  const char* utf8;
};

// "Größe", "設定" (settings), half-width "ｶﾅ" and the euro sign, spelled in
// each code page.
inline constexpr SystemTextCase kSystemTextCases[] = {
    {kUtf8CodePage, "PosX", "PosX"},
    {kUtf8CodePage,
     "Gr\xC3\xB6\xC3\x9F"
     "e",
     "Gr\xC3\xB6\xC3\x9F"
     "e"},
    {kUtf8CodePage, "\xE8\xA8\xAD\xE5\xAE\x9A", "\xE8\xA8\xAD\xE5\xAE\x9A"},
    {kWesternCodePage, "PosX", "PosX"},
    {kWesternCodePage,
     "Gr\xF6\xDF"
     "e",
     "Gr\xC3\xB6\xC3\x9F"
     "e"},
    {kWesternCodePage, "\x80", "\xE2\x82\xAC"},
    {kJapaneseCodePage, "PosX", "PosX"},
    {kJapaneseCodePage, "\x90\xDD\x92\xE8", "\xE8\xA8\xAD\xE5\xAE\x9A"},
    {kJapaneseCodePage, "\xB6\xC5", "\xEF\xBD\xB6\xEF\xBE\x85"},
    // "表ソ": double-byte characters whose second byte is a backslash.
    {kJapaneseCodePage, "\x95\x5C\x83\x5C", "\xE8\xA1\xA8\xE3\x82\xBD"},
};

inline std::vector<SystemTextCase> ActiveCodePageCases() {
  std::vector<SystemTextCase> rows;
  for (const SystemTextCase& row : kSystemTextCases) {
    if (row.code_page == kActiveCodePage) rows.push_back(row);
  }
  return rows;
}

}  // namespace rowshift::testing
