// Geometry and population on hand-made grids, where every brush, entity and
// draw can be predicted.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <set>
#include <sstream>
#include <string>

#include "labyrinth/Labyrinth.h"

namespace {

struct Box {
  int X0, X1, Y0, Y1, Z0, Z1;
  bool operator==(const Box& o) const {
    return X0 == o.X0 && X1 == o.X1 && Y0 == o.Y0 && Y1 == o.Y1 && Z0 == o.Z0 && Z1 == o.Z1;
  }
};

std::ostream& operator<<(std::ostream& out, const Box& b) {
  return out << "X " << b.X0 << ".." << b.X1 << " Y " << b.Y0 << ".." << b.Y1 << " Z " << b.Z0
             << ".." << b.Z1;
}

Box Bounds(const HLBlock& block) {
  Box b{INT_MAX, INT_MIN, INT_MAX, INT_MIN, INT_MAX, INT_MIN};
  for (const HLWall& w : block.Walls)
    for (const HLPoint& p : {w.P1, w.P2, w.P3}) {
      b.X0 = std::min(b.X0, p.X), b.X1 = std::max(b.X1, p.X);
      b.Y0 = std::min(b.Y0, p.Y), b.Y1 = std::max(b.Y1, p.Y);
      b.Z0 = std::min(b.Z0, p.Z), b.Z1 = std::max(b.Z1, p.Z);
    }
  return b;
}

template <class T>
std::string Text(const T& thing) {
  std::ostringstream out;
  thing.Write(out);
  return out.str();
}

// A Very Small labyrinth (30 x 25) whose grid is all free floor, with the
// start at (0, startY) and the exit at (29, exitY).
struct Crafted : Labyrinth {
  explicit Crafted(std::uint32_t seed = 1, int monstersType = 0, int gameType = 1,
                   int startY = 12, int exitY = 0)
      : Labyrinth(0, 1, 1, monstersType, gameType, 0, seed) {
    for (int y = 0; y < Height; ++y)
      for (int x = 0; x < Width; ++x) Grid(x, y) = Cell::Free;
    StartX = 0, StartY = startY, ExitX = Width - 1, ExitY = exitY;
    Grid(StartX, StartY) = Cell::Start;
    Grid(ExitX, ExitY) = Cell::Exit;
  }
};

HLPoint OriginOf(const HLEntity& e) {
  EXPECT_TRUE(e.Origin) << e.ClassName << " has no origin";
  return e.Origin.value_or(HLPoint{});
}

void ExpectOrigin(const HLEntity& e, const char* className, HLPoint at) {
  EXPECT_EQ(e.ClassName, className);
  const HLPoint o = OriginOf(e);
  EXPECT_TRUE(o.X == at.X && o.Y == at.Y && o.Z == at.Z)
      << e.ClassName << " at " << o.X << " " << o.Y << " " << o.Z;
}

// The free-cell draw as the level generator makes it, on a copy of the source.
void FreeCell(const Labyrinth& lab, Random& rng, int& x, int& y) {
  do {
    x = rng.Below(lab.Width);
    y = rng.Below(lab.Height);
  } while (lab.Grid(x, y) != Cell::Free);
}

}  // namespace

// ---------------------------------------------------------------- geometry

TEST(Geometry, EmptyGridGivesTheSixEnclosingSlabs) {
  Crafted lab;
  lab.BuildGeometry();
  ASSERT_EQ(lab.NumBlocks(), 6);
  const Box expected[6] = {
      {-960, 960, -800, 800, 180, 188},  // ceiling
      {-960, 960, -800, 800, -8, 0},     // floor
      {-960, 960, -808, -800, 0, 180},   // past the last row
      {960, 968, -800, 800, 0, 180},     // past the last column
      {-960, 960, 800, 808, 0, 180},     // before row 0
      {-968, -960, -800, 800, 0, 180},   // before column 0
  };
  const char* textures[6] = {"GRAY      ",    "FLOOR32     ",  "BRICK40      ",
                             "BRICK40      ", "BRICK40      ", "BRICK40      "};
  for (int i = 0; i < 6; ++i) {
    EXPECT_EQ(Bounds(*lab.Blocks[i]), expected[i]) << "slab " << i;
    for (const HLWall& w : lab.Blocks[i]->Walls) EXPECT_EQ(w.Texture, textures[i]);
  }
  const std::string top =
      "{\r\n( -960 800 188 ) ( 960 800 188 ) ( 960 -800 188 ) GRAY       0 0 0 1.000000 1.000000\r\n";
  EXPECT_EQ(Text(*lab.Blocks[0]).substr(0, top.size()), top);
}

