// The station interface: a plug-in that the user switches on and off, that
// offers sub-commands, and that the host tells about document events.
//
// Every document argument is the host's handle, passed on unread (null when
// the host sends none). Strings returned to the host have static storage.
// Every event operation has a default that does nothing and answers 0/false;
// a plug-in overrides only what it handles. The operations are virtual in this
// order, which follows the events that reach them.
#pragma once

#include <cstdint>

#include "platform/abi.h"
#include "plugin/base_plugin.h"
#include "plugin/plugin_event_records.h"

namespace rowshift {

struct CallbackRecord;

class MQStationPlugin : public MQBasePlugin {
 public:
  constexpr MQStationPlugin() = default;

  // The title shown for the plug-in (UTF-16), or null.
  virtual const WideChar* GetDisplayTitle() { return nullptr; }
  // Event 3 and 4: key and title of sub-command `index`, null past the table.
  virtual const char* GetSubcommandKey(int32_t /*index*/) { return nullptr; }
  virtual const WideChar* GetSubcommandTitle(int32_t /*index*/) { return nullptr; }
  // Event 1 and 2.
  virtual int32_t StartUp() { return 0; }
  virtual void ShutDown() {}
  // Event 100 and 101: switch on or off, and ask; both answer 1 or 0.
  virtual int32_t SetShown(void* /*document*/, int32_t /*flag*/) { return 0; }
  virtual int32_t IsShown(void* /*document*/) { return 0; }
  // Event 104.
  virtual int32_t RunSubcommand(void* /*document*/, int32_t /*index*/) { return 0; }

  virtual int32_t HandleEvent105(void* /*document*/) { return 0; }
  virtual void HandleEvent102(void* /*document*/, int32_t /*value*/) {}
  virtual int32_t HandleEvent103(void* /*document*/, int32_t /*src_product*/, int32_t /*src_id*/,
                                 void* /*description*/, void* /*message*/) {
    return 0;
  }
  virtual void HandleEvent110(void* /*document*/, void* /*scene*/, int32_t /*width*/,
                              int32_t /*height*/) {}
  virtual void HandleEvent200(void* /*document*/, void* /*filename*/, XmlElemArgs* /*args*/) {}
  virtual void HandleEvent204(void* /*document*/, void* /*filename*/, XmlSourceArgs* /*args*/) {}
  virtual void HandleEvent201(void* /*document*/) {}
  virtual void HandleEvent202(void* /*document*/, void* /*filename*/, XmlSaveArgs* /*args*/) {}
  virtual void HandleEvent203(void* /*document*/, void* /*filename*/, XmlSaveArgs* /*args*/) {}
  virtual int32_t HandleEvent210(void* /*document*/, int32_t /*state*/) { return 0; }
  virtual int32_t HandleEvent211(void* /*document*/, int32_t /*state*/) { return 0; }
  virtual void HandleEvent212(void* /*document*/, int32_t /*state*/, int32_t /*size*/) {}
  virtual void HandleEvent221(void* /*document*/) {}
  virtual void HandleEvent222(void* /*document*/) {}
  virtual void HandleEvent220(void* /*document*/) {}
  virtual void HandleEvent231(void* /*document*/) {}
  virtual void HandleEvent230(void* /*document*/) {}
  virtual void HandleEvent240(void* /*document*/, void* /*scene*/) {}
  // `trigger`: 1 screen, 2 world, 3 local, 0 any other.
  virtual void HandleEvent250(void* /*document*/, int32_t /*trigger*/) {}
  virtual void HandleEvent7(void* /*document*/) {}
  // `form`: 0 vertex, 1 apex.
  virtual bool HandleEvent260(void* /*document*/, void* /*dstobj*/, void* /*srcobj*/,
                              int32_t /*form*/, int32_t /*reason*/) {
    return false;
  }
  // `items` holds `count` entries (none when count <= 0); valid only during the call.
  virtual void HandleEvent261Vertex(void* /*document*/, uint32_t /*first*/, uint32_t /*second*/,
                                    const VertexEntry* /*items*/, int32_t /*count*/) {}
  virtual void HandleEvent261Apex(void* /*document*/, uint32_t /*first*/, uint32_t /*second*/,
                                  uint32_t /*third*/, const ApexEntry* /*items*/,
                                  int32_t /*count*/) {}
  // `mode`: 0 query, 1 copy or cut, 2 paste.
  virtual bool HandleEvent262(void* /*document*/, void* /*object*/, int32_t /*mode*/,
                              CopyPasteArgs* /*args*/) {
    return false;
  }
  // Runs the member operation that `record` names on this object; see
  // CallbackRecord. No host event reaches it.
  virtual int32_t RunCallback(void* /*argument*/, CallbackRecord* /*record*/) { return 0; }

  // Tells the host that the user closed the plug-in's window (host message
  // 100). Does nothing while the host entry points are unbound.
  void NotifyWindowClosed();
};

// A deferred call of one of the plug-in object's own operations. Only the
// first field is defined; whoever builds a record may follow it with data of
// their own, which RunCallback never reads. A null operation answers 0.
struct CallbackRecord {
  int32_t (MQStationPlugin::*operation)(void* argument);
};

}  // namespace rowshift
