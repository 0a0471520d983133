#pragma once

#include <memory>
#include <optional>
#include <string>

#include "map/HLBlock.h"
#include "map/HLPoint.h"

class MapText;
class Random;

// A keyed object of the level, written as a block: "{", the class name, the
// origin when it has one, the keys of its class, a brush entity's brush, "}".
class HLEntity {
 public:
  explicit HLEntity(std::string className, std::optional<HLPoint> origin = std::nullopt)
      : ClassName(std::move(className)), Origin(origin) {}
  virtual ~HLEntity() = default;
  HLEntity(const HLEntity&) = delete;
  HLEntity& operator=(const HLEntity&) = delete;

  void Write(MapText& out) const;

  std::string ClassName;
  std::optional<HLPoint> Origin;
  // The one brush of a brush entity (crates, the level exit); null otherwise.
  std::unique_ptr<HLBlock> Block;

 protected:
  // The lines between the origin and the brush.
  virtual void WriteKeys(MapText&) const {}
};

// Items, weapons, ammunition, path nodes: a class name and an origin.
class HLEntityGeneric : public HLEntity {
 public:
  HLEntityGeneric(const HLPoint& origin, std::string className)
      : HLEntity(std::move(className), origin) {}
};

class HLEntityMonster : public HLEntityGeneric {
 public:
  HLEntityMonster(const HLPoint& origin, std::string className, int angle)
      : HLEntityGeneric(origin, std::move(className)), Angle(angle) {}

  int Angle;
  bool TriggerOnDeath = false;

 protected:
  void WriteKeys(MapText& out) const override;
  void WriteTrigger(MapText& out) const;
};

class HLEntityMonsterHumanGrunt : public HLEntityMonster {
 public:
  // weapons -1 draws one of 1, 3, 5, 8, 10 from rng.
  HLEntityMonsterHumanGrunt(const HLPoint& origin, int angle, int weapons, Random& rng);

  int Weapons;

 protected:
  void WriteKeys(MapText& out) const override;
};

class HLEntityInfoPlayerStart : public HLEntity {
 public:
  explicit HLEntityInfoPlayerStart(const HLPoint& origin) : HLEntity("info_player_start", origin) {}
};

// A pushable crate: a 56-unit cube whose corner is the origin; the origin
// itself is not written.
class HLEntityCrate : public HLEntity {
 public:
  // content -1 draws the spawned object from rng; the texture is always drawn.
  HLEntityCrate(const HLPoint& origin, int content, Random& rng);

  int Health = 60;
  int Material = 1;
  int SpawnObject = 0;
  int Friction = 250;
  int Buoyancy = 0;
  int Size = 0;

 protected:
  void WriteKeys(MapText& out) const override;
};

class HLEntityCrateExpl : public HLEntityCrate {
 public:
  HLEntityCrateExpl(const HLPoint& origin, Random& rng);

  int ExplodeMagnitude = 100;

 protected:
  void WriteKeys(MapText& out) const override;
};

class HLEntityLight : public HLEntity {
 public:
  explicit HLEntityLight(const HLPoint& origin) : HLEntity("light", origin) {}

  int Red = 255;
  int Green = 255;
  int Blue = 255;
  int Brightness = 200;

 protected:
  void WriteKeys(MapText& out) const override;
};

// Counts the monsters' deaths and fires "EndMap" after the last.
class HLEntityTriggerCounter : public HLEntity {
 public:
  explicit HLEntityTriggerCounter(int count) : HLEntity("trigger_counter"), Count(count) {}

  int Count;

 protected:
  void WriteKeys(MapText& out) const override;
};

// "EndMap": fades the screen to black.
class HLEntityEnvFade : public HLEntity {
 public:
  explicit HLEntityEnvFade(const HLPoint& origin) : HLEntity("env_fade", origin) {}

  int Duration = 5;
  int HoldTime = 3600;

 protected:
  void WriteKeys(MapText& out) const override;
};

// The level exit: a "ROCK2" box from the origin that sends the player on.
// Only the box is written, not the origin.
class HLEntityTriggerChangelevel : public HLEntity {
 public:
  HLEntityTriggerChangelevel(const HLPoint& origin, int dx, int dy, int dz);

  std::string MapName = "YOU_ARE_THE_WINNER";
  int ChangeDelay = 1;

 protected:
  void WriteKeys(MapText& out) const override;
};
