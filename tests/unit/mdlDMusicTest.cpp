#include "app/mdlDMusic.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/contract/RecordingBoxes.h"

namespace zorvanel::app {
namespace {

// An engine that answers as told and counts what it was asked.
class ScriptedMusic : public platform::MusicApi {
 public:
  ScriptedMusic(bool engine, bool file) : engine_(engine), file_(file) {}
  bool PrepareEngine() override { return engine_; }
  bool LoadFile(std::string_view) override {
    ++loads;
    return file_;
  }
  bool IsPlaying() override {
    ++queries;
    return playing;
  }
  void Play() override { ++plays; }

  int loads = 0, queries = 0, plays = 0;
  bool playing = false;

 private:
  bool engine_, file_;
};

using contract::RecordingBoxes;

TEST(mdlDMusicTest, InitThenLoadReportsEachFailureOnce) {
  struct Case {
    const char* name;
    bool engine, file;
    std::vector<std::string> titles;
    bool loaded;
    int loads;  // the engine is never asked to load without being prepared
  };
  const Case cases[] = {
      {"all well", true, true, {}, true, 1},
      {"no file", true, false, {kNoMusicFileTitle}, false, 1},
      {"no engine", false, true, {kNoMusicEngineTitle, kNoMusicFileTitle}, false, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ScriptedMusic api(c.engine, c.file);
    RecordingBoxes boxes;
    mdlDMusic music(api, boxes);
    music.InitMusic();
    music.LoadMusicFile("refresh.dat");
    EXPECT_EQ(boxes.titles, c.titles);
    EXPECT_EQ(music.SegmentLoaded(), c.loaded);
    EXPECT_EQ(api.loads, c.loads);
  }
}

// An engine without music must not be asked to play, nor whether it plays:
// some engines say "playing" for ever when they have no output.
TEST(mdlDMusicTest, NothingIsPlayedOrAskedWithoutMusic) {
  ScriptedMusic api(true, false);
  api.playing = true;
  RecordingBoxes boxes;
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
