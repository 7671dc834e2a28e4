#include "tools/rowshift_host_run.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <optional>
#include <sstream>
#include <system_error>
#include <vector>

#include "standin/call_log.h"
#include "standin/document_control.h"
#include "tools/outline.h"
#include "tools/rowshift_host_paths.h"
#include "tools/rowshift_host_printing.h"
#include "tools/rowshift_host_session.h"
#include "tools/rowshift_host_settings_file.h"

namespace rowshift::tool {
namespace {

constexpr char kProgramName[] = "rowshift-host";
constexpr char kPluginFileName[] = ROWSHIFT_HOST_PLUGIN_FILE_NAME;
constexpr char kHostModuleFileName[] = ROWSHIFT_HOST_MODULE_FILE_NAME;
constexpr int kOutlineIndent = 2;
constexpr int kCallIndent = 2;
constexpr int32_t kShowFlag = 1;
constexpr int32_t kHideFlag = 0;

// Line `number` (from 1) of `text`, without its line break.
std::string LineOf(const std::string& text, int number) {
  std::istringstream lines(text);
  std::string line;
  int current = 0;
  while (std::getline(lines, line)) {
    if (++current == number) break;
  }
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return line;
}

// A step checked against what the plug-in offers, ready to run.
struct PlannedStep {
  Step step;
  int32_t subcommand = -1;  // the sub-command's index, for kSubcommand
};

class HostRun {
 public:
  HostRun(const Options& options, const std::string& program_folder, std::ostream& out,
          std::ostream& err)
      : options_(options), program_folder_(program_folder), out_(out), err_(err) {}

  int Run() {
    std::optional<std::string> outline;
    if (options_.outline_path) {
      outline = ReadOutline(*options_.outline_path);
      if (!outline) return kExitFailure;
    }
    if (options_.settings_path && !LoadSettings()) return kExitFailure;

    std::string error;
    const SessionPaths paths{
        options_.plugin_path.value_or(BesideProgram(program_folder_, kPluginFileName)),
        options_.host_module_path.value_or(BesideProgram(program_folder_, kHostModuleFileName))};
    session_ = PluginSession::Open(paths, &error);
    if (!session_) return Fail(error);
    out_ << DescribeIdentity(session_->Identity(), paths.plugin);

    standin::Document document;
    if (outline && !document.LoadOutline(*outline, &error)) {
      return Fail("the host could not build the document of '" + *options_.outline_path +
                  "': " + error);
    }

    standin::ClearCalls();
    const int32_t started = session_->Start();
    if (options_.trace) PrintPhase("start-up (event 1)", started);

    subcommands_ = session_->Plugin().Subcommands();
    std::vector<PlannedStep> plan;
    if (!Plan(&plan)) return StopAfterFailure();
    if (options_.list) out_ << "\n" << DescribeSubcommands(subcommands_);
    if (outline) {
      out_ << "\ndocument: " << *options_.outline_path << "\n"
           << Indented(document.ToOutline(), kOutlineIndent);
    }
    for (const PlannedStep& planned : plan) {
      if (!RunStep(planned, document)) return StopAfterFailure();
    }

    standin::ClearCalls();
    const int32_t stopped = session_->Stop();
    if (options_.trace) PrintPhase("shut-down (event 2)", stopped);
    if (options_.settings_path && !SaveSettingsFile(*options_.settings_path, &error)) {
      return Fail(error);
    }
    return kExitSuccess;
  }

 private:
  int Fail(const std::string& message) {
    err_ << kProgramName << ": " << message << "\n";
    return kExitFailure;
  }

  // A failed run still shuts the plug-in down, but keeps its settings file as
  // it was.
  int StopAfterFailure() {
    session_->Stop();
    return kExitFailure;
  }

  std::optional<std::string> ReadOutline(const std::string& path) {
    std::error_code status;
    if (!std::filesystem::exists(path, status)) {
      Fail("cannot read the outline file '" + path + "': no such file");
      return std::nullopt;
    }
    std::ifstream file(path, std::ios::binary);
    if (!file || std::filesystem::is_directory(path, status)) {
      Fail("cannot read the outline file '" + path + "'");
      return std::nullopt;
    }
    std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    const outline::ParseResult parsed = outline::ParseOutline(text);
    if (parsed.error) {
      Fail(path + ":" + std::to_string(parsed.error->line) + ": " + parsed.error->message + ": \"" +
           LineOf(text, parsed.error->line) + "\"");
      return std::nullopt;
    }
    return text;
  }

  bool LoadSettings() {
    std::string error;
    if (LoadSettingsFile(*options_.settings_path, &error)) return true;
    Fail(error);
    return false;
  }

  std::optional<int32_t> FindSubcommand(const std::string& key) const {
    for (const Subcommand& subcommand : subcommands_) {
      if (subcommand.key == key) return subcommand.index;
    }
    return std::nullopt;
  }

  std::string OfferedKeys() const {
    std::string keys;
    for (const Subcommand& subcommand : subcommands_) {
      keys += (keys.empty() ? "" : ", ") + subcommand.key;
    }
    return keys.empty() ? "none" : keys;
  }

  bool Plan(std::vector<PlannedStep>* plan) {
    for (const Step& step : options_.steps) {
      PlannedStep planned{step};
      if (step.kind == Step::Kind::kSubcommand) {
        const std::optional<int32_t> index = FindSubcommand(step.text);
        if (!index) {
          Fail("unknown sub-command '" + step.text + "'; the plug-in offers: " + OfferedKeys());
          return false;
        }
        planned.subcommand = *index;
      }
      plan->push_back(planned);
    }
    return true;
  }

  bool RunStep(const PlannedStep& planned, standin::Document& document) {
    const PluginModule& plugin = session_->Plugin();
    standin::ClearCalls();
    switch (planned.step.kind) {
      case Step::Kind::kSubcommand:
        PrintStep(planned.step.text, plugin.RunSubcommand(document.Handle(), planned.subcommand));
        break;
      case Step::Kind::kShow:
        PrintStep("show", plugin.SetShown(document.Handle(), kShowFlag));
        break;
      case Step::Kind::kHide:
        PrintStep("hide", plugin.SetShown(document.Handle(), kHideFlag));
        break;
      case Step::Kind::kClick:
      case Step::Kind::kClose:
        Fail("this stand-in host has no tool window to click or close");
        return false;
    }
    out_ << Indented(document.ToOutline(), kOutlineIndent);
    return true;
  }

  void PrintStep(const std::string& title, int32_t result) {
    out_ << "\n" << title << " -> " << DescribeResult(result) << "\n";
    if (options_.trace) out_ << DescribeCalls(standin::Calls(), kCallIndent);
  }

  void PrintPhase(const std::string& title, int32_t result) {
    out_ << "\n"
         << title << " -> " << result << "\n"
         << DescribeCalls(standin::Calls(), kCallIndent);
  }

  const Options& options_;
  const std::string program_folder_;
  std::ostream& out_;
  std::ostream& err_;
  std::unique_ptr<PluginSession> session_;
  std::vector<Subcommand> subcommands_;
};

}  // namespace

int RunHost(const Options& options, const std::string& program_folder, std::ostream& out,
            std::ostream& err) {
  if (options.help) {
    out << UsageText();
    return kExitSuccess;
  }
  return HostRun(options, program_folder, out, err).Run();
}

}  // namespace rowshift::tool
