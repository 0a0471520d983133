#include "map/HLEntity.h"

#include "map/MapText.h"
#include "map/Random.h"

void HLEntity::Write(MapText& out) const {
  out.Line("{");
  out.Key("classname", ClassName);
  if (Origin) out.Key("origin", *Origin);
  WriteKeys(out);
  if (Block) Block->Write(out);
  out.Line("}");
}

void HLEntityMonster::WriteKeys(MapText& out) const {
  out.Key("angle", Angle);
  WriteTrigger(out);
}

void HLEntityMonster::WriteTrigger(MapText& out) const {
  if (!TriggerOnDeath) return;
  out.Key("TriggerCondition", "4");
  out.Key("TriggerTarget", "MonsterCounter");
}

HLEntityMonsterHumanGrunt::HLEntityMonsterHumanGrunt(const HLPoint& origin, int angle, int weapons,
                                                     Random& rng)
    : HLEntityMonster(origin, "monster_human_grunt", angle), Weapons(weapons) {
  static const int kChoices[5] = {1, 3, 5, 8, 10};
  if (weapons == -1) Weapons = kChoices[rng.Below(5)];
}

void HLEntityMonsterHumanGrunt::WriteKeys(MapText& out) const {
  out.Key("angle", Angle);
  out.Key("weapons", Weapons);
  WriteTrigger(out);
}

HLEntityCrate::HLEntityCrate(const HLPoint& origin, int content, Random& rng)
    : HLEntity("func_pushable"), SpawnObject(content) {
  if (content == -1) {
    // A cascade of separate draws, each tried only when the one before failed.
    if (rng.CrateFraction() < 0.3)
      SpawnObject = 0;
    else if (rng.CrateFraction() < 0.55)
      SpawnObject = 1;
    else if (rng.CrateFraction() < 0.8)
      SpawnObject = 2;
    else if (rng.CrateFraction() < 0.9)
      SpawnObject = 14;
    else
      SpawnObject = 17;
  }
  const char* texture = rng.CrateFraction() < 0.5 ? "WOOD26  " : "WOOD39  ";
  Block = std::make_unique<HLSquareBlock>(origin, 56, texture);
}

void HLEntityCrate::WriteKeys(MapText& out) const {
  out.Key("health", Health);
  out.Key("material", Material);
  out.Key("friction", Friction);
  out.Key("buoyancy", Buoyancy);
  out.Key("size", Size);
  out.Key("spawnflags", "128");
  out.Key("spawnobject", SpawnObject);
  out.Key("explosion", "1");
}

HLEntityCrateExpl::HLEntityCrateExpl(const HLPoint& origin, Random& rng)
    : HLEntityCrate(origin, 0, rng) {
  // The plain crate's texture draw is made and its brush replaced, as the
  // draw sequence depends on it.
  Block = std::make_unique<HLSquareBlock>(origin, 56, "WOOD8    ");
}

void HLEntityCrateExpl::WriteKeys(MapText& out) const {
  out.Key("health", Health);
  out.Key("material", Material);
  out.Key("spawnflags", "128");
  out.Key("friction", Friction);
  out.Key("buoyancy", Buoyancy);
  out.Key("size", Size);
  out.Key("explosion", "1");
  out.Key("explodemagnitude", ExplodeMagnitude);
}

void HLEntityLight::WriteKeys(MapText& out) const {
  out.Key("_light", Red, Green, Blue, Brightness);
}

void HLEntityTriggerCounter::WriteKeys(MapText& out) const {
  out.Key("delay", "0");
  out.Key("targetname", "MonsterCounter");
  out.Key("style", "32");
  out.Key("sounds", "0");
  out.Key("count", Count);
  out.Key("target", "EndMap");
}

void HLEntityEnvFade::WriteKeys(MapText& out) const {
  out.Key("targetname", "EndMap");
  out.Key("duration", Duration);
  out.Key("holdtime", HoldTime);
  out.Key("renderamt", "255");
  out.Key("rendercolor", "0 0 0");
}

HLEntityTriggerChangelevel::HLEntityTriggerChangelevel(const HLPoint& origin, int dx, int dy,
                                                       int dz)
    : HLEntity("trigger_changelevel") {
  Block = std::make_unique<HLRectBlock>(origin, dx, dy, dz, "ROCK2");
}

void HLEntityTriggerChangelevel::WriteKeys(MapText& out) const {
  out.Key("changedelay", ChangeDelay);
  out.Key("map", MapName);
}
