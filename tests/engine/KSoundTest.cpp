#include "support/SoundTestSupport.h"
#include "engine/KAudioMixer.h"
#include "engine/KSound.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace {

// A four-channel "M.K." module: one looped square-wave sample struck on channels 0 and 1,
// speed 1, and a pattern break on row 3, so the song lasts four 20 ms rows.
Bytes tinyModule() {
  Bytes m(1084 + 1024 + 64, 0);
  std::memcpy(&m[0], "tiny", 4);
  unsigned char *s = &m[20];
  s[23] = 32; // length in words
  s[25] = 64; // volume
  s[29] = 32; // loop length in words
  m[950] = 1;
  m[951] = 127;
  std::memcpy(&m[1080], "M.K.", 4);
  unsigned char *row0 = &m[1084];
  for (int c = 0; c < 2; ++c) {
    unsigned char *cell = row0 + 4 * c;
    cell[0] = (428 >> 8) & 0x0F;
    cell[1] = 428 & 0xFF;
    cell[2] = (1 << 4) | 0x0F;
    cell[3] = 0x01;
  }
  unsigned char *row3 = row0 + 3 * 16;
  row3[2] = 0x0D;
  for (int i = 0; i < 64; ++i) m[1084 + 1024 + i] = (unsigned char)(i < 32 ? 100 : -100);
  return m;
}

int scaled(int value, int level) { return value * level / 255; }

class KSoundTest : public ::testing::Test {
protected:
  void SetUp() override {
    KAudioMixer::setDeviceEnabled(false);
    KSound::setGlobalVolumes(100, 100);
    char pattern[] = "/tmp/ksoundXXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    dir = pattern;
  }
  void TearDown() override {
    KSound::setGlobalVolumes(100, 100);
    KAudioMixer::setDeviceEnabled(true);
    std::filesystem::remove_all(dir);
  }
  std::string write(const std::string &name, const Bytes &bytes) {
    std::string path = dir + "/" + name;
    writeBytes(path, bytes);
    return path;
  }
  static std::vector<int16_t> mix(int frames) {
    std::vector<int16_t> out((size_t)frames * 2);
    KAudioMixer::mix(out.data(), frames);
    return out;
  }
  // Index of the last frame with sound, -1 when all silent.
  static int lastSound(const std::vector<int16_t> &out) {
    for (int i = (int)out.size() / 2 - 1; i >= 0; --i)
      if (out[2 * i] || out[2 * i + 1]) return i;
    return -1;
  }
  std::string dir;
};

TEST_F(KSoundTest, WavSampleFollowsVolumePanAndChannelLimits) {
  std::string path = write("dc.wav", wavBytes(1, 16, 44100, std::vector<int16_t>(1000, 10000)));
  KSound sound;
  ASSERT_TRUE(sound.loadSample(path.c_str(), 100, false, 0));
  EXPECT_EQ(sound.getChannelCount(), 1);
  sound.playSample();
  EXPECT_TRUE(sound.isPlaying());
  std::vector<int16_t> out = mix(4);
  EXPECT_EQ(out[0], 10000);
  EXPECT_EQ(out[1], 10000);

  sound.setVolume(50); // 127 on both sides
  out = mix(4);
  EXPECT_EQ(out[0], scaled(10000, 127));
  EXPECT_EQ(out[1], scaled(10000, 127));
  sound.setPan(-50); // the right side drops to 63
  out = mix(4);
  EXPECT_EQ(out[0], scaled(10000, 127));
  EXPECT_EQ(out[1], scaled(10000, 63));
  sound.setPan(500);
  EXPECT_EQ(sound.getPan(), 100);
  out = mix(4);
  EXPECT_EQ(out[0], 0);
  EXPECT_EQ(out[1], scaled(10000, 127));

  sound.setVolume(-1);
  EXPECT_EQ(sound.getVolume(), 50);
  sound.setVolume(-5);
  EXPECT_EQ(sound.getVolume(), 0);
  EXPECT_EQ(mix(4)[1], 0);

  KSound wide;
  ASSERT_TRUE(wide.loadSample(path.c_str(), 100, false, 12));
  EXPECT_EQ(wide.getChannelCount(), 10);
}

