// rowshift-host's work for one command line: load, run the steps, print.
#pragma once

#include <cstddef>
#include <ostream>
#include <string>

#include "tools/rowshift_host/rowshift_host_options.h"

namespace rowshift::tool {

inline constexpr int kExitSuccess = 0;
inline constexpr int kExitFailure = 1;  // a file, the plug-in or a step failed
inline constexpr int kExitUsage = 2;    // the command line itself is wrong

// The most rows (objects and empty slots) an outline may hold. With
// kLargestFileRead it keeps memory in proportion to a document of this size;
// a document that the steps made larger is not written, so every outline
// written reads again.
inline constexpr std::size_t kMostOutlineRows = 2000000;

// Runs what `options` ask for and returns the process's exit code. Results go
// to `out`, errors (one clear line each) to `err`. Where `out` fails while the
// outline or picture is written to it, the run stops with kExitFailure and no
// message: the caller, who knows the stream, tells why. `program_folder` is where
// the modules are looked for when no path is given.
int RunHost(const Options& options, const std::string& program_folder, std::ostream& out,
            std::ostream& err);

}  // namespace rowshift::tool
