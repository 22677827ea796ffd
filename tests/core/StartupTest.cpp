#include <SDL.h>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <dirent.h>
#include <fstream>
#include <gtest/gtest.h>
#include <regex>
#include <set>
#include <signal.h>
#include <string>
#include <sched.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <typeinfo>
#include <unistd.h>
#include <vector>

#include "core/CEngine.h"
#include "core/CLoadingScreen.h"
#include "engine/KMiscTools.h"
#include "engine/KSound.h"
#include "game/CStartupTables.h"
#include "game/GameMain.h"
#include "media/CLogger.h"
#include "media/CSoundEngine.h"
#include "media/CSurface.h"
#include "media/Frame.h"
#include "media/ZSpriteFactory.h"
#include "support/FakePicture.h"
#include "support/GameProcess.h"
#include "support/GameSpritesSupport.h"
#include "support/SpareDisplays.h"
#include "world/CEntityController.h"
#include "world/CEntityControllersVzory_Game.h"
#include "world/CEntityControllers_Game.h"
#include "world/CMapEntitiesFactory.h"
#include "world/CMapEntity_Game.h"

namespace {

const std::string kData = std::string(TOB_BINARY_DIR) + "/data/";

using gameproc::exists;
using gameproc::readAll;

std::string scratchDir(const char *tag) {
  std::string t = std::string("/tmp/tob_") + tag + "_XXXXXX";
  std::vector<char> buf(t.begin(), t.end());
  buf.push_back(0);
  return mkdtemp(buf.data()) ? std::string(buf.data()) : std::string();
}

void removeTree(const std::string &dir) {
  if (dir.size() > 5) std::system(("rm -rf '" + dir + "'").c_str());
}

} // namespace

// ---- the sound and music keys ----

// A key given twice plays the later row's sound for both; a file named in another case is
// missing here.
TEST(StartupTables, EverySoundKeyIsRegisteredOnceAndItsFileIsInTheDataSet) {
  std::set<std::string> keys;
  for (const std::vector<TSoundRow> *table : {&soundTable(), &musicTable()})
    for (const TSoundRow &r : *table) {
      EXPECT_TRUE(keys.insert(r.key).second) << r.key << " registered twice";
      EXPECT_TRUE(exists(kData + "sfx/" + r.file)) << r.key << " -> " << r.file;
    }
}

namespace {
int g_fills = 0;
float g_firstFill = -1.0f;
void countFill(float f) {
  if (g_fills++ == 0) g_firstFill = f;
}
void ignoreText(const std::string &) {}
} // namespace

TEST(StartupTables, EverySoundLoadsUnderItsKeyAndMovesTheLoadingBar) {
  std::string dir = scratchDir("sounds");
  char cwd[1024];
  ASSERT_NE(getcwd(cwd, sizeof(cwd)), nullptr);
  ASSERT_EQ(chdir(dir.c_str()), 0);
  KMiscTools::setApplicationFolder(TOB_BINARY_DIR);
  CSoundEngine::setLoadingReports(countFill, ignoreText);
  g_fills = 0;
  debug = 1;

  CSoundEngine *engine = new CSoundEngine();
  registerSounds(engine);
  debug = 0;
  ASSERT_EQ(engine->sounds.size(), 263u);
  ASSERT_EQ(engine->music.size(), 6u);
  for (size_t i = 0; i < engine->sounds.size(); ++i) {
    EXPECT_EQ(engine->sounds[i].key, soundTable()[i].key);
    EXPECT_FALSE(engine->sounds[i].stream);
    EXPECT_FALSE(engine->sounds[i].loaded) << "decoded when first played";
    engine->playSound(engine->sounds[i].key);
    EXPECT_EQ(engine->sounds[i].sound->getKind(), KSound::KIND_SAMPLE);
    EXPECT_EQ(std::string(engine->sounds[i].sound->getFileName()), kData + "sfx/" + soundTable()[i].file);
  }
  EXPECT_EQ(engine->music[0].file, kData + "sfx/music_general.ogg");
  EXPECT_EQ(g_fills, 263);
  EXPECT_FLOAT_EQ(g_firstFill, 0.5f);
  EXPECT_EQ(readAll(dir + "/log.txt").find("not loaded"), std::string::npos);

  delete engine;
  CSoundEngine::setLoadingReports(nullptr, nullptr);
  KMiscTools::setApplicationFolder(nullptr);
  CLogger::destroyInstance();
  ASSERT_EQ(chdir(cwd), 0);
  removeTree(dir);
}