TEST(Geometry, SingleWallCell) {
  Crafted lab;
  lab.Grid(3, 2) = Cell::Wall;
  lab.BuildGeometry();
  ASSERT_EQ(lab.NumBlocks(), 7);
  EXPECT_EQ(Bounds(*lab.Blocks[6]), (Box{-768, -704, 608, 672, 0, 180}));
  EXPECT_EQ(lab.Blocks[6]->Walls[0].Texture, "BRICK49      ");
  EXPECT_EQ(lab.Grid(3, 2), Cell::Built);
}

TEST(Geometry, RowOfLowBlocksIsOneBrush) {
  Crafted lab;
  lab.Grid(5, 4) = lab.Grid(6, 4) = lab.Grid(7, 4) = Cell::LowBlock;
  lab.BuildGeometry();
  ASSERT_EQ(lab.NumBlocks(), 7);
  const Box b = Bounds(*lab.Blocks[6]);
  EXPECT_EQ(b, (Box{-640, -448, 480, 544, 0, 56}));
  EXPECT_EQ(b.X1 - b.X0, 192);
}

TEST(Geometry, LShapeGoesVerticalFirst) {
  Crafted lab;
  lab.Grid(5, 5) = lab.Grid(6, 5) = lab.Grid(5, 6) = lab.Grid(5, 7) = Cell::Wall;
  lab.BuildGeometry();
  ASSERT_EQ(lab.NumBlocks(), 8);
  EXPECT_EQ(Bounds(*lab.Blocks[6]), (Box{-640, -576, 288, 480, 0, 180}));
  EXPECT_EQ(Bounds(*lab.Blocks[7]), (Box{-576, -512, 416, 480, 0, 180}));
}

TEST(Geometry, SquareTieGivesTwoHorizontalRuns) {
  Crafted lab;
  lab.Grid(5, 5) = lab.Grid(6, 5) = lab.Grid(5, 6) = lab.Grid(6, 6) = Cell::Wall;
  lab.BuildGeometry();
  ASSERT_EQ(lab.NumBlocks(), 8);
  EXPECT_EQ(Bounds(*lab.Blocks[6]), (Box{-640, -512, 416, 480, 0, 180}));
  EXPECT_EQ(Bounds(*lab.Blocks[7]), (Box{-640, -512, 352, 416, 0, 180}));
}

TEST(Geometry, LintelHangsFromTheCeiling) {
  Crafted lab;
  lab.Grid(0, 0) = Cell::Doorway;
  lab.BuildGeometry();
  ASSERT_EQ(lab.NumBlocks(), 7);
  EXPECT_EQ(Bounds(*lab.Blocks[6]), (Box{-960, -896, 736, 800, 120, 180}));
}

TEST(Geometry, RunsMergeOnlyOneCodeAndStopAtTheEdge) {
  Crafted lab;
  // Wall, low block, wall in the last row's tail, then a vertical lintel line
  // ending at the last row.
  lab.Grid(27, 24) = Cell::Wall;
  lab.Grid(28, 24) = Cell::LowBlock;
  lab.Grid(29, 24) = Cell::Wall;
  lab.Grid(10, 22) = lab.Grid(10, 23) = lab.Grid(10, 24) = Cell::Doorway;
  lab.BuildGeometry();
  ASSERT_EQ(lab.NumBlocks(), 10);
  EXPECT_EQ(Bounds(*lab.Blocks[6]), (Box{-320, -256, -800, -608, 120, 180}));
  EXPECT_EQ(Bounds(*lab.Blocks[7]), (Box{768, 832, -800, -736, 0, 180}));
  EXPECT_EQ(Bounds(*lab.Blocks[8]), (Box{832, 896, -800, -736, 0, 56}));
  EXPECT_EQ(Bounds(*lab.Blocks[9]), (Box{896, 960, -800, -736, 0, 180}));
  for (int y = 0; y < lab.Height; ++y)
    for (int x = 0; x < lab.Width; ++x) {
      const char c = lab.Grid(x, y);
      EXPECT_TRUE(c != Cell::Wall && c != Cell::LowBlock && c != Cell::Doorway) << x << "," << y;
    }
  EXPECT_EQ(lab.Grid(0, 12), Cell::Start) << "other codes are left alone";
}

