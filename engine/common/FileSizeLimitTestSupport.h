#pragma once
// A write that runs out of room part way, for the tests of file writers: while
// a ScopedFileSizeLimit lives, this process may make files of at most the
// given size; a write past it fails (the signal it would raise is ignored).

#if !defined(_WIN32)
#include <csignal>
#include <sys/resource.h>

namespace dv::test {

class ScopedFileSizeLimit {
 public:
  explicit ScopedFileSizeLimit(rlim_t bytes) {
    oldHandler_ = std::signal(SIGXFSZ, SIG_IGN);
    getrlimit(RLIMIT_FSIZE, &old_);
    rlimit small = old_;
    small.rlim_cur = bytes;
    set_ = setrlimit(RLIMIT_FSIZE, &small) == 0;
  }
  ~ScopedFileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &old_);
    std::signal(SIGXFSZ, oldHandler_);
  }
  ScopedFileSizeLimit(const ScopedFileSizeLimit&) = delete;
  ScopedFileSizeLimit& operator=(const ScopedFileSizeLimit&) = delete;

  // Whether the limit took effect.
  bool Set() const { return set_; }

 private:
  rlimit old_{};
  void (*oldHandler_)(int) = nullptr;
  bool set_ = false;
};

}  // namespace dv::test
#endif
