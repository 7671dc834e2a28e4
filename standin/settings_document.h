// The stand-in host's settings document: a small tree of elements, each with a
// name, an optional text and ordered children. Texts and names are UTF-8.
//
// The handle the plug-in sees for an element is the element's address. An
// element removed from the tree is kept (detached) until the document is reset,
// so its address is never reused for a new element and a late use of its
// handle is recognised as unknown instead of being undefined behaviour.
//
// Internal to the stand-in module; tests reach it through settings_control.h.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <unordered_set>
#include <vector>

#include "standin/high_addressed.h"

namespace standin {

struct SettingsElement : HighAddressed {
  std::string name;
  std::optional<std::string> text;  // none: the element has no text
  std::vector<std::unique_ptr<SettingsElement>> children;
};

class SettingsDocument {
 public:
  // A fresh document: the root with one empty plug-in settings element.
  SettingsDocument();
  ~SettingsDocument() = default;
  SettingsDocument(const SettingsDocument&) = delete;
  SettingsDocument& operator=(const SettingsDocument&) = delete;

  SettingsElement& Root() { return *root_; }
  // Null once the plug-in settings element has been removed from the root.
  SettingsElement* PluginSettings() { return plugin_settings_; }

  // The element behind a handle when it is in the tree, else null.
  SettingsElement* Find(void* handle) const;

  // The first child named `name`, or null.
  static SettingsElement* FindChild(SettingsElement& parent, const std::string& name);
  // Appends a new child without text and returns it.
  SettingsElement& AddChild(SettingsElement& parent, const std::string& name);
  // Detaches `child` (and its subtree) from `parent`; false when it is not a child.
  bool RemoveChild(SettingsElement& parent, SettingsElement* child);

  // Replaces the tree with `root` (null: a bare root); the plug-in settings
  // element is the root's first child of that name, added when there is none.
  void Replace(std::unique_ptr<SettingsElement> root);

 private:
  void Register(SettingsElement& element);
  void Unregister(SettingsElement& element);

  std::unique_ptr<SettingsElement> root_;
  SettingsElement* plugin_settings_ = nullptr;
  std::unordered_set<const SettingsElement*> live_;
  std::vector<std::unique_ptr<SettingsElement>> detached_;
};

// The fault switches of the settings entry points (see settings_control.h).
struct SettingsFaults {
  bool withhold_plugin_settings = false;
  bool fail_add_child = false;
};

SettingsFaults& TheSettingsFaults();

// The module's one settings document.
SettingsDocument& TheSettingsDocument();
// Starts a fresh document. Handles of the old one must not be used again.
void ResetTheSettingsDocument();

}  // namespace standin
