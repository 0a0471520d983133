#pragma once
// How thoroughly the compile tools work: Fast for a quick look (lighting
// without bounces), Normal (the tools' defaults), Full for a final build
// (full visibility, oversampled lighting). Lighting (RAD) takes most of
// every compile, so that is where the three differ; a faster visibility
// pass saves little time and makes the level draw far more, so Fast keeps
// VIS as it is. Each is a fixed list of arguments per compiler set:
//
//   quality  SDHLT (sdHL...)              ZHLT (hl...)               classic (qrad.exe ...)
//   fast     RAD -fast                    RAD -bounce 0              as normal
//   normal   -                            -                          -
//   full     VIS -full, RAD -extra        VIS -full, RAD -extra      as normal
//
// (ZHLT's hlrad has no -fast.) Kept in the settings as `quality=NAME`.

#include <string>
#include <vector>

#include "platform/Result.h"

namespace shell {

enum class CompileQuality { Fast, Normal, Full };

struct QualitySpec {
  CompileQuality Quality;
  const char* Name;     // on the command line and in the settings file
  const char* Caption;  // as the windows show it
};

// Fast, Normal, Full, in that order.
const std::vector<QualitySpec>& QualityTable();
const QualitySpec& SpecOf(CompileQuality quality);
// A name (case ignored); fails saying what is allowed.
Result<CompileQuality> ParseQuality(const std::string& text);

// The arguments a tool gets for this quality before the map, besides the
// threads: the tool's file name says its set, step is 0-3 (CSG, BSP, VIS,
// RAD). A classic tool gets none.
std::vector<std::string> QualityArguments(const std::string& tool, std::size_t step, CompileQuality quality);
// True for the classic tools, which take none of these arguments.
bool IsClassicTool(const std::string& tool);

}  // namespace shell
