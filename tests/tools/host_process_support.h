// Runs rowshift-host as a process, the way a person runs it, and captures what
// it printed and how it ended.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace rowshift::testing {

struct HostProcess {
  int exit_code = -1;
  std::string out;  // everything written to stdout
  std::string err;  // everything written to stderr
};

// Runs the rowshift-host beside the suite with `arguments` (each passed as one
// argument) in the current folder, or in `folder` when it is not empty, with
// standard input read from `input_file` when it is not empty.
HostProcess RunRowshiftHost(const std::vector<std::string>& arguments,
                            const std::string& folder = "", const std::string& input_file = "");

// As RunRowshiftHost, but starts `program`: a copy of rowshift-host, or a link
// to it, somewhere else.
HostProcess RunProgram(const std::string& program, const std::vector<std::string>& arguments,
                       const std::string& folder = "");

// The rowshift-host beside the suite, as an absolute path.
std::string HostProgramPath();

// An example outline shipped with the project.
std::string ExamplePath(const std::string& file_name);

// The path of a file of the suite's own in the current folder, which is a new
// folder for each run of the suite.
std::string SuiteFile(const std::string& name);
// Writes `text` to SuiteFile(name) and returns that path.
std::string WriteSuiteFile(const std::string& name, const std::string& text);
std::string ReadFile(const std::string& path);

// The printed blocks of a run: a heading line, and the lines under it. Blocks
// are separated by blank lines.
struct PrintedBlock {
  std::string heading;
  std::string body;
  bool operator==(const PrintedBlock& other) const {
    return heading == other.heading && body == other.body;
  }
};
std::vector<PrintedBlock> PrintedBlocks(const std::string& out);
// How a block reads in a failed expectation.
void PrintTo(const PrintedBlock& block, std::ostream* stream);

// The first block with `heading`, or null.
const PrintedBlock* FindBlock(const std::vector<PrintedBlock>& blocks, const std::string& heading);

// The blocks of the steps (their heading contains " -> "), in order.
std::vector<PrintedBlock> StepBlocks(const std::string& out);

}  // namespace rowshift::testing
