#include "tools/settings_file/settings_file_tree.h"

#include <sstream>
#include <utility>
#include <vector>

namespace rowshift::tool {
namespace {

constexpr char kIndent[] = "  ";
// Deeper files are written without indentation, which would otherwise grow
// with the square of their depth.
constexpr int kDeepestIndentedLevel = 32;

bool IsText(const pugi::xml_node& node) {
  return node.type() == pugi::node_pcdata || node.type() == pugi::node_cdata;
}

// An element's text is all its text children together; none when it has none.
std::optional<std::string> TextOf(const pugi::xml_node& element) {
  std::optional<std::string> text;
  for (pugi::xml_node child : element.children()) {
    if (IsText(child)) text = text.value_or("") + child.value();
  }
  return text;
}

std::vector<pugi::xml_node> ElementChildren(const pugi::xml_node& element) {
  std::vector<pugi::xml_node> children;
  for (pugi::xml_node child : element.children()) {
    if (child.type() == pugi::node_element) children.push_back(child);
  }
  return children;
}

// Builds the tree below the element the walk starts from. A node the walk
// meets at depth d (the start's children are at 0) belongs to open_[d].
class TreeBuilder : public pugi::xml_tree_walker {
 public:
  explicit TreeBuilder(standin::SettingsNode* root) : open_{root} {}

  bool for_each(pugi::xml_node& node) override {
    const auto level = static_cast<std::size_t>(depth());
    if (node.type() != pugi::node_element && !IsText(node)) return true;
    // Elements deeper than this node's parent are finished.
    open_.resize(level + 1);
    standin::SettingsNode* parent = open_[level];
    if (IsText(node)) {
      if (!parent->text) parent->text.emplace();
      parent->text->append(node.value());
    } else {
      parent->children.push_back(standin::SettingsNode{node.name(), std::nullopt, {}});
      open_.push_back(&parent->children.back());
    }
    return true;
  }

 private:
  std::vector<standin::SettingsNode*> open_;
};

// The deepest level of an element below the element the walk starts from,
// which is level 1.
class DeepestLevel : public pugi::xml_tree_walker {
 public:
  bool for_each(pugi::xml_node& node) override {
    // The start's children stand at depth 0, level 2.
    if (node.type() == pugi::node_element && depth() + 2 > deepest_) deepest_ = depth() + 2;
    return true;
  }

  int Deepest() const { return deepest_; }

 private:
  int deepest_ = 1;
};

bool SameText(const std::optional<std::string>& a, const std::optional<std::string>& b,
              EmptyText empty) {
  if (empty == EmptyText::kIsText) return a == b;
  return a.value_or("") == b.value_or("");
}

}  // namespace

standin::SettingsNode SettingsTreeOf(const pugi::xml_node& root) {
  standin::SettingsNode tree{root.name(), std::nullopt, {}};
  TreeBuilder builder(&tree);
  pugi::xml_node start = root;
  start.traverse(builder);
  return tree;
}

void MergeInto(pugi::xml_node top, const standin::SettingsNode& wanted) {
  std::vector<std::pair<pugi::xml_node, const standin::SettingsNode*>> pending{{top, &wanted}};
  while (!pending.empty()) {
    auto [element, node] = pending.back();
    pending.pop_back();
    if (TextOf(element).value_or("") != node->text.value_or("")) {
      for (pugi::xml_node child = element.first_child(); child;) {
        const pugi::xml_node next = child.next_sibling();
        if (IsText(child)) element.remove_child(child);
        child = next;
      }
      if (node->text && !node->text->empty()) {
        element.prepend_child(pugi::node_pcdata).set_value(node->text->c_str());
      }
    }
    const std::vector<pugi::xml_node> present = ElementChildren(element);
    std::size_t i = 0;
    for (; i < node->children.size(); ++i) {
      const standin::SettingsNode& child = node->children[i];
      pugi::xml_node target;
      if (i >= present.size()) {
        target = element.append_child(child.name.c_str());
      } else if (child.name == present[i].name()) {
        target = present[i];
      } else {
        target = element.insert_child_before(child.name.c_str(), present[i]);
        element.remove_child(present[i]);
      }
      pending.emplace_back(target, &child);
    }
    for (; i < present.size(); ++i) element.remove_child(present[i]);
  }
}

std::string SavedText(const pugi::xml_document& document, pugi::xml_encoding encoding,
                      bool byte_order_mark) {
  DeepestLevel deepest;
  pugi::xml_node root = document.document_element();
  root.traverse(deepest);
  const unsigned layout =
      deepest.Deepest() <= kDeepestIndentedLevel ? pugi::format_indent : pugi::format_raw;
  std::ostringstream text;
  document.save(text, kIndent, layout | (byte_order_mark ? pugi::format_write_bom : 0), encoding);
  return text.str();
}

std::optional<std::string> FirstDifference(const standin::SettingsNode& a,
                                           const standin::SettingsNode& b, EmptyText empty) {
  // Each pair with the index of its parents' pair, to name the path.
  struct Pair {
    const standin::SettingsNode* a;
    const standin::SettingsNode* b;
    std::size_t parent;
  };
  constexpr std::size_t kNoParent = static_cast<std::size_t>(-1);
  std::vector<Pair> seen;
  std::vector<std::size_t> pending{0};
  seen.push_back({&a, &b, kNoParent});
  while (!pending.empty()) {
    const std::size_t at = pending.back();
    pending.pop_back();
    const Pair pair = seen[at];
    if (pair.a->name != pair.b->name || !SameText(pair.a->text, pair.b->text, empty) ||
        pair.a->children.size() != pair.b->children.size()) {
      std::string path;
      for (std::size_t step = at; step != kNoParent; step = seen[step].parent) {
        path.insert(0, (seen[step].parent == kNoParent ? "<" : "/<") + seen[step].a->name + ">");
      }
      return path;
    }
    // Last child first, so the first child is compared first.
    for (std::size_t i = pair.a->children.size(); i-- > 0;) {
      pending.push_back(seen.size());
      seen.push_back({&pair.a->children[i], &pair.b->children[i], at});
    }
  }
  return std::nullopt;
}

}  // namespace rowshift::tool
