#include "shell/CompileQuality.h"

#include <algorithm>
#include <cctype>

namespace shell {

namespace {

constexpr std::size_t kVis = 2, kRad = 3;

bool StartsIgnoringCase(const std::string& text, const std::string& start) {
  return text.size() >= start.size() && std::equal(start.begin(), start.end(), text.begin(), [](char a, char b) {
           return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
         });
}

}  // namespace

const std::vector<QualitySpec>& QualityTable() {
  static const std::vector<QualitySpec> table = {
      {CompileQuality::Fast, "fast", "Fast"},
      {CompileQuality::Normal, "normal", "Normal"},
      {CompileQuality::Full, "full", "Full"},
  };
  return table;
}

const QualitySpec& SpecOf(CompileQuality quality) {
  return QualityTable().at(static_cast<std::size_t>(quality));
}

Result<CompileQuality> ParseQuality(const std::string& text) {
  for (const QualitySpec& spec : QualityTable())
    if (text.size() == std::char_traits<char>::length(spec.Name) && StartsIgnoringCase(text, spec.Name))
      return spec.Quality;
  return Failure{"allowed are fast|normal|full"};
}

bool IsClassicTool(const std::string& tool) { return !StartsIgnoringCase(tool, "hl") && !StartsIgnoringCase(tool, "sdhl"); }

std::vector<std::string> QualityArguments(const std::string& tool, std::size_t step, CompileQuality quality) {
  if (IsClassicTool(tool)) return {};
  const bool sdhlt = StartsIgnoringCase(tool, "sdhl");
  if (quality == CompileQuality::Fast && step == kRad) return sdhlt ? std::vector<std::string>{"-fast"}
                                                                    : std::vector<std::string>{"-bounce", "0"};
  if (quality == CompileQuality::Full && step == kVis) return {"-full"};
  if (quality == CompileQuality::Full && step == kRad) return {"-extra"};
  return {};
}

}  // namespace shell
