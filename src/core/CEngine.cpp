#include "core/CEngine.h"

#include <time.h>

#include <cstdio>
#include <cstdlib>

#include "core/CAudioOptions.h"
#include "core/CControlOptions.h"
#include "core/CGameOptions.h"
#include "core/CLoadingScreen.h"
#include "core/CPlayer.h"
#include "core/CProfiles.h"
#include "core/CSafeFile.h"
#include "core/CSaveGame.h"
#include "core/CStavHry_Hra.h"
#include "core/CStavHry_Pauza.h"
#include "core/CTop10.h"
#include "core/CVideoOptions.h"
#include "engine/KFont.h"
#include "engine/KGraphic.h"
#include "engine/KInput.h"
#include "engine/KMiscTools.h"
#include "engine/KPTK.h"
#include "engine/KPrefetch.h"
#include "engine/KSound.h"
#include "engine/KText.h"
#include "engine/KWindow.h"
#include "media/CFakeTime.h"
#include "media/CFatal.h"
#include "media/CFontSeznam.h"
#include "media/CGlobals.h"
#include "media/CLogger.h"
#include "media/CRandom.h"
#include "media/CSoundEngine.h"
#include "media/CTimerList.h"
#include "media/CTimerWatch.h"
#include "media/Frame.h"
#include "media/Frameset.h"
#include "media/GameGlobals.h"
#include "media/Timer.h"
#include "media/ZSprite.h"
#include "media/ZSpriteFactory.h"
#include "media/makeString.h"
#include "world/CEntityControllersVzory_Game.h"
#include "world/CLevelList.h"
#include "world/CLevel_Game.h"
#include "world/CMapEntitiesFactory.h"

CEngine *engine = nullptr;
CStavHry *globalAktualniStav = nullptr;

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
  if (!engine || !engine->getSoundEngine()) return;
  engine->getSoundEngine()->setMusicVolume(musicVolume);
  engine->getSoundEngine()->setSoundVolume(soundVolume);
}
void applyScreenMode(bool fullScreen) {
  if (myWindow) myWindow->toggleFullScreen(fullScreen);
  KInput::hidePointer();
}

void installLayerHooks() {
  ZSpriteFactory::setLoadingProgress(loadingProgress);
  CSoundEngine::setLoadingReports(loadingFill, loadingText);
  CSoundEngine::setSwitchQueries(soundSwitch, musicSwitch);
  CAudioOptions::setVolumeSink(applyVolumes);
  CVideoOptions::setScreenModeSink(applyScreenMode);
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

uint16_t steppedFrameMs = 0;
bool levelDrawn = true;
uint32_t steppedNow = 100000;
uint32_t steppedClock() { return steppedNow; }

void blackScreens() {
  backbuffer->grabBackBuffer(nullptr);
  for (int i = 0; i < 3; ++i) {
    backbuffer->drawRect(-0.5f, -0.5f, 800.0f, 600.0f, 0.0f, 0.0f, 0.0f, 1.0f);
    myWindow->flipBackBuffer(true, true);
  }
}
} // namespace

CEngine::CEngine()
    : running(0), top10(nullptr), controllerPrototypes(nullptr), bigText(nullptr), smallText(nullptr),
      bonusText(nullptr), fontSeznam(nullptr), soucasnyLevel(0), skipToLevel(0), maxLevel(0), level(nullptr),
      levelList(nullptr), frameStart(0), soundEngine(nullptr), player(nullptr), profiles(nullptr), loadGamePending(0),
      requestedLevel(kNoSkip), requestedSave(0),
      difficultyFactor(0.0f), difficultySamples(0), difficultySum(0.0f), aktualniStav(nullptr), perUpdate(0),
      fpsTimer(nullptr), frameCounter(0), fps(0), loadingMusic(nullptr), logoScreensMs(0) {}

CEngine::~CEngine() {}

CWorldEngine *CWorldEngine::of(CEngine *engine) { return engine; }
CWorldEngine *CWorldEngine::current() { return engine; }

void CEngine::forgetLevel(CLevel_Game *l) {
  if (level == l) level = nullptr;
}

std::string CEngine::getObtiznostString() { return CGameOptions::instance()->getObtiznostString(); }

int CEngine::getMusicVolume() { return CAudioOptions::instance()->getMusicVolume(); }

float CEngine::getLoadingFill() { return CLoadingScreen::instance()->getFill(); }
void CEngine::setLoadingFill(float fill) { CLoadingScreen::instance()->setFill(fill); }
void CEngine::setLoadingText(const std::string &text) { CLoadingScreen::instance()->setText(text); }

