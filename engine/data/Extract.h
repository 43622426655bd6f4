#pragma once
// The Extract step around the chart-file writers: the output must not be
// the data source itself (compared as full paths without regard to case,
// and as the same file on disk), an existing output is replaced only when
// the user agrees, then the chosen writer runs.

#include "charts/selective/ChartFileWrite.h"

namespace dv {

inline constexpr int kMsgSameFiles = 190;        // "Input & output files the same!"
inline constexpr int kMsgExtracted = 191;        // "Data successfully extracted"
inline constexpr int kMsgCannotExtract = 192;    // "Cannot extract data"
inline constexpr int kMsgReplaceOutput = 210;    // question + the output name

// extractFormat: 1 Birth Brief, 0 Tree.
inline constexpr int kExtractBirthBrief = 1;
inline constexpr int kExtractTree = 0;

// Checks the output and runs the writer: 0 on success; otherwise 190 (the
// same file, shown), -1 (a question cancelled or a failure already shown)
// or the writer's id. The caller then shows 191 or 192.
int RunExtract(const ExtractRequest& request, int extractFormat, const SelectivePrompter& prompter);

}  // namespace dv
