// Whole levels: what must hold for every option combination and any seed.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "labyrinth/Labyrinth.h"

namespace {

// A generated level read through its preview and its lists.
struct LevelCheck {
  const Labyrinth& Lab;
  const LabyrinthOptions& Opt;
  const std::string& Preview = Lab.LayoutPreview();
  size_t Next = 0;  // the entity to check next
  char At(int x, int y) const { return Preview[static_cast<size_t>(y * (Lab.Width + 1) + x)]; }
  std::string Name() const {
    return Next < Lab.Entities.size() ? Lab.Entities[Next]->ClassName : "(end)";
  }
  // The cell the next entity stands on, at its centre.
  std::pair<int, int> Place(bool onFree = true) {
    const HLEntity& e = *Lab.Entities.at(Next++);
    const HLPoint o = e.Origin.value_or(HLPoint{-1, -1, 0});
    const int x = (o.X - Lab.OriginX) / 64, y = (Lab.OriginY - o.Y) / 64;
    const HLPoint centre = Lab.CellCentre(x, y, o.Z);
    EXPECT_TRUE(centre.X == o.X && centre.Y == o.Y) << e.ClassName << " off a cell centre";
    if (onFree) {
      EXPECT_EQ(At(x, y), Cell::Free) << e.ClassName << " at " << x << "," << y;
    }
    return {x, y};
  }

