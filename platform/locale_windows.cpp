#include <clocale>

#include "platform/locale.h"

namespace rowshift::platform {

namespace {
constexpr const char* kLoadTimeCharacterLocale = "Japanese_Japan.932";
}  // namespace

void ApplyLoadTimeLocale() { std::setlocale(LC_CTYPE, kLoadTimeCharacterLocale); }

}  // namespace rowshift::platform
