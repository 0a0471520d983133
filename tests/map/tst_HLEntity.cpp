#include <gtest/gtest.h>

#include <set>
#include <sstream>

#include "map/HLEntity.h"
#include "map/Random.h"

namespace {
std::string Text(const HLEntity& entity) {
  std::ostringstream out;
  entity.Write(out);
  return out.str();
}
}  // namespace

TEST(HLEntity, GruntExampleWithDeathTrigger) {
  Random rng(1);
  HLEntityMonsterHumanGrunt grunt({96, -160, 8}, 90, 3, rng);
  EXPECT_EQ(rng.State, 1u) << "an explicit weapons value draws nothing";
  grunt.TriggerOnDeath = true;
  EXPECT_EQ(Text(grunt),
            "{\r\n"
            "\"classname\" \"monster_human_grunt\"\r\n"
            "\"origin\" \"96 -160 8\"\r\n"
            "\"angle\" \"90\"\r\n"
            "\"weapons\" \"3\"\r\n"
            "\"TriggerCondition\" \"4\"\r\n"
            "\"TriggerTarget\" \"MonsterCounter\"\r\n"
            "}\r\n");
}

TEST(HLEntity, MonsterWritesTriggerKeysOnlyWhenAsked) {
  HLEntityMonster m({1, 2, 3}, "monster_zombie", 270);
  EXPECT_EQ(Text(m),
            "{\r\n\"classname\" \"monster_zombie\"\r\n\"origin\" \"1 2 3\"\r\n\"angle\" \"270\"\r\n}\r\n");
  m.TriggerOnDeath = true;
  EXPECT_NE(Text(m).find("\"angle\" \"270\"\r\n\"TriggerCondition\" \"4\"\r\n"
                         "\"TriggerTarget\" \"MonsterCounter\"\r\n}"),
            std::string::npos);
}

TEST(HLEntity, RandomGruntWeaponsComeFromTheTable) {
  Random rng(7);
  std::set<int> seen;
  for (int i = 0; i < 1000; ++i) {
    Random copy = rng;
    const int draw = copy.Next();
    HLEntityMonsterHumanGrunt g({}, 0, -1, rng);
    const int table[5] = {1, 3, 5, 8, 10};
    ASSERT_EQ(g.Weapons, table[draw % 5]);
    seen.insert(g.Weapons);
  }
  EXPECT_EQ(seen, (std::set<int>{1, 3, 5, 8, 10}));
}

TEST(HLEntity, CrateContentCascadeAndTexture) {
  // Seeds are searched for draw sequences that exercise each branch.
  std::set<int> contents;
  std::set<std::string> textures;
  Random rng(99);
  for (int i = 0; i < 5000; ++i) {
    Random replay = rng;
    HLEntityCrate crate({0, 0, 56}, -1, rng);
    // Replay the cascade by hand to check the thresholds and draw count.
    int expected;
    if (replay.Next() <= 9830) expected = 0;
    else if (replay.Next() <= 18021) expected = 1;
    else if (replay.Next() <= 26213) expected = 2;
    else if (replay.Next() <= 29490) expected = 14;
    else expected = 17;
    const char* texture = replay.Next() <= 16383 ? "WOOD26  " : "WOOD39  ";
    ASSERT_EQ(crate.SpawnObject, expected);
    ASSERT_EQ(crate.Block->Walls[0].Texture, texture);
    ASSERT_EQ(replay.State, rng.State);
    contents.insert(crate.SpawnObject);
    textures.insert(crate.Block->Walls[0].Texture);
  }
  EXPECT_EQ(contents, (std::set<int>{0, 1, 2, 14, 17}));
  EXPECT_EQ(textures.size(), 2u);
}

