#include "data/viewedit/HeaderPage.h"

#include "data/viewedit/BoundPage.h"
#include "data/viewedit/HeaderPageRes.h"

namespace dv::win {
namespace {

constexpr FieldBinding kFields[] = {
    {IDC_HEAD_ID, "id", 63},
    {IDC_HEAD_VERSION, "version", 63},
    {IDC_HEAD_PRODUCT, "product", 63},
    {IDC_HEAD_COMPANY, "company", 63},
    {IDC_HEAD_ADDRESS, "address", 248},
    {IDC_HEAD_SOURCE, "data", 63},
    {IDC_HEAD_SOURCE_DATE, "data.date", 63},
    {IDC_HEAD_DATA_RIGHTS, "data.copyright", 248},
    {IDC_HEAD_DESTINATION, "destination", 63},
    {IDC_HEAD_DATE, "date", 63},
    {IDC_HEAD_FILE, "file", 248},
    {IDC_HEAD_FILE_RIGHTS, "copyright", 248},
    {IDC_HEAD_GEDCOM_VERSION, "gedcom.version", 15},
    {IDC_HEAD_GEDCOM_FORM, "gedcom.form", 31},
    {IDC_HEAD_CHARSET, "charset", 31},
    {IDC_HEAD_LANGUAGE, "language", 63},
    {IDC_HEAD_DESCRIPTION, "description", 248},
};

constexpr FieldBinding kSubmitterFields[] = {
    {IDC_SUBM_NAME, "name", 63},
    {IDC_SUBM_ADDRESS, "address", 383},
    {IDC_SUBM_PHONE, "phone", 63},
    {IDC_SUBM_LANGUAGE, "language", 63},
};

constexpr BoundPageLayout kLayout{
    kHeaderPageTemplate, dv::viewedit::Tab::kHeader, kFields, false, false, {}, {}, nullptr,
    kSubmitterFields};

}  // namespace

HWND CreateHeaderPage(HWND parent) { return CreateBoundPage(parent, kLayout); }

}  // namespace dv::win
