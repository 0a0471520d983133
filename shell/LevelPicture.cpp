#include "shell/LevelPicture.h"

#include <algorithm>
#include <set>
#include <sstream>
#include <tuple>

#include "labyrinth/Labyrinth.h"

namespace shell {

namespace {

constexpr char kTextColour[] = "#202020";
constexpr int kMargin = 10;
constexpr int kCaptionLine = 16;
constexpr int kScaleHeight = 24;
constexpr int kLegendRow = 20;
constexpr int kLegendColumn = 140;

// What a grid code shows; false for open floor. The brush mark stands for
// the wall it replaced.
bool FeatureOfCode(char code, Feature& what) {
  switch (code) {
    case Cell::Wall: case Cell::Built: what = Feature::Wall; return true;
    case Cell::LowBlock: what = Feature::LowBlock; return true;
    case Cell::Doorway: what = Feature::Doorway; return true;
    case Cell::Unreachable: what = Feature::Unreachable; return true;
    case Cell::Crate: case Cell::TwoCrates: what = Feature::Crate; return true;
    case Cell::Start: what = Feature::Start; return true;
    case Cell::Exit: what = Feature::Exit; return true;
    case Cell::Monster: what = Feature::Monster; return true;
    default: return false;
  }
}

bool StartsWith(const std::string& text, const char* prefix) { return text.rfind(prefix, 0) == 0; }

// Floor division, so that a point left of or above the grid is outside it.
int CellIndex(int offset, int cellSize) { return offset >= 0 ? offset / cellSize : -((cellSize - 1 - offset) / cellSize); }

std::string Escaped(const std::string& text) {
  std::string out;
  for (char c : text) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      default: out += c;
    }
  }
  return out;
}

void Shape(std::ostream& svg, const LegendEntry& entry, int x, int y, int size) {
  if (entry.Dot)
    svg << "<circle cx=\"" << x + size * 0.5 << "\" cy=\"" << y + size * 0.5 << "\" r=\"" << size * 0.4
        << "\" fill=\"" << entry.Colour << "\"/>\n";
  else
    svg << "<rect x=\"" << x << "\" y=\"" << y << "\" width=\"" << size << "\" height=\"" << size
        << "\" fill=\"" << entry.Colour << "\"/>\n";
}

}  // namespace

const std::vector<LegendEntry>& Legend() {
  static const std::vector<LegendEntry> legend = {
      {Feature::Wall, "Wall", "#3c3c46", false},
      {Feature::LowBlock, "Low block", "#a39a86", false},
      {Feature::Doorway, "Doorway", "#d9c9a3", false},
      {Feature::Unreachable, "Unreachable", "#c4c4c4", false},
      {Feature::Crate, "Crate", "#b5762d", false},
      {Feature::Start, "Start", "#2e9e44", false},
      {Feature::Exit, "Exit", "#1f5fd1", false},
      {Feature::Monster, "Monster", "#d03030", true},
      {Feature::Friend, "Friend", "#17a8b8", true},
      {Feature::Pickup, "Pickup", "#e0a800", true},
  };
  return legend;
}

const LegendEntry& LegendOf(Feature what) { return Legend()[static_cast<size_t>(what)]; }

std::vector<Placed> PlacedCharacters(const Labyrinth& lab) {
  std::vector<Placed> placed;
  for (const auto& entity : lab.Entities) {
    if (!entity->Origin) continue;
    const std::string& name = entity->ClassName;
    Feature what;
    if (name == "monster_barney")
      what = Feature::Friend;
    else if (StartsWith(name, "monster_"))
      what = Feature::Monster;
    else if (StartsWith(name, "weapon_") || StartsWith(name, "ammo_") || StartsWith(name, "item_"))
      what = Feature::Pickup;
    else
      continue;
    const int x = CellIndex(entity->Origin->X - lab.OriginX, Labyrinth::CellSize);
    const int y = CellIndex(lab.OriginY - entity->Origin->Y, Labyrinth::CellSize);
    if (x >= 0 && x < lab.Width && y >= 0 && y < lab.Height) placed.push_back({what, x, y});
  }
  return placed;
}

ScaleBar ScaleBarOf(const LevelPicture& picture) {
  ScaleBar bar;
  bar.Cells = std::min(10, picture.Width);
  bar.Text = std::to_string(bar.Cells) + " cells = " + std::to_string(bar.Cells * Labyrinth::CellSize) + " units";
  return bar;
}

