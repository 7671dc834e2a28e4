// Where rowshift-host finds the modules it loads when no path is given, and
// how it reads and writes whole files, with the system's reason when it cannot.
#pragma once

#include <optional>
#include <string>

namespace rowshift::tool {

// The folder that holds the running program, found from how it was started
// (argv[0], searched on PATH when it names no folder). Empty when unknown.
std::string ProgramFolder(const std::string& program_argument);

// `file_name` in `folder`, or in the current folder when the folder is unknown.
std::string BesideProgram(const std::string& folder, const std::string& file_name);

// Reads the whole file into `text`. The reason when it cannot, else nothing.
std::optional<std::string> ReadWholeFile(const std::string& path, std::string* text);

// Replaces the file with `text`. The reason when it cannot, else nothing.
std::optional<std::string> WriteWholeFile(const std::string& path, const std::string& text);

// Why the file could not be written now, or nothing; changes nothing that is
// there (a file made to find out is removed again).
std::optional<std::string> CannotWrite(const std::string& path);

}  // namespace rowshift::tool