// ---- the entity prototypes ----

class PrototypeTableTest : public ::testing::Test {
protected:
  void SetUp() override {
    dir = scratchDir("protos");
    // Every row registers (classes still to come as stand-ins), so every row's sprite must be
    // there.
    useGameSprites(dir);
  }
  void TearDown() override {
    dropGameSprites();
    removeTree(dir);
  }
  std::string dir;
};

// A class that names the wrong type in its clone helper would still compile and hand out copies
// of another class; a name or an entity ID given twice finds the wrong prototype.
TEST_F(PrototypeTableTest, EveryPrototypeIsNamedOnceAndItAndEveryBehaviourClonesAsItsOwnClass) {
  registerEntityPrototypes();
  std::set<std::string> names;
  std::set<uint32_t> ids;
  for (CMapEntity_Game *proto : CMapEntitiesFactory::instance()->getPrototypes()) {
    EXPECT_TRUE(names.insert(proto->name).second) << proto->name;
    EXPECT_TRUE(ids.insert(proto->getEntityID()).second) << proto->name;
    CMapEntity *copy = proto->clone();
    EXPECT_EQ(typeid(*copy), typeid(*proto)) << proto->name;
    EXPECT_EQ(copy->name, proto->name);
    EXPECT_EQ(copy->getEntityID(), proto->getEntityID()) << proto->name;
    delete copy;
  }
  CEntityControllersVzory_Game *behaviours = buildControllerPrototypes(nullptr);
  ASSERT_GT(behaviours->size(), 0u);
  EXPECT_EQ(behaviours->size(), 229u) << "every row of the behaviour table registers its class";
  for (CEntityController *proto : behaviours->getControllers()) {
    CEntityController *copy = proto->clone();
    EXPECT_EQ(typeid(*copy), typeid(*proto)) << proto->getBindTo();
    EXPECT_EQ(copy->getBindTo(), proto->getBindTo());
    delete copy;
  }
  delete behaviours;
}

TEST(LoadingScreen, TheLogoFillsByTheFractionAndNeverPastItsFrame) {
  EXPECT_EQ(CLoadingScreen::fillWidth(200, 0.5f), 100);
  EXPECT_EQ(CLoadingScreen::fillWidth(200, 0.0f), 0);
  EXPECT_EQ(CLoadingScreen::fillWidth(251, 0.999f), 250);
  // 263 sounds and 6 tunes take the sound registry's bar just past 1.
  EXPECT_EQ(CLoadingScreen::fillWidth(251, 0.5f + (269.0f / 250.0f) / 2.15f), 251);
  EXPECT_EQ(CLoadingScreen::fillWidth(251, -0.2f), 0);
}

// ---- the real executable ----

class ExecutableTest : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(PrivateDisplay::ensure()) << PrivateDisplay::error();
    for (const char *tool : {"xdotool", "convert", "python3"})
      ASSERT_TRUE(gameproc::haveTool(tool)) << tool << " is missing (tools/deps.sh lists it)";
    home = scratchDir("home");
    ASSERT_FALSE(home.empty());
    mkdir((home + "/hospital").c_str(), 0777);
    mkdir((home + "/hospital/0").c_str(), 0777);
    std::ofstream(home + "/hospital/0/video.cfg") << "FULLSCREEN 0";
    run.shots = std::string(TOB_BINARY_DIR) + "/startup-shots";
    mkdir(run.shots.c_str(), 0777);
  }
  void TearDown() override {
    run.stop();
    removeTree(home);
    removeTree(app);
  }

  // Start-up ends on level 0, the title screen: its backdrop fills the window right of the main
  // menu panel.
  ::testing::AssertionResult waitForTitle() {
    return run.waitUntilLike("the title screen's backdrop right of the menu",
                             gameproc::readPicture(kData + "gfx/bg_menu.jpg", 360, 0, 440, 540), 0.08,
                             gameproc::kStartUpCeiling);
  }

  // A copy of the game in `app` whose data folder holds the real files, but `picture` of data/gfx
  // with `content` instead.
  ::testing::AssertionResult copyOfTheGameWith(const std::string &picture, const std::string &content) {
    app = scratchDir("app");
    if (std::system(("cp '" TOB_EXECUTABLE "' '" + app + "/tobrulant' && mkdir -p '" + app + "/data/gfx'").c_str()) != 0)
      return ::testing::AssertionFailure() << "cannot copy the game";
    for (const char *folder : {"", "gfx/"}) {
      DIR *d = opendir((kData + folder).c_str());
      if (!d) return ::testing::AssertionFailure() << "no " << kData << folder;
      while (dirent *e = readdir(d)) {
        const std::string name = e->d_name;
        if (name == "." || name == ".." || folder + name == "gfx" || folder + name == "gfx/" + picture) continue;
        if (symlink((kData + folder + name).c_str(), (app + "/data/" + folder + name).c_str()) != 0)
          return ::testing::AssertionFailure() << "cannot link " << name;
      }
      closedir(d);
    }
    std::ofstream(app + "/data/gfx/" + picture, std::ios::binary) << content;
    return ::testing::AssertionSuccess();
  }

  std::string home;
  std::string app;
  GameProcess run;
};

