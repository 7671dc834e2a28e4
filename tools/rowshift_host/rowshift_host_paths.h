// Where rowshift-host finds the modules it loads when no path is given: beside
// the program's own file, wherever a user put it or linked it from.
#pragma once

#include <optional>
#include <string>

namespace rowshift::tool {

// The folder that holds the running program's own file, every symbolic link
// on the way followed: as the system records it where it can tell
// (/proc/self/exe), else found from how it was started (argv[0], searched on
// PATH when it names no folder). Empty when unknown.
std::string ProgramFolder(const std::string& program_argument);

// `file_name` in `folder`, or in the current folder when the folder is unknown.
std::string BesideProgram(const std::string& folder, const std::string& file_name);

// `path` as a path to a file, never a bare name that the system's loader
// would look for in its library path: "Rowshift.so" is "./Rowshift.so".
std::string AsFilePath(const std::string& path);

// Why the module a path names cannot be loaded, when there is no file there:
// "cannot load the plug-in module: there is no file 'Rowshift.so' in
// '/opt/rowshift' (use --plugin to name another)". Nothing when the file is there.
std::optional<std::string> MissingModule(const std::string& what, const std::string& path,
                                         const std::string& option);

}  // namespace rowshift::tool
