#include "map/HLEntity.h"

#include "map/MapText.h"
#include "map/Random.h"

void HLEntity::Write(std::ostream& out) const {
  WriteLine(out, "{");
  WriteLine(out, "\"classname\" \"%s\"", ClassName.c_str());
  if (Origin) WriteLine(out, "\"origin\" \"%d %d %d\"", Origin->X, Origin->Y, Origin->Z);
  WriteKeys(out);
  if (Block) Block->Write(out);
  WriteLine(out, "}");
}

void HLEntityMonster::WriteKeys(std::ostream& out) const {
  WriteLine(out, "\"angle\" \"%d\"", Angle);
  WriteTrigger(out);
}

void HLEntityMonster::WriteTrigger(std::ostream& out) const {
  if (!TriggerOnDeath) return;
  WriteLine(out, "\"TriggerCondition\" \"4\"");
  WriteLine(out, "\"TriggerTarget\" \"MonsterCounter\"");
}

HLEntityMonsterHumanGrunt::HLEntityMonsterHumanGrunt(const HLPoint& origin, int angle, int weapons,
                                                     Random& rng)
    : HLEntityMonster(origin, "monster_human_grunt", angle), Weapons(weapons) {
  static const int kChoices[5] = {1, 3, 5, 8, 10};
  if (weapons == -1) Weapons = kChoices[rng.Below(5)];
}

void HLEntityMonsterHumanGrunt::WriteKeys(std::ostream& out) const {
  WriteLine(out, "\"angle\" \"%d\"", Angle);
  WriteLine(out, "\"weapons\" \"%d\"", Weapons);
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

void HLEntityCrate::WriteKeys(std::ostream& out) const {
  WriteLine(out, "\"health\" \"%d\"", Health);
  WriteLine(out, "\"material\" \"%d\"", Material);
  WriteLine(out, "\"friction\" \"%d\"", Friction);
  WriteLine(out, "\"buoyancy\" \"%d\"", Buoyancy);
  WriteLine(out, "\"size\" \"%d\"", Size);
  WriteLine(out, "\"spawnflags\" \"128\"");
  WriteLine(out, "\"spawnobject\" \"%d\"", SpawnObject);
  WriteLine(out, "\"explosion\" \"1\"");
}

HLEntityCrateExpl::HLEntityCrateExpl(const HLPoint& origin, Random& rng)
    : HLEntityCrate(origin, 0, rng) {
  // The plain crate's texture draw is made and its brush replaced, as the
  // draw sequence depends on it.
  Block = std::make_unique<HLSquareBlock>(origin, 56, "WOOD8    ");
}

void HLEntityCrateExpl::WriteKeys(std::ostream& out) const {
  WriteLine(out, "\"health\" \"%d\"", Health);
  WriteLine(out, "\"material\" \"%d\"", Material);
  WriteLine(out, "\"spawnflags\" \"128\"");
  WriteLine(out, "\"friction\" \"%d\"", Friction);
  WriteLine(out, "\"buoyancy\" \"%d\"", Buoyancy);
  WriteLine(out, "\"size\" \"%d\"", Size);
  WriteLine(out, "\"explosion\" \"1\"");
  WriteLine(out, "\"explodemagnitude\" \"%d\"", ExplodeMagnitude);
}

void HLEntityLight::WriteKeys(std::ostream& out) const {
  WriteLine(out, "\"_light\" \"%d %d %d %d\"", Red, Green, Blue, Brightness);
}

void HLEntityTriggerCounter::WriteKeys(std::ostream& out) const {
  WriteLine(out, "\"delay\" \"0\"");
  WriteLine(out, "\"targetname\" \"MonsterCounter\"");
  WriteLine(out, "\"style\" \"32\"");
  WriteLine(out, "\"sounds\" \"0\"");
  WriteLine(out, "\"count\" \"%d\"", Count);
  WriteLine(out, "\"target\" \"EndMap\"");
}

void HLEntityEnvFade::WriteKeys(std::ostream& out) const {
  WriteLine(out, "\"targetname\" \"EndMap\"");
  WriteLine(out, "\"duration\" \"%d\"", Duration);
  WriteLine(out, "\"holdtime\" \"%d\"", HoldTime);
  WriteLine(out, "\"renderamt\" \"255\"");
  WriteLine(out, "\"rendercolor\" \"0 0 0\"");
}

HLEntityTriggerChangelevel::HLEntityTriggerChangelevel(const HLPoint& origin, int dx, int dy,
                                                       int dz)
    : HLEntity("trigger_changelevel") {
  Block = std::make_unique<HLRectBlock>(origin, dx, dy, dz, "ROCK2");
}

void HLEntityTriggerChangelevel::WriteKeys(std::ostream& out) const {
  WriteLine(out, "\"changedelay\" \"%d\"", ChangeDelay);
  WriteLine(out, "\"map\" \"%s\"", MapName.c_str());
}