TEST_F(KSoundTest, SampleEndsLoopsStopsAndOverlapsOnItsChannels) {
  std::vector<int16_t> ramp;
  for (int i = 0; i < 100; ++i) ramp.push_back((int16_t)(10 * (i + 1)));
  std::string path = write("ramp.wav", wavBytes(1, 16, 44100, ramp));
  KSound sound;
  ASSERT_TRUE(sound.loadSample(path.c_str(), 100, false, 1));
  sound.playSample();
  std::vector<int16_t> out = mix(150);
  EXPECT_EQ(lastSound(out), 99);
  EXPECT_EQ(out[2 * 99], 1000);
  EXPECT_FALSE(sound.isPlaying());

  // One channel: a second start cuts the first and begins again.
  sound.playSample();
  mix(50);
  sound.playSample();
  EXPECT_EQ(mix(1)[0], 10);

  sound.setLoop(true);
  sound.playSample();
  out = mix(250);
  EXPECT_EQ(out[2 * 100], 10); // back at the start
  EXPECT_EQ(out[2 * 249], 500);
  EXPECT_TRUE(sound.isPlaying());
  sound.stopSample();
  EXPECT_EQ(lastSound(mix(50)), -1);
  EXPECT_FALSE(sound.isPlaying());

  std::string dc = write("dc.wav", wavBytes(1, 16, 44100, std::vector<int16_t>(1000, 1000)));
  KSound three;
  ASSERT_TRUE(three.loadSample(dc.c_str(), 100, false, 3));
  three.playSample();
  three.playSample();
  EXPECT_EQ(mix(1)[0], 2000);
  three.playSample();
  three.playSample(); // the fourth start takes the first copy's channel
  EXPECT_EQ(mix(1)[0], 3000);
  three.stopSample(0);
  EXPECT_TRUE(three.isPlaying()); // two copies still sound
  EXPECT_EQ(mix(1)[0], 2000);
}

TEST_F(KSoundTest, WavFormatsAndRatesPlayAsWritten) {
  std::string stereo = write("st.wav", wavBytes(2, 16, 44100, {8000, -8000, 8000, -8000}));
  std::string eight = write("8.wav", wavBytes(1, 8, 44100, {16384, -16384}));
  std::vector<int16_t> ramp;
  for (int i = 0; i < 10; ++i) ramp.push_back((int16_t)(100 * (i + 1)));
  std::string slow = write("slow.wav", wavBytes(1, 16, 22050, ramp));

  KSound a, b, c;
  ASSERT_TRUE(a.loadSample(stereo.c_str(), 100, false, 1));
  a.playSample();
  std::vector<int16_t> out = mix(2);
  EXPECT_EQ(out[0], 8000);
  EXPECT_EQ(out[1], -8000);
  a.stopSample();

  ASSERT_TRUE(b.loadSample(eight.c_str(), 100, false, 1));
  b.playSample();
  out = mix(2);
  EXPECT_EQ(out[0], 16384);
  EXPECT_EQ(out[2], -16384) << "a low 8-bit sample";
  b.stopSample();

  ASSERT_TRUE(c.loadSample(slow.c_str(), 100, false, 1));
  c.playSample();
  out = mix(20); // each 22050 Hz frame lasts two output frames
  EXPECT_EQ(out[0], 100);
  EXPECT_EQ(out[2], 100);
  EXPECT_EQ(out[4], 200);
  EXPECT_EQ(lastSound(out), 19);
  c.playSample(44100, 100, 0, false); // twice the base rate: one output frame each
  out = mix(20);
  EXPECT_EQ(out[2], 200);
  EXPECT_EQ(lastSound(out), 9);
}

