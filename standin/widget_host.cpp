#include "standin/widget_host.h"

#include <algorithm>
#include <utility>

namespace standin {

WidgetHost& WidgetHost::Instance() {
  static auto& host = *new WidgetHost;
  return host;
}

WidgetHost::WidgetHost() { Reset(); }

void WidgetHost::Reset() {
  widgets_.clear();
  hooks_.clear();
  requests_.clear();
  canvases_.clear();
  next_id_ = kStandinMainWindowId + 1;
  withhold_main_window = false;
  creates_until_failure = 0;
  failing_type.clear();
  reuse_ids = false;

  WidgetEntry main_window;
  main_window.type = rowshift::kWindowType;
  WidgetValue visible;
  visible.kind = WidgetValueKind::Bool;
  visible.bool_value = true;
  main_window.properties[rowshift::kVisibleProperty] = visible;
  widgets_[kStandinMainWindowId] = std::move(main_window);
}

WidgetEntry* WidgetHost::Find(int32_t id) {
  auto found = widgets_.find(id);
  return found == widgets_.end() ? nullptr : &found->second;
}

bool WidgetHost::CreateFails(const std::string& type) {
  bool fails = !failing_type.empty() && type == failing_type;
  if (creates_until_failure > 0 && --creates_until_failure == 0) fails = true;
  return fails;
}

int32_t WidgetHost::Create(const std::string& type) {
  if (CreateFails(type)) return 0;
  int32_t id = next_id_++;
  if (reuse_ids) {
    // The lowest id no live widget holds; widgets_ is ordered by id.
    id = kStandinMainWindowId + 1;
    while (widgets_.count(id) != 0) ++id;
  }
  widgets_[id].type = type;
  return id;
}

bool WidgetHost::Delete(int32_t id) {
  if (id == kStandinMainWindowId) return false;
  WidgetEntry* entry = Find(id);
  if (entry == nullptr) return false;
  if (WidgetEntry* parent = Find(entry->parent)) {
    auto& siblings = parent->children;
    siblings.erase(std::remove(siblings.begin(), siblings.end(), id), siblings.end());
  }
  for (int32_t child : entry->children) {
    if (WidgetEntry* orphan = Find(child)) orphan->parent = 0;
  }
  hooks_.erase(std::remove_if(hooks_.begin(), hooks_.end(),
                              [id](const WidgetHook& hook) { return hook.widget_id == id; }),
               hooks_.end());
  widgets_.erase(id);
  return true;
}

bool WidgetHost::Attach(int32_t container, int32_t child) {
  WidgetEntry* holder = Find(container);
  WidgetEntry* attached = Find(child);
  if (holder == nullptr || attached == nullptr || container == child) return false;
  if (WidgetEntry* old_parent = Find(attached->parent)) {
    auto& siblings = old_parent->children;
    siblings.erase(std::remove(siblings.begin(), siblings.end(), child), siblings.end());
  }
  attached->parent = container;
  holder->children.push_back(child);
  return true;
}

bool WidgetHost::IsVisibleWindow(int32_t id) {
  WidgetEntry* entry = Find(id);
  if (entry == nullptr || entry->type != rowshift::kWindowType) return false;
  auto visible = entry->properties.find(rowshift::kVisibleProperty);
  return visible != entry->properties.end() && visible->second.kind == WidgetValueKind::Bool &&
         visible->second.bool_value;
}

bool WidgetHost::SetProperty(int32_t id, const std::string& key, const WidgetValue& value) {
  WidgetEntry* entry = Find(id);
  if (entry == nullptr) return false;
  const bool was_visible = IsVisibleWindow(id);
  entry->properties[key] = value;
  return was_visible && !IsVisibleWindow(id);
}

void WidgetHost::AddHook(WidgetHook hook) { hooks_.push_back(std::move(hook)); }

void* WidgetHost::NewCanvas() {
  canvases_.push_back(std::make_unique<Canvas>());
  return canvases_.back().get();
}

std::vector<WidgetHook> WidgetHost::HooksOf(int32_t widget_id, const std::string& type) const {
  std::vector<WidgetHook> matching;
  for (const WidgetHook& hook : hooks_) {
    if (hook.widget_id == widget_id && hook.type == type) matching.push_back(hook);
  }
  return matching;
}

}  // namespace standin
