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
};

// The row for `index`, or null outside 0 to 5.
const Subcommand* FindSubcommand(int32_t index);

}  // namespace rowshift