TEST_F(KSoundTest, MasterVolumesScaleTheirOwnKind) {
  std::string path = write("dc.wav", wavBytes(1, 16, 44100, std::vector<int16_t>(1000, 10000)));
  KSound sound;
  ASSERT_TRUE(sound.loadSample(path.c_str(), 100, false, 1));
  KSound::setGlobalVolumes(-1, 50);
  EXPECT_EQ(KSound::_masterMUSICvolume, 100);
  EXPECT_EQ(KSound::_masterSFXvolume, 50);
  sound.playSample();
  EXPECT_EQ(mix(1)[0], scaled(10000, 127));
  KSound::setGlobalVolumes(30, 150);
  EXPECT_EQ(KSound::_masterMUSICvolume, 30);
  EXPECT_EQ(KSound::_masterSFXvolume, 100);
  EXPECT_EQ(mix(1)[0], scaled(10000, 127)); // a playing sample takes it at its next setVolume
  sound.setVolume(-1);
  EXPECT_EQ(mix(1)[0], 10000);
}

TEST_F(KSoundTest, BrokenWavFilesFailWithoutReadingPastTheirEnd) {
  Bytes good = wavBytes(1, 16, 44100, std::vector<int16_t>(100, 1000));
  std::vector<std::pair<const char *, Bytes>> bad;
  bad.push_back({"empty", Bytes()});
  Bytes garbage;
  for (int i = 0; i < 500; ++i) garbage.push_back((unsigned char)(i * 37 + 11));
  bad.push_back({"garbage", garbage});
  bad.push_back({"riff only", Bytes(good.begin(), good.begin() + 12)});
  bad.push_back({"fmt tag at the end", Bytes(good.begin(), good.begin() + 16)});
  bad.push_back({"fmt body cut", Bytes(good.begin(), good.begin() + 30)});
  bad.push_back({"data tag at the end", Bytes(good.begin(), good.begin() + 40)});
  Bytes noData(good.begin(), good.begin() + 36);
  putTag(noData, "junk");
  noData.insert(noData.end(), good.begin() + 40, good.end());
  bad.push_back({"no data chunk", noData});
  bad.push_back({"24-bit", wavBytes(1, 24, 44100, {})});
  Bytes sixChannels = good;
  sixChannels[22] = 6;
  bad.push_back({"six channels", sixChannels});
  Bytes float32 = good;
  float32[20] = 3;
  bad.push_back({"float", float32});

  for (auto &entry : bad) {
    // Exact-size heap copies, so the sanitizer sees any read past the end.
    std::string path = write("bad.wav", entry.second);
    KSound sound;
    ::testing::internal::CaptureStderr();
    EXPECT_FALSE(sound.loadSample(path.c_str(), 100, false, 1)) << entry.first;
    std::string err = ::testing::internal::GetCapturedStderr();
    EXPECT_NE(err.find("KSound: can't load"), std::string::npos) << entry.first;
    sound.playSample();
    EXPECT_FALSE(sound.isPlaying()) << entry.first;
  }
  KSound missing;
  ::testing::internal::CaptureStderr();
  EXPECT_FALSE(missing.loadSample((dir + "/none.wav").c_str(), 100, false, 1));
  ::testing::internal::GetCapturedStderr();

  // A "data" chunk that claims more than the file holds plays what is there.
  Bytes longClaim = good;
  longClaim[40] = 0x40;
  longClaim[41] = 0x42;
  longClaim[42] = 0x0F;
  std::string path = write("long.wav", longClaim);
  KSound cut;
  ::testing::internal::CaptureStderr();
  ASSERT_TRUE(cut.loadSample(path.c_str(), 100, false, 1));
  ::testing::internal::GetCapturedStderr();
  cut.playSample();
  EXPECT_EQ(lastSound(mix(200)), 99);
}

class KSoundOggTest : public KSoundTest {
protected:
  void SetUp() override {
    KSoundTest::SetUp();
    shortOgg = encodeOgg(1, 44100, sine(1, 5000));
    ASSERT_GT(shortOgg.size(), 100u);
  }
  // The whole file decoded as a sample and played at full volume: the reference output.
  std::vector<int16_t> reference(const std::string &path, int frames) {
    KSound sample;
    EXPECT_TRUE(sample.loadSample(path.c_str(), 100, false, 1));
    sample.playSample();
    return mix(frames);
  }
  Bytes shortOgg;
};

