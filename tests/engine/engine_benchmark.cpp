// Host calls and time of each reorder operation on stand-in documents of
// several shapes and sizes, printed as one table (scripts/bench.sh).
//
// Host calls are counted by wrappers bound in place of the stand-in's document
// exports. The least an operation must ask is taken as
//   2 + 2 x inspected + 5 x moved
// (the count and the current index; one object and one value per inspected
// object; copy, insert, index, delete and depth per moved object), where moved
// is the objects re-created (successful insertions) and inspected is every
// slot for top, bottom and gather, which must find every selected object, and
// for insert, up and down the moved objects, two rows (the row passed and the
// row that gives the new depth) and the document's greatest depth: the
// ancestors that telling whether one object is a row may have to read.
//
// Usage: engine_benchmark [SIZE...] (default 1000 10000 100000). A case is
// not run at the next size when, growing quadratically, it would take over
// half a minute there.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <memory>
#include <string>
#include <vector>

#include "boundary/host_functions.h"
#include "engine/operations.h"
#include "standin/call_log.h"
#include "standin/document_control.h"
#include "standin/document_exports.h"
#include "support/standin_in_process.h"

namespace rowshift {
namespace {

using Operation = int32_t (*)(void* document);

int64_t g_calls = 0;
int64_t g_insertions = 0;

// Counting stand-ins for the document entry points.
int32_t ROWSHIFT_CALL CountCount(void* d) { return ++g_calls, ::MQDoc_GetObjectCount(d); }
void* ROWSHIFT_CALL CountGet(void* d, int32_t i) { return ++g_calls, ::MQDoc_GetObject(d, i); }
int32_t ROWSHIFT_CALL CountIndex(void* d, void* o) {
  return ++g_calls, ::MQDoc_GetObjectIndex(d, o);
}
int32_t ROWSHIFT_CALL CountCurrent(void* d) { return ++g_calls, ::MQDoc_GetCurrentObjectIndex(d); }
int32_t ROWSHIFT_CALL CountSetCurrent(void* d, int32_t i) {
  return ++g_calls, ::MQDoc_SetCurrentObjectIndex(d, i);
}
void* ROWSHIFT_CALL CountParent(void* d, void* o) {
  return ++g_calls, ::MQDoc_GetParentObject(d, o);
}
int32_t ROWSHIFT_CALL CountChildren(void* d, void* o) {
  return ++g_calls, ::MQDoc_GetChildObjectCount(d, o);
}
int32_t ROWSHIFT_CALL CountInsert(void* d, void* o, void* a) {
  ++g_calls;
  const int32_t index = ::MQDoc_InsertObject(d, o, a);
  if (index >= 0) ++g_insertions;
  return index;
}
int32_t ROWSHIFT_CALL CountDelete(void* d, int32_t i) {
  return ++g_calls, ::MQDoc_DeleteObject(d, i);
}
void* ROWSHIFT_CALL CountClone(void* o) { return ++g_calls, ::MQObj_Clone(o); }
void ROWSHIFT_CALL CountFree(void* o) { ++g_calls, ::MQObj_Delete(o); }
int32_t ROWSHIFT_CALL CountValue(void* o, int32_t id) {
  return ++g_calls, ::MQObj_GetIntValue(o, id);
}
int32_t ROWSHIFT_CALL CountSetValue(void* o, int32_t id, int32_t v) {
  return ++g_calls, ::MQObj_SetIntValue(o, id, v);
}

void BindCountingFunctions() {
  HostFunctionTable& host = HostFunctions();
  host.MQDoc_GetObjectCount = CountCount;
  host.MQDoc_GetObject = CountGet;
  host.MQDoc_GetObjectIndex = CountIndex;
  host.MQDoc_GetCurrentObjectIndex = CountCurrent;
  host.MQDoc_SetCurrentObjectIndex = CountSetCurrent;
  host.MQDoc_GetParentObject = CountParent;
  host.MQDoc_GetChildObjectCount = CountChildren;
  host.MQDoc_InsertObject = CountInsert;
  host.MQDoc_DeleteObject = CountDelete;
  host.MQObj_Clone = CountClone;
  host.MQObj_Delete = CountFree;
  host.MQObj_GetIntValue = CountValue;
  host.MQObj_SetIntValue = CountSetValue;
}

struct Row {
  int depth = 0;
  bool current = false;
  bool selected = false;
  bool collapsed = false;
  bool ineligible = false;
};

using Shape = std::vector<Row> (*)(int n);

constexpr int kSelectedEvery = 10;

// Every tenth object selected, from the fifth on; the current one selected too, so that gather
// has a target.
std::vector<Row> WithSelection(std::vector<Row> rows, int current) {
  for (std::size_t i = kSelectedEvery / 2; i < rows.size(); i += kSelectedEvery) {
    rows[i].selected = true;
  }
  rows[static_cast<std::size_t>(current)].current = true;
  rows[static_cast<std::size_t>(current)].selected = true;
  return rows;
}

// A collapsed object with every other object hidden under it; the current
// object after the block.
std::vector<Row> HiddenBlock(int n) {
  std::vector<Row> rows(static_cast<std::size_t>(n), Row{1});
  rows.front() = Row{0, false, false, true};
  rows.back().depth = 0;
  return WithSelection(rows, n - 1);
}

// A collapsed object over a chain (object i at depth i); the current object
// after it.
std::vector<Row> CollapsedChain(int n) {
  std::vector<Row> rows(static_cast<std::size_t>(n));
  for (int i = 0; i < n; ++i) rows[static_cast<std::size_t>(i)].depth = i;
  rows.front().collapsed = true;
  rows.back().depth = 0;
  return WithSelection(rows, n - 1);
}

std::vector<Row> Flat(int n) { return WithSelection(std::vector<Row>(std::size_t(n)), n / 2); }

std::vector<Row> AllSelected(int n) {
  std::vector<Row> rows = Flat(n);
  for (Row& row : rows) row.selected = true;
  return rows;
}

// A binary tree in list order: each object's children follow it.
std::vector<Row> Balanced(int n) {
  std::vector<Row> rows;
  std::vector<std::pair<int, int>> stack{{0, 0}};  // (node number, depth)
  while (!stack.empty() && static_cast<int>(rows.size()) < n) {
    const auto [node, depth] = stack.back();
    stack.pop_back();
    if (node >= n) continue;
    rows.push_back(Row{depth});
    stack.push_back({2 * node + 2, depth + 1});
    stack.push_back({2 * node + 1, depth + 1});
  }
  return WithSelection(rows, n / 2);
}

// Top-level objects, each with one ineligible child: every landing place has
// an object behind it that belongs to the object in front of it.
std::vector<Row> IneligibleChildren(int n) {
  std::vector<Row> rows(static_cast<std::size_t>(n));
  for (std::size_t i = 1; i < rows.size(); i += 2) rows[i] = Row{1, false, false, false, true};
  return WithSelection(rows, n / 4 * 2);
}

std::vector<Row> DeepChain(int n) {
  std::vector<Row> rows(static_cast<std::size_t>(n));
  for (int i = 0; i < n; ++i) rows[static_cast<std::size_t>(i)].depth = i;
  return WithSelection(rows, n / 2);
}

std::string ToOutline(const std::vector<Row>& rows) {
  std::string text;
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const Row& row = rows[i];
    text += "O" + std::to_string(i) + " [depth=" + std::to_string(row.depth);
    if (row.current) text += " current";
    if (row.selected) text += " selected";
    if (row.collapsed) text += " collapsed";
    if (row.ineligible) text += " ineligible";
    text += "]\n";
  }
  return text;
}

struct Measure {
  bool run = false;
  int64_t calls = 0;
  double ratio = 0;
  double milliseconds = 0;
};

Measure RunOnce(const std::string& outline, int n, int greatest_depth, Operation operation,
                bool scans) {
  auto document = std::make_unique<standin::Document>();
  if (!document->LoadOutline(outline)) {
    std::fprintf(stderr, "a benchmark outline does not load\n");
    std::exit(1);
  }
  g_calls = 0;
  g_insertions = 0;
  // Processor time, so that other work on a shared machine does not count.
  const std::clock_t start = std::clock();
  operation(document->Handle());
  const std::clock_t stop = std::clock();
  Measure measure;
  measure.run = true;
  measure.calls = g_calls;
  const int64_t inspected = scans ? n : g_insertions + 2 + greatest_depth;
  measure.ratio = static_cast<double>(g_calls) / (2 + 2 * inspected + 5 * g_insertions);
  measure.milliseconds = 1000.0 * static_cast<double>(stop - start) / CLOCKS_PER_SEC;
  return measure;
}

struct NamedShape {
  const char* name;
  Shape shape;
};
struct NamedOperation {
  const char* name;
  Operation operation;
  bool scans;
};

constexpr double kLongestExpectedMilliseconds = 30000;

std::string Cell(const Measure& m, const char* format, double value) {
  if (!m.run) return "skipped";
  char text[64];
  std::snprintf(text, sizeof text, format, value);
  return text;
}

}  // namespace
}  // namespace rowshift

