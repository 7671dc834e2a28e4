#include "standin/slot_tree.h"

#include <algorithm>
#include <limits>

namespace standin {
namespace {

// Deeper than any object, so that no depth bound ever finds an empty slot.
constexpr int64_t kEmptyDepth = std::numeric_limits<int64_t>::max();

}  // namespace

void SlotTree::Clear() {
  nodes_.clear();
  root_ = kNone;
}

int64_t SlotTree::LeastOf(int32_t node) const {
  return node == kNone ? kEmptyDepth : nodes_[Index(node)].least;
}

void SlotTree::Update(int32_t node) {
  Node& n = nodes_[Index(node)];
  n.left_size = SizeOf(n.left);
  n.size = 1 + n.left_size + SizeOf(n.right);
  n.least = std::min({n.depth, LeastOf(n.left), LeastOf(n.right)});
}

// Sizes do not change here, so the walk ends where the least depth stays.
void SlotTree::UpdateUpwards(int32_t node) {
  for (; node != kNone; node = nodes_[Index(node)].parent) {
    const int64_t least = nodes_[Index(node)].least;
    Update(node);
    if (nodes_[Index(node)].least == least) return;
  }
}

uint32_t SlotTree::NextPriority() {
  // xorshift32: a fixed sequence, so a document's shape never depends on a run.
  seed_ ^= seed_ << 13;
  seed_ ^= seed_ >> 17;
  seed_ ^= seed_ << 5;
  return seed_;
}

// Lifts `node` above its parent, keeping the order of the slots.
void SlotTree::RotateUp(int32_t node) {
  const int32_t parent = nodes_[Index(node)].parent;
  const int32_t grandparent = nodes_[Index(parent)].parent;
  Node& n = nodes_[Index(node)];
  Node& p = nodes_[Index(parent)];
  if (p.left == node) {
    p.left = n.right;
    if (n.right != kNone) nodes_[Index(n.right)].parent = parent;
    n.right = parent;
  } else {
    p.right = n.left;
    if (n.left != kNone) nodes_[Index(n.left)].parent = parent;
    n.left = parent;
  }
  p.parent = node;
  n.parent = grandparent;
  if (grandparent == kNone) {
    root_ = node;
  } else {
    Node& g = nodes_[Index(grandparent)];
    (g.left == parent ? g.left : g.right) = node;
  }
  Update(parent);
  Update(node);
}

int32_t SlotTree::InsertAt(int32_t index, ObjectRecord* object, int32_t depth) {
  const int32_t node = static_cast<int32_t>(nodes_.size());
  Node fresh;
  fresh.object = object;
  fresh.depth = object == nullptr ? kEmptyDepth : depth;
  fresh.least = fresh.depth;
  fresh.priority = NextPriority();
  nodes_.push_back(fresh);
  if (root_ == kNone) {
    root_ = node;
    return node;
  }
  // Down to the empty place at that position, counting the new slot into
  // each subtree passed, then up again by priority.
  int32_t at = root_;
  int32_t remaining = std::clamp(index, 0, Size());
  for (;;) {
    Node& n = nodes_[Index(at)];
    ++n.size;
    n.least = std::min(n.least, fresh.depth);
    const bool left = remaining <= n.left_size;
    int32_t& child = left ? n.left : n.right;
    if (left) {
      ++n.left_size;
    } else {
      remaining -= n.left_size + 1;
    }
    if (child == kNone) {
      child = node;
      nodes_[Index(node)].parent = at;
      break;
    }
    at = child;
  }
  while (nodes_[Index(node)].parent != kNone &&
         nodes_[Index(nodes_[Index(node)].parent)].priority < nodes_[Index(node)].priority) {
    RotateUp(node);
  }
  return node;
}

int32_t SlotTree::NodeAt(int32_t index) const {
  if (index < 0 || index >= Size()) return kNone;
  int32_t at = root_;
  for (;;) {
    const Node& n = nodes_[Index(at)];
    if (index == n.left_size) return at;
    if (index < n.left_size) {
      at = n.left;
    } else {
      index -= n.left_size + 1;
      at = n.right;
    }
  }
}

ObjectRecord* SlotTree::ObjectAt(int32_t index) const {
  const int32_t node = NodeAt(index);
  return node == kNone ? nullptr : nodes_[Index(node)].object;
}

int32_t SlotTree::DepthAt(int32_t index) const {
  const int32_t node = NodeAt(index);
  return node == kNone ? 0 : static_cast<int32_t>(nodes_[Index(node)].depth);
}

int32_t SlotTree::IndexOfNode(int32_t node) const {
  int32_t index = nodes_[Index(node)].left_size;
  for (int32_t parent = nodes_[Index(node)].parent; parent != kNone;
       node = parent, parent = nodes_[Index(node)].parent) {
    const Node& p = nodes_[Index(parent)];
    if (p.right == node) index += p.left_size + 1;
  }
  return index;
}

void SlotTree::Empty(int32_t node) {
  nodes_[Index(node)].object = nullptr;
  nodes_[Index(node)].depth = kEmptyDepth;
  UpdateUpwards(node);
}

void SlotTree::SetDepth(int32_t node, int32_t depth) {
  nodes_[Index(node)].depth = depth;
  UpdateUpwards(node);
}

// Each search goes down one path, looking into a side subtree only when its
// least depth promises a hit there.
int32_t SlotTree::LastShallower(int32_t node, int32_t offset, int32_t end, int64_t depth) const {
  if (node == kNone || offset >= end || LeastOf(node) >= depth) return kNone;
  const Node& n = nodes_[Index(node)];
  const int32_t position = offset + n.left_size;
  if (position + 1 < end) {
    const int32_t found = LastShallower(n.right, position + 1, end, depth);
    if (found != kNone) return found;
  }
  if (position < end && n.depth < depth) return position;
  return LastShallower(n.left, offset, end, depth);
}

int32_t SlotTree::FirstAtMost(int32_t node, int32_t offset, int32_t start, int64_t depth) const {
  if (node == kNone || offset + SizeOf(node) <= start || LeastOf(node) > depth) return kNone;
  const Node& n = nodes_[Index(node)];
  const int32_t position = offset + n.left_size;
  if (start < position) {
    const int32_t found = FirstAtMost(n.left, offset, start, depth);
    if (found != kNone) return found;
  }
  if (position >= start && n.depth <= depth) return position;
  return FirstAtMost(n.right, position + 1, start, depth);
}

int32_t SlotTree::LastShallowerBefore(int32_t end, int32_t depth) const {
  return LastShallower(root_, 0, end, depth);
}

int32_t SlotTree::FirstAtMostFrom(int32_t start, int32_t depth) const {
  return FirstAtMost(root_, 0, start, depth);
}

std::vector<ObjectRecord*> SlotTree::InOrder() const {
  std::vector<ObjectRecord*> slots;
  slots.reserve(static_cast<std::size_t>(Size()));
  std::vector<int32_t> stack;
  for (int32_t at = root_; at != kNone || !stack.empty();) {
    if (at != kNone) {
      stack.push_back(at);
      at = nodes_[Index(at)].left;
      continue;
    }
    at = stack.back();
    stack.pop_back();
    slots.push_back(nodes_[Index(at)].object);
    at = nodes_[Index(at)].right;
  }
  return slots;
}

}  // namespace standin
