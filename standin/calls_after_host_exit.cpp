#include "standin/calls_after_host_exit.h"

#include <cstdio>
#include <cstring>

namespace standin {
namespace {

constexpr std::size_t kPathCapacity = 1024;

struct GoneState {
  bool gone;
  int calls;
  char count_file[kPathCapacity];
};

GoneState state = {false, 0, {}};

void WriteCount() {
  if (std::FILE* file = std::fopen(state.count_file, "w")) {
    std::fprintf(file, "%d\n", state.calls);
    std::fclose(file);
  }
}

}  // namespace

void MarkHostGone(const char* count_file) {
  if (count_file == nullptr || std::strlen(count_file) >= kPathCapacity) return;
  std::strcpy(state.count_file, count_file);
  state.gone = true;
  state.calls = 0;
  WriteCount();
}

void NoteHostCall() {
  if (!state.gone) return;
  ++state.calls;
  WriteCount();
}

}  // namespace standin
