// Time of each reorder operation on a stand-in document of 10,000 objects,
// with the call log off so that recording does not dominate.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "engine/operations.h"
#include "standin/call_log.h"
#include "standin/document_control.h"
#include "support/outline_run.h"
#include "support/standin_in_process.h"

namespace rowshift {
namespace {

constexpr int kGroups = 2500;  // four objects each: 10,000 objects
constexpr int kCurrentGroup = kGroups / 2;
constexpr int kSelectedEvery = 10;
constexpr int kCollapsedEvery = 3;

// Groups of a top-level object, a child with a grandchild, and a second child.
// Every tenth group is selected, every third collapsed; the middle group is
// current (and selected, so that gather has a target).
std::string LargeOutline() {
  std::string text;
  for (int group = 0; group < kGroups; ++group) {
    const std::string name = "G" + std::to_string(group);
    std::string flags;
    if (group == kCurrentGroup) flags += " current";
    if (group % kSelectedEvery == 0 || group == kCurrentGroup) flags += " selected";
    if (group % kCollapsedEvery == 0) flags += " collapsed";
    text += name + (flags.empty() ? "" : " [" + flags.substr(1) + "]") + "\n";
    text += "  " + name + "a\n";
    text += "    " + name + "a1\n";
    text += "  " + name + "b\n";
  }
  return text;
}

void RunOperation(benchmark::State& state, testing::Operation operation) {
  testing::BindStandinDocumentFunctions();
  standin::RecordDocumentCalls(false);
  standin::ClearCalls();
  const std::string outline = LargeOutline();
  for (auto _ : state) {
    state.PauseTiming();
    auto document = std::make_unique<standin::Document>();
    if (!document->LoadOutline(outline)) {
      state.SkipWithError("the benchmark outline does not load");
      break;
    }
    state.ResumeTiming();
    benchmark::DoNotOptimize(operation(document->Handle()));
    state.PauseTiming();
    document.reset();
    state.ResumeTiming();
  }
  standin::RecordDocumentCalls(true);
  testing::UnbindHostFunctions();
}

void BM_InsertFromBottom(benchmark::State& state) { RunOperation(state, InsertFromBottom); }
void BM_MoveUp(benchmark::State& state) { RunOperation(state, MoveUp); }
void BM_MoveDown(benchmark::State& state) { RunOperation(state, MoveDown); }
void BM_MoveToTop(benchmark::State& state) { RunOperation(state, MoveToTop); }
void BM_MoveToBottom(benchmark::State& state) { RunOperation(state, MoveToBottom); }
void BM_GatherSelected(benchmark::State& state) { RunOperation(state, GatherSelected); }

BENCHMARK(BM_InsertFromBottom)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_MoveUp)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_MoveDown)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_MoveToTop)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MoveToBottom)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GatherSelected)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace rowshift

BENCHMARK_MAIN();