TEST_F(KSoundOggTest, OggSampleDecodesAndFollowsVolume) {
  std::string path = write("tone.ogg", shortOgg);
  std::vector<int16_t> full = reference(path, 6000);
  EXPECT_EQ(lastSound(full), 4999);
  double sum = 0;
  for (int i = 0; i < 5000; ++i) sum += (double)full[2 * i] * full[2 * i];
  EXPECT_NEAR(std::sqrt(sum / 5000), 0.5 * 32767 / std::sqrt(2.0), 1200);

  KSound sound;
  ASSERT_TRUE(sound.loadSample(path.c_str(), 50, false, 1));
  sound.playSample();
  std::vector<int16_t> half = mix(6000);
  for (int i = 0; i < 12000; ++i) ASSERT_EQ(half[i], scaled(full[i], 127)) << i;
}

TEST_F(KSoundOggTest, StreamFromMemoryPlaysItsTailAndEnds) {
  std::string path = write("tone.ogg", shortOgg);
  std::vector<int16_t> ref = reference(path, 8000);

  KSound stream;
  ASSERT_TRUE(stream.loadStreamFromPtr((char *)shortOgg.data(), shortOgg.size()));
  EXPECT_EQ(KSound::ogg_Seek(&stream, 0, SEEK_END), 0);
  EXPECT_EQ(KSound::ogg_Tell(&stream), (long)shortOgg.size());
  KSound::ogg_Seek(&stream, -10, SEEK_CUR);
  EXPECT_EQ(KSound::ogg_Tell(&stream), (long)shortOgg.size() - 10);
  KSound::ogg_Seek(&stream, -5, SEEK_SET);
  EXPECT_EQ(KSound::ogg_Tell(&stream), 0);
  KSound::ogg_Seek(&stream, 100000000, SEEK_SET);
  char scratch[16];
  EXPECT_EQ(KSound::ogg_Read(scratch, 1, sizeof(scratch), &stream), 0u);
  EXPECT_EQ(KSound::ogg_Tell(nullptr), -1);

  stream.setVolume(100);
  stream.playStream(false);
  EXPECT_TRUE(stream.isPlaying());
  // 5000 frames are two full 2048-frame buffers and a part buffer of 904: all of it sounds.
  std::vector<int16_t> out = mix(4500);
  EXPECT_TRUE(stream.isPlaying());
  std::vector<int16_t> rest = mix(3500);
  out.insert(out.end(), rest.begin(), rest.end());
  EXPECT_FALSE(stream.isPlaying());
  EXPECT_EQ(lastSound(out), 4999);
  for (int i = 0; i < 16000; ++i) ASSERT_EQ(out[i], ref[i]) << i;

  // Playing again starts from the beginning.
  stream.playStream(false);
  out = mix(100);
  for (int i = 0; i < 200; ++i) ASSERT_EQ(out[i], ref[i]) << i;
  stream.stopStream();
  EXPECT_FALSE(stream.isPlaying());
  EXPECT_EQ(lastSound(mix(3000)), -1);
}

TEST_F(KSoundOggTest, LoopingStreamRestartsAndTakesMusicVolumeAtBufferSwitch) {
  std::string path = write("loop.ogg", encodeOgg(1, 44100, sine(1, 3000)));
  std::vector<int16_t> ref = reference(path, 3000);
  KSound stream;
  ASSERT_TRUE(stream.loadStream(path.c_str()));
  stream.setVolume(100);
  stream.playStream(true);
  std::vector<int16_t> out = mix(20000);
  EXPECT_TRUE(stream.isPlaying());
  // Buffer 2 holds the last 952 frames and silence; the next buffer starts over.
  for (int i = 0; i < 6000; ++i) ASSERT_EQ(out[i], ref[i]) << i;
  for (int i = 3000; i < 4096; ++i) ASSERT_EQ(out[2 * i], 0) << i;
  for (int i = 0; i < 6000; ++i) ASSERT_EQ(out[2 * 4096 + i], ref[i]) << i;
  EXPECT_GT(lastSound(out), 19000);

  stream.playStream(true);
  mix(1000);
  KSound::setGlobalVolumes(50, -1);
  out = mix(2000); // frames 1000..2999: buffer 0 keeps its level, buffer 1 takes the new one
  for (int i = 1000; i < 2048; ++i) ASSERT_EQ(out[2 * (i - 1000)], ref[2 * i]) << i;
  for (int i = 2048; i < 3000; ++i) ASSERT_EQ(out[2 * (i - 1000)], scaled(ref[2 * i], 127)) << i;

  stream.setPan(-100);
  out = mix(10);
  EXPECT_EQ(out[1], 0);
}

