// Entities of an accepted layout, in twelve fixed phases. The order of the
// phases, of the cells within them and of every draw fixes the level for a
// seed, so each step below draws exactly where its rule does and no more.
#include <memory>

#include "labyrinth/Labyrinth.h"

namespace {
constexpr int kStartZ = 40;   // player start and start kit
constexpr int kPickupZ = 10;  // pickups, friends, nodes, the fade
constexpr int kMonsterZ = 50;
constexpr int kCrateEdge = 56;  // the crate entity builds a cube of this side
constexpr double kCrateExplosiveFrom = 0.8;
}  // namespace

// The phases need the grid, the random source and the draw loops.
struct Labyrinth::Furnisher {
  static void AddCrate(Labyrinth& lab, const HLPoint& corner) {
    if (lab.Rng.Fraction() < kCrateExplosiveFrom)
      lab.AddEntity(std::make_unique<HLEntityCrate>(corner, -1, lab.Rng));
    else
      lab.AddEntity(std::make_unique<HLEntityCrateExpl>(corner, lab.Rng));
  }

  static void AddCrates(Labyrinth& lab) {
    const int inset = (lab.CellSize - kCrateEdge) / 2;
    for (int y = 0; y < lab.Height; ++y)
      for (int x = 0; x < lab.Width; ++x) {
        const char c = lab.Grid(x, y);
        if (c != Cell::Crate && c != Cell::TwoCrates) continue;
        HLPoint corner{lab.OriginX + x * lab.CellSize + inset,
                       lab.OriginY - y * lab.CellSize - inset, kCrateEdge};
        AddCrate(lab, corner);
        if (c == Cell::TwoCrates) {
          corner.Z = 2 * kCrateEdge;  // stacked on the first
          AddCrate(lab, corner);
        }
      }
  }

  static void AddStartKit(Labyrinth& lab, const HLPoint& s) {
    auto add = [&lab, &s](int offset, const char* className) {
      lab.AddEntity(std::make_unique<HLEntityGeneric>(HLPoint{s.X + offset, s.Y + offset, kStartZ},
                                                      className));
    };
    add(2, "item_suit");
    add(2, "item_battery");
    add(4, "weapon_9mmhandgun");
    add(6, "ammo_9mmclip");
    add(8, "ammo_9mmclip");
    add(10, "ammo_9mmclip");
  }

  static const char* DrawWeapon(Labyrinth& lab) {
    if (lab.Rng.Fraction() < 0.4) return "weapon_9mmAR";
    if (lab.Rng.Fraction() < 0.7) {
      if (lab.MonstersType == 3 && lab.Rng.Fraction() < 0.5) return "weapon_shotgun";
      return "weapon_357";
    }
    if (lab.Rng.Fraction() < 0.85) return "weapon_crossbow";
    return "weapon_handgrenade";
  }

  static const char* DrawAmmo(Labyrinth& lab) {
    if (lab.Rng.Fraction() < 0.2) return "ammo_9mmclip";
    if (lab.Rng.Fraction() < 0.5) return "ammo_9mmAR";
    if (lab.Rng.Fraction() < 0.7) return "ammo_357";
    if (lab.Rng.Fraction() < 0.8) return "ammo_crossbow";
    return "ammo_ARgrenades";
  }

  static const char* DrawItem(Labyrinth& lab) {
    return lab.Rng.Fraction() < 0.4 ? "item_battery" : "item_healthkit";
  }

  // Count pickups on free cells, their kind drawn after the cell. False when
  // the cell draws gave out.
  static bool AddPickups(Labyrinth& lab, int count, const char* (*drawKind)(Labyrinth&)) {
    for (int i = 0; i < count; ++i) {
      int x = 0, y = 0;
      if (!lab.DrawFreeCell(x, y)) return false;
      const HLPoint origin = lab.CellCentre(x, y, kPickupZ);
      lab.AddEntity(std::make_unique<HLEntityGeneric>(origin, drawKind(lab)));
    }
    return true;
  }

  static bool AddFriends(Labyrinth& lab) {
    for (int i = 0; i < lab.Friends; ++i) {
      int x = 0, y = 0;
      if (!lab.DrawNearStartCell(x, y)) return false;
      const HLPoint origin = lab.CellCentre(x, y, kPickupZ);
      lab.AddEntity(
          std::make_unique<HLEntityMonster>(origin, "monster_barney", lab.Rng.Below(360)));
    }
    return true;
  }

  static std::unique_ptr<HLEntityMonster> MakeAlien(Labyrinth& lab, int x, int y,
                                                    const HLPoint& origin, int angle) {
    const char* className;
    if (lab.Rng.Fraction() < 0.2)
      className = "monster_headcrab";
    else if (lab.Rng.Fraction() < 0.5)
      className = "monster_alien_slave";
    else if (lab.Rng.Fraction() < 0.7)
      className = lab.IsOpenArea(x, y) ? "monster_bullchicken" : "monster_zombie";
    else if (lab.Rng.Fraction() < 0.85 && lab.IsOpenArea(x, y))
      className = "monster_alien_grunt";
    else
      className = "monster_houndeye";
    return std::make_unique<HLEntityMonster>(origin, className, angle);
  }