int main(int argc, char** argv) {
  using namespace rowshift;
  std::vector<int> sizes;
  for (int i = 1; i < argc; ++i) sizes.push_back(std::atoi(argv[i]));
  if (sizes.empty()) sizes = {1000, 10000, 100000};
  testing::BindStandinDocumentFunctions();
  BindCountingFunctions();
  standin::RecordDocumentCalls(false);
  standin::ClearCalls();

  const NamedShape shapes[] = {{"hidden block", HiddenBlock},
                               {"collapsed chain", CollapsedChain},
                               {"all selected", AllSelected},
                               {"flat", Flat},
                               {"balanced", Balanced},
                               {"deep chain", DeepChain},
                               {"ineligible children", IneligibleChildren}};
  const NamedOperation operations[] = {
      {"insert", InsertFromBottom, false}, {"up", MoveUp, false},
      {"down", MoveDown, false},           {"top", MoveToTop, true},
      {"bottom", MoveToBottom, true},      {"gather", GatherSelected, true}};

  std::string sizes_text;
  for (int n : sizes) sizes_text += (sizes_text.empty() ? "" : " / ") + std::to_string(n);
  std::printf(
      "| shape | op | host calls (%s) | ratio to least | ms per op (processor time) | call growth "
      "|\n",
      sizes_text.c_str());
  std::printf("|---|---|---|---|---|---|\n");
  for (const NamedShape& shape : shapes) {
    std::vector<std::string> outlines;
    std::vector<int> greatest_depths;
    for (int n : sizes) {
      const std::vector<Row> rows = shape.shape(n);
      outlines.push_back(ToOutline(rows));
      int greatest = 0;
      for (const Row& row : rows) greatest = std::max(greatest, row.depth);
      greatest_depths.push_back(greatest);
    }
    for (const NamedOperation& op : operations) {
      std::vector<Measure> measures;
      bool too_slow = false;
      for (std::size_t s = 0; s < sizes.size(); ++s) {
        if (too_slow) {
          measures.push_back({});
          continue;
        }
        measures.push_back(
            RunOnce(outlines[s], sizes[s], greatest_depths[s], op.operation, op.scans));
        if (s + 1 < sizes.size()) {
          const double growth = static_cast<double>(sizes[s + 1]) / sizes[s];
          too_slow = measures.back().milliseconds * growth * growth > kLongestExpectedMilliseconds;
        }
      }
      std::string calls, ratios, times;
      for (const Measure& m : measures) {
        const char* sep = calls.empty() ? "" : " / ";
        calls += sep + Cell(m, "%.0f", static_cast<double>(m.calls));
        ratios += sep + Cell(m, "%.2f", m.ratio);
        times += sep + Cell(m, "%.3f", m.milliseconds);
      }
      std::string growth = "-";
      if (measures.size() >= 2) {
        const Measure& a = measures[measures.size() - 2];
        const Measure& b = measures.back();
        const double size_ratio = static_cast<double>(sizes.back()) / sizes[sizes.size() - 2];
        if (a.run && b.run && a.calls > 0 && size_ratio > 1) {
          growth = Cell(b, "%.2f",
                        std::log(static_cast<double>(b.calls) / a.calls) / std::log(size_ratio));
        }
      }
      std::printf("| %s | %s | %s | %s | %s | %s |\n", shape.name, op.name, calls.c_str(),
                  ratios.c_str(), times.c_str(), growth.c_str());
      std::fflush(stdout);
    }
  }
  testing::UnbindHostFunctions();
  return 0;
}
