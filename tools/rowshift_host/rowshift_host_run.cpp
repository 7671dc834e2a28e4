#include "tools/rowshift_host/rowshift_host_run.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <iterator>
#include <memory>
#include <optional>
#include <utility>

#include "outline/outline.h"
#include "tools/files/size_in_words.h"
#include "tools/files/whole_file.h"
#include "tools/rowshift_host/rowshift_host_document.h"
#include "tools/rowshift_host/rowshift_host_encoding.h"
#include "tools/rowshift_host/rowshift_host_paths.h"
#include "tools/rowshift_host/rowshift_host_picture.h"
#include "tools/rowshift_host/rowshift_host_printing.h"
#include "tools/rowshift_host/rowshift_host_session.h"
#include "tools/rowshift_host/rowshift_host_standin.h"
#include "tools/rowshift_host/rowshift_host_steps.h"
#include "tools/rowshift_host/rowshift_host_window.h"
#include "tools/settings_file/settings_file.h"

namespace rowshift::tool {
namespace {

constexpr char kProgramName[] = "rowshift-host";
constexpr char kPluginFileName[] = ROWSHIFT_HOST_PLUGIN_FILE_NAME;
constexpr char kHostModuleFileName[] = ROWSHIFT_HOST_MODULE_FILE_NAME;
constexpr char kStandardInput[] = "-";
constexpr char kStandardStream[] = "-";  // in place of an output file: standard output
constexpr char kStandardInputName[] = "standard input";

// A file an option names, for comparing it with the others.
struct NamedFile {
  const char* option;
  const std::optional<std::string>& path;
};

// Two options that would write one file, or write the file read, so that one
// would be lost: what to say, or nothing. --output may name the outline file
// itself, which is then edited in place (it was read whole before).
std::optional<std::string> FilesThatClash(const Options& options) {
  const NamedFile files[] = {{"the outline file", options.outline_path},
                             {"--svg", options.picture_path},
                             {"--output", options.output_path},
                             {"--settings", options.settings_path}};
  for (std::size_t i = 0; i < std::size(files); ++i) {
    for (std::size_t j = i + 1; j < std::size(files); ++j) {
      const NamedFile& a = files[i];
      const NamedFile& b = files[j];
      if (!a.path || !b.path || (i == 0 && std::string(b.option) == "--output")) continue;
      if (*a.path == kStandardStream || *b.path == kStandardStream) {
        if (i > 0 && *a.path == *b.path) {
          return std::string(a.option) + " and " + b.option +
                 " both name standard output ('-'); give one of them a file";
        }
        continue;
      }
      if (SameFile(*a.path, *b.path)) {
        return std::string(a.option) + " '" + *a.path + "' and " + b.option + " '" + *b.path +
               "' name the same file; nothing was run or written";
      }
    }
  }
  return std::nullopt;
}

class HostRun {
 public:
  // Reports go to `out`, unless the outline or the picture goes to standard
  // output (`data`): then they go to `err`, and standard output holds it alone.
  HostRun(const Options& options, const std::string& program_folder, std::ostream& data,
          std::ostream& err)
      : options_(options),
        program_folder_(program_folder),
        data_(data),
        out_(options.output_path == kStandardStream || options.picture_path == kStandardStream
                 ? err
                 : data),
        err_(err) {}

