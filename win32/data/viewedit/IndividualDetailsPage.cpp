#include "data/viewedit/IndividualDetailsPage.h"

#include "data/viewedit/BoundPage.h"
#include "data/viewedit/IndividualDetailsPageRes.h"

namespace dv::win {
namespace {

constexpr FieldBinding kFields[] = {
    {IDC_INDX_PREFIX, "prefix", 63},
    {IDC_INDX_SUFFIX, "suffix", 63},
    {IDC_INDX_CAUSE, "death.cause", 63},
    {IDC_INDX_REFN, "refn", 63},
    {IDC_INDX_ADOPTED, "adopted", kCheckBox},
};

constexpr BoundPageSpec kSpec{kIndividualDetailsPageTemplate, dv::viewedit::Tab::kIndividual, kFields, false, false};

}  // namespace

HWND CreateIndividualDetailsPage(HWND parent) { return CreateBoundPage(parent, kSpec); }

}  // namespace dv::win
