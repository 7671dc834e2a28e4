// Every operation on many small random documents, and on every document of up
// to four objects: whatever the shape, no object is lost or doubled, moved
// objects keep their subtrees, results are among those the operation may give,
// no deleted object is touched, and the hierarchy holds:
//  - the list stays a valid outline (the first object at depth 0, none more
//    than one level below the object in front of it);
//  - only the objects the operation moves change parent;
//  - the operation does what it is for: top and bottom leave each moved object
//    at the top level, gather leaves each object it gathers directly under
//    the current object, judged by the real hierarchy, or changes nothing;
//  - insert, up and down never hide the object they move where it was a row;
//  - when no object was current, none is afterwards.
// The row search finds what a plain search, one slot and one ancestor walk at
// a time, finds.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <functional>
#include <map>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "engine/document.h"
#include "engine/operations.h"
#include "engine/rows.h"
#include "outline/outline.h"
#include "standin/document_control.h"
#include "standin/document_exports.h"
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
  std::set<int32_t> fixed_results;  // besides the current index for insert
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
  const outline::ParseResult parsed = outline::ParseOutline(document.ToOutline());
  std::vector<Slot> slots;
  for (std::size_t i = 0; i < parsed.rows.size(); ++i) {
    slots.push_back({document.ObjectInSlot(static_cast<int>(i)), parsed.rows[i]});
  }
  return slots;
}

