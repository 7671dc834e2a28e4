// What loading the library does, in this order (unloading undoes it backwards):
// the live-widget registry is created, the load-time locale is applied, and
// the plug-in object's destruction is registered. So at unload the plug-in
// object, and any tool window it still owns, goes while the registry that the
// window's widgets are enrolled in still exists.
//
// When the process is terminating rather than the library being unloaded, the
// host's objects are already gone: the plug-in object is then left as it is, so
// a tool window that shut-down left makes no host call.
#include "exports/plugin_instance.h"

#include "platform/library_detach.h"
#include "platform/locale.h"
#include "plugin/rowshift_window.h"  // the object's destructor needs the whole window type
#include "widgets/widget_registry.h"

namespace rowshift {

namespace {

// Holds the plug-in object and decides at unload whether it is destroyed.
class PluginSlot {
 public:
  constexpr PluginSlot() : plugin_() {}
  ~PluginSlot() {
    if (!platform::ProcessIsTerminating()) plugin_.~Rowshift();
  }
  PluginSlot(const PluginSlot&) = delete;
  PluginSlot& operator=(const PluginSlot&) = delete;

  Rowshift& Plugin() { return plugin_; }

 private:
  union {
    Rowshift plugin_;
  };
};

// Definitions in one file are initialised in the order they appear.
const bool registry_created = (LiveWidgets(), true);
const bool locale_applied = (platform::ApplyLoadTimeLocale(), true);
PluginSlot slot;

}  // namespace

Rowshift& ThePlugin() { return slot.Plugin(); }

}  // namespace rowshift
