#include "tools/rowshift_host_paths.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <system_error>

#include "tools/system_reason.h"

namespace rowshift::tool {
namespace {

namespace fs = std::filesystem;

// Where the path list separator differs follows from the path separator, so
// no platform test is needed here.
constexpr char kPathListSeparator = fs::path::preferred_separator == '\\' ? ';' : ':';
constexpr char kExecutableSuffix[] = ".exe";
constexpr char kCurrentFolder[] = ".";
constexpr std::size_t kReadChunk = 65536;

bool IsFile(const fs::path& path) {
  std::error_code error;
  return fs::is_regular_file(path, error);
}

std::string FolderOf(const fs::path& program) {
  std::error_code error;
  const fs::path absolute = fs::absolute(program, error);
  if (error) return "";
  return absolute.parent_path().string();
}

std::string SearchPath(const std::string& program_name) {
  const char* search_path = std::getenv("PATH");
  if (search_path == nullptr) return "";
  std::istringstream folders(search_path);
  std::string folder;
  while (std::getline(folders, folder, kPathListSeparator)) {
    if (folder.empty()) continue;
    const fs::path candidate = fs::path(folder) / program_name;
    if (IsFile(candidate)) return FolderOf(candidate);
    if (IsFile(fs::path(folder) / (program_name + kExecutableSuffix))) return FolderOf(candidate);
  }
  return "";
}

}  // namespace

std::string ProgramFolder(const std::string& program_argument) {
  if (program_argument.empty()) return "";
  const fs::path program(program_argument);
  if (program.has_parent_path()) return FolderOf(program);
  return SearchPath(program_argument);
}

std::string BesideProgram(const std::string& folder, const std::string& file_name) {
  return (fs::path(folder.empty() ? kCurrentFolder : folder) / file_name).string();
}

std::optional<std::string> ReadWholeFile(const std::string& path, std::string* text) {
  errno = 0;
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) return SystemReason(errno);
  char buffer[kReadChunk];
  std::size_t read = 0;
  while ((read = std::fread(buffer, 1, sizeof buffer, file)) > 0) text->append(buffer, read);
  const bool failed = std::ferror(file) != 0;
  const int code = errno;
  std::fclose(file);
  // A folder opens like a file on some systems and fails at the first read.
  if (failed) return SystemReason(code != 0 ? code : EIO);
  return std::nullopt;
}

std::optional<std::string> WriteWholeFile(const std::string& path, const std::string& text) {
  errno = 0;
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) return SystemReason(errno);
  const bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size();
  const int code = errno;
  if (std::fclose(file) != 0 || !written) return SystemReason(code != 0 ? code : EIO);
  return std::nullopt;
}

std::optional<std::string> CannotWrite(const std::string& path) {
  std::error_code status;
  const bool existed = std::filesystem::exists(path, status);
  if (std::filesystem::is_directory(path, status)) return SystemReason(EISDIR);
  errno = 0;
  std::FILE* file = std::fopen(path.c_str(), "ab");
  if (file == nullptr) return SystemReason(errno);
  std::fclose(file);
  if (!existed) std::remove(path.c_str());
  return std::nullopt;
}

}  // namespace rowshift::tool
