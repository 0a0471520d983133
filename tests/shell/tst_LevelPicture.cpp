#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "labyrinth/Labyrinth.h"
#include "shell/LevelPicture.h"
#include "shell/LevelOptions.h"

using shell::Feature;
using shell::Placed;

namespace {

long Count(const std::string& text, const std::string& part) {
  long count = 0;
  for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
  return count;
}

TEST(LevelPicture, EachCellCodeShowsItsFeature) {
  // Row 0: every code; row 1: open floor with a friend and a pickup on it.
  const std::string layout = "XxzUyYPEM \n          \n";
  const auto picture =
      shell::MakeLevelPicture(layout, {{Feature::Friend, 1, 1}, {Feature::Pickup, 2, 1}, {Feature::Monster, 8, 0}});
  EXPECT_EQ(picture.Width, 10);
  EXPECT_EQ(picture.Height, 2);
  // The start and the exit last: nothing drawn may hide them.
  const std::vector<Placed> expected = {
      {Feature::Wall, 0, 0},    {Feature::LowBlock, 1, 0}, {Feature::Doorway, 2, 0}, {Feature::Unreachable, 3, 0},
      {Feature::Crate, 4, 0},   {Feature::Crate, 5, 0},    {Feature::Monster, 8, 0}, {Feature::Friend, 1, 1},
      {Feature::Pickup, 2, 1},  {Feature::Start, 6, 0},    {Feature::Exit, 7, 0},  // the monster once
  };
  EXPECT_EQ(picture.Cells, expected);

  // Every feature has its own legend entry and colour.
  std::set<std::string> colours;
  for (const auto& entry : shell::Legend()) {
    EXPECT_EQ(&shell::LegendOf(entry.What), &entry);
    colours.insert(entry.Colour);
  }
  EXPECT_EQ(colours.size(), shell::Legend().size());
}

TEST(LevelPicture, SvgIsWellFormedWithACellPerFeatureAndTheLegend) {
  const auto picture = shell::MakeLevelPicture("XP \n MEy\n", {{Feature::Pickup, 2, 0}});
  const std::string svg = shell::LevelPictureSvg(picture, {"Seed 7", "a <b> & \"c\""});
  // One picture, its groups closed, its shapes empty elements.
  EXPECT_EQ(svg.rfind("<svg ", 0), 0u);
  EXPECT_EQ(svg.find("</svg>"), svg.size() - 7);
  EXPECT_EQ(Count(svg, "<svg"), 1);
  EXPECT_EQ(Count(svg, "<g "), Count(svg, "</g>"));
  EXPECT_EQ(Count(svg, "/>"), Count(svg, "<rect ") + Count(svg, "<circle ") + Count(svg, "<path "));
  // Background, floor, 4 filled cells (X P E y), 7 legend squares.
  EXPECT_EQ(Count(svg, "<rect "), 2 + 4 + 7);
  EXPECT_EQ(Count(svg, "<circle "), 2 + 3);  // M and the pickup, 3 legend dots
  EXPECT_EQ(Count(svg, "<text "), 2 + 1 + 10);  // caption, scale bar, legend
  EXPECT_EQ(Count(svg, "</text>"), 2 + 1 + 10);
  EXPECT_NE(svg.find("a &lt;b&gt; &amp; &quot;c&quot;"), std::string::npos);
  EXPECT_NE(svg.find(">Pickup</text>"), std::string::npos);
}

TEST(LevelPicture, CharactersOfALevelStandOnOpenCells) {
  const LabyrinthOptions options{2, 1, 2, 0, 0, 2};  // medium, high skill, two friends
  Labyrinth lab(options, 1234);
  ASSERT_GT(lab.GenerateLevel(), 0);
  const auto placed = shell::PlacedCharacters(lab);
  int friends = 0, monsters = 0;
  for (const Placed& p : placed) {
    const char code = lab.LayoutPreview()[static_cast<size_t>(p.Y * (lab.Width + 1) + p.X)];
    EXPECT_TRUE(code == Cell::Free || code == Cell::Monster || code == Cell::Start) << p.X << ',' << p.Y << " '" << code << "'";
    friends += p.What == Feature::Friend;
    monsters += p.What == Feature::Monster;
  }
  EXPECT_EQ(friends, 2);
  EXPECT_EQ(monsters, lab.MonsterCount);
}

TEST(LevelCaption, NamesTheSeedAndTheSixOptionsAsTheWindowDoes) {
  const auto lines = shell::LevelCaption({4, 2, 2, 3, 0, 2}, 99);
  EXPECT_EQ(lines, (std::vector<std::string>{"Seed 99", "Map Dimension Very Big, Monsters Type Aliens only",
                                             "Game Type Kill all, Map Complexity High", "Skill High, Friends 2"}));
}

}  // namespace
