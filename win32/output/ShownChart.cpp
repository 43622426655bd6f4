#include "output/ShownChart.h"

#include <algorithm>

#include "shell/AppState.h"

namespace dv::win {
namespace {

// The parts live for the whole process: the chart Parts register them once
// and the program state can be reset (tests) without losing them.
std::array<ShownChartPart, kChartSlots>& Parts() {
  static std::array<ShownChartPart, kChartSlots> parts;
  return parts;
}

}  // namespace

void RegisterShownChart(ChartSlot slot, ShownChartPart part) {
  Parts()[static_cast<int>(slot)] = std::move(part);
}

void UnregisterShownChart(ChartSlot slot) { Parts()[static_cast<int>(slot)] = {}; }

std::int16_t& ChartTypeState(ChartSlot slot) {
  auto& app = State().app;
  switch (slot) {
    case ChartSlot::kSelectiveTree:
      return app.selectiveChartState;
    case ChartSlot::kBirthBrief:
      return app.birthBriefChartState;
    case ChartSlot::kFullChart:
      break;
  }
  return app.fullChartState;
}

const ShownChartPart* ShownChart(ChartSlot* slot) {
  for (int i = 0; i < kChartSlots; ++i) {
    const ChartSlot s = static_cast<ChartSlot>(i);
    if (ChartTypeState(s) > 1 && Parts()[i].draw) {
      if (slot) *slot = s;
      return &Parts()[i];
    }
  }
  return nullptr;
}

int ChartPenWidth(int cellHeight, int screen) {
  const auto& state = State();
  const int lineWidth = std::clamp(state.settings.bparam[0], 1, 10);
  return dv::RulePenWidth(lineWidth, cellHeight, state.page.printerLineHeight, screen);
}

}  // namespace dv::win
