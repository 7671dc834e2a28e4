#include "exports/plugin_queries.h"

#include "boundary/host_protocol.h"
#include "plugin/station_plugin.h"

namespace rowshift {

namespace {

constexpr uint32_t kInterfaceVersion = 0x0472;
constexpr uint32_t kUnsupportedHost = 0;

constexpr int32_t kTitleIndex = 0;

bool HasSingleTitle(int32_t kind) {
  return kind >= kFirstSingleTitleKind && kind <= kLastSingleTitleKind;
}

}  // namespace

uint32_t CheckVersion(uint32_t host_version) {
  return host_version < kOldestHostVersion ? kUnsupportedHost : kInterfaceVersion;
}

void ReportIdentifiers(MQBasePlugin& plugin, uint32_t* product, uint32_t* id) {
  uint32_t product_identifier = 0;
  uint32_t plugin_identifier = 0;
  plugin.GetIdentifiers(product_identifier, plugin_identifier);
  if (product != nullptr) *product = product_identifier;
  if (id != nullptr) *id = plugin_identifier;
}

const WideChar* EnumDisplayString(MQBasePlugin& plugin, int32_t index) {
  if (!HasSingleTitle(plugin.GetKind()) || index != kTitleIndex) return nullptr;
  auto* station = dynamic_cast<MQStationPlugin*>(&plugin);
  return station != nullptr ? station->GetDisplayTitle() : nullptr;
}

const char* NoFileString(int32_t /*index*/) { return nullptr; }

int32_t NoFileOperation(void* /*first*/, void* /*second*/, void* /*third*/) { return 0; }

int32_t NoMainOperation(void* /*first*/, void* /*second*/) { return 0; }

}  // namespace rowshift
