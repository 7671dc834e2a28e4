// What loading the library does, in this order (unloading undoes it backwards):
// the live-widget registry is created, the load-time locale is applied, and
// the plug-in object's destruction is registered. So at unload the plug-in
// object, and any tool window it still owns, goes while the registry that the
// window's widgets are enrolled in still exists.
#include "host/plugin_instance.h"

#include "platform/locale.h"
#include "plugin/rowshift_window.h"  // the object's constructor needs the whole window type
#include "widgets/widget_registry.h"

namespace rowshift {

namespace {

// Definitions in one file are initialised in the order they appear.
const bool registry_created = (LiveWidgets(), true);
const bool locale_applied = (platform::ApplyLoadTimeLocale(), true);
Rowshift plugin;

}  // namespace

Rowshift& ThePlugin() { return plugin; }

}  // namespace rowshift