int CEngine::getDayRecord() { return player ? player->wasLevelDone(soucasnyLevel) : -1; }

void CEngine::creditDay(int bonus, int record) {
  if (!player) return;
  player->changeMoney(bonus);
  if (record >= 0) player->addLevelDone(soucasnyLevel, record);
}

bool CEngine::handleWinEvent(EventRef event) {
  if (!loading && event && event->eventClass == K_CLASS_APPLICATION && event->eventKind == K_KIND_APP_DEACTIVATED)
    winFocus = false;
  return true;
}

std::string CEngine::vratStav() { return aktualniStav ? aktualniStav->getName() : std::string(); }

void CEngine::fatalStav(const std::string &name) { fatalError("Chyba: Stav " + name + " nenalezen!", 0); }

CStavHry *CEngine::najdiStav(const std::string &name) {
  CStavHry *found = nullptr;
  for (CStavHry *s : stavy)
    if (s && s->getName() == name) found = s;
  return found;
}

void CEngine::initStav(const std::string &name) {
  bool any = false;
  for (uint16_t i = 0; i < stavy.size(); ++i) {
    if (stavy[i] && stavy[i]->getName() == name) {
      stavy[i]->init(this);
      any = true;
    }
  }
  if (!any) fatalStav(name);
}

void CEngine::vypniStav(const std::string &name) {
  bool any = false;
  for (uint16_t i = 0; i < stavy.size(); ++i) {
    if (stavy[i] && stavy[i]->getName() == name) {
      stavy[i]->close();
      any = true;
    }
  }
  if (!any) fatalStav(name);
}

void CEngine::prepniStav(const std::string &name) {
  CStavHry *s = najdiStav(name);
  if (!s) fatalStav(name);
  aktualniStav = s;
  globalAktualniStav = s;
}

void CEngine::init(CEngineContent &content) {
  installLayerHooks();
  startValues();
  startWindowAndMedia();
  showLogoScreens();
  startFontsAndTexts();
  startLoadingAndSounds(content);
  content.registerEntityPrototypes();
  startBehavioursAndStates(content);
}

void CEngine::startValues() {
  running = 1;
  loadGamePending = 0;
  requestedLevel = kNoSkip;
  requestedSave = 0;
  skipToLevel = kNoSkip;
  maxLevel = kNoMaxLevel;
  difficultyFactor = 0.85f;
  difficultySamples = 125;
  difficultySum = 106.25f;
  KMiscTools::initMiscTools();

  profiles = new CProfiles();
  // The reason has been said already; going on would only end later with a vaguer one.
  if (profiles->load() != 0) fatalError("The profiles cannot be used, so the game cannot start", 0);
  log("Profiles loaded...");
  CControlOptions::instance()->nahraj(userFilePath("\\hospital\\controls.cfg"));
}

