#include "tools/rowshift_host/rowshift_host_options.h"

#include "tools/files/size_in_words.h"
#include "tools/files/whole_file.h"
#include "tools/rowshift_host/rowshift_host_run.h"

#include <cctype>
#include <cstddef>

namespace rowshift::tool {
namespace {

// Options that take a value, as "--name VALUE" or "--name=VALUE".
std::optional<std::string>* ValueOption(Options& options, const std::string& name) {
  if (name == "--plugin") return &options.plugin_path;
  if (name == "--host-module") return &options.host_module_path;
  if (name == "--settings") return &options.settings_path;
  if (name == "--svg") return &options.picture_path;
  if (name == "--svg-lang") return &options.picture_language;
  if (name == "--output") return &options.output_path;
  return nullptr;
}

// Names of standard output itself, which no file may replace: taken as "-".
bool NamesStandardOutput(const std::string& path) {
  return path == "/dev/stdout" || path == "/dev/fd/1" || path == "/proc/self/fd/1";
}

bool* FlagOption(Options& options, const std::string& name) {
  if (name == "--help" || name == "-h") return &options.help;
  if (name == "--list") return &options.list;
  if (name == "--trace") return &options.trace;
  if (name == "--window") return &options.window;
  if (name == "--compact") return &options.compact;
  return nullptr;
}

bool IsOption(const std::string& argument) { return argument.size() > 1 && argument[0] == '-'; }

// Steps named by a fixed word; any other word is a sub-command key.
std::optional<Step::Kind> FixedStep(std::string word) {
  for (char& c : word) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
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
        const std::optional<std::string> before = *value;
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
        if (before) {
          parsed.error =
              name + " is given twice ('" + *before + "', then '" + **value + "'); give it once";
          return parsed;
        }
        if ((name == "--output" || name == "--svg") && NamesStandardOutput(**value)) *value = "-";
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
  } else if (!options.help && options.picture_language && !options.picture_path) {
    parsed.error = "--svg-lang needs --svg: it sets the language of the picture";
  } else if (options.picture_language && *options.picture_language != "en" &&
             *options.picture_language != "ja") {
    parsed.error =
        "--svg-lang takes en (English) or ja (Japanese), not '" + *options.picture_language + "'";
  }
  return parsed;
}

std::string UsageText() {
  return "Usage: rowshift-host [OPTIONS] OUTLINE-FILE [STEP...]\n"
         "       rowshift-host --list [OPTIONS]\n"
         "\n"
         "Loads the stand-in host module and the Rowshift plug-in as the modeller would,\n"
         "builds a document from OUTLINE-FILE (\"-\": standard input), runs the steps in\n"
         "order and prints the document after each one. Each step's line gives the\n"
         "plug-in's answer as it is, then what changed in the document: the objects\n"
         "that moved (those that only travelled with a moved parent are not named),\n"
         "the current object, the empty slots left, or \"nothing changed\".\n"
         "\n"
         "Steps (words, keys, labels and flags are matched in any case):\n"
         "  KEY            run the plug-in's sub-command KEY (see --list), e.g. up, gather\n"
         "  click BUTTON   press a tool-window button, by its label as shown (\"up(&U)\"),\n"
         "                 its label without mnemonics or its first words (up, \"insert\n"
         "                 here\") or its position 0-5; the window must be shown\n"
         "  show, hide     switch the plug-in on or off (its window with it)\n"
         "  close          close the tool window as the user would\n"
         "\n"
         "Options:\n"
         "  --plugin PATH       the plug-in module\n"
         "  --host-module PATH  the stand-in host module, any copy of it\n"
         "                      (both by default from the folder of this program's own\n"
         "                      file, found through any links to it)\n"
         "  --settings FILE     keep the host's settings document in FILE between runs\n"
         "                      (a missing file starts empty; FILE must be writable,\n"
         "                      and a file, not \"-\")\n"
         "  --svg FILE          after the steps, draw the object list before and after\n"
         "                      them side by side as an SVG picture in FILE (of a large\n"
         "                      document, the rows that changed and a few around each)\n"
         "  --svg-lang LANG     with --svg: the picture's headings and legend in English\n"
         "                      (en, the default) or Japanese (ja); names stay as they are\n"
         "  --output FILE       write the resulting document to FILE as an outline; FILE\n"
         "                      may be the outline file itself, to edit it in place\n"
         "  --compact           print and write documents without their empty slots\n"
         "  --list              print the plug-in's sub-commands: key and title\n"
         "  --window            print the tool window's widgets after start-up and at the end\n"
         "  --trace             print every host call the plug-in made\n"
         "  --help              print this text\n"
         "\n"
         "FILE \"-\" (or /dev/stdout) for --svg or --output is standard output; the\n"
         "report then goes to standard error. A failed write to standard output ends\n"
         "the run with exit 1. An option is given once. --plugin and --host-module\n"
         "name files: a bare name is a file in the current folder. No two options may\n"
         "name one file (through links or not), nor --svg or --settings the outline\n"
         "file. Files are replaced whole, through a temporary file of a new name beside\n"
         "them, which is removed again if the run is interrupted; a replaced file keeps\n"
         "its owner, group and permission bits. A file with other hard links is refused\n"
         "(replacing it would split them; edit a copy), and so is one marked read-only.\n"
         "Files and standard input are read up to " +
         BytesInWords(kLargestFileRead) + ", and an outline up\nto " +
         CountInWords(kMostOutlineRows) +
         " rows: room for 1,000,000 objects with every flag, 100-byte names\n"
         "and 32 levels of indent. A larger one is refused, and a result that would be\n"
         "larger is not written, so every outline written reads again.\n"
         "\n"
         "Outline files: UTF-8 text, one row per line. Two spaces of indent per depth\n"
         "level, the first row at the left margin, each object at most one level below\n"
         "the object in front of it; then the name; then flags in brackets, any of\n"
         "current, selected, collapsed, ineligible (an ineligible object is passed over\n"
         "by every operation and keeps its parent; it only travels with its parent,\n"
         "unless it is the current object of up or down) and depth=N (a depth from 0\n"
         "stated instead of the indent). A line \"-\" is an empty slot, and\n"
         "\"- [current]\" one that the current object index names. A line\n"
         "starting with # is a comment; every outline written keeps those in front of\n"
         "the first row and drops, with a warning, those among the rows, which cannot\n"
         "follow a reorder; it keeps the line ends (LF or CR LF) and byte-order mark\n"
         "of the outline read. In a name, \\ takes the next character as it is:\n"
         "\\[ for a bracket, \\\\ for a backslash, \\# for a name starting with #; before\n"
         "any character but \\ [ ] # - and spaces it is refused. A name holds no\n"
         "control or invisible character (U+0085, U+200B, U+FEFF, ...). Printed\n"
         "documents are outlines and read back as they are.\n"
         "\n"
         "Every operation keeps the hierarchy: the list stays a valid tree, only what\n"
         "it moves changes parent, and insert, up and down never hide what they move\n"
         "under a collapsed object. Where the modeller refuses a copy, its object stays\n"
         "exactly as it was; descendants left behind are lowered under the object in\n"
         "front where they must be. The plug-in answers: insert -1 (no current object\n"
         "or no row), the current index (nothing to bring) or 1; up, down -1 (no\n"
         "current object) or 1; top, bottom 1; gather 0 (the current object is not\n"
         "selected, lies inside what it would gather, or nothing to gather) or 1.\n"
         "\n"
         "Exit codes: 0 every step ran; 1 a file, the plug-in or a step failed (the\n"
         "reason is printed; a settings file is then left as it was); 2 the command\n"
         "line is wrong: an option, step, sub-command or button it does not know, an\n"
         "option given twice, or two options naming one file.\n"
         "\n"
         "Example:\n"
         "  rowshift-host examples/scene.txt up up gather\n";
}

}  // namespace rowshift::tool
