#include "data/viewedit/ItemBrowser.h"

#include <map>
#include <vector>

#include "data/TagTable.h"
#include "data/viewedit/PageCommon.h"
#include "data/viewedit/ViewEditFrame.h"
#include "shell/ShowMessage.h"

namespace dv::win {

using dv::viewedit::RecordPage;

namespace {

constexpr int kAskDeleteItem = 221;

// The item chosen in each browser (by its list control): a 1-based place
// in the page's list of that kind.
std::map<int, int>& Chosen() {
  static std::map<int, int> chosen;
  return chosen;
}

const char* Prefix(ItemClass c) { return c == ItemClass::kAttribute ? "attribute" : "event"; }

const std::vector<dv::viewedit::PageItem>& Items(const RecordPage& page, ItemClass c) {
  return c == ItemClass::kAttribute ? page.attributes : page.events;
}

std::string FieldName(ItemClass c, int n, const char* field) {
  return std::string(Prefix(c)) + "." + std::to_string(n) + "." + field;
}

// The name shown for an item's tag.
std::string KindText(ItemClass c, int tag) {
  for (int number = 1; number <= ItemKindCount(c); ++number)
    if (ItemKindTag(c, number) == tag) return ItemKindName(c, number);
  return std::string(dv::TagName(tag));
}

struct FieldControl {
  int ItemBrowserSpec::*control;
  const char* field;
  int limit;
};
constexpr FieldControl kFields[] = {
    {&ItemBrowserSpec::value, "value", 248}, {&ItemBrowserSpec::type, "type", 63},
    {&ItemBrowserSpec::date, "date", 63},    {&ItemBrowserSpec::place, "place", 63},
    {&ItemBrowserSpec::note, "note", 16000},
};

void FillFieldsOf(HWND dialog, const ItemBrowserSpec& spec, const RecordPage& page, bool edit) {
  const int n = Chosen()[spec.list];
  const auto& items = Items(page, spec.itemClass);
  const bool any = n >= 1 && n <= static_cast<int>(items.size()) && !items[n - 1].removed;
  FillingScope filling;
  for (const FieldControl& f : kFields) {
    const int control = spec.*f.control;
    if (!control) continue;
    HWND box = GetDlgItem(dialog, control);
    SendMessageA(box, EM_LIMITTEXT, static_cast<WPARAM>(f.limit), 0);
    SetWindowTextA(box, any ? dv::viewedit::GetField(page, FieldName(spec.itemClass, n, f.field)).c_str() : "");
    SendMessageA(box, EM_SETREADONLY, edit && any ? FALSE : TRUE, 0);
  }
  HWND kinds = GetDlgItem(dialog, spec.kind);
  int selected = -1;
  if (any)
    for (int number = 1; number <= ItemKindCount(spec.itemClass); ++number)
      if (ItemKindTag(spec.itemClass, number) == items[n - 1].tag) selected = number - 1;
  SendMessageA(kinds, CB_SETCURSEL, static_cast<WPARAM>(selected), 0);
  EnableWindow(kinds, edit && any);
  EnableWindow(GetDlgItem(dialog, spec.newButton), edit);
  EnableWindow(GetDlgItem(dialog, spec.deleteButton), edit && any);
  if (spec.source) EnableWindow(GetDlgItem(dialog, spec.source), any);
}

void FillList(HWND dialog, const ItemBrowserSpec& spec, const RecordPage& page) {
  HWND list = GetDlgItem(dialog, spec.list);
  SendMessageA(list, LB_RESETCONTENT, 0, 0);
  const auto& items = Items(page, spec.itemClass);
  int& chosen = Chosen()[spec.list];
  int chosenRow = -1, firstLive = 0;
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (items[i].removed) continue;
    const int n = static_cast<int>(i) + 1;
    if (!firstLive) firstLive = n;
    std::string row = KindText(spec.itemClass, items[i].tag);
    for (const char* f : {"value", "date", "place"}) {
      std::string part = dv::viewedit::GetField(page, FieldName(spec.itemClass, n, f));
      if (!part.empty() && part != "Y") row += "  " + part;
    }
    const LRESULT at = SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(row.c_str()));
    SendMessageA(list, LB_SETITEMDATA, static_cast<WPARAM>(at), n);
    if (n == chosen) chosenRow = static_cast<int>(at);
  }
  if (chosenRow < 0) {
    chosen = firstLive;
    chosenRow = firstLive ? 0 : -1;
  }
  SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(chosenRow), 0);
}

}  // namespace

int ItemKindCount(ItemClass c) {
  switch (c) {
    case ItemClass::kAttribute:
      return dv::AttributeCount();
    case ItemClass::kFamilyEvent:
      return dv::FamilyEventCount();
    default:
      return dv::IndividualEventCount();
  }
}

