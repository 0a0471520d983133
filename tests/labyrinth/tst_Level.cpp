// Whole levels over every option combination: what must hold for any seed.
#include <gtest/gtest.h>

#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "labyrinth/Labyrinth.h"

namespace {

std::string Text(const HLMap& map) {
  std::ostringstream out;
  map.Write(out);
  return out.str();
}

HLPoint OriginOf(const HLEntity& e) {
  EXPECT_TRUE(e.Origin) << e.ClassName << " has no origin";
  return e.Origin.value_or(HLPoint{});
}

class LevelCheck {
 public:
  LevelCheck(const Labyrinth& lab, const LabyrinthOptions& o) : Lab(lab), Opt(o) {
    const std::string& p = lab.LayoutPreview();
    EXPECT_EQ(p.size(), static_cast<size_t>((lab.Width + 1) * lab.Height));
  }

  char Preview(int x, int y) const {
    return Lab.LayoutPreview()[static_cast<size_t>(y) * (Lab.Width + 1) + x];
  }
  void CellOf(const HLEntity& e, int& x, int& y) const {
    const HLPoint o = OriginOf(e);
    x = (o.X - Lab.OriginX) / Lab.CellSize;
    y = (Lab.OriginY - o.Y) / Lab.CellSize;
    EXPECT_EQ(o.X, Lab.CellCentre(x, y, 0).X) << e.ClassName << " not at a cell centre";
    EXPECT_EQ(o.Y, Lab.CellCentre(x, y, 0).Y) << e.ClassName << " not at a cell centre";
  }
  void ExpectFree(const HLEntity& e) const {
    int x, y;
    CellOf(e, x, y);
    ASSERT_TRUE(x >= 0 && x < Lab.Width && y >= 0 && y < Lab.Height) << e.ClassName;
    EXPECT_EQ(Preview(x, y), Cell::Free) << e.ClassName << " at " << x << "," << y;
  }

  void Run() const {
    const auto& e = Lab.Entities;
    const int n = Lab.NumEntities();
    int i = 0;
    auto name = [&](int k) -> const std::string& { return e[k]->ClassName; };
    ASSERT_GT(n, 8);
    ASSERT_EQ(name(i++), "info_player_start");
    while (i < n && name(i) == "func_pushable") ++i;
    const char* kit[6] = {"item_suit",    "item_battery", "weapon_9mmhandgun",
                          "ammo_9mmclip", "ammo_9mmclip", "ammo_9mmclip"};
    for (const char* k : kit) ASSERT_EQ(name(i++), k);

    int x, y;
    ASSERT_EQ(name(i), "weapon_handgrenade");
    ExpectFree(*e[i]);
    CellOf(*e[i++], x, y);
    EXPECT_LE(Labyrinth::CellDistance(x, y, Lab.StartX, Lab.StartY), 5);
    for (int f = 0; f < Opt.Friends; ++f, ++i) {
      ASSERT_LT(i, n);
      ASSERT_EQ(name(i), "monster_barney");
      EXPECT_FALSE(static_cast<const HLEntityMonster&>(*e[i]).TriggerOnDeath);
      ExpectFree(*e[i]);
      CellOf(*e[i], x, y);
      EXPECT_LE(Labyrinth::CellDistance(x, y, Lab.StartX, Lab.StartY), 5);
    }
    const std::set<std::string> weapons{"weapon_9mmAR", "weapon_357", "weapon_shotgun",
                                        "weapon_crossbow", "weapon_handgrenade"};
    const std::set<std::string> ammo{"ammo_9mmclip", "ammo_9mmAR", "ammo_357", "ammo_crossbow",
                                     "ammo_ARgrenades"};
    const std::set<std::string> items{"item_battery", "item_healthkit"};
    auto pickups = [&](int count, const std::set<std::string>& kinds) {
      for (int k = 0; k < count; ++k, ++i) {
        ASSERT_LT(i, n);
        ASSERT_EQ(kinds.count(name(i)), 1u) << name(i);
        if (name(i) == "weapon_shotgun") { EXPECT_EQ(Opt.MonstersType, 3); }
        ExpectFree(*e[i]);
      }
    };
    pickups(Lab.WeaponCount, weapons);
    pickups(Lab.AmmoCount, ammo);
    pickups(Lab.ItemCount, items);

    // Monsters: one per Cell::Monster cell of the layout, in row order.
    std::vector<int> mCells;
    for (int cy = 0; cy < Lab.Height; ++cy)
      for (int cx = 0; cx < Lab.Width; ++cx)
        if (Preview(cx, cy) == Cell::Monster) mCells.push_back(cy * Lab.Width + cx);
    ASSERT_EQ(static_cast<int>(mCells.size()), Lab.MonsterCount);
    const int far = Opt.MapDim > 2 ? 20 : 15;
    const int guard = Opt.MapDim > 2 ? 10 : 5;
    int guards = 0;
    for (int cell : mCells) {
      ASSERT_LT(i, n);
      auto m = dynamic_cast<const HLEntityMonster*>(e[i].get());
      ASSERT_NE(m, nullptr) << name(i);
      EXPECT_NE(name(i), "monster_barney");
      EXPECT_EQ(m->TriggerOnDeath, Opt.GameType == 0);
      EXPECT_EQ(m->Origin->Z, 50);
      CellOf(*m, x, y);
      EXPECT_EQ(y * Lab.Width + x, cell);
      const bool nearExit = Labyrinth::CellDistance(x, y, Lab.ExitX, Lab.ExitY) <= guard;
      guards += nearExit;
      if (Opt.GameType == 0 || !nearExit) {
        EXPECT_GE(Labyrinth::CellDistance(x, y, Lab.StartX, Lab.StartY), far);
      }
      const std::string& k = name(i);
      const bool human = k == "monster_human_grunt" || k == "monster_human_assassin";
      if (Opt.MonstersType == 1) { EXPECT_EQ(k, "monster_human_grunt"); }
      if (Opt.MonstersType == 2) { EXPECT_TRUE(human) << k; }
      if (Opt.MonstersType == 3) { EXPECT_FALSE(human) << k; }
      ++i;
    }
    if (Opt.GameType == 1) { EXPECT_GE(guards, Opt.Skill + 3); }

    int last = -1;
    for (; i < n && name(i) == "info_node"; ++i) {
      ExpectFree(*e[i]);
      CellOf(*e[i], x, y);
      EXPECT_GT(y * Lab.Width + x, last);
      last = y * Lab.Width + x;
    }
    int lightsEnd = i;
    while (lightsEnd < n && name(lightsEnd) == "light") ++lightsEnd;
    ASSERT_GT(lightsEnd, i) << "the exit light is always there";
    for (; i < lightsEnd - 1; ++i) {
      ExpectFree(*e[i]);
      CellOf(*e[i], x, y);
      EXPECT_LT(x, Lab.Width - 1);
      EXPECT_LT(y, Lab.Height - 1);
    }
    CellOf(*e[i++], x, y);
    EXPECT_TRUE(x == Lab.ExitX && y == Lab.ExitY);

    int bolts = 0;
    for (const auto& b : Lab.Blocks) bolts += b->Walls[0].Texture == "BOLTS";
    if (Opt.GameType == 0) {
      ASSERT_EQ(n - i, 2);
      auto counter = dynamic_cast<const HLEntityTriggerCounter*>(e[i].get());
      ASSERT_NE(counter, nullptr);
      EXPECT_EQ(counter->Count, Lab.MonsterCount);
      EXPECT_EQ(name(i + 1), "env_fade");
      EXPECT_EQ(bolts, 0);
    } else {
      ASSERT_EQ(n - i, 1);
      EXPECT_EQ(name(i), "trigger_changelevel");
      EXPECT_EQ(bolts, 1);
      EXPECT_EQ(Lab.Blocks.back()->Walls[0].Texture, "BOLTS");
    }

    for (int cy = 0; cy < Lab.Height; ++cy)
      for (int cx = 0; cx < Lab.Width; ++cx) {
        const char c = Lab.Grid(cx, cy);
        EXPECT_EQ(std::string("XxzVvZ").find(c), std::string::npos) << cx << "," << cy;
      }
  }

