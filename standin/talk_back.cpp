#include "standin/talk_back.h"

#include <cstddef>
#include <iterator>
#include <utility>

#include "boundary/host_protocol.h"
#include "standin/talk_back_control.h"
#include "standin/widget_control.h"
#include "standin/widget_host.h"

namespace standin {
namespace {

constexpr const char* kTriggers[] = {"screen", "world", "local", "none"};
constexpr int32_t kSingleValueEvent = 102;

struct TalkBackState {
  PluginEventEntry on_event = nullptr;
  std::vector<TalkBack> messages;
  std::size_t next = 0;
  int calls = 0;            // counted calls since the last message sent (or arming)
  bool every_call = false;  // every host call counts, not only document calls
  bool sending = false;
  std::vector<TalkBackAnswer> answers;
};

// Made on first use and never destroyed (standin_api.h).
TalkBackState& State() {
  static auto* const state = new TalkBackState;
  return *state;
}

bool IsDocumentCall(EntryPoint entry_point) {
  switch (entry_point) {
    case EntryPoint::MQ_SendMessage:
    case EntryPoint::MQXmlElem_Value:
    case EntryPoint::MQWidget_Value:
    case EntryPoint::MQCanvas_Value:
      return false;
    default:
      return true;
  }
}

// `value` taken modulo `count` (> 0), never negative.
std::size_t Modulo(int32_t value, std::size_t count) {
  const auto size = static_cast<int64_t>(count);
  return static_cast<std::size_t>((int64_t{value} % size + size) % size);
}

// A live widget of `type` other than the main window, picked by `value`; 0
// when there is none.
int32_t PickWidget(const char* type, int32_t value) {
  std::vector<int32_t> ids;
  for (const auto& [id, entry] : WidgetHost::Instance().Widgets()) {
    if (id != kStandinMainWindowId && entry.type == type) ids.push_back(id);
  }
  return ids.empty() ? 0 : ids[Modulo(value, ids.size())];
}

int32_t SendEvent(PluginEventEntry on_event, const TalkBack& message) {
  int32_t value = message.value;
  int32_t save_uid = 0;
  const char* trigger = kTriggers[Modulo(value, std::size(kTriggers))];
  void* list[] = {const_cast<char*>(rowshift::kIndexKey),
                  &value,
                  const_cast<char*>("state"),
                  &value,
                  const_cast<char*>("size"),
                  &value,
                  const_cast<char*>("past_state"),
                  &value,
                  const_cast<char*>("trigger"),
                  const_cast<char*>(trigger),
                  const_cast<char*>("save_uid"),
                  &save_uid,
                  const_cast<char*>("xml_elem"),
                  nullptr,
                  const_cast<char*>("filename"),
                  nullptr,
                  nullptr};
  // Show and event 102 take the value itself, not a list.
  if (message.event == rowshift::kSetShownEvent || message.event == kSingleValueEvent) {
    return on_event(message.document, message.event, &value);
  }
  return on_event(message.document, message.event, list);
}

// Sends one message; false when it found nothing to reach.
bool Send(const TalkBack& message, PluginEventEntry on_event, int32_t* answer) {
  switch (message.kind) {
    case TalkBack::Kind::kEvent:
      if (on_event == nullptr) return false;
      *answer = SendEvent(on_event, message);
      return true;
    case TalkBack::Kind::kClick: {
      const int32_t button = PickWidget(rowshift::kButtonType, message.value);
      if (button == 0) return false;
      *answer = Click(button, message.document);
      return true;
    }
    case TalkBack::Kind::kClose: {
      const int32_t window = PickWidget(rowshift::kWindowType, message.value);
      if (window == 0) return false;
      *answer = SimulateUserClose(window, message.document) ? 1 : 0;
      return true;
    }
  }
  return false;
}

void Arm(PluginEventEntry on_event, std::vector<TalkBack> messages, bool every_call) {
  TalkBackState& state = State();
  state.on_event = on_event;
  state.messages = std::move(messages);
  state.next = 0;
  state.calls = 0;
  state.every_call = every_call;
  state.answers.clear();
}

}  // namespace

void TalkBackFrom(EntryPoint entry_point) {
  TalkBackState& state = State();
  const bool document_call = IsDocumentCall(entry_point);
  if (state.sending || state.next >= state.messages.size() ||
      !(document_call || state.every_call)) {
    return;
  }
  if (++state.calls < state.messages[state.next].after_calls) return;
  const TalkBack message = state.messages[state.next++];
  state.calls = 0;
  state.sending = true;
  int32_t answer = 0;
  if (Send(message, state.on_event, &answer)) {
    state.answers.push_back({message, answer, document_call});
  }
  state.sending = false;
}

void TalkBackDuringDocumentCalls(PluginEventEntry on_event, std::vector<TalkBack> messages) {
  Arm(on_event, std::move(messages), false);
}

void TalkBackDuringHostCalls(PluginEventEntry on_event, std::vector<TalkBack> messages) {
  Arm(on_event, std::move(messages), true);
}

void StopTalkingBack() {
  TalkBackState& state = State();
  state.messages.clear();
  state.next = 0;
  state.calls = 0;
}

const std::vector<TalkBackAnswer>& TalkBackAnswers() { return State().answers; }

}  // namespace standin
