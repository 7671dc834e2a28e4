// The host widget requests as they cross the boundary: names, order, value
// types and presets, read from the raw list while the request is being made.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "boundary/host_functions.h"
#include "boundary/wide_literal.h"
#include "standin/widget_control.h"
#include "support/standin_in_process.h"
#include "widgets/canvas.h"
#include "widgets/frame.h"
#include "widgets/widget_base.h"
#include "widgets/widget_event_dispatch.h"
#include "widgets/widget_registry.h"
#include "widgets/widget_requests.h"

namespace rowshift {
namespace {

using ::testing::ElementsAre;

constexpr int32_t kWriteCode = static_cast<int32_t>(WidgetRequest::Write);

static constexpr auto kTwoLineLabel = Widen("insert (&H)ere\nfrom bottom");

// One raw request: its names, value pointers and the value bytes the test
// asked for (read during the call, as the host reads them).
struct RawRequest {
  int32_t target = 0;
  int32_t code = 0;
  std::vector<std::string> names;
  std::vector<void*> values;
  std::vector<unsigned char> first_value_bytes;
};

std::vector<unsigned char> BytesAt(const void* value, std::size_t count) {
  const auto* bytes = static_cast<const unsigned char*>(value);
  return std::vector<unsigned char>(bytes, bytes + count);
}

template <typename Value>
std::vector<unsigned char> BytesOf(Value value) {
  return BytesAt(&value, sizeof value);
}

std::vector<uint16_t> UnitsAt(const void* text) {
  std::vector<uint16_t> units;
  const auto* bytes = static_cast<const unsigned char*>(text);
  for (std::size_t index = 0;; ++index) {
    uint16_t unit;
    std::memcpy(&unit, bytes + 2 * index, sizeof unit);
    if (unit == 0) return units;
    units.push_back(unit);
  }
}

std::vector<uint16_t> UnitsOf(const std::string& ascii) {
  return std::vector<uint16_t>(ascii.begin(), ascii.end());
}

class WidgetRequestsTest : public ::testing::Test {
 protected:
  // Records every request; `value_size` bytes of the first value are copied.
  void CaptureRequests(std::size_t value_size) {
    host_.Observe([this, value_size](int32_t target, int32_t code, void** list) {
      RawRequest request;
      request.target = target;
      request.code = code;
      for (void** pair = list; pair[0] != nullptr; pair += 2) {
        request.names.push_back(static_cast<const char*>(pair[0]));
        request.values.push_back(pair[1]);
      }
      if (value_size > 0 && !request.values.empty()) {
        request.first_value_bytes = BytesAt(request.values[0], value_size);
      }
      captured_.push_back(request);
    });
  }

