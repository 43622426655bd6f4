#include "data/Processors.h"

#include <new>

#if defined(__linux__)
#include <pthread.h>
#include <sched.h>
#endif

namespace dv {

#if defined(__linux__)
struct ProcessorSplit::Masks {
  cpu_set_t before;  // the starting thread's processors
  cpu_set_t others;  // those, less the one it runs on
};

ProcessorSplit::ProcessorSplit() {
  std::unique_ptr<Masks> masks(new (std::nothrow) Masks);
  const int here = sched_getcpu();
  if (!masks || here < 0 || here >= CPU_SETSIZE ||
      sched_getaffinity(0, sizeof masks->before, &masks->before) != 0 ||
      !CPU_ISSET(here, &masks->before) || CPU_COUNT(&masks->before) < 2)
    return;
  masks->others = masks->before;
  CPU_CLR(here, &masks->others);
  cpu_set_t only;
  CPU_ZERO(&only);
  CPU_SET(here, &only);
  if (sched_setaffinity(0, sizeof only, &only) != 0) return;
  masks_ = std::move(masks);
}

ProcessorSplit::~ProcessorSplit() {
  if (masks_) sched_setaffinity(0, sizeof masks_->before, &masks_->before);
}

void ProcessorSplit::KeepOff(std::thread& thread) const {
  if (masks_ && thread.joinable())
    pthread_setaffinity_np(thread.native_handle(), sizeof masks_->others, &masks_->others);
}
#else
struct ProcessorSplit::Masks {};
ProcessorSplit::ProcessorSplit() = default;
ProcessorSplit::~ProcessorSplit() = default;
void ProcessorSplit::KeepOff(std::thread&) const {}
#endif

}  // namespace dv
