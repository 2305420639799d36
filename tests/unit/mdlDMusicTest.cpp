#include "app/mdlDMusic.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

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

class RecordedBoxes : public ui::MessageBoxes {
 public:
  ui::Answer MessageBox(std::string_view text, ui::Buttons, ui::Icon icon,
                        std::string_view title) override {
    shown.push_back(std::string(title) + ": " + std::string(text) +
                    (icon == ui::Icon::Critical ? " (critical)" : " (exclamation)"));
    return ui::Answer::OK;
  }
  std::vector<std::string> shown;
};

const std::string kEngineBox = "Error: Could not load DirectMusic. (critical)";
const std::string kFileBox = "ERROR!: ERROR : Could not load MIDI file! (exclamation)";

TEST(mdlDMusicTest, InitThenLoadReportsEachFailureOnce) {
  struct Case {
    const char* name;
    bool engine, file;
    std::vector<std::string> boxes;
    bool loaded;
    int loads;  // the engine is never asked to load without being prepared
  };
  const Case cases[] = {
      {"all well", true, true, {}, true, 1},
      {"no file", true, false, {kFileBox}, false, 1},
      {"no engine", false, true, {kEngineBox, kFileBox}, false, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ScriptedMusic api(c.engine, c.file);
    RecordedBoxes boxes;
    mdlDMusic music(api, boxes);
    music.InitMusic();
    music.LoadMusicFile("refresh.dat");
    EXPECT_EQ(boxes.shown, c.boxes);
    EXPECT_EQ(music.SegmentLoaded(), c.loaded);
    EXPECT_EQ(api.loads, c.loads);
  }
}

// An engine without music must not be asked to play, nor whether it plays:
// some engines say "playing" for ever when they have no output.
TEST(mdlDMusicTest, NothingIsPlayedOrAskedWithoutMusic) {
  ScriptedMusic api(true, false);
  api.playing = true;
  RecordedBoxes boxes;
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
