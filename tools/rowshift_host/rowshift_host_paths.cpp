#include "tools/rowshift_host/rowshift_host_paths.h"

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
// Linux names the running program's file here, links already followed; a
// system without it is asked through argv[0].
constexpr char kRunningProgram[] = "/proc/self/exe";

bool IsFile(const fs::path& path) {
  std::error_code error;
  return fs::is_regular_file(path, error);
}

// The folder of the file a path leads to, through every link.
std::string RealFolderOf(const fs::path& program) {
  std::error_code error;
  const fs::path real = fs::canonical(program, error);
  if (error) return "";
  return real.parent_path().string();
}

fs::path SearchPath(const std::string& program_name) {
  const char* search_path = std::getenv("PATH");
  if (search_path == nullptr) return {};
  std::istringstream folders(search_path);
  std::string folder;
  while (std::getline(folders, folder, kPathListSeparator)) {
    if (folder.empty()) continue;
    for (const std::string& name : {program_name, program_name + kExecutableSuffix}) {
      fs::path candidate = fs::path(folder) / name;
      if (IsFile(candidate)) return candidate;
    }
  }
  return {};
}

}  // namespace

std::string ProgramFolder(const std::string& program_argument) {
  std::error_code error;
  const fs::path running = fs::read_symlink(kRunningProgram, error);
  if (!error && running.is_absolute() && IsFile(running)) return running.parent_path().string();
  if (program_argument.empty()) return "";
  const fs::path program(program_argument);
  if (program.has_parent_path()) return RealFolderOf(program);
  const fs::path found = SearchPath(program_argument);
  return found.empty() ? "" : RealFolderOf(found);
}

std::string BesideProgram(const std::string& folder, const std::string& file_name) {
  return (fs::path(folder.empty() ? kCurrentFolder : folder) / file_name).string();
}

std::string AsFilePath(const std::string& path) {
  const fs::path file(path);
  return file.has_parent_path() ? path : (fs::path(kCurrentFolder) / file).string();
}

std::optional<std::string> MissingModule(const std::string& what, const std::string& path,
                                         const std::string& option) {
  std::error_code error;
  if (fs::exists(path, error) || error) return std::nullopt;
  const fs::path absolute = fs::absolute(path, error);
  const fs::path file = path;
  const std::string folder =
      error ? file.parent_path().string() : absolute.lexically_normal().parent_path().string();
  return "cannot load the " + what + ": there is no file '" + file.filename().string() + "' in '" +
         folder + "' (use " + option + " to name another)";
}

}  // namespace rowshift::tool
