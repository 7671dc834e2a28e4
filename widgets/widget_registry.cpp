#include "widgets/widget_registry.h"

namespace rowshift {

MQWidgetBase* WidgetRegistry::Find(int32_t id) const {
  auto entry = entries_.find(id);
  return entry == entries_.end() ? nullptr : entry->second;
}

void WidgetRegistry::Enroll(int32_t id, MQWidgetBase* widget) {
  if (id == 0) return;
  entries_.emplace(id, widget);
}

void WidgetRegistry::Remove(int32_t id) { entries_.erase(id); }

WidgetRegistry& LiveWidgets() {
  static WidgetRegistry registry;
  return registry;
}

}  // namespace rowshift
