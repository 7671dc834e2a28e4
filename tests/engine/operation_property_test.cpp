// Every operation on many small random documents, and on every document of up
// to four objects, also with each insertion the operation makes refused in
// turn. Each run is checked against what the operation is for, worked out
// from the document before it:
//  - its answer, exactly;
//  - where the objects it moves stand afterwards: up and down in front of the
//    row they step past, insert behind the current object (or its hidden
//    block), top at the front, bottom behind every other eligible object,
//    gather as the current object's first children, each in its order and
//    with its descendants behind it at their relative depths;
//  - the object that was current is current afterwards, none where none was;
//  - nothing lost or doubled, no deleted object touched, no call outside the
//    host's contract, and the hierarchy holds: the list stays an outline,
//    every object that nothing moves keeps its parent, and insert, up and
//    down never hide what they move where it was a row;
//  - where the host refuses a copy, the object it was made from stays exactly
//    as it was, and the descendants left behind by a refused descendant only
//    go up in the hierarchy;
//  - where the operation has nothing to do, nothing changes.
// The row search finds what a plain search, one slot and one ancestor walk at
// a time, finds.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <map>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "boundary/host_functions.h"
#include "engine/document.h"
#include "engine/operations.h"
#include "engine/rows.h"
#include "outline/outline.h"
#include "standin/document_control.h"
#include "standin/document_exports.h"
#include "standin/host_call_control.h"
#include "support/outline_run.h"
#include "support/standin_in_process.h"