  // Every wall, low block and doorway cell lies in exactly one straight
  // brush of its own height; the brushes cover nothing else.
  void CheckGeometry() const {
    std::vector<int> covered(Preview.size(), 0);
    for (size_t b = 6; b < Lab.Blocks.size(); ++b) {
      const std::vector<HLWall>& faces = Lab.Blocks[b]->Walls;
      if (faces[0].Texture == "BOLTS") continue;  // the exit plate
      // Faces 1 and 2 are the top and bottom: P1 of the top is the corner.
      const int x0 = (faces[0].P1.X - Lab.OriginX) / 64, x1 = (faces[0].P2.X - Lab.OriginX) / 64;
      const int y0 = (Lab.OriginY - faces[0].P1.Y) / 64, y1 = (Lab.OriginY - faces[0].P3.Y) / 64;
      ASSERT_TRUE(x1 - x0 == 1 || y1 - y0 == 1) << "one cell thick";
      const char code = At(x0, y0);
      const int bottom = code == Cell::Doorway ? 120 : 0, top = code == Cell::LowBlock ? 56 : 180;
      EXPECT_TRUE(faces[0].P1.Z == top && faces[1].P1.Z == bottom) << code;
      for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x) {
          EXPECT_EQ(At(x, y), code) << x << "," << y;
          ++covered[static_cast<size_t>(y * (Lab.Width + 1) + x)];
        }
    }
    for (size_t i = 0; i < Preview.size(); ++i) {
      const char c = Preview[i];
      const bool solid = c == Cell::Wall || c == Cell::LowBlock || c == Cell::Doorway;
      ASSERT_EQ(covered[i], solid ? 1 : 0) << "cell " << i << " '" << c << "'";
    }
  }
  void Run() {
    ASSERT_EQ(Preview.size(), static_cast<size_t>((Lab.Width + 1) * Lab.Height));
    ASSERT_EQ(Preview.find_first_not_of({Cell::Free, Cell::Wall, Cell::LowBlock, Cell::Doorway,
                                         Cell::Start, Cell::Exit, Cell::Unreachable, Cell::Crate,
                                         Cell::TwoCrates, Cell::Monster, '\n'}),
              std::string::npos);
    const size_t line = static_cast<size_t>(Lab.Width) + 1;
    const size_t start = Preview.find(Cell::Start), exit = Preview.find(Cell::Exit);
    ASSERT_TRUE(start % line == 0 && exit % line == line - 2)
        << "start in column 0, exit in the last";
    const int startY = static_cast<int>(start / line), exitY = static_cast<int>(exit / line);
    CheckGeometry();
    ASSERT_EQ(Name(), "info_player_start");
    for (++Next; Name() == "func_pushable"; ++Next) {}
    for (const char* kit : {"item_suit", "item_battery", "weapon_9mmhandgun", "ammo_9mmclip",
                            "ammo_9mmclip", "ammo_9mmclip"}) {
      ASSERT_EQ(Name(), kit);
      ++Next;
    }
    for (int k = 0; k <= Opt.Friends; ++k) {  // the grenade, then the friends
      ASSERT_EQ(Name(), k == 0 ? "weapon_handgrenade" : "monster_barney");
      const auto [x, y] = Place();
      EXPECT_LE(Labyrinth::CellDistance(x, y, 0, startY), 5);
    }
    const std::set<std::string> kinds[3] = {
        {"weapon_9mmAR", "weapon_357", "weapon_crossbow", "weapon_handgrenade",
         Opt.MonstersType == 3 ? "weapon_shotgun" : "weapon_357"},
        {"ammo_9mmclip", "ammo_9mmAR", "ammo_357", "ammo_crossbow", "ammo_ARgrenades"},
        {"item_battery", "item_healthkit"}};
    const int counts[3] = {Lab.WeaponCount, Lab.AmmoCount, Lab.ItemCount};
    for (int kind = 0; kind < 3; ++kind)
      for (int k = 0; k < counts[kind]; ++k) {
        ASSERT_EQ(kinds[kind].count(Name()), 1u) << Name();
        Place();
      }
    // One monster per monster cell, in row order.
    const int far = Opt.MapDim > 2 ? 20 : 15, guard = Opt.MapDim > 2 ? 10 : 5;
    int monsters = 0, guards = 0;
    for (int y = 0; y < Lab.Height; ++y)
      for (int x = 0; x < Lab.Width; ++x) {
        if (At(x, y) != Cell::Monster) continue;
        ++monsters;
        const std::string kind = Name();
        const auto* monster = dynamic_cast<const HLEntityMonster*>(Lab.Entities.at(Next).get());
        ASSERT_TRUE(monster && kind != "monster_barney") << kind;
        EXPECT_EQ(monster->TriggerOnDeath, Opt.GameType == 0);
        EXPECT_EQ(monster->Origin->Z, 50);
        ASSERT_EQ(Place(false), std::make_pair(x, y)) << kind;
        const bool nearExit = Labyrinth::CellDistance(x, y, Lab.Width - 1, exitY) <= guard;
        guards += nearExit;
        if (Opt.GameType == 0 || !nearExit) {
          EXPECT_GE(Labyrinth::CellDistance(x, y, 0, startY), far);
        }
        const bool human = kind == "monster_human_grunt" || kind == "monster_human_assassin";
        const bool allowed[4] = {true, kind == "monster_human_grunt", human, !human};
        EXPECT_TRUE(allowed[Opt.MonstersType]) << kind;
      }
    EXPECT_EQ(monsters, Lab.MonsterCount);
    if (Opt.GameType == 1) {
      EXPECT_GE(guards, Opt.Skill + 3);
    }
    // Nodes on free cells in row order, then lights, the last over the exit.
    for (int last = -1; Name() == "info_node";) {
      const auto [x, y] = Place();
      EXPECT_GT(y * Lab.Width + x, last);
      last = y * Lab.Width + x;
    }
    for (; Next + 1 < Lab.Entities.size() && Lab.Entities[Next + 1]->ClassName == "light";) {
      const auto [x, y] = Place();
      EXPECT_TRUE(x < Lab.Width - 1 && y < Lab.Height - 1);
    }
    ASSERT_EQ(Name(), "light");
    EXPECT_EQ(Place(false), std::make_pair(Lab.Width - 1, exitY));
    const bool plate = Lab.Blocks.back()->Walls[0].Texture == "BOLTS";
    if (Opt.GameType == 0) {
      ASSERT_EQ(Name(), "trigger_counter");
      EXPECT_EQ(static_cast<const HLEntityTriggerCounter&>(*Lab.Entities[Next++]).Count,
                Lab.MonsterCount);
      EXPECT_EQ(Name(), "env_fade");
    } else {
      EXPECT_EQ(Name(), "trigger_changelevel");
    }
    EXPECT_EQ(plate, Opt.GameType == 1);
    EXPECT_EQ(Next + 1, Lab.Entities.size()) << "nothing after the end logic";
  }
};

}  // namespace

TEST(Level, InvariantsHoldForEveryOptionCombination) {
  int combo = 0, levels = 0;
  for (int dim = 0; dim < 5; ++dim)
    for (int complexity = 0; complexity < 3; ++complexity)
      for (int skill = 0; skill < 3; ++skill)
        for (int type = 0; type < 4; ++type)
          for (int game = 0; game < 2; ++game)
            for (int friends = 0; friends < 3; ++friends, ++combo) {
              const LabyrinthOptions o{dim, complexity, skill, type, game, friends};
              const std::uint32_t seed = 1000u + 97u * combo;
              SCOPED_TRACE(::testing::Message() << "combo " << combo << " seed " << seed);
              Labyrinth lab(o, seed);
              if (lab.GenerateLevel() == 0) continue;  // rare on the biggest, densest grids
              ++levels;
              LevelCheck{lab, o}.Run();
              if (HasFailure()) return;
            }
  EXPECT_GT(levels, 1000);
}
