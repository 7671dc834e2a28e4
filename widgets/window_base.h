// MQWindowBase: a widget wrapper that owns the widgets it makes.
//
// Every wrapper made by NewButton or NewVerticalFrame, or handed to Adopt, is
// owned by the window and destroyed with it: members first, in ascending
// address order, each sending its own Delete, then the window's own base part.
// The window leaves the live-widget registry before the first of these, so an
// event the host sends meanwhile reaches none of its handlers. Callers keep
// only non-owning pointers to members.
#pragma once

#include <cstdint>
#include <set>

#include "platform/abi.h"
#include "widgets/widget_base.h"

namespace rowshift {

class MQButton;
class MQFrame;

class MQWindowBase : public MQWidgetBase {
 public:
  ~MQWindowBase() override;
  MQWindowBase(const MQWindowBase&) = delete;
  MQWindowBase& operator=(const MQWindowBase&) = delete;

  // Takes ownership of `widget` (allocated with new). Adopting the same
  // wrapper twice keeps it once; null is ignored.
  void Adopt(MQWidgetBase* widget);

  // Creates a button, adopts it (even when its create failed), writes its
  // "text" and, when `parent` is not null, attaches it to the parent.
  // `text` must have static storage.
  MQButton* NewButton(MQWidgetBase* parent, const WideChar* text);

  // Creates a frame, adopts it, writes "alignment" = "vert" and attaches it to
  // `parent` (null: the attach names container 0).
  MQFrame* NewVerticalFrame(MQWidgetBase* parent);

  const std::set<MQWidgetBase*>& created() const { return created_; }

 protected:
  MQWindowBase() = default;
  explicit MQWindowBase(int32_t existing_id) : MQWidgetBase(existing_id) {}

 private:
  std::set<MQWidgetBase*> created_;
};

}  // namespace rowshift
