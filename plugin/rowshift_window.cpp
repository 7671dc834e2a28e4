#include "plugin/rowshift_window.h"

#include <iterator>
#include <memory>

#include "boundary/wide_literal.h"
#include "plugin/rowshift.h"
#include "plugin/subcommand_table.h"
#include "widgets/button.h"
#include "widgets/event_closure.h"
#include "widgets/frame.h"
#include "widgets/widget_requests.h"

namespace rowshift {

namespace {

using Handler = MQWidgetEventClosure<RowshiftWindow>::MemberOperation;

constexpr bool kNotPrior = false;
constexpr double kFrameInspace = 0.0;
constexpr double kFrameOutspace = 0.2;

// Buttons are made with an empty text and labelled afterwards.
constexpr auto kNoText = Widen("");
// The ampersands mark the access keys; the host shows them as it likes.
constexpr auto kInsertLabel = Widen("insert (&H)ere\nfrom bottom");
constexpr auto kUpLabel = Widen("up(&U)");
constexpr auto kDownLabel = Widen("down(&D)");
constexpr auto kTopLabel = Widen("top(&T)");
constexpr auto kBottomLabel = Widen("bottom(&B)");
constexpr auto kGatherLabel = Widen("gather(&G)");

struct ButtonRow {
  const WideChar* label;
  Handler handler;
};

// Top to bottom, in sub-command order.
constexpr ButtonRow kButtonRows[] = {
    {kInsertLabel.text, &RowshiftWindow::OnInsert}, {kUpLabel.text, &RowshiftWindow::OnUp},
    {kDownLabel.text, &RowshiftWindow::OnDown},     {kTopLabel.text, &RowshiftWindow::OnTop},
    {kBottomLabel.text, &RowshiftWindow::OnBottom}, {kGatherLabel.text, &RowshiftWindow::OnGather},
};
static_assert(std::size(kButtonRows) == kSubcommandCount, "one button per sub-command");

// A button runs exactly what the sub-command of the same index runs.
int32_t RunRow(SubCommandIndex row, void* document) {
  return RunOperation(*FindSubcommand(row), document);
}

}  // namespace

RowshiftWindow::RowshiftWindow(Rowshift* plugin, MQWindowBase* parent)
    : MQWindow(parent), plugin_(plugin) {
  WriteWideTextProperty(id(), kTitleProperty, plugin_->GetDisplayTitle());

  MQFrame* frame = NewVerticalFrame(this);
  WriteDoubleProperty(frame->id(), kInspaceProperty, kFrameInspace);
  WriteDoubleProperty(frame->id(), kOutspaceProperty, kFrameOutspace);

  for (const ButtonRow& row : kButtonRows) {
    MQButton* button = NewButton(frame, kNoText.text);
    WriteWideTextProperty(button->id(), kTextProperty, row.label);
    button->BindExecute(this, row.handler);
  }

  AddHandler(kHideEvent,
             std::make_shared<MQWidgetEventClosure<RowshiftWindow>>(this, &RowshiftWindow::OnHide),
             kNotPrior);
}

RowshiftWindow::~RowshiftWindow() = default;

int32_t RowshiftWindow::OnInsert(MQWidgetBase* /*sender*/, void* document) {
  return RunRow(kInsertSubcommand, document);
}

int32_t RowshiftWindow::OnUp(MQWidgetBase* /*sender*/, void* document) {
  return RunRow(kUpSubcommand, document);
}

int32_t RowshiftWindow::OnDown(MQWidgetBase* /*sender*/, void* document) {
  return RunRow(kDownSubcommand, document);
}

int32_t RowshiftWindow::OnTop(MQWidgetBase* /*sender*/, void* document) {
  return RunRow(kTopSubcommand, document);
}

int32_t RowshiftWindow::OnBottom(MQWidgetBase* /*sender*/, void* document) {
  return RunRow(kBottomSubcommand, document);
}

int32_t RowshiftWindow::OnGather(MQWidgetBase* /*sender*/, void* document) {
  return RunRow(kGatherSubcommand, document);
}

int32_t RowshiftWindow::OnHide(MQWidgetBase* sender, void* document) {
  return plugin_->OnHide(sender, document);
}

}  // namespace rowshift