  rowshift::testing::WidgetTestHost host_;
  std::vector<RawRequest> captured_;
};

struct ScalarWrite {
  const char* what;
  void (*send)(int32_t id);
  const char* key;
  std::vector<unsigned char> bytes;
};

TEST_F(WidgetRequestsTest, ScalarPropertiesCrossAsOneByteBoolsInt32sAndEightByteDoubles) {
  const ScalarWrite writes[] = {
      {"visible true",
       [](int32_t id) { WriteBoolProperty(id, kVisibleProperty, true); },
       "visible",
       {1}},
      {"visible false",
       [](int32_t id) { WriteBoolProperty(id, kVisibleProperty, false); },
       "visible",
       {0}},
      {"pos_x", [](int32_t id) { WriteIntProperty(id, kPosXProperty, -320); }, "pos_x",
       BytesOf<int32_t>(-320)},
      {"inspace", [](int32_t id) { WriteDoubleProperty(id, kInspaceProperty, 0.0); }, "inspace",
       BytesOf<double>(0.0)},
      {"outspace", [](int32_t id) { WriteDoubleProperty(id, kOutspaceProperty, 0.2); }, "outspace",
       BytesOf<double>(0.2)},
  };
  for (const ScalarWrite& write : writes) {
    SCOPED_TRACE(write.what);
    captured_.clear();
    CaptureRequests(write.bytes.size());
    write.send(42);
    ASSERT_EQ(captured_.size(), 1u);
    EXPECT_EQ(captured_[0].target, 42);
    EXPECT_EQ(captured_[0].code, kWriteCode);
    EXPECT_THAT(captured_[0].names, ElementsAre(write.key));
    EXPECT_EQ(captured_[0].first_value_bytes, write.bytes);
  }
}

TEST_F(WidgetRequestsTest, LabelsAndTitlesCrossAsUtf16AndAlignmentAsEightBitText) {
  CaptureRequests(0);
  WriteWideTextProperty(5, kTextProperty, kTwoLineLabel.text);
  WriteTextProperty(6, kAlignmentProperty, kVerticalAlignment);

  ASSERT_EQ(captured_.size(), 2u);
  EXPECT_THAT(captured_[0].names, ElementsAre("text"));
  EXPECT_EQ(captured_[0].values[0], kTwoLineLabel.text) << "the text itself, not a copy";
  EXPECT_EQ(UnitsAt(captured_[0].values[0]), UnitsOf("insert (&H)ere\nfrom bottom"));
  EXPECT_THAT(captured_[1].names, ElementsAre("alignment"));
  EXPECT_STREQ(static_cast<const char*>(captured_[1].values[0]), "vert");
}

TEST_F(WidgetRequestsTest, ReadsPresetZeroAndAnswerWhatTheHostWrote) {
  MQWidgetBase main_window(standin::MainWindowId());
  WriteIntProperty(main_window.id(), kPosXProperty, 140);
  CaptureRequests(sizeof(int32_t));

  EXPECT_EQ(ReadIntProperty(main_window.id(), kPosXProperty), 140);
  EXPECT_EQ(ReadIntProperty(main_window.id(), kPosYProperty), 0) << "never written";
  EXPECT_EQ(ReadIntProperty(99, kPosYProperty), 0) << "no such widget: the preset";

  ASSERT_EQ(captured_.size(), 3u);
  EXPECT_THAT(captured_[0].names, ElementsAre("pos_x"));
  EXPECT_EQ(captured_[0].code, static_cast<int32_t>(WidgetRequest::Read));
  EXPECT_EQ(captured_[0].first_value_bytes, BytesOf<int32_t>(0));
  EXPECT_THAT(captured_[1].names, ElementsAre("pos_y"));
}

TEST_F(WidgetRequestsTest, AttachAndSystemRequestsPresetResultToMinusOne) {
  std::vector<std::vector<int32_t>> seen;  // child (when sent) and result, before the host answers
  host_.Observe([&](int32_t, int32_t code, void** list) {
    std::vector<int32_t> ints;
    for (void** pair = list; pair[0] != nullptr; pair += 2) {
      const std::string name = static_cast<const char*>(pair[0]);
      if (name == "child" || name == "result") {
        int32_t value;
        std::memcpy(&value, pair[1], sizeof value);
        ints.push_back(value);
      }
    }
    if (code != kWriteCode) seen.push_back(ints);
  });

  SendAttachChild(3, 4);
  SendAttachWindow(1, 7);
  EXPECT_EQ(SendSystemWidget(kMainWindowSystemName), standin::MainWindowId());

  EXPECT_THAT(seen, ElementsAre(ElementsAre(4, -1), ElementsAre(7, -1), ElementsAre(-1)));
}

TEST_F(WidgetRequestsTest, CreateWritesTheNewIdStraightIntoTheWrappersIdField) {
  void* id_value = nullptr;
  host_.Observe([&](int32_t, int32_t code, void** list) {
    if (code == static_cast<int32_t>(WidgetRequest::Create)) id_value = list[3];
  });
  auto frame = std::make_unique<MQFrame>();

  const auto* first_byte = reinterpret_cast<const unsigned char*>(frame.get());
  const auto* id_byte = static_cast<const unsigned char*>(id_value);
  EXPECT_TRUE(id_byte >= first_byte && id_byte < first_byte + sizeof(MQFrame));
  EXPECT_EQ(frame->id(), 2);
  EXPECT_TRUE(frame->owned());
  EXPECT_EQ(LiveWidgets().Find(2), frame.get());
}

TEST_F(WidgetRequestsTest, AHandlerRegistrationNamesTheDispatcherTheClosureAndItsMethod) {
  struct Target : MQWidgetBase {
    int32_t Handle(MQWidgetBase*, void*) { return 1; }
  } target;  // id 0: the registration still goes out, to widget 0
  auto closure = std::make_shared<MQWidgetEventClosure<Target>>(&target, &Target::Handle);
  RawRequest hook;
  bool prior_byte_is_zero = false;
  host_.Observe([&](int32_t widget, int32_t code, void** list) {
    hook.target = widget;
    hook.code = code;
    for (void** pair = list; pair[0] != nullptr; pair += 2) {
      hook.names.push_back(static_cast<const char*>(pair[0]));
      hook.values.push_back(pair[1]);
    }
    prior_byte_is_zero = BytesAt(list[9], 1) == std::vector<unsigned char>{0};
  });

  target.AddHandler("timer", closure, false);

  EXPECT_EQ(hook.target, 0);
  EXPECT_EQ(hook.code, static_cast<int32_t>(WidgetRequest::HookEvent));
  ASSERT_THAT(hook.names, ElementsAre("type", "proc", "pointer", "function", "prior"));
  EXPECT_STREQ(static_cast<const char*>(hook.values[0]), "timer");
  EXPECT_EQ(hook.values[1], reinterpret_cast<void*>(&DispatchWidgetEvent));
  EXPECT_EQ(hook.values[2], closure.get());
  EXPECT_EQ(hook.values[3], closure->Method());
  EXPECT_TRUE(prior_byte_is_zero);
  ASSERT_EQ(target.handlers().size(), 1u);
  EXPECT_EQ(target.handlers()[0], closure);
  EXPECT_EQ(closure.use_count(), 2);
}

TEST_F(WidgetRequestsTest, UnboundEntryPointsSendNothingAndReadAsPresets) {
  HostFunctions().MQWidget_Value = nullptr;
  HostFunctions().MQCanvas_Value = nullptr;
  int32_t id = 0;
  void* host_canvas = standin::NewCanvas();

  SendCreate(kFrameType, &id);
  SendDelete(3);
  SendAttachChild(3, 4);
  WriteBoolProperty(3, kVisibleProperty, true);
  EXPECT_EQ(ReadIntProperty(3, kPosXProperty), 0);
  EXPECT_EQ(SendSystemWidget(kMainWindowSystemName), -1);
  { MQCanvas owned(host_canvas, true); }
  { MQFrame frame; }

  EXPECT_EQ(id, 0);
  EXPECT_TRUE(standin::WidgetRequests().empty());
  EXPECT_THAT(testing::WrappedWidgetIds(), ::testing::IsEmpty());
}

}  // namespace
}  // namespace rowshift
