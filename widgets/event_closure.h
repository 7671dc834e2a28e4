// Handler closures: a member operation of a widget wrapper bound to that wrapper.
//
// Closures are owned through std::shared_ptr made from the concrete closure
// class, so the last reference frees them as that class; the base destructor
// is protected and not virtual, so nothing can delete one through the base.
// A widget's handlers hold one reference per registration.
#pragma once

#include <cstdint>

#include "platform/member_code_address.h"
#include "widgets/widget_registry.h"

namespace rowshift {

class MQWidgetBase;

class MQWidgetEventClosureBase {
 public:
  // Calls the bound operation. `sender` may be null (no sender); `record` is
  // the event's record or null; the answer is the host's BOOL.
  virtual int32_t Fire(MQWidgetBase* sender, void* document, void* record) = 0;
  // Same most-derived closure type, same target and same operation.
  virtual bool SameAs(const MQWidgetEventClosureBase& other) const = 0;
  virtual void* Target() const = 0;
  // The bound operation's code address, handed to the host as "function";
  // the host only passes it through.
  virtual const void* Method() const = 0;

 protected:
  MQWidgetEventClosureBase() = default;
  MQWidgetEventClosureBase(const MQWidgetEventClosureBase&) = default;
  MQWidgetEventClosureBase& operator=(const MQWidgetEventClosureBase&) = default;
  MQWidgetEventClosureBase(MQWidgetEventClosureBase&&) = default;
  MQWidgetEventClosureBase& operator=(MQWidgetEventClosureBase&&) = default;
  ~MQWidgetEventClosureBase() = default;
};

// Binds `method` of the widget wrapper `target`. The closure remembers the
// target's id and registry entry when it is made; once that entry is gone (the
// target was destroyed, even if a new widget got its id or its address), Fire
// answers 0 without touching the target. A target that was not the enrolled
// wrapper of its id when the closure was made is never called.
// The record is ignored: these handlers take only (sender, document).
//
// Its destructor is public and not virtual: the class is final, so whatever
// deletes one deletes it as itself.
template <typename T>
// NOLINTNEXTLINE(cppcoreguidelines-virtual-class-destructor)
class MQWidgetEventClosure final : public MQWidgetEventClosureBase {
 public:
  using MemberOperation = int32_t (T::*)(MQWidgetBase* sender, void* document);

  MQWidgetEventClosure(T* target, MemberOperation method)
      : target_(target),
        target_id_(target != nullptr ? target->id() : 0),
        target_enrolment_(target != nullptr && LiveWidgets().Find(target_id_) == target
                              ? LiveWidgets().Enrolment(target_id_)
                              : 0),
        method_(method) {}

  int32_t Fire(MQWidgetBase* sender, void* document, void* /*record*/) override {
    if (target_enrolment_ == 0 || LiveWidgets().Enrolment(target_id_) != target_enrolment_) {
      return 0;
    }
    if (method_ == nullptr) return 0;
    return (target_->*method_)(sender, document);
  }

  // The class is final, so the cast finds only a closure of this very type. (A
  // type comparison and a static_cast say the same, but GCC 12 at -O3 then
  // reads the cast as reaching past a smaller closure of another type.)
  bool SameAs(const MQWidgetEventClosureBase& other) const override {
    const auto* same_kind = dynamic_cast<const MQWidgetEventClosure*>(&other);
    return same_kind != nullptr && same_kind->target_ == target_ && same_kind->method_ == method_;
  }

  void* Target() const override { return target_; }
  // `method` must be non-virtual, as every handler is.
  const void* Method() const override { return platform::MemberCodeAddress(method_); }

 private:
  T* target_;
  int32_t target_id_;
  uint64_t target_enrolment_;  // 0: never callable
  MemberOperation method_;
};

}  // namespace rowshift
