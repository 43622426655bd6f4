#pragma once
// The tree work behind the view/edit pages: reading and writing long texts
// as CONT and CONC lines, copying a record's lines so that a store is built
// aside and swapped in only when complete, finding a line by a path of tags,
// and placing a new line among its siblings by a rank. Nothing here shows
// anything; every failure is a status id.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "data/RecordStore.h"

namespace dv::viewedit {

// The longest piece of a long text written on one line. The reader keeps 255
// characters a line; a piece of this length with its level and tag fits.
inline constexpr std::size_t kMaxPiece = 200;
// A piece longer than this is cut at the next word end.
inline constexpr std::size_t kPieceCut = 63;

// A value as the pages show it: leading blanks skipped.
std::string_view FieldText(std::string_view value);
// Whether a value (blanks trimmed) is a pointer: "@...@" with no other at sign.
bool IsPointer(std::string_view value);

// A text value that begins with an at sign is written with it doubled, so
// that it is never read as a pointer; reading takes one away again.
std::string Escaped(std::string_view text);
std::string_view Unescaped(std::string_view text);

// The text of a line and its CONT (a line break, CR LF) and CONC (joined,
// one leading blank dropped) children, as the notes are gathered.
std::string ReadLongText(const LineNode* line);

// One line of a long text: the first is the line's own value, the others
// CONT (a line break before it) or CONC (joined to the piece before it).
struct TextPiece {
  int tag = 0;  // 0 the value itself, kTagCONT or kTagCONC
  std::string text;
};
// Cuts a text into pieces: at every line break (CR LF, LF or CR) a CONT
// piece, leading blanks of each line skipped; a line longer than 63
// characters is cut with CONC just before the last letter of the word that
// ends after the 63rd character, so that no piece begins or ends with a
// blank (other programs drop those); a run without blanks is cut at 200.
std::vector<TextPiece> SplitLongText(std::string_view text);

// A deep copy of a line and its subtree (orders, marks and note caches
// kept), not linked anywhere; nullptr when the node pool runs out.
LineNode* CopyTree(RecordStore& store, const LineNode* line);

// Moves the children (and the value) of copy onto record, which keeps its
// own place, cross-reference and identity in the tree.
void AdoptChildren(LineNode* record, LineNode* copy);

// Tags of a path written as "DATA/EVEN/DATE"; an empty path is the line itself.
std::vector<int> ParsePath(std::string_view path);
// The line at a path below base (the first child with each tag), or nullptr.
LineNode* Locate(LineNode* base, const std::vector<int>& path);

// A rank for a tag below a parent: lines are placed after the last sibling
// whose rank is not higher; -1 means the tag takes no part.
using RankFn = std::function<int(int tag)>;
// Links node below parent: after the last child with a rank in 0..rank,
// else after the leading CONT and CONC lines, else as the first child.
void PlaceByRank(LineNode* parent, LineNode* node, int rank, const RankFn& rankOf);

// Sets a line's value (with its separating blank), false when the text pool is full.
bool SetLineValue(RecordStore& store, LineNode* line, std::string_view text);
// Replaces a line's value and CONT/CONC children with a long text; false
// when the pools run out (the line may then be half written: callers work
// on a copy).
bool SetLongText(RecordStore& store, LineNode* line, std::string_view text, bool contOnly = false);

// Whether the line points at xref: its value (for a tag not in the table,
// the word after the tag) is a pointer naming the same record: the same
// text, or the same prefix and number.
bool PointsTo(const LineNode* line, std::string_view xref);
// The pointer a line holds ("@I1@"), empty when none.
std::string_view PointerOf(const LineNode* line);

// Room for about n more lines in the node pool and a further text block.
bool HasRoom(RecordStore& store, std::int64_t lines);

}  // namespace dv::viewedit
