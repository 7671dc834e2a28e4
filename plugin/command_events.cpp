#include "plugin/command_events.h"

#include <iterator>

#include "boundary/host_protocol.h"

namespace rowshift {

namespace {

using PointerOperation = int32_t (MQCommandPlugin::*)(void*, void*, PointerState*);

// One per event, from 120 to 130.
constexpr PointerOperation kPointerOperations[] = {
    &MQCommandPlugin::HandleEvent120, &MQCommandPlugin::HandleEvent121,
    &MQCommandPlugin::HandleEvent122, &MQCommandPlugin::HandleEvent123,
    &MQCommandPlugin::HandleEvent124, &MQCommandPlugin::HandleEvent125,
    &MQCommandPlugin::HandleEvent126, &MQCommandPlugin::HandleEvent127,
    &MQCommandPlugin::HandleEvent128, &MQCommandPlugin::HandleEvent129,
    &MQCommandPlugin::HandleEvent130};
static_assert(std::size(kPointerOperations) == kLastPointerEvent - kFirstPointerEvent + 1);

// A flag of "button_state" as 0 or 1.
int32_t Bit(int32_t state, int32_t mask) { return (state & mask) != 0 ? 1 : 0; }

PointerState ButtonsOnly(const NameValueList& list) {
  const int32_t state = list.Int(kButtonStateKey, 0);
  PointerState pointer{};
  pointer.left_button = Bit(state, kLeftButtonBit);
  pointer.middle_button = Bit(state, kMiddleButtonBit);
  pointer.right_button = Bit(state, kRightButtonBit);
  pointer.shift = Bit(state, kShiftBit);
  pointer.ctrl = Bit(state, kCtrlBit);
  pointer.alt = Bit(state, kAltBit);
  return pointer;
}

PointerState FullPointer(const NameValueList& list) {
  PointerState pointer = ButtonsOnly(list);
  pointer.x = list.Int(kMousePosXKey, 0);
  pointer.y = list.Int(kMousePosYKey, 0);
  pointer.wheel = list.Int(kMouseWheelKey, 0);
  pointer.pressure = list.Float(kPressureKey, 0.0f);
  return pointer;
}

}  // namespace

bool IsCommandEvent(int32_t event) {
  return (event >= kFirstPointerEvent && event <= kLastPointerEvent) || event == kKeyDownEvent ||
         event == kKeyUpEvent;
}

int32_t DispatchCommandEvent(MQCommandPlugin& plugin, void* document, int32_t event,
                             const NameValueList& list) {
  void* scene = list.Find(kSceneKey);
  if (event >= kFirstPointerEvent && event <= kLastPointerEvent) {
    PointerState pointer = FullPointer(list);
    return (plugin.*kPointerOperations[event - kFirstPointerEvent])(document, scene, &pointer);
  }
  if (event == kKeyDownEvent || event == kKeyUpEvent) {
    PointerState pointer = ButtonsOnly(list);
    const int32_t key = list.Int(kKeyCodeKey, 0);
    return event == kKeyDownEvent ? plugin.HandleEvent140(document, scene, key, &pointer)
                                  : plugin.HandleEvent141(document, scene, key, &pointer);
  }
  return 0;
}

}  // namespace rowshift
