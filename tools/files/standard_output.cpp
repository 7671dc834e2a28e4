#include "tools/files/standard_output.h"

#include <cerrno>

#include "tools/files/system_reason.h"

namespace rowshift::tool {

std::optional<std::string> CheckedOutputBuffer::Failure() {
  sync();
  if (error_ == 0) return std::nullopt;
  return SystemReason(error_);
}

CheckedOutputBuffer::int_type CheckedOutputBuffer::overflow(int_type c) {
  if (traits_type::eq_int_type(c, traits_type::eof())) {
    return sync() == 0 ? traits_type::not_eof(c) : traits_type::eof();
  }
  const char byte = traits_type::to_char_type(c);
  return Put(&byte, 1) ? c : traits_type::eof();
}

std::streamsize CheckedOutputBuffer::xsputn(const char* data, std::streamsize size) {
  return Put(data, static_cast<std::size_t>(size)) ? size : 0;
}

int CheckedOutputBuffer::sync() {
  if (error_ != 0) return -1;
  errno = 0;
  if (std::fflush(stream_) == 0) return 0;
  error_ = errno != 0 ? errno : EIO;
  return -1;
}

bool CheckedOutputBuffer::Put(const char* data, std::size_t size) {
  if (error_ != 0) return false;
  errno = 0;
  if (std::fwrite(data, 1, size, stream_) == size) return true;
  error_ = errno != 0 ? errno : EIO;
  return false;
}

}  // namespace rowshift::tool
