// MQWidgetBase: the client side of one host widget.
//
// A wrapper holds the host widget's id (0 = no host widget), whether it created
// that widget and so must delete it, and the handler closures registered on it.
// Wrappers are not copyable: an owning copy would delete the host widget twice,
// and the registry names wrappers by address.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "widgets/event_closure.h"

namespace rowshift {

class MQWidgetBase {
 public:
  using Handlers = std::vector<std::shared_ptr<MQWidgetEventClosureBase>>;

  // No host widget yet: id 0, not owned, no handlers.
  MQWidgetBase();
  // Wraps a host widget the plug-in did not create (never deleted by us), and
  // enrolls it.
  explicit MQWidgetBase(int32_t existing_id);
  // Leaves the registry when its entry names this wrapper, sends Delete only
  // when owned, then releases the handlers.
  virtual ~MQWidgetBase();

  MQWidgetBase(const MQWidgetBase&) = delete;
  MQWidgetBase& operator=(const MQWidgetBase&) = delete;

  int32_t id() const { return id_; }
  bool owned() const { return owned_; }
  const Handlers& handlers() const { return handlers_; }

  // Enters this wrapper in the live-widget registry when its id is nonzero and
  // not taken yet.
  void Enroll();

  // Registers `closure` with the host for `event_name` (a constant with static
  // storage) and keeps a reference to it. The request goes out even when the
  // id is 0. A null closure registers nothing.
  void AddHandler(const char* event_name, std::shared_ptr<MQWidgetEventClosureBase> closure,
                  bool prior);

  // The first handler whose closure is at `closure_address`, or null.
  MQWidgetEventClosureBase* FindHandler(const void* closure_address) const;
  // Removes that handler and hands its reference to the caller (empty when
  // there is none); later handlers move up one place.
  std::shared_ptr<MQWidgetEventClosureBase> TakeHandler(const void* closure_address);

 protected:
  // Sends Create for `type` straight into the id; on success the wrapper owns
  // the host widget and is enrolled. A failed create leaves id 0, unowned.
  void CreateHostWidget(const char* type);

  // Takes this wrapper's entry out of the registry ahead of its destruction,
  // so that events the host sends meanwhile find no target. The id and the
  // ownership stay: the destructor still sends Delete.
  void LeaveRegistry();

 private:
  int32_t id_ = 0;
  bool owned_ = false;
  Handlers handlers_;
};

}  // namespace rowshift
