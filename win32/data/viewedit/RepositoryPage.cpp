#include "data/viewedit/RepositoryPage.h"

#include "data/viewedit/BoundPage.h"
#include "data/viewedit/RepositoryPageRes.h"

namespace dv::win {
namespace {

constexpr FieldBinding kFields[] = {
    {IDC_REPO_NAME, "name", 63}, {IDC_REPO_ADDRESS, "address", 383}, {IDC_REPO_PHONE, "phone", 63},
    {IDC_REPO_REFN, "refn", 63}, {IDC_REPO_NOTES, "note", 16000},
};

constexpr BoundPageLayout kLayout{kRepositoryPageTemplate, dv::viewedit::Tab::kRepository, kFields,
                                  true, false};

}  // namespace

HWND CreateRepositoryPage(HWND parent) { return CreateBoundPage(parent, kLayout); }

}  // namespace dv::win
