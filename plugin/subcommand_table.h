// The plug-in's six sub-commands: the host lists them by key and title and runs
// them by index; the tool window's buttons follow the same order.
#pragma once

#include <cstdint>

#include "platform/abi.h"

namespace rowshift {

enum SubCommandIndex : int32_t {
  kInsertSubcommand = 0,
  kUpSubcommand = 1,
  kDownSubcommand = 2,
  kTopSubcommand = 3,
  kBottomSubcommand = 4,
  kGatherSubcommand = 5,
};
inline constexpr int32_t kSubcommandCount = 6;

using ReorderOperation = int32_t (*)(void* document);

// One row. Key and title have static storage; the host may keep them.
struct Subcommand {
  const char* key;
  const WideChar* title;
  ReorderOperation run;
  int32_t nothing_done;  // what `run` answers when it finds nothing to do
};

// The row for `index`, or null outside 0 to 5.
const Subcommand* FindSubcommand(int32_t index);

// Runs the row's operation on `document` and answers its result. Sub-commands
// and buttons both come here, so one operation runs at a time: a second one
// that the host delivers while the first runs (from inside one of its document
// calls) changes nothing and answers the row's nothing_done, so the document
// the first one works on is never changed under it by the plug-in itself.
int32_t RunOperation(const Subcommand& row, void* document);

}  // namespace rowshift
