// A base for the stand-in's records whose address is the handle the plug-in
// sees (documents, objects, settings elements, canvases): they are made in
// high memory (platform/high_memory.h), so on 64-bit Windows every handle lies
// above 4 GiB and a handle cut to 32 bits names nothing the stand-in knows.
#pragma once

#include <cstddef>

namespace standin {

struct HighAddressed {
  static void* operator new(std::size_t bytes);
  static void* operator new[](std::size_t bytes);
  static void operator delete(void* block, std::size_t bytes);
  static void operator delete[](void* block, std::size_t bytes);
};

}  // namespace standin