  static std::unique_ptr<HLEntityMonster> MakeMonster(Labyrinth& lab, int x, int y) {
    const int angle = lab.ChooseAngle(x, y);
    const HLPoint origin = lab.CellCentre(x, y, kMonsterZ);
    const int type = lab.MonstersType;
    const bool grunt = type == 1 || type == 2 || (type == 0 && lab.Rng.Fraction() < 0.3);
    if (!grunt) return MakeAlien(lab, x, y, origin, angle);
    if (type == 1 || lab.Rng.Fraction() < 0.8)
      return std::make_unique<HLEntityMonsterHumanGrunt>(origin, angle, -1, lab.Rng);
    return std::make_unique<HLEntityMonster>(origin, "monster_human_assassin", angle);
  }

  static void AddMonsters(Labyrinth& lab) {
    for (int y = 0; y < lab.Height; ++y)
      for (int x = 0; x < lab.Width; ++x) {
        if (lab.Grid(x, y) != Cell::Monster) continue;
        std::unique_ptr<HLEntityMonster> monster = MakeMonster(lab, x, y);
        // Where every monster must be killed, each death counts towards the end.
        if (lab.GameType == 0) monster->TriggerOnDeath = true;
        lab.AddEntity(std::move(monster));
      }
  }

  static void AddNodes(Labyrinth& lab) {
    const double share = lab.MapCompl == 0 ? 0.12 : 0.17;
    for (int y = 0; y < lab.Height; ++y)
      for (int x = 0; x < lab.Width; ++x)
        if (lab.Grid(x, y) == Cell::Free && lab.Rng.Fraction() < share)
          lab.AddEntity(
              std::make_unique<HLEntityGeneric>(lab.CellCentre(x, y, kPickupZ), "info_node"));
  }

  static void AddLights(Labyrinth& lab) {
    const int z = lab.WallHeight - 10;
    const int stepX = lab.MapCompl == 0 ? 4 : 3;
    const int stepY = 3;
    for (int y = lab.Rng.Below(stepY); y < lab.Height - 1; y += stepY)
      for (int x = lab.Rng.Below(stepX); x < lab.Width - 1; x += stepX)
        if (lab.Grid(x, y) == Cell::Free)
          lab.AddEntity(std::make_unique<HLEntityLight>(lab.CellCentre(x, y, z)));
    lab.AddEntity(std::make_unique<HLEntityLight>(lab.CellCentre(lab.ExitX, lab.ExitY, z)));
  }

  static void AddEndLogic(Labyrinth& lab) {
    if (lab.GameType == 0) {
      lab.AddEntity(std::make_unique<HLEntityTriggerCounter>(lab.MonsterCount));
      lab.AddEntity(
          std::make_unique<HLEntityEnvFade>(lab.CellCentre(lab.ExitX, lab.ExitY, kPickupZ)));
      return;
    }
    const int cellX = lab.OriginX + lab.ExitX * lab.CellSize;
    const int cellY = lab.OriginY - lab.ExitY * lab.CellSize;
    // A plate marking the exit, 5 units in from the cell's sides.
    auto plate = std::make_unique<HLRectBlock>(HLPoint{cellX + 5, cellY - 5, 5}, lab.CellSize - 10,
                                               lab.CellSize - 10, 5, "BOLTS");
    plate->Walls[0].XOffset = 32;
    plate->Walls[0].YScale = 0.8f;
    lab.AddBlock(std::move(plate));
    lab.AddEntity(std::make_unique<HLEntityTriggerChangelevel>(
        HLPoint{cellX + 10, cellY - 10, lab.WallHeight - 10}, lab.CellSize - 20, lab.CellSize - 20,
        lab.WallHeight - 20));
  }
};

void Labyrinth::Populate() {
  const HLPoint start = CellCentre(StartX, StartY, kStartZ);
  AddEntity(std::make_unique<HLEntityInfoPlayerStart>(start));
  Furnisher::AddCrates(*this);
  Furnisher::AddStartKit(*this, start);

  int x = 0, y = 0;
  if (!DrawNearStartCell(x, y)) return;
  AddEntity(std::make_unique<HLEntityGeneric>(CellCentre(x, y, kPickupZ), "weapon_handgrenade"));

  // A draw that gave out stops here; Generate then discards the attempt.
  if (!Furnisher::AddFriends(*this)) return;
  if (!Furnisher::AddPickups(*this, WeaponCount, Furnisher::DrawWeapon)) return;
  if (!Furnisher::AddPickups(*this, AmmoCount, Furnisher::DrawAmmo)) return;
  if (!Furnisher::AddPickups(*this, ItemCount, Furnisher::DrawItem)) return;

  Furnisher::AddMonsters(*this);
  Furnisher::AddNodes(*this);
  if (UseLights) Furnisher::AddLights(*this);
  Furnisher::AddEndLogic(*this);
}

bool Labyrinth::IsOpenArea(int x, int y) const {
  if (x < 1 || x > Width - 2 || y < 1 || y > Height - 2) return false;
  for (int dy = -1; dy <= 1; ++dy)
    for (int dx = -1; dx <= 1; ++dx)
      if ((dx != 0 || dy != 0) && Grid(x + dx, y + dy) != Cell::Free) return false;
  return true;
}

int Labyrinth::ChooseAngle(int x, int y) {
  // Direction d faces 90 * d degrees: +X, +Y (row above), -X, -Y (row below).
  static constexpr int kStepX[4] = {1, 0, -1, 0};
  static constexpr int kStepY[4] = {0, -1, 0, 1};
  int d = 0;
  for (int draw = 0; draw < 100; ++draw) {
    d = Rng.Below(4);
    const int nx = x + kStepX[d];
    const int ny = y + kStepY[d];
    if (nx >= 0 && nx < Width && ny >= 0 && ny < Height) break;
  }
  return 90 * d;
}
