// Text as the picture holds it: any bytes as characters XML can hold, and a
// name cut to the room a column leaves for it. The XML writer escapes it.
#pragma once

#include <string>

namespace rowshift::tool {

// `bytes` as UTF-8 that XML can hold: bytes that are not UTF-8, and characters
// XML does not allow, as U+FFFD.
std::string DrawableText(const std::string& bytes);

// `bytes` as DrawableText, cut with an ellipsis to about `pixels` wide at the
// picture's name size; `cut` says whether anything was left out.
struct FittedText {
  std::string text;
  bool cut = false;
};
FittedText TextFitting(const std::string& bytes, int pixels);

}  // namespace rowshift::tool
