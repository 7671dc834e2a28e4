// A host that exits without saying goodbye: it binds the plug-in, starts it
// (event 1) and leaves main without event 2 and without unloading the library.
//
// Its first act is to register an exit handler that marks the stand-in host as
// gone. The process runs its exit handlers before any library is detached, so
// the mark falls where a real host's objects are destroyed; every host call
// after it is counted into the file named by the one argument.
//
// Exit codes: 0 after a clean exit, 2 for a wrong command line, 3 when the
// plug-in cannot be loaded or bound, 4 when start-up does not answer 1.
#include <cstdlib>

#include "e2e/built_plugin.h"
#include "standin/calls_after_host_exit.h"

namespace {

const char* count_file = nullptr;
// Never released: the process ends with the plug-in loaded.
rowshift::testing::BuiltPlugin* plugin = nullptr;

void MarkHostGone() { standin::MarkHostGone(count_file); }

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) return 2;
  count_file = argv[1];
  std::atexit(MarkHostGone);
  plugin = new rowshift::testing::BuiltPlugin;
  if (!plugin->Loaded() || plugin->BindToStandin() != 1) return 3;
  if (plugin->MQOnEvent(nullptr, rowshift::kStartUpEvent, nullptr) != 1) return 4;
  return 0;
}
