// The slots of a stand-in document as a balanced tree in list order, so that
// every document call is answered in logarithmic time: the slot at an index,
// the index of a slot, an insertion that shifts every later slot, and the
// nearest slot before or after an index whose depth is below a bound (parent
// and child look-ups).
//
// A randomized search tree keyed by position: each node is one slot and keeps
// the size of its subtree and the least depth in it; an empty slot counts as
// deeper than any object. Nodes are never removed (a deletion only empties a
// slot), so a node's number names its slot for the life of the tree.
#pragma once

#include <cstdint>
#include <vector>

namespace standin {

struct ObjectRecord;

class SlotTree {
 public:
  static constexpr int32_t kNone = -1;

  int32_t Size() const { return root_ == kNone ? 0 : nodes_[Index(root_)].size; }
  void Clear();

  // Opens a slot at `index` (0 to Size()), shifting the later ones; answers
  // the new slot's node. `depth` is ignored for an empty slot (null object).
  int32_t InsertAt(int32_t index, ObjectRecord* object, int32_t depth);

  // The object in the slot at `index` (null when empty or out of range).
  ObjectRecord* ObjectAt(int32_t index) const;
  // The current index of a node's slot.
  int32_t IndexOfNode(int32_t node) const;

  // Empties a node's slot.
  void Empty(int32_t node);
  // A new depth for the object in a node's slot.
  void SetDepth(int32_t node, int32_t depth);

  // The last index below `end` whose object is shallower than `depth`, or kNone.
  int32_t LastShallowerBefore(int32_t end, int32_t depth) const;
  // The first index at or after `start` whose object's depth is at most
  // `depth`, or kNone.
  int32_t FirstAtMostFrom(int32_t start, int32_t depth) const;
  // The depth of the object at `index` (that slot must hold one).
  int32_t DepthAt(int32_t index) const;

  // Every slot in order (null for an empty one).
  std::vector<ObjectRecord*> InOrder() const;

 private:
  struct Node {
    ObjectRecord* object = nullptr;
    int64_t depth = 0;  // kEmptyDepth for an empty slot
    int64_t least = 0;  // least depth in the subtree
    int32_t size = 1;
    int32_t left_size = 0;  // kept here so that a walk reads no child to find a position
    int32_t left = kNone;
    int32_t right = kNone;
    int32_t parent = kNone;
    uint32_t priority = 0;
  };

  static std::size_t Index(int32_t node) { return static_cast<std::size_t>(node); }
  int32_t SizeOf(int32_t node) const { return node == kNone ? 0 : nodes_[Index(node)].size; }
  int64_t LeastOf(int32_t node) const;
  void Update(int32_t node);
  void UpdateUpwards(int32_t node);
  void RotateUp(int32_t node);
  int32_t NodeAt(int32_t index) const;
  int32_t LastShallower(int32_t node, int32_t offset, int32_t end, int64_t depth) const;
  int32_t FirstAtMost(int32_t node, int32_t offset, int32_t start, int64_t depth) const;
  uint32_t NextPriority();

  std::vector<Node> nodes_;
  int32_t root_ = kNone;
  uint32_t seed_ = 2463534242u;
};

}  // namespace standin
