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

// A founder with 25 sons, each with `width` sons of his own, each of whom
// heads a family with two children: a descendant chart whose lowest family
// row holds 25 x width groups.
std::string WideFamily(int width) {
  std::string indi, fam;
  int people = 0, families = 0;
  auto person = [&](int sex, int famc, const std::vector<int>& fams) {
    const int n = ++people;
    indi += "0 @I" + std::to_string(n) + "@ INDI\n1 NAME Person" + std::to_string(n) +
            " /Wide/\n1 SEX " + (sex ? "M" : "F") + "\n";
    if (famc) indi += "1 FAMC @F" + std::to_string(famc) + "@\n";
    for (int f : fams) indi += "1 FAMS @F" + std::to_string(f) + "@\n";
    return n;
  };
  auto family = [&](int husband, int wife, const std::vector<int>& children) {
    fam += "0 @F" + std::to_string(++families) + "@ FAM\n1 HUSB @I" + std::to_string(husband) +
           "@\n1 WIFE @I" + std::to_string(wife) + "@\n";
    for (int c : children) fam += "1 CHIL @I" + std::to_string(c) + "@\n";
  };
  // Family numbers are handed out in the order written, so each level's
  // numbers are known before its people are.
  const int sons = 25;
  const int top = 1, sonFamily = 2, grandFamily = 2 + sons;
  std::vector<int> topChildren;
  const int founder = person(1, 0, {top});
  const int founderWife = person(0, 0, {top});
  std::vector<std::vector<int>> sonChildren(sons);
  std::vector<std::vector<std::vector<int>>> grandChildren(
      sons, std::vector<std::vector<int>>(std::size_t(width)));
  for (int s = 0; s < sons; ++s) topChildren.push_back(person(1, top, {sonFamily + s}));
  family(founder, founderWife, topChildren);
  std::vector<int> sonWives;
  for (int s = 0; s < sons; ++s) sonWives.push_back(person(0, 0, {sonFamily + s}));
  std::vector<int> grandWives;
  for (int s = 0; s < sons; ++s)
    for (int g = 0; g < width; ++g) {
      const int f = grandFamily + s * width + g;
      sonChildren[std::size_t(s)].push_back(person(1, sonFamily + s, {f}));
      grandWives.push_back(person(0, 0, {f}));
      for (int k = 0; k < 2; ++k)
        grandChildren[std::size_t(s)][std::size_t(g)].push_back(person(k, f, {}));
    }
  for (int s = 0; s < sons; ++s)
    family(topChildren[std::size_t(s)], sonWives[std::size_t(s)], sonChildren[std::size_t(s)]);
  for (int s = 0; s < sons; ++s)
    for (int g = 0; g < width; ++g)
      family(sonChildren[std::size_t(s)][std::size_t(g)], grandWives[std::size_t(s * width + g)],
             grandChildren[std::size_t(s)][std::size_t(g)]);
  return "0 HEAD\n1 CHAR ANSI\n" + indi + fam + "0 TRLR\n";
}

// The layout's cost against the width of the widest row: time per family
// stays level when nothing in the straightening is quadratic in a row.
void BM_FullChartWideRow(benchmark::State& state) {
  dv::RecordStore store;
  std::string summary;
  if (dv::LoadDataSourceBytes(store, WideFamily(int(state.range(0))), dv::LoadOptions{}, summary) !=
      0) {
    state.SkipWithError("the wide family did not load");
    return;
  }
  dv::FullChartOptions options;
  options.people = dv::People::kDescendants;
  const dv::FullChartPage page;
  dv::FullChart chart;
  int families = 0;
  for (auto _ : state) {
    if (!chart.Run(store, 1, options, page).ok()) {
      state.SkipWithError("the chart failed");
      return;
    }
    families = chart.Composed().families;
  }
  state.counters["families"] = families;
  state.counters["widest_row"] = 25.0 * double(state.range(0));
  state.SetItemsProcessed(state.iterations() * families);
}
BENCHMARK(BM_FullChartWideRow)->Arg(4)->Arg(8)->Arg(16)->Arg(25)->Unit(benchmark::kMillisecond);

void BM_FullChartAllRelatives(benchmark::State& state) { RunChart(state, false); }
void BM_FullChartDescendantsOfEarliest(benchmark::State& state) { RunChart(state, true); }

BENCHMARK(BM_FullChartAllRelatives)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FullChartDescendantsOfEarliest)->Unit(benchmark::kMillisecond);

}  // namespace
