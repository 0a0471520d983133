#include <gtest/gtest.h>


#include "map/HLEntity.h"
#include "map/MapText.h"
#include "map/Random.h"

namespace {
std::string Text(const HLEntity& entity) {
  MapText out;
  entity.Write(out);
  return std::string(out.View());
}
}  // namespace

TEST(HLEntity, GruntWithDeathTrigger) {
  Random rng(1);
  HLEntityMonsterHumanGrunt grunt({96, -160, 8}, 90, 3, rng);
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

TEST(HLEntity, TheLevelExitWritesItsBrushAfterItsKeysAndNoOrigin) {
  const HLEntityTriggerChangelevel exit({906, 790, 170}, 44, 44, 160);
  const std::string text = Text(exit);
  EXPECT_EQ(text.substr(0, text.find("( ")),
            "{\r\n\"classname\" \"trigger_changelevel\"\r\n\"changedelay\" \"1\"\r\n"
            "\"map\" \"YOU_ARE_THE_WINNER\"\r\n{\r\n");
  EXPECT_NE(text.find("\r\n( 906 790 170 ) ( 950 790 170 ) ( 950 746 170 ) ROCK2 0 0 0 "),
            std::string::npos);
  EXPECT_EQ(text.substr(text.size() - 6), "}\r\n}\r\n");
}
