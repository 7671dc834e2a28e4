#include "tools/rowshift_host/rowshift_host_picture_text.h"

#include <cstddef>
#include <cstdint>
#include <iterator>

#include <utf8cpp/utf8.h>

namespace rowshift::tool {
namespace {

// Names are cut to fit, measured in tenths of a pixel: a character taken as
// 8.2 pixels wide, a wide one as 15 (a little generous for sans-serif at 14).
constexpr int kTenthsPerPixel = 10;
constexpr int kNarrowTenths = 82;
constexpr int kWideTenths = 150;
constexpr char32_t kFirstWide = 0x1100;
constexpr char32_t kReplacement = 0xFFFD;
constexpr char32_t kEllipsis = 0x2026;

int WidthInTenths(char32_t c) { return c >= kFirstWide ? kWideTenths : kNarrowTenths; }

// Well-formed UTF-8 still holds characters a picture should not: the control
// characters, which XML forbids or a viewer shows as nothing, and the two
// non-characters at the end of the first plane.
bool Drawable(char32_t c) { return c >= 0x20 && c != 0x7F && c != 0xFFFE && c != 0xFFFF; }

std::u32string Characters(const std::string& bytes) {
  std::string valid;
  valid.reserve(bytes.size());
  utf8::replace_invalid(bytes.begin(), bytes.end(), std::back_inserter(valid), kReplacement);
  std::u32string characters = utf8::utf8to32(valid);
  for (char32_t& c : characters) {
    if (!Drawable(c)) c = kReplacement;
  }
  return characters;
}

std::string Utf8(const std::u32string& characters, std::size_t count) {
  std::string out;
  out.reserve(count);
  for (std::size_t i = 0; i < count; ++i) {
    utf8::append(static_cast<uint32_t>(characters[i]), std::back_inserter(out));
  }
  return out;
}

}  // namespace

std::string DrawableText(const std::string& bytes) {
  const std::u32string characters = Characters(bytes);
  return Utf8(characters, characters.size());
}

FittedText TextFitting(const std::string& bytes, int pixels) {
  const std::u32string characters = Characters(bytes);
  const int room = pixels * kTenthsPerPixel;
  int total = 0;
  for (char32_t c : characters) total += WidthInTenths(c);
  if (total <= room) return {Utf8(characters, characters.size()), false};
  std::size_t kept = 0;
  for (total = WidthInTenths(kEllipsis);
       kept < characters.size() && total + WidthInTenths(characters[kept]) <= room; ++kept) {
    total += WidthInTenths(characters[kept]);
  }
  FittedText fitted{Utf8(characters, kept), true};
  utf8::append(static_cast<uint32_t>(kEllipsis), std::back_inserter(fitted.text));
  return fitted;
}

}  // namespace rowshift::tool
