#include "tools/rowshift_host/rowshift_host_window.h"

#include <algorithm>
#include <cctype>

#include "boundary/host_protocol.h"
#include "standin/control_table.h"
#include "tools/rowshift_host/rowshift_host_printing.h"

namespace rowshift::tool {
namespace {

constexpr int kTreeIndent = 2;
constexpr std::size_t kMaxPositionDigits = 4;
// The host keeps parents and children as the plug-in attached them; a plug-in
// that attached a window into its own child would make the tree a loop, so
// walks stop this deep.
constexpr int kMaxTreeDepth = 32;

bool IsType(const standin::ControlTable& host, int32_t id, const char* type) {
  const std::optional<standin::WidgetInfo> widget = host.find_widget(id);
  return widget && widget->type == type;
}

void CollectButtons(const standin::ControlTable& host, int32_t id, int depth,
                    std::vector<WindowButton>* buttons) {
  const std::optional<standin::WidgetInfo> widget = host.find_widget(id);
  if (!widget || depth > kMaxTreeDepth) return;
  if (widget->type == kButtonType) {
    const auto text = widget->properties.find(kTextProperty);
    buttons->push_back({id, text == widget->properties.end() ? "" : text->second.text});
  }
  for (int32_t child : widget->children) CollectButtons(host, child, depth + 1, buttons);
}

std::string Lowered(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

// Whether `words` are the first words of `text`: "insert here" of "insert here
// from bottom".
bool StartsWithWords(const std::string& text, const std::string& words) {
  return !words.empty() && text.compare(0, words.size(), words) == 0 &&
         (text.size() == words.size() || text[words.size()] == ' ');
}

// A label as words to compare: without mnemonics, in lower case, a line
// break, a '/' and runs of spaces each one space: "insert here from bottom".
std::string Words(const std::string& label) {
  std::string words;
  for (char c : Lowered(LabelWithoutMnemonics(label))) {
    const bool gap = c == ' ' || c == '/' || c == '\n';
    if (!gap) {
      words += c;
    } else if (!words.empty() && words.back() != ' ') {
      words += ' ';
    }
  }
  if (!words.empty() && words.back() == ' ') words.pop_back();
  return words;
}

// A button's position, written in digits; longer numbers name no button.
bool IsPosition(const std::string& text) {
  return !text.empty() && text.size() <= kMaxPositionDigits &&
         std::all_of(text.begin(), text.end(),
                     [](unsigned char c) { return std::isdigit(c) != 0; });
}

void DescribeWidget(const standin::ControlTable& host, int32_t id, int depth, std::string* text) {
  const std::optional<standin::WidgetInfo> widget = host.find_widget(id);
  if (!widget || depth > kMaxTreeDepth) return;
  *text += std::string(static_cast<std::size_t>(depth * kTreeIndent), ' ') + widget->type + " #" +
           std::to_string(id);
  for (const auto& [name, value] : widget->properties) {
    *text += "  " + name + "=" + DescribeWidgetValue(host.widget_value_text(value));
  }
  std::vector<std::string> events;
  for (const standin::WidgetHook& hook : host.widget_hooks(id)) {
    if (std::find(events.begin(), events.end(), hook.type) == events.end()) {
      events.push_back(hook.type);
    }
  }
  if (!events.empty()) {
    *text += "  on:";
    for (const std::string& event : events) *text += " " + event;
  }
  *text += "\n";
  for (int32_t child : widget->children) DescribeWidget(host, child, depth + 1, text);
}

}  // namespace

std::optional<int32_t> FindToolWindow(const standin::ControlTable& host) {
  const int32_t main_window = host.main_window_id();
  if (const std::optional<standin::WidgetInfo> main = host.find_widget(main_window)) {
    for (int32_t child : main->children) {
      if (IsType(host, child, kWindowType)) return child;
    }
  }
  for (int32_t id : host.widget_ids()) {
    if (id != main_window && IsType(host, id, kWindowType)) return id;
  }
  return std::nullopt;
}

bool IsWindowVisible(const standin::ControlTable& host, int32_t window_id) {
  const std::optional<standin::WidgetInfo> window = host.find_widget(window_id);
  if (!window) return false;
  const auto visible = window->properties.find(kVisibleProperty);
  return visible != window->properties.end() &&
         visible->second.kind == standin::WidgetValueKind::Bool && visible->second.bool_value;
}

std::vector<WindowButton> ButtonsOf(const standin::ControlTable& host, int32_t window_id) {
  std::vector<WindowButton> buttons;
  CollectButtons(host, window_id, 0, &buttons);
  return buttons;
}

std::string LabelWithoutMnemonics(const std::string& label) {
  std::string plain;
  for (std::size_t i = 0; i < label.size(); ++i) {
    const char c = label[i];
    // "(&X)": kept as X inside a word ("(&H)ere"), dropped after one ("up(&U)").
    if (c == '(' && i + 3 < label.size() && label[i + 1] == '&' && label[i + 3] == ')') {
      const bool inside_word =
          i + 4 < label.size() && std::isalpha(static_cast<unsigned char>(label[i + 4]));
      if (inside_word) plain += label[i + 2];
      i += 3;
    } else if (c == '&' && i + 1 < label.size()) {
      plain += label[++i];
    } else {
      plain += c == '\n' ? ' ' : c;
    }
  }
  return plain;
}

std::optional<WindowButton> FindButton(const std::vector<WindowButton>& buttons,
                                       const std::string& wanted) {
  if (IsPosition(wanted)) {
    const std::size_t position = std::stoul(wanted);
    if (position < buttons.size()) return buttons[position];
    return std::nullopt;
  }
  const std::string typed = Lowered(wanted);
  for (const WindowButton& button : buttons) {
    if (Lowered(button.label) == typed || Lowered(LabelAsItReads(button.label)) == typed) {
      return button;
    }
  }
  const std::string words = Words(wanted);
  for (const WindowButton& button : buttons) {
    if (Words(button.label) == words) return button;
  }
  for (const WindowButton& button : buttons) {
    if (StartsWithWords(Words(button.label), words)) return button;
  }
  return std::nullopt;
}

std::string LabelAsItReads(const std::string& label) {
  std::string line;
  for (char c : label) line += c == '\n' ? std::string(" / ") : std::string(1, c);
  return line;
}

std::string DescribeWidgetTree(const standin::ControlTable& host, int32_t widget_id) {
  std::string text;
  DescribeWidget(host, widget_id, 0, &text);
  return text;
}

}  // namespace rowshift::tool