// ---------------------------------------------------------------- helpers

TEST(IsOpenArea, NeedsEightFreeNeighboursInsideTheRing) {
  Crafted lab;
  EXPECT_TRUE(lab.IsOpenArea(10, 10));
  lab.Grid(10, 10) = Cell::Monster;
  EXPECT_TRUE(lab.IsOpenArea(10, 10)) << "the cell itself is not examined";
  EXPECT_FALSE(lab.IsOpenArea(0, 5));
  EXPECT_FALSE(lab.IsOpenArea(5, 0));
  EXPECT_FALSE(lab.IsOpenArea(lab.Width - 1, 5));
  EXPECT_FALSE(lab.IsOpenArea(5, lab.Height - 1));
  EXPECT_TRUE(lab.IsOpenArea(1, 1));
  EXPECT_TRUE(lab.IsOpenArea(lab.Width - 2, lab.Height - 2));
  const int around[8][2] = {{-1, 0}, {1, 0}, {0, -1}, {0, 1}, {-1, -1}, {1, 1}, {-1, 1}, {1, -1}};
  for (const auto& d : around) {
    char& c = lab.Grid(20 + d[0], 20 + d[1]);
    c = Cell::Crate;
    EXPECT_FALSE(lab.IsOpenArea(20, 20)) << d[0] << "," << d[1];
    c = Cell::Free;
  }
  EXPECT_TRUE(lab.IsOpenArea(20, 20));
  EXPECT_FALSE(lab.IsOpenArea(1, 11)) << "next to the start";
}

TEST(ChooseAngle, NeverFacesOffTheGrid) {
  Crafted lab(99);
  std::set<int> corner, inside;
  for (int i = 0; i < 400; ++i) {
    const int a = lab.ChooseAngle(0, 0);
    EXPECT_TRUE(a == 0 || a == 270) << a;
    corner.insert(a);
    EXPECT_NE(lab.ChooseAngle(lab.Width - 1, 7), 0);
    EXPECT_NE(lab.ChooseAngle(7, 0), 90);
    EXPECT_NE(lab.ChooseAngle(0, 7), 180);
    EXPECT_NE(lab.ChooseAngle(7, lab.Height - 1), 270);
    inside.insert(lab.ChooseAngle(7, 7));
  }
  EXPECT_EQ(corner, (std::set<int>{0, 270}));
  EXPECT_EQ(inside, (std::set<int>{0, 90, 180, 270}));
}

TEST(ChooseAngle, RedrawsOnlyWhenTheNeighbourIsOutside) {
  for (std::uint32_t seed = 1; seed < 200; ++seed) {
    Crafted lab(seed);
    Random ref(seed);
    int d = ref.Below(4);
    const std::uint32_t afterOne = ref.State;
    EXPECT_EQ(lab.ChooseAngle(7, 7), 90 * d);
    EXPECT_EQ(lab.Rng.State, afterOne) << "one draw inside the grid";

    Crafted edge(seed);
    Random ref2(seed);
    do d = ref2.Below(4);
    while (d == 0);  // (Width - 1, 7) has no neighbour towards +X
    EXPECT_EQ(edge.ChooseAngle(edge.Width - 1, 7), 90 * d);
    EXPECT_EQ(edge.Rng.State, ref2.State);
  }
}

// ---------------------------------------------------------------- population

