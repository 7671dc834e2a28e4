// The plug-in's tool window as the stand-in host holds it: finding it and its
// buttons, and printing its widget tree. Each reads the widgets of the host
// module whose controls it is given.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace standin {
struct ControlTable;
}

namespace rowshift::tool {

// The tool window: the first window attached to the host's main window, or
// any other window when none is attached. Nothing when the plug-in built none.
std::optional<int32_t> FindToolWindow(const standin::ControlTable& host);

bool IsWindowVisible(const standin::ControlTable& host, int32_t window_id);

struct WindowButton {
  int32_t id = 0;
  std::string label;  // as shown, UTF-8, mnemonics included: "up(&U)"
};

// The window's buttons in tree order (depth first, children in order), which
// is the order the window shows them in.
std::vector<WindowButton> ButtonsOf(const standin::ControlTable& host, int32_t window_id);

// The button that `wanted` names, in any case: its position ("0"), its label
// as shown ("up(&U)", "DOWN(&d)"), its label without mnemonics ("up", "insert
// Here from bottom", with a space or a '/' for the line break) or its first
// words ("insert", "insert here"). Nothing when none matches.
std::optional<WindowButton> FindButton(const std::vector<WindowButton>& buttons,
                                       const std::string& wanted);

// "insert (&H)ere\nfrom bottom" -> "insert Here from bottom"; "up(&U)" -> "up".
std::string LabelWithoutMnemonics(const std::string& label);

// A label on one line as it reads on the button, a line break as " / ":
// "insert (&H)ere / from bottom".
std::string LabelAsItReads(const std::string& label);

// The widget and everything under it, one widget a line: type, id, properties
// in name order, the events it is hooked to; children indented below it.
std::string DescribeWidgetTree(const standin::ControlTable& host, int32_t widget_id);

}  // namespace rowshift::tool
