// The stand-in host's widget state, shared by its widget exports, its event
// firing and its test controls. One instance per module; everything runs on
// one thread.
//
// No member calls back into the plug-in: callers that must fire events do so
// after they are done with the state, because a fired handler may send new
// requests.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "standin/high_addressed.h"
#include "standin/widget_control.h"

namespace standin {

inline constexpr int32_t kStandinMainWindowId = 1;

struct WidgetEntry {
  std::string type;
  int32_t parent = 0;
  std::vector<int32_t> children;
  std::map<std::string, WidgetValue> properties;
};

class WidgetHost {
 public:
  static WidgetHost& Instance();

  void Reset();

  // Null for an id that names no live widget.
  WidgetEntry* Find(int32_t id);

  // A new widget of `type`, or 0 when a fault switch says this create fails.
  int32_t Create(const std::string& type);
  // Removes the widget, its hooks and its place in its parent; its children
  // are left unattached. The main window cannot be deleted.
  bool Delete(int32_t id);
  // Moves `child` into `container`'s children, at the end.
  bool Attach(int32_t container, int32_t child);
  // Answers whether the write hid a visible window.
  bool SetProperty(int32_t id, const std::string& key, const WidgetValue& value);
  bool IsVisibleWindow(int32_t id);

  void AddHook(WidgetHook hook);
  // A new canvas handle, kept until the next reset.
  void* NewCanvas();
  std::vector<WidgetHook> HooksOf(int32_t widget_id, const std::string& type) const;

  std::vector<WidgetRequestRecord>& Requests() { return requests_; }
  const std::map<int32_t, WidgetEntry>& Widgets() const { return widgets_; }
  const std::vector<WidgetHook>& Hooks() const { return hooks_; }

  bool withhold_main_window = false;
  int creates_until_failure = 0;  // counts down; the create that reaches 0 fails
  std::string failing_type;
  bool reuse_ids = false;

 private:
  WidgetHost();
  bool CreateFails(const std::string& type);

  std::map<int32_t, WidgetEntry> widgets_;
  std::vector<WidgetHook> hooks_;
  std::vector<WidgetRequestRecord> requests_;
  // A canvas is only its address: the handle the plug-in is given.
  struct Canvas : HighAddressed {
    char unused = 0;
  };
  std::vector<std::unique_ptr<Canvas>> canvases_;
  int32_t next_id_ = kStandinMainWindowId + 1;
};

}  // namespace standin
