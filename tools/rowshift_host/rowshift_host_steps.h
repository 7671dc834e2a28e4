// The steps of a command line: checked against what the plug-in and its tool
// window offer, then run one by one with what each did printed: the plug-in's
// answer, what changed, and the document after it.
#pragma once

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "loader/plugin_module.h"
#include "standin/control_table.h"
#include "tools/rowshift_host/rowshift_host_options.h"

namespace rowshift::tool {

class StandinDocument;

class StepRunner {
 public:
  // `plugin`, the host module `host` reaches and `document` must outlive the
  // runner; the plug-in is started. With `compact`, documents are printed
  // without their empty slots.
  StepRunner(const loader::PluginModule& plugin, const standin::ControlTable& host,
             StandinDocument& document, bool trace, bool compact, std::ostream& out);

  // Checks every step before any runs: sub-command keys the plug-in lists
  // (in any case), buttons its tool window has. False, with `error` set, at the
  // first that cannot run; `unknown` tells whether it named no key or button.
  bool Plan(const std::vector<Step>& steps, std::string* error, bool* unknown);

  // Runs the planned steps in order. False, with `error` set, when a step
  // cannot run now (a click on a hidden window); the steps before it ran.
  bool RunAll(std::string* error);

  const std::vector<loader::Subcommand>& Subcommands() const { return subcommands_; }

 private:
  struct PlannedStep {
    Step step;
    int32_t subcommand = -1;  // kSubcommand: the index the plug-in listed it at
    int32_t button = 0;       // kClick: the button's widget id
    std::string label;        // kClick: the button's label as shown
  };

  bool PlanClick(PlannedStep* planned, std::string* error, bool* unknown) const;
  bool RunStep(const PlannedStep& planned, std::string* error);
  // Runs `act` on the document and prints its answer with what changed.
  template <typename Act>
  void RunOnDocument(const std::string& heading, Act act);
  void PrintHeading(const std::string& heading, const std::string& result);
  std::string Activation();

  const loader::PluginModule& plugin_;
  const standin::ControlTable& host_;
  StandinDocument& document_;
  const bool trace_;
  const bool compact_;
  std::ostream& out_;
  std::vector<loader::Subcommand> subcommands_;
  std::vector<PlannedStep> plan_;
};

}  // namespace rowshift::tool
