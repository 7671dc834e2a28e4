#include "widgets/widget_base.h"

#include <algorithm>
#include <utility>

#include "widgets/widget_event_dispatch.h"
#include "widgets/widget_registry.h"
#include "widgets/widget_requests.h"

namespace rowshift {
namespace {

void* DispatcherAddress() {
  WidgetEventProc dispatcher = &DispatchWidgetEvent;
  return reinterpret_cast<void*>(dispatcher);
}

}  // namespace

MQWidgetBase::MQWidgetBase() = default;

MQWidgetBase::MQWidgetBase(int32_t existing_id) : id_(existing_id) { Enroll(); }

MQWidgetBase::~MQWidgetBase() {
  if (id_ != 0) {
    LiveWidgets().Remove(id_, this);
    if (owned_) SendDelete(id_);
    id_ = 0;
    owned_ = false;
  }
}

void MQWidgetBase::Enroll() {
  if (id_ != 0 && LiveWidgets().Find(id_) == nullptr) LiveWidgets().Enroll(id_, this);
}

void MQWidgetBase::AddHandler(const char* event_name,
                              std::shared_ptr<MQWidgetEventClosureBase> closure, bool prior) {
  if (!closure) return;
  bool prior_flag = prior;
  void* list[] = {const_cast<char*>(kTypeKey),
                  const_cast<char*>(event_name),
                  const_cast<char*>(kProcKey),
                  DispatcherAddress(),
                  const_cast<char*>(kPointerKey),
                  closure.get(),
                  const_cast<char*>(kFunctionKey),
                  const_cast<void*>(closure->Method()),
                  const_cast<char*>(kPriorKey),
                  &prior_flag,
                  nullptr};
  SendHookEvent(id_, list);
  handlers_.push_back(std::move(closure));
}

MQWidgetEventClosureBase* MQWidgetBase::FindHandler(const void* closure_address) const {
  if (closure_address == nullptr) return nullptr;
  for (const auto& handler : handlers_) {
    if (handler.get() == closure_address) return handler.get();
  }
  return nullptr;
}

std::shared_ptr<MQWidgetEventClosureBase> MQWidgetBase::TakeHandler(const void* closure_address) {
  if (closure_address == nullptr) return nullptr;
  auto found = std::find_if(handlers_.begin(), handlers_.end(),
                            [&](const auto& handler) { return handler.get() == closure_address; });
  if (found == handlers_.end()) return nullptr;
  std::shared_ptr<MQWidgetEventClosureBase> taken = std::move(*found);
  handlers_.erase(found);
  return taken;
}

void MQWidgetBase::LeaveRegistry() {
  if (id_ != 0) LiveWidgets().Remove(id_, this);
}

void MQWidgetBase::CreateHostWidget(const char* type) {
  SendCreate(type, &id_);
  if (id_ != 0) {
    owned_ = true;
    Enroll();
  }
}

}  // namespace rowshift