TEST_F(ExecutableTest, StartsShowsItsScreensAndEndsCleanlyWhenTheWindowCloses) {
  run.start(TOB_EXECUTABLE, home, home);
  ASSERT_TRUE(run.findWindow()) << run.errors();

  // The publisher logo, the developer logo and the loading screen (left of its figure) in turn.
  const struct {
    const char *name;
    gameproc::Pixels picture;
  } screens[] = {
      {"publisher", gameproc::readPicture(kData + "gfx/publisher_logo_screen.jpg", 0, 0, 800, 600)},
      {"developer", gameproc::readPicture(kData + "gfx/dev_logo.jpg", 0, 0, 800, 600)},
      {"loading", gameproc::readPicture(kData + "gfx/loading.jpg", 0, 200, 250, 300)},
  };
  for (const auto &screen : screens) {
    ASSERT_FALSE(screen.picture.empty()) << screen.name;
    ASSERT_TRUE(run.waitUntilLike(std::string("the ") + screen.name + " screen", screen.picture)) << run.errors();
    run.screenshot(run.shots + "/" + screen.name + ".png");
  }
  EXPECT_TRUE(waitForTitle()) << run.errors();
  run.screenshot(run.shots + "/level0.png");

  run.closeWindow();
  int status = run.wait(gameproc::kCeiling);

  // The user folder and its files; nothing more is written at exit.
  for (int i = 0; i < 6; ++i) EXPECT_TRUE(exists(home + "/hospital/" + std::to_string(i))) << i;
  EXPECT_EQ(readAll(home + "/hospital/profiles.txt"), "player1\nplayer2\nplayer3\nplayer4\nplayer5\nplayer6");
  EXPECT_EQ(readAll(home + "/hospital/lastprofile.txt"), "player1");
  EXPECT_EQ(readAll(home + "/hospital/top10.bin").size(), 4u + 10u * 56u);
  EXPECT_EQ(readAll(home + "/hospital/0/video.cfg"), "FULLSCREEN 0");
  EXPECT_FALSE(exists(home + "/hospital/0/save.dat"));
  EXPECT_FALSE(exists(home + "/hospital/0/audio.cfg"));
  EXPECT_FALSE(exists(home + "/hospital/game.cfg"));
  EXPECT_FALSE(exists(home + "/hospital/controls.cfg"));

  EXPECT_EQ(status, 0) << run.errors();
}

// What the window tests stand on: a wait that gives up says what it awaited and for how long,
// and the same wait passes once what it awaits shows.
TEST_F(ExecutableTest, AWaitForAChangeThatNeverComesGivesUpAtItsCeilingSayingWhatItAwaited) {
  run.start(TOB_EXECUTABLE, home, home);
  ASSERT_TRUE(run.findWindow()) << run.errors();
  ASSERT_TRUE(waitForTitle()) << run.errors();

  const gameproc::Pixels sky = run.look(0, 0, 120, 60);
  const auto began = std::chrono::steady_clock::now();
  ::testing::AssertionResult stillSky = run.waitUntilUnlike("the sky to change", sky, 0.01, 3);
  const std::chrono::duration<double> waited = std::chrono::steady_clock::now() - began;
  EXPECT_FALSE(stillSky);
  EXPECT_NE(std::string(stillSky.message()).find("gave up after 3 s waiting for the sky to change"), std::string::npos)
      << stillSky.message();
  EXPECT_GE(waited.count(), 3.0);

  const gameproc::Pixels newGame = run.look(60, 262, 200, 30);
  EXPECT_TRUE(run.hover(162, 278));
  EXPECT_TRUE(run.waitUntilUnlike("the NEW GAME button to glow", newGame, 0.01, 3));
}

