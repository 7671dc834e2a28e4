// The live-widget registry: host widget id -> the wrapper that enrolled it.
//
// Host events name widgets only by id; the registry is how they find their
// wrapper again, and how a closure learns that its target is gone. Entries do
// not own the wrappers. The one registry is created empty when the library is
// loaded and released at unload, after the plug-in object (and with it any
// tool window) is destroyed: the plug-in instance's file asks for it before the
// plug-in object is defined, so the registry's destruction is registered first
// and runs last.
#pragma once

#include <cstdint>
#include <map>

namespace rowshift {

class MQWidgetBase;

class WidgetRegistry {
 public:
  // The wrapper entered under `id`, or null.
  MQWidgetBase* Find(int32_t id) const;
  // Enters `widget` under `id` unless `id` is 0 or already taken; the first
  // wrapper enrolled under an id keeps the entry.
  void Enroll(int32_t id, MQWidgetBase* widget);
  // Removes the entry for `id`, whichever wrapper it names.
  void Remove(int32_t id);

 private:
  std::map<int32_t, MQWidgetBase*> entries_;
};

// The library's one registry.
WidgetRegistry& LiveWidgets();

}  // namespace rowshift
