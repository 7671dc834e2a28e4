#include "plugin/station_events.h"

#include <cstring>

#include "boundary/host_protocol.h"
#include "boundary/name_value_list.h"
#include "plugin/structured_events.h"

namespace rowshift {

namespace {

constexpr int32_t kHandled = 1;
constexpr int32_t kNotHandled = 0;
constexpr int32_t kNoPastState = -1;
constexpr int32_t kSaveUidRequested = 1;
constexpr int32_t kDefaultViewSize = 1;

// Trigger words of event 250 and the codes the operation receives for them.
struct Trigger {
  const char* word;
  int32_t code;
};
constexpr Trigger kTriggers[] = {
    {kScreenTriggerWord, 1}, {kWorldTriggerWord, 2}, {kLocalTriggerWord, 3}};
constexpr int32_t kOtherTrigger = 0;

int32_t TriggerCode(const char* word) {
  for (const Trigger& trigger : kTriggers) {
    if (std::strcmp(word, trigger.word) == 0) return trigger.code;
  }
  return kOtherTrigger;
}

// Events 3 and 4: the answer goes through the pointer-sized "result" slot.
template <typename Text>
int32_t StoreResult(const NameValueList& list, Text (MQStationPlugin::*query)(int32_t),
                    MQStationPlugin& plugin) {
  void* result = list.Find(kResultKey);
  if (result == nullptr) return kNotHandled;
  WritePointer(result, (plugin.*query)(list.Int(kIndexKey, 0)));
  return kHandled;
}

// Events 202 and 203: "save_uid" becomes 1 when the operation asked for it.
int32_t SaveEvent(MQStationPlugin& plugin, void* document, const NameValueList& list,
                  void (MQStationPlugin::*operation)(void*, void*, XmlSaveArgs*),
                  int32_t past_state) {
  XmlSaveArgs args{list.Find(kXmlElementKey), 0, past_state};
  (plugin.*operation)(document, list.Find(kFileNameKey), &args);
  if (args.save_request != 0) WriteInt(list.Find(kSaveUidKey), kSaveUidRequested);
  return kHandled;
}

}  // namespace

std::optional<int32_t> DispatchStationEvent(MQStationPlugin& plugin, void* document, int32_t event,
                                            void* argument) {
  const NameValueList list(static_cast<void**>(argument));
  switch (event) {
    case kStartUpEvent:
      return plugin.StartUp();
    case kShutDownEvent:
      plugin.ShutDown();
      return kHandled;
    case kSubcommandKeyEvent:
      return StoreResult(list, &MQStationPlugin::GetSubcommandKey, plugin);
    case kSubcommandTitleEvent:
      return StoreResult(list, &MQStationPlugin::GetSubcommandTitle, plugin);
    case 7:
      plugin.HandleEvent7(document);
      return kHandled;
    case kSetShownEvent:
      if (argument == nullptr) return kNotHandled;
      return plugin.SetShown(document, ReadInt(argument, 0));
    case kIsShownEvent:
      return plugin.IsShown(document);
    case 102:
      if (argument == nullptr) return kNotHandled;
      plugin.HandleEvent102(document, ReadInt(argument, 0));
      return kHandled;
    case 103: {
      const int32_t answer =
          plugin.HandleEvent103(document, list.Int(kSourceProductKey, 0), list.Int(kSourceIdKey, 0),
                                list.Find(kDescriptionKey), list.Find(kMessageKey));
      WriteInt(list.Find(kResultKey), answer);
      return kHandled;
    }
    case kRunSubcommandEvent:
      return plugin.RunSubcommand(document, list.Int(kIndexKey, 0));
    case 105:
      return plugin.HandleEvent105(document);
    case 110:
      plugin.HandleEvent110(document, list.Find(kSceneKey), list.Int(kWidthKey, kDefaultViewSize),
                            list.Int(kHeightKey, kDefaultViewSize));
      return kHandled;
    case 200: {
      XmlElemArgs args{list.Find(kXmlElementKey)};
      plugin.HandleEvent200(document, list.Find(kFileNameKey), &args);
      return kHandled;
    }
    case 201:
      plugin.HandleEvent201(document);
      return kHandled;
    case 202:
      return SaveEvent(plugin, document, list, &MQStationPlugin::HandleEvent202, kNoPastState);
    case 203:
      return SaveEvent(plugin, document, list, &MQStationPlugin::HandleEvent203,
                       list.Int(kPastStateKey, kNoPastState));
    case 204: {
      XmlSourceArgs args{list.Find(kXmlElementKey), list.Find(kSourceDocumentKey),
                         list.Find(kObjectTableKey), list.Find(kMaterialTableKey)};
      plugin.HandleEvent204(document, list.Find(kFileNameKey), &args);
      return kHandled;
    }
    case 210:
      return plugin.HandleEvent210(document, list.Int(kStateKey, 0));
    case 211:
      return plugin.HandleEvent211(document, list.Int(kStateKey, 0));
    case 212:
      plugin.HandleEvent212(document, list.Int(kStateKey, 0), list.Int(kSizeKey, 0));
      return kHandled;
    case 220:
      plugin.HandleEvent220(document);
      return kHandled;
    case 221:
      plugin.HandleEvent221(document);
      return kHandled;
    case 222:
      plugin.HandleEvent222(document);
      return kHandled;
    case 230:
      plugin.HandleEvent230(document);
      return kHandled;
    case 231:
      plugin.HandleEvent231(document);
      return kHandled;
    case 240:
      plugin.HandleEvent240(document, list.Find(kSceneKey));
      return kHandled;
    case 250: {
      const char* trigger = list.Text(kTriggerKey);
      if (trigger == nullptr) return kNotHandled;
      plugin.HandleEvent250(document, TriggerCode(trigger));
      return kHandled;
    }
    case 260:
      return DispatchEvent260(plugin, document, list);
    case 261:
      return DispatchEvent261(plugin, document, list);
    case 262:
      return DispatchEvent262(plugin, document, list);
    default:
      return std::nullopt;
  }
}

}  // namespace rowshift
