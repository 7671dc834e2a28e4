#include "tools/files/size_in_words.h"

namespace rowshift::tool {

std::string CountInWords(std::size_t count) {
  constexpr std::size_t kDigitsPerGroup = 3;
  std::string digits = std::to_string(count);
  for (std::size_t at = digits.size(); at > kDigitsPerGroup; at -= kDigitsPerGroup) {
    digits.insert(at - kDigitsPerGroup, 1, ',');
  }
  return digits;
}

std::string BytesInWords(std::size_t bytes) {
  constexpr std::size_t kMebibyte = std::size_t{1} << 20;
  if (bytes != 0 && bytes % kMebibyte == 0) return CountInWords(bytes / kMebibyte) + " MiB";
  return CountInWords(bytes) + " bytes";
}

}  // namespace rowshift::tool
