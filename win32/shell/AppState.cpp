#include "shell/AppState.h"

#include <memory>

namespace dv::win {
namespace {

// Created on first use so that its defaults (the settings' constructor) are
// in place before anything reads them.
std::unique_ptr<ProgramState>& Instance() {
  static std::unique_ptr<ProgramState> state;
  if (!state) {
    state = std::make_unique<ProgramState>();
    BindFontRoles(state->app, state->settings);
  }
  return state;
}

}  // namespace

ProgramState& State() { return *Instance(); }

void ResetState() {
  auto& state = Instance();
  state = std::make_unique<ProgramState>();
  BindFontRoles(state->app, state->settings);
}

void BindFontRoles(AppState& app, dv::Settings& settings) {
  app.screenFont = &settings.fonts[dv::kScreenFont];
  app.printerFont = &settings.fonts[dv::kPrinterFont];
  app.chartFont = &settings.fonts[dv::kChartFont];
  app.font2 = &settings.fonts[dv::kFont2];
  app.titleFont = &settings.fonts[dv::kTitleFont];
  app.font4 = &settings.fonts[dv::kFont4];
}

}  // namespace dv::win
