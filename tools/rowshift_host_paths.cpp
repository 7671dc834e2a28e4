#include "tools/rowshift_host_paths.h"

#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <system_error>

namespace rowshift::tool {
namespace {

namespace fs = std::filesystem;

// Where the path list separator differs follows from the path separator, so
// no platform test is needed here.
constexpr char kPathListSeparator = fs::path::preferred_separator == '\\' ? ';' : ':';
constexpr char kExecutableSuffix[] = ".exe";
constexpr char kCurrentFolder[] = ".";

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

}  // namespace rowshift::tool
