#include "tools/files/whole_file.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstdint>
#include <filesystem>
#include <random>
#include <system_error>

#include "platform/file_system.h"
#include "platform/interruption.h"
#include "tools/files/size_in_words.h"
#include "tools/files/system_reason.h"

namespace rowshift::tool {
namespace {

namespace fs = std::filesystem;

constexpr std::size_t kReadChunk = 65536;
// Beyond this many dangling links in a row the path is taken for a loop.
constexpr int kMostLinksFollowed = 40;
// Names tried for a temporary file before giving up: each is random, so a
// clash with a file already there is rare, and never overwrites it.
constexpr int kTemporaryNamesTried = 100;
constexpr char kTemporaryMark[] = ".rowshift-";
constexpr char kTemporarySuffix[] = ".tmp";
// A new file's permission bits before the user's file-creation mask.
constexpr mode_t kNewFileMode = 0666;
constexpr mode_t kPermissionBits = 0777;
constexpr char kReadOnly[] = "it is read-only";
constexpr char kNotARegularFile[] =
    "it is not a regular file (a device, pipe or socket), which is never replaced";

// Why the file at `file`, if it is there, may not be replaced, or nothing; its
// permission bits in `kept` (none when it is not there).
std::optional<std::string> FileFault(const std::string& file, std::optional<mode_t>* kept) {
  kept->reset();
  std::error_code status;
  const fs::file_status kind = fs::status(file, status);
  if (!fs::exists(kind)) return std::nullopt;
  if (fs::is_directory(kind)) return SystemReason(EISDIR);
  if (!fs::is_regular_file(kind)) return std::string(kNotARegularFile);
  // Asked of the bits, not of the system: root may write any file, and a file
  // marked read-only is still meant to stay as it is.
  if ((kind.permissions() & fs::perms::owner_write) == fs::perms::none) {
    return std::string(kReadOnly);
  }
  // A new file moved over one of several links would part it from the others,
  // which would keep the old text.
  const std::uintmax_t links = fs::hard_link_count(file, status);
  if (!status && links > 1) {
    const std::uintmax_t others = links - 1;
    return "it has " + std::to_string(others) + " other hard link" + (others == 1 ? "" : "s") +
           ", which replacing it would split off with the old text; edit a copy";
  }
  // The folder may let this user replace a file that is not its own to write.
  if (const int code = platform::WriteAccessError(file)) return SystemReason(code);
  *kept = static_cast<mode_t>(kind.permissions() & fs::perms::mask) & kPermissionBits;
  return std::nullopt;
}

// The folder `file` stands in, as a reader finds it.
std::string FolderOf(const std::string& file) {
  std::error_code status;
  const fs::path folder = fs::path(file).parent_path();
  const fs::path absolute = fs::absolute(folder.empty() ? fs::path(".") : folder, status);
  return (status ? folder : absolute.lexically_normal()).string();
}

// Why a new file could not be made beside `file`: where the folder is what
// refuses, it is named.
std::string CannotMakeBeside(const std::string& file, int code) {
  if (code != EACCES) return SystemReason(code);
  return SystemReason(code) + " by its folder '" + FolderOf(file) + "', where the new file is made";
}

// Removes the temporary file `made` and no longer removes it on an interruption.
void RemoveTemporary(const std::string& made) {
  const platform::InterruptionsHeld held;
  std::remove(made.c_str());
  platform::ForgetWhenInterrupted();
}

// Makes a new file `name`, unless a file of that name is there, recorded for
// removal should the program be interrupted before it is moved or removed.
// Negative, with the system's error code in `code`, when it cannot.
int MakeRecorded(const fs::path& name, mode_t mode, int* code) {
  const platform::InterruptionsHeld held;
  errno = 0;
  // O_EXCL: fails where a file of that name is already there.
  const int descriptor = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
  *code = errno;
  if (descriptor >= 0) platform::RemoveWhenInterrupted(name.string());
  return descriptor;
}

// What the new file takes from `file` before any byte is written, so it is
// never readable by more users than the file it replaces: its owner and group,
// then its permission bits (a change of owner may clear some). The reason when
// it cannot.
std::optional<std::string> TakeKept(int descriptor, const std::string& file,
                                    std::optional<mode_t> kept) {
  if (!kept) return std::nullopt;
  if (const int code = platform::TakeOwnerAndGroup(descriptor, file)) {
    return "its owner and group cannot be given to the new file that replaces it: " +
           SystemReason(code);
  }
  // The creation mask may have taken bits the file had.
  if (::fchmod(descriptor, *kept) != 0) return SystemReason(errno);
  return std::nullopt;
}

// The one check and first step of every replacement: why `file` cannot be
// replaced (see FileFault), or a new file of a name no file in its folder
// has, open for writing, with the owner, group and permission bits of `file`
// (a new file's, after the creation mask, where there is none); its name in
// `made`, and removed again should the program be interrupted.
std::FILE* OpenReplacement(const std::string& file, std::string* made, std::string* reason) {
  std::optional<mode_t> kept;
  if (std::optional<std::string> fault = FileFault(file, &kept)) {
    *reason = *fault;
    return nullptr;
  }
  const fs::path path(file);
  std::random_device seed;
  std::mt19937_64 random(seed());
  for (int tried = 0; tried < kTemporaryNamesTried; ++tried) {
    const fs::path name =
        path.parent_path() / (kTemporaryMark + path.filename().string() + "-" +
                              std::to_string(random() % 1000000000) + kTemporarySuffix);
    int code = 0;
    const int descriptor = MakeRecorded(name, kept ? *kept & kPermissionBits : kNewFileMode, &code);
    if (descriptor < 0) {
      if (code != EEXIST) {
        *reason = CannotMakeBeside(file, code);
        return nullptr;
      }
      continue;
    }
    std::optional<std::string> fault = TakeKept(descriptor, file, kept);
    std::FILE* stream = fault ? nullptr : ::fdopen(descriptor, "wb");
    if (stream == nullptr) {
      if (!fault) fault = SystemReason(errno);
      platform::CloseDescriptor(descriptor);
      RemoveTemporary(name.string());
      *reason = *fault;
      return nullptr;
    }
    *made = name.string();
    return stream;
  }
  *reason = SystemReason(EEXIST);
  return nullptr;
}

// Writes `bytes` to `stream`, flushes them to the disk and closes it: the
// system's reason when any of that fails (the stream is closed all the same).
std::optional<std::string> WriteAndFlush(std::FILE* stream, const std::string& bytes) {
  errno = 0;
  bool written = std::fwrite(bytes.data(), 1, bytes.size(), stream) == bytes.size() &&
                 std::fflush(stream) == 0;
  int code = errno;
  if (written) {
    code = platform::FlushToDisk(::fileno(stream));
    written = code == 0;
  }
  if (std::fclose(stream) != 0 && code == 0) code = errno;
  if (written && code == 0) return std::nullopt;
  return SystemReason(code != 0 ? code : EIO);
}

// Flushes the folder of `file` to the disk, so a file moved into it stays
// there after a crash. A folder this user cannot open, or a file system that
// has nothing to flush for a folder, is passed over: the move is done.
std::optional<std::string> FlushFolderOf(const std::string& file) {
  fs::path folder = fs::path(file).parent_path();
  if (folder.empty()) folder = ".";
  const int code = platform::FlushFolderToDisk(folder.string());
  // A folder this user cannot open is passed over too: the move is done.
  if (code == 0 || code == EACCES || code == EINVAL || code == ENOTSUP) return std::nullopt;
  return "it was replaced, but its folder could not be flushed to the disk: " + SystemReason(code);
}

// The file a path names, as an absolute path without "." or "..", so that
// "a.txt" and "./a.txt" compare equal also where no folder of theirs exists.
fs::path Resolved(const std::string& path) {
  std::error_code status;
  return fs::absolute(LinkedFile(path).value_or(path), status).lexically_normal();
}

}  // namespace

std::optional<std::string> ReadWholeStream(std::FILE* stream, std::string* text) {
  char buffer[kReadChunk];
  std::size_t read = 0;
  errno = 0;
  while ((read = std::fread(buffer, 1, sizeof buffer, stream)) > 0) {
    if (text->size() + read > kLargestFileRead) {
      text->clear();
      return "larger than " + BytesInWords(kLargestFileRead) + ", the most rowshift-host reads";
    }
    text->append(buffer, read);
  }
  // A folder opens like a file on some systems and fails at the first read.
  if (std::ferror(stream) != 0) return SystemReason(errno != 0 ? errno : EIO);
  return std::nullopt;
}

std::optional<std::string> ReadWholeFile(const std::string& path, std::string* text) {
  errno = 0;
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) return SystemReason(errno);
  std::optional<std::string> reason = ReadWholeStream(file, text);
  std::fclose(file);
  return reason;
}

