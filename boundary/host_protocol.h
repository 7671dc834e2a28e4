// The host protocol's numbers and names, each written here once: the plug-in,
// the stand-in host and rowshift-host all take them from this header.
//
// Numbers are the host's and never change; names are the host's own text and
// are compared byte for byte. Each key says the type of the value it carries,
// the widget requests' keys in one table (kWidgetKeyTypes).
#pragma once

#include <cstdint>

#include "platform/abi.h"

namespace rowshift {

// The plug-in kind MQGetPlugInType answers for a station plug-in.
inline constexpr int32_t kStationKind = 6;
// The kinds whose one display string is a title, MQEnumStringW's index 0.
inline constexpr int32_t kFirstSingleTitleKind = kStationKind;
inline constexpr int32_t kLastSingleTitleKind = 7;

// Events MQOnEvent brings to a station plug-in that have a meaning the plug-in
// knows (the others reach numbered default operations).
enum StationEvent : int32_t {
  kStartUpEvent = 1,
  kShutDownEvent = 2,
  kSubcommandKeyEvent = 3,    // ("index", int), ("result", narrow text out)
  kSubcommandTitleEvent = 4,  // ("index", int), ("result", wide text out)
  kSetShownEvent = 100,       // argument: int flag
  kIsShownEvent = 101,
  kRunSubcommandEvent = 104,  // ("index", int)
};

// Events of the command plug-in kind: pointer events 120 to 130, then keys.
inline constexpr int32_t kFirstPointerEvent = 120;
inline constexpr int32_t kLastPointerEvent = 130;
inline constexpr int32_t kKeyDownEvent = 140;
inline constexpr int32_t kKeyUpEvent = 141;

// Events of the import plug-in kind.
inline constexpr int32_t kImportRunEvent = 300;
inline constexpr int32_t kImportSetOptionsEvent = 301;

// Keys of the numbered events' lists (beside "index" and "result" below), with
// the events that carry them; a value is an address unless the type is given.
inline constexpr char kSourceProductKey[] = "src_product";     // int: 103
inline constexpr char kSourceIdKey[] = "src_id";               // int: 103
inline constexpr char kDescriptionKey[] = "description";       // 103
inline constexpr char kMessageKey[] = "message";               // 103
inline constexpr char kSceneKey[] = "scene";                   // 110, 120 to 141, 240
inline constexpr char kWidthKey[] = "width";                   // int: 110
inline constexpr char kHeightKey[] = "height";                 // int: 110
inline constexpr char kXmlElementKey[] = "xml_elem";           // 200, 202 to 204
inline constexpr char kFileNameKey[] = "filename";             // 200, 202 to 204
inline constexpr char kSaveUidKey[] = "save_uid";              // int out: 202, 203
inline constexpr char kPastStateKey[] = "past_state";          // int: 203
inline constexpr char kSourceDocumentKey[] = "srcdoc";         // 204
inline constexpr char kObjectTableKey[] = "object_table";      // 204
inline constexpr char kMaterialTableKey[] = "material_table";  // 204
inline constexpr char kStateKey[] = "state";                   // int: 210 to 212
inline constexpr char kSizeKey[] = "size";                     // int: 212, 262 (out for copy)
inline constexpr char kTriggerKey[] = "trigger";               // text: 250
inline constexpr char kReasonKey[] = "reason";                 // int: 260
inline constexpr char kDestinationObjectKey[] = "dstobj";      // 260
inline constexpr char kSourceObjectKey[] = "srcobj";           // 260
inline constexpr char kVertexCountKey[] = "numvert";           // int: 262
inline constexpr char kLineCountKey[] = "numline";             // int: 262
inline constexpr char kFaceCountKey[] = "numface";             // int: 262
inline constexpr char kVertexIdsKey[] = "vertid";              // 262
inline constexpr char kFaceIdsKey[] = "faceid";                // 262
inline constexpr char kObjectKey[] = "object";                 // 262
inline constexpr char kMousePosXKey[] = "mouse_pos_x";         // int: 120 to 130
inline constexpr char kMousePosYKey[] = "mouse_pos_y";         // int: 120 to 130
inline constexpr char kMouseWheelKey[] = "mouse_wheel";        // int: 120 to 130
inline constexpr char kPressureKey[] = "pressure";             // float: 120 to 130
inline constexpr char kKeyCodeKey[] = "key";                   // int: 140, 141
inline constexpr char kBackgroundKey[] = "background";         // int: 301
inline constexpr char kArgsKey[] = "args";                     // 301

// Words of event 250's "trigger".
inline constexpr char kScreenTriggerWord[] = "screen";
inline constexpr char kWorldTriggerWord[] = "world";
inline constexpr char kLocalTriggerWord[] = "local";

// Forms of events 260 ("type") and 261 (the first name).
inline constexpr char kVertexFormWord[] = "vertex";
inline constexpr char kApexFormWord[] = "apex";

// Modes of event 262 (the first name).
inline constexpr char kQueryModeWord[] = "query";
inline constexpr char kCopyModeWord[] = "copy";
inline constexpr char kCutModeWord[] = "cut";
inline constexpr char kPasteModeWord[] = "paste";

// Codes of MQ_SendMessage.
inline constexpr int32_t kWindowClosedMessage = 100;     // empty list
inline constexpr int32_t kSettingsElementMessage = 505;  // ("root"/"pluginsettings", element out)

// Names of the settings document's elements that message 505 hands out.
inline constexpr char kSettingsRootName[] = "root";
inline constexpr char kPluginSettingsName[] = "pluginsettings";

// The interface version a host of the oldest supported edition announces.
inline constexpr uint32_t kOldestHostVersion = 0x4702;

// Value ids of MQObj_GetIntValue and MQObj_SetIntValue.
enum class ObjectValueId : int32_t {
  Depth = 257,      // nesting level, 0 at the top
  Collapsed = 258,  // nonzero: descendants hidden from row navigation
  Eligible = 260,   // zero: passed over by every search and scan
  Selected = 262,   // nonzero: acted on by top, bottom and gather
};

// Codes of MQXmlElem_Value.
enum class XmlElementCode : int32_t {
  kAddChild = 0x101,
  kRemoveChild = 0x102,
  kFindChild = 0x201,
  kGetText = 0x302,
  kSetText = 0x402,
};

// Codes of MQWidget_Value.
enum class WidgetRequest : int32_t {
  SystemWidget = 0x100,
  Create = 0x101,
  Delete = 0x102,
  AttachChild = 0x201,
  AttachWindow = 0x203,
  Read = 0x301,
  Write = 0x302,
  HookEvent = 0x304,
};

// Codes of MQCanvas_Value.
enum class CanvasRequest : int32_t {
  Delete = 0x102,
};

// Keys of the widget requests' lists.
inline constexpr char kTypeKey[] = "type";  // a widget type or event name
inline constexpr char kIdKey[] = "id";      // out: the new widget's id
inline constexpr char kChildKey[] = "child";
inline constexpr char kResultKey[] = "result";      // out: an int; text in events 3 and 4
inline constexpr char kSystemKey[] = "system";      // a system widget's name
inline constexpr char kIndexKey[] = "index";        // int
inline constexpr char kProcKey[] = "proc";          // WidgetEventProc
inline constexpr char kPointerKey[] = "pointer";    // void*: handed back to the proc
inline constexpr char kFunctionKey[] = "function";  // void*
inline constexpr char kPriorKey[] = "prior";

// Keys every widget event's list starts with.
inline constexpr char kTargetIdKey[] = "target_id";        // int
inline constexpr char kSenderIdKey[] = "sender_id";        // int
inline constexpr char kButtonStateKey[] = "button_state";  // int: the bits below

// Bits of "button_state".
inline constexpr int32_t kLeftButtonBit = 0x01;
inline constexpr int32_t kRightButtonBit = 0x02;
inline constexpr int32_t kShiftBit = 0x04;
inline constexpr int32_t kCtrlBit = 0x08;
inline constexpr int32_t kMiddleButtonBit = 0x10;
inline constexpr int32_t kAltBit = 0x20;

// The function the host calls for every hooked widget event ("proc").
using WidgetEventProc = int32_t(ROWSHIFT_CALL*)(void* document, void** list, void* option);

// Widget types.
inline constexpr char kWindowType[] = "window";
inline constexpr char kFrameType[] = "frame";
inline constexpr char kButtonType[] = "button";

// Widget properties.
inline constexpr char kTitleProperty[] = "title";
inline constexpr char kVisibleProperty[] = "visible";
inline constexpr char kPosXProperty[] = "pos_x";
inline constexpr char kPosYProperty[] = "pos_y";
inline constexpr char kAlignmentProperty[] = "alignment";
inline constexpr char kInspaceProperty[] = "inspace";
inline constexpr char kOutspaceProperty[] = "outspace";
inline constexpr char kTextProperty[] = "text";
inline constexpr char kVerticalAlignment[] = "vert";  // a value of "alignment"

// The type of the value each typed key of the widget requests carries; a key
// not listed carries an address. Text is narrow, a bool is one byte (0 or 1).
enum class WidgetValueType { Bool, Int, Double, Text, WideText };
struct WidgetKeyType {
  const char* key;
  WidgetValueType type;
};
inline constexpr WidgetKeyType kWidgetKeyTypes[] = {
    {kTypeKey, WidgetValueType::Text},
    {kSystemKey, WidgetValueType::Text},
    {kIdKey, WidgetValueType::Int},
    {kChildKey, WidgetValueType::Int},
    {kResultKey, WidgetValueType::Int},
    {kPriorKey, WidgetValueType::Bool},
    {kTitleProperty, WidgetValueType::WideText},
    {kTextProperty, WidgetValueType::WideText},
    {kVisibleProperty, WidgetValueType::Bool},
    {kAlignmentProperty, WidgetValueType::Text},
    {kPosXProperty, WidgetValueType::Int},
    {kPosYProperty, WidgetValueType::Int},
    {kInspaceProperty, WidgetValueType::Double},
    {kOutspaceProperty, WidgetValueType::Double},
};

// Widget event names.
inline constexpr char kExecuteEvent[] = "execute";
inline constexpr char kHideEvent[] = "hide";

// The system widget a tool window is attached to.
inline constexpr char kMainWindowSystemName[] = "main_window";

}  // namespace rowshift
