#include "data/GedcomWriter.h"

#include "common/SafeFile.h"

#include <cstdio>
#include <memory>

namespace dv {
namespace {

bool CountsForProgress(const RecordStore& store, const LineNode* line) {
  if (line->level != 0) return false;
  switch (line->tag) {
    case kTagINDI:
    case kTagFAM:
    case kTagSOUR:
    case kTagREPO:
      return true;
    case kTagNOTE:
      return store.Kind(kNote).exists;
    default:
      return false;
  }
}

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};

// Copies a file byte for byte (the ".bak" copy); false when the source
// cannot be read or the copy cannot be written, and then an earlier copy
// stays as it was. Paths are the program's 8-bit paths, handed to the C
// library as they are.
bool CopyFile(const std::string& from, const std::string& to) {
  std::unique_ptr<std::FILE, FileCloser> in(std::fopen(from.c_str(), "rb"));
  if (!in) return false;
  SafeFileWriter out;
  if (out.Open(to) != 0) return false;
  char buffer[1 << 15];
  std::size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, in.get())) > 0)
    out.Write(std::string_view(buffer, n));
  if (std::ferror(in.get())) return false;  // the writer drops its temporary file
  return out.Commit() == 0;
}

void AppendLine(std::string& out, const LineNode& line) {
  char level[16];
  int n = std::snprintf(level, sizeof level, "%d", static_cast<int>(line.level));
  out.append(level, static_cast<std::size_t>(n));
  std::string_view value = line.Value();
  if (line.tag < kTagCount) {  // tag codes are unsigned
    // Records carry their cross-reference on the level-0 line; one found on
    // a deeper line is written back too rather than lost.
    if (!line.Xref().empty()) {
      out += ' ';
      out.append(line.Xref());
    }
    out += ' ';
    out.append(TagName(line.tag));
    if (!value.empty()) {
      if (value[0] != ' ') out += ' ';
      out.append(value);
    }
  } else {
    out.append(value);  // cross-reference, tag and rest exactly as read
  }
}

}  // namespace

std::string FormatLine(const LineNode& line) {
  std::string out;
  AppendLine(out, line);
  return out;
}

std::string GedcomText(const RecordStore& store) {
  std::string out;
  const LineNode* root = store.Root();
  if (!root) return out;
  if (store.Encoding().byteOrderMark) out.append(kUtf8ByteOrderMark);
  for (const LineNode* l = root->firstChild; l; l = NextLine(root, l)) {
    AppendLine(out, *l);
    out += "\r\n";
  }
  return out;
}

std::string FileNameAsProgramText(std::string_view name) {
#if defined(_WIN32)
  return std::string(name);  // the program's paths are in its ANSI code page
#else
  return ProgramText(name, CharSet::kUtf8);  // file names are UTF-8 here
#endif
}

std::string_view FileNamePart(std::string_view path) {
  std::size_t cut = path.find_last_of("\\/");
  return cut == std::string_view::npos ? path : path.substr(cut + 1);
}

void SetHeaderFile(RecordStore& store, std::string_view name, bool force) {
  LineNode* head = store.FirstRecordLine(kTagHEAD);
  if (!head && store.Root())
    for (LineNode* l = store.Root()->firstChild; l && !head; l = l->next)
      if (l->tag == kTagHEAD) head = l;
  if (!head) return;
  // The name is program text; the line holds it in the file's character set.
  std::string value = " ";
  value.append(store.TextForFile(name));
  LineNode* remembered = nullptr;
  for (LineNode* c = head->firstChild; c; c = c->next) {
    switch (c->tag) {
      case kTagFILE:
        if (force || std::string_view(c->Value()).find_first_not_of(' ') == std::string_view::npos)
          store.SetValue(c, value);
        return;
      case kTagSOUR:
      case kTagDEST:
      case kTagDATE:
      case kTagSUBM:
      case kTagSUBN:
        remembered = c;
        break;
      default:
        break;
    }
  }
  LineNode* file = store.MakeLine(head->level + 1, kTagFILE, {}, value);
  if (!file) return;
  if (remembered)
    LinkAfter(remembered, file);
  else
    LinkFirstChild(head, file);
}

int WriteGedcom(const RecordStore& store, const std::string& path, bool makeBackup,
                const WriteProgress& progress) {
  const LineNode* root = store.Root();
  if (!root || root->level != -1) return -1;
  if (makeBackup) CopyFile(path, path + ".bak");  // a missing file is not an error

  int total = 0;
  for (const LineNode* l = root->firstChild; l; l = l->next)
    if (CountsForProgress(store, l)) ++total;
  if (progress) progress(total, 0);

  // Written beside the target and moved over it only when complete.
  const std::string temp = path + ".$$$";
  std::FILE* f = std::fopen(temp.c_str(), "wb");
  if (!f) return kErrCannotCreate;
  bool ok = true;
  int n = 0;
  std::string buffer;
  buffer.reserve(1 << 16);
  // A file that began with a byte-order mark keeps it.
  if (store.Encoding().byteOrderMark) buffer.append(kUtf8ByteOrderMark);
  for (const LineNode* l = root->firstChild; l && ok; l = NextLine(root, l)) {
    if (CountsForProgress(store, l)) {
      ++n;
      if (progress) progress(n, 1);
    }
    AppendLine(buffer, *l);
    buffer += "\r\n";
    if (buffer.size() >= (1 << 16) - 1024) {
      ok = std::fwrite(buffer.data(), 1, buffer.size(), f) == buffer.size();
      buffer.clear();
    }
  }
  if (ok && !buffer.empty()) ok = std::fwrite(buffer.data(), 1, buffer.size(), f) == buffer.size();
  if (ok) ok = std::fflush(f) == 0 && !std::ferror(f);
  if (std::fclose(f) != 0) ok = false;
  // The old file is given up only once the new one can take its place.
  if (ok) ok = ReplaceFile(temp, path);
  if (!ok) {
    std::remove(temp.c_str());
    return kErrWriteFailed;
  }
  if (progress) progress(n, 2);
  return 0;
}

int SaveGedcom(RecordStore& store, const std::string& path, bool makeBackup,
               const WriteProgress& progress) {
  if (!store.Root()) return -1;
  store.CheckLinks();
  SetHeaderFile(store, FileNameAsProgramText(FileNamePart(path)));
  int result = WriteGedcom(store, path, makeBackup, progress);
  if (result == 0) store.dataChanged = 0;  // a failed write leaves the data unsaved
  return result;
}

}  // namespace dv
