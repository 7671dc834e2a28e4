// rowshift-host: runs the Rowshift plug-in inside the stand-in host from the
// command line. See UsageText() for what it does.
#include <cstdio>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "platform/file_system.h"
#include "tools/files/standard_output.h"
#include "tools/rowshift_host/rowshift_host_options.h"
#include "tools/rowshift_host/rowshift_host_paths.h"
#include "tools/rowshift_host/rowshift_host_run.h"

int main(int argc, char** argv) {
  using namespace rowshift::tool;
  // A file opened as standard output would receive the report.
  rowshift::platform::HoldClosedStandardStreams();
  const std::vector<std::string> arguments(argv + 1, argv + argc);
  const ParsedOptions parsed = ParseOptions(arguments);
  if (parsed.error) {
    std::cerr << "rowshift-host: " << *parsed.error << " (see rowshift-host --help)\n";
    return kExitUsage;
  }
  const std::string program = argc > 0 ? argv[0] : "";
  CheckedOutputBuffer standard_output(stdout);
  std::ostream out(&standard_output);
  const int status = RunHost(parsed.options, ProgramFolder(program), out, std::cerr);
  if (const std::optional<std::string> failure = standard_output.Failure()) {
    std::cerr << "rowshift-host: cannot write standard output: " << *failure << "\n";
    return kExitFailure;
  }
  return status;
}
