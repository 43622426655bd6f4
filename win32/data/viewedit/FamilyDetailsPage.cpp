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

constexpr BoundPageSpec kSpec{kFamilyDetailsPageTemplate, dv::viewedit::Tab::kFamily, kFields, false, false};

}  // namespace

HWND CreateFamilyDetailsPage(HWND parent) { return CreateBoundPage(parent, kSpec); }

}  // namespace dv::win
