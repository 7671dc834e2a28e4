// Start-up, shut-down, show and hide of the plug-in object, and the state that
// survives between runs of the host: the shown flag and the window position.
#include <memory>

#include "plugin/rowshift.h"
#include "plugin/rowshift_window.h"
#include "settings/mq_setting.h"
#include "widgets/widget_requests.h"
#include "widgets/window.h"

namespace rowshift {

namespace {

constexpr char kActivateKey[] = "Rowshift_activate";
constexpr char kPosXKey[] = "PosX";
constexpr char kPosYKey[] = "PosY";

constexpr int32_t kStarted = 1;
constexpr int32_t kHideAnswer = 0;

int32_t AsAnswer(bool flag) { return flag ? 1 : 0; }

// Sets a flag for the length of a scope, however the scope ends.
class ScopedFlag {
 public:
  explicit ScopedFlag(bool* flag) : flag_(flag) { *flag_ = true; }
  ~ScopedFlag() { *flag_ = false; }
  ScopedFlag(const ScopedFlag&) = delete;
  ScopedFlag& operator=(const ScopedFlag&) = delete;

 private:
  bool* flag_;
};

}  // namespace

int32_t Rowshift::StartUp() {
  int position_x = MQSetting::kNotStored;
  int position_y = MQSetting::kNotStored;
  bool stored_shown = false;
  if (std::unique_ptr<MQSetting> settings = OpenSettings()) {
    // The flag is read before the position.
    settings->LoadFlag(kActivateKey, stored_shown);
    settings->LoadInteger(kPosXKey, position_x);
    settings->LoadInteger(kPosYKey, position_y);
  }

  // A second start-up keeps the window where it is. The window is built even
  // while the widget entry point is unbound: its requests then go nowhere, and
  // the shown flag still follows SetShown as it does with a host.
  if (window_ == nullptr) {
    MQWindow main_window = MQWindow::FindMainWindow();
    window_ = std::make_unique<RowshiftWindow>(this, &main_window);
    if (position_x >= 0 && position_y >= 0) {
      // The host may shut the plug-in down from inside either write, which
      // deletes the window: it is looked up again for each.
      const auto place = [this](const char* property, int coordinate) {
        if (window_ != nullptr) WriteIntProperty(window_->id(), property, coordinate);
      };
      place(kPosXProperty, position_x);
      place(kPosYProperty, position_y);
    }
  }

  SetShown(nullptr, AsAnswer(stored_shown));
  return kStarted;
}

void Rowshift::ShutDown() {
  // A shut-down the host asks for from inside a call of this one is this one.
  // Run as well, its saves would interleave with these and each would remove
  // the element the other just added for the same key.
  if (shutting_down_) return;
  const ScopedFlag shutting_down(&shutting_down_);
  if (std::unique_ptr<MQSetting> settings = OpenSettings()) {
    // The flag is saved before the position.
    settings->SaveFlag(kActivateKey, shown_);
    // Only a window the host made has a position; without one the stored
    // position stays for the next run. What a read gives is saved as it is:
    // the host's answer to a request means nothing, so a read that wrote
    // nothing cannot be told from a window at 0. Nothing the host does from
    // inside these calls deletes the window: only this shut-down does, below.
    if (window_ != nullptr && window_->id() != 0) {
      settings->SaveInteger(kPosXKey, ReadIntProperty(window_->id(), kPosXProperty));
      settings->SaveInteger(kPosYKey, ReadIntProperty(window_->id(), kPosYProperty));
    }
  }
  window_.reset();
}

int32_t Rowshift::SetShown(void* /*document*/, int32_t flag) {
  if (window_ == nullptr) return 0;
  // Changed before the window is hidden, so the "hide" this causes is not
  // taken for the user closing the window.
  shown_ = flag != 0;
  WriteBoolProperty(window_->id(), kVisibleProperty, shown_);
  return AsAnswer(shown_);
}

int32_t Rowshift::IsShown(void* /*document*/) {
  if (window_ == nullptr) return 0;
  return AsAnswer(shown_);
}

int32_t Rowshift::OnHide(MQWidgetBase* /*sender*/, void* /*document*/) {
  if (shown_) {
    shown_ = false;
    NotifyWindowClosed();
  }
  return kHideAnswer;
}

}  // namespace rowshift
