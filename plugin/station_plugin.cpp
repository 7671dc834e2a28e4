#include "plugin/station_plugin.h"

#include "boundary/host_functions.h"
#include "boundary/host_protocol.h"

namespace rowshift {

void MQStationPlugin::NotifyWindowClosed() {
  const auto send_message = HostFunctions().MQ_SendMessage;
  if (send_message == nullptr) return;
  void* empty_list[] = {nullptr};
  HostMessage message{0, 0, 0, empty_list};
  GetIdentifiers(message.product, message.plugin);
  send_message(kWindowClosedMessage, &message);
}

}  // namespace rowshift
