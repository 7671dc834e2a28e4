// Limits as a person reads them, made from the numbers the code holds, so that
// a limit is stated once.
#pragma once

#include <cstddef>
#include <string>

namespace rowshift::tool {

// "2,000,000".
std::string CountInWords(std::size_t count);

// "256 MiB" for whole mebibytes, "1,500 bytes" otherwise.
std::string BytesInWords(std::size_t bytes);

}  // namespace rowshift::tool