namespace rowshift {
namespace {

constexpr int kDocuments = 3000;
constexpr int kMostSlots = 9;
constexpr unsigned kSeed = 20261207;
constexpr double kEmptySlotChance = 0.1;
constexpr double kSelectedChance = 0.35;
constexpr double kCollapsedChance = 0.25;
constexpr double kIneligibleChance = 1.0 / 3;
constexpr double kCurrentAtAnEndChance = 0.3;
// Every document of up to this many objects; ROWSHIFT_EXHAUSTIVE_OBJECTS
// raises it for a run by hand (5 takes minutes).
constexpr int kExhaustiveObjects = 4;

struct NamedOperation {
  const char* name;
  testing::Operation operation;
  // Top, bottom and gather read Selected and never Collapsed; insert, up and
  // down the other way round.
  bool works_on_selection;
};

// One slot as a test sees it: the handle tells whether the object was re-created.
struct Slot {
  void* handle = nullptr;
  outline::OutlineRow row;
};

std::string RandomOutline(std::mt19937& random) {
  std::uniform_int_distribution<int> slot_count(0, kMostSlots);
  std::bernoulli_distribution empty(kEmptySlotChance), selected(kSelectedChance),
      collapsed(kCollapsedChance), ineligible(kIneligibleChance);
  const int slots = slot_count(random);
  int current = std::uniform_int_distribution<int>(-1, slots - 1)(random);
  // Wraps happen at the ends of the list.
  if (slots > 0 && std::bernoulli_distribution(kCurrentAtAnEndChance)(random)) {
    current = std::bernoulli_distribution(0.5)(random) ? 0 : slots - 1;
  }
  std::vector<outline::OutlineRow> rows;
  int previous_depth = -1;
  for (int i = 0; i < slots; ++i) {
    outline::OutlineRow row;
    row.current = i == current;
    if (empty(random)) {
      row.empty = true;
    } else {
      row.name = "O" + std::to_string(i);
      row.depth = std::uniform_int_distribution<int>(0, previous_depth + 1)(random);
      row.selected = selected(random);
      row.collapsed = collapsed(random);
      row.ineligible = ineligible(random);
      previous_depth = row.depth;
    }
    rows.push_back(row);
  }
  return outline::FormatOutline(rows);
}

std::vector<Slot> ReadSlots(const standin::Document& document) {
  // Read as it stands, also where it is no longer an outline: the checks say so.
  outline::ParseOptions as_it_stands;
  as_it_stands.allow_depth_jumps = true;
  const outline::ParseResult parsed = outline::ParseOutline(document.ToOutline(), as_it_stands);
  std::vector<Slot> slots;
  for (std::size_t i = 0; i < parsed.rows.size(); ++i) {
    slots.push_back({document.ObjectInSlot(static_cast<int>(i)), parsed.rows[i]});
  }
  return slots;
}

// The hierarchy that a list encodes, read off its slots by name.
struct Hierarchy {
  bool valid =
      true;  // the first object at depth 0, none more than one level below the one in front
  std::map<std::string, std::string> parent;  // "" at the top level
  std::map<std::string, bool> hidden;         // under a collapsed object
  std::map<std::string, int> depth;
  std::map<std::string, int> index;
  std::map<std::string, std::vector<std::string>> descendants;  // in list order
  std::vector<std::string> names;                               // in list order
};

// `expanded`, when named, counts as not collapsed.
Hierarchy ReadHierarchy(const std::vector<Slot>& slots, const std::string& expanded = "") {
  Hierarchy hierarchy;
  std::vector<const outline::OutlineRow*> ancestors;  // nearest last
  int previous_depth = -1;
  for (std::size_t i = 0; i < slots.size(); ++i) {
    const outline::OutlineRow& row = slots[i].row;
    if (row.empty) continue;
    hierarchy.valid = hierarchy.valid && row.depth <= previous_depth + 1;
    previous_depth = row.depth;
    while (!ancestors.empty() && ancestors.back()->depth >= row.depth) ancestors.pop_back();
    hierarchy.parent[row.name] = ancestors.empty() ? std::string() : ancestors.back()->name;
    bool hidden = false;
    for (const outline::OutlineRow* ancestor : ancestors) {
      hidden = hidden || (ancestor->collapsed && ancestor->name != expanded);
      hierarchy.descendants[ancestor->name].push_back(row.name);
    }
    hierarchy.hidden[row.name] = hidden;
    hierarchy.depth[row.name] = row.depth;
    hierarchy.index[row.name] = static_cast<int>(i);
    hierarchy.names.push_back(row.name);
    ancestors.push_back(&row);
  }
  return hierarchy;
}

std::map<std::string, const outline::OutlineRow*> RowsByName(const std::vector<Slot>& slots) {
  std::map<std::string, const outline::OutlineRow*> rows;
  for (const Slot& slot : slots) {
    if (!slot.row.empty) rows[slot.row.name] = &slot.row;
  }
  return rows;
}

std::vector<std::string> DescendantsOf(const Hierarchy& hierarchy, const std::string& name) {
  const auto found = hierarchy.descendants.find(name);
  return found == hierarchy.descendants.end() ? std::vector<std::string>() : found->second;
}

bool Contains(const std::vector<std::string>& names, const std::string& name) {
  return std::find(names.begin(), names.end(), name) != names.end();
}

// The rows of a list in order.
std::vector<std::string> Rows(const std::vector<Slot>& slots, const Hierarchy& hierarchy) {
  std::vector<std::string> rows;
  for (const Slot& slot : slots) {
    if (!slot.row.empty && !slot.row.ineligible && !hierarchy.hidden.at(slot.row.name)) {
      rows.push_back(slot.row.name);
    }
  }
  return rows;
}

// The first row of `rows` behind `name` and its descendants; "" when none.
std::string RowBehindGroup(const std::vector<std::string>& rows, const Hierarchy& hierarchy,
                           const std::string& name) {
  const std::vector<std::string> group = DescendantsOf(hierarchy, name);
  const int end = group.empty() ? hierarchy.index.at(name) : hierarchy.index.at(group.back());
  for (const std::string& row : rows) {
    if (hierarchy.index.at(row) > end) return row;
  }
  return std::string();
}

std::string CurrentName(const std::vector<Slot>& slots) {
  for (const Slot& slot : slots) {
    if (slot.row.current) return slot.row.empty ? std::string() : slot.row.name;
  }
  return std::string();
}

int CurrentIndex(const std::vector<Slot>& slots) {
  for (std::size_t i = 0; i < slots.size(); ++i) {
    if (slots[i].row.current) return static_cast<int>(i);
  }
  return -1;
}

// What an operation is for, worked out from the document before it.
struct Promise {
  int32_t result = 0;
  // The objects it moves on their own, in list order.
  std::vector<std::string> movers;
  // Up and down: the row the mover lands in front of ("" at the end of the
  // list); insert: the row behind the current object (or its hidden block),
  // leaving out the mover's group. Unchecked where `wraps_onto_itself`.
  std::string row_behind;
  bool wraps_onto_itself = false;
  // Insert: the object the mover lands behind, at least.
  std::string anchor;
  // Gather: the target.
  std::string target;
};

// Selected, eligible objects that are not inside an earlier one of them, the
// target left out; `holds_target` is set when one of them holds it.
std::vector<std::string> OutermostSelected(const std::vector<Slot>& slots,
                                           const Hierarchy& hierarchy, const std::string& target,
                                           bool* holds_target = nullptr) {
  std::vector<std::string> outermost;
  std::set<std::string> inside;
  for (const Slot& slot : slots) {
    const outline::OutlineRow& row = slot.row;
    if (row.empty || row.ineligible || !row.selected || inside.count(row.name) != 0) continue;
    if (row.name == target) continue;
    outermost.push_back(row.name);
    for (const std::string& descendant : DescendantsOf(hierarchy, row.name)) {
      inside.insert(descendant);
      if (holds_target != nullptr && descendant == target) *holds_target = true;
    }
  }
  return outermost;
}

Promise PromiseOf(testing::Operation operation, const std::vector<Slot>& slots) {
  const Hierarchy hierarchy = ReadHierarchy(slots);
  const auto rows_by_name = RowsByName(slots);
  const std::vector<std::string> rows = Rows(slots, hierarchy);
  const std::string current = CurrentName(slots);
  Promise promise;
  if (operation == MoveUp || operation == MoveDown) {
    promise.result = current.empty() ? -1 : 1;
    if (current.empty()) return promise;
    promise.movers = {current};
    const std::vector<std::string> group = DescendantsOf(hierarchy, current);
    if (operation == MoveUp) {
      for (const std::string& row : rows) {
        if (hierarchy.index.at(row) < hierarchy.index.at(current)) promise.row_behind = row;
      }
    } else {
      const std::string next = RowBehindGroup(rows, hierarchy, current);
      if (next.empty()) {
        promise.row_behind = rows.empty() ? std::string() : rows.front();
      } else {
        const auto after_next = std::find(rows.begin(), rows.end(), next) + 1;
        promise.row_behind = after_next == rows.end() ? std::string() : *after_next;
      }
    }
    promise.wraps_onto_itself =
        promise.row_behind == current || Contains(group, promise.row_behind);
  } else if (operation == InsertFromBottom) {
    promise.result = -1;
    if (current.empty() || rows.empty()) return promise;
    const std::string last_row = rows.back();
    if (last_row == current || Contains(DescendantsOf(hierarchy, last_row), current)) {
      promise.result = CurrentIndex(slots);
      return promise;
    }
    promise.result = 1;
    promise.movers = {last_row};
    promise.anchor = current;
    const std::vector<std::string> current_group = DescendantsOf(hierarchy, current);
    if (rows_by_name.at(current)->collapsed && !current_group.empty()) {
      for (const std::string& name : current_group) {
        if (!rows_by_name.at(name)->ineligible) promise.anchor = name;
      }
    }
    const std::vector<std::string> moving = DescendantsOf(hierarchy, last_row);
    for (const std::string& row : rows) {
      if (hierarchy.index.at(row) > hierarchy.index.at(promise.anchor) && row != last_row &&
          !Contains(moving, row)) {
        promise.row_behind = row;
        break;
      }
    }
  } else if (operation == GatherSelected) {
    bool holds_target = false;
    promise.movers = OutermostSelected(slots, hierarchy, current, &holds_target);
    const outline::OutlineRow* target = current.empty() ? nullptr : rows_by_name.at(current);
    const bool applies = target != nullptr && !target->ineligible && target->selected &&
                         !holds_target && !promise.movers.empty();
    promise.result = applies ? 1 : 0;
    if (!applies) promise.movers.clear();
    promise.target = current;
  } else {
    promise.result = 1;
    promise.movers = OutermostSelected(slots, hierarchy, std::string());
  }
  return promise;
}

// The object whose copy was refused, as the run sees it.
struct Refusal {
  std::string refused;                // "" when no copy was refused
  bool of_a_mover = false;            // else of a descendant of `mover`
  std::string mover;                  // the mover whose group it is in
  std::set<std::string> left_behind;  // the refused descendant and those after it
};

Refusal ReadRefusal(const std::string& refused, const Promise& promise, const Hierarchy& before) {
  Refusal refusal;
  refusal.refused = refused;
  if (refused.empty()) return refusal;
  for (const std::string& mover : promise.movers) {
    if (mover == refused) {
      refusal.of_a_mover = true;
      refusal.mover = mover;
      return refusal;
    }
    const std::vector<std::string> group = DescendantsOf(before, mover);
    const auto found = std::find(group.begin(), group.end(), refused);
    if (found != group.end()) {
      refusal.mover = mover;
      refusal.left_behind.insert(found, group.end());
      return refusal;
    }
  }
  ADD_FAILURE() << "the refused copy " << refused << " is of no object the operation moves";
  return refusal;
}

// `name` and its descendants as placed: those that were not left behind.
std::vector<std::string> PlacedGroup(const Hierarchy& before, const Refusal& refusal,
                                     const std::string& name) {
  std::vector<std::string> group = {name};
  for (const std::string& descendant : DescendantsOf(before, name)) {
    if (refusal.left_behind.count(descendant) == 0) group.push_back(descendant);
  }
  return group;
}

// The names that stand in the list from `start` on, as many as `expected`.
std::vector<std::string> NamesFrom(const Hierarchy& after, int start, std::size_t count) {
  std::vector<std::string> names;
  for (std::size_t i = static_cast<std::size_t>(start);
       i < after.names.size() && names.size() < count; ++i) {
    names.push_back(after.names[i]);
  }
  return names;
}

void CheckWhatItIsFor(testing::Operation operation, const Promise& promise,
                      const std::vector<Slot>& before_slots, const std::vector<Slot>& after_slots,
                      const Refusal& refusal) {
  const Hierarchy before = ReadHierarchy(before_slots);
  std::vector<std::string> placed;
  for (const std::string& mover : promise.movers) {
    if (!(refusal.of_a_mover && mover == refusal.refused)) placed.push_back(mover);
  }
  const Hierarchy after = ReadHierarchy(after_slots);
  // Each placed mover is followed by its descendants at their relative depths.
  for (const std::string& mover : placed) {
    const std::vector<std::string> group = PlacedGroup(before, refusal, mover);
    const int at = static_cast<int>(std::find(after.names.begin(), after.names.end(), mover) -
                                    after.names.begin());
    EXPECT_EQ(NamesFrom(after, at, group.size()), group) << mover << "'s group";
    for (const std::string& name : group) {
      EXPECT_EQ(after.depth.at(name) - after.depth.at(mover),
                before.depth.at(name) - before.depth.at(mover))
          << name << " relative to " << mover;
    }
  }
  const auto position = [&after](const std::string& name) {
    return static_cast<int>(std::find(after.names.begin(), after.names.end(), name) -
                            after.names.begin());
  };
  const auto group_end = [&](const std::string& mover) {
    return position(mover) + static_cast<int>(PlacedGroup(before, refusal, mover).size());
  };
  if (operation == MoveToTop && !placed.empty()) {
    std::vector<std::string> front;
    for (const std::string& mover : placed) {
      const std::vector<std::string> group = PlacedGroup(before, refusal, mover);
      front.insert(front.end(), group.begin(), group.end());
    }
    EXPECT_EQ(NamesFrom(after, 0, front.size()), front) << "the group at the front";
  }
  if (operation == MoveToBottom && !placed.empty()) {
    std::set<std::string> in_groups;
    for (const std::string& mover : placed) {
      for (const std::string& name : PlacedGroup(before, refusal, mover)) in_groups.insert(name);
    }
    const auto rows = RowsByName(after_slots);
    for (std::size_t i = static_cast<std::size_t>(position(placed.front())); i < after.names.size();
         ++i) {
      const std::string& name = after.names[i];
      EXPECT_TRUE(in_groups.count(name) != 0 || rows.at(name)->ineligible)
          << name << " stands behind the group";
    }
    for (std::size_t m = 1; m < placed.size(); ++m) {
      EXPECT_LT(position(placed[m - 1]), position(placed[m])) << "bottom keeps the order";
    }
  }
  if (operation == MoveToTop || operation == MoveToBottom) {
    for (const std::string& mover : placed) {
      EXPECT_EQ(after.depth.at(mover), 0) << mover << " at the top level";
    }
  }
  if (operation == MoveToTop) {
    // Each is placed behind the one before it or at the front, never on its
    // own place: every one is a new object, also one already at the front.
    std::map<std::string, void*> handle_before;
    for (const Slot& slot : before_slots) {
      if (!slot.row.empty) handle_before[slot.row.name] = slot.handle;
    }
    for (const Slot& slot : after_slots) {
      if (!slot.row.empty && Contains(placed, slot.row.name)) {
        EXPECT_NE(slot.handle, handle_before.at(slot.row.name)) << slot.row.name << " re-created";
      }
    }
  }
  if (operation == GatherSelected && !placed.empty()) {
    std::vector<std::string> children;
    for (const std::string& mover : placed) {
      const std::vector<std::string> group = PlacedGroup(before, refusal, mover);
      children.insert(children.end(), group.begin(), group.end());
      EXPECT_EQ(after.parent.at(mover), promise.target) << mover << " gathered";
    }
    EXPECT_EQ(NamesFrom(after, position(promise.target) + 1, children.size()), children)
        << "the target's first children";
  }
  if ((operation == MoveUp || operation == MoveDown || operation == InsertFromBottom) &&
      !placed.empty()) {
    const std::string& mover = placed.front();
    const Hierarchy seen = ReadHierarchy(after_slots, mover);
    const std::vector<std::string> rows = Rows(after_slots, seen);
    if (!promise.wraps_onto_itself) {
      std::string behind;
      for (const std::string& row : rows) {
        if (position(row) >= group_end(mover) && refusal.left_behind.count(row) == 0) {
          behind = row;
          break;
        }
      }
      EXPECT_EQ(behind, promise.row_behind) << "the row behind " << mover;
    }
    if (operation == InsertFromBottom) {
      EXPECT_GT(position(mover), position(promise.anchor)) << mover << " behind the anchor";
    }
  }
}

void CheckHierarchyKept(const Promise& promise, const std::vector<Slot>& before_slots,
                        const std::vector<Slot>& after_slots, const Refusal& refusal) {
  const Hierarchy before = ReadHierarchy(before_slots);
  const Hierarchy after = ReadHierarchy(after_slots);
  EXPECT_TRUE(after.valid) << "not a valid outline";
  for (const auto& [name, parent] : before.parent) {
    const bool moved = Contains(promise.movers, name) && name != refusal.refused;
    if (!moved && refusal.left_behind.count(name) == 0) {
      EXPECT_EQ(after.parent.at(name), parent) << "the parent of " << name;
    }
  }
  for (const std::string& name : refusal.left_behind) {
    EXPECT_LE(after.depth.at(name), before.depth.at(name)) << name << " left behind";
  }
  if (refusal.of_a_mover) {
    EXPECT_EQ(after.depth.at(refusal.refused), before.depth.at(refusal.refused))
        << refusal.refused << " refused";
  }
}

// Whether each object kept its handle, as it must where nothing moved it.
void CheckUntouched(const std::vector<Slot>& before_slots, const std::vector<Slot>& after_slots,
                    const Refusal& refusal, const Hierarchy& before) {
  std::map<std::string, void*> handle_after;
  for (const Slot& slot : after_slots) {
    if (!slot.row.empty) handle_after[slot.row.name] = slot.handle;
  }
  std::set<std::string> untouched = refusal.left_behind;
  if (refusal.of_a_mover) {
    untouched.insert(refusal.refused);
    for (const std::string& name : DescendantsOf(before, refusal.refused)) untouched.insert(name);
  }
  for (const Slot& slot : before_slots) {
    if (!slot.row.empty && untouched.count(slot.row.name) != 0) {
      EXPECT_EQ(handle_after.at(slot.row.name), slot.handle) << slot.row.name << " re-created";
    }
  }
}

const NamedOperation kOperations[] = {
    {"insert", InsertFromBottom, false}, {"up", MoveUp, false},
    {"down", MoveDown, false},           {"top", MoveToTop, true},
    {"bottom", MoveToBottom, true},      {"gather", GatherSelected, true},
};

// Runs one operation on one document, with its n-th insertion refused (0:
// none), checks every promise, and answers how many insertions it made.
int RunAndCheck(const NamedOperation& named, const std::string& outline, int refused = 0) {
  SCOPED_TRACE(::testing::Message() << named.name << ", insertion " << refused << " refused, on\n"
                                    << outline);
  standin::Document document;
  EXPECT_TRUE(document.LoadOutline(outline));
  const std::vector<Slot> before = ReadSlots(document);
  const Promise promise = PromiseOf(named.operation, before);
  document.FailNthInsertion(refused);
  standin::ResetHostCalls();
  const int32_t result = named.operation(document.Handle());
  const int insertions = standin::CallCount(standin::EntryPoint::MQDoc_InsertObject);
  const std::vector<Slot> after = ReadSlots(document);
  const Refusal refusal = ReadRefusal(document.RefusedInsertion(), promise, ReadHierarchy(before));

  EXPECT_EQ(result, promise.result);
  EXPECT_EQ(testing::SortedNames(document.ToOutline()), testing::SortedNames(outline));
  EXPECT_EQ(document.DeadObjectTouches(), 0);
  EXPECT_EQ(document.OrphanedClones(), 0);
  EXPECT_EQ(document.CallsOutsideContract(), 0);
  EXPECT_EQ(CurrentName(after), CurrentName(before)) << "the current object";
  if (promise.movers.empty() || (refusal.of_a_mover && promise.movers.size() == 1)) {
    EXPECT_EQ(document.ToOutline(), outline) << "nothing to do, or nothing done";
  }
  CheckWhatItIsFor(named.operation, promise, before, after, refusal);
  CheckHierarchyKept(promise, before, after, refusal);
  CheckUntouched(before, after, refusal, ReadHierarchy(before));
  return insertions;
}

// Runs one operation on one document as it is, then once for each insertion
// it made with that insertion refused.
void RunWithEachRefusal(const NamedOperation& named, const std::string& outline, int* runs) {
  const int insertions = RunAndCheck(named, outline);
  ++*runs;
  for (int refused = 1; refused <= insertions; ++refused) {
    RunAndCheck(named, outline, refused);
    ++*runs;
  }
}

// The document calls of the engine; a host may refuse each of them.
constexpr standin::EntryPoint kDocumentCalls[] = {
    standin::EntryPoint::MQDoc_GetObjectCount,
    standin::EntryPoint::MQDoc_GetObject,
    standin::EntryPoint::MQDoc_GetCurrentObjectIndex,
    standin::EntryPoint::MQDoc_SetCurrentObjectIndex,
    standin::EntryPoint::MQDoc_DeleteObject,
    standin::EntryPoint::MQDoc_GetObjectIndex,
    standin::EntryPoint::MQDoc_GetParentObject,
    standin::EntryPoint::MQDoc_GetChildObjectCount,
    standin::EntryPoint::MQDoc_InsertObject,
    standin::EntryPoint::MQObj_Delete,
    standin::EntryPoint::MQObj_Clone,
    standin::EntryPoint::MQObj_GetIntValue,
    standin::EntryPoint::MQObj_SetIntValue,
};

// Whether an operation may answer `result` on a document whose current index
// is `current`, whatever the host answered it.
bool MayAnswer(testing::Operation operation, int32_t result, int current) {
  if (operation == MoveToTop || operation == MoveToBottom) return result == kDone;
  if (operation == GatherSelected) return result == kDone || result == kNothingToGather;
  return result == kDone || result == kNoObjectToMove ||
         (operation == InsertFromBottom && result == current);
}

// Runs one operation on one document with the n-th call of `failing` refused
// and checks what holds whatever the host answers: an answer the operation
// may give, nothing lost or doubled, no deleted object touched, no copy left
// outside the document, no call outside the contract, and an outline. Answers
// how many calls of `failing` the operation made.
int RunWithRefusedCall(const NamedOperation& named, const std::string& outline,
                       standin::EntryPoint failing, int n) {
  SCOPED_TRACE(::testing::Message() << named.name << ", " << standin::EntryPointName(failing) << " "
                                    << n << " refused, on\n"
                                    << outline);
  standin::Document document;
  EXPECT_TRUE(document.LoadOutline(outline));
  const int current = CurrentIndex(ReadSlots(document));
  standin::ResetHostCalls();
  standin::FailNthCall(failing, n);
  const int32_t result = named.operation(document.Handle());
  const int calls = standin::CallCount(failing);
  standin::ResetHostCalls();
  EXPECT_TRUE(MayAnswer(named.operation, result, current)) << result;
  EXPECT_EQ(testing::SortedNames(document.ToOutline()), testing::SortedNames(outline));
  EXPECT_EQ(document.DeadObjectTouches(), 0);
  EXPECT_EQ(document.OrphanedClones(), 0);
  EXPECT_EQ(document.CallsOutsideContract(), 0);
  EXPECT_TRUE(ReadHierarchy(ReadSlots(document)).valid) << "not a valid outline:\n"
                                                        << document.ToOutline();
  return calls;
}

// Each call of each kind that an operation makes, refused in turn.
void RunWithEachRefusedCall(const std::string& outline) {
  for (const NamedOperation& named : kOperations) {
    for (const standin::EntryPoint failing : kDocumentCalls) {
      for (int n = 1; !::testing::Test::HasFailure(); ++n) {
        if (RunWithRefusedCall(named, outline, failing, n) <= n) break;
      }
    }
  }
}

// Calls `visit` with every document of `objects` objects: every valid depth
// shape, every combination of eligible, selected and collapsed, and the
// current index on none, on each object, and on an empty slot behind them.
void ForEachSmallDocument(
    int objects, const std::function<void(const std::vector<outline::OutlineRow>&)>& visit) {
  std::vector<outline::OutlineRow> rows(objects);
  for (int i = 0; i < objects; ++i) rows[i].name = std::string(1, static_cast<char>('A' + i));
  const std::function<void(int)> shape = [&](int i) {
    if (i < objects) {
      const int deepest = i == 0 ? 0 : rows[i - 1].depth + 1;
      for (rows[i].depth = 0; rows[i].depth <= deepest; ++rows[i].depth) shape(i + 1);
      return;
    }
    constexpr int kFlagsPerObject = 3;
    for (int flags = 0; flags < 1 << (kFlagsPerObject * objects); ++flags) {
      for (int o = 0; o < objects; ++o) {
        rows[o].ineligible = (flags >> (kFlagsPerObject * o) & 1) != 0;
        rows[o].selected = (flags >> (kFlagsPerObject * o + 1) & 1) != 0;
        rows[o].collapsed = (flags >> (kFlagsPerObject * o + 2) & 1) != 0;
      }
      for (int current = -1; current <= objects; ++current) {
        std::vector<outline::OutlineRow> document = rows;
        if (current == objects) {
          outline::OutlineRow empty_slot;
          empty_slot.empty = true;
          document.push_back(empty_slot);
        }
        if (current >= 0) document[current].current = true;
        visit(document);
      }
    }
  };
  shape(0);
}

// The row search at its plainest: step one slot at a time, walk every
// ancestor of each eligible object met, go on from a hidden one.
Object PlainFindRow(const Document& document, int32_t index, RowDirection direction) {
  const int32_t step = direction == RowDirection::Forward ? 1 : -1;
  for (; index >= 0 && index < document.ObjectCount(); index += step) {
    const Object object = document.ObjectAt(index);
    if (object == nullptr || !document.Flag(object, ObjectValueId::Eligible)) continue;
    bool hidden = false;
    for (Object up = document.Parent(object); up != nullptr; up = document.Parent(up)) {
      hidden = hidden || document.Flag(up, ObjectValueId::Collapsed);
    }
    if (!hidden) return object;
  }
  return nullptr;
}

TEST(OperationPropertyTest, RowSearchFindsWhatAPlainSearchFinds) {
  testing::ScopedStandinBinding binding;
  standin::RecordDocumentCalls(false);
  std::mt19937 random(kSeed);
  for (int round = 0; round < kDocuments; ++round) {
    const std::string outline = RandomOutline(random);
    standin::Document standin;
    ASSERT_TRUE(standin.LoadOutline(outline));
    const Document document(standin.Handle());
    const int32_t count = standin.SlotCount();
    for (int32_t start = -1; start <= count; ++start) {
      for (const RowDirection direction : {RowDirection::Forward, RowDirection::Backward}) {
        SCOPED_TRACE(::testing::Message() << "from slot " << start << " on\n" << outline);
        EXPECT_EQ(FindRow(document, start, direction, count).object,
                  PlainFindRow(document, start, direction));
      }
    }
  }
  standin::RecordDocumentCalls(true);
}

// A host whose contract leaves the answer of a deletion or a write unused may
// answer anything there: these do their work and answer 0.
int32_t ROWSHIFT_CALL DeleteAnsweringZero(void* document, int32_t index) {
  MQDoc_DeleteObject(document, index);
  return 0;
}
int32_t ROWSHIFT_CALL SetCurrentAnsweringZero(void* document, int32_t index) {
  MQDoc_SetCurrentObjectIndex(document, index);
  return 0;
}
int32_t ROWSHIFT_CALL SetValueAnsweringZero(void* object, int32_t value_id, int32_t value) {
  MQObj_SetIntValue(object, value_id, value);
  return 0;
}

TEST(OperationPropertyTest, RandomDocumentsGetWhatEachOperationIsFor) {
  testing::ScopedStandinBinding binding;
  // The call log is not looked at here and would only slow thousands of runs.
  standin::RecordDocumentCalls(false);
  for (const bool unused_answers_zero : {false, true}) {
    SCOPED_TRACE(unused_answers_zero ? "deletions and writes answered 0"
                                     : "the stand-in's answers");
    if (unused_answers_zero) {
      HostFunctions().MQDoc_DeleteObject = &DeleteAnsweringZero;
      HostFunctions().MQDoc_SetCurrentObjectIndex = &SetCurrentAnsweringZero;
      HostFunctions().MQObj_SetIntValue = &SetValueAnsweringZero;
    }
    std::mt19937 random(kSeed);
    for (int round = 0; round < kDocuments && !HasFailure(); ++round) {
      const std::string outline = RandomOutline(random);
      for (const NamedOperation& named : kOperations) {
        const int insertions = RunAndCheck(named, outline);
        if (insertions > 0) {
          RunAndCheck(named, outline, std::uniform_int_distribution<int>(1, insertions)(random));
        }
      }
    }
  }
  standin::RecordDocumentCalls(true);
  standin::ResetHostCalls();
}

// A host may refuse any call: a read then answers as for no object or a value
// never written, a write or a deletion does nothing. The list stays an outline
// with every object, on every document of up to two objects and on random
// ones, whichever call is refused.
TEST(OperationPropertyTest, ARefusedHostCallLeavesAnOutlineWithEveryObject) {
  constexpr int kMostObjects = 2;
  constexpr int kRandomDocuments = 150;
  testing::ScopedStandinBinding binding;
  standin::RecordDocumentCalls(false);
  for (int objects = 0; objects <= kMostObjects; ++objects) {
    ForEachSmallDocument(objects, [](const std::vector<outline::OutlineRow>& rows) {
      RunWithEachRefusedCall(outline::FormatOutline(rows));
    });
  }
  std::mt19937 random(kSeed);
  for (int round = 0; round < kRandomDocuments && !HasFailure(); ++round) {
    RunWithEachRefusedCall(RandomOutline(random));
  }
  standin::RecordDocumentCalls(true);
}

// Random documents find most faults; every small document, with each of the
// operation's insertions refused in turn, finds the rest.
TEST(OperationPropertyTest, EverySmallDocumentGetsWhatEachOperationIsForWhateverTheHostRefuses) {
  int most_objects = kExhaustiveObjects;
  if (const char* raised = std::getenv("ROWSHIFT_EXHAUSTIVE_OBJECTS"))
    most_objects = std::atoi(raised);
  testing::ScopedStandinBinding binding;
  standin::RecordDocumentCalls(false);
  int documents = 0;
  int runs = 0;
  for (int objects = 0; objects <= most_objects; ++objects) {
    ForEachSmallDocument(objects, [&](const std::vector<outline::OutlineRow>& rows) {
      if (HasFailure()) return;  // one document's failures are enough to read
      ++documents;
      const auto any = [&rows](bool outline::OutlineRow::*flag) {
        for (const outline::OutlineRow& row : rows) {
          if (row.*flag) return true;
        }
        return false;
      };
      const std::string outline = outline::FormatOutline(rows);
      // Each operation meets every combination of the flags it reads.
      for (const NamedOperation& named : kOperations) {
        const bool unread_flag = named.works_on_selection ? any(&outline::OutlineRow::collapsed)
                                                          : any(&outline::OutlineRow::selected);
        if (!unread_flag) RunWithEachRefusal(named, outline, &runs);
      }
    });
  }
  standin::RecordDocumentCalls(true);
  standin::ResetHostCalls();
  ::testing::Test::RecordProperty("documents", documents);
  ::testing::Test::RecordProperty("runs", runs);
}

}  // namespace
}  // namespace rowshift
