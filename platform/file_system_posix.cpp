#include <fcntl.h>
#include <sys/stat.h>
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

int TakeOwnerAndGroup(int descriptor, const std::string& file) {
  struct stat owned {};
  struct stat made {};
  if (::stat(file.c_str(), &owned) != 0 || ::fstat(descriptor, &made) != 0) return errno;
  // Asked only where they differ: a file system without owners (FAT) refuses
  // even the owner it shows for every file.
  if (owned.st_uid == made.st_uid && owned.st_gid == made.st_gid) return 0;
  return ::fchown(descriptor, owned.st_uid, owned.st_gid) == 0 ? 0 : errno;
}

void HoldClosedStandardStreams() {
  for (int stream = STDIN_FILENO; stream <= STDERR_FILENO; ++stream) {
    // The lowest free number is taken: this one, as the ones below are open.
    if (::fcntl(stream, F_GETFD) < 0 && errno == EBADF) ::open("/dev/null", O_RDONLY);
  }
}

void CloseDescriptor(int descriptor) { ::close(descriptor); }

}  // namespace rowshift::platform
