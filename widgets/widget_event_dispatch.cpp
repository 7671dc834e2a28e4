#include "widgets/widget_event_dispatch.h"

#include <cstring>
#include <memory>

#include "boundary/host_protocol.h"
#include "boundary/name_value_list.h"
#include "widgets/canvas.h"
#include "widgets/event_closure.h"
#include "widgets/event_record_decoding.h"
#include "widgets/widget_base.h"
#include "widgets/widget_registry.h"

namespace rowshift {
namespace {

enum class Treatment {
  Mouse,
  Key,
  Paint,
  ListDrawItem,
  TreeListDrawItem,
  MemoDrawItem,
  Timer,
  CloseQuery,
  DragOver,
  DropFiles,
  Other,
};

struct NamedTreatment {
  const char* event_name;
  Treatment treatment;
};

// Tried in this order; names are compared exactly, letter case included.
constexpr NamedTreatment kTreatments[] = {
    {"leftdown", Treatment::Mouse},
    {"leftup", Treatment::Mouse},
    {"leftdoubleclick", Treatment::Mouse},
    {"middledown", Treatment::Mouse},
    {"middleup", Treatment::Mouse},
    {"middledoubleclick", Treatment::Mouse},
    {"rightdown", Treatment::Mouse},
    {"rightup", Treatment::Mouse},
    {"rightdoubleclick", Treatment::Mouse},
    {"mousemove", Treatment::Mouse},
    {"mousewheel", Treatment::Mouse},
    {"keydown", Treatment::Key},
    {"keyup", Treatment::Key},
    {"paint", Treatment::Paint},
    {"listdrawitem", Treatment::ListDrawItem},
    {"treelistdrawitem", Treatment::TreeListDrawItem},
    {"memodrawitem", Treatment::MemoDrawItem},
    {"timer", Treatment::Timer},
    {"closequery", Treatment::CloseQuery},
    {"dragover", Treatment::DragOver},
    {"dropfiles", Treatment::DropFiles},
};

Treatment TreatmentOf(const char* event_name) {
  for (const NamedTreatment& named : kTreatments) {
    if (std::strcmp(named.event_name, event_name) == 0) return named.treatment;
  }
  return Treatment::Other;
}

// One event's closure and the values every treatment passes on.
struct Firing {
  MQWidgetEventClosureBase& closure;
  MQWidgetBase* sender;
  void* document;

  int32_t operator()(void* record) const { return closure.Fire(sender, document, record); }
};

// Wraps the event's canvas for the handler and, when the handler returns,
// destroys whatever canvas wrapper the record still points to. The wrapper owns
// nothing, so destroying it sends no request.
template <typename Record>
int32_t FireWithCanvas(const Firing& fire, Record& record, void* canvas_handle) {
  struct ReleaseRecordCanvas {
    MQCanvas*& canvas;
    ReleaseRecordCanvas(const ReleaseRecordCanvas&) = delete;
    ReleaseRecordCanvas& operator=(const ReleaseRecordCanvas&) = delete;
    ~ReleaseRecordCanvas() { delete canvas; }
  };
  record.canvas = new MQCanvas(canvas_handle, false);
  ReleaseRecordCanvas release{record.canvas};
  return fire(&record);
}

// Mouse and key records: the handler's "finished" goes back to the host.
template <typename Record>
int32_t FireReportingFinished(const Firing& fire, const NameValueList& events, Record record) {
  const int32_t answer = fire(&record);
  ReportFinished(events, record.finished);
  return answer;
}

template <typename Record>
int32_t FireDrawItem(const Firing& fire, const NameValueList& events, Record record) {
  const int32_t answer = FireWithCanvas(fire, record, CanvasHandle(events));
  ReportItemBounds(events, record.x, record.y, record.width, record.height);
  return answer;
}

int32_t Treat(Treatment treatment, const Firing& fire, const NameValueList& events,
              MQWidgetBase& target, const void* option) {
  switch (treatment) {
    case Treatment::Mouse:
      return FireReportingFinished(fire, events, DecodeMouseEvent(events));
    case Treatment::Key:
      return FireReportingFinished(fire, events, DecodeKeyEvent(events));
    case Treatment::Paint: {
      PaintEventArgs record = DecodePaintEvent(events);
      return FireWithCanvas(fire, record, CanvasHandle(events));
    }
    case Treatment::ListDrawItem:
      return FireDrawItem(fire, events, DecodeListDrawItem(events));
    case Treatment::TreeListDrawItem:
      return FireDrawItem(fire, events, DecodeTreeListDrawItem(events));
    case Treatment::MemoDrawItem:
      return FireDrawItem(fire, events, DecodeMemoDrawItem(events));
    case Treatment::Timer: {
      // A timer handler runs once: its registration leaves the wrapper first,
      // and this reference keeps the closure alive until it has run.
      std::shared_ptr<MQWidgetEventClosureBase> held = target.TakeHandler(option);
      return fire(nullptr);
    }
    case Treatment::CloseQuery: {
      bool finished = false;
      const int32_t answer = fire(&finished);
      ReportFinished(events, finished);
      return answer;
    }
    case Treatment::DragOver: {
      DragOverArgs record = DecodeDragOver(events);
      const int32_t answer = fire(&record);
      ReportDragResult(events, record.result);
      return answer;
    }
    case Treatment::DropFiles: {
      DropFilesArgs record = DecodeDropFiles(events);
      return fire(&record);
    }
    case Treatment::Other:
      break;
  }
  return fire(nullptr);
}

int32_t Dispatch(void* document, const NameValueList& events, void* option) {
  if (events.Slots() == nullptr || option == nullptr) return 0;
  const char* event_name = events.Text(kTypeKey);
  if (event_name == nullptr) return 0;
  MQWidgetBase* target = LiveWidgets().Find(events.Int(kTargetIdKey, 0));
  if (target == nullptr) return 0;
  MQWidgetEventClosureBase* closure = target->FindHandler(option);
  if (closure == nullptr) return 0;
  MQWidgetBase* sender = LiveWidgets().Find(events.Int(kSenderIdKey, 0));
  const Firing fire{*closure, sender, document};
  return Treat(TreatmentOf(event_name), fire, events, *target, option);
}

}  // namespace

extern "C" int32_t ROWSHIFT_CALL DispatchWidgetEvent(void* document, void** list, void* option) {
  try {
    return Dispatch(document, NameValueList(list), option);
  } catch (...) {
    // Nothing may cross back into the host; a failed handler handled nothing.
    return 0;
  }
}

}  // namespace rowshift
