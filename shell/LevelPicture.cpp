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
  // A pickup may lie on the start: the start's square goes over it.
  std::stable_partition(picture.Cells.begin(), picture.Cells.end(),
                        [](const Placed& cell) { return cell.What != Feature::Start && cell.What != Feature::Exit; });
  return picture;
}

namespace {

// The measures of the legend and scale bar in a window's font.
struct LegendLayout {
  int Line = 0, Swatch = 0, Gap = 0, Column = 0, Columns = 1, Rows = 0;
  bool ScaleTextBelow = false;  // the scale bar's label on a line of its own
  int Height() const { return Line * (Rows + (ScaleTextBelow ? 2 : 1)); }
};

LegendLayout LayOutLegend(const LevelPicture& picture, int width, int cellPixels, const TextMeasure& text) {
  LegendLayout legend;
  legend.Line = text.LineHeight + std::max(2, text.LineHeight / 4);
  legend.Swatch = std::max(8, text.LineHeight * 2 / 3);
  legend.Gap = std::max(4, text.LineHeight / 4);
  int widest = 0;
  for (const LegendEntry& entry : Legend()) widest = std::max(widest, text.Width(entry.Label));
  legend.Column = widest + legend.Swatch + 3 * legend.Gap;
  legend.Columns = std::max(1, width / legend.Column);
  legend.Rows = (static_cast<int>(Legend().size()) + legend.Columns - 1) / legend.Columns;
  const ScaleBar scale = ScaleBarOf(picture);
  legend.ScaleTextBelow = scale.Cells * cellPixels + legend.Gap + text.Width(scale.Text) > width;
  return legend;
}

int CellPixelsFor(const LevelPicture& picture, int width, int height, const TextMeasure& text) {
  for (int cell = std::min(width / picture.Width, height / picture.Height); cell > 1; --cell)
    if (picture.Height * cell + LayOutLegend(picture, width, cell, text).Height() <= height) return cell;
  return 1;
}

}  // namespace

std::vector<PictureMark> LayOutPicture(const LevelPicture& picture, int width, int height, const TextMeasure& text) {
  using Kind = PictureMark::Kind;
  std::vector<PictureMark> marks;
  if (picture.Width == 0 || picture.Height == 0 || width <= 0 || height <= 0) return marks;
  const int cell = CellPixelsFor(picture, width, height, text);
  const LegendLayout legend = LayOutLegend(picture, width, cell, text);
  const int gridWidth = picture.Width * cell, gridHeight = picture.Height * cell;
  const int left = (width - gridWidth) / 2;

  marks.push_back({Kind::Fill, left, 0, gridWidth, gridHeight, kFloorColour, {}});
  if (cell >= 4) {  // the cells' lines, so distances can be counted
    for (int x = 0; x <= picture.Width; ++x) marks.push_back({Kind::Fill, left + x * cell, 0, 1, gridHeight, kGridLineColour, {}});
    for (int y = 0; y <= picture.Height; ++y) marks.push_back({Kind::Fill, left, y * cell, gridWidth + 1, 1, kGridLineColour, {}});
  }
  for (const Placed& placed : picture.Cells) {
    const LegendEntry& entry = LegendOf(placed.What);
    marks.push_back({entry.Dot ? Kind::Dot : Kind::Fill, left + placed.X * cell, placed.Y * cell, cell, cell, entry.Colour, {}});
  }

  const ScaleBar scale = ScaleBarOf(picture);
  const int barLength = scale.Cells * cell, tick = std::max(3, legend.Line / 5);
  marks.push_back({Kind::ScaleBar, left, gridHeight + legend.Line / 2 - tick, barLength, 2 * tick, nullptr, {}});
  const int labelTop = gridHeight + (legend.ScaleTextBelow ? legend.Line : 0);
  const int labelLeft = legend.ScaleTextBelow ? left : left + barLength + legend.Gap;
  marks.push_back({Kind::Text, labelLeft, labelTop, text.Width(scale.Text), legend.Line, nullptr, scale.Text});

  const int legendTop = labelTop + legend.Line;
  int index = 0;
  for (const LegendEntry& entry : Legend()) {
    const int x = (index % legend.Columns) * legend.Column + legend.Gap;
    const int top = legendTop + legend.Line * (index / legend.Columns);
    const int swatchTop = top + (legend.Line - legend.Swatch) / 2;
    // On a patch of floor, as in the picture: a dark wall stays visible on a
    // dark desktop.
    marks.push_back({Kind::Fill, x, swatchTop, legend.Swatch, legend.Swatch, kFloorColour, {}});
    marks.push_back({entry.Dot ? Kind::Dot : Kind::Fill, x + 1, swatchTop + 1, legend.Swatch - 2, legend.Swatch - 2, entry.Colour, {}});
    const int labelX = x + legend.Swatch + legend.Gap;
    marks.push_back({Kind::Text, labelX, top, legend.Column - legend.Swatch - 2 * legend.Gap, legend.Line, nullptr, entry.Label});
    ++index;
  }
  return marks;
}

std::pair<int, int> PictureSize(const LevelPicture& picture, int cellPixels, const TextMeasure& text) {
  const LegendLayout narrow = LayOutLegend(picture, 0, cellPixels, text);
  const int width = std::max(picture.Width * cellPixels, 3 * narrow.Column);
  return {width, picture.Height * cellPixels + LayOutLegend(picture, width, cellPixels, text).Height()};
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
