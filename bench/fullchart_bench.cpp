// The full chart (Tree) on the generated 29,900-person file: selection,
// layout, pages and composition for all relatives of a well-connected
// person, and for the descendants of that person's earliest ancestor on the
// father's line. The file is generated and loaded once.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "GedcomGenerator.h"
#include "charts/full/FullChart.h"
#include "data/DataSource.h"
#include "data/RecordStore.h"

namespace {

constexpr std::int32_t kIndividuals = 29'900;
constexpr std::uint32_t kSeed = 1;

struct Loaded {
  dv::RecordStore store;
  bool ok = false;
  std::int32_t relative = 0;  // the person with the most generations of ancestors
  std::int32_t earliest = 0;  // the top of that person's father's line

  Loaded() {
    std::string summary;
    ok = dv::LoadDataSourceBytes(store, dv::bench::GenerateGedcom(kIndividuals, kSeed),
                                 dv::LoadOptions{}, summary) == 0;
    if (!ok) return;
    // Generations of ancestors of each person (memoised, file order).
    const std::int32_t n = store.IndividualCount();
    std::vector<int> depth(std::size_t(n) + 1, -1);
    std::vector<std::int32_t> stack;
    auto parentsOf = [&](std::int32_t i, std::vector<std::int32_t>& out) {
      out.clear();
      const dv::IndividualSummary* p = store.Individual(i);
      const dv::FamilySummary* f = p ? store.Family(p->parentFamily) : nullptr;
      if (f == nullptr) return;
      if (f->husband) out.push_back(f->husband);
      if (f->wife) out.push_back(f->wife);
    };
    std::vector<std::int32_t> parents;
    for (std::int32_t i = 1; i <= n; ++i) {
      if (depth[std::size_t(i)] >= 0) continue;
      stack.push_back(i);
      while (!stack.empty()) {
        const std::int32_t top = stack.back();
        parentsOf(top, parents);
        bool ready = true;
        int d = 0;
        for (std::int32_t q : parents) {
          if (depth[std::size_t(q)] < 0) {
            if (depth[std::size_t(q)] == -1) {
              depth[std::size_t(q)] = -2;  // on the stack (a loop counts as no parent)
              stack.push_back(q);
              ready = false;
            }
          } else {
            d = std::max(d, depth[std::size_t(q)] + 1);
          }
        }
        if (!ready) continue;
        depth[std::size_t(top)] = d;
        stack.pop_back();
      }
    }
    for (std::int32_t i = 1; i <= n; ++i)
      if (relative == 0 || depth[std::size_t(i)] > depth[std::size_t(relative)]) relative = i;
    // The earliest ancestor: of the relative's ancestors without parents,
    // the one with the most families among his or her descendants.
    auto descendantFamilies = [&](std::int32_t person) {
      std::vector<bool> seen(std::size_t(store.FamilyCount()) + 1, false);
      std::vector<std::int32_t> todo{person};
      int count = 0;
      while (!todo.empty()) {
        const std::int32_t x = todo.back();
        todo.pop_back();
        for (std::int32_t f : store.FamiliesOf(x)) {
          if (f <= 0 || seen[std::size_t(f)]) continue;
          seen[std::size_t(f)] = true;
          ++count;
          if (const dv::FamilySummary* fs = store.Family(f))
            for (std::int32_t c : fs->children)
              if (c != 0) todo.push_back(c);
        }
      }
      return count;
    };
    std::vector<std::int32_t> line{relative}, tops;
    std::vector<bool> visited(std::size_t(n) + 1, false);
    while (!line.empty()) {
      const std::int32_t x = line.back();
      line.pop_back();
      if (visited[std::size_t(x)]) continue;
      visited[std::size_t(x)] = true;
      parentsOf(x, parents);
      if (parents.empty()) tops.push_back(x);
      for (std::int32_t q : parents) line.push_back(q);
    }
    int most = -1;
    for (std::int32_t t : tops) {
      const int count = descendantFamilies(t);
      if (count > most) most = count, earliest = t;
    }
  }
};

const Loaded& Data() {
  static const Loaded loaded;
  return loaded;
}

void RunChart(benchmark::State& state, bool descendants) {
  const Loaded& data = Data();
  if (!data.ok) {
    state.SkipWithError("the generated file did not load");
    return;
  }
  dv::FullChartOptions options;
  options.people = descendants ? dv::People::kDescendants : dv::People::kAll;
  const dv::FullChartPage page;  // a printer page of 160 by 130 cells
  const std::int32_t base = descendants ? data.earliest : data.relative;
  dv::FullChart chart;
  int families = 0, pages = 0, across = 0, down = 0, columns = 0;
  for (auto _ : state) {
    const dv::ChartStatus st = chart.Run(data.store, base, options, page);
    if (!st.ok()) {
      state.SkipWithError("the chart failed");
      return;
    }
    families = chart.Composed().families;
    pages = chart.pageCount();
    across = chart.Extent().pagesAcross;
    down = chart.Extent().pagesDown;
    columns = chart.Extent().chartColumns;
  }
  state.counters["families"] = families;
  state.counters["pages"] = pages;
  state.counters["across"] = across;
  state.counters["down"] = down;
  state.counters["columns"] = columns;
  state.counters["base"] = base;
}

void BM_FullChartAllRelatives(benchmark::State& state) { RunChart(state, false); }
void BM_FullChartDescendantsOfEarliest(benchmark::State& state) { RunChart(state, true); }

BENCHMARK(BM_FullChartAllRelatives)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FullChartDescendantsOfEarliest)->Unit(benchmark::kMillisecond);

}  // namespace
