#include "app/mdlDMusic.h"

#include <gtest/gtest.h>

#include "tests/contract/RecordingBoxes.h"

namespace zorvanel::app {
namespace {

// An engine whose music file does not load, and which says "playing" for
// ever, as some engines do when they have no output.
class EngineWithoutMusic : public platform::MusicApi {
 public:
  bool PrepareEngine() override { return true; }
  bool LoadFile(std::string_view) override { return false; }
  bool IsPlaying() override {
    ++queries;
    return true;
  }
  void Play() override { ++plays; }

  int queries = 0, plays = 0;
};

// Without music the engine is neither asked to play nor whether it plays.
// (The boxes and the loads show in the scenarios under codes/.)
TEST(mdlDMusicTest, NothingIsPlayedOrAskedWithoutMusic) {
  EngineWithoutMusic api;
  contract::RecordingBoxes boxes;
  mdlDMusic music(api, boxes);
  music.InitMusic();
  music.LoadMusicFile("refresh.dat");
  EXPECT_FALSE(music.IsMusicPlaying());
  music.PlayMusic();
  EXPECT_EQ(api.queries, 0);
  EXPECT_EQ(api.plays, 0);
}

}  // namespace
}  // namespace zorvanel::app
