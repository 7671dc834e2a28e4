// Every operation on many small random documents: whatever the shape, no
// object is lost or doubled, moved objects keep their subtrees, results are
// among those the operation may give, and no deleted object is touched. The
// row search finds what a plain search, one slot and one ancestor walk at a
// time, finds.
#include <gtest/gtest.h>

#include <cstdint>
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
constexpr double kIneligibleChance = 0.2;

struct NamedOperation {
  const char* name;
  testing::Operation operation;
  std::set<int32_t> fixed_results;  // besides the current index for insert
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
  const int current = std::uniform_int_distribution<int>(-1, slots - 1)(random);
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

TEST(OperationPropertyTest, RandomDocumentsKeepEveryObjectAndEverySubtree) {
  const NamedOperation operations[] = {
      {"insert", InsertFromBottom, {-1, 1}}, {"up", MoveUp, {-1, 1}},
      {"down", MoveDown, {-1, 1}},           {"top", MoveToTop, {1}},
      {"bottom", MoveToBottom, {1}},         {"gather", GatherSelected, {0, 1}},
  };
  testing::ScopedStandinBinding binding;
  // The call log is not looked at here and would only slow thousands of runs.
  standin::RecordDocumentCalls(false);
  std::mt19937 random(kSeed);
  for (int round = 0; round < kDocuments; ++round) {
    const std::string outline = RandomOutline(random);
    for (const NamedOperation& named : operations) {
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
  }
  standin::RecordDocumentCalls(true);
}

}  // namespace
}  // namespace rowshift
