// The command line of rowshift-host: what to load, what to read, what to run.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace rowshift::tool {

// One thing to do to the document, in command-line order.
struct Step {
  enum class Kind {
    kSubcommand,  // a sub-command key as the plug-in lists it (event 104)
    kClick,       // press a tool-window button ("execute")
    kShow,        // switch the plug-in on (event 100 with 1)
    kHide,        // switch the plug-in off (event 100 with 0)
    kClose,       // close the tool window as the user would
  };
  Kind kind = Kind::kSubcommand;
  std::string text;  // the key, or the button's label or position; empty otherwise
};

struct Options {
  bool help = false;
  bool list = false;
  bool trace = false;
  bool window = false;
  bool compact = false;                         // print documents without empty slots
  std::optional<std::string> plugin_path;       // default: beside the executable
  std::optional<std::string> host_module_path;  // default: beside the executable
  std::optional<std::string> settings_path;     // no file: settings live for one run
  std::optional<std::string> outline_path;      // the document ("-": standard input)
  std::optional<std::string> picture_path;      // --svg: the list before and after the steps
  std::optional<std::string> picture_language;  // --svg-lang: "en" (the default) or "ja"
  std::optional<std::string> output_path;       // where the resulting outline is written
  std::vector<Step> steps;
};

struct ParsedOptions {
  Options options;
  std::optional<std::string> error;  // a message for the user when the line is wrong
};

// Reads the arguments after the program name. The first argument that is not
// an option names the outline file; every later one is a step. Step words
// (click, show, hide, close) are matched in any case, like sub-command keys,
// buttons and outline flags.
ParsedOptions ParseOptions(const std::vector<std::string>& arguments);

// The text that --help prints.
std::string UsageText();

}  // namespace rowshift::tool
