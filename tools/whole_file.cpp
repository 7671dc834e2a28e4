#include "tools/whole_file.h"

#include <cerrno>
#include <filesystem>
#include <random>
#include <system_error>

#include "tools/system_reason.h"

namespace rowshift::tool {
namespace {

namespace fs = std::filesystem;

constexpr std::size_t kReadChunk = 65536;
// Beyond this many symbolic links in a row the path is taken for a loop.
constexpr int kMostLinksFollowed = 40;
// Names tried for a temporary file before giving up: each is random, so a
// clash with a file already there is rare, and never overwrites it.
constexpr int kTemporaryNamesTried = 100;
constexpr char kTemporaryMark[] = ".rowshift-";
constexpr char kTemporarySuffix[] = ".tmp";

// Makes a new file of a name no file in `file`'s folder has and opens it for
// writing; its name in `made`. Null, with errno set, when it cannot.
std::FILE* OpenTemporaryBeside(const std::string& file, std::string* made) {
  const fs::path path(file);
  std::random_device seed;
  std::mt19937_64 random(seed());
  for (int tried = 0; tried < kTemporaryNamesTried; ++tried) {
    const fs::path name =
        path.parent_path() / (kTemporaryMark + path.filename().string() + "-" +
                              std::to_string(random() % 1000000000) + kTemporarySuffix);
    errno = 0;
    // "x": fails where a file of that name is already there.
    if (std::FILE* stream = std::fopen(name.string().c_str(), "wbx")) {
      *made = name.string();
      return stream;
    }
    if (errno != EEXIST) return nullptr;
  }
  errno = EEXIST;
  return nullptr;
}

// The path made absolute first: a relative path none of whose folders exists
// would otherwise stay relative ("a.txt" against "./a.txt").
fs::path Resolved(const std::string& path) {
  std::error_code status;
  const fs::path absolute = fs::absolute(LinkedFile(path).value_or(path), status);
  const fs::path resolved = fs::weakly_canonical(absolute, status);
  return status ? absolute.lexically_normal() : resolved;
}

}  // namespace

std::optional<std::string> ReadWholeStream(std::FILE* stream, std::string* text) {
  char buffer[kReadChunk];
  std::size_t read = 0;
  errno = 0;
  while ((read = std::fread(buffer, 1, sizeof buffer, stream)) > 0) {
    if (text->size() + read > kLargestFileRead) {
      text->clear();
      return std::string("larger than ") + kLargestFileReadInWords +
             ", the most rowshift-host reads";
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
  for (int followed = 0; fs::is_symlink(file, status); ++followed) {
    if (followed == kMostLinksFollowed) return std::nullopt;
    const fs::path target = fs::read_symlink(file, status);
    if (status) return std::nullopt;
    file = target.is_absolute() ? target : file.parent_path() / target;
  }
  return file.string();
}

std::optional<std::string> ReplaceFile(const std::string& file, const std::string& bytes) {
  std::error_code status;
  if (fs::is_directory(file, status)) return SystemReason(EISDIR);
  std::string temporary;
  std::FILE* stream = OpenTemporaryBeside(file, &temporary);
  if (stream == nullptr) return SystemReason(errno);
  errno = 0;
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), stream) == bytes.size();
  const int code = errno;
  if (std::fclose(stream) != 0 || !written) {
    std::remove(temporary.c_str());
    return SystemReason(code != 0 ? code : EIO);
  }
  fs::rename(temporary, file, status);
  if (status) {
    std::remove(temporary.c_str());
    return SystemReason(status.default_error_condition().value());
  }
  return std::nullopt;
}

std::optional<std::string> CannotReplace(const std::string& file) {
  std::error_code status;
  if (fs::is_directory(file, status)) return SystemReason(EISDIR);
  std::string temporary;
  std::FILE* stream = OpenTemporaryBeside(file, &temporary);
  if (stream == nullptr) return SystemReason(errno);
  std::fclose(stream);
  std::remove(temporary.c_str());
  return std::nullopt;
}

bool SameFile(const std::string& a, const std::string& b) {
  std::error_code status;
  const bool same = fs::equivalent(a, b, status);
  if (!status) return same;
  return Resolved(a) == Resolved(b);
}

}  // namespace rowshift::tool
