#include "plugin/subcommand_table.h"

#include "engine/operations.h"
#include "host/wide_literal.h"

namespace rowshift {

namespace {

constexpr auto kInsertTitle = Widen("insert");
constexpr auto kUpTitle = Widen("up");
constexpr auto kDownTitle = Widen("down");
constexpr auto kTopTitle = Widen("top");
constexpr auto kBottomTitle = Widen("bottom");
constexpr auto kGatherTitle = Widen("gather");

// In SubCommandIndex order.
constexpr Subcommand kSubcommands[kSubcommandCount] = {
    {"insert", kInsertTitle.text, &InsertFromBottom},
    {"up", kUpTitle.text, &MoveUp},
    {"down", kDownTitle.text, &MoveDown},
    {"top", kTopTitle.text, &MoveToTop},
    {"bottom", kBottomTitle.text, &MoveToBottom},
    {"gather", kGatherTitle.text, &GatherSelected},
};

}  // namespace

const Subcommand* FindSubcommand(int32_t index) {
  if (index < 0 || index >= kSubcommandCount) return nullptr;
  return &kSubcommands[index];
}

}  // namespace rowshift
