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
  int ItemBrowserControls::*control;
  const char* field;
  int limit;
};
constexpr FieldControl kFields[] = {
    {&ItemBrowserControls::value, "value", 248}, {&ItemBrowserControls::type, "type", 63},
    {&ItemBrowserControls::date, "date", 63},    {&ItemBrowserControls::place, "place", 63},
    {&ItemBrowserControls::note, "note", 16000},
};

void FillFieldsOf(HWND dialog, const ItemBrowserControls& controls, const RecordPage& page,
                  bool edit) {
  const int n = Chosen()[controls.list];
  const auto& items = Items(page, controls.itemClass);
  const bool any = n >= 1 && n <= static_cast<int>(items.size()) && !items[n - 1].removed;
  FillingScope filling;
  for (const FieldControl& f : kFields) {
    const int control = controls.*f.control;
    if (!control) continue;
    HWND box = GetDlgItem(dialog, control);
    SendMessageA(box, EM_LIMITTEXT, static_cast<WPARAM>(f.limit), 0);
    SetWindowTextA(
        box,
        any ? dv::viewedit::GetField(page, FieldName(controls.itemClass, n, f.field)).c_str() : "");
    SendMessageA(box, EM_SETREADONLY, edit && any ? FALSE : TRUE, 0);
  }
  HWND kinds = GetDlgItem(dialog, controls.kind);
  int selected = -1;
  if (any)
    for (int number = 1; number <= ItemKindCount(controls.itemClass); ++number)
      if (ItemKindTag(controls.itemClass, number) == items[n - 1].tag) selected = number - 1;
  SendMessageA(kinds, CB_SETCURSEL, static_cast<WPARAM>(selected), 0);
  EnableWindow(kinds, edit && any);
  EnableWindow(GetDlgItem(dialog, controls.newButton), edit);
  EnableWindow(GetDlgItem(dialog, controls.deleteButton), edit && any);
  if (controls.source) EnableWindow(GetDlgItem(dialog, controls.source), any);
}

void FillList(HWND dialog, const ItemBrowserControls& controls, const RecordPage& page) {
  HWND list = GetDlgItem(dialog, controls.list);
  SendMessageA(list, LB_RESETCONTENT, 0, 0);
  const auto& items = Items(page, controls.itemClass);
  int& chosen = Chosen()[controls.list];
  int chosenRow = -1, firstLive = 0;
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (items[i].removed) continue;
    const int n = static_cast<int>(i) + 1;
    if (!firstLive) firstLive = n;
    std::string row = KindText(controls.itemClass, items[i].tag);
    for (const char* f : {"value", "date", "place"}) {
      std::string part = dv::viewedit::GetField(page, FieldName(controls.itemClass, n, f));
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

void FillItemBrowser(HWND dialog, const ItemBrowserControls& controls, const RecordPage& page,
                     bool edit) {
  HWND kinds = GetDlgItem(dialog, controls.kind);
  if (SendMessageA(kinds, CB_GETCOUNT, 0, 0) <= 0)
    for (int number = 1; number <= ItemKindCount(controls.itemClass); ++number)
      SendMessageA(kinds, CB_ADDSTRING, 0,
                   reinterpret_cast<LPARAM>(ItemKindName(controls.itemClass, number).c_str()));
  FillList(dialog, controls, page);
  FillFieldsOf(dialog, controls, page, edit);
}

bool ItemBrowserCommand(HWND dialog, const ItemBrowserControls& controls, RecordPage& page,
                        int control, int code) {
  const bool edit = EditState();
  int& chosen = Chosen()[controls.list];
  if (control == controls.list) {
    if (code == LBN_SELCHANGE) {
      HWND list = GetDlgItem(dialog, controls.list);
      const LRESULT row = SendMessageA(list, LB_GETCURSEL, 0, 0);
      chosen = row == LB_ERR ? 0 : static_cast<int>(SendMessageA(list, LB_GETITEMDATA, row, 0));
      FillFieldsOf(dialog, controls, page, edit);
    }
    return true;
  }
  if (controls.source && control == controls.source) {
    if (code == BN_CLICKED && chosen) {
      // The panel keeps the name: it outlives this call.
      const std::string prefix = FieldName(controls.itemClass, chosen, "source");
      OpenCitationPanel(prefix.c_str());
    }
    return true;
  }
  if (control == controls.newButton || control == controls.deleteButton ||
      control == controls.kind) {
    if (!edit || Filling()) return true;
    if (control == controls.newButton && code == BN_CLICKED) {
      // A new item starts as the general kind ("Event", or the first attribute).
      const int n = static_cast<int>(Items(page, controls.itemClass).size()) + 1;
      const int tag = controls.itemClass == ItemClass::kAttribute
                          ? ItemKindTag(controls.itemClass, 1)
                          : dv::TagCodeOf("EVEN");
      const int result =
          dv::viewedit::SetField(page, FieldName(controls.itemClass, n, "tag"), dv::TagName(tag));
      if (result > 0) showMessage(dialog, result, false);
      if (result == 0) chosen = n;
    } else if (control == controls.deleteButton && code == BN_CLICKED && chosen) {
      if (showMessage(dialog, kAskDeleteItem, true) != 0) return true;
      dv::viewedit::SetField(page, FieldName(controls.itemClass, chosen, "delete"), "Y");
      chosen = 0;
    } else if (control == controls.kind && code == CBN_SELCHANGE && chosen) {
      const LRESULT pick = SendDlgItemMessageA(dialog, controls.kind, CB_GETCURSEL, 0, 0);
      if (pick != CB_ERR)
        dv::viewedit::SetField(
            page, FieldName(controls.itemClass, chosen, "tag"),
            dv::TagName(ItemKindTag(controls.itemClass, static_cast<int>(pick) + 1)));
    } else {
      return true;
    }
    FillItemBrowser(dialog, controls, page, edit);
    RefreshViewEdit();
    return true;
  }
  for (const FieldControl& f : kFields) {
    if (!(controls.*f.control) || controls.*f.control != control) continue;
    if (code != EN_CHANGE || Filling() || !chosen) return true;
    std::vector<char> buffer(
        static_cast<std::size_t>(GetWindowTextLengthA(GetDlgItem(dialog, control))) + 1);
    GetDlgItemTextA(dialog, control, buffer.data(), static_cast<int>(buffer.size()));
    const std::string name = FieldName(controls.itemClass, chosen, f.field);
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
