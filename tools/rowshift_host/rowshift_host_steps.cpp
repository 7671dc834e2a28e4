#include "tools/rowshift_host/rowshift_host_steps.h"

#include <algorithm>
#include <cctype>
#include <optional>

#include "tools/rowshift_host/rowshift_host_document.h"
#include "tools/rowshift_host/rowshift_host_printing.h"
#include "tools/rowshift_host/rowshift_host_standin.h"
#include "tools/rowshift_host/rowshift_host_window.h"

namespace rowshift::tool {
namespace {

constexpr int32_t kShowFlag = 1;
constexpr int32_t kHideFlag = 0;

std::string ButtonList(const std::vector<WindowButton>& buttons) {
  std::string list;
  for (std::size_t i = 0; i < buttons.size(); ++i) {
    list += (i == 0 ? "" : ", ") + std::to_string(i) + " " + LabelAsItReads(buttons[i].label);
  }
  return list.empty() ? "none" : list;
}

std::string KeyList(const std::vector<loader::Subcommand>& subcommands) {
  std::string keys;
  for (const loader::Subcommand& subcommand : subcommands) {
    keys += (keys.empty() ? "" : ", ") + subcommand.key;
  }
  return keys.empty() ? "none" : keys;
}

bool SameKey(const std::string& a, const std::string& b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) ==
                  std::tolower(static_cast<unsigned char>(y));
         });
}

}  // namespace

StepRunner::StepRunner(const loader::PluginModule& plugin, const standin::ControlTable& host,
                       StandinDocument& document, bool trace, bool compact, std::ostream& out)
    : plugin_(plugin),
      host_(host),
      document_(document),
      trace_(trace),
      compact_(compact),
      out_(out) {}

bool StepRunner::Plan(const std::vector<Step>& steps, std::string* error, bool* unknown) {
  subcommands_ = plugin_.Subcommands();
  for (const Step& step : steps) {
    PlannedStep planned;
    planned.step = step;
    switch (step.kind) {
      case Step::Kind::kSubcommand:
        // The key as listed first, then the one key it names in another case.
        for (const loader::Subcommand& subcommand : subcommands_) {
          if (subcommand.key == step.text) planned.subcommand = subcommand.index;
        }
        for (const loader::Subcommand& subcommand : subcommands_) {
          if (planned.subcommand < 0 && SameKey(subcommand.key, step.text)) {
            planned.subcommand = subcommand.index;
            planned.step.text = subcommand.key;
          }
        }
        if (planned.subcommand < 0) {
          *error = "unknown sub-command '" + step.text +
                   "'; the plug-in offers: " + KeyList(subcommands_);
          *unknown = true;
          return false;
        }
        break;
      case Step::Kind::kClick:
        if (!PlanClick(&planned, error, unknown)) return false;
        break;
      case Step::Kind::kClose:
        if (!FindToolWindow(host_)) {
          *error = "cannot close the tool window: the plug-in has none";
          return false;
        }
        break;
      case Step::Kind::kShow:
      case Step::Kind::kHide:
        break;
    }
    plan_.push_back(planned);
  }
  return true;
}

bool StepRunner::PlanClick(PlannedStep* planned, std::string* error, bool* unknown) const {
  const std::optional<int32_t> window = FindToolWindow(host_);
  if (!window) {
    *error = "cannot click '" + planned->step.text + "': the plug-in has no tool window";
    return false;
  }
  const std::vector<WindowButton> buttons = ButtonsOf(host_, *window);
  const std::optional<WindowButton> button = FindButton(buttons, planned->step.text);
  if (!button) {
    *error = "the tool window has no button '" + planned->step.text +
             "'; its buttons: " + ButtonList(buttons);
    *unknown = true;
    return false;
  }
  planned->button = button->id;
  planned->label = button->label;
  return true;
}

bool StepRunner::RunAll(std::string* error) {
  for (const PlannedStep& planned : plan_) {
    if (!RunStep(planned, error)) return false;
  }
  return true;
}

bool StepRunner::RunStep(const PlannedStep& planned, std::string* error) {
  host_.clear_calls();
  switch (planned.step.kind) {
    case Step::Kind::kSubcommand:
      RunOnDocument(planned.step.text,
                    [&] { return plugin_.RunSubcommand(document_.Handle(), planned.subcommand); });
      return true;
    case Step::Kind::kClick: {
      const std::optional<int32_t> window = FindToolWindow(host_);
      if (!window || !IsWindowVisible(host_, *window)) {
        *error = "cannot click '" + LabelAsItReads(planned.label) +
                 "': the tool window is hidden (add the step 'show' before it)";
        return false;
      }
      RunOnDocument("click " + LabelAsItReads(planned.label),
                    [&] { return host_.click(planned.button, document_.Handle()); });
      return true;
    }
    case Step::Kind::kShow:
    case Step::Kind::kHide: {
      const bool show = planned.step.kind == Step::Kind::kShow;
      const std::string before = Activation();
      const int32_t result = plugin_.SetShown(document_.Handle(), show ? kShowFlag : kHideFlag);
      const std::string after = Activation();
      PrintHeading(
          show ? "show" : "hide",
          std::to_string(result) + ": " + (after == before ? "nothing changed" : "now " + after));
      out_ << after << "\n";
      return true;
    }
    case Step::Kind::kClose: {
      const std::optional<int32_t> window = FindToolWindow(host_);
      const bool hidden = window && host_.simulate_user_close(*window, document_.Handle());
      PrintHeading("close", hidden ? "the window was closed" : "the window was already hidden");
      out_ << Activation() << "\n";
      return true;
    }
  }
  return true;
}

template <typename Act>
void StepRunner::RunOnDocument(const std::string& heading, Act act) {
  const DocumentSnapshot before = TakeSnapshot(document_);
  const int32_t result = act();
  const DocumentSnapshot after = TakeSnapshot(document_);
  PrintHeading(heading, std::to_string(result) + ": " + DescribeChange(before, after));
  out_ << PrintedDocument(after.text, compact_);
}

void StepRunner::PrintHeading(const std::string& heading, const std::string& result) {
  out_ << "\n" << heading << " -> " << result << "\n";
  if (trace_) out_ << DescribeCalls(host_);
}

// Whether the plug-in is on (event 101) and its window visible.
std::string StepRunner::Activation() {
  const std::optional<int32_t> window = FindToolWindow(host_);
  const bool on = plugin_.IsShown(document_.Handle()) != 0;
  return std::string("plug-in ") + (on ? "on" : "off") + ", window " +
         (!window                           ? "none"
          : IsWindowVisible(host_, *window) ? "visible"
                                            : "hidden");
}

}  // namespace rowshift::tool
