// The widget dispatcher against the plug-in's live tool window, built in
// process on the stand-in host: events of every record type (and of any other
// name) aimed at its widgets or at none, with any values, through the
// registrations the window made and through handlers that take each record,
// change its answers and may shut the plug-in down from inside the event, or
// shut it down and start it again on a host that may give the deleted widgets'
// ids to the new ones. The dispatcher must write back exactly what the handler
// left in the answers it names, and nothing anywhere else; the document a
// click reorders stays whole.
#include <cstdint>
#include <cstring>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "boundary/host_functions.h"
#include "fuzz/fuzz_document.h"
#include "fuzz/fuzz_input.h"
#include "plugin/rowshift.h"
#include "plugin/rowshift_window.h"
#include "standin/call_log.h"
#include "standin/settings_control.h"
#include "standin/settings_entry_points.h"
#include "standin/widget_control.h"
#include "standin/widget_exports.h"
#include "support/host_list.h"
#include "support/standin_in_process.h"
#include "widgets/event_closure.h"
#include "widgets/widget_base.h"
#include "widgets/widget_event_dispatch.h"
#include "widgets/widget_event_records.h"
#include "widgets/widget_registry.h"

namespace rowshift::testing {
namespace {

constexpr int32_t kLargestStepCount = 16;
constexpr int32_t kLargestPairCount = 10;

// Every event name the dispatcher gives a record to, and the window's own.
// clang-format off
const char* const kEventNames[] = {
    "leftdown", "leftup", "leftdoubleclick", "middledown", "middleup", "middledoubleclick",
    "rightdown", "rightup", "rightdoubleclick", "mousemove", "mousewheel", "keydown", "keyup",
    "paint", "listdrawitem", "treelistdrawitem", "memodrawitem", "timer", "closequery",
    "dragover", "dropfiles", "execute", "hide"};
// clang-format on

// Keys whose value the dispatcher answers through, each a 32-bit int or a bool byte.
const char* const kIntAnswers[] = {"x", "y", "width", "height"};
const char* const kBoolAnswers[] = {"finished", "result", "interrupted"};
// Keys the records are read from.
const char* const kReadKeys[] = {
    "client_x", "client_y",    "screen_x",     "screen_y", "down_x", "down_y",      "last_x",
    "last_y",   "wheel_delta", "button_state", "pressure", "key",    "auto_repeat", "index",
    "id",       "line",        "start",        "end",      "canvas", "files"};

bool IsIntAnswer(const std::string& name) {
  for (const char* key : kIntAnswers) {
    if (name == key) return true;
  }
  return false;
}
bool IsBoolAnswer(const std::string& name) {
  for (const char* key : kBoolAnswers) {
    if (name == key) return true;
  }
  return false;
}

// What the handler left in a record's answers, by key, as the host's bytes.
using Answers = std::map<std::string, int32_t>;

// A handler that sets its record's answers from the input and may shut the
// plug-in down while the event is being dispatched. It reads the record as the
// dispatcher built it: by the event's "type", whatever it was registered for.
class AnsweringClosure final : public MQWidgetEventClosureBase {
 public:
  AnsweringClosure(const std::string& event_type, FuzzInput& input, Answers& answers,
                   Rowshift& plugin)
      : event_type_(event_type), input_(input), answers_(answers), plugin_(plugin) {}

  int32_t Fire(MQWidgetBase* /*sender*/, void* /*document*/, void* record) override {
    const std::string name = event_type_;
    const int32_t answer = input_.Value<int32_t>();
    if (record != nullptr) Answer(name, record);
    // Last, as it may destroy the wrapper that holds this closure.
    if (input_.InRange(0, 15) == 0) {
      plugin_.ShutDown();
      if (input_.Flag()) {
        standin::ReuseWidgetIds(input_.Flag());
        plugin_.StartUp();
      }
    }
    return answer;
  }
  bool SameAs(const MQWidgetEventClosureBase& other) const override { return &other == this; }
  void* Target() const override { return nullptr; }
  const void* Method() const override { return this; }

 private:
  template <typename Record>
  void Bounds(Record& record) {
    record.x = answers_["x"] = input_.Value<int32_t>();
    record.y = answers_["y"] = input_.Value<int32_t>();
    record.width = answers_["width"] = input_.Value<int32_t>();
    record.height = answers_["height"] = input_.Value<int32_t>();
  }

