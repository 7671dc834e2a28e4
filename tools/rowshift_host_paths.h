// Where rowshift-host finds the modules it loads when no path is given.
#pragma once

#include <string>

namespace rowshift::tool {

// The folder that holds the running program, found from how it was started
// (argv[0], searched on PATH when it names no folder). Empty when unknown.
std::string ProgramFolder(const std::string& program_argument);

// `file_name` in `folder`, or in the current folder when the folder is unknown.
std::string BesideProgram(const std::string& folder, const std::string& file_name);

}  // namespace rowshift::tool
