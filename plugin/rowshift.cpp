#include "plugin/rowshift.h"

#include "boundary/host_protocol.h"
#include "boundary/wide_literal.h"
#include "plugin/rowshift_window.h"
#include "plugin/subcommand_table.h"
#include "plugin/version.h"

namespace rowshift {

namespace {

// Six spaces part the version from the notice.
constexpr char kNameText[] = "Rowshift v." ROWSHIFT_NAME_VERSION "      " ROWSHIFT_COPYRIGHT;
constexpr auto kDisplayTitle = Widen("Rowshift");

}  // namespace

Rowshift::~Rowshift() { window_.reset(); }

void Rowshift::GetIdentifiers(uint32_t& product, uint32_t& plugin) {
  product = kProductIdentifier;
  plugin = kPluginIdentifier;
}

const char* Rowshift::GetNameText() { return kNameText; }

int32_t Rowshift::GetKind() { return kStationKind; }

const WideChar* Rowshift::GetDisplayTitle() { return kDisplayTitle.text; }

const char* Rowshift::GetSubcommandKey(int32_t index) {
  const Subcommand* row = FindSubcommand(index);
  return row != nullptr ? row->key : nullptr;
}

const WideChar* Rowshift::GetSubcommandTitle(int32_t index) {
  const Subcommand* row = FindSubcommand(index);
  return row != nullptr ? row->title : nullptr;
}

int32_t Rowshift::RunSubcommand(void* document, int32_t index) {
  const Subcommand* row = FindSubcommand(index);
  if (row == nullptr) return 0;
  return RunOperation(*row, document);
}

int32_t Rowshift::RunCallback(void* argument, CallbackRecord* record) {
  if (record == nullptr || record->operation == nullptr) return 0;
  return (this->*(record->operation))(argument);
}

}  // namespace rowshift
