#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

#include "platform/file_system.h"

namespace rowshift::platform {

int FlushToDisk(int descriptor) { return ::fsync(descriptor) == 0 ? 0 : errno; }

int FlushFolderToDisk(const std::string& folder) {
  const int descriptor = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (descriptor < 0) return errno;
  const int code = FlushToDisk(descriptor);
  ::close(descriptor);
  return code;
}

int WriteAccessError(const std::string& file) {
  return ::access(file.c_str(), W_OK) == 0 ? 0 : errno;
}

void CloseDescriptor(int descriptor) { ::close(descriptor); }

}  // namespace rowshift::platform
