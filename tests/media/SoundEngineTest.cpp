#include <gtest/gtest.h>

#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "engine/KAudioMixer.h"
#include "engine/KSound.h"
#include "support/SoundTestSupport.h"
#include "media/CLogger.h"
#include "media/CSoundEngine.h"

namespace fs = std::filesystem;

namespace {

// A mono 16-bit 44100 Hz WAV of frames copies of value.
Bytes constantWav(int16_t value, uint32_t frames) { return wavBytes(1, 16, 44100, std::vector<int16_t>(frames, value)); }

// Half a second of a mono sine as Ogg Vorbis.
Bytes sineOgg(double hz) { return encodeOgg(1, 44100, sine(1, 22050, hz, 0.4)); }

bool g_soundOn = true;
bool g_musicOn = true;
bool soundOn() { return g_soundOn; }
bool musicOn() { return g_musicOn; }
std::vector<float> g_fills;
std::vector<std::string> g_texts;
void onFill(float f) { g_fills.push_back(f); }
void onText(const std::string &t) { g_texts.push_back(t); }

class SoundEngineTest : public ::testing::Test {
protected:
  static void SetUpTestSuite() {
    dir_ = fs::temp_directory_path() / ("tob_sounds_" + std::to_string(getpid()));
    fs::create_directories(dir_);
    writeBytes(path("a.wav"), constantWav(1000, 20000));
    writeBytes(path("b.wav"), constantWav(2000, 20000));
    writeBytes(path("tune.ogg"), sineOgg(440));
    writeBytes(path("tune2.ogg"), sineOgg(660));
  }
  static void TearDownTestSuite() { fs::remove_all(dir_); }

  void SetUp() override {
    KAudioMixer::setDeviceEnabled(false);
    g_soundOn = g_musicOn = true;
    g_fills.clear();
    g_texts.clear();
    CSoundEngine::setSwitchQueries(soundOn, musicOn);
    CSoundEngine::setLoadingReports(onFill, onText);
  }
  void TearDown() override {
    CSoundEngine::setSwitchQueries(nullptr, nullptr);
    CSoundEngine::setLoadingReports(nullptr, nullptr);
    debug = 0;
    KAudioMixer::setDeviceEnabled(true);
  }

  static std::string path(const char *name) { return (dir_ / name).string(); }
  KSound *entry(CSoundEngine &e, size_t i) { return e.sounds.at(i).sound; }

