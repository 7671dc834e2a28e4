// A test fixture with the engine bound to one stand-in document in process.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "engine/document.h"
#include "standin/call_log.h"
#include "standin/document_control.h"
#include "support/standin_in_process.h"

namespace rowshift::testing {

class EngineDocumentTest : public ::testing::Test {
 protected:
  // Replaces the document with an outline and starts the call log afresh.
  void Load(const std::string& outline) {
    ASSERT_TRUE(standin_.LoadOutline(outline));
    standin::ClearCalls();
  }
  // The object in a slot, or null for an empty one.
  Object At(int index) const { return standin_.ObjectInSlot(index); }

  ScopedStandinBinding binding_;
  standin::Document standin_;
  Document document_{standin_.Handle()};
};

}  // namespace rowshift::testing
