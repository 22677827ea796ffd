#include "core/CEngineStartup.h"

#include <time.h>

#include "core/CAudioOptions.h"
#include "core/CControlOptions.h"
#include "core/CEngine.h"
#include "core/CEngineClock.h"
#include "core/CGameOptions.h"
#include "core/CLoadingScreen.h"
#include "core/CPlayerNotices.h"
#include "core/CProfiles.h"
#include "core/CSafeFile.h"
#include "core/CTop10.h"
#include "core/CVideoOptions.h"
#include "engine/KFont.h"
#include "engine/KGraphic.h"
#include "engine/KInput.h"
#include "engine/KMiscTools.h"
#include "engine/KPTK.h"
#include "engine/KResource.h"
#include "engine/KSound.h"
#include "engine/KText.h"
#include "engine/KWindow.h"
#include "media/CFatal.h"
#include "media/CFontSeznam.h"
#include "media/CGlobals.h"
#include "media/CLogger.h"
#include "media/CRandom.h"
#include "media/CSoundEngine.h"
#include "media/Frame.h"
#include "media/Frameset.h"
#include "media/GameGlobals.h"
#include "media/Timer.h"
#include "media/ZSprite.h"
#include "media/ZSpriteFactory.h"
#include "world/CEntityControllersVzory_Game.h"

namespace {
void log(const std::string &line) { CLogger::instance()->log(line); }

// The layers below the engine report to the loading screen, ask the sound settings and take the
// settings' volumes and screen mode through these.
void loadingProgress(const std::string &text, float fill) {
  CLoadingScreen::instance()->setText(text);
  CLoadingScreen::instance()->setFill(fill);
}
void loadingFill(float fill) { CLoadingScreen::instance()->setFill(fill); }
void loadingText(const std::string &text) { CLoadingScreen::instance()->setText(text); }
bool soundSwitch() { return CAudioOptions::instance()->vratSound(); }
bool musicSwitch() { return CAudioOptions::instance()->vratMusic(); }
void applyVolumes(int musicVolume, int soundVolume) {
  CWorldEngine *host = CWorldEngine::running();
  if (!host || !host->getSoundEngine()) return;
  host->getSoundEngine()->setMusicVolume(musicVolume);
  host->getSoundEngine()->setSoundVolume(soundVolume);
}
void applyScreenMode(bool fullScreen) {
  if (myWindow) myWindow->toggleFullScreen(fullScreen);
  KInput::hidePointer();
}

struct THandFrame {
  const char *name;
  unsigned x, y, w, h, delay;
};

// A start-up sprite built without the collection file: one frameset "FRAMESET1" of one picture.
ZSprite *handBuiltSprite(const char *name, const char *picture, bool realTime, std::initializer_list<THandFrame> frames) {
  ZSprite *sprite = new ZSprite(name);
  Frameset *fs = new Frameset(picture, "FRAMESET1", true, true, true, false, realTime);
  for (const THandFrame &f : frames) fs->pridejFrame(new Frame(f.name, f.x, f.y, f.w, f.h, f.delay, 0, 0, 0, 0, 0, 0, 0, 0, 0));
  sprite->pridejFrameset(fs);
  return sprite;
}

double threadCpuMs() {
  timespec t;
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return (double)t.tv_sec * 1e3 + (double)t.tv_nsec / 1e6;
}

template <class T> void release(T *&p) {
  delete p;
  p = nullptr;
}

void blackScreens() {
  backbuffer->grabBackBuffer(nullptr);
  for (int i = 0; i < 3; ++i) {
    backbuffer->drawRect(-0.5f, -0.5f, 800.0f, 600.0f, 0.0f, 0.0f, 0.0f, 1.0f);
    myWindow->flipBackBuffer(true, true);
  }
}
} // namespace

void CEngineStartup::installLayerHooks() {
  ZSpriteFactory::setLoadingProgress(loadingProgress);
  CSoundEngine::setLoadingReports(loadingFill, loadingText);
  CSoundEngine::setSwitchQueries(soundSwitch, musicSwitch);
  CAudioOptions::setVolumeSink(applyVolumes);
  CVideoOptions::setScreenModeSink(applyScreenMode);
}

