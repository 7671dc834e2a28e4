// Binds the host entry-point table straight to the stand-in host's exports in
// this process (the test links mqhost), so engine code runs against stand-in
// documents without loading any module.
#pragma once

#include <cstdint>
#include <vector>

namespace rowshift::testing {

// Fills every document and object slot of HostFunctions() with the stand-in's
// exports, and switches on the recording of document calls, which tests read.
// The other slots are left as they are.
void BindStandinDocumentFunctions();

// Empties every slot of HostFunctions().
void UnbindHostFunctions();

// The stand-in's live widgets (its main window included) that a wrapper is
// still enrolled under in the live-widget registry: none once every wrapper a
// test made is gone, as an owning wrapper deletes its widget when it goes.
std::vector<int32_t> WrappedWidgetIds();

// Binds on construction and empties the table on destruction, so a test
// leaves nothing bound behind it.
class ScopedStandinBinding {
 public:
  ScopedStandinBinding() { BindStandinDocumentFunctions(); }
  ~ScopedStandinBinding() { UnbindHostFunctions(); }
  ScopedStandinBinding(const ScopedStandinBinding&) = delete;
  ScopedStandinBinding& operator=(const ScopedStandinBinding&) = delete;
};

}  // namespace rowshift::testing
