#include "plugin/rowshift.h"

#include "host/wide_literal.h"
#include "plugin/rowshift_window.h"
#include "plugin/subcommand_table.h"

namespace rowshift {

namespace {

// Six spaces part the version from the notice.
constexpr char kNameText[] = "Rowshift v.1.4      Copyright (C) 2026 Rowshift developers";
constexpr auto kDisplayTitle = Widen("Rowshift");
constexpr int32_t kStarted = 1;

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

// The tool window is not built here yet, so there is no state to load or to
// show: the plug-in starts switched off.
int32_t Rowshift::StartUp() { return kStarted; }

// Nothing to save or release while no window is ever built.
void Rowshift::ShutDown() {}

// Without a window the plug-in cannot be shown: 0 and the flag unchanged.
int32_t Rowshift::SetShown(void* /*document*/, int32_t flag) {
  if (window_ == nullptr) return 0;
  shown_ = flag != 0;
  return shown_ ? 1 : 0;
}

int32_t Rowshift::IsShown(void* /*document*/) {
  if (window_ == nullptr) return 0;
  return shown_ ? 1 : 0;
}

int32_t Rowshift::RunSubcommand(void* document, int32_t index) {
  const Subcommand* row = FindSubcommand(index);
  if (row == nullptr) return 0;
  return row->run(document);
}

int32_t Rowshift::RunCallback(void* argument, CallbackRecord* record) {
  if (record == nullptr || record->operation == nullptr) return 0;
  return (this->*(record->operation))(argument);
}

}  // namespace rowshift
