// The plug-in object: a station plug-in that reorders the document's object
// list through six sub-commands and a tool window.
//
// Exactly one exists, with static storage, for as long as the library is
// loaded (exports/plugin_instance.h). It is constant-initialised: no constructor
// logic runs, so it is whole before the first export is called.
#pragma once

#include <cstdint>
#include <memory>

#include "plugin/station_plugin.h"

namespace rowshift {

class MQWidgetBase;
class RowshiftWindow;

inline constexpr uint32_t kProductIdentifier = 0x5D2E7C14;
inline constexpr uint32_t kPluginIdentifier = 0x2A6B93F0;

class Rowshift : public MQStationPlugin {
 public:
  constexpr Rowshift() = default;
  // Deletes the tool window if ShutDown left one.
  ~Rowshift() override;
  Rowshift(const Rowshift&) = delete;
  Rowshift& operator=(const Rowshift&) = delete;

  void GetIdentifiers(uint32_t& product, uint32_t& plugin) override;
  const char* GetNameText() override;
  int32_t GetKind() override;

  const WideChar* GetDisplayTitle() override;
  const char* GetSubcommandKey(int32_t index) override;
  const WideChar* GetSubcommandTitle(int32_t index) override;
  // Loads the stored shown flag and window position, builds the tool window
  // under the host's main window the first time (placing it only at a stored
  // position with both coordinates >= 0), then shows or hides it as stored.
  // Without settings from the host it starts hidden at the host's position.
  // Answers 1.
  int32_t StartUp() override;
  // Saves the shown flag, then the window's position as read (only from a
  // window the host made; otherwise the stored position is kept), and deletes
  // the window.
  // Without settings it saves nothing. A shut-down asked for while one runs
  // does nothing.
  void ShutDown() override;
  // Sets the shown flag from `flag`, then the window's visibility, and answers
  // the new flag as 1 or 0. Without a window: 0 and the flag unchanged.
  int32_t SetShown(void* document, int32_t flag) override;
  // The shown flag as 1 or 0; 0 without a window.
  int32_t IsShown(void* document) override;
  // Runs the sub-command's reorder operation and answers its result; 0 and
  // nothing done for an index outside 0 to 5. Works whether shown or not.
  // While an operation runs, another changes nothing (RunOperation).
  int32_t RunSubcommand(void* document, int32_t index) override;

  // Invokes record->operation on this object with `argument`; 0 for a null
  // record or operation.
  int32_t RunCallback(void* argument, CallbackRecord* record) override;

  // The tool window was hidden. When the plug-in still counted as shown, the
  // user closed the window: the flag is cleared and the host told (message
  // 100). A hide that SetShown caused finds the flag already cleared. Answers 0.
  int32_t OnHide(MQWidgetBase* sender, void* document);

 private:
  std::unique_ptr<RowshiftWindow> window_;  // null until StartUp builds it
  bool shown_ = false;                      // switched on; mirrors the window
  bool shutting_down_ = false;              // set while ShutDown runs
};

}  // namespace rowshift