// The descendants of the object in slot `index` by name, each with its depth
// relative to that object.
std::vector<std::pair<std::string, int>> Descendants(const std::vector<Slot>& slots,
                                                     std::size_t index) {
  std::vector<std::pair<std::string, int>> descendants;
  const int depth = slots[index].row.depth;
  for (std::size_t i = index + 1; i < slots.size(); ++i) {
    if (slots[i].row.empty) continue;
    if (slots[i].row.depth <= depth) break;
    descendants.emplace_back(slots[i].row.name, slots[i].row.depth - depth);
  }
  return descendants;
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

void CheckMovedSubtrees(const std::vector<Slot>& before, const std::vector<Slot>& after) {
  std::map<std::string, std::size_t> index_after;
  for (std::size_t i = 0; i < after.size(); ++i) {
    if (!after[i].row.empty) index_after[after[i].row.name] = i;
  }
  for (std::size_t i = 0; i < before.size(); ++i) {
    if (before[i].row.empty) continue;
    const std::size_t moved_to = index_after[before[i].row.name];
    if (after[moved_to].handle == before[i].handle) continue;
    // The old descendants follow the copy first, in order, at the same
    // relative depths; anything behind them is not the object's business.
    const auto old_descendants = Descendants(before, i);
    auto new_descendants = Descendants(after, moved_to);
    if (new_descendants.size() > old_descendants.size()) {
      new_descendants.resize(old_descendants.size());
    }
    EXPECT_EQ(new_descendants, old_descendants) << "descendants of " << before[i].row.name;
  }
}

// The hierarchy that a list encodes, read off its slots by name.
struct Hierarchy {
  bool valid =
      true;  // the first object at depth 0, none more than one level below the one in front
  std::map<std::string, std::string> parent;  // "" at the top level
  std::map<std::string, bool> hidden;         // under a collapsed object
  std::map<std::string, int> depth;
  // For each object, the objects in its subtree.
  std::map<std::string, std::set<std::string>> subtree;
};

Hierarchy ReadHierarchy(const std::vector<Slot>& slots) {
  Hierarchy hierarchy;
  std::vector<const outline::OutlineRow*> ancestors;  // nearest last
  int previous_depth = -1;
  for (const Slot& slot : slots) {
    const outline::OutlineRow& row = slot.row;
    if (row.empty) continue;
    hierarchy.valid = hierarchy.valid && row.depth <= previous_depth + 1;
    previous_depth = row.depth;
    while (!ancestors.empty() && ancestors.back()->depth >= row.depth) ancestors.pop_back();
    hierarchy.parent[row.name] = ancestors.empty() ? std::string() : ancestors.back()->name;
    bool hidden = false;
    for (const outline::OutlineRow* ancestor : ancestors) {
      hidden = hidden || ancestor->collapsed;
      hierarchy.subtree[ancestor->name].insert(row.name);
    }
    hierarchy.hidden[row.name] = hidden;
    hierarchy.depth[row.name] = row.depth;
    ancestors.push_back(&row);
  }
  return hierarchy;
}

bool IsRow(const Hierarchy& hierarchy, const outline::OutlineRow& row) {
  return !row.ineligible && !hierarchy.hidden.at(row.name);
}

// The objects that an operation moves on its own, judged from the list before
// it: only these may change parent.
struct Movers {
  std::set<std::string> names;
  bool gather_applies = false;  // a target, and something to gather
  std::string target;
};

// Selected, eligible objects that are not inside an earlier one of them.
std::set<std::string> OutermostSelected(const std::vector<Slot>& slots, const Hierarchy& hierarchy,
                                        const std::string& target) {
  std::set<std::string> outermost;
  std::set<std::string> inside;
  for (const Slot& slot : slots) {
    const outline::OutlineRow& row = slot.row;
    if (row.empty || row.ineligible || !row.selected || inside.count(row.name) != 0) continue;
    if (row.name == target) continue;
    outermost.insert(row.name);
    const auto subtree = hierarchy.subtree.find(row.name);
    if (subtree != hierarchy.subtree.end())
      inside.insert(subtree->second.begin(), subtree->second.end());
  }
  return outermost;
}

Movers FindMovers(testing::Operation operation, const std::vector<Slot>& slots,
                  const Hierarchy& hierarchy) {
  Movers movers;
  const std::string current = CurrentName(slots);
  if (operation == MoveUp || operation == MoveDown) {
    if (!current.empty()) movers.names.insert(current);
  } else if (operation == InsertFromBottom) {
    for (const Slot& slot : slots) {
      if (!slot.row.empty && IsRow(hierarchy, slot.row)) movers.names = {slot.row.name};
    }
  } else if (operation == GatherSelected) {
    movers.names = OutermostSelected(slots, hierarchy, current);
    const Slot* target = nullptr;
    for (const Slot& slot : slots) {
      if (!slot.row.empty && slot.row.current) target = &slot;
    }
    bool held = false;  // the target lies inside an object it would gather
    for (const std::string& name : movers.names) {
      held = held ||
             (hierarchy.subtree.count(name) != 0 && hierarchy.subtree.at(name).count(current) != 0);
    }
    movers.gather_applies = target != nullptr && !target->row.ineligible && target->row.selected &&
                            !held && !movers.names.empty();
    movers.target = current;
    if (!movers.gather_applies) movers.names.clear();
  } else {
    movers.names = OutermostSelected(slots, hierarchy, std::string());
  }
  return movers;
}

void CheckHierarchyKept(testing::Operation operation, int32_t result,
                        const std::vector<Slot>& before, const std::vector<Slot>& after) {
  const Hierarchy old_hierarchy = ReadHierarchy(before);
  const Hierarchy new_hierarchy = ReadHierarchy(after);
  const Movers movers = FindMovers(operation, before, old_hierarchy);
  EXPECT_TRUE(new_hierarchy.valid) << "not a valid outline";
  for (const auto& [name, parent] : old_hierarchy.parent) {
    if (movers.names.count(name) == 0) {
      EXPECT_EQ(new_hierarchy.parent.at(name), parent) << "the parent of " << name;
    }
  }
  if (operation == MoveToTop || operation == MoveToBottom) {
    for (const std::string& name : movers.names) {
      EXPECT_EQ(new_hierarchy.depth.at(name), 0) << name << " at the top level";
    }
  }
  if (operation == GatherSelected) {
    EXPECT_EQ(result, movers.gather_applies ? 1 : 0);
    for (const std::string& name : movers.names) {
      EXPECT_EQ(new_hierarchy.parent.at(name), movers.target) << name << " gathered";
    }
  }
  if (operation == InsertFromBottom || operation == MoveUp || operation == MoveDown) {
    for (const Slot& slot : before) {
      if (slot.row.empty || movers.names.count(slot.row.name) == 0) continue;
      if (IsRow(old_hierarchy, slot.row)) {
        EXPECT_FALSE(new_hierarchy.hidden.at(slot.row.name)) << slot.row.name << " hidden";
      }
    }
  }
  if (CurrentName(before).empty()) {
    EXPECT_EQ(CurrentName(after), "") << "an object became current";
  }
}

const NamedOperation kOperations[] = {
    {"insert", InsertFromBottom, {-1, 1}, false}, {"up", MoveUp, {-1, 1}, false},
    {"down", MoveDown, {-1, 1}, false},           {"top", MoveToTop, {1}, true},
    {"bottom", MoveToBottom, {1}, true},          {"gather", GatherSelected, {0, 1}, true},
};

// Runs one operation on one document and checks every promise.
void RunAndCheck(const NamedOperation& named, const std::string& outline) {
  SCOPED_TRACE(::testing::Message() << named.name << " on\n" << outline);
  standin::Document document;
  ASSERT_TRUE(document.LoadOutline(outline));
  const std::vector<Slot> before = ReadSlots(document);
  const int32_t result = named.operation(document.Handle());
  const std::vector<Slot> after = ReadSlots(document);

  std::set<int32_t> allowed = named.fixed_results;
  if (named.operation == InsertFromBottom) allowed.insert(CurrentIndex(before));
  EXPECT_EQ(allowed.count(result), 1u) << "result " << result;
  EXPECT_EQ(testing::SortedNames(document.ToOutline()), testing::SortedNames(outline));
  EXPECT_EQ(document.DeadObjectTouches(), 0);
  EXPECT_EQ(document.OrphanedClones(), 0);
  CheckMovedSubtrees(before, after);
  CheckHierarchyKept(named.operation, result, before, after);

  const bool moved = result == 1;
  if (!moved) {
    EXPECT_EQ(document.ToOutline(), outline) << "result " << result;
  }
  if (named.operation == MoveUp || named.operation == MoveDown) {
    EXPECT_EQ(result == -1, CurrentName(before).empty());
    if (moved) {
      EXPECT_EQ(CurrentName(after), CurrentName(before));
    }
  } else if (named.operation == InsertFromBottom || named.operation == GatherSelected) {
    EXPECT_EQ(CurrentName(after), CurrentName(before));
    EXPECT_EQ(CurrentIndex(after), CurrentIndex(before));
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

TEST(OperationPropertyTest, RandomDocumentsKeepEveryObjectSubtreeAndTheHierarchy) {
  testing::ScopedStandinBinding binding;
  // The call log is not looked at here and would only slow thousands of runs.
  standin::RecordDocumentCalls(false);
  std::mt19937 random(kSeed);
  for (int round = 0; round < kDocuments; ++round) {
    const std::string outline = RandomOutline(random);
    for (const NamedOperation& named : kOperations) RunAndCheck(named, outline);
  }
  standin::RecordDocumentCalls(true);
}

// Random documents find most faults; every small document finds the rest.
TEST(OperationPropertyTest, EverySmallDocumentKeepsEveryObjectSubtreeAndTheHierarchy) {
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
        if (unread_flag) continue;
        RunAndCheck(named, outline);
        ++runs;
      }
    });
  }
  standin::RecordDocumentCalls(true);
  ::testing::Test::RecordProperty("documents", documents);
  ::testing::Test::RecordProperty("runs", runs);
}

}  // namespace
}  // namespace rowshift