std::optional<std::string> LinkedFile(const std::string& path) {
  fs::path file = path;
  std::error_code status;
  for (int followed = 0; followed <= kMostLinksFollowed; ++followed) {
    const fs::path resolved = fs::weakly_canonical(file, status);
    if (status) {
      // A loop of links fails here; so does a path through a folder this
      // user may not search, which is no link and is read as it is given.
      if (followed > 0 || fs::is_symlink(file, status)) return std::nullopt;
      return path;
    }
    // Every link that leads to something is resolved now; what is left is a
    // link to a file not made yet, which names that file.
    if (!fs::is_symlink(resolved, status)) return resolved.string();
    const fs::path target = fs::read_symlink(resolved, status);
    if (status) return std::nullopt;
    file = target.is_absolute() ? target : resolved.parent_path() / target;
  }
  return std::nullopt;
}

std::optional<std::string> ReplaceFile(const std::string& file, const std::string& bytes) {
  std::string temporary;
  std::string reason;
  std::FILE* stream = OpenReplacement(file, &temporary, &reason);
  if (stream == nullptr) return reason;
  if (std::optional<std::string> failed = WriteAndFlush(stream, bytes)) {
    RemoveTemporary(temporary);
    return failed;
  }
  std::error_code status;
  {
    const platform::InterruptionsHeld held;
    fs::rename(temporary, file, status);
    if (!status) platform::ForgetWhenInterrupted();
  }
  if (status) {
    RemoveTemporary(temporary);
    return SystemReason(status.default_error_condition().value());
  }
  return FlushFolderOf(file);
}

std::optional<std::string> CannotReplace(const std::string& file) {
  std::string temporary;
  std::string reason;
  std::FILE* stream = OpenReplacement(file, &temporary, &reason);
  if (stream == nullptr) return reason;
  std::fclose(stream);
  RemoveTemporary(temporary);
  return std::nullopt;
}

bool SameFile(const std::string& a, const std::string& b) {
  std::error_code status;
  const bool same = fs::equivalent(a, b, status);
  if (!status) return same;
  return Resolved(a) == Resolved(b);
}

}  // namespace rowshift::tool