// A disk of one page over the first profile's folder, full once its settings file is on it, in a
// user and mount namespace of the process's own (the user mapped to itself).
bool fullDiskAt(const std::string &folder) {
  auto put = [](const std::string &path, const std::string &text) {
    std::ofstream(path) << text;
  };
  const std::string uid = std::to_string(getuid()), gid = std::to_string(getgid());
  if (unshare(CLONE_NEWUSER | CLONE_NEWNS) != 0) return false;
  put("/proc/self/setgroups", "deny");
  put("/proc/self/uid_map", uid + " " + uid + " 1");
  put("/proc/self/gid_map", gid + " " + gid + " 1");
  if (mount("none", folder.c_str(), "tmpfs", 0, "size=4k") != 0) return false;
  put(folder + "/video.cfg", "FULLSCREEN 0");
  return true;
}

// A player chosen where the player list cannot be written, and a won day on a full disk, are told.
TEST_F(ExecutableTest, ASaveOnAFullDiskIsToldInTheGamesMessageWindow) {
  const std::string slot = home + "/hospital/0";
  ASSERT_EQ(mkdir((home + "/hospital/lastslot.txt").c_str(), 0777), 0);
  pid_t probe = fork();
  if (probe == 0) std::_Exit(fullDiskAt(slot) ? 0 : 1);
  int status = -1;
  if (waitpid(probe, &status, 0) != probe || status != 0) GTEST_SKIP() << "no private mounts here";
  run.inChild = [slot] {
    if (!fullDiskAt(slot)) _exit(94);
  };
  run.start(TOB_EXECUTABLE, home, home);
  ASSERT_TRUE(run.findWindow()) << run.errors();
  ASSERT_TRUE(waitForTitle()) << run.errors();
  // The message window at (261, 200), known by its title bar over whatever the day shows.
  gameproc::Pixels bar = gameproc::readPicture(kData + "gfx/menuquestionwindow.png", 40, 5, 200, 25);
  bar.x += 261;
  bar.y += 200;
  // The first player chosen in the profiles panel; its OK and the panel's close box after.
  const gameproc::Pixels firstSlot = gameproc::readPicture(kData + "gfx/bg_menu.jpg", 385, 127, 224, 46);
  ASSERT_TRUE(run.click(162, 378));
  ASSERT_TRUE(run.click(497, 150));
  ASSERT_TRUE(run.waitUntilLike("the message window", bar)) << run.errors();
  ASSERT_TRUE(run.click(423, 361));
  ASSERT_TRUE(run.waitUntilUnlike("the message window to close", bar, 0.08)) << run.errors();
  ASSERT_TRUE(run.click(630, 81));
  ASSERT_TRUE(run.waitUntilLike("the profiles panel to close", firstSlot)) << run.errors();

  // A new game: the hero's choice starts the first day, which saves.
  ASSERT_TRUE(run.click(162, 278));
  ASSERT_TRUE(run.waitUntilUnlike("the hero choice", gameproc::readPicture(kData + "gfx/bg_menu.jpg", 403, 265, 53, 132), 0.15));
  ASSERT_TRUE(run.click(429, 330));
  ASSERT_TRUE(run.waitUntilLike("the message window", bar)) << run.errors();
  run.screenshot(run.shots + "/full-disk.png");
  EXPECT_NE(run.errors().find("Can't write " + slot + "/save.dat: write failed (No space left on device)"),
            std::string::npos)
      << run.errors();
  run.closeWindow();
  EXPECT_EQ(run.wait(gameproc::kCeiling), 0) << run.errors();
}

// No file may grow at all: the first file written fails with its reason, told in the system's
// message box, instead of the signal ending the game; no file (and no temporary one) is left.
TEST_F(ExecutableTest, AFileSizeLimitEndsStartUpWithAMessageAndLeavesNoTemporaryFile) {
  run.inChild = [] {
    struct rlimit none = {0, RLIM_INFINITY};
    setrlimit(RLIMIT_FSIZE, &none);
  };
  run.start(TOB_EXECUTABLE, home, home);
  EXPECT_TRUE(run.answerMessageBox("Tobrulant cannot go on", run.shots + "/file-size-limit.png")) << run.errors();
  EXPECT_EQ(run.wait(gameproc::kCeiling), 1);
  DIR *d = opendir((home + "/hospital").c_str());
  ASSERT_NE(d, nullptr);
  std::string left;
  while (dirent *e = readdir(d))
    if (e->d_type == DT_REG) left += std::string(e->d_name) + " ";
  closedir(d);
  EXPECT_EQ(left, "");
}