TEST(HLEntity, CrateBlockIsAFiftySixCubeBelowItsOrigin) {
  Random rng(3);
  HLEntityCrate crate({-4, 4, 112}, 2, rng);
  const std::string text = Text(crate);
  EXPECT_EQ(text.substr(0, text.find("{\r\n(")),
            "{\r\n\"classname\" \"func_pushable\"\r\n\"health\" \"60\"\r\n\"material\" \"1\"\r\n"
            "\"friction\" \"250\"\r\n\"buoyancy\" \"0\"\r\n\"size\" \"0\"\r\n\"spawnflags\" \"128\"\r\n"
            "\"spawnobject\" \"2\"\r\n\"explosion\" \"1\"\r\n");
  EXPECT_NE(text.find("( -4 4 112 ) ( 52 4 112 ) ( 52 -52 112 ) WOOD"), std::string::npos);
  EXPECT_EQ(text.substr(text.size() - 6), "}\r\n}\r\n");
}

TEST(HLEntity, ExplosiveCrateKeyOrderAndTexture) {
  Random rng(5);
  Random replay(5);
  replay.Next();  // the plain crate's texture draw is still made
  HLEntityCrateExpl crate({0, 0, 56}, rng);
  EXPECT_EQ(rng.State, replay.State);
  const std::string text = Text(crate);
  EXPECT_EQ(text.substr(0, text.find("{\r\n(")),
            "{\r\n\"classname\" \"func_pushable\"\r\n\"health\" \"60\"\r\n\"material\" \"1\"\r\n"
            "\"spawnflags\" \"128\"\r\n\"friction\" \"250\"\r\n\"buoyancy\" \"0\"\r\n\"size\" \"0\"\r\n"
            "\"explosion\" \"1\"\r\n\"explodemagnitude\" \"100\"\r\n");
  EXPECT_EQ(text.find("spawnobject"), std::string::npos);
  EXPECT_NE(text.find(" WOOD8     0 0 0 1.000000 1.000000\r\n"), std::string::npos);
}

TEST(HLEntity, FixedKeyEntities) {
  EXPECT_EQ(Text(HLEntityLight({928, 768, 170})),
            "{\r\n\"classname\" \"light\"\r\n\"origin\" \"928 768 170\"\r\n\"_light\" \"255 255 255 200\"\r\n}\r\n");
  EXPECT_EQ(Text(HLEntityTriggerCounter(20)),
            "{\r\n\"classname\" \"trigger_counter\"\r\n\"delay\" \"0\"\r\n\"targetname\" \"MonsterCounter\"\r\n"
            "\"style\" \"32\"\r\n\"sounds\" \"0\"\r\n\"count\" \"20\"\r\n\"target\" \"EndMap\"\r\n}\r\n");
  EXPECT_EQ(Text(HLEntityEnvFade({928, 768, 10})),
            "{\r\n\"classname\" \"env_fade\"\r\n\"origin\" \"928 768 10\"\r\n\"targetname\" \"EndMap\"\r\n"
            "\"duration\" \"5\"\r\n\"holdtime\" \"3600\"\r\n\"renderamt\" \"255\"\r\n"
            "\"rendercolor\" \"0 0 0\"\r\n}\r\n");
  EXPECT_EQ(Text(HLEntityGeneric({-926, 2, 40}, "item_suit")),
            "{\r\n\"classname\" \"item_suit\"\r\n\"origin\" \"-926 2 40\"\r\n}\r\n");
  EXPECT_EQ(Text(HLEntityInfoPlayerStart({32, -32, 40})),
            "{\r\n\"classname\" \"info_player_start\"\r\n\"origin\" \"32 -32 40\"\r\n}\r\n");
}

TEST(HLEntity, ChangelevelWritesItsBrushButNoOrigin) {
  HLEntityTriggerChangelevel exit({906, 790, 170}, 44, 44, 160);
  const std::string text = Text(exit);
  EXPECT_EQ(text.substr(0, text.find("{\r\n(")),
            "{\r\n\"classname\" \"trigger_changelevel\"\r\n\"changedelay\" \"1\"\r\n"
            "\"map\" \"YOU_ARE_THE_WINNER\"\r\n");
  EXPECT_EQ(text.find("origin"), std::string::npos);
  EXPECT_NE(text.find("( 906 790 170 ) ( 950 790 170 ) ( 950 746 170 ) ROCK2 0 0 0 1.000000 1.000000\r\n"),
            std::string::npos);
}