  void Answer(const std::string& name, void* record) {
    const bool flag = input_.Flag();
    if (name == "listdrawitem") return Bounds(*static_cast<ListDrawItemArgs*>(record));
    if (name == "treelistdrawitem") return Bounds(*static_cast<TreeListDrawItemArgs*>(record));
    if (name == "memodrawitem") return Bounds(*static_cast<MemoDrawItemArgs*>(record));
    if (name == "closequery") {
      *static_cast<bool*>(record) = flag;
      if (flag) answers_["finished"] = 1;
    } else if (name == "dragover") {
      static_cast<DragOverArgs*>(record)->result = flag;
      answers_["result"] = flag;
    } else if (name == "keydown" || name == "keyup") {
      static_cast<KeyEventArgs*>(record)->finished = flag;
      if (flag) answers_["finished"] = 1;
    } else if (name == "paint") {
      auto& paint = *static_cast<PaintEventArgs*>(record);
      if (paint.interrupted != nullptr && flag) {
        *paint.interrupted = true;
        answers_["interrupted"] = 1;
      }
    } else if (name == "dropfiles") {
      for (const char* file : static_cast<DropFilesArgs*>(record)->files) {
        Require(std::strlen(file) < kLargestRandomValueBytes + 1, "file names read whole");
      }
    } else if (name != "timer") {
      static_cast<MouseEventArgs*>(record)->finished = flag;
      if (flag) answers_["finished"] = 1;
    }
  }

