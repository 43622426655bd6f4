#include "data/SummaryText.h"

#include <cstring>

#include "data/RecordStore.h"

namespace dv {
namespace {
// Every text field of the most summaries a data source can hold, each at
// its limit: a load never needs more. Only what is filled is touched.
template <typename Field>
constexpr std::size_t kFieldBytes = Field::kMaxLength + 1;
constexpr std::size_t kIndividualTextBytes = kFieldBytes<decltype(IndividualSummary::displayName)> +
                                             kFieldBytes<decltype(IndividualSummary::birthYear)> +
                                             kFieldBytes<decltype(IndividualSummary::birthDate)> +
                                             kFieldBytes<decltype(IndividualSummary::birthPlace)> +
                                             kFieldBytes<decltype(IndividualSummary::deathDate)> +
                                             kFieldBytes<decltype(IndividualSummary::deathPlace)> +
                                             kFieldBytes<decltype(IndividualSummary::occupation)>;
constexpr std::size_t kFamilyTextBytes = kFieldBytes<decltype(FamilySummary::marriagePlace)> +
                                         kFieldBytes<decltype(FamilySummary::marriageDate)>;
constexpr std::size_t kRegionBytes =
    std::size_t{kMaxIndividualBlocks} * std::tuple_size_v<IndividualBlock> * kIndividualTextBytes +
    std::size_t{kMaxFamilyBlocks} * std::tuple_size_v<FamilyBlock> * kFamilyTextBytes;
}  // namespace

const char* SummaryTexts::Store(std::string_view text) {
  if (text.empty()) return "";
  // The end of a line text: a string of the pool runs on to its NUL. The
  // region's bounds, not its opened blocks, are asked: a load may be
  // storing keys in the pool on another thread meanwhile.
  if (lines_ && lines_->InRegion(text.data()) && lines_->InRegion(text.data() + text.size()) &&
      text.data()[text.size()] == '\0')
    return text.data();
  if (!region_.Size() && region_.Obtain(kRegionBytes)) {
    // Filled a few bytes a summary at a time, to an end no one knows ahead:
    // ordinary pages, so the last one brings in 4 KB rather than 2 MB.
    region_.HugePagesUpTo(0);
  }
  if (region_.Size() && used_ + text.size() + 1 <= region_.Size()) {
    char* dst = region_.Data() + used_;
    std::memcpy(dst, text.data(), text.size());
    dst[text.size()] = 0;
    used_ += text.size() + 1;
    return dst;
  }
  try {
    overflow_.emplace_back(text);
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
  return overflow_.back().c_str();
}

void SummaryTexts::Clear() {
  used_ = 0;
  overflow_.clear();
}

}  // namespace dv