// Where nobody could see the game it says why on standard error and ends at once, rather than
// running on unseen: without a display, and with one where no X server answers.
TEST_F(ExecutableTest, WithoutADisplayItSaysWhyAndEnds) {
  const FreeDisplay dead, quiet;
  const std::string deadDisplay = ":" + std::to_string(dead.number);
  // And with one that takes the connection and never answers.
  const int silent = socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
  sockaddr_un at = {AF_UNIX, {}};
  std::snprintf(at.sun_path, sizeof at.sun_path, "/tmp/.X11-unix/X%d", quiet.number);
  ASSERT_TRUE(bind(silent, (sockaddr *)&at, sizeof at) == 0 && listen(silent, 8) == 0);
  for (const std::string &display : {std::string(), deadDisplay, ":" + std::to_string(quiet.number)}) {
    run.inChild = [display] {
      unsetenv("SDL_VIDEODRIVER");
      unsetenv("WAYLAND_DISPLAY");
      if (display.empty()) unsetenv("DISPLAY");
      else setenv("DISPLAY", display.c_str(), 1);
    };
    run.start(TOB_EXECUTABLE, home, home);
    const int status = run.wait(gameproc::kCeiling);
    const std::string err = run.errors();
    EXPECT_GT(status, 0) << "DISPLAY=" << display << ": " << err;
    EXPECT_NE(err.find(display.empty() ? "no display: DISPLAY is not set" : "cannot open display " + display),
              std::string::npos)
        << err;
    EXPECT_EQ(display == ":" + std::to_string(quiet.number), err.find(": it stayed silent for 5 s") != std::string::npos);
    run.stop();
  }
  // Waiting there, it ends at once by a terminate signal.
  close(accept(silent, nullptr, nullptr));
  run.start(TOB_EXECUTABLE, home, home);
  pollfd reached = {silent, POLLIN, 0};
  ASSERT_EQ(poll(&reached, 1, (int)gameproc::kStartUpCeiling * 1000), 1) << run.errors();
  kill(run.pid, SIGTERM);
  EXPECT_EQ(run.wait(gameproc::kCeiling), -2) << "not ended by the signal: " << run.errors();
  unlink(at.sun_path);
  close(silent);

  // One that stops answering once the window shows: start-up says so as well, and where the game
  // waits for it, a terminate signal it cannot take there still ends it.
  for (bool signalled : {false, true}) {
    const FreeDisplay reserved;
    const std::string name = ":" + std::to_string(reserved.number);
    StandInDisplay display(reserved.number, false);
    run.inChild = [name] { unsetenv("SDL_VIDEODRIVER"), setenv("DISPLAY", name.c_str(), 1); };
    run.start(TOB_EXECUTABLE, home, home);
    ASSERT_TRUE(run.findWindow()) << run.errors();
    display.stopAnswering();
    if (signalled) {
      // Held up: its main thread neither runs nor wakes for half a second.
      const std::string clock = "/proc/" + std::to_string(run.pid) + "/schedstat";
      ASSERT_TRUE(gameproc::eventually([&] {
        const std::string before = readAll(clock);
        usleep(500000);
        return readAll(clock) == before;
      }));
      kill(run.pid, SIGTERM);
    }
    EXPECT_EQ(run.wait(gameproc::kCeiling), signalled ? -2 : 1) << run.errors();
    EXPECT_EQ(!signalled, run.errors().find("display " + name + ": it stayed silent for 5 s") != std::string::npos);
    EXPECT_EQ(signalled, run.errors().find("not closed within 2 s of the terminate signal") != std::string::npos);
    run.stop();
  }
}

// A display that drops the game's first connection is tried again, and one that answers 40 ms late
// each way (a forwarded session) is waited for however long it takes: the game's window shows.
TEST_F(ExecutableTest, ADisplayThatDropsTheFirstConnectionOrAnswersLateStillShowsTheGame) {
  for (bool late : {false, true}) {
    const FreeDisplay reserved;
    const int number = reserved.number;
    const StandInDisplay display(number, !late, late ? 40 : 0);
    run.inChild = [number] {
      unsetenv("SDL_VIDEODRIVER");
      setenv("DISPLAY", (":" + std::to_string(number)).c_str(), 1);
    };
    run.start(TOB_EXECUTABLE, home, home);
    ASSERT_TRUE(run.findWindow()) << "ended with " << run.wait(0) << " (-2: by a signal): " << run.errors();
    EXPECT_TRUE(waitForTitle()) << run.errors();
    run.closeWindow();
    EXPECT_EQ(run.wait(gameproc::kCeiling), 0) << (late ? "late: " : "dropping: ") << run.errors();
  }
}

