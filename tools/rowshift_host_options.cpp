#include "tools/rowshift_host_options.h"

#include <cstddef>

namespace rowshift::tool {
namespace {

// Options that take a value, as "--name VALUE" or "--name=VALUE".
std::optional<std::string>* ValueOption(Options& options, const std::string& name) {
  if (name == "--plugin") return &options.plugin_path;
  if (name == "--host-module") return &options.host_module_path;
  if (name == "--settings") return &options.settings_path;
  if (name == "--svg") return &options.picture_path;
  return nullptr;
}

bool* FlagOption(Options& options, const std::string& name) {
  if (name == "--help" || name == "-h") return &options.help;
  if (name == "--list") return &options.list;
  if (name == "--trace") return &options.trace;
  if (name == "--window") return &options.window;
  return nullptr;
}

bool IsOption(const std::string& argument) { return argument.size() > 1 && argument[0] == '-'; }

// Steps named by a fixed word; any other word is a sub-command key.
std::optional<Step::Kind> FixedStep(const std::string& word) {
  if (word == "click") return Step::Kind::kClick;
  if (word == "show") return Step::Kind::kShow;
  if (word == "hide") return Step::Kind::kHide;
  if (word == "close") return Step::Kind::kClose;
  return std::nullopt;
}

}  // namespace

ParsedOptions ParseOptions(const std::vector<std::string>& arguments) {
  ParsedOptions parsed;
  Options& options = parsed.options;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    if (IsOption(argument)) {
      const std::size_t equals = argument.find('=');
      const std::string name = argument.substr(0, equals);
      if (std::optional<std::string>* value = ValueOption(options, name)) {
        if (equals != std::string::npos) {
          *value = argument.substr(equals + 1);
        } else if (i + 1 < arguments.size()) {
          *value = arguments[++i];
        } else {
          parsed.error = name + " needs a value";
          return parsed;
        }
        if (value->value().empty()) {
          parsed.error = name + " needs a non-empty value";
          return parsed;
        }
        continue;
      }
      bool* flag = FlagOption(options, argument);
      if (flag == nullptr) {
        parsed.error = "unknown option '" + argument + "'";
        return parsed;
      }
      *flag = true;
      continue;
    }
    if (!options.outline_path) {
      options.outline_path = argument;
      continue;
    }
    Step step;
    if (std::optional<Step::Kind> kind = FixedStep(argument)) {
      step.kind = *kind;
      if (step.kind == Step::Kind::kClick) {
        if (i + 1 >= arguments.size()) {
          parsed.error = "click needs a button: its label (up(&U) or up) or its position 0-5";
          return parsed;
        }
        step.text = arguments[++i];
      }
    } else {
      step.text = argument;
    }
    options.steps.push_back(step);
  }
  if (!options.help && !options.list && !options.window && !options.outline_path) {
    parsed.error = "no outline file given";
  } else if (!options.help && options.picture_path && !options.outline_path) {
    parsed.error = "--svg needs an outline file";
  }
  return parsed;
}

std::string UsageText() {
  return "Usage: rowshift-host [OPTIONS] OUTLINE-FILE [STEP...]\n"
         "       rowshift-host --list [OPTIONS]\n"
         "\n"
         "Loads the stand-in host module and the Rowshift plug-in as the modeller would,\n"
         "builds a document from OUTLINE-FILE, runs the steps in order and prints the\n"
         "document before and after each one with the plug-in's answer.\n"
         "\n"
         "Steps:\n"
         "  KEY            run the plug-in's sub-command KEY (see --list), e.g. up, gather\n"
         "  click BUTTON   press a tool-window button, by its label as shown (\"up(&U)\"),\n"
         "                 its label without the mnemonic (up) or its position 0-5\n"
         "  show, hide     switch the plug-in on or off\n"
         "  close          close the tool window as the user would\n"
         "\n"
         "Options:\n"
         "  --plugin PATH       the plug-in module (default: beside this program)\n"
         "  --host-module PATH  the stand-in host module (default: beside this program)\n"
         "  --settings FILE     keep the host's settings document in FILE between runs\n"
         "                      (a missing file starts empty)\n"
         "  --svg FILE          after the steps, draw the object list before and after\n"
         "                      them side by side as an SVG picture in FILE\n"
         "  --list              print the plug-in's sub-commands: key and title\n"
         "  --window            print the tool window's widgets after start-up and at the end\n"
         "  --trace             print every host call the plug-in made\n"
         "  --help              print this text\n"
         "\n"
         "Outline files have one object per line, two spaces of indent per level, and\n"
         "optional flags: Body [current selected collapsed ineligible]; a line \"-\" is\n"
         "an empty slot.\n"
         "\n"
         "Example:\n"
         "  rowshift-host examples/scene.txt up up gather\n";
}

}  // namespace rowshift::tool
