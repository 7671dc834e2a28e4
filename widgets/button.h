// MQButton: a push button, made only by MQWindowBase::NewButton, which owns it.
#pragma once

#include <memory>

#include "boundary/host_protocol.h"
#include "widgets/event_closure.h"
#include "widgets/widget_base.h"

namespace rowshift {

class MQWindowBase;

class MQButton : public MQWidgetBase {
 public:
  // Binds `method` of the widget wrapper `target` to this button's "execute"
  // event. The closure remembers the target's current id: once no wrapper is
  // registered under it, a click runs nothing.
  template <typename T>
  void BindExecute(T* target, typename MQWidgetEventClosure<T>::MemberOperation method) {
    AddHandler(kExecuteEvent, std::make_shared<MQWidgetEventClosure<T>>(target, method), false);
  }

 private:
  friend class MQWindowBase;
  MQButton() = default;
};

}  // namespace rowshift
