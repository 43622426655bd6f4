#include "data/viewedit/SourcePage.h"

#include "data/viewedit/BoundPage.h"
#include "data/viewedit/SourcePageRes.h"

namespace dv::win {
namespace {

constexpr FieldBinding kFields[] = {
    {IDC_SRC_DESCRIPTION, "title", 248}, {IDC_SRC_AUTHOR, "author", 248},
    {IDC_SRC_ABBR, "abbr", 63},          {IDC_SRC_PUBLISHED, "published", 248},
    {IDC_SRC_EVENT, "event", 63},        {IDC_SRC_DATE, "event.date", 63},
    {IDC_SRC_PLACE, "event.place", 63},  {IDC_SRC_TEXT, "text", 16000},
    {IDC_SRC_CALLNO, "callno", 63},      {IDC_SRC_MEDIUM, "medium", 63},
    {IDC_SRC_NOTES, "note", 16000},      {IDC_SRC_REFN, "refn", 63},
};

constexpr PointerBinding kPointers[] = {{IDC_SRC_REPOSITORY, IDC_SRC_REPOSITORY_CHOOSE,
                                         "repository", dv::PickerKind::kRepository, dv::kRepo}};

constexpr BoundPageLayout kLayout{
    kSourcePageTemplate, dv::viewedit::Tab::kSource, kFields, true, false, kPointers};

}  // namespace

HWND CreateSourcePage(HWND parent) { return CreateBoundPage(parent, kLayout); }

}  // namespace dv::win
