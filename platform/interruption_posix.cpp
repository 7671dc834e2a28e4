#include <pthread.h>
#include <signal.h>
#include <unistd.h>

#include <csignal>
#include <cstring>

#include "platform/interruption.h"

namespace rowshift::platform {
namespace {

constexpr int kInterruptions[] = {SIGINT, SIGTERM, SIGHUP};
// Room for any path the system opens.
constexpr std::size_t kLongestPath = 4096;

// Read by the signal handler, which may neither allocate nor lock: a fixed
// buffer, set and cleared only while the signals are held.
char removed_path[kLongestPath + 1];
volatile std::sig_atomic_t path_recorded = 0;
bool handlers_installed = false;
sigset_t held_mask;

sigset_t Interruptions() {
  sigset_t set;
  sigemptyset(&set);
  for (const int signal : kInterruptions) sigaddset(&set, signal);
  return set;
}

// Removes the recorded file, then lets the signal end the program as it would
// have without this handler.
extern "C" void RemoveAndEnd(int signal) {
  if (path_recorded != 0) ::unlink(removed_path);
  struct sigaction plain {};
  plain.sa_handler = SIG_DFL;
  sigemptyset(&plain.sa_mask);
  ::sigaction(signal, &plain, nullptr);
  ::raise(signal);  // delivered as the handler returns and unblocks it
}

void InstallHandlers() {
  if (handlers_installed) return;
  handlers_installed = true;
  for (const int signal : kInterruptions) {
    struct sigaction before {};
    ::sigaction(signal, nullptr, &before);
    if (before.sa_handler == SIG_IGN) continue;  // nohup and the like
    struct sigaction handler {};
    handler.sa_handler = RemoveAndEnd;
    handler.sa_mask = Interruptions();
    ::sigaction(signal, &handler, nullptr);
  }
}

}  // namespace

InterruptionsHeld::InterruptionsHeld() {
  const sigset_t interruptions = Interruptions();
  ::pthread_sigmask(SIG_BLOCK, &interruptions, &held_mask);
}

InterruptionsHeld::~InterruptionsHeld() { ::pthread_sigmask(SIG_SETMASK, &held_mask, nullptr); }

bool RemoveWhenInterrupted(const std::string& path) {
  path_recorded = 0;
  if (path.size() > kLongestPath) return false;
  InstallHandlers();
  std::memcpy(removed_path, path.c_str(), path.size() + 1);
  path_recorded = 1;
  return true;
}

void ForgetWhenInterrupted() { path_recorded = 0; }

}  // namespace rowshift::platform