TEST_F(KSoundOggTest, BrokenOggFilesFailCleanly) {
  Bytes garbage;
  for (int i = 0; i < 3000; ++i) garbage.push_back((unsigned char)(i * 73 + 5));
  Bytes truncated(shortOgg.begin(), shortOgg.begin() + 60);
  Bytes headerGone(shortOgg.begin() + 200, shortOgg.end());
  for (const Bytes *bytes : {&garbage, &truncated, &headerGone}) {
    std::string path = write("bad.ogg", *bytes);
    KSound sample, stream, fromMemory;
    ::testing::internal::CaptureStderr();
    EXPECT_FALSE(sample.loadSample(path.c_str(), 100, false, 1));
    EXPECT_FALSE(stream.loadStream(path.c_str()));
    EXPECT_FALSE(fromMemory.loadStreamFromPtr((char *)bytes->data(), bytes->size()));
    std::string err = ::testing::internal::GetCapturedStderr();
    EXPECT_NE(err.find("KSound: can't load"), std::string::npos);
    sample.playSample();
    stream.playStream(true);
    EXPECT_FALSE(sample.isPlaying());
    EXPECT_FALSE(stream.isPlaying());
  }
  KSound none;
  ::testing::internal::CaptureStderr();
  EXPECT_FALSE(none.loadStream((dir + "/none.ogg").c_str()));
  EXPECT_FALSE(none.loadStreamFromPtr(nullptr, 0));
  ::testing::internal::GetCapturedStderr();
  EXPECT_EQ(lastSound(mix(100)), -1);
}

class KSoundModuleTest : public KSoundTest {
protected:
  void SetUp() override {
    KSoundTest::SetUp();
    path = write("tiny.mod", tinyModule());
    KSound renderer;
    ASSERT_TRUE(renderer.loadModule(path.c_str()));
    std::string raw = dir + "/tiny.raw";
    ASSERT_TRUE(renderer.modToRaw((char *)raw.c_str(), 0));
    FILE *f = std::fopen(raw.c_str(), "rb");
    ASSERT_NE(f, nullptr);
    int16_t frame[2];
    while (std::fread(frame, 4, 1, f) == 1) song.insert(song.end(), frame, frame + 2);
    std::fclose(f);
  }
  std::string path;
  std::vector<int16_t> song; // the whole song, rendered once
};

TEST_F(KSoundModuleTest, ModulePlaysToItsEndOrLoops) {
  // Four rows at speed 1 are 80 ms: the last buffer is a part buffer.
  ASSERT_GT(song.size() / 2, 3000u);
  ASSERT_NE(song.size() / 2 % 1024, 0u);
  ASSERT_LT(song.size() / 2, 5000u);
  EXPECT_GE(lastSound(song), (int)song.size() / 2 - 200);

  KSound module;
  ASSERT_TRUE(module.loadModule(path.c_str()));
  module.setVolume(100);
  module.playModule(false);
  EXPECT_TRUE(module.isPlaying());
  std::vector<int16_t> out = mix(10000);
  EXPECT_FALSE(module.isPlaying());
  for (size_t i = 0; i < song.size(); ++i) ASSERT_EQ(out[i], song[i]) << i;
  EXPECT_EQ(lastSound(out), lastSound(song));

  module.playModule(true);
  out = mix(20000);
  EXPECT_TRUE(module.isPlaying());
  EXPECT_GT(lastSound(out), 19000);
  module.stopModule();
  EXPECT_FALSE(module.isPlaying());
  EXPECT_EQ(lastSound(mix(3000)), -1);

  std::string raw = dir + "/part.raw";
  ASSERT_TRUE(module.modToRaw((char *)raw.c_str(), 4000));
  EXPECT_EQ(std::filesystem::file_size(raw), 4000u);
}

