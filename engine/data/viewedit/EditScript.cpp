#include "data/viewedit/EditScript.h"

#include <vector>

#include "common/StringTable.h"
#include "data/viewedit/Edits.h"
#include "data/viewedit/Pages.h"
#include "data/viewedit/RecordEdit.h"

namespace dv::viewedit {

namespace {

struct Op {
  std::string_view name;
  std::vector<std::string_view> args;    // positional
  std::vector<std::string_view> fields;  // FIELD=VALUE
};

struct OpShape {
  std::string_view name;
  int positional;
  bool fields;
};
constexpr OpShape kShapes[] = {
    {"show", 1, false},      {"set", 1, true},      {"new-indi", 0, true}, {"new-fam", 0, true},
    {"new-sour", 0, true},   {"new-repo", 0, true}, {"delete", 1, false},  {"add-spouse", 2, false},
    {"add-child", 2, false}, {"remove", 2, false},  {"header", 0, true},
};

const OpShape* ShapeOf(std::string_view name) {
  for (const auto& s : kShapes)
    if (s.name == name) return &s;
  return nullptr;
}

bool Parse(std::span<const std::string_view> tokens, std::vector<Op>& ops, std::string& error) {
  std::size_t i = 0;
  while (i < tokens.size()) {
    const OpShape* shape = ShapeOf(tokens[i]);
    if (!shape) {
      error = "unknown operation: " + std::string(tokens[i]);
      return false;
    }
    Op op{tokens[i++], {}, {}};
    for (int k = 0; k < shape->positional; ++k) {
      if (i >= tokens.size()) {
        error = std::string(op.name) + ": missing argument";
        return false;
      }
      op.args.push_back(tokens[i++]);
    }
    while (shape->fields && i < tokens.size() && !ShapeOf(tokens[i])) {
      if (tokens[i].find('=') == std::string_view::npos) {
        error = std::string(op.name) + ": expected FIELD=VALUE, got " + std::string(tokens[i]);
        return false;
      }
      op.fields.push_back(tokens[i++]);
    }
    if ((op.name == "set" || op.name == "header") && op.fields.empty()) {
      error = std::string(op.name) + ": no FIELD=VALUE";
      return false;
    }
    ops.push_back(std::move(op));
  }
  return true;
}

struct Target {
  PageKind kind = PageKind::kIndividual;
  std::int32_t index = 0;
};

// The record a cross-reference names ("@I12@", or "I12" without at signs).
bool Find(const RecordStore& store, std::string_view text, Target& t) {
  std::string xref(text);
  if (xref.empty() || xref.front() != '@') xref = "@" + xref + "@";
  for (const LineNode* l = store.Root() ? store.Root()->firstChild.get() : nullptr; l; l = l->next) {
    if (l->Xref() != xref) continue;
    int kind = RecordStore::KindOfTag(l->tag);
    if (kind != kIndi && kind != kFam && kind != kSour && kind != kRepo) return false;
    std::int32_t index = store.FindIndex(static_cast<RecordKind>(kind), NumberOf(xref));
    if (store.RecordLine(static_cast<RecordKind>(kind), index) != l) {
      // Summaries know the line even where the kind table does not.
      if (kind == kIndi && store.Individual(index) && store.Individual(index)->line == l) {
      } else if (kind == kFam && store.Family(index) && store.Family(index)->line == l) {
      } else {
        return false;
      }
    }
    t.index = index;
    t.kind = kind == kIndi   ? PageKind::kIndividual
             : kind == kFam  ? PageKind::kFamily
             : kind == kSour ? PageKind::kSource
                             : PageKind::kRepository;
    return true;
  }
  return false;
}

void Refused(std::string& out, int id, std::string_view suffix = {}) {
  out += "refused\t" + std::to_string(id) + "\t" + CEscape(MessageText(id, suffix)) + "\n";
}

// Sets the FIELD=VALUE list on a page: 0 or the refusal (with its suffix).
int SetFields(const RecordStore& store, RecordPage& page,
              const std::vector<std::string_view>& fields, std::string& suffix) {
  for (std::string_view f : fields) {
    std::size_t eq = f.find('=');
    std::string_view name = f.substr(0, eq), value = f.substr(eq + 1);
    int r;
    if (page.kind == PageKind::kFamily && (name == "spouse" || name == "child")) {
      Target t;
      if (!Find(store, value, t) || t.kind != PageKind::kIndividual) {
        suffix = std::string(value);
        return kMsgNotFound;
      }
      r = name == "spouse" ? AddSpouse(store, page, t.index) : AddChild(store, page, t.index);
    } else if (page.kind == PageKind::kFamily && (name == "husband" || name == "wife")) {
      r = -1;  // people join a family through spouse= and add-spouse
    } else {
      r = SetField(page, name, value);
    }
    if (r == -1) {
      suffix = " (" + std::string(name) + ")";
      return kMsgDataError;
    }
    if (r) return r;
  }
  return 0;
}

std::string ShowPage(const RecordStore& store, const RecordPage& page) {
  std::string out;
  for (const auto& [name, value] : ShowFields(store, page))
    if (!value.empty()) out += name + "\t" + CEscape(value) + "\n";
  return out;
}

int Apply(RecordStore& store, const Op& op, std::string& out) {
  std::string suffix;
  Target t, who;
  auto notFound = [&](std::string_view x) {
    Refused(out, kMsgNotFound, x);
    return 1;
  };
  if (op.name == "show" || op.name == "set" || op.name == "delete") {
    if (!Find(store, op.args[0], t)) return notFound(op.args[0]);
    if (op.name == "delete") {
      int r = DeletePageRecord(store, t.kind, t.index);
      if (r) {
        Refused(out, r);
        return 1;
      }
      out += "ok\n";
      return 0;
    }
    RecordPage page;
    if (ReadPage(store, t.kind, t.index, page)) return notFound(op.args[0]);
    if (op.name == "show") {
      out += ShowPage(store, page) + "ok\n";
      return 0;
    }
    int r = SetFields(store, page, op.fields, suffix);
    if (!r) r = StorePage(store, page);
    if (r == kMsgNotFound && suffix.empty()) suffix = page.missing;
    if (r) {
      Refused(out, r, suffix);
      return 1;
    }
    out += "ok\n";
    return 0;
  }
  if (op.name.substr(0, 4) == "new-") {
    PageKind kind = op.name == "new-indi"   ? PageKind::kIndividual
                    : op.name == "new-fam"  ? PageKind::kFamily
                    : op.name == "new-sour" ? PageKind::kSource
                                            : PageKind::kRepository;
    RecordPage page = NewPage(kind);
    int r = SetFields(store, page, op.fields, suffix);
    if (!r) r = StorePage(store, page);
    if (!r && !page.record) r = kMsgDataError;
    if (r == kMsgNotFound && suffix.empty()) suffix = page.missing;
    if (r) {
      Refused(out, r, suffix);
      return 1;
    }
    out += "ok\t" + std::string(page.record->Xref()) + "\n";
    return 0;
  }
  if (op.name == "add-spouse" || op.name == "add-child" || op.name == "remove") {
    if (!Find(store, op.args[0], t) || t.kind != PageKind::kFamily) return notFound(op.args[0]);
    if (!Find(store, op.args[1], who) || who.kind != PageKind::kIndividual)
      return notFound(op.args[1]);
    RecordPage page;
    if (ReadPage(store, t.kind, t.index, page)) return notFound(op.args[0]);
    int r = op.name == "add-spouse"  ? AddSpouse(store, page, who.index)
            : op.name == "add-child" ? AddChild(store, page, who.index)
                                     : RemovePerson(store, page, who.index);
    if (r == kNoSummary) return notFound(op.args[1]);
    if (!r) r = StorePage(store, page);
    if (r) {
      Refused(out, r);
      return 1;
    }
    out += "ok\n";
    return 0;
  }
  // header
  RecordPage head, subm;
  if (ReadPage(store, PageKind::kHeader, 0, head)) head = NewPage(PageKind::kHeader);
  if (ReadPage(store, PageKind::kSubmitter, 0, subm)) subm = NewPage(PageKind::kSubmitter);
  std::vector<std::string_view> headFields, submFields;
  for (std::string_view f : op.fields) {
    if (f.substr(0, 10) == "submitter.")
      submFields.push_back(f.substr(10));
    else
      headFields.push_back(f);
  }
  int r = SetFields(store, head, headFields, suffix);
  if (!r) r = SetFields(store, subm, submFields, suffix);
  if (!r && !head.record) r = kMsgDataError;  // a store without a header cannot be given one here
  if (!r) r = StorePage(store, head);
  if (!r && !submFields.empty()) r = StorePage(store, subm);
  if (r) {
    Refused(out, r, suffix);
    return 1;
  }
  out += "ok\n";
  return 0;
}

}  // namespace

int RunEditScript(RecordStore& store, std::span<const std::string_view> tokens, std::string& output,
                  std::string& error) {
  std::vector<Op> ops;
  if (!Parse(tokens, ops, error)) return -1;
  int refused = 0;
  for (const Op& op : ops) refused += Apply(store, op, output);
  return refused;
}

std::string EditHelp() {
  std::string help =
      "operations, applied in order:\n"
      "  show XREF                   the page, one field a line\n"
      "  set XREF FIELD=VALUE...     change fields of an individual, family, source or repository\n"
      "  new-indi [FIELD=VALUE...]   a new individual\n"
      "  new-fam [FIELD=VALUE...]    a new family (spouse=XREF, child=XREF add people)\n"
      "  new-sour, new-repo [FIELD=VALUE...]\n"
      "  delete XREF                 delete a record (questions answered OK)\n"
      "  add-spouse FAM INDI, add-child FAM INDI, remove FAM INDI\n"
      "  header FIELD=VALUE...       header fields; submitter.FIELD for the submitter\n"
      "fields (N: item number from 1; one past the last adds an item):\n";
  const std::pair<const char*, PageKind> kinds[] = {
      {"individual", PageKind::kIndividual}, {"family", PageKind::kFamily},
      {"source", PageKind::kSource},         {"repository", PageKind::kRepository},
      {"header", PageKind::kHeader},         {"submitter", PageKind::kSubmitter}};
  for (const auto& [name, kind] : kinds) {
    help += "  ";
    help += name;
    help += ":";
    for (const std::string& f : FieldNames(kind)) {
      if (kind == PageKind::kFamily && (f == "husband" || f == "wife")) continue;
      help += " " + (kind == PageKind::kSubmitter ? "submitter." + f : f);
    }
    if (kind == PageKind::kFamily) help += " spouse child";
    help += "\n";
  }
  return help;
}

}  // namespace dv::viewedit
