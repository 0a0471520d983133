#pragma once

#include <memory>
#include <ostream>
#include <string>

#include "map/HLBlock.h"
#include "map/HLPoint.h"

class Random;

// A keyed object of the level, written as a block of key/value lines.
class HLEntity {
 public:
  explicit HLEntity(std::string className) : ClassName(std::move(className)) {}
  virtual ~HLEntity() = default;
  HLEntity(const HLEntity&) = delete;
  HLEntity& operator=(const HLEntity&) = delete;

  virtual void Write(std::ostream& out) const = 0;

  std::string ClassName;
};

// Items, weapons, ammunition, path nodes: a class name and an origin.
class HLEntityGeneric : public HLEntity {
 public:
  HLEntityGeneric(const HLPoint& origin, std::string className)
      : HLEntity(std::move(className)), Origin(origin) {}
  void Write(std::ostream& out) const override;

  HLPoint Origin;
};

class HLEntityMonster : public HLEntityGeneric {
 public:
  HLEntityMonster(const HLPoint& origin, std::string className, int angle)
      : HLEntityGeneric(origin, std::move(className)), Angle(angle) {}
  void Write(std::ostream& out) const override;

  int Angle;
  bool TriggerOnDeath = false;

 protected:
  void WriteTrigger(std::ostream& out) const;
};

class HLEntityMonsterHumanGrunt : public HLEntityMonster {
 public:
  // weapons -1 draws one of 1, 3, 5, 8, 10 from rng.
  HLEntityMonsterHumanGrunt(const HLPoint& origin, int angle, int weapons, Random& rng);
  void Write(std::ostream& out) const override;

  int Weapons;
};

class HLEntityInfoPlayerStart : public HLEntity {
 public:
  explicit HLEntityInfoPlayerStart(const HLPoint& origin)
      : HLEntity("info_player_start"), Origin(origin) {}
  void Write(std::ostream& out) const override;

  HLPoint Origin;
};

// A pushable crate: a 56-unit cube whose corner is the origin.
class HLEntityCrate : public HLEntity {
 public:
  // content -1 draws the spawned object from rng; the texture is always drawn.
  HLEntityCrate(const HLPoint& origin, int content, Random& rng);
  void Write(std::ostream& out) const override;

  std::unique_ptr<HLBlock> Block;
  int Health = 60;
  int Material = 1;
  int SpawnObject = 0;
  int Friction = 250;
  int Buoyancy = 0;
  int Size = 0;
};

class HLEntityCrateExpl : public HLEntityCrate {
 public:
  HLEntityCrateExpl(const HLPoint& origin, Random& rng);
  void Write(std::ostream& out) const override;

  int ExplodeMagnitude = 100;
};

class HLEntityLight : public HLEntity {
 public:
  explicit HLEntityLight(const HLPoint& origin) : HLEntity("light"), Origin(origin) {}
  void Write(std::ostream& out) const override;

  HLPoint Origin;
  int Red = 255;
  int Green = 255;
  int Blue = 255;
  int Brightness = 200;
};

// Counts the monsters' deaths and fires "EndMap" after the last.
class HLEntityTriggerCounter : public HLEntity {
 public:
  explicit HLEntityTriggerCounter(int count) : HLEntity("trigger_counter"), Count(count) {}
  void Write(std::ostream& out) const override;

  int Count;
};

// "EndMap": fades the screen to black.
class HLEntityEnvFade : public HLEntity {
 public:
  explicit HLEntityEnvFade(const HLPoint& origin) : HLEntity("env_fade"), Origin(origin) {}
  void Write(std::ostream& out) const override;

  HLPoint Origin;
  int Duration = 5;
  int HoldTime = 3600;
};

// The level exit: a brush volume that sends the player on.
class HLEntityTriggerChangelevel : public HLEntityGeneric {
 public:
  HLEntityTriggerChangelevel(const HLPoint& origin, int dx, int dy, int dz);
  void Write(std::ostream& out) const override;

  std::unique_ptr<HLBlock> Block;
  std::string MapName = "YOU_ARE_THE_WINNER";
  int ChangeDelay = 1;
};
