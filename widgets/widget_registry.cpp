#include "widgets/widget_registry.h"

namespace rowshift {

MQWidgetBase* WidgetRegistry::Find(int32_t id) const {
  auto entry = entries_.find(id);
  return entry == entries_.end() ? nullptr : entry->second.widget;
}

uint64_t WidgetRegistry::Enrolment(int32_t id) const {
  auto entry = entries_.find(id);
  return entry == entries_.end() ? 0 : entry->second.enrolment;
}

void WidgetRegistry::Enroll(int32_t id, MQWidgetBase* widget) {
  if (id == 0 || entries_.count(id) != 0) return;
  entries_.emplace(id, Entry{widget, ++last_enrolment_});
}

void WidgetRegistry::Remove(int32_t id, const MQWidgetBase* widget) {
  auto entry = entries_.find(id);
  if (entry != entries_.end() && entry->second.widget == widget) entries_.erase(entry);
}

WidgetRegistry& LiveWidgets() {
  static WidgetRegistry registry;
  return registry;
}

}  // namespace rowshift
