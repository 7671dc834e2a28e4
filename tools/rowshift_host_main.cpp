// rowshift-host: runs the Rowshift plug-in inside the stand-in host from the
// command line. See UsageText() for what it does.
#include <iostream>
#include <string>
#include <vector>

#include "tools/rowshift_host_options.h"
#include "tools/rowshift_host_paths.h"
#include "tools/rowshift_host_run.h"

int main(int argc, char** argv) {
  using namespace rowshift::tool;
  const std::vector<std::string> arguments(argv + 1, argv + argc);
  const ParsedOptions parsed = ParseOptions(arguments);
  if (parsed.error) {
    std::cerr << "rowshift-host: " << *parsed.error << " (see rowshift-host --help)\n";
    return kExitUsage;
  }
  const std::string program = argc > 0 ? argv[0] : "";
  return RunHost(parsed.options, ProgramFolder(program), std::cout, std::cerr);
}
