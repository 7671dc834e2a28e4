#include "tools/rowshift_host_run.h"

#include <filesystem>
#include <iostream>
#include <iterator>
#include <memory>
#include <optional>
#include <utility>

#include "outline/outline.h"
#include "standin/call_log.h"
#include "standin/document_control.h"
#include "standin/settings_control.h"
#include "tools/rowshift_host_document.h"
#include "tools/rowshift_host_paths.h"
#include "tools/rowshift_host_picture.h"
#include "tools/rowshift_host_printing.h"
#include "tools/rowshift_host_session.h"
#include "tools/rowshift_host_steps.h"
#include "tools/rowshift_host_window.h"
#include "tools/settings_file.h"

namespace rowshift::tool {
namespace {

constexpr char kProgramName[] = "rowshift-host";
constexpr char kPluginFileName[] = ROWSHIFT_HOST_PLUGIN_FILE_NAME;
constexpr char kHostModuleFileName[] = ROWSHIFT_HOST_MODULE_FILE_NAME;
constexpr char kStandardInput[] = "-";
constexpr char kStandardInputName[] = "standard input";

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
    if (options_.picture_path) {
      if (const std::optional<std::string> reason = CannotWrite(*options_.picture_path)) {
        return Fail("cannot write the picture '" + *options_.picture_path + "': " + *reason);
      }
    }
    std::string error;
    if (options_.settings_path && !LoadSettings(*options_.settings_path, &error)) {
      return Fail(error);
    }
    // The output and settings files are written after the steps ran; one that
    // cannot be is found before any runs.
    if (options_.output_path) {
      if (const std::optional<std::string> reason = CannotWrite(*options_.output_path)) {
        return Fail("cannot write the output file '" + *options_.output_path + "': " + *reason);
      }
    }

    const SessionPaths paths{
        options_.plugin_path.value_or(BesideProgram(program_folder_, kPluginFileName)),
        options_.host_module_path.value_or(BesideProgram(program_folder_, kHostModuleFileName))};
    session_ = PluginSession::Open(paths, &error);
    if (!session_) return Fail(error);
    out_ << DescribeIdentity(session_->Identity(), paths.plugin);
    if (options_.settings_path) out_ << "  settings " << *options_.settings_path << "\n";

    standin::Document document;
    if (outline && !document.LoadOutline(*outline, &error)) {
      return Fail("the host could not build the document of '" + OutlineName() + "': " + error);
    }

    standin::RecordDocumentCalls(options_.trace);
    standin::ClearCalls();
    const int32_t started = session_->Start();
    if (options_.trace) PrintPhase("start-up (event 1)", started);

    StepRunner steps(session_->Plugin(), document, options_.trace, options_.compact, out_);
    if (!steps.Plan(options_.steps, &error)) return StopAfterFailure(error);
    if (options_.list) out_ << "\n" << DescribeSubcommands(steps.Subcommands());
    if (options_.window) PrintWindow("tool window after start-up:");
    if (outline) {
      out_ << "\ndocument: " << OutlineName() << "\n"
           << PrintedDocument(document.ToOutline(), options_.compact);
    }
    const PictureSide before = options_.picture_path ? ReadBack(document) : PictureSide{};
    if (!steps.RunAll(&error)) return StopAfterFailure(error);
    if (options_.picture_path && !WritePicture(before, ReadBack(document), &error)) {
      return StopAfterFailure(error);
    }
    if (options_.window && !options_.steps.empty()) PrintWindow("tool window at the end:");
    if (options_.output_path && !WriteOutput(*options_.output_path, document, &error)) {
      return StopAfterFailure(error);
    }