std::string ItemKindName(ItemClass c, int number) {
  switch (c) {
    case ItemClass::kAttribute:
      return std::string(dv::AttributeName(number));
    case ItemClass::kFamilyEvent:
      return std::string(dv::FamilyEventName(number));
    default:
      return std::string(dv::IndividualEventName(number));
  }
}

int ItemKindTag(ItemClass c, int number) {
  switch (c) {
    case ItemClass::kAttribute:
      return dv::AttributeTag(number);
    case ItemClass::kFamilyEvent:
      return dv::FamilyEventTag(number);
    default:
      return dv::IndividualEventTag(number);
  }
}

void FillItemBrowser(HWND dialog, const ItemBrowserSpec& spec, const RecordPage& page, bool edit) {
  HWND kinds = GetDlgItem(dialog, spec.kind);
  if (SendMessageA(kinds, CB_GETCOUNT, 0, 0) <= 0)
    for (int number = 1; number <= ItemKindCount(spec.itemClass); ++number)
      SendMessageA(kinds, CB_ADDSTRING, 0,
                   reinterpret_cast<LPARAM>(ItemKindName(spec.itemClass, number).c_str()));
  FillList(dialog, spec, page);
  FillFieldsOf(dialog, spec, page, edit);
}

bool ItemBrowserCommand(HWND dialog, const ItemBrowserSpec& spec, RecordPage& page, int control,
                        int code) {
  const bool edit = EditState();
  int& chosen = Chosen()[spec.list];
  if (control == spec.list) {
    if (code == LBN_SELCHANGE) {
      HWND list = GetDlgItem(dialog, spec.list);
      const LRESULT row = SendMessageA(list, LB_GETCURSEL, 0, 0);
      chosen = row == LB_ERR ? 0 : static_cast<int>(SendMessageA(list, LB_GETITEMDATA, row, 0));
      FillFieldsOf(dialog, spec, page, edit);
    }
    return true;
  }
  if (spec.source && control == spec.source) {
    if (code == BN_CLICKED && chosen) {
      // The panel keeps the name: it outlives this call.
      const std::string prefix = FieldName(spec.itemClass, chosen, "source");
      OpenCitationPanel(prefix.c_str());
    }
    return true;
  }
  if (control == spec.newButton || control == spec.deleteButton || control == spec.kind) {
    if (!edit || Filling()) return true;
    if (control == spec.newButton && code == BN_CLICKED) {
      // A new item starts as the general kind ("Event", or the first attribute).
      const int n = static_cast<int>(Items(page, spec.itemClass).size()) + 1;
      const int tag = spec.itemClass == ItemClass::kAttribute ? ItemKindTag(spec.itemClass, 1)
                                                              : dv::TagCodeOf("EVEN");
      const int result =
          dv::viewedit::SetField(page, FieldName(spec.itemClass, n, "tag"), dv::TagName(tag));
      if (result > 0) showMessage(dialog, result, false);
      if (result == 0) chosen = n;
    } else if (control == spec.deleteButton && code == BN_CLICKED && chosen) {
      if (showMessage(dialog, kAskDeleteItem, true) != 0) return true;
      dv::viewedit::SetField(page, FieldName(spec.itemClass, chosen, "delete"), "Y");
      chosen = 0;
    } else if (control == spec.kind && code == CBN_SELCHANGE && chosen) {
      const LRESULT pick = SendDlgItemMessageA(dialog, spec.kind, CB_GETCURSEL, 0, 0);
      if (pick != CB_ERR)
        dv::viewedit::SetField(page, FieldName(spec.itemClass, chosen, "tag"),
                               dv::TagName(ItemKindTag(spec.itemClass, static_cast<int>(pick) + 1)));
    } else {
      return true;
    }
    FillItemBrowser(dialog, spec, page, edit);
    RefreshViewEdit();
    return true;
  }
  for (const FieldControl& f : kFields) {
    if (!(spec.*f.control) || spec.*f.control != control) continue;
    if (code != EN_CHANGE || Filling() || !chosen) return true;
    std::vector<char> buffer(static_cast<std::size_t>(GetWindowTextLengthA(GetDlgItem(dialog, control))) + 1);
    GetDlgItemTextA(dialog, control, buffer.data(), static_cast<int>(buffer.size()));
    const std::string name = FieldName(spec.itemClass, chosen, f.field);
    const int result = dv::viewedit::SetField(page, name, buffer.data());
    if (result > 0) {
      showMessage(dialog, result, false);
      FillingScope filling;
      SetDlgItemTextA(dialog, control, dv::viewedit::GetField(page, name).c_str());
    }
    return true;
  }
  return false;
}

}  // namespace dv::win
