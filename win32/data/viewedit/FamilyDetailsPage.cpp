#include "data/viewedit/FamilyDetailsPage.h"

#include "data/viewedit/BoundPage.h"
#include "data/viewedit/FamilyDetailsPageRes.h"

namespace dv::win {
namespace {

constexpr FieldBinding kFields[] = {
    {IDC_FAMX_NCHI, "nchi", 7},
    {IDC_FAMX_REFN, "refn", 63},
    {IDC_FAMX_NOTES, "note", 16000},
};

constexpr ItemBrowserControls kBrowsers[] = {
    {ItemClass::kFamilyEvent, IDC_FAMX_EVENTS, IDC_FAMX_EVENT_KIND, 0, IDC_FAMX_EVENT_TYPE,
     IDC_FAMX_EVENT_DATE, IDC_FAMX_EVENT_PLACE, IDC_FAMX_EVENT_NOTE, IDC_FAMX_EVENT_NEW,
     IDC_FAMX_EVENT_DELETE, IDC_FAMX_EVENT_SOURCE}};

constexpr BoundPageLayout kLayout{
    kFamilyDetailsPageTemplate, dv::viewedit::Tab::kFamily, kFields, false, false, {}, kBrowsers};

}  // namespace

HWND CreateFamilyDetailsPage(HWND parent) { return CreateBoundPage(parent, kLayout); }

}  // namespace dv::win