void CEngineStartup::startProfiles(CPlayerNotices &notices) {
  profiles = new CProfiles();
  // Going on would only end later with a vaguer reason.
  if (profiles->load() != 0) fatalError(profiles->getLoadError() + ", so the game cannot start", 0);
  for (const std::string &repair : profiles->getRepairs()) notices.post(repair);
  profiles->tellTo(&notices);
  log("Profiles loaded...");
  CControlOptions::instance()->nahraj(userFilePath("\\hospital\\controls.cfg"));
}

void CEngineStartup::startWindowAndMedia() {
  const char *title = "Tobrulant";
  log("Creating window...");
  myWindow = KPTK::createKWindow(K_OPENGL, false);
  // Nothing can be shown without the window; going on would only draw into nothing.
  if (!myWindow || !myWindow->createGameWindow(800, 600, 32, true, title))
    fatalError("Cannot create the game window", -1);
  // A clock that moves only between frames would never end a wait for the next one.
  if (CEngineClock::isStepped()) myWindow->setMaxFrameRate(0);
  log("Grab backbuffer...");
  backbuffer = KPTK::createKGraphic();

  CVideoOptions::instance()->nahraj();
  CVideoOptions::instance()->aplikuj();

  log("Loading sprites...");
  spriteFactory = new ZSpriteFactory("kolekce");
  spriteFactory->pridejZSprite(
      handBuiltSprite("PUBLISHER_LOGO", "publisher_logo_screen.jpg", true, {{"FRAME1", 0, 0, 800, 600, 0}}));
  spriteFactory->pridejZSprite(handBuiltSprite("DEV_LOGO", "dev_logo.jpg", true, {{"FRAME1", 0, 0, 800, 600, 0}}));
}

void CEngineStartup::showLogoScreens(CEngineClock &clock) {
  unsigned long began = KMiscTools::getMilliseconds();
  const double cpuBegan = threadCpuMs();
  ZSprite *publisher = spriteFactory->cloneSprite("PUBLISHER_LOGO");
  ZSprite *developer = spriteFactory->cloneSprite("DEV_LOGO");
  publisher->nastavFrameset("FRAMESET1");
  developer->nastavFrameset("FRAMESET1");
  publisher->x = 0;
  publisher->y = 0;
  developer->x = 0;
  developer->y = 0;
  publisher->put(backbuffer, 1.0f, -1, -1, -1, -1);
  Timer *t1 = new Timer(3000, false);
  Timer *t2 = new Timer(3000, false);
  blackScreens();

  float a = 1.0f;
  int phase = 0;
  while (!myWindow->isQuit()) {
    if (!winFocus) {
      myWindow->processEvents();
      myWindow->flipBackBuffer(true, true);
      winFocus = true;
    }
    clock.beginFrame();
    myWindow->processEvents();
    float delta = CGlobals::instance()->deltaFactor;
    bool last = false;
    if (phase == 0) {
      publisher->put(backbuffer, 1.0f, -1, -1, -1, -1);
      backbuffer->drawRect(-0.5f, -0.5f, 800.0f, 600.0f, 0.0f, 0.0f, 0.0f, a);
      a -= 0.05f * delta;
      if (a < 0.0f) a = 0.0f;
      if (t1->udalost()) phase = 1;
    } else if (phase == 1) {
      publisher->put(backbuffer, 1.0f, -1, -1, -1, -1);
      developer->putAlpha(backbuffer, a, 1.0f, -1, -1, -1, -1);
      a += 0.05f * delta;
      if (a > 1.0f) a = 1.0f;
      if (t2->udalost()) {
        phase = 2;
        a = 0.0f;
      }
    } else {
      developer->putAlpha(backbuffer, 1.0f, 1.0f, -1, -1, -1, -1);
      backbuffer->drawRect(-0.5f, -0.5f, 800.0f, 600.0f, 0.0f, 0.0f, 0.0f, a);
      a += 0.05f * delta;
      if (a >= 1.0f) {
        a = 1.0f;
        last = true;
      }
    }
    myWindow->flipBackBuffer(true, true);
    clock.endFrame();
    if (last) break;
  }

  delete publisher;
  delete developer;
  delete t1;
  delete t2;
  blackScreens();
  logoScreensMs = KMiscTools::getMilliseconds() - began;
  logoScreensCpuMs = threadCpuMs() - cpuBegan;
}

