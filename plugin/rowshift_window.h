// The plug-in's tool window. Only its identity for now: the plug-in owns one
// through a pointer and deletes it through this virtual destructor.
#pragma once

namespace rowshift {

class RowshiftWindow {
 public:
  RowshiftWindow() = default;
  virtual ~RowshiftWindow() = default;
  RowshiftWindow(const RowshiftWindow&) = delete;
  RowshiftWindow& operator=(const RowshiftWindow&) = delete;
};

}  // namespace rowshift
