// RowshiftWindow: the plug-in's tool window, a column of six buttons that run
// the six reorder operations on the document of the click.
//
// It is built whole by its constructor, as a child window of `parent` (the
// host's main window), and is owned by the plug-in object, which creates it
// once and deletes it at shut-down or unload. The window owns its frame and
// buttons (MQWindowBase::created). Deleting it deletes the frame and buttons
// first, then the window's own host widget; once it is gone, a late click or
// "hide" aimed at it runs no handler.
#pragma once

#include <cstdint>

#include "widgets/window.h"

namespace rowshift {

class Rowshift;

class RowshiftWindow : public MQWindow {
 public:
  // `plugin` is not owned and must outlive the window; the "hide" handler
  // reports to it. `parent` is only needed while the window is built.
  RowshiftWindow(Rowshift* plugin, MQWindowBase* parent);
  ~RowshiftWindow() override;
  RowshiftWindow(const RowshiftWindow&) = delete;
  RowshiftWindow& operator=(const RowshiftWindow&) = delete;

  // Button handlers: each runs its row's reorder operation on `document` and
  // answers its result unchanged, like the sub-command of the same index (and,
  // like it, changes nothing while an operation runs). The sender is not used,
  // nor is the plug-in's shown flag.
  int32_t OnInsert(MQWidgetBase* sender, void* document);
  int32_t OnUp(MQWidgetBase* sender, void* document);
  int32_t OnDown(MQWidgetBase* sender, void* document);
  int32_t OnTop(MQWidgetBase* sender, void* document);
  int32_t OnBottom(MQWidgetBase* sender, void* document);
  int32_t OnGather(MQWidgetBase* sender, void* document);

  // The window was hidden (by the plug-in or by the user): tells the plug-in,
  // which notifies the host only when it still thought itself shown. Answers 0.
  int32_t OnHide(MQWidgetBase* sender, void* document);

 private:
  Rowshift* plugin_;
};

}  // namespace rowshift
