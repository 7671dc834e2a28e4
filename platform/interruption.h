// A file that the program is making and that must not outlive it: when SIGINT,
// SIGTERM or SIGHUP ends the program, the file is removed first, and the
// program then ends as that signal ends it (exit status 128 + signal).
#pragma once

#include <string>

namespace rowshift::platform {

// While one lives, SIGINT, SIGTERM and SIGHUP wait, so that a file made and
// recorded, or moved away and forgotten, is never recorded by half. Not nested.
class InterruptionsHeld {
 public:
  InterruptionsHeld();
  ~InterruptionsHeld();  // NOLINT(performance-trivially-destructible): not on POSIX
  InterruptionsHeld(const InterruptionsHeld&) = delete;
  InterruptionsHeld& operator=(const InterruptionsHeld&) = delete;
};

// Records `path` as the one file to remove when the program is interrupted,
// in place of any recorded before. False when the path is too long to keep
// (then none is recorded). A signal the program ignores stays ignored.
bool RemoveWhenInterrupted(const std::string& path);

// No file is removed when the program is interrupted.
void ForgetWhenInterrupted();

}  // namespace rowshift::platform