  int Run() {
    // Read before the steps and written after them, settings cannot live on a stream.
    if (options_.settings_path == kStandardStream) {
      err_ << kProgramName << ": --settings needs a file, not '-': it is read and written again\n";
      return kExitUsage;
    }
    if (const std::optional<std::string> clash = FilesThatClash(options_)) {
      err_ << kProgramName << ": " << *clash << "\n";
      return kExitUsage;
    }
    std::optional<std::string> outline;
    if (options_.outline_path) {
      outline = ReadOutline(*options_.outline_path);
      if (!outline) return kExitFailure;
    }
    if (const std::optional<std::string> fault =
            CannotWriteOutput(options_.picture_path, "picture")) {
      return Fail(*fault);
    }
    std::string error;
    if (options_.settings_path && !LoadSettings(*options_.settings_path, &error)) {
      return Fail(error);
    }
    // The output and settings files are written after the steps ran; one that
    // cannot be is found before any runs.
    if (const std::optional<std::string> fault =
            CannotWriteOutput(options_.output_path, "output file")) {
      return Fail(*fault);
    }

    const SessionPaths paths{options_.plugin_path ? AsFilePath(*options_.plugin_path)
                                                  : BesideProgram(program_folder_, kPluginFileName),
                             options_.host_module_path
                                 ? AsFilePath(*options_.host_module_path)
                                 : BesideProgram(program_folder_, kHostModuleFileName)};
    session_ = PluginSession::Open(paths, &error);
    if (!session_) return Fail(error);
    out_ << DescribeIdentity(session_->Identity(), paths.plugin);
    if (options_.settings_path) out_ << "  settings " << *options_.settings_path << "\n";

    const standin::ControlTable& host = session_->Controls();
    if (options_.settings_path) HandSettingsToHost(host);
    StandinDocument document(host);
    if (outline && !document.LoadOutline(*outline, &error)) {
      return Fail("the host could not build the document of '" + OutlineName() + "': " + error);
    }

    host.record_document_calls(options_.trace);
    host.clear_calls();
    const int32_t started = session_->Start();
    if (options_.trace) PrintPhase("start-up (event 1)", started);

    StepRunner steps(session_->Plugin(), host, document, options_.trace, options_.compact, out_);
    bool unknown_step = false;
    if (!steps.Plan(options_.steps, &error, &unknown_step)) {
      StopAfterFailure(error);
      return unknown_step ? kExitUsage : kExitFailure;
    }
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
    if (options_.output_path && !WriteDocument(*options_.output_path, document, &error)) {
      return StopAfterFailure(error);
    }

    host.clear_calls();
    const int32_t stopped = session_->Stop();
    if (options_.trace) PrintPhase("shut-down (event 2)", stopped);
    if (options_.settings_path) {
      const standin::SettingsNode saved = host.read_settings_tree();
      for (const std::string& warning : settings_file_.ValuesChangedOnSave(saved)) {
        err_ << kProgramName << ": warning: " << warning << "\n";
      }
      if (!settings_file_.Write(saved, &error)) return Fail(error);
      out_ << "\nsettings saved to " << *options_.settings_path << "\n";
    }
    return kExitSuccess;
  }

 private:
  // An empty message: standard output failed, which RunHost's caller tells.
  int Fail(const std::string& message) {
    if (!message.empty()) err_ << kProgramName << ": " << message << "\n";
    return kExitFailure;
  }

  // A failed run still shuts the plug-in down, but keeps its settings file as
  // it was.
  int StopAfterFailure(const std::string& error) {
    session_->Stop();
    return Fail(error);
  }

  // Reads the settings file; nothing is run when it cannot be read or would
  // not be written after the run.
  bool LoadSettings(const std::string& path, std::string* error) {
    return settings_file_.Read(path, error) && settings_file_.CheckWritable(error);
  }

  // The stand-in host's settings document becomes the file's tree, or a fresh
  // one for a missing or blank file.
  void HandSettingsToHost(const standin::ControlTable& host) {
    if (settings_file_.Tree()) {
      host.load_settings_tree(*settings_file_.Tree());
    } else {
      host.reset_settings_document();
    }
  }

  void PrintWindow(const std::string& heading) {
    const standin::ControlTable& host = session_->Controls();
    out_ << "\n" << heading << "\n";
    const std::optional<int32_t> window = FindToolWindow(host);
    out_ << (window ? DescribeWidgetTree(host, *window) : std::string("(none)\n"));
  }

  std::string OutlineName() const {
    const std::string& path = *options_.outline_path;
    return path == kStandardInput ? kStandardInputName : path;
  }

  // The document as the host holds it: its outline, the object in each slot
  // and what each copy was cloned from.
  static PictureSide ReadBack(const StandinDocument& document) { return TakeSnapshot(document); }

  bool WritePicture(const PictureSide& before, const PictureSide& after, std::string* error) {
    std::string steps;
    for (const Step& step : options_.steps) {
      if (!steps.empty()) steps += ' ';
      steps += StepWord(step);
    }
    const std::string document = std::filesystem::path(OutlineName()).filename().string();
    const PictureLanguage language = options_.picture_language == std::string("ja")
                                         ? PictureLanguage::kJapanese
                                         : PictureLanguage::kEnglish;
    return WriteOutput(*options_.picture_path, "picture",
                       DrawBeforeAndAfter({steps, document, language}, before, after),
                       "picture saved to", error);
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
    const std::optional<std::string> reason =
        path == kStandardInput ? ReadWholeStream(stdin, &text) : ReadWholeFile(path, &text);
    if (reason) {
      Fail("cannot read the outline " +
           (path == kStandardInput ? OutlineName() : "file '" + path + "'") + ": " + *reason);
      return std::nullopt;
    }
    if (const std::optional<std::string> fault = NotUtf8Text(text)) {
      Fail(OutlineName() + ": " + *fault);
      return std::nullopt;
    }
    outline::ParseOptions rules;
    rules.most_rows = kMostOutlineRows;
    outline::ParseResult parsed = outline::ParseOutline(text, rules);
    if (parsed.error) {
      Fail(OutlineName() + ":" + std::to_string(parsed.error->line) + ": " + parsed.error->message +
           ": \"" + WithBytesEscaped(parsed.error->quoted_line) + "\"");
      return std::nullopt;
    }
    outline_head_ = std::move(parsed.head);
    later_comments_ = parsed.later_comments;
    outline_layout_ = outline::LayoutOf(text);
    return text;
  }

