#include <fcntl.h>

#include <string>
#include <vector>

#include "support/HomeFixture.h"
#include "core/CProfiles.h"

namespace {

int g_music = -1, g_sound = -1, g_full = -1;
void volumeSink(int music, int sound) {
  g_music = music;
  g_sound = sound;
}
void screenSink(bool full) { g_full = full ? 1 : 0; }

class ProfilesTest : public HomeTest {};

TEST_F(ProfilesTest, AFreshStartCreatesBothFiles) {
  CProfiles p;
  ASSERT_EQ(p.load(), 0);
  EXPECT_EQ(readFile("hospital/profiles.txt"), "player1\nplayer2\nplayer3\nplayer4\nplayer5\nplayer6");
  EXPECT_EQ(readFile("hospital/profiles.txt").size(), 47u);
  EXPECT_EQ(readFile("hospital/lastprofile.txt"), "player1");
  EXPECT_EQ(p.getNames(), std::vector<std::string>({"player1", "player2", "player3", "player4", "player5", "player6"}));
  EXPECT_EQ(p.getAktivniProfilStr(), "0");
  EXPECT_EQ(p.getAktivniProfilName(), "player1");

  writeFile("hospital/profiles.txt", "x\ny");
  writeFile("hospital/lastprofile.txt", "x");
  ASSERT_EQ(p.load(), 0);
  ASSERT_TRUE(p.rename(0, "a"));
  ASSERT_TRUE(p.rename(1, "b"));
  p.setAktivniProfil(1);
  p.save();
  EXPECT_EQ(readFile("hospital/profiles.txt"), "a\nb\nplayer3\nplayer4\nplayer5\nplayer6");
  EXPECT_EQ(readFile("hospital/lastprofile.txt"), "b");
}

TEST_F(ProfilesTest, ReadsNamesLineByLine) {
  // A final line end adds no name, a long name stays one (cut to 14, the whole kept in the old
  // file), and the last-profile file's line end is not part of the name.
  const std::string list = "alice\nabcdefghijklmnopqrst\nbob\nd\ne\nf\n";
  writeFile("hospital/profiles.txt", list);
  writeFile("hospital/lastprofile.txt", "bob\n");
  CProfiles p;
  ASSERT_EQ(p.load(), 0);
  EXPECT_EQ(p.getNames(), std::vector<std::string>({"alice", "abcdefghijklmn", "bob", "d", "e", "f"}));
  EXPECT_EQ(p.getAktivniIndex(), 2);
  EXPECT_EQ(readFile("hospital/profiles.txt.bad"), list);
  EXPECT_EQ(readFile("hospital/profiles.txt"), "alice\nabcdefghijklmn\nbob\nd\ne\nf");
  EXPECT_EQ(p.getRepairs(), std::vector<std::string>({"A player name was too long,|so it was shortened.|"
                                                      "Old: ~/hospital/profiles.txt.bad"}));

  writeFile("hospital/lastprofile.txt", "abcdefghijklmnopqrst");
  ASSERT_EQ(p.load(), 0);
  EXPECT_EQ(p.getAktivniIndex(), 1);

  // Names keep their bytes and 14 letters however many bytes each takes, a byte-order mark goes,
  // trailing blank lines drop none.
  std::string chinese;
  for (int i = 0; i < 14; ++i) chinese += "\xE5\x90\x8D";
  writeFile("hospital/profiles.txt", "\xEF\xBB\xBFplayer1\nZo\xC3\xAB\nabcdefghijklm\xC3\xAB\n" + chinese + "\ne\nf\n\n\r\n \n");
  writeFile("hospital/lastprofile.txt", "player1");
  ASSERT_EQ(p.load(), 0);
  EXPECT_EQ(p.getNames(), std::vector<std::string>({"player1", "Zo\xC3\xAB", "abcdefghijklm\xC3\xAB", chinese, "e", "f"}));
  EXPECT_TRUE(p.getRepairs().empty());
}

TEST_F(ProfilesTest, SwitchingToAnUnknownProfileIsFatal) {
  writeFile("hospital/lastprofile.txt", "player2");
  CProfiles p;
  ASSERT_EQ(p.load(), 0);
  EXPECT_EXIT(p.setAktivniProfil("nobody"), testing::ExitedWithCode(1), "SetAktivniProfil: Profile not found");
  EXPECT_EXIT(p.setAktivniProfil(6), testing::ExitedWithCode(1), "SetAktivniProfil: Profile not found");
  EXPECT_EXIT(CProfiles().getAktivniProfilStr(), testing::ExitedWithCode(1), "AktiviProfil not found");
}

// Whatever list the game writes must start the game again: no name may be empty, since an empty
// last name would vanish from the file.
TEST_F(ProfilesTest, AWrittenListAlwaysLoadsAgain) {
  writeFile("hospital/profiles.txt", "solo");
  writeFile("hospital/lastprofile.txt", "solo");
  CProfiles p;
  ASSERT_EQ(p.load(), 0);
  EXPECT_FALSE(p.rename(0, ""));
  EXPECT_FALSE(p.rename(0, "two\nlines"));
  EXPECT_FALSE(p.rename(6, "nobody"));
  EXPECT_TRUE(p.rename(0, "abcdefghijklmnopqrst"));
  p.save();
  ASSERT_EQ(p.load(), 0);
  EXPECT_EQ(p.getNames(),
            std::vector<std::string>({"abcdefghijklmn", "player2", "player3", "player4", "player5", "player6"}));

  // Empty lines written by hand become fresh slot names, so the next save keeps every slot.
  writeFile("hospital/profiles.txt", "a\n\nc\n\n");
  writeFile("hospital/lastprofile.txt", "a");
  ASSERT_EQ(p.load(), 0);
  EXPECT_EQ(p.getNames(), std::vector<std::string>({"a", "player2", "c", "player4", "player5", "player6"}));
  p.setAktivniProfil(3);
  p.save();
  ASSERT_EQ(p.load(), 0);
  EXPECT_EQ(p.getNames().size(), 6u);
  EXPECT_EQ(p.getAktivniIndex(), 3);
}

// Damage a person can make by hand never stops the game: Windows line ends are read, a list
// without names is made anew with the default names, a short one is filled up with them, a last
// profile naming nobody opens the first, and each file replaced is kept beside it, the player
// told where.
TEST_F(ProfilesTest, DamageMadeByHandIsMendedAndTheReplacedFileKept) {
  const std::string defaults = "player1\nplayer2\nplayer3\nplayer4\nplayer5\nplayer6";
  writeFile("hospital/profiles.txt", "alice\r\nbob\r\nc\r\nd\r\ne\r\nf\r\n");
  writeFile("hospital/lastprofile.txt", "bob\r\n");
  CProfiles p;
  ASSERT_EQ(p.load(), 0);
  EXPECT_EQ(p.getNames(), std::vector<std::string>({"alice", "bob", "c", "d", "e", "f"}));
  EXPECT_EQ(p.getAktivniIndex(), 1);
  EXPECT_TRUE(p.getRepairs().empty());
  EXPECT_FALSE(exists("hospital/profiles.txt.bad"));

  writeFile("hospital/lastprofile.txt", "carol");
  testing::internal::CaptureStderr();
  ASSERT_EQ(p.load(), 0);
  std::string err = testing::internal::GetCapturedStderr();
  EXPECT_NE(err.find("\"carol\" of " + path("hospital/lastprofile.txt") + " is not in"), std::string::npos) << err;
  EXPECT_EQ(p.getAktivniIndex(), 0);
  EXPECT_EQ(readFile("hospital/lastprofile.txt"), "alice");
  EXPECT_EQ(readFile("hospital/lastprofile.txt.bad"), "carol");
  EXPECT_EQ(p.getRepairs(), std::vector<std::string>({"The last player was not found,|so alice plays now.|"
                                                      "Old: ~/hospital/lastprofile.txt.bad"}));

  // An empty list, then one of blank lines: each kept, the second beside the first.
  for (const char *empty : {"", "\r\n\n"}) {
    writeFile("hospital/profiles.txt", empty);
    testing::internal::CaptureStderr();
    ASSERT_EQ(p.load(), 0);
    err = testing::internal::GetCapturedStderr();
    EXPECT_NE(err.find(path("hospital/profiles.txt") + " holds no profile name"), std::string::npos) << err;
    EXPECT_EQ(readFile("hospital/profiles.txt"), defaults);
    EXPECT_EQ(p.getNames().size(), 6u);
    EXPECT_EQ(p.getAktivniIndex(), 0);
  }
  EXPECT_EQ(readFile("hospital/profiles.txt.bad"), "");
  EXPECT_EQ(readFile("hospital/profiles.txt.bad2"), "\r\n\n");
  EXPECT_EQ(readFile("hospital/lastprofile.txt.bad2"), "alice");
  ASSERT_EQ(p.getRepairs().size(), 1u);
  EXPECT_EQ(p.getRepairs()[0], "The list of players was empty,|so it was made anew.|Old: ~/hospital/profiles.txt.bad2");

  // A list cut short keeps its players, and every slot past them gets its name back: the
  // folders and saves of players 3 to 6 stay within reach.
  writeFile("hospital/profiles.txt", "player1\nplay");
  writeFile("hospital/3/save.dat", "kept");
  testing::internal::CaptureStderr();
  ASSERT_EQ(p.load(), 0);
  err = testing::internal::GetCapturedStderr();
  EXPECT_NE(err.find(path("hospital/profiles.txt") + " lacks some profile names"), std::string::npos) << err;
  EXPECT_EQ(p.getNames(), std::vector<std::string>({"player1", "play", "player3", "player4", "player5", "player6"}));
  EXPECT_EQ(readFile("hospital/profiles.txt"), "player1\nplay\nplayer3\nplayer4\nplayer5\nplayer6");
  EXPECT_EQ(readFile("hospital/profiles.txt.bad3"), "player1\nplay");
  EXPECT_EQ(readFile("hospital/3/save.dat"), "kept");
  EXPECT_EQ(p.getRepairs(), std::vector<std::string>({"Some player names were missing,|so they were put back.|"
                                                      "Old: ~/hospital/profiles.txt.bad3"}));

  // Past six names the rest stay in the old file only; a name of blanks or a lone NUL is missing.
  const std::string list = std::string(" \t\n") + '\0' + "\n\xC2\xA0\n\xE2\x80\x8B\na\nb\nc\nd\ne\nf\ng\nh";
  writeFile("hospital/profiles.txt", list);
  testing::internal::CaptureStderr();
  ASSERT_EQ(p.load(), 0);
  EXPECT_NE(testing::internal::GetCapturedStderr().find("holds more than 6 profile names"), std::string::npos);
  EXPECT_EQ(p.getNames(), std::vector<std::string>({"player1", "player2", "player3", "player4", "a", "b"}));
  EXPECT_EQ(readFile("hospital/profiles.txt.bad4"), list);
}

TEST_F(ProfilesTest, AnUnusableProfileFileIsNamedWithItsFault) {
  std::remove(path("hospital/profiles.txt").c_str());
  ASSERT_EQ(mkdir(path("hospital/profiles.txt").c_str(), 0777), 0);
  CProfiles p;
  testing::internal::CaptureStderr();
  EXPECT_EQ(p.load(), -1);
  std::string err = testing::internal::GetCapturedStderr();
  EXPECT_NE(err.find(path("hospital/profiles.txt") + " cannot be used: it is a folder"), std::string::npos) << err;
  rmdir(path("hospital/profiles.txt").c_str());
}

TEST_F(ProfilesTest, SwitchingAppliesTheProfilesSettings) {
  CAudioOptions::setVolumeSink(volumeSink);
  CVideoOptions::setScreenModeSink(screenSink);
  writeFile("hospital/1/audio.cfg", "SOUNDVOL 40\nMUSICVOL 30");
  writeFile("hospital/1/video.cfg", "FULLSCREEN 0\n");
  CProfiles p;
  ASSERT_EQ(p.load(), 0);

  p.setAktivniProfil("player2");
  EXPECT_EQ(readFile("hospital/lastprofile.txt"), "player2");
  EXPECT_EQ(g_music, 30);
  EXPECT_EQ(g_sound, 40);
  EXPECT_EQ(g_full, 0);

  p.setAktivniProfil(0); // no files there: full screen and full volume again
  EXPECT_EQ(g_full, 1);
  EXPECT_EQ(g_music, 100);
  CAudioOptions::setVolumeSink(nullptr);
  CVideoOptions::setScreenModeSink(nullptr);
}

TEST_F(ProfilesTest, ResetEmptiesTheSlot) {
  writeFile("hospital/profiles.txt", "a\nb\nc\nd\nplayer3\nf");
  writeFile("hospital/lastprofile.txt", "a");
  for (const char *f : {"audio.cfg", "video.cfg", "save.dat"}) writeFile(std::string("hospital/4/") + f, "x");
  writeFile("hospital/3/save.dat", "x");
  CProfiles p;
  ASSERT_EQ(p.load(), 0);
  p.reset("player3");
  EXPECT_EQ(p.getNames()[4], "player5");
  EXPECT_FALSE(exists("hospital/4/audio.cfg"));
  EXPECT_FALSE(exists("hospital/4/video.cfg"));
  EXPECT_FALSE(exists("hospital/4/save.dat"));
  EXPECT_TRUE(exists("hospital/3/save.dat"));
  EXPECT_EQ(readFile("hospital/profiles.txt"), "a\nb\nc\nd\nplayer3\nf"); // the caller saves
}

// The last-profile file holds a name: a name in two slots would open the other slot's game.
TEST_F(ProfilesTest, NoTwoSlotsShareANameAndTheLastUsedSlotOpens) {
  CProfiles p;
  ASSERT_EQ(p.load(), 0);
  ASSERT_TRUE(p.rename(0, "Anna") && p.rename(1, "player1"));
  EXPECT_FALSE(p.rename(2, "Anna"));
  p.resetSlot(0);
  EXPECT_EQ(p.getNames()[0], "player2");

  // A list already holding one name twice opens the slot last made active, or, with no slot
  // kept by an earlier version, the slot whose folder changed last.
  writeFile("hospital/profiles.txt", "twin\ntwin\nc");
  writeFile("hospital/lastprofile.txt", "twin");
  ASSERT_EQ(p.load(), 0);
  p.setAktivniProfil(0);
  ASSERT_EQ(p.load(), 0);
  EXPECT_EQ(p.getAktivniIndex(), 0);
  std::remove(path("hospital/lastslot.txt").c_str());
  struct timespec older[2] = {{1000, 0}, {1000, 0}};
  utimensat(AT_FDCWD, path("hospital/1").c_str(), older, 0);
  ASSERT_EQ(p.load(), 0);
  EXPECT_EQ(p.getAktivniIndex(), 0);
}

TEST_F(ProfilesTest, ALongHomeFolderKeepsItsFileNames) {
  const std::string deep = home + "/" + std::string(120, 'h') + "/" + std::string(120, 'k');
  ASSERT_EQ(std::system(("mkdir -p '" + deep + "/hospital'").c_str()), 0);
  setenv("HOME", deep.c_str(), 1);
  ASSERT_EQ(CProfiles().load(), 0);
  EXPECT_EQ(readFile(deep.substr(home.size() + 1) + "/hospital/lastprofile.txt"), "player1");
}

} // namespace