// The start-up refusal box ends with the game: a terminate signal while it is up ends both, and
// a game killed outright takes its box with it. With a notice waiting (the player list was
// mended), one terminate or interrupt signal ends the game, as it does without one, and itself
// 2 s after it wherever the game is then, saying why, as a second signal does at once.
TEST_F(ExecutableTest, TheRefusalBoxEndsWithTheGameAndOneSignalEndsItWithANoticeWaiting) {
  ASSERT_EQ(mkdir((home + "/hospital/profiles.txt").c_str(), 0777), 0);
  for (int signal : {SIGTERM, SIGKILL}) {
    run.start(TOB_EXECUTABLE, home, home);
    unsigned long shown = 0;
    int w = 0, h = 0;
    ASSERT_TRUE(run.waitUntil("the refusal box", [&] { return (shown = gameproc::findTopWindow("Tobrulant cannot go on", &w, &h)) != 0; },
                              gameproc::kStartUpCeiling))
        << run.errors();
    gameproc::savePicture(gameproc::grabWindow(shown, 0, 0, w, h), run.shots + "/refusal-box.png");
    const std::vector<pid_t> box = gameproc::processesBelow(run.pid);
    EXPECT_FALSE(box.empty());
    kill(run.pid, signal);
    EXPECT_NE(run.wait(gameproc::kCeiling), -1) << "signal " << signal;
    EXPECT_TRUE(gameproc::eventually([] { return gameproc::findTopWindow("Tobrulant cannot go on") == 0; }))
        << "signal " << signal;
    for (pid_t p : box) EXPECT_TRUE(gameproc::eventually([p] { return gameproc::ended(p); })) << "signal " << signal << ", process " << p;
    run.stop();
  }
  EXPECT_NE(run.errors().find("profiles.txt cannot be used: it is a folder"), std::string::npos) << run.errors();
  ASSERT_EQ(rmdir((home + "/hospital/profiles.txt").c_str()), 0);
  // Taken in the logo screens, which end while start-up loads on: held still then, the game finds
  // the grace over 2 s after the signal all the same. The signal goes to the main thread, whose
  // state in /proc shows it taken: no longer pending there, nor blocked, as it is while its
  // handler arms the grace's alarm.
  const gameproc::Pixels publisher = gameproc::readPicture(kData + "gfx/publisher_logo_screen.jpg", 0, 0, 800, 600);
  auto holds = [](pid_t pid, const std::string &field, int signal) {
    const std::string status = readAll("/proc/" + std::to_string(pid) + "/status");
    const size_t at = status.find(field + ":");
    return at != std::string::npos && std::stoull(status.substr(at + field.size() + 1), nullptr, 16) >> (signal - 1) & 1;
  };
  for (int signal : {SIGTERM, SIGINT}) {
    std::ofstream(home + "/hospital/profiles.txt") << "\n";
    run.start(TOB_EXECUTABLE, home, home);
    ASSERT_TRUE(run.findWindow() && run.waitUntilLike("the publisher's logo", publisher)) << run.errors();
    const pid_t game = run.pid;
    ASSERT_EQ(syscall(SYS_tgkill, game, game, signal), 0);
    ASSERT_TRUE(gameproc::eventually(
        [&] { return gameproc::ended(game) || !(holds(game, "SigPnd", signal) || holds(game, "SigBlk", signal)); }));
    kill(game, SIGSTOP);
    EXPECT_TRUE(gameproc::eventually([&] { return gameproc::ended(game) || holds(game, "ShdPnd", SIGALRM); }));
    kill(game, SIGCONT);
    EXPECT_EQ(run.wait(gameproc::kCeiling), -2) << run.errors();
    EXPECT_NE(run.errors().find(std::string("2 s of the ") + (signal == SIGINT ? "interrupt" : "terminate")), std::string::npos);
    run.stop();
  }
  // Two signals together end it by the second.
  run.start(TOB_EXECUTABLE, home, home);
  ASSERT_TRUE(run.findWindow()) << run.errors();
  kill(run.pid, SIGTERM);
  kill(run.pid, SIGINT);
  EXPECT_EQ(run.wait(gameproc::kCeiling), -2) << run.errors();
  EXPECT_NE(run.errors().find("Tobrulant ends at once: a second "), std::string::npos) << run.errors();
}