LevelPicture MakeLevelPicture(const std::string& layout, const std::vector<Placed>& characters) {
  LevelPicture picture;
  std::vector<Placed> dots;
  std::istringstream lines(layout);
  std::string line;
  for (int y = 0; std::getline(lines, line); ++y) {
    picture.Height = y + 1;
    picture.Width = std::max(picture.Width, static_cast<int>(line.size()));
    for (int x = 0; x < static_cast<int>(line.size()); ++x) {
      Feature what;
      if (!FeatureOfCode(line[static_cast<size_t>(x)], what)) continue;
      (LegendOf(what).Dot ? dots : picture.Cells).push_back({what, x, y});
    }
  }
  dots.insert(dots.end(), characters.begin(), characters.end());
  std::set<std::tuple<Feature, int, int>> seen;
  for (const Placed& dot : dots)
    if (seen.insert({dot.What, dot.X, dot.Y}).second) picture.Cells.push_back(dot);
  return picture;
}

std::string LevelPictureSvg(const LevelPicture& picture, const std::vector<std::string>& caption,
                            int cellPixels) {
  const int gridWidth = picture.Width * cellPixels;
  const int gridHeight = picture.Height * cellPixels;
  // Wide enough for a caption line of the options.
  const int width = std::max(gridWidth, 3 * kLegendColumn) + 2 * kMargin;
  const int perRow = std::max(1, (width - 2 * kMargin) / kLegendColumn);
  const int legendRows = (static_cast<int>(Legend().size()) + perRow - 1) / perRow;
  const int gridTop = kMargin + static_cast<int>(caption.size()) * kCaptionLine + 6;
  const int legendTop = gridTop + gridHeight + kScaleHeight;
  const int height = legendTop + legendRows * kLegendRow + kMargin;

  std::ostringstream svg;
  svg << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" << width << "\" height=\"" << height
      << "\" viewBox=\"0 0 " << width << ' ' << height << "\" font-family=\"sans-serif\" font-size=\"12\">\n"
      << "<rect width=\"100%\" height=\"100%\" fill=\"#ffffff\"/>\n";
  for (size_t line = 0; line < caption.size(); ++line)
    svg << "<text x=\"" << kMargin << "\" y=\"" << kMargin + 12 + static_cast<int>(line) * kCaptionLine
        << "\" fill=\"" << kTextColour << "\">" << Escaped(caption[line]) << "</text>\n";
  svg << "<g transform=\"translate(" << kMargin << ' ' << gridTop << ")\">\n"
      << "<rect width=\"" << gridWidth << "\" height=\"" << gridHeight << "\" fill=\"" << kFloorColour << "\"/>\n";
  // The cells' lines, so distances can be counted.
  svg << "<path fill=\"none\" stroke=\"" << kGridLineColour << "\" stroke-width=\"0.5\" d=\"";
  for (int x = 0; x <= picture.Width; ++x) svg << 'M' << x * cellPixels << " 0V" << gridHeight;
  for (int y = 0; y <= picture.Height; ++y) svg << 'M' << "0 " << y * cellPixels << 'H' << gridWidth;
  svg << "\"/>\n";
  for (const Placed& cell : picture.Cells)
    Shape(svg, LegendOf(cell.What), cell.X * cellPixels, cell.Y * cellPixels, cellPixels);
  svg << "</g>\n";

  const ScaleBar scale = ScaleBarOf(picture);
  const int scaleY = gridTop + gridHeight + 12;
  const int scaleLength = scale.Cells * cellPixels;
  svg << "<path fill=\"none\" stroke=\"" << kTextColour << "\" d=\"M" << kMargin << ' ' << scaleY - 4 << 'V' << scaleY
      << 'H' << kMargin + scaleLength << 'V' << scaleY - 4 << "\"/>\n"
      << "<text x=\"" << kMargin + scaleLength + 6 << "\" y=\"" << scaleY << "\" fill=\"" << kTextColour << "\">"
      << scale.Text << "</text>\n";

  int index = 0;
  for (const LegendEntry& entry : Legend()) {
    const int x = kMargin + (index % perRow) * kLegendColumn;
    const int y = legendTop + (index / perRow) * kLegendRow;
    Shape(svg, entry, x, y, 12);
    svg << "<text x=\"" << x + 18 << "\" y=\"" << y + 11 << "\" fill=\"" << kTextColour << "\">" << entry.Label
        << "</text>\n";
    ++index;
  }
  svg << "</svg>\n";
  return svg.str();
}

}  // namespace shell
