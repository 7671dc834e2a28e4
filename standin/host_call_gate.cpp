#include "standin/host_call_gate.h"

#include <string>

#include "standin/call_log.h"
#include "standin/calls_after_host_exit.h"
#include "standin/talk_back.h"

namespace standin {
namespace {

constexpr const char* kEntryPointNames[] = {
#define STANDIN_CALLED_NAME(name, result, parameters) #name,
#define STANDIN_RESOLVED_NAME(name)
    ROWSHIFT_HOST_FUNCTIONS(STANDIN_CALLED_NAME, STANDIN_RESOLVED_NAME)
#undef STANDIN_CALLED_NAME
#undef STANDIN_RESOLVED_NAME
};
static_assert(sizeof kEntryPointNames / sizeof kEntryPointNames[0] == kCalledEntryPointCount);

// Plain data without a destructor, so calls that arrive while the process
// exits still find it.
struct GateState {
  int calls[kCalledEntryPointCount];
  int failing_entry_point;  // an EntryPoint, or -1: no switch armed
  int failing_call;         // the call number (CallCount) that fails
  int failed_calls;
};

GateState& State() {
  static GateState state = {{}, -1, 0, 0};
  return state;
}

int Slot(EntryPoint entry_point) { return static_cast<int>(entry_point); }

}  // namespace

bool CallFails(EntryPoint entry_point) {
  NoteHostCall();
  TalkBackFrom(entry_point);
  GateState& state = State();
  const int call = ++state.calls[Slot(entry_point)];
  const bool fails = state.failing_entry_point == Slot(entry_point) && state.failing_call == call;
  if (!fails) return false;
  ++state.failed_calls;
  RecordFailedCall(EntryPointName(entry_point));
  return true;
}

const char* EntryPointName(EntryPoint entry_point) { return kEntryPointNames[Slot(entry_point)]; }

int CallCount(EntryPoint entry_point) { return State().calls[Slot(entry_point)]; }

int FailedCallCount() { return State().failed_calls; }

void FailNthCall(EntryPoint entry_point, int n) {
  GateState& state = State();
  state.failing_entry_point = n > 0 ? Slot(entry_point) : -1;
  state.failing_call = n > 0 ? state.calls[Slot(entry_point)] + n : 0;
}

void ResetHostCalls() { State() = GateState{{}, -1, 0, 0}; }

}  // namespace standin