  const std::string& event_type_;
  FuzzInput& input_;
  Answers& answers_;
  Rowshift& plugin_;
};

void BindStandin() {
  static const bool bound = [] {
    BindStandinDocumentFunctions();
    HostFunctionTable& host = HostFunctions();
    host.MQWidget_Value = &MQWidget_Value;
    host.MQCanvas_Value = &MQCanvas_Value;
    host.MQ_SendMessage = &MQ_SendMessage;
    host.MQXmlElem_Value = &MQXmlElem_Value;
    return true;
  }();
  (void)bound;
}

void* PickInt(FuzzInput& input, HostList& list) {
  return list.IntValue(input.Flag() ? input.InRange(-2, 8) : input.Value<int32_t>());
}

HostList& AddPair(FuzzInput& input, HostList& list) {
  const uint8_t kind = input.InRange(0, 9);
  if (kind == 0)
    return list.Add(input.Bytes(10), list.Value(input.Bytes(kLargestRandomValueBytes)));
  if (kind == 1) return list.Add(input.Pick(kIntAnswers), PickInt(input, list));
  if (kind == 2) return list.Add(input.Pick(kBoolAnswers), list.IntValue(input.InRange(0, 1)));
  const std::string key = input.Pick(kReadKeys);
  if (input.InRange(0, 7) == 0) return list.Add(key, nullptr);
  if (key == "files") {
    // The host's null-terminated array of file names.
    std::vector<void*> names;
    const int32_t count = input.InRange(0, 3);
    for (int32_t index = 0; index < count; ++index)
      names.push_back(list.Value(input.Bytes(kLargestRandomValueBytes)));
    names.push_back(nullptr);
    return list.Add(key, list.Value(std::string(reinterpret_cast<const char*>(names.data()),
                                                names.size() * sizeof(void*))));
  }
  return list.Add(key, key == "canvas" ? list.Value(input.Bytes(kLargestRandomValueBytes))
                                       : PickInt(input, list));
}

// Any live widget's id, or any number.
int32_t PickWidget(FuzzInput& input) {
  const std::vector<int32_t> ids = standin::WidgetIds();
  if (input.InRange(0, 7) == 0) return input.Value<int32_t>();
  return ids[static_cast<std::size_t>(input.InRange(0, static_cast<int32_t>(ids.size()) - 1))];
}

// A registration of the target (the window's own or ours), another
// widget's, an address nobody registered, or none.
void* PickOption(FuzzInput& input, int32_t target, HostList& list) {
  std::vector<void*> options;
  for (const standin::WidgetHook& hook : standin::WidgetHooks(target))
    options.push_back(hook.pointer);
  if (options.empty() || input.InRange(0, 5) == 0) {
    const int32_t other = PickWidget(input);
    for (const standin::WidgetHook& hook : standin::WidgetHooks(other))
      options.push_back(hook.pointer);
  }
  options.push_back(nullptr);
  options.push_back(list.Value(input.Bytes(kLargestRandomValueBytes)));
  return options[static_cast<std::size_t>(
      input.InRange(0, static_cast<int32_t>(options.size()) - 1))];
}

// Registers answering handlers on some of the live wrappers, each for some
// event names.
void RegisterHandlers(FuzzInput& input, const std::string& event_type, Answers& answers,
                      Rowshift& plugin, std::vector<std::shared_ptr<AnsweringClosure>>& made) {
  for (const int32_t id : standin::WidgetIds()) {
    MQWidgetBase* wrapper = LiveWidgets().Find(id);
    if (wrapper == nullptr) continue;
    const int32_t count = input.InRange(0, 3);
    for (int32_t index = 0; index < count; ++index) {
      const char* name = input.Pick(kEventNames);
      auto closure = std::make_shared<AnsweringClosure>(event_type, input, answers, plugin);
      wrapper->AddHandler(name, closure, input.Flag());
      made.push_back(closure);
    }
  }
}

void CheckWrites(const HostList& list, const std::vector<std::string>& first_names,
                 const std::vector<void*>& first_values, const Answers& answers) {
  std::set<std::string> answered;
  for (std::size_t index = 0; index < first_names.size(); ++index) {
    const std::string& name = first_names[index];
    if (!answers.count(name) || first_values[index] == nullptr) continue;
    answered.insert(name);
    int32_t host_value = 0;
    std::memcpy(&host_value, first_values[index], IsBoolAnswer(name) ? 1 : sizeof host_value);
    Require(host_value == answers.at(name), "the handler's answer reaches the host");
  }
  for (const std::string& written : list.WrittenNames()) {
    Require(answered.count(written) != 0 || IsIntAnswer(written) || IsBoolAnswer(written),
            "the dispatcher writes only answers");
  }
}

}  // namespace
}  // namespace rowshift::testing

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace rowshift;
  using namespace rowshift::testing;
  BindStandin();
  standin::ResetWidgetHost();
  standin::ResetSettingsDocument();
  standin::ClearHostMessages();
  standin::ClearCalls();
  standin::RecordDocumentCalls(false);

  FuzzInput input(data, size);
  FuzzDocument document(input, "a");
  Answers answers;
  std::vector<std::shared_ptr<AnsweringClosure>> closures;
  {
    Rowshift plugin;
    plugin.StartUp();
    std::string event_type;
    RegisterHandlers(input, event_type, answers, plugin, closures);
    const int32_t steps = input.InRange(1, kLargestStepCount);
    for (int32_t step = 0; step < steps && !input.Empty(); ++step) {
      HostList list;
      const int32_t target = PickWidget(input);
      list.Add("target_id", list.IntValue(input.InRange(0, 7) == 0 ? PickWidget(input) : target));
      list.Add("sender_id", list.IntValue(PickWidget(input)));
      event_type = input.InRange(0, 7) == 0 ? input.Bytes(12) : input.Pick(kEventNames);
      list.Add("type", list.Value(event_type));
      const int32_t pairs = input.InRange(0, kLargestPairCount);
      for (int32_t pair = 0; pair < pairs; ++pair) AddPair(input, list);
      void* option = PickOption(input, target, list);
      void* on = input.Flag() ? document.Handle() : nullptr;

      answers.clear();
      void** slots = list.Slots();
      std::vector<std::string> first_names;
      std::vector<void*> first_values;
      for (void** slot = slots; *slot != nullptr; slot += 2) {
        const std::string name = static_cast<const char*>(slot[0]);
        bool seen = false;
        for (const std::string& earlier : first_names) seen = seen || earlier == name;
        if (seen) continue;
        first_names.push_back(name);
        first_values.push_back(slot[1]);
      }
      DispatchWidgetEvent(on, slots, option);
      CheckWrites(list, first_names, first_values, answers);
      document.CheckWhole();
    }
    plugin.ShutDown();
  }
  Require(WrappedWidgetIds().empty(), "no wrapper outlives the plug-in");
  return 0;
}
