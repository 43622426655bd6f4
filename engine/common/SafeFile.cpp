#include "common/SafeFile.h"

#include <atomic>
#include <chrono>
#include <filesystem>
#include <new>
#include <random>
#include <system_error>

namespace dv {

namespace fs = std::filesystem;

namespace {

// A name beside target that no other process or writer is using.
std::string TempNameBeside(const std::string& target) {
  static std::atomic<unsigned> counter{0};
  static const unsigned long long seed =
      std::random_device{}() ^
      static_cast<unsigned long long>(std::chrono::steady_clock::now().time_since_epoch().count());
  const fs::path t = fs::path(target);
  char tail[48];
  std::snprintf(tail, sizeof tail, ".~dv%llx-%u.tmp", seed & 0xFFFFFFFFFFull,
                counter.fetch_add(1));
  fs::path p = t.parent_path() / fs::path(t.filename().string() + tail);
  return p.string();
}

std::string Lower(std::string s) {
  for (char& c : s)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return s;
}

}  // namespace

bool IsFolder(const std::string& path) {
  std::error_code ec;
  return fs::is_directory(fs::path(path), ec);
}

void RemovePartialFile(const std::string& path) {
  std::error_code ec;
  const fs::path p = fs::path(path);
  if (fs::is_regular_file(fs::symlink_status(p, ec))) fs::remove(p, ec);
}

ReadFileResult ReadWholeFileUpTo(const std::string& path, std::size_t maxBytes,
                                 std::string& bytes) {
  bytes.clear();
  if (IsFolder(path)) return ReadFileResult::kCannotRead;
  std::FILE* f = std::fopen(path.c_str(), "rb");
  if (f == nullptr) return ReadFileResult::kCannotRead;
  ReadFileResult result = ReadFileResult::kRead;
  try {
    char block[65536];
    while (std::size_t n = std::fread(block, 1, sizeof block, f)) {
      if (n > maxBytes - bytes.size()) {
        result = ReadFileResult::kTooLarge;
        break;
      }
      bytes.append(block, n);
    }
    if (result == ReadFileResult::kRead && std::ferror(f)) result = ReadFileResult::kCannotRead;
  } catch (const std::bad_alloc&) {
    result = ReadFileResult::kCannotRead;
  }
  std::fclose(f);
  if (result != ReadFileResult::kRead) std::string().swap(bytes);
  return result;
}

bool ReadWholeFile(const std::string& path, std::string& bytes) {
  return ReadWholeFileUpTo(path, std::string().max_size(), bytes) == ReadFileResult::kRead;
}

SafeFileWriter::~SafeFileWriter() { Abandon(); }

int SafeFileWriter::Open(const std::string& target) {
  Abandon();
  failed_ = false;
  if (target.empty()) return kMsgCannotOpenForOutput;
  if (IsFolder(target)) return kMsgCannotOpenForOutput;
  std::error_code ec;
  target_ = target;
  for (int attempt = 0; attempt < 8 && file_ == nullptr; ++attempt) {
    temp_ = TempNameBeside(target);
    if (fs::exists(fs::path(temp_), ec)) continue;
    file_ = std::fopen(temp_.c_str(), "wb");
  }
  if (file_ == nullptr) {
    temp_.clear();
    return kMsgCannotOpenForOutput;
  }
  return 0;
}

void SafeFileWriter::Write(std::string_view bytes) {
  if (file_ == nullptr || failed_ || bytes.empty()) return;
  if (std::fwrite(bytes.data(), 1, bytes.size(), file_) != bytes.size()) failed_ = true;
}

int SafeFileWriter::Commit() {
  if (file_ == nullptr) return kMsgErrorWritingFile;
  if (std::fflush(file_) != 0 || std::ferror(file_) != 0) failed_ = true;
  if (std::fclose(file_) != 0) failed_ = true;
  file_ = nullptr;
  if (failed_ || !ReplaceFile(temp_, target_)) {
    Abandon();
    return kMsgErrorWritingFile;
  }
  temp_.clear();
  return 0;
}

void SafeFileWriter::Abandon() {
  if (file_ != nullptr) {
    std::fclose(file_);
    file_ = nullptr;
  }
  if (!temp_.empty()) {
    std::error_code ec;
    fs::remove(fs::path(temp_), ec);
    temp_.clear();
  }
}

bool ReplaceFile(const std::string& from, const std::string& to) {
  std::error_code ec;
  const fs::path f = fs::path(from), t = fs::path(to);
  // A folder is never replaced by a file.
  if (fs::is_directory(t, ec)) return false;
  fs::rename(f, t, ec);
  if (!ec) return true;
  // Where a rename cannot replace an existing file, the old file steps
  // aside first and comes back if the new one cannot take its place.
  if (!fs::exists(t, ec)) return false;
  const fs::path aside = fs::path(TempNameBeside(to));
  fs::rename(t, aside, ec);
  if (ec) return false;
  fs::rename(f, t, ec);
  if (ec) {
    std::error_code ignored;
    fs::rename(aside, t, ignored);
    return false;
  }
  fs::remove(aside, ec);
  return true;
}

bool SameFile(const std::string& a, const std::string& b) {
  if (a.empty() || b.empty()) return false;
  std::error_code ec1, ec2;
  const fs::path pa = fs::path(a), pb = fs::path(b);
  if (fs::exists(pa, ec1) && fs::exists(pb, ec2)) {
    std::error_code ec;
    if (fs::equivalent(pa, pb, ec)) return true;
  }
  // Full, normalised names (the part that exists resolved through links
  // and short names), compared without regard to case as the Windows file
  // system does.
  std::error_code ec;
  fs::path fa = fs::weakly_canonical(fs::absolute(pa, ec), ec);
  if (ec) fa = fs::absolute(pa, ec).lexically_normal();
  fs::path fb = fs::weakly_canonical(fs::absolute(pb, ec), ec);
  if (ec) fb = fs::absolute(pb, ec).lexically_normal();
  std::string sa = fa.generic_string(), sb = fb.generic_string();
  return Lower(sa) == Lower(sb);
}

}  // namespace dv
