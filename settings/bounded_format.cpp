#include "settings/bounded_format.h"

#include <cstdarg>
#include <cstdio>

#include "platform/text_encoding.h"

namespace rowshift {
namespace {

int FormatNarrowList(NarrowFormatBuffer& buffer, const char* format, va_list arguments) {
  buffer[0] = '\0';
  if (format == nullptr) return -1;
  const int length = std::vsnprintf(buffer.data(), buffer.size(), format, arguments);
  if (length < 0 || static_cast<std::size_t>(length) >= buffer.size()) {
    buffer[0] = '\0';
    return -1;
  }
  return length;
}

}  // namespace

int FormatNarrow(NarrowFormatBuffer& buffer, const char* format, ...) {
  va_list arguments;
  va_start(arguments, format);
  const int length = FormatNarrowList(buffer, format, arguments);
  va_end(arguments);
  return length;
}

int FormatWide(WideFormatBuffer& buffer, const char* format, ...) {
  buffer[0] = 0;
  NarrowFormatBuffer narrow;
  va_list arguments;
  va_start(arguments, format);
  const int narrow_length = FormatNarrowList(narrow, format, arguments);
  va_end(arguments);
  if (narrow_length < 0) return -1;

  const WideString wide = platform::SystemCodePageToUtf16(narrow.data());
  if (wide.size() >= buffer.size()) return -1;
  wide.copy(buffer.data(), wide.size());
  buffer[wide.size()] = 0;
  return static_cast<int>(wide.size());
}

}  // namespace rowshift