// A FIFO or an endless device in place of a file start-up reads is refused at once, naming it,
// instead of the game waiting on it for good or reading it without end.
TEST_F(ExecutableTest, AFifoOrADeviceInPlaceOfAPlayerFileEndsStartUpNamingIt) {
  for (const char *file : {"top10.bin", "profiles.txt"}) {
    const std::string path = home + "/hospital/" + file;
    std::remove(path.c_str());
    ASSERT_EQ(std::string(file) == "top10.bin" ? mkfifo(path.c_str(), 0666) : symlink("/dev/urandom", path.c_str()), 0);
    run.start(TOB_EXECUTABLE, home, home);
    EXPECT_TRUE(run.answerMessageBox("Tobrulant cannot go on", run.shots + "/special-" + file + ".png")) << run.errors();
    EXPECT_GT(run.wait(gameproc::kCeiling), 0) << run.errors();
    EXPECT_NE(run.errors().find(path), std::string::npos) << run.errors();
    EXPECT_NE(run.errors().find(": it is not a plain file"), std::string::npos) << run.errors();
    std::remove(path.c_str());
  }
}

// A backdrop cut short is named, the title shown without it; a font's picture ends start-up, named.
TEST_F(ExecutableTest, PicturesCutShortAreNamedAndTheGameGoesOn) {
  gameproc::Pixels clip = gameproc::readPicture(kData + "gfx/menubg.png", 30, 320, 260, 50);
  clip.y += 140;
  for (const char *picture : {"bg_menu.jpg", "bonusfont.png"}) {
    const bool font = std::string(picture) == "bonusfont.png";
    const std::string whole = readAll(kData + "gfx/" + picture);
    ASSERT_TRUE(copyOfTheGameWith(picture, whole.substr(0, whole.size() / 2)));
    run.start(app + "/tobrulant", home, home);
    EXPECT_TRUE(run.answerMessageBox(font ? "Tobrulant cannot go on" : "Tobrulant: a damaged picture", run.shots + "/cut-short-" + picture + ".png"))
        << run.errors();
    ASSERT_TRUE(font || run.findWindow()) << run.errors();
    // The keyboard back to the game's window, as a player's click on it gives it.
    gameproc::shell("xdotool windowfocus " + run.window);
    EXPECT_NE(run.errors().find(app + "/data/gfx/" + picture + "\n("), std::string::npos) << run.errors();
    if (font) EXPECT_EQ(run.wait(gameproc::kCeiling), 255) << run.errors();
    else EXPECT_TRUE(run.waitUntilLike("the main menu's clipboard at (0, 140)", clip)) << run.errors();
    run.screenshot(run.shots + "/cut-short-" + picture + "-title.png");
    run.stop();
    removeTree(app);
  }

  // With every picture but the fonts damaged one box names the first few and counts them; the game
  // goes on.
  ASSERT_TRUE(copyOfTheGameWith("bg_menu.jpg", "damaged"));
  ASSERT_EQ(std::system(("cd '" + app + "/data/gfx' && for f in *.png *.jpg *.tga; do case $f in *font*) ;; *) rm \"$f\" && echo x >\"$f\";; esac; done").c_str()), 0);
  run.start(app + "/tobrulant", home, home);
  EXPECT_TRUE(run.answerMessageBox("Tobrulant: damaged pictures", run.shots + "/all-damaged.png")) << run.errors();
  EXPECT_TRUE(std::regex_search(run.errors(), std::regex(" pictures of the game are damaged, among them:\n(.*\n.*\n){3}and \\d+ more")));
  ASSERT_TRUE(run.findWindow()) << run.errors();
  run.closeWindow();
  EXPECT_EQ(run.wait(gameproc::kCeiling), 0) << run.errors();
}

// A broken sprite collection: its content and what the player must be told about it.
struct TBrokenSprites {
  const char *name;
  std::string (*content)(const std::string &real);
  const char *message;
};

const TBrokenSprites kBrokenSprites[] = {
    {"MissingAttribute",
     [](const std::string &) {
       return std::string("<kolekce>\n<sprite name=\"EMPTY\" src=\"empty.png\">\n<frameset name=\"FRAMESET1\">\n"
                          "<frameB name=\"FRAME1\" y=\"0\" w=\"1\" h=\"1\" delay=\"100\" bX=\"0\" bY=\"0\" bW=\"1\" "
                          "bH=\"1\"/>\n</frameset>\n</sprite>\n</kolekce>\n");
     },
     "X not found near FRAMEB tag!"},
    {"Truncated", [](const std::string &real) { return real.substr(0, real.size() / 2); },
     "sprites.xml is not well-formed XML!"},
    {"NotXml", [](const std::string &) { return std::string("PK\x03\x04 this is no sprite collection\n"); }, "sprites.xml"},
    {"SpriteWithoutFramesets",
     [](const std::string &) { return std::string("<kolekce>\n<sprite name=\"EMPTY\" src=\"empty.png\"/>\n</kolekce>\n"); },
     "No FRAMESET found in ZSprite EMPTY!"},
};