TEST(Populate, PlayerStartAndStartKitWorkedExample) {
  Crafted lab(5, 0, 1, /*startY=*/12);
  lab.Populate();
  ASSERT_GE(lab.NumEntities(), 8);
  const auto& e = lab.Entities;
  ASSERT_NE(dynamic_cast<const HLEntityInfoPlayerStart*>(e[0].get()), nullptr);
  ExpectOrigin(*e[0], "info_player_start", {-928, 0, 40});
  ExpectOrigin(*e[1], "item_suit", {-926, 2, 40});
  ExpectOrigin(*e[2], "item_battery", {-926, 2, 40});
  ExpectOrigin(*e[3], "weapon_9mmhandgun", {-924, 4, 40});
  ExpectOrigin(*e[4], "ammo_9mmclip", {-922, 6, 40});
  ExpectOrigin(*e[5], "ammo_9mmclip", {-920, 8, 40});
  ExpectOrigin(*e[6], "ammo_9mmclip", {-918, 10, 40});
  EXPECT_EQ(Text(*e[0]), "{\r\n\"classname\" \"info_player_start\"\r\n\"origin\" \"-928 0 40\"\r\n}\r\n");
}

TEST(Populate, GrenadeTakesTheFirstNearStartCell) {
  for (std::uint32_t seed = 1; seed < 60; ++seed) {
    Crafted lab(seed);
    Random ref(seed);
    int x, y;
    do FreeCell(lab, ref, x, y);
    while (Labyrinth::CellDistance(x, y, lab.StartX, lab.StartY) > 5);
    lab.Populate();
    ExpectOrigin(*lab.Entities[7], "weapon_handgrenade", lab.CellCentre(x, y, 10));
  }
}

TEST(Populate, CratesFollowThePlayerStartInRowOrder) {
  for (std::uint32_t seed = 1; seed < 80; ++seed) {
    Crafted lab(seed);
    lab.Grid(4, 3) = Cell::TwoCrates;
    lab.Grid(2, 3) = Cell::Crate;
    lab.Grid(9, 1) = Cell::Crate;
    lab.Populate();
    // The player start draws nothing, so the crates take the first draws.
    Random ref(seed);
    std::string expected;
    auto crate = [&](HLPoint c) {
      if (ref.Fraction() < 0.8)
        expected += Text(HLEntityCrate(c, -1, ref));
      else
        expected += Text(HLEntityCrateExpl(c, ref));
    };
    crate({-960 + 9 * 64 + 4, 800 - 64 - 4, 56});
    crate({-960 + 2 * 64 + 4, 800 - 3 * 64 - 4, 56});
    crate({-960 + 4 * 64 + 4, 800 - 3 * 64 - 4, 56});
    crate({-960 + 4 * 64 + 4, 800 - 3 * 64 - 4, 112});
    std::string actual;
    for (int i = 1; i <= 4; ++i) actual += Text(*lab.Entities[i]);
    ASSERT_EQ(actual, expected) << "seed " << seed;
    EXPECT_EQ(lab.Entities[5]->ClassName, "item_suit");
  }
}

TEST(Populate, WeaponCascadeDrawsAfreshAtEachStep) {
  std::set<std::string> seenAliens, seenOthers;
  for (std::uint32_t seed = 1; seed < 400; ++seed)
    for (int type : {0, 3}) {
      Crafted lab(seed, type);
      Random ref(seed);
      int x, y;
      do FreeCell(lab, ref, x, y);
      while (Labyrinth::CellDistance(x, y, lab.StartX, lab.StartY) > 5);
      FreeCell(lab, ref, x, y);
      std::string name;
      if (ref.Fraction() < 0.4)
        name = "weapon_9mmAR";
      else if (ref.Fraction() < 0.7)
        name = type == 3 && ref.Fraction() < 0.5 ? "weapon_shotgun" : "weapon_357";
      else
        name = ref.Fraction() < 0.85 ? "weapon_crossbow" : "weapon_handgrenade";
      lab.Populate();
      ExpectOrigin(*lab.Entities[8], name.c_str(), lab.CellCentre(x, y, 10));
      (type == 3 ? seenAliens : seenOthers).insert(name);
    }
  EXPECT_EQ(seenAliens.size(), 5u);
  EXPECT_EQ(seenOthers.size(), 4u);
  EXPECT_EQ(seenOthers.count("weapon_shotgun"), 0u);
}

