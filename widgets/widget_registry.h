// The live-widget registry: host widget id -> the wrapper that enrolled it.
//
// Host events name widgets only by id; the registry is how they find their
// wrapper again, and how a closure learns that its target is gone. Entries do
// not own the wrappers. The one registry is created empty when the library is
// loaded and released at unload, after the plug-in object (and with it any
// tool window) is destroyed: the plug-in instance's file asks for it before the
// plug-in object is defined, so the registry's destruction is registered first
// and runs last.
//
// A host may give a destroyed widget's id to a new one, and a new wrapper may
// sit at a destroyed one's address. Each entry therefore carries an enrolment
// number that is never given twice: an entry with the number a closure
// remembers is the entry of that closure's own target, still alive.
#pragma once

#include <cstdint>
#include <map>

namespace rowshift {

class MQWidgetBase;

class WidgetRegistry {
 public:
  // The wrapper entered under `id`, or null.
  MQWidgetBase* Find(int32_t id) const;
  // The enrolment number of the entry under `id`, or 0 when there is none.
  uint64_t Enrolment(int32_t id) const;
  // Enters `widget` under `id` unless `id` is 0 or already taken; the first
  // wrapper enrolled under an id keeps the entry.
  void Enroll(int32_t id, MQWidgetBase* widget);
  // Removes the entry for `id` when it names `widget`; an entry that another
  // wrapper of the same id holds stays.
  void Remove(int32_t id, const MQWidgetBase* widget);

 private:
  struct Entry {
    MQWidgetBase* widget;
    uint64_t enrolment;
  };
  std::map<int32_t, Entry> entries_;
  uint64_t last_enrolment_ = 0;
};

// The library's one registry.
WidgetRegistry& LiveWidgets();

}  // namespace rowshift
