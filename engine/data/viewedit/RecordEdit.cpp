#include "data/viewedit/RecordEdit.h"

namespace dv::viewedit {

namespace {
bool Blank(char c) { return c == ' ' || c == '\t'; }
}  // namespace

std::string_view FieldText(std::string_view value) {
  while (!value.empty() && Blank(value.front())) value.remove_prefix(1);
  return value;
}

bool IsPointer(std::string_view value) {
  value = FieldText(value);
  while (!value.empty() && Blank(value.back())) value.remove_suffix(1);
  return value.size() >= 3 && value.front() == '@' && value.back() == '@' &&
         value.find('@', 1) == value.size() - 1;
}

std::string_view Unescaped(std::string_view text) {
  if (text.size() >= 2 && text[0] == '@' && text[1] == '@') text.remove_prefix(1);
  return text;
}

std::string Escaped(std::string_view text) {
  // Leading blanks are not kept (a value is read with them skipped).
  text = FieldText(text);
  std::string out;
  if (!text.empty() && text[0] == '@') out += '@';
  out.append(text);
  return out;
}

std::string ReadLongText(const LineNode* line) {
  std::string text;
  if (!line) return text;
  text.append(Unescaped(FieldText(line->Value())));
  for (const LineNode* c = line->firstChild; c; c = c->next) {
    if (c->tag == kTagCONT) {
      text += "\r\n";
      text.append(Unescaped(FieldText(c->Value())));
    } else if (c->tag == kTagCONC) {
      std::string_view v = c->Value();
      if (!v.empty() && v[0] == ' ') v.remove_prefix(1);
      text.append(Unescaped(v));
    }
  }
  return text;
}

namespace {
// Cuts one line of text (no line breaks) into CONC pieces.
void SplitLine(std::string_view line, int firstTag, std::vector<TextPiece>& out) {
  int tag = firstTag;
  while (true) {
    if (line.size() <= kPieceCut + 1) {
      out.push_back({tag, std::string(line)});
      return;
    }
    // A cut at b keeps line[b - 1] and line[b] both non-blank.
    std::size_t cut = 0;
    std::size_t limit = std::min(line.size() - 1, kMaxPiece);
    for (std::size_t s = kPieceCut + 1; s <= limit; ++s) {
      if (Blank(line[s]) && !Blank(line[s - 1]) && !Blank(line[s - 2]) && s - 1 >= 1) {
        cut = s - 1;
        break;
      }
    }
    if (!cut) {
      if (line.size() <= kMaxPiece) {
        out.push_back({tag, std::string(line)});
        return;
      }
      for (std::size_t b = kMaxPiece; b > 1 && !cut; --b)
        if (!Blank(line[b]) && !Blank(line[b - 1])) cut = b;
      if (!cut) cut = kMaxPiece;
    }
    out.push_back({tag, std::string(line.substr(0, cut))});
    line.remove_prefix(cut);
    tag = kTagCONC;
  }
}
}  // namespace

std::vector<TextPiece> SplitLongText(std::string_view text) {
  std::vector<TextPiece> out;
  bool first = true;
  while (true) {
    std::size_t end = text.find_first_of("\r\n");
    std::string_view line = text.substr(0, end);
    while (!line.empty() && Blank(line.front())) line.remove_prefix(1);
    SplitLine(line, first ? 0 : kTagCONT, out);
    first = false;
    if (end == std::string_view::npos) break;
    std::size_t next = end + 1;
    if (text[end] == '\r' && next < text.size() && text[next] == '\n') ++next;
    text.remove_prefix(next);
  }
  return out;
}

LineNode* CopyTree(RecordStore& store, const LineNode* line) {
  LineNode* top = store.Nodes().NewLine();
  if (!top) return nullptr;
  *top = *line;
  top->parent = top->next = top->firstChild = nullptr;
  store.Orders().Set(top, store.Orders().Of(line));
  LineNode* last = nullptr;
  for (const LineNode* c = line->firstChild; c; c = c->next) {
    LineNode* copy = CopyTree(store, c);
    if (!copy) return nullptr;
    copy->parent = top;
    if (last)
      last->next = copy;
    else
      top->firstChild = copy;
    last = copy;
  }
  return top;
}

void AdoptChildren(LineNode* record, LineNode* copy) {
  record->firstChild = copy->firstChild;
  // The copy carries the record's own cross-reference (it was copied from
  // the record, or made with it), so its text is the record's text.
  record->hasXref = copy->hasXref;
  record->text = copy->text;
  for (LineNode* c = record->firstChild; c; c = c->next) c->parent = record;
  copy->firstChild = nullptr;
}

std::vector<int> ParsePath(std::string_view path) {
  std::vector<int> tags;
  while (!path.empty()) {
    std::size_t slash = path.find('/');
    tags.push_back(TagCodeOf(path.substr(0, slash)));
    if (slash == std::string_view::npos) break;
    path.remove_prefix(slash + 1);
  }
  return tags;
}

LineNode* Locate(LineNode* base, const std::vector<int>& path) {
  LineNode* line = base;
  for (int tag : path) {
    if (!line) return nullptr;
    line = FirstChild(line, tag);
  }
  return line;
}

void PlaceByRank(LineNode* parent, LineNode* node, int rank, const RankFn& rankOf) {
  node->level = parent->level + 1;
  LineNode* after = nullptr;
  LineNode* lastText = nullptr;
  bool leading = true;
  for (LineNode* c = parent->firstChild; c; c = c->next) {
    if (leading && (c->tag == kTagCONT || c->tag == kTagCONC))
      lastText = c;
    else
      leading = false;
    int r = rankOf ? rankOf(c->tag) : -1;
    if (r >= 0 && r <= rank) after = c;
  }
  if (!after) after = lastText;
  if (after)
    LinkAfter(after, node);
  else
    LinkFirstChild(parent, node);
}

bool SetLineValue(RecordStore& store, LineNode* line, std::string_view text) {
  if (text.empty()) return SetLineValueText(store.Text(), line, {});
  std::string value = " ";
  value.append(text);
  return SetLineValueText(store.Text(), line, value);
}

bool SetLongText(RecordStore& store, LineNode* line, std::string_view text, bool contOnly) {
  UnlinkChildrenIf(line,
                   [](const LineNode* c) { return c->tag == kTagCONT || c->tag == kTagCONC; });
  store.ForgetNotes(line);
  std::vector<TextPiece> pieces;
  if (contOnly) {
    std::string_view rest = text;
    while (true) {
      std::size_t end = rest.find_first_of("\r\n");
      pieces.push_back(
          {pieces.empty() ? 0 : kTagCONT, std::string(FieldText(rest.substr(0, end)))});
      if (end == std::string_view::npos) break;
      std::size_t next = end + 1;
      if (rest[end] == '\r' && next < rest.size() && rest[next] == '\n') ++next;
      rest.remove_prefix(next);
    }
  } else {
    pieces = SplitLongText(text);
  }
  if (!SetLineValue(store, line, Escaped(pieces.front().text))) return false;
  LineNode* after = nullptr;
  for (std::size_t i = 1; i < pieces.size(); ++i) {
    const std::string& piece = pieces[i].text;
    LineNode* node = store.MakeLine(line->level + 1, pieces[i].tag);
    // A piece beginning with an at sign is doubled like a value, so no
    // continuation line reads as a pointer.
    std::string value = !piece.empty() && piece[0] == '@' ? "@" + piece : piece;
    if (!node || !SetLineValue(store, node, value)) return false;
    if (after)
      LinkAfter(after, node);
    else
      LinkFirstChild(line, node);
    after = node;
  }
  return true;
}

std::string_view PointerOf(const LineNode* line) {
  if (!line) return {};
  std::string_view v = FieldText(line->Value());
  if (line->tag >= kTagCount) {
    // A tag not in the table keeps "[@xref@ ]TAG rest" as its value.
    if (!v.empty() && v[0] == '@') {
      std::size_t close = v.find('@', 1);
      if (close == std::string_view::npos) return {};
      v = FieldText(v.substr(close + 1));
    }
    std::size_t space = v.find_first_of(" \t");
    if (space == std::string_view::npos) return {};
    v = FieldText(v.substr(space));
  }
  while (!v.empty() && Blank(v.back())) v.remove_suffix(1);
  if (v.size() < 3 || v.front() != '@' || v.back() != '@') return {};
  if (v.find('@', 1) != v.size() - 1) return {};
  return v;
}

bool PointsTo(const LineNode* line, std::string_view xref) {
  std::string_view p = PointerOf(line);
  if (p.empty() || xref.empty()) return false;
  if (p == xref) return true;
  std::int32_t n = NumberOf(p);
  return n > 0 && n == NumberOf(xref) && PrefixOf(p) == PrefixOf(xref);
}

bool HasRoom(RecordStore& store, std::int64_t lines) {
  const std::int64_t capacity =
      static_cast<std::int64_t>(NodePool::kMaxBlocks) * NodePool::kBlockSize;
  return capacity - store.Nodes().Count() > lines + 64 &&
         store.Text().BlockCount() < TextPool::kMaxBlocks;
}

}  // namespace dv::viewedit
