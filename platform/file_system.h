// The few file calls that the command-line tools need to replace a file whole
// and that the standard library does not offer: only this folder knows the
// system's own headers.
#pragma once

#include <string>

namespace rowshift::platform {

// Writes what the system still holds of a file's contents to the disk. 0 when
// done, else the system's error code.
int FlushToDisk(int descriptor);

// Writes a folder's entries (a file just renamed into it) to the disk. 0 when
// done, else the system's error code; where the system has nothing to flush
// for a folder, 0.
int FlushFolderToDisk(const std::string& folder);

// 0 when this user may write `file`, as the system judges it (root may write
// any file); else the system's error code.
int WriteAccessError(const std::string& file);

// Gives the file open as `descriptor` the owner and group of the file at
// `file`. 0 when done, when it has them already, or where files have no owner and group; else the
// system's error code (EPERM where this user may not give them).
int TakeOwnerAndGroup(int descriptor, const std::string& file);

// Opens each standard stream (input, output, error) that the program was
// started without on the null device, for reading only: no file the program
// opens takes its number, and a write to it fails as it would have.
void HoldClosedStandardStreams();

// Closes a file descriptor that no stream owns.
void CloseDescriptor(int descriptor);

}  // namespace rowshift::platform
