#include "tools/files/system_reason.h"

#include <cctype>
#include <system_error>

namespace rowshift::tool {

std::string SystemReason(int code) {
  std::string reason = std::generic_category().message(code);
  if (!reason.empty()) {
    reason[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(reason[0])));
  }
  return reason;
}

}  // namespace rowshift::tool
