#include "tools/rowshift_host_run.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <optional>
#include <system_error>

#include "outline/outline.h"
#include "standin/call_log.h"
#include "standin/document_control.h"
#include "standin/settings_control.h"
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
constexpr int kOutlineIndent = 2;
constexpr int kCallIndent = 2;

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
    if (options_.picture_path && !CanWrite(*options_.picture_path)) {
      return Fail("cannot write the picture '" + *options_.picture_path + "'");
    }
    std::string error;
    if (options_.settings_path && !LoadSettings(*options_.settings_path, &error)) {
      return Fail(error);
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
      return Fail("the host could not build the document of '" + *options_.outline_path +
                  "': " + error);
    }

    standin::RecordDocumentCalls(options_.trace);
    standin::ClearCalls();
    const int32_t started = session_->Start();
    if (options_.trace) PrintPhase("start-up (event 1)", started);

    StepRunner steps(session_->Plugin(), document, options_.trace, out_);
    if (!steps.Plan(options_.steps, &error)) return StopAfterFailure(error);
    if (options_.list) out_ << "\n" << DescribeSubcommands(steps.Subcommands());
    if (options_.window) PrintWindow("tool window after start-up:");
    if (outline) {
      out_ << "\ndocument: " << *options_.outline_path << "\n"
           << Indented(document.ToOutline(), kOutlineIndent);
    }
    const PictureSide before = options_.picture_path ? ReadBack(document) : PictureSide{};
    if (!steps.RunAll(&error)) return StopAfterFailure(error);
    if (options_.picture_path && !WritePicture(before, ReadBack(document))) {
      return StopAfterFailure("cannot write the picture '" + *options_.picture_path + "'");
    }
    if (options_.window && !options_.steps.empty()) PrintWindow("tool window at the end:");

    standin::ClearCalls();
    const int32_t stopped = session_->Stop();
    if (options_.trace) PrintPhase("shut-down (event 2)", stopped);
    if (options_.settings_path) {
      if (!settings_file_.Write(standin::ReadSettingsTree(), &error)) return Fail(error);
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
    if (!settings_file_.Read(path, error)) return false;
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
    out_ << (window ? Indented(DescribeWidgetTree(*window), kOutlineIndent)
                    : std::string(kOutlineIndent, ' ') + "(none)\n");
  }

  // Whether `path` takes a file, found before any step runs; an existing file
  // is left as it is and a missing one is not made.
  static bool CanWrite(const std::string& path) {
    std::error_code status;
    const bool existed = std::filesystem::exists(path, status);
    if (!std::ofstream(path, std::ios::binary | std::ios::app)) return false;
    if (!existed) std::filesystem::remove(path, status);
    return true;
  }

  // The document as the host holds it: its outline and the object in each slot.
  static PictureSide ReadBack(const standin::Document& document) {
    PictureSide side{document.ToOutline(), {}};
    side.objects.reserve(static_cast<std::size_t>(document.SlotCount()));
    for (int i = 0; i < document.SlotCount(); ++i) side.objects.push_back(document.ObjectInSlot(i));
    return side;
  }

  bool WritePicture(const PictureSide& before, const PictureSide& after) {
    std::string steps;
    for (const Step& step : options_.steps) {
      if (!steps.empty()) steps += ' ';
      steps += StepWord(step);
    }
    const std::string document = std::filesystem::path(*options_.outline_path).filename().string();
    std::ofstream file(*options_.picture_path, std::ios::binary | std::ios::trunc);
    file << DrawBeforeAndAfter({steps, document}, before, after);
    file.close();
    if (!file) return false;
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
           parsed.error->quoted_line + "\"");
      return std::nullopt;
    }
    return text;
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
