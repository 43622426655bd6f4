#include "data/viewedit/IndividualDetailsPage.h"

#include "data/viewedit/BoundPage.h"
#include "data/viewedit/IndividualDetailsPageRes.h"

namespace dv::win {
namespace {

constexpr FieldBinding kFields[] = {
    {IDC_INDX_PREFIX, "prefix", 63},          {IDC_INDX_SUFFIX, "suffix", 63},
    {IDC_INDX_CAUSE, "death.cause", 63},      {IDC_INDX_REFN, "refn", 63},
    {IDC_INDX_ADOPTED, "adopted", kCheckBox},
};

constexpr ItemBrowserControls kBrowsers[] = {
    {ItemClass::kIndividualEvent, IDC_INDX_EVENTS, IDC_INDX_EVENT_KIND, 0, IDC_INDX_EVENT_TYPE,
     IDC_INDX_EVENT_DATE, IDC_INDX_EVENT_PLACE, IDC_INDX_EVENT_NOTE, IDC_INDX_EVENT_NEW,
     IDC_INDX_EVENT_DELETE, IDC_INDX_EVENT_SOURCE},
    {ItemClass::kAttribute, IDC_INDX_ATTRIBUTES, IDC_INDX_ATTRIBUTE_KIND, IDC_INDX_ATTRIBUTE_VALUE,
     0, IDC_INDX_ATTRIBUTE_DATE, IDC_INDX_ATTRIBUTE_PLACE, IDC_INDX_ATTRIBUTE_NOTE,
     IDC_INDX_ATTRIBUTE_NEW, IDC_INDX_ATTRIBUTE_DELETE}};

constexpr AssociateBrowserControls kAssociates{IDC_INDX_ASSOCIATES, IDC_INDX_ASSOCIATE_RELATION,
                                               IDC_INDX_ASSOCIATE_NEW, IDC_INDX_ASSOCIATE_DELETE};

constexpr BoundPageLayout kLayout{kIndividualDetailsPageTemplate,
                                  dv::viewedit::Tab::kIndividual,
                                  kFields,
                                  false,
                                  false,
                                  {},
                                  kBrowsers,
                                  &kAssociates};

}  // namespace

HWND CreateIndividualDetailsPage(HWND parent) { return CreateBoundPage(parent, kLayout); }

}  // namespace dv::win
