#include "data/Extract.h"

#include <filesystem>
#include <system_error>

#include "charts/selective/ChartFileFormat.h"
#include "common/SafeFile.h"

namespace dv {

int RunExtract(const ExtractRequest& rq, int format, const SelectivePrompter& p) {
  if (rq.outputPath.empty()) {
    const int id = format == kExtractBirthBrief ? kMsgCannotOpenForOutput : kMsgChartFileCannotOpen;
    p.Show(id);
    return id;
  }
  if (SameFile(rq.outputPath, rq.sourcePath)) {
    p.Show(kMsgSameFiles);
    return kMsgSameFiles;
  }
  std::error_code ec;
  if (std::filesystem::exists(std::filesystem::path(rq.outputPath), ec) &&
      !p.Ask(kMsgReplaceOutput, rq.outputPath))
    return -1;
  return format == kExtractBirthBrief ? ExtractBirthBrief(rq, p) : ExtractTree(rq, p);
}

}  // namespace dv
