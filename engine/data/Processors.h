#pragma once
// Two threads of one step kept on two processors.

#include <cstddef>
#include <memory>
#include <thread>

namespace dv {

// Some systems keep a new thread on the processor of the thread that
// started it, and run the two in turns while another processor sits idle
// (a virtual machine packing its work onto few processors does). For the
// length of a step done by two threads, a ProcessorSplit made on the
// starting thread holds that thread to the processor it runs on, and
// KeepOff, called there as soon as the new thread is made, holds that one
// to the others, so that it starts on one of them rather than queue
// behind the busy starter; the starting thread gets its processors back
// when the split ends (on that thread). Where the system does not tell or
// allow it, or has one processor, nothing changes.
class ProcessorSplit {
 public:
  ProcessorSplit();
  ~ProcessorSplit();
  ProcessorSplit(const ProcessorSplit&) = delete;
  ProcessorSplit& operator=(const ProcessorSplit&) = delete;
  // Called on the starting thread.
  void KeepOff(std::thread& thread) const;

 private:
  struct Masks;
  std::unique_ptr<Masks> masks_;
};

}  // namespace dv