class BrokenSpritesTest : public ExecutableTest, public ::testing::WithParamInterface<TBrokenSprites> {};

TEST_P(BrokenSpritesTest, EndsStartUpWithItsStatusAndNamesTheFile) {
  ASSERT_TRUE(copyOfTheGameWith("sprites.xml", GetParam().content(readAll(kData + "gfx/sprites.xml"))));

  run.start(app + "/tobrulant", home, home);
  // The player learns why in the system's message box; the game ends once it is answered.
  EXPECT_TRUE(run.answerMessageBox("Tobrulant cannot go on", run.shots + "/broken-" + GetParam().name + ".png"))
      << run.errors();
  int status = run.wait(120);
  std::string err = run.errors();
  EXPECT_EQ(status, 255) << err;
  EXPECT_NE(err.find(GetParam().message), std::string::npos) << err;
  EXPECT_NE(err.find("sprites.xml"), std::string::npos) << err;
}

INSTANTIATE_TEST_SUITE_P(Executable, BrokenSpritesTest, ::testing::ValuesIn(kBrokenSprites),
                         [](const ::testing::TestParamInfo<TBrokenSprites> &p) { return std::string(p.param.name); });

// ---- a slow machine ----

namespace {

// Each reading of the clock lies 150 ms after the last, so no frame is shorter than that. Only a
// game that never leaves its logo screens meets the ceiling, where the window's quit ends them.
uint32_t g_slowNow = 0;
bool g_gaveUp = false, g_titleBuilt = false;
const auto g_slowBegan = std::chrono::steady_clock::now();
uint32_t slowTick() {
  if (!g_gaveUp && std::chrono::steady_clock::now() - g_slowBegan > std::chrono::seconds(120)) {
    g_gaveUp = true;
    SDL_Event quit{};
    quit.type = SDL_QUIT;
    SDL_PushEvent(&quit);
  }
  return g_slowNow += 150;
}

} // namespace

TEST(SlowFrames, StartUpReachesTheTitleScreenWhenEveryFrameIsSlow) {
  ASSERT_TRUE(PrivateDisplay::ensure()) << PrivateDisplay::error();
  const std::string home = scratchDir("slow");
  ASSERT_EQ(std::system(("mkdir -p " + home + "/hospital/0").c_str()), 0);
  std::ofstream(home + "/hospital/0/video.cfg") << "FULLSCREEN 0";
  const std::string oldHome = std::getenv("HOME") ? std::getenv("HOME") : "";
  setenv("HOME", home.c_str(), 1);
  KMiscTools::setApplicationFolder(TOB_BINARY_DIR);
  KMiscTools::setMessageBoxHandler([](const char *, const char *) {});
  KMiscTools::setClockSource(slowTick);
  TRunOptions options;
  options.afterInit = [](CEngine *e) { g_titleBuilt = e->getLevel() && e->getSoucasnyLevel() == 0; };
  options.skipWork = true;
  runGame(&options);
  KMiscTools::setClockSource(nullptr);
  KMiscTools::setMessageBoxHandler(nullptr);
  setenv("HOME", oldHome.c_str(), 1);
  removeTree(home);
  EXPECT_FALSE(g_gaveUp) << "the logo screens never ended";
  EXPECT_TRUE(g_titleBuilt);
}

// Shown nowhere, the game has no window; its boxes meet a display that stays silent: all end, saying why.
TEST_F(ExecutableTest, ABoxOnADisplayThatStaysSilentEndsWithTheGameSayingWhy) {
  const FreeDisplay reserved;
  StandInDisplay display(reserved.number, false);
  display.stopAnswering();
  const std::string name = ":" + std::to_string(reserved.number);
  run.inChild = [name] { setenv("SDL_VIDEODRIVER", "dummy", 1), setenv("DISPLAY", name.c_str(), 1); };
  run.start(TOB_EXECUTABLE, home, home);
  EXPECT_EQ(run.wait(gameproc::kCeiling), 255) << run.errors();
  EXPECT_NE(run.errors().find("Cannot create the game window"), std::string::npos) << run.errors();
  EXPECT_NE(run.errors().find("cannot show on display " + name + ": it stayed silent"), std::string::npos) << run.errors();
}