void CEngine::startWindowAndMedia() {
  const char *title = "Tobrulant";
  log("Creating window...");
  myWindow = KPTK::createKWindow(K_OPENGL, false);
  // Nothing can be shown without the window; going on would only draw into nothing.
  if (!myWindow || !myWindow->createGameWindow(800, 600, 32, true, title))
    fatalError("Cannot create the game window", -1);
  // A clock that moves only between frames would never end a wait for the next one.
  if (steppedFrameMs) myWindow->setMaxFrameRate(0);
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

void CEngine::setDrawLevel(bool on) { levelDrawn = on; }
bool CEngine::drawsLevel() { return levelDrawn; }

void CEngine::setSteppedClock(uint16_t frameMs) {
  steppedFrameMs = frameMs;
  steppedNow = 100000;
  KMiscTools::setClockSource(frameMs ? steppedClock : nullptr);
}

void CEngine::endFrame() {
  steppedNow += steppedFrameMs;
  int16_t dt = (int16_t)(KMiscTools::getMilliseconds() - frameStart);
  CGlobals *g = CGlobals::instance();
  g->addDelta(dt);
  CFakeTime::instance()->advanceFrame(dt);
  g->updateDeltaFactor();
}

void CEngine::showLogoScreens() {
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
    frameStart = (uint32_t)KMiscTools::getMilliseconds();
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
    endFrame();
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

void CEngine::startFontsAndTexts() {
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
  for (const auto &f : fonts) fontSeznam->addFont(f.name, KMiscTools::makeFilePath(f.picture), f.table);

  CRandom::seed((uint32_t)KMiscTools::getMilliseconds());
  CGameOptions::instance()->nahraj();

  bigText = new KText(KMiscTools::makeFilePath("data\\gfx\\font1big.png"), bigFontTable);
  smallText = new KText(KMiscTools::makeFilePath("data\\gfx\\font1small.png"), smallFontTable);
  bonusText = new KText(KMiscTools::makeFilePath("data\\gfx\\bonusfont.png"), bonusFontTable);

  top10 = new CTop10();
  top10->nahraj(userFilePath("\\hospital\\top10.bin"));
}

void CEngine::startLoadingAndSounds(CEngineContent &content) {
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
  player = new CPlayer();
}

void CEngine::startBehavioursAndStates(CEngineContent &content) {
  controllerPrototypes = content.buildControllerPrototypes(this);
  CLoadingScreen::instance()->setText("LOADING");

  CStavHry *hra = new CStavHry_Hra("HRA");
  CStavHry *pauza = new CStavHry_Pauza("PAUZA");
  hra->init(this);
  pauza->init(this);
  stavy.push_back(hra);
  stavy.push_back(pauza);
  CLoadingScreen::instance()->setText("LOADING");

  if (loadingMusic) {
    loadingMusic->stopStream();
    delete loadingMusic;
    loadingMusic = nullptr;
  }
  prepniStav("HRA");
}

void CEngine::work() {
  myWindow->setPTKCallBack(ourOwnEventCallback);
  myWindow->setCallBack(CEngine::handleWinEvent);
  while (running && !myWindow->isQuit()) {
    if (!winFocus) {
      // Deactivated and nobody reacted yet: one untimed pass lets the state's behaviours see it.
      myWindow->processEvents();
      if (globalAktualniStav) globalAktualniStav->update();
      myWindow->flipBackBuffer(true, true);
      winFocus = true;
    }
    runFrame();
  }
}

void CEngine::startPlay() {
  level = nullptr;
  levelList = nullptr;
  soucasnyLevel = 0;
  frameCounter = 0;
  fps = 0;
  delete fpsTimer;
  fpsTimer = new Timer(1000, false);
}

void CEngine::endPlay() {
  delete level;
  level = nullptr;
  delete levelList;
  levelList = nullptr;
  delete fpsTimer;
  fpsTimer = nullptr;
}

void CEngine::countFrame() {
  if (fpsTimer && fpsTimer->udalost()) {
    fps = frameCounter;
    frameCounter = 0;
  }
  frameCounter++;
}

void CEngine::runFrame() {
  frameStart = (uint32_t)KMiscTools::getMilliseconds();
  if (myWindow) myWindow->processEvents();
  if (aktualniStav) aktualniStav->update();
  endFrame();
}

void CEngine::rebuildLevel() {
  delete level;
  level = new CLevel_Game(this);
  level->bindEContVzory(controllerPrototypes);
  level->load(levelList->getLevel(soucasnyLevel));
  level->setShopping(false);
}

void CEngine::checkNextLevel() {
  if (loadGamePending) {
    loadGame();
    loadGamePending = 0;
    return;
  }
  if (requestedLevel != kNoSkip) {
    soucasnyLevel = requestedLevel;
    const bool save = requestedSave != 0;
    requestedLevel = kNoSkip;
    requestedSave = 0;
    loading = 1;
    if (buildCurrentLevel()) {
      if (save && soucasnyLevel != 0) saveGame();
      CGlobals::instance()->paused = false;
    }
    loading = 0;
    return;
  }
  if (!level || !level->getLevelOver()) return;

  if (level->getMoney() >= level->getMoneyLimit()) {
    if (level->getPerks() && player && player->getPerkBought()) player->addPerkLevel(soucasnyLevel);
    uint16_t next = (uint16_t)(soucasnyLevel + 1);
    if (next < maxLevel && maxLevel != kNoMaxLevel)
      soucasnyLevel = maxLevel;
    else
      soucasnyLevel = next;
    maxLevel = soucasnyLevel;
  }

  loading = 1;
  if (buildCurrentLevel()) {
    if (soucasnyLevel != 0) saveGame();
    CGlobals::instance()->paused = false;
  }
  loading = 0;
}

void CEngine::trySkipLevel() {
  if (skipToLevel == kNoSkip) return;
  loading = 1;
  if (player) {
    if (level && level->getPerks() && player->getPerkBought()) player->addPerkLevel(soucasnyLevel);
    player->setPerkBought(false);
    player->setPerkSelected(false);
  }
  soucasnyLevel = skipToLevel;
  skipToLevel = kNoSkip;
  if (buildCurrentLevel()) CGlobals::instance()->paused = false;
  loading = 0;
}

bool CEngine::buildCurrentLevel() {
  uint16_t size = levelList ? levelList->getSize() : 0;
  if (size == 0) {
    // Nothing to build: the game ends with this frame.
    running = 0;
    return false;
  }
  if (soucasnyLevel >= size) {
    // Past the last entry the game is over; building a level first would only delay the end.
    running = 0;
    soucasnyLevel = (uint16_t)(size - 1);
    return false;
  }
  rebuildLevel();
  return true;
}

void CEngine::restartGame() {
  if (soundEngine) soundEngine->stopSounds();
  soucasnyLevel = 0;
  maxLevel = kNoMaxLevel;
  delete level;
  level = nullptr;
  CGlobals::instance()->resetAll();
  delete levelList;
  levelList = new CLevelList();
  std::string list = "data\\maps\\" + CGameOptions::instance()->getObtiznostString() + "\\levellist.xml";
  levelList->load(KMiscTools::makeFilePath(list.c_str()));
  level = new CLevel_Game(this);
  level->load(levelList->getLevel(0));
}

void CEngine::requestLevel(unsigned short index, bool save) {
  requestedLevel = index;
  requestedSave = save ? 1 : 0;
}

void CEngine::resetPlayer() {
  delete player;
  player = new CPlayer();
  maxLevel = 0;
}

void CEngine::deleteStavy() {
  for (CStavHry *s : stavy) delete s;
  stavy.clear();
  aktualniStav = nullptr;
}

void CEngine::close() {
  for (CStavHry *s : stavy)
    if (s && !s->isClosed()) s->close();
  deleteStavy();
  globalAktualniStav = nullptr;

  delete top10;
  top10 = nullptr;
  delete bigText;
  bigText = nullptr;
  delete smallText;
  smallText = nullptr;
  delete bonusText;
  bonusText = nullptr;
  delete spriteFactory;
  spriteFactory = nullptr;
  KPrefetch::stop();

  delete controllerPrototypes;
  controllerPrototypes = nullptr;
  delete soundEngine;
  soundEngine = nullptr;
  delete player;
  player = nullptr;
  delete fontSeznam;
  fontSeznam = nullptr;
  delete profiles;
  profiles = nullptr;
  delete loadingMusic;
  loadingMusic = nullptr;

  CAudioOptions::destroyInstance();
  CControlOptions::destroyInstance();
  CVideoOptions::destroyInstance();
  CFakeTime::destroyInstance();
  CTimerList::destroyInstance();
  CTimerWatch::destroyInstance();
  CMapEntitiesFactory::destroyInstance();
  CLogger::destroyInstance();
}

void CEngine::saveGame() {
  if (!profiles || !player) return;
  CSaveGame(profiles->getAktivniProfilStr()).save(soucasnyLevel, maxLevel, *player);
}

void CEngine::loadGame() {
  loading = 1;
  if (!profiles) {
    loading = 0;
    return;
  }
  CSaveGame save(profiles->getAktivniProfilStr());
  uint16_t count = levelList ? levelList->getSize() : 0;
  CPlayer *loaded = save.load(count, soucasnyLevel, maxLevel);
  if (!loaded) {
    // A missing or refused save leaves the game where it was (the main menu); the reader has
    // already said why.
    loading = 0;
    return;
  }
  delete player;
  player = loaded;
  rebuildLevel();
  loading = 0;
}

bool CEngine::saveExists() {
  if (!profiles) return false;
  return CSaveGame(profiles->getAktivniProfilStr()).exists();
}

void CEngine::saveDebug() {
  FILE *f = std::fopen("debug.txt", "w");
  if (!f) return;
  std::string text = "Delta time: " + makeString(CGlobals::instance()->deltaFactor) + "\n";
  text += "Level: " + makeString(soucasnyLevel) + "\n";
  text += "Money: " + makeString(player ? player->getMoney() : 0) + "\n";
  text += "LIST OF UPGRADES\n--------------\n";
  if (player)
    for (const TBasketItem &item : player->getBasket())
      text += "Upgrade ID " + makeString(item.entityID) + ", level " + makeString(item.starIndex + 1) + "\n";
  text += "THE PLAYER\n--------------\n";
  text += "PATIENTS\n--------------\n";
  std::fputs(text.c_str(), f);
  std::fclose(f);
}
