// Test control for a host that talks back while it carries out a request.
//
// A real host may notify its plug-ins from inside a call the plug-in made:
// after an insertion or a deletion it may send the object-list and document
// notices, and a host that pumps its message queue may deliver a button click
// or a window close. With this switch on, the stand-in does the same from
// inside its document calls (MQDoc_*, MQObj_*), which the plug-in makes only
// while an operation runs, or from inside every host call the plug-in makes,
// its messages, settings element calls and widget requests among them. Off
// until armed.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/abi.h"
#include "standin/standin_api.h"

namespace standin {

// The plug-in's MQOnEvent export, through which the stand-in sends events.
using PluginEventEntry = int32_t(ROWSHIFT_CALL*)(void* document, int32_t event, void* argument);

// One message the host sends back.
struct TalkBack {
  enum class Kind { kEvent, kClick, kClose };

  // Sent from inside the n-th document call after the previous message (or
  // after arming, for the first); 1 = the next call.
  int after_calls = 1;
  Kind kind = Kind::kEvent;
  // kEvent: the event number: 1, 2, 7, 100 to 102, 104, 200 to 231 or 250.
  // Events 100 and 102 get the address of `value`; the others a list that
  // holds every key these events read: "index", "state", "size" and
  // "past_state" = `value`; "trigger" = "screen", "world", "local" or "none" by
  // `value`; "save_uid" to write into; "xml_elem" and "filename" null.
  int32_t event = 0;
  // kEvent: see above. kClick: which live button is pressed (by position in
  // id order, any value taken modulo their number). kClose: which window
  // other than the main window the user closes, the same way.
  int32_t value = 0;
  void* document = nullptr;  // the document the message carries
};

// One message sent, with the plug-in's answer (a click's: the button's
// handler's; a close's: 1 when the window was visible and so was hidden).
struct TalkBackAnswer {
  TalkBack message;
  int32_t answer = 0;
  bool during_document_call = true;  // sent from inside a document call
};

// From now on, sends `messages` in order through `on_event` (events) or the
// widget hooks (clicks and closes). A message is sent before the document call
// it falls on does its own work. Document calls made while a message is being
// sent neither count nor send. A click or close that finds no such widget is
// passed over.
STANDIN_API void TalkBackDuringDocumentCalls(PluginEventEntry on_event,
                                             std::vector<TalkBack> messages);
// The same, counting and sending from inside every host call the plug-in
// makes: document calls, host messages, settings element calls and widget and
// canvas requests. A message falls before the call does its own work.
STANDIN_API void TalkBackDuringHostCalls(PluginEventEntry on_event, std::vector<TalkBack> messages);
// Off; messages not sent yet are dropped.
STANDIN_API void StopTalkingBack();
// The messages sent since the switch was last armed, in order.
STANDIN_API const std::vector<TalkBackAnswer>& TalkBackAnswers();

}  // namespace standin
