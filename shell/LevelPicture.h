#pragma once
// A picture of a level's layout, seen from above: one coloured square or dot
// per cell of the grid, with a legend. The SVG writer and the windows draw
// the same model, so every front end shows the same picture.

#include <functional>
#include <string>
#include <vector>

class Labyrinth;

namespace shell {

// What a cell of the picture shows, in the legend's order.
enum class Feature { Wall, LowBlock, Doorway, Unreachable, Crate, Start, Exit, Monster, Friend, Pickup };

// A feature at a grid cell (column X, row Y; row 0 at the top).
struct Placed {
  Feature What;
  int X = 0, Y = 0;
  bool operator==(const Placed& other) const { return What == other.What && X == other.X && Y == other.Y; }
};

struct LegendEntry {
  Feature What;
  const char* Label;
  const char* Colour;  // "#rrggbb"
  bool Dot;            // drawn as a dot on the floor rather than a filled cell
};

// The open floor under the features, and the lines between the cells.
inline constexpr char kFloorColour[] = "#f4f1ea";
inline constexpr char kGridLineColour[] = "#d8d2c4";

// Every feature, in the legend's order.
const std::vector<LegendEntry>& Legend();
const LegendEntry& LegendOf(Feature what);

// The monsters, friends and pickups of a generated level, each at the cell
// its origin lies in.
std::vector<Placed> PlacedCharacters(const Labyrinth& lab);

struct LevelPicture {
  int Width = 0, Height = 0;  // grid cells
  // In drawing order, each cell and feature once: filled cells, dots, and
  // last the start and the exit, which nothing may hide.
  std::vector<Placed> Cells;
};

// The scale bar under a picture: ten cells, or the whole width when it is
// narrower, and the map units they span.
struct ScaleBar {
  int Cells = 0;
  std::string Text;  // "10 cells = 640 units"
};
ScaleBar ScaleBarOf(const LevelPicture& picture);

// The picture of a layout (Height lines of Width cell codes, as
// Labyrinth::LayoutPreview gives it) with the characters placed on it.
LevelPicture MakeLevelPicture(const std::string& layout, const std::vector<Placed>& characters = {});

// One thing a window draws for the picture, in its own pixels.
struct PictureMark {
  enum class Kind {
    Fill,      // the box filled with Colour
    Dot,       // a dot of Colour in the box
    Text,      // Text, left-aligned and centred in the box's height
    ScaleBar,  // the box's left, bottom and right edges, as a bracket
  };
  Kind What = Kind::Fill;
  int X = 0, Y = 0, Width = 0, Height = 0;
  const char* Colour = nullptr;  // "#rrggbb"; null: the window's text colour
  std::string Text;
};

// How a window's font measures text, in its pixels.
struct TextMeasure {
  int LineHeight = 16;
  std::function<int(const std::string& text)> Width;
};

// The picture laid out in width x height pixels, as both windows draw it:
// the grid as large as fits with whole pixels a cell, centred at the top;
// the scale bar below it, its label on a line of its own when it would not
// fit beside the bar; then the legend, each entry on a patch of floor, in as
// many columns as fit. Nothing for an empty picture.
std::vector<PictureMark> LayOutPicture(const LevelPicture& picture, int width, int height, const TextMeasure& text);

// The width and height the laid-out picture wants at cellPixels a cell.
std::pair<int, int> PictureSize(const LevelPicture& picture, int cellPixels, const TextMeasure& text);

// The picture as a standalone SVG document: the caption's lines, the grid at
// cellPixels per cell with a scale bar, and the legend below it.
std::string LevelPictureSvg(const LevelPicture& picture, const std::vector<std::string>& caption,
                            int cellPixels = 10);

}  // namespace shell
