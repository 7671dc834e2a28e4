#include "tools/host_process_support.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <sstream>
#include <system_error>

namespace rowshift::testing {
namespace {

constexpr char kSuiteFilePrefix[] = "tools_tests_";
constexpr char kCurrentFolder[] = ".";
constexpr char kStdoutFile[] = "tools_tests_stdout.txt";
constexpr char kStderrFile[] = "tools_tests_stderr.txt";
constexpr char kStepMarker[] = " -> ";
// std::system answers a wait status on POSIX systems (the exit code in the
// second byte) and the exit code itself on Windows. rowshift-host's codes are
// small, so a status above one byte can only be the POSIX form.
constexpr int kExitCodeShift = 8;
constexpr int kLargestPlainExitCode = 255;

std::string Quoted(const std::string& argument) { return "\"" + argument + "\""; }

// The folder the suite was started in: the build's programs and modules.
std::filesystem::path& StartFolder() {
  static std::filesystem::path folder;
  return folder;
}

// Each run of the suite works in a new folder of its own, and its files and
// the captured output of rowshift-host keep their plain names there: two runs
// side by side (two ctest runs of one build, the suite started by hand beside
// ctest) would otherwise write, read and remove each other's files. The
// build's modules are linked into it, so "./mqhost.so" names the same module
// as beside the programs.
class PrivateFolder : public ::testing::Environment {
 public:
  void SetUp() override {
    namespace fs = std::filesystem;
    if (StartFolder().empty()) StartFolder() = fs::current_path();
    std::random_device random;
    do {
      folder_ = fs::temp_directory_path() / ("rowshift_tools_tests_" + std::to_string(random()));
    } while (!fs::create_directory(folder_));
    for (const fs::directory_entry& entry : fs::directory_iterator(StartFolder())) {
      if (entry.path().extension() == ROWSHIFT_MODULE_SUFFIX) {
        fs::create_symlink(entry.path(), folder_ / entry.path().filename());
      }
    }
    fs::current_path(folder_);
  }
  void TearDown() override {
    std::error_code status;
    std::filesystem::current_path(StartFolder(), status);
    std::filesystem::remove_all(folder_, status);
  }

 private:
  std::filesystem::path folder_;
};

[[maybe_unused]] const ::testing::Environment* const kPrivateFolder =
    ::testing::AddGlobalTestEnvironment(new PrivateFolder);

int ExitCodeOf(int status) {
  return status > kLargestPlainExitCode ? status >> kExitCodeShift : status;
}

HostProcess RunProgramWithInput(const std::string& program,
                                const std::vector<std::string>& arguments,
                                const std::string& folder, const std::string& input_file) {
  namespace fs = std::filesystem;
  const std::string out_file = fs::absolute(kStdoutFile).string();
  const std::string err_file = fs::absolute(kStderrFile).string();
  // Starting with "cd" keeps the line from beginning with a quote, which some
  // command interpreters strip.
  std::string command =
      "cd " + Quoted(folder.empty() ? kCurrentFolder : folder) + " && " + Quoted(program);
  for (const std::string& argument : arguments) command += " " + Quoted(argument);
  command += " >" + Quoted(out_file) + " 2>" + Quoted(err_file);
  if (!input_file.empty()) command += " <" + Quoted(fs::absolute(input_file).string());
  HostProcess process;
  process.exit_code = ExitCodeOf(std::system(command.c_str()));
  process.out = ReadFile(out_file);
  process.err = ReadFile(err_file);
  return process;
}

}  // namespace

HostProcess RunRowshiftHost(const std::vector<std::string>& arguments, const std::string& folder,
                            const std::string& input_file) {
  return RunProgramWithInput(HostProgramPath(), arguments, folder, input_file);
}

HostProcess RunProgram(const std::string& program, const std::vector<std::string>& arguments,
                       const std::string& folder) {
  return RunProgramWithInput(program, arguments, folder, "");
}

std::string HostProgramPath() {
  return (StartFolder() / ROWSHIFT_HOST_PROGRAM).lexically_normal().string();
}

std::string ExamplePath(const std::string& file_name) {
  return (std::filesystem::path(ROWSHIFT_EXAMPLES_DIR) / file_name).string();
}

std::string SuiteFile(const std::string& name) { return kSuiteFilePrefix + name; }

std::string WriteSuiteFile(const std::string& name, const std::string& text) {
  const std::string path = SuiteFile(name);
  std::ofstream(path, std::ios::binary) << text;
  return path;
}

std::string ReadFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
}

std::vector<PrintedBlock> PrintedBlocks(const std::string& out) {
  std::vector<PrintedBlock> blocks;
  std::istringstream lines(out);
  std::string line;
  bool in_block = false;
  while (std::getline(lines, line)) {
    if (line.empty()) {
      in_block = false;
    } else if (!in_block) {
      blocks.push_back({line, ""});
      in_block = true;
    } else {
      blocks.back().body += line + "\n";
    }
  }
  return blocks;
}

void PrintTo(const PrintedBlock& block, std::ostream* stream) {
  *stream << "\n" << block.heading << "\n" << block.body;
}

const PrintedBlock* FindBlock(const std::vector<PrintedBlock>& blocks, const std::string& heading) {
  for (const PrintedBlock& block : blocks) {
    if (block.heading == heading) return &block;
  }
  return nullptr;
}

std::vector<PrintedBlock> StepBlocks(const std::string& out) {
  std::vector<PrintedBlock> steps;
  for (const PrintedBlock& block : PrintedBlocks(out)) {
    if (block.heading.find(kStepMarker) != std::string::npos) steps.push_back(block);
  }
  return steps;
}

}  // namespace rowshift::testing
