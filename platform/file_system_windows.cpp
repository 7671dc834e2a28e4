#include <io.h>

#include <cerrno>

#include "platform/file_system.h"

namespace rowshift::platform {

int FlushToDisk(int descriptor) { return ::_commit(descriptor) == 0 ? 0 : errno; }

// A folder's entries reach the disk with the file system's own journal.
int FlushFolderToDisk(const std::string&) { return 0; }

int WriteAccessError(const std::string& file) {
  constexpr int kWrite = 2;
  return ::_access(file.c_str(), kWrite) == 0 ? 0 : errno;
}

// Files on Windows have no owner and group that a replacement could lose.
int TakeOwnerAndGroup(int, const std::string&) { return 0; }

// A Windows console program always has its three standard handles.
void HoldClosedStandardStreams() {}

void CloseDescriptor(int descriptor) { ::_close(descriptor); }

}  // namespace rowshift::platform
