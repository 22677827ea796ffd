#include "core/CEngine.h"

#include "core/CAudioOptions.h"
#include "core/CControlOptions.h"
#include "core/CGameOptions.h"
#include "core/CLoadingScreen.h"
#include "core/CPlayer.h"
#include "core/CProfiles.h"
#include "core/CSafeFile.h"
#include "core/CStavHry_Hra.h"
#include "core/CStavHry_Pauza.h"
#include "core/CTop10.h"
#include "core/CVideoOptions.h"
#include "engine/KMiscTools.h"
#include "engine/KPTK.h"
#include "engine/KSound.h"
#include "engine/KText.h"
#include "engine/KWindow.h"
#include "media/CFakeTime.h"
#include "media/CFatal.h"
#include "media/CFontSeznam.h"
#include "media/CLogger.h"
#include "media/CSoundEngine.h"
#include "media/CSurface.h"
#include "media/CTimerList.h"
#include "media/CTimerWatch.h"
#include "media/GameGlobals.h"
#include "media/ZSpriteFactory.h"
#include "world/CEntityControllersVzory_Game.h"
#include "world/CLevelList.h"
#include "world/CLevel_Game.h"
#include "world/CMapEntitiesFactory.h"

CEngine *engine = nullptr;
CStavHry *globalAktualniStav = nullptr;

namespace {
void log(const std::string &line) { CLogger::instance()->log(line); }

bool levelDrawn = true;

template <class T> void release(T *&p) {
  delete p;
  p = nullptr;
}
} // namespace

CEngine::CEngine() : difficultyFactor(0.0f), difficultySamples(0), difficultySum(0.0f), aktualniStav(nullptr) {}

CEngine::~CEngine() {
  CSurfaceManager *surfaces = CSurfaceManager::m_instance;
  if (surfaces && surfaces->getWorkers() == &pictureWorkers) surfaces->setWorkers(nullptr);
}

CWorldEngine *CWorldEngine::of(CEngine *engine) { return engine; }
CWorldEngine *CWorldEngine::current() { return engine; }

std::string CEngine::getObtiznostString() { return CGameOptions::instance()->getObtiznostString(); }

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
  CSurfaceManager::instance()->setWorkers(&pictureWorkers);
  installLayerHooks();
  startValues();
  startWindowAndMedia();
  showLogoScreens(clock);
  startFontsAndTexts();
  startLoadingAndSounds(content);
  player = new CPlayer();
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
  // Going on would only end later with a vaguer reason.
  if (profiles->load() != 0) fatalError(profiles->getLoadError() + ", so the game cannot start", 0);
  for (const std::string &repair : profiles->getRepairs()) notices.post(repair);
  log("Profiles loaded...");
  CControlOptions::instance()->nahraj(userFilePath("\\hospital\\controls.cfg"));
}

void CEngine::setSteppedClock(uint16_t frameMs) { CEngineClock::setStepped(frameMs); }

void CEngine::setDrawLevel(bool on) { levelDrawn = on; }
bool CEngine::drawsLevel() { return levelDrawn; }

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

  stopLoadingMusic();
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
  clock.startCounting();
}

void CEngine::endPlay() {
  delete level;
  level = nullptr;
  delete levelList;
  levelList = nullptr;
  clock.stopCounting();
}

void CEngine::runFrame() {
  clock.beginFrame();
  if (myWindow) myWindow->processEvents();
  if (aktualniStav) aktualniStav->update();
  clock.endFrame();
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

  release(top10);
  release(bigText);
  release(smallText);
  release(bonusText);
  release(spriteFactory);
  pictureWorkers.stop();
  if (CSurfaceManager::instance()->getWorkers() == &pictureWorkers) CSurfaceManager::instance()->setWorkers(nullptr);

  release(controllerPrototypes);
  release(soundEngine);
  release(player);
  release(fontSeznam);
  release(profiles);
  release(loadingMusic);

  CAudioOptions::destroyInstance();
  CControlOptions::destroyInstance();
  CVideoOptions::destroyInstance();
  CFakeTime::destroyInstance();
  CTimerList::destroyInstance();
  CTimerWatch::destroyInstance();
  CMapEntitiesFactory::destroyInstance();
  CLogger::destroyInstance();
}