  // Why an outline of `rows` (one a line), written as `text`, would not be
  // read again, or nothing.
  static std::optional<std::string> NotReadBack(const std::string& rows, const std::string& text) {
    const auto count = static_cast<std::size_t>(std::count(rows.begin(), rows.end(), '\n'));
    if (count <= kMostOutlineRows && text.size() <= kLargestFileRead) return std::nullopt;
    return "the document has " + std::to_string(count) + " rows in " + std::to_string(text.size()) +
           " bytes, more than rowshift-host reads (" + CountInWords(kMostOutlineRows) + " rows, " +
           BytesInWords(kLargestFileRead) + "); --compact leaves out the empty slots";
  }

  // The document after the steps, as an outline, in the file asked for. Every
  // outline written from an outline file keeps its comments in front of the
  // first row, its line ends and its byte-order mark; comments among its rows
  // cannot follow a reorder, and their loss is told.
  bool WriteDocument(const std::string& path, const StandinDocument& document, std::string* error) {
    const std::string rows =
        options_.compact ? CompactOutline(document.ToOutline()) : document.ToOutline();
    const std::string text =
        outline::InLayout(outline_layout_, outline::WithHead(outline_head_, rows));
    if (const std::optional<std::string> reason = NotReadBack(rows, text)) {
      *error = "cannot write the output file '" + path + "': " + *reason;
      return false;
    }
    if (!WriteOutput(path, "output file", text, "document written to", error)) return false;
    if (later_comments_ > 0) {
      const std::string written = path == kStandardStream ? "standard output" : "'" + path + "'";
      err_ << kProgramName << ": warning: " << later_comments_
           << (later_comments_ == 1 ? " comment line" : " comment lines") << " among the rows of "
           << OutlineName() << " " << (later_comments_ == 1 ? "was" : "were") << " left out of "
           << written << "; the comments in front of the first row are kept\n";
    }
    return true;
  }

  // Why the file an option names cannot be written, or nothing: standard
  // output always can.
  static std::optional<std::string> CannotWriteOutput(const std::optional<std::string>& path,
                                                      const std::string& what) {
    if (!path || *path == kStandardStream) return std::nullopt;
    const std::optional<std::string> file = LinkedFile(*path);
    std::optional<std::string> reason =
        file ? CannotReplace(*file) : std::optional<std::string>("a link that leads nowhere");
    if (!reason) return std::nullopt;
    return "cannot write the " + what + " '" + *path + "': " + *reason;
  }

  // Writes `text` to standard output, or replaces the file (the file a link
  // leads to, so the link stays) whole.
  bool WriteOutput(const std::string& path, const std::string& what, const std::string& text,
                   const std::string& done, std::string* error) {
    if (path == kStandardStream) {
      // A failure is told by the caller of RunHost, who knows the stream.
      error->clear();
      return static_cast<bool>(data_ << text << std::flush);
    }
    if (const std::optional<std::string> reason =
            ReplaceFile(LinkedFile(path).value_or(path), text)) {
      *error = "cannot write the " + what + " '" + path + "': " + *reason;
      return false;
    }
    out_ << "\n" << done << " " << path << "\n";
    return true;
  }

  void PrintPhase(const std::string& title, int32_t result) {
    out_ << "\n" << title << " -> " << result << "\n" << DescribeCalls(session_->Controls());
  }

  const Options& options_;
  const std::string program_folder_;
  std::ostream& data_;
  std::ostream& out_;
  std::ostream& err_;
  std::unique_ptr<PluginSession> session_;
  SettingsFile settings_file_;
  std::string outline_head_;            // the outline's comment lines in front of its first row
  int later_comments_ = 0;              // the outline's comment lines among its rows
  outline::TextLayout outline_layout_;  // its line ends and byte-order mark
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
