// MQWindow: a top-level host window.
//
// A window made under a parent creates and owns its host window; a window made
// from an existing id (the host's main window) owns nothing and never sends
// Delete. Copying is deleted like every wrapper's: FindMainWindow returns a
// prvalue, which C++17 constructs directly in the caller's object, so no copy
// or move is needed and the registry's entry names the caller's wrapper.
#pragma once

#include <cstdint>

#include "widgets/window_base.h"

namespace rowshift {

class MQWindow : public MQWindowBase {
 public:
  // Creates a host window and makes it a child window of `parent` (null: the
  // attach names id 0). The attach request is sent even when the create failed
  // (id 0) or the parent's id is 0. The parent is taken by pointer because an
  // MQWindow lvalue would otherwise select the deleted copy constructor.
  explicit MQWindow(MQWindowBase* parent);
  // Wraps an existing host window without owning it, and enrolls it.
  explicit MQWindow(int32_t existing_id);
  ~MQWindow() override;
  MQWindow(const MQWindow&) = delete;
  MQWindow& operator=(const MQWindow&) = delete;

  // Asks the host for its main window and wraps the answer, unchecked (-1 when
  // the host did not answer), without owning it.
  static MQWindow FindMainWindow();
};

}  // namespace rowshift