  static fs::path dir_;
};

fs::path SoundEngineTest::dir_;

TEST_F(SoundEngineTest, EveryEntryUnderAnExactKeyPlays) {
  CSoundEngine e;
  e.addSound(path("a.wav"), "CLICK", false);
  e.addSound(path("b.wav"), "CLICK", false);
  e.addSound(path("a.wav"), "CURED", false);
  EXPECT_EQ(entry(e, 0)->getChannelCount(), 1) << "one channel: a replay restarts the effect";

  e.playSound("click");
  e.playSound("CLICK ");
  e.playSound("NOTHING");
  for (size_t i = 0; i < 3; ++i) EXPECT_FALSE(entry(e, i)->isPlaying());

  e.playSound("CLICK");
  EXPECT_TRUE(entry(e, 0)->isPlaying());
  EXPECT_TRUE(entry(e, 1)->isPlaying());
  EXPECT_FALSE(entry(e, 2)->isPlaying());

  e.stopSounds();
  EXPECT_FALSE(entry(e, 0)->isPlaying());
  EXPECT_FALSE(entry(e, 1)->isPlaying());
}

TEST_F(SoundEngineTest, MissingFilesAreLoggedAndTheirKeysStaySilent) {
  char cwd[1024];
  ASSERT_NE(getcwd(cwd, sizeof(cwd)), nullptr);
  ASSERT_EQ(chdir(dir_.c_str()), 0);
  debug = 1;
  {
    CSoundEngine e;
    e.addSound(path("missing.ogg"), "GONE", false);
    e.addSound(path("missing_music.ogg"), "GONEMUSIC", true);
    ASSERT_EQ(e.sounds.size(), 2u);
    e.playSound("GONE");
    e.playSound("GONEMUSIC");
    EXPECT_FALSE(entry(e, 0)->isPlaying());
    EXPECT_FALSE(entry(e, 1)->isPlaying());
  }
  debug = 0;
  std::ifstream in(path("log.txt"));
  std::stringstream s;
  s << in.rdbuf();
  EXPECT_EQ(s.str(), "Warning! Sound " + path("missing.ogg") + " not loaded.\nWarning! Music " +
                         path("missing_music.ogg") + " not loaded.\n");
  fs::remove(path("log.txt"));
  ASSERT_EQ(chdir(cwd), 0);
}

// Registration reads only each file's start, and so finds a damaged or unplayable sound at
// start-up, naming it; such a sound is never decoded later, so no day meets it.
TEST_F(SoundEngineTest, ADamagedSoundIsReportedAtRegistrationAndNeverLoadedInPlay) {
  Bytes ogg = sineOgg(440);
  Bytes damaged = ogg;
  for (size_t i = 28; i < 64 && i < damaged.size(); ++i) damaged[i] = 0;
  writeBytes(path("damaged.ogg"), damaged);
  writeBytes(path("cut.ogg"), Bytes(ogg.begin(), ogg.begin() + 20));
  writeBytes(path("surround.wav"), wavBytes(6, 16, 44100, std::vector<int16_t>(600, 5)));

  CSoundEngine e;
  testing::internal::CaptureStderr();
  e.addSound(path("a.wav"), "GOOD", false);
  e.addSound(path("tune.ogg"), "GOODTUNE", true);
  e.addSound(path("damaged.ogg"), "DAMAGED", false);
  e.addSound(path("cut.ogg"), "CUT", false);
  e.addSound(path("surround.wav"), "SURROUND", false);
  e.addMusic(path("damaged.ogg"), "DAMAGEDMUSIC");
  std::string err = testing::internal::GetCapturedStderr();
  for (const char *line : {"Sound %s/damaged.ogg not loaded: no Vorbis identification header",
                           "Sound %s/cut.ogg not loaded: not an Ogg stream",
                           "Sound %s/surround.wav not loaded: only 8- or 16-bit PCM in one or two channels",
                           "Music %s/damaged.ogg not loaded: no Vorbis identification header"}) {
    char expected[512];
    std::snprintf(expected, sizeof expected, line, dir_.c_str());
    EXPECT_NE(err.find(expected), std::string::npos) << expected << " in\n" << err;
  }
  EXPECT_EQ(err.find("a.wav"), std::string::npos) << err;
  EXPECT_EQ(err.find("tune.ogg"), std::string::npos) << err;

  testing::internal::CaptureStderr();
  for (const char *key : {"GOOD", "DAMAGED", "CUT", "SURROUND"}) e.playSound(key);
  e.playMusic("DAMAGEDMUSIC");
  err = testing::internal::GetCapturedStderr();
  EXPECT_EQ(err, "") << "nothing is read again in play";
  EXPECT_TRUE(entry(e, 0)->isPlaying());
  for (size_t i = 2; i < 5; ++i) EXPECT_FALSE(entry(e, i)->isPlaying()) << i;
  e.stopSounds();
}

TEST_F(SoundEngineTest, OneTuneAtATimeOnTheGlobalMusic) {
  CSoundEngine e;
  e.addMusic(path("tune.ogg"), "menu");
  e.addMusic(path("tune2.ogg"), "map");
  EXPECT_EQ(e.getGlobalMusic(), nullptr);
  e.setMusicVolume(30);
  e.playMusic("Menu");
  EXPECT_EQ(e.getGlobalMusic(), nullptr);

  e.playMusic("menu");
  KSound *music = e.getGlobalMusic();
  ASSERT_NE(music, nullptr);
  EXPECT_TRUE(music->isPlaying());
  EXPECT_EQ(music->getVolume(), 80) << "a volume set before the first tune is lost";
  EXPECT_EQ(std::string(music->getFileName()), path("tune.ogg"));

  e.setMusicVolume(40);
  e.playMusic("map");
  EXPECT_EQ(e.getGlobalMusic(), music);
  EXPECT_EQ(std::string(music->getFileName()), path("tune2.ogg"));
  EXPECT_TRUE(music->isPlaying());
  EXPECT_EQ(music->getVolume(), 40);
}

TEST_F(SoundEngineTest, StreamEntriesReplaceEachOtherButNotTheGlobalMusic) {
  CSoundEngine e;
  e.addMusic(path("tune.ogg"), "menu");
  e.addSound(path("tune.ogg"), "S1", true);
  e.addSound(path("tune2.ogg"), "S2", true);
  e.addSound(path("a.wav"), "FX", false);
  e.playMusic("menu");
  e.playSound("FX");
  e.playSound("S1");
  EXPECT_TRUE(entry(e, 0)->isPlaying());
  e.playSound("S2");
  EXPECT_FALSE(entry(e, 0)->isPlaying());
  EXPECT_TRUE(entry(e, 1)->isPlaying());
  EXPECT_TRUE(entry(e, 2)->isPlaying()) << "effects go on";
  EXPECT_TRUE(e.getGlobalMusic()->isPlaying());

  e.stopMusic();
  EXPECT_FALSE(entry(e, 1)->isPlaying());
  EXPECT_TRUE(e.getGlobalMusic()->isPlaying());
  e.stopSounds();
  EXPECT_FALSE(entry(e, 2)->isPlaying());
  EXPECT_TRUE(e.getGlobalMusic()->isPlaying());
}

TEST_F(SoundEngineTest, SwitchesGateOnlyNewPlays) {
  CSoundEngine e;
  e.addSound(path("a.wav"), "FX", false);
  e.addMusic(path("tune.ogg"), "menu");
  e.addMusic(path("tune2.ogg"), "map");

  g_soundOn = false;
  g_musicOn = false;
  e.playSound("FX");
  e.playMusic("menu");
  EXPECT_FALSE(entry(e, 0)->isPlaying());
  EXPECT_EQ(e.getGlobalMusic(), nullptr);

  g_soundOn = g_musicOn = true;
  e.playSound("FX");
  e.playMusic("menu");
  g_soundOn = g_musicOn = false;
  e.playMusic("map");
  EXPECT_TRUE(entry(e, 0)->isPlaying());
  EXPECT_TRUE(e.getGlobalMusic()->isPlaying());
  EXPECT_EQ(std::string(e.getGlobalMusic()->getFileName()), path("tune.ogg"));
}

TEST_F(SoundEngineTest, EffectVolumeReachesSamplesOnly) {
  CSoundEngine e;
  e.addSound(path("a.wav"), "FX", false);
  e.addSound(path("tune.ogg"), "S", true);
  int streamVolume = entry(e, 1)->getVolume();
  e.setSoundVolume(25);
  EXPECT_EQ(entry(e, 0)->getVolume(), 25);
  EXPECT_EQ(entry(e, 1)->getVolume(), streamVolume);

  e.playSound("FX");
  std::vector<int16_t> out(2);
  KAudioMixer::mix(out.data(), 1);
  EXPECT_NEAR(out[0], 1000 * 63 / 255, 2) << "the stored volume is used at the next play";
}

TEST_F(SoundEngineTest, LoadingBarCountsSamplesAndTracksNotStreams) {
  CSoundEngine e;
  e.addSound(path("a.wav"), "A", false);
  e.addSound(path("tune.ogg"), "S", true);
  e.addMusic(path("tune.ogg"), "menu");
  e.addSound(path("b.wav"), "B", false);
  EXPECT_EQ(e.registeredCount, 3);
  ASSERT_EQ(g_fills.size(), 3u);
  EXPECT_FLOAT_EQ(g_fills[0], 0.5f);
  EXPECT_FLOAT_EQ(g_fills[1], (float)(0.5 + (1.0 / 250) / 2.15));
  EXPECT_FLOAT_EQ(g_fills[2], (float)(0.5 + (2.0 / 250) / 2.15));
  EXPECT_EQ(g_texts, std::vector<std::string>(3, "LOADING"));
}

} // namespace
