#include "settings/decimal_text.h"

#include <limits>

namespace rowshift {
namespace {

bool IsBlank(WideChar c) {
  return c == u' ' || c == u'\t' || c == u'\n' || c == u'\v' || c == u'\f' || c == u'\r';
}

bool IsDigit(WideChar c) { return c >= u'0' && c <= u'9'; }

}  // namespace

int32_t ParseDecimal(const WideString& text) {
  constexpr int64_t kLargestMagnitude = int64_t{std::numeric_limits<int32_t>::max()} + 1;
  constexpr int kBase = 10;

  std::size_t at = 0;
  while (at < text.size() && IsBlank(text[at])) ++at;
  bool negative = false;
  if (at < text.size() && (text[at] == u'+' || text[at] == u'-')) {
    negative = text[at] == u'-';
    ++at;
  }
  // The magnitude stops growing once it passes every int32's, so it never overflows.
  int64_t magnitude = 0;
  for (; at < text.size() && IsDigit(text[at]); ++at) {
    if (magnitude <= kLargestMagnitude) magnitude = magnitude * kBase + (text[at] - u'0');
  }
  if (negative) {
    return magnitude >= kLargestMagnitude ? std::numeric_limits<int32_t>::min()
                                          : static_cast<int32_t>(-magnitude);
  }
  return magnitude >= kLargestMagnitude - 1 ? std::numeric_limits<int32_t>::max()
                                            : static_cast<int32_t>(magnitude);
}

}  // namespace rowshift