 private:
  const Labyrinth& Lab;
  const LabyrinthOptions& Opt;
};

}  // namespace

TEST(Level, InvariantsHoldForEveryOptionCombination) {
  int combo = 0;
  for (int dim = 0; dim < 5; ++dim)
    for (int compl_ = 0; compl_ < 3; ++compl_)
      for (int skill = 0; skill < 3; ++skill)
        for (int type = 0; type < 4; ++type)
          for (int game = 0; game < 2; ++game)
            for (int friends = 0; friends < 3; ++friends, ++combo) {
              const LabyrinthOptions o{dim, compl_, skill, type, game, friends};
              // Two levels per combination; a seed whose 500 attempts were all
              // rejected (rare on the biggest, most complex grids) is skipped.
              int levels = 0;
              for (std::uint32_t seed = 1000u + 97u * combo; levels < 2 && seed < 1000u + 97u * combo + 8u;
                   ++seed) {
                Labyrinth lab(o, seed);
                if (lab.GenerateLevel() == 0) continue;
                ++levels;
                SCOPED_TRACE("combo " + std::to_string(combo) + " seed " + std::to_string(seed));
                LevelCheck(lab, o).Run();
                if (HasFailure()) return;
              }
              ASSERT_GT(levels, 0) << "combo " << combo;
            }
}

TEST(Level, SameSeedGivesTheSameBytes) {
  for (std::uint32_t seed : {1u, 77u, 123456u}) {
    for (int dim : {0, 4}) {
      const LabyrinthOptions o{dim, 1, 2, 0, seed % 2 ? 1 : 0, 2};
      Labyrinth a(o, seed), b(o, seed);
      ASSERT_GT(a.GenerateLevel(), 0);
      ASSERT_GT(b.GenerateLevel(), 0);
      EXPECT_EQ(Text(a), Text(b));
      Labyrinth c(o, seed + 1);
      if (c.GenerateLevel() > 0) { EXPECT_NE(Text(a), Text(c)); }
    }
  }
}
