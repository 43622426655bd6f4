#include "data/DataState.h"

#include <memory>

namespace dv::win {
namespace {

std::unique_ptr<DataState>& Instance() {
  static std::unique_ptr<DataState> state;
  if (!state) state = std::make_unique<DataState>();
  return state;
}

}  // namespace

DataState& Data() { return *Instance(); }

void ResetDataState() { Instance() = std::make_unique<DataState>(); }

}  // namespace dv::win
