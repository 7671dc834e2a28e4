// Telling the engine's rules apart from its guards against a host that
// answers outside its contract (engine/operations.h lists those answers).
#pragma once

namespace rowshift {

// Answers `broken` unchanged. Wraps a condition that only a host answering
// outside its contract makes true, so that a reader, and the mutation report,
// see at once that the branch it guards is no rule of the engine.
constexpr bool OutsideContract(bool broken) { return broken; }

}  // namespace rowshift
