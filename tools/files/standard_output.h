// Standard output as rowshift-host writes it: every write and flush checked,
// so that a full disk or a closed stream is told, never taken for success.
#pragma once

#include <cstdio>
#include <optional>
#include <streambuf>
#include <string>

namespace rowshift::tool {

// A stream buffer over a C stream (standard output) that keeps the first
// failure: after one, every write fails too, so a stream over it goes bad.
class CheckedOutputBuffer : public std::streambuf {
 public:
  explicit CheckedOutputBuffer(std::FILE* stream) : stream_(stream) {}

  // Flushes what is written, then the system's reason for the first write or
  // flush that failed ("no space left on device"), or nothing.
  std::optional<std::string> Failure();

 protected:
  int_type overflow(int_type c) override;
  std::streamsize xsputn(const char* data, std::streamsize size) override;
  int sync() override;

 private:
  // Writes `size` bytes: false, with the reason kept, when they are not all
  // written.
  bool Put(const char* data, std::size_t size);

  std::FILE* stream_;
  int error_ = 0;  // errno of the first failure; 0 while there is none
};

}  // namespace rowshift::tool