    standin::ClearCalls();
    const int32_t stopped = session_->Stop();
    if (options_.trace) PrintPhase("shut-down (event 2)", stopped);
    if (options_.settings_path) {
      const standin::SettingsNode saved = standin::ReadSettingsTree();
      for (const std::string& warning : settings_file_.NumbersReplacingText(saved)) {
        err_ << kProgramName << ": warning: " << warning << "\n";
      }
      if (!settings_file_.Write(saved, &error)) return Fail(error);
      out_ << "\nsettings saved to " << *options_.settings_path << "\n";
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
  int StopAfterFailure(const std::string& error) {
    session_->Stop();
    return Fail(error);
  }

  // The stand-in host's settings document becomes the file's tree, or a fresh
  // one for a missing or blank file.
  bool LoadSettings(const std::string& path, std::string* error) {
    if (!settings_file_.Read(path, error) || !settings_file_.CheckWritable(error)) return false;
    if (settings_file_.Tree()) {
      standin::LoadSettingsTree(*settings_file_.Tree());
    } else {
      standin::ResetSettingsDocument();
    }
    return true;
  }

  void PrintWindow(const std::string& heading) {
    out_ << "\n" << heading << "\n";
    const std::optional<int32_t> window = FindToolWindow();
    out_ << (window ? DescribeWidgetTree(*window) : std::string("(none)\n"));
  }

  std::string OutlineName() const {
    const std::string& path = *options_.outline_path;
    return path == kStandardInput ? kStandardInputName : path;
  }

  // The document as the host holds it: its outline and the object in each slot.
  static PictureSide ReadBack(const standin::Document& document) {
    DocumentSnapshot snapshot = TakeSnapshot(document);
    return PictureSide{std::move(snapshot.text), std::move(snapshot.objects)};
  }

  bool WritePicture(const PictureSide& before, const PictureSide& after, std::string* error) {
    std::string steps;
    for (const Step& step : options_.steps) {
      if (!steps.empty()) steps += ' ';
      steps += StepWord(step);
    }
    const std::string document = std::filesystem::path(OutlineName()).filename().string();
    if (const std::optional<std::string> reason = WriteWholeFile(
            *options_.picture_path, DrawBeforeAndAfter({steps, document}, before, after))) {
      *error = "cannot write the picture '" + *options_.picture_path + "': " + *reason;
      return false;
    }
    out_ << "\npicture saved to " << *options_.picture_path << "\n";
    return true;
  }

  static std::string StepWord(const Step& step) {
    switch (step.kind) {
      case Step::Kind::kClick:
        return "click " + step.text;
      case Step::Kind::kShow:
        return "show";
      case Step::Kind::kHide:
        return "hide";
      case Step::Kind::kClose:
        return "close";
      case Step::Kind::kSubcommand:
        break;
    }
    return step.text;
  }

  std::optional<std::string> ReadOutline(const std::string& path) {
    std::string text;
    if (path == kStandardInput) {
      text.assign(std::istreambuf_iterator<char>(std::cin), std::istreambuf_iterator<char>());
    } else if (const std::optional<std::string> reason = ReadWholeFile(path, &text)) {
      Fail("cannot read the outline file '" + path + "': " + *reason);
      return std::nullopt;
    }
    const outline::ParseResult parsed = outline::ParseOutline(text);
    if (parsed.error) {
      Fail(OutlineName() + ":" + std::to_string(parsed.error->line) + ": " + parsed.error->message +
           ": \"" + parsed.error->quoted_line + "\"");
      return std::nullopt;
    }
    return text;
  }

  // The document after the steps, as an outline, in the file asked for.
  bool WriteOutput(const std::string& path, const standin::Document& document, std::string* error) {
    const std::string text =
        options_.compact ? CompactOutline(document.ToOutline()) : document.ToOutline();
    if (const std::optional<std::string> reason = WriteWholeFile(path, text)) {
      *error = "cannot write the output file '" + path + "': " + *reason;
      return false;
    }
    out_ << "\ndocument written to " << path << "\n";
    return true;
  }

  void PrintPhase(const std::string& title, int32_t result) {
    out_ << "\n" << title << " -> " << result << "\n" << DescribeCalls(standin::Calls());
  }

  const Options& options_;
  const std::string program_folder_;
  std::ostream& out_;
  std::ostream& err_;
  std::unique_ptr<PluginSession> session_;
  SettingsFile settings_file_;
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