TEST(Populate, PickupsAndFriendsKeepTheirCountsAndOrder) {
  Labyrinth lab(0, 1, 0, 0, 1, 2, 11);  // Very Small, Low skill, two friends
  for (int y = 0; y < lab.Height; ++y)
    for (int x = 0; x < lab.Width; ++x) lab.Grid(x, y) = (x + y) % 3 ? Cell::Free : Cell::Built;
  lab.StartX = 0, lab.StartY = 1, lab.ExitX = 29, lab.ExitY = 2;
  lab.Grid(0, 1) = Cell::Start;
  lab.Grid(29, 2) = Cell::Exit;
  lab.Populate();
  const auto& e = lab.Entities;
  ASSERT_GT(lab.NumEntities(), 16);
  EXPECT_EQ(e[7]->ClassName, "weapon_handgrenade");
  for (int i = 8; i < 10; ++i) {
    auto barney = dynamic_cast<const HLEntityMonster*>(e[i].get());
    ASSERT_NE(barney, nullptr);
    EXPECT_EQ(barney->ClassName, "monster_barney");
    EXPECT_FALSE(barney->TriggerOnDeath);
    EXPECT_TRUE(barney->Angle >= 0 && barney->Angle < 360);
    EXPECT_EQ(barney->Origin->Z, 10);
  }
  const std::set<std::string> weapons{"weapon_9mmAR", "weapon_357", "weapon_crossbow",
                                      "weapon_handgrenade"};
  const std::set<std::string> ammo{"ammo_9mmclip", "ammo_9mmAR", "ammo_357", "ammo_crossbow",
                                   "ammo_ARgrenades"};
  const std::set<std::string> items{"item_battery", "item_healthkit"};
  for (int i = 10; i < 12; ++i) EXPECT_EQ(weapons.count(e[i]->ClassName), 1u) << e[i]->ClassName;
  for (int i = 12; i < 14; ++i) EXPECT_EQ(ammo.count(e[i]->ClassName), 1u) << e[i]->ClassName;
  for (int i = 14; i < 16; ++i) EXPECT_EQ(items.count(e[i]->ClassName), 1u) << e[i]->ClassName;
  for (int i = 7; i < 16; ++i) {
    const HLPoint o = OriginOf(*e[i]);
    const int x = (o.X - lab.OriginX) / 64, y = (lab.OriginY - o.Y) / 64;
    EXPECT_EQ(lab.Grid(x, y), Cell::Free) << e[i]->ClassName;
    EXPECT_EQ(o.X, lab.CellCentre(x, y, 0).X);
  }
}

TEST(Populate, MonstersByTypeInRowOrderWithDeathTriggerInKillAll) {
  for (int type = 0; type < 4; ++type)
    for (int game = 0; game < 2; ++game)
      for (std::uint32_t seed = 1; seed < 25; ++seed) {
        Crafted lab(seed, type, game);
        const int cells[4][2] = {{20, 3}, {5, 7}, {6, 7}, {1, 20}};
        for (const auto& c : cells) lab.Grid(c[0], c[1]) = Cell::Monster;
        lab.Populate();
        std::vector<const HLEntityMonster*> monsters;
        for (const auto& e : lab.Entities)
          if (auto m = dynamic_cast<const HLEntityMonster*>(e.get()))
            monsters.push_back(m);
        ASSERT_EQ(monsters.size(), 4u);
        for (int i = 0; i < 4; ++i) {
          const HLPoint o = *monsters[i]->Origin;
          EXPECT_EQ(o.X, lab.CellCentre(cells[i][0], cells[i][1], 50).X);
          EXPECT_EQ(o.Y, lab.CellCentre(cells[i][0], cells[i][1], 50).Y);
          EXPECT_EQ(o.Z, 50);
          EXPECT_EQ(monsters[i]->TriggerOnDeath, game == 0);
          const std::string& n = monsters[i]->ClassName;
          const bool grunt = n == "monster_human_grunt";
          EXPECT_EQ(grunt, dynamic_cast<const HLEntityMonsterHumanGrunt*>(monsters[i]) != nullptr);
          if (type == 1) { EXPECT_TRUE(grunt) << n; }
          if (type == 2) { EXPECT_TRUE(grunt || n == "monster_human_assassin") << n; }
          if (type == 3) { EXPECT_TRUE(!grunt && n != "monster_human_assassin") << n; }
          // (5, 7) and (6, 7) neighbour each other: never open.
          if (i == 1 || i == 2) {
            EXPECT_TRUE(n != "monster_bullchicken" && n != "monster_alien_grunt") << n;
          }
        }
      }
}

