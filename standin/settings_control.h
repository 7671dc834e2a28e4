// Test controls for the stand-in host's settings document and host messages.
//
// The settings document is a tree of elements (name, optional text, ordered
// children; names and texts UTF-8) whose root holds the plug-in settings
// element "pluginsettings". Message 505 hands the plug-in the handles of both.
// An element handle is the same void* the plug-in sees; a handle that is null
// or not in the tree reads as an element with no name, no text and no children.
//
// Every host message is recorded (in the call log too) and counted by code.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "standin/standin_api.h"

namespace standin {

// A copy of an element and its subtree, for building or reading the document
// (a command-line host loads and saves it as XML this way).
struct SettingsNode {
  std::string name;
  std::optional<std::string> text;
  std::vector<SettingsNode> children;
};

STANDIN_API void* SettingsRootElement();
// Null once the plug-in settings element has been removed from the root.
STANDIN_API void* PluginSettingsElement();

STANDIN_API std::string SettingsElementName(void* element);
STANDIN_API std::optional<std::string> SettingsElementText(void* element);
STANDIN_API std::vector<void*> SettingsElementChildren(void* element);
// The first child of `element` named `name`, or null.
STANDIN_API void* SettingsChildNamed(void* element, const std::string& name);

// The whole document, from the root.
STANDIN_API SettingsNode ReadSettingsTree();
// Replaces the whole document with `root`; the plug-in settings element is the
// root's first child named "pluginsettings", added when there is none. Handles
// of the old document must not be used again.
STANDIN_API void LoadSettingsTree(const SettingsNode& root);

// A fresh document (a root holding an empty "pluginsettings") with both fault
// switches off. Handles of the old document must not be used again.
STANDIN_API void ResetSettingsDocument();

// Fault switches, off until set or reset.
// Message 505 writes null into the "pluginsettings" value slot.
STANDIN_API void WithholdPluginSettingsElement(bool withhold);
// Code 0x101 (add a child) adds nothing and writes null.
STANDIN_API void FailAddChildElement(bool fail);

// One host message as the plug-in sent it.
struct RecordedMessage {
  int32_t code = 0;
  bool had_message = false;  // false: the message pointer was null; the fields below are 0
  uint32_t product = 0;
  uint32_t plugin = 0;
  uint32_t reserved = 0;
  bool had_list = false;
  std::vector<std::string> list_names;  // the names of the list's pairs, in order
};

STANDIN_API const std::vector<RecordedMessage>& HostMessages();
STANDIN_API int HostMessageCount(int32_t code);
STANDIN_API void ClearHostMessages();

}  // namespace standin
