#pragma once
// Replacing a file safely: the new contents go to a temporary file beside
// the target; every write and the close are checked; only then does the
// temporary file take the target's place. A failed or abandoned write
// leaves the target as it was and removes the temporary file.

#include <cstdio>
#include <string>
#include <string_view>

namespace dv {

inline constexpr int kMsgCannotOpenForOutput = 25;  // "Cannot open file for output: " + name
inline constexpr int kMsgErrorWritingFile = 250;    // "Error writing file: " + name

class SafeFileWriter {
 public:
  SafeFileWriter() = default;
  ~SafeFileWriter();
  SafeFileWriter(const SafeFileWriter&) = delete;
  SafeFileWriter& operator=(const SafeFileWriter&) = delete;

  // Creates the temporary file beside target: 0, or 25 when the target
  // name is empty or no file can be created in its folder.
  int Open(const std::string& target);
  // Appends bytes; a failure is remembered and reported by Commit.
  void Write(std::string_view bytes);
  void WriteLine(std::string_view line) {
    Write(line);
    Write("\n");
  }
  // Flushes and closes the temporary file and puts it in the target's
  // place: 0, or 250 (the target is then unchanged).
  int Commit();
  // Drops the temporary file; the target stays as it was.
  void Abandon();

  const std::string& TempPath() const { return temp_; }

 private:
  std::FILE* file_ = nullptr;
  std::string target_, temp_;
  bool failed_ = false;
};

// Puts the file at from in the place of to (replacing it when it exists);
// if that fails, to is left as it was. True on success.
bool ReplaceFile(const std::string& from, const std::string& to);

// Whether path names a folder (false when it cannot be told).
bool IsFolder(const std::string& path);

// Removes what a failed write left at path when it is an ordinary file; a
// device or pipe the output was sent to (standard output, /dev/full) stays.
void RemovePartialFile(const std::string& path);

// Reads the whole of a file into bytes: true, or false (bytes then empty)
// when it cannot be opened, a read fails or its bytes do not fit in
// memory. A folder's name is refused before it is opened: on Linux a
// folder opens for reading, and the standard streams then throw from their
// first read.
bool ReadWholeFile(const std::string& path, std::string& bytes);

// The same with a bound: a file of more than maxBytes is not read on past
// it, and bytes is left empty.
enum class ReadFileResult { kRead, kCannotRead, kTooLarge };
ReadFileResult ReadWholeFileUpTo(const std::string& path, std::size_t maxBytes,
                                 std::string& bytes);

// Whether two paths name the same file: compared as full, normalised paths
// without regard to letter case (relative names resolved against the
// current folder), and, when both exist, as the same file on disk.
bool SameFile(const std::string& a, const std::string& b);

}  // namespace dv