TEST(Populate, AlienKindsNeedOpenFloorForTheLargeOnes) {
  std::set<std::string> seen;
  for (std::uint32_t seed = 1; seed < 300; ++seed)
    for (bool open : {true, false}) {
      Crafted lab(seed, 3);
      lab.Grid(10, 10) = Cell::Monster;
      if (!open) lab.Grid(11, 11) = Cell::Built;
      lab.Populate();
      const HLEntityMonster* m = nullptr;
      for (const auto& e : lab.Entities)
        if ((m = dynamic_cast<const HLEntityMonster*>(e.get()))) break;
      ASSERT_NE(m, nullptr);
      seen.insert(m->ClassName);
      if (!open) {
        EXPECT_TRUE(m->ClassName != "monster_bullchicken" && m->ClassName != "monster_alien_grunt");
      }
    }
  EXPECT_EQ(seen, (std::set<std::string>{"monster_headcrab", "monster_alien_slave",
                                         "monster_bullchicken", "monster_zombie",
                                         "monster_alien_grunt", "monster_houndeye"}));
}

TEST(Populate, NodesOnFreeCellsAfterTheMonsters) {
  Crafted lab(3);
  lab.Grid(10, 10) = Cell::Monster;
  for (int x = 0; x < lab.Width; ++x) lab.Grid(x, 5) = Cell::Built;
  lab.Populate();
  int nodes = 0, free = 0;
  bool monsterSeen = false;
  int lastKey = -1;
  for (const auto& e : lab.Entities) {
    if (dynamic_cast<const HLEntityMonster*>(e.get()) && e->ClassName != "monster_barney")
      monsterSeen = true;
    if (e->ClassName != "info_node") continue;
    EXPECT_TRUE(monsterSeen);
    const HLPoint o = OriginOf(*e);
    EXPECT_EQ(o.Z, 10);
    const int x = (o.X - lab.OriginX) / 64, y = (lab.OriginY - o.Y) / 64;
    EXPECT_EQ(lab.Grid(x, y), Cell::Free);
    EXPECT_GT(y * lab.Width + x, lastKey) << "row order";
    lastKey = y * lab.Width + x;
    ++nodes;
  }
  for (int y = 0; y < lab.Height; ++y)
    for (int x = 0; x < lab.Width; ++x) free += lab.Grid(x, y) == Cell::Free;
  EXPECT_NEAR(nodes, free * 0.17, free * 0.05);
}

TEST(Populate, LatticeLightsAndTheExitLight) {
  for (int compl_ = 0; compl_ < 3; ++compl_)
    for (std::uint32_t seed = 1; seed < 20; ++seed) {
      Labyrinth lab(0, compl_, 1, 0, 1, 0, seed);
      for (int y = 0; y < lab.Height; ++y)
        for (int x = 0; x < lab.Width; ++x) lab.Grid(x, y) = Cell::Free;
      lab.StartX = 0, lab.StartY = 3, lab.ExitX = 29, lab.ExitY = 24;
      lab.Grid(0, 3) = Cell::Start;
      lab.Grid(29, 24) = Cell::Exit;
      lab.Grid(4, 4) = Cell::Built;
      lab.Populate();
      std::vector<HLPoint> lights;
      for (const auto& e : lab.Entities)
        if (auto l = dynamic_cast<const HLEntityLight*>(e.get())) lights.push_back(*l->Origin);
      ASSERT_GE(lights.size(), 2u);
      const HLPoint exitLight = lights.back();
      EXPECT_EQ(exitLight.X, 928);
      EXPECT_EQ(exitLight.Y, -768);
      lights.pop_back();
      std::set<int> columns;
      for (const HLPoint& o : lights) {
        EXPECT_EQ(o.Z, 170);
        const int x = (o.X - lab.OriginX) / 64, y = (lab.OriginY - o.Y) / 64;
        EXPECT_LT(x, lab.Width - 1);
        EXPECT_LT(y, lab.Height - 1);
        EXPECT_EQ(lab.Grid(x, y), Cell::Free);
        columns.insert(x);
      }
      const int step = compl_ == 0 ? 4 : 3;
      // 8 (or 10) rows; in each row the columns from a start below the step.
      EXPECT_GE(lights.size(), static_cast<size_t>(8 * (28 / step) - 1));
      for (int x : columns) EXPECT_LT(x, 29);
      // Lights are last before the end logic.
      const auto& e = lab.Entities;
      EXPECT_EQ(e[e.size() - 2]->ClassName, "light");
    }
}

