// Text as the picture writes it: any bytes as well-formed XML character data,
// and a name cut to the room a column leaves for it.
#pragma once

#include <string>

namespace rowshift::tool {

// `bytes` as XML character data: & < > and " escaped; bytes that are not
// UTF-8, and characters XML does not allow, as U+FFFD.
std::string XmlText(const std::string& bytes);

// `bytes` as XmlText, cut with an ellipsis to about `pixels` wide at the
// picture's name size; `cut` says whether anything was left out.
struct FittedText {
  std::string xml;
  bool cut = false;
};
FittedText XmlTextFitting(const std::string& bytes, int pixels);

}  // namespace rowshift::tool