TEST_F(KSoundModuleTest, ModuleVolumePanPauseAndMasterMusic) {
  KSound module;
  ASSERT_TRUE(module.loadModule(path.c_str()));
  module.setVolume(50);
  module.setPan(100);
  module.playModule(false);
  std::vector<int16_t> out = mix(1000);
  for (int i = 0; i < 1000; ++i) {
    ASSERT_EQ(out[2 * i], 0) << i;
    ASSERT_EQ(out[2 * i + 1], scaled(song[2 * i + 1], 127)) << i;
  }
  module.pauseModule();
  EXPECT_FALSE(module.isPlaying());
  EXPECT_EQ(lastSound(mix(500)), -1);
  module.continueModule();
  EXPECT_TRUE(module.isPlaying());
  out = mix(500); // goes on where it stopped
  for (int i = 0; i < 500; ++i) ASSERT_EQ(out[2 * i + 1], scaled(song[2 * (1000 + i) + 1], 127)) << i;

  module.setPan(0);
  KSound::setGlobalVolumes(50, -1);
  module.playModule(false);
  out = mix(100);
  int level = 127 * 50 / 100;
  for (int i = 0; i < 200; ++i) ASSERT_EQ(out[i], scaled(song[i], level)) << i;
}

TEST_F(KSoundModuleTest, BrokenModulesFailCleanly) {
  Bytes mod = tinyModule();
  Bytes garbage;
  for (int i = 0; i < 5000; ++i) garbage.push_back((unsigned char)(i * 131 + 17));
  for (const Bytes &bytes : {garbage, Bytes(mod.begin(), mod.begin() + 600), Bytes(mod.begin(), mod.begin() + 1500), Bytes()}) {
    std::string bad = write("bad.mod", bytes);
    KSound module;
    ::testing::internal::CaptureStderr();
    EXPECT_FALSE(module.loadModule(bad.c_str()));
    std::string err = ::testing::internal::GetCapturedStderr();
    EXPECT_NE(err.find("KSound: can't load"), std::string::npos);
    module.playModule(true);
    EXPECT_FALSE(module.isPlaying());
    EXPECT_FALSE(module.modToRaw((char *)(dir + "/x.raw").c_str(), 0));
  }
  EXPECT_EQ(lastSound(mix(100)), -1);
}

// The real device, on SDL's dummy driver: its own thread pulls the mix and drives the
// buffer switches, while the main thread plays and deletes under the device lock.
TEST_F(KSoundOggTest, DeviceThreadPlaysStreamsToTheirEnd) {
  setenv("SDL_AUDIODRIVER", "dummy", 0);
  KAudioMixer::setDeviceEnabled(true);
  std::string path = write("tone.ogg", shortOgg);
  {
    KSound stream;
    ASSERT_TRUE(KAudioMixer::isOpen());
    ASSERT_TRUE(stream.loadStream(path.c_str()));
    stream.playStream(false);
    auto until = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (stream.isPlaying() && std::chrono::steady_clock::now() < until)
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    EXPECT_FALSE(stream.isPlaying());

    for (int i = 0; i < 20; ++i) {
      auto looping = std::make_unique<KSound>();
      ASSERT_TRUE(looping->loadStream(path.c_str()));
      looping->playStream(true);
      std::this_thread::sleep_for(std::chrono::milliseconds(2));
      stream.playStream(true);
    }
  }
  EXPECT_FALSE(KAudioMixer::isOpen());
  EXPECT_EQ(KAudioMixer::channelCount(), 0);
}
} // namespace