TEST(Populate, FindTheExitWorkedExample) {
  Crafted lab(8, 0, /*gameType=*/1, 12, /*exitY=*/0);
  lab.BuildGeometry();
  const int worldBrushes = lab.NumBlocks();
  lab.Populate();
  ASSERT_EQ(lab.NumBlocks(), worldBrushes + 1);
  EXPECT_EQ(Text(*lab.Blocks.back()),
            "{\r\n"
            "( 901 795 5 ) ( 955 795 5 ) ( 955 741 5 ) BOLTS 32 0 0 1.000000 0.800000\r\n"
            "( 901 741 0 ) ( 955 741 0 ) ( 955 795 0 ) BOLTS 0 0 0 1.000000 1.000000\r\n"
            "( 901 795 5 ) ( 901 741 5 ) ( 901 741 0 ) BOLTS 0 0 0 1.000000 1.000000\r\n"
            "( 955 795 0 ) ( 955 741 0 ) ( 955 741 5 ) BOLTS 0 0 0 1.000000 1.000000\r\n"
            "( 955 795 5 ) ( 901 795 5 ) ( 901 795 0 ) BOLTS 0 0 0 1.000000 1.000000\r\n"
            "( 955 741 0 ) ( 901 741 0 ) ( 901 741 5 ) BOLTS 0 0 0 1.000000 1.000000\r\n"
            "}\r\n");
  const auto& e = lab.Entities;
  auto trigger = dynamic_cast<const HLEntityTriggerChangelevel*>(e.back().get());
  ASSERT_NE(trigger, nullptr);
  EXPECT_EQ(Bounds(*trigger->Block), (Box{906, 950, 746, 790, 10, 170}));
  ExpectOrigin(*e[e.size() - 2], "light", {928, 768, 170});
  for (const auto& entity : e) {
    EXPECT_NE(entity->ClassName, "trigger_counter");
    EXPECT_NE(entity->ClassName, "env_fade");
  }
}

TEST(Populate, KillAllEndsWithCounterAndFade) {
  Crafted lab(8, 0, /*gameType=*/0, 12, /*exitY=*/0);
  lab.Grid(10, 10) = lab.Grid(12, 12) = Cell::Monster;
  lab.Populate();
  EXPECT_EQ(lab.NumBlocks(), 0) << "no exit plate";
  const auto& e = lab.Entities;
  ASSERT_GE(e.size(), 3u);
  auto counter = dynamic_cast<const HLEntityTriggerCounter*>(e[e.size() - 2].get());
  ASSERT_NE(counter, nullptr);
  EXPECT_EQ(counter->Count, lab.MonsterCount) << "the counter counts the option's monsters";
  ExpectOrigin(*e.back(), "env_fade", {928, 768, 10});
  ExpectOrigin(*e[e.size() - 3], "light", {928, 768, 170});
  for (const auto& entity : e) EXPECT_NE(entity->ClassName, "trigger_changelevel");
}

TEST(Populate, StopsAtOnceWhenTheCellDrawsGiveOut) {
  Crafted lab(4);
  // No free cell within distance 5 of the start: the grenade draw gives out.
  for (int y = 0; y < lab.Height; ++y)
    for (int x = 0; x < 8; ++x)
      if (lab.Grid(x, y) == Cell::Free) lab.Grid(x, y) = Cell::Built;
  lab.Populate();
  EXPECT_TRUE(lab.Aborted);
  EXPECT_EQ(lab.NumEntities(), 7) << "player start and start kit only";
  EXPECT_EQ(lab.NumBlocks(), 0);
}
