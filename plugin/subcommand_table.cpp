#include "plugin/subcommand_table.h"

#include "boundary/wide_literal.h"
#include "engine/operations.h"

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
    {"insert", kInsertTitle.text, &InsertFromBottom, kNoObjectToMove},
    {"up", kUpTitle.text, &MoveUp, kNoObjectToMove},
    {"down", kDownTitle.text, &MoveDown, kNoObjectToMove},
    {"top", kTopTitle.text, &MoveToTop, kDone},
    {"bottom", kBottomTitle.text, &MoveToBottom, kDone},
    {"gather", kGatherTitle.text, &GatherSelected, kNothingToGather},
};

// Whether an operation is running; set only for the length of one.
bool operation_running = false;

// Marks an operation running for its length, however it ends.
class RunningOperation {
 public:
  RunningOperation() { operation_running = true; }
  ~RunningOperation() { operation_running = false; }
  RunningOperation(const RunningOperation&) = delete;
  RunningOperation& operator=(const RunningOperation&) = delete;
};

}  // namespace

const Subcommand* FindSubcommand(int32_t index) {
  if (index < 0 || index >= kSubcommandCount) return nullptr;
  return &kSubcommands[index];
}

int32_t RunOperation(const Subcommand& row, void* document) {
  if (operation_running) return row.nothing_done;
  const RunningOperation running;
  return row.run(document);
}

}  // namespace rowshift