void CEngineStartup::startFontsAndTexts() {
  fontSeznam = new CFontSeznam();
  const struct {
    const char *name;
    const char *picture;
    KFont *table;
  } fonts[] = {
      {"big", "data\\gfx\\font1big.png", bigFontTable},       {"small", "data\\gfx\\font1small.png", smallFontTable},
      {"small2", "data\\gfx\\smallfont.tga", small2FontTable}, {"bed", "data\\gfx\\bedfont.png", bedFontTable},
      {"bonus", "data\\gfx\\bonusFont.png", bonusFontTable},   {"gamefont", "data\\gfx\\gamefont.tga", gameFontTable},
  };
  for (const auto &f : fonts) {
    const std::string path = KMiscTools::makeFilePath(f.picture);
    fontSeznam->addFont(f.name, path, f.table);
    // Without a font the game writes no word of its menus and days: a damaged one is as fatal as a
    // broken data file.
    if (!fontSeznam->getAktivniFont()->drawable())
      fatalError("The font picture " + KResource::diskName(path.c_str()) +
                     " is damaged, and the game cannot show its texts without it. Installing the game again mends it.",
                 -1);
  }

  CRandom::seed((uint32_t)KMiscTools::getMilliseconds());
  CGameOptions::instance()->nahraj();

  bigText = new KText(KMiscTools::makeFilePath("data\\gfx\\font1big.png"), bigFontTable);
  smallText = new KText(KMiscTools::makeFilePath("data\\gfx\\font1small.png"), smallFontTable);
  bonusText = new KText(KMiscTools::makeFilePath("data\\gfx\\bonusfont.png"), bonusFontTable);

  top10 = new CTop10();
  top10->nahraj(userFilePath("\\hospital\\top10.bin"));
}

void CEngineStartup::startLoadingAndSounds(CEngineContent &content) {
  ZSprite *figure = handBuiltSprite("LOADING", "characters.png", true,
                                    {{"FRAME1", 0, 0, 244, 329, 100},
                                     {"FRAME2", 244, 0, 244, 329, 100},
                                     {"FRAME3", 488, 0, 244, 329, 100},
                                     {"FRAME4", 732, 0, 244, 329, 100},
                                     {"FRAME5", 0, 329, 244, 329, 100},
                                     {"FRAME6", 244, 329, 244, 329, 100},
                                     {"FRAME7", 488, 329, 244, 329, 100},
                                     {"FRAME8", 732, 329, 244, 329, 100}});
  figure->nastavFrameset("FRAMESET1");
  if (figure->getAktivniFrameset()) figure->getAktivniFrameset()->zapniAnimace();
  spriteFactory->pridejZSprite(figure);
  spriteFactory->pridejZSprite(handBuiltSprite("LOADINGBG", "loading.jpg", false, {{"FRAME1", 0, 0, 800, 600, 60}}));
  spriteFactory->pridejZSprite(
      handBuiltSprite("LOADINGLOGO", "loadinglogo.png", false, {{"FRAME1", 0, 0, 334, 180, 60}}));
  spriteFactory->pridejZSprite(
      handBuiltSprite("LOADINGLOGOFILL", "loadinglogofill.png", false, {{"FRAME1", 0, 0, 251, 180, 60}}));
  CLoadingScreen::instance()->nahrajSprite();

  soundEngine = new CSoundEngine();
  soundEngine->init();
  CAudioOptions::instance()->nahraj();
  CAudioOptions::instance()->aplikuj();

  // The loading music follows the music volume but not the music switch.
  loadingMusic = new KSound();
  loadingMusic->loadStream(KMiscTools::makeFilePath("data\\sfx\\music_map.ogg"));
  loadingMusic->setVolume(CAudioOptions::instance()->getMusicVolume());
  loadingMusic->playStream(true);

  spriteFactory->nahrajXML(KMiscTools::makeFilePath("data\\gfx\\sprites.xml"));
  CLoadingScreen::instance()->setText("LOADING");
  content.registerSounds(soundEngine);
  CAudioOptions::instance()->aplikuj();
  CLoadingScreen::instance()->setText("LOADING");
}

void CEngineStartup::stopLoadingMusic() {
  if (loadingMusic) {
    loadingMusic->stopStream();
    delete loadingMusic;
    loadingMusic = nullptr;
  }
}

void CEngineStartup::releaseTextsAndSprites() {
  release(top10);
  release(bigText);
  release(smallText);
  release(bonusText);
  release(spriteFactory);
}

void CEngineStartup::releasePrototypesAndSound() {
  release(controllerPrototypes);
  release(soundEngine);
}

void CEngineStartup::releaseFontsAndProfiles() {
  release(fontSeznam);
  release(profiles);
  release(loadingMusic);
}
