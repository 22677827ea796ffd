#include "core/CEngine.h"

#include "core/CAudioOptions.h"
#include "core/CControlOptions.h"
#include "core/CGameOptions.h"
#include "core/CLoadingScreen.h"
#include "core/CPlayer.h"
#include "core/CStavHry_Hra.h"
#include "core/CStavHry_Pauza.h"
#include "core/CProfiles.h"
#include "core/CVideoOptions.h"
#include "engine/KDisplayWatch.h"
#include "engine/KPictureDecoder.h"
#include "engine/KMiscTools.h"
#include "engine/KPTK.h"
#include "engine/KWindow.h"
#include "media/CFakeTime.h"
#include "media/CFatal.h"
#include "media/CLogger.h"
#include "media/CSurface.h"
#include "media/CTimerList.h"
#include "media/CTimerWatch.h"
#include "media/GameGlobals.h"
#include "world/CEntityControllersVzory_Game.h"
#include "world/CMapEntitiesFactory.h"

CStavHry *globalAktualniStav = nullptr;

namespace {
bool levelDrawn = true;
CEngine *runningEngine = nullptr;
} // namespace

CEngine::CEngine()
    : progress(this, startup), difficultyFactor(0.0f), difficultySamples(0), difficultySum(0.0f),
      aktualniStav(nullptr) {}

CEngine::~CEngine() {
  CSurfaceManager *surfaces = CSurfaceManager::m_instance;
  if (surfaces && surfaces->getWorkers() == &pictureWorkers) surfaces->setWorkers(nullptr);
}

CWorldEngine *CWorldEngine::running() { return runningEngine; }
CEngine *CEngine::running() { return runningEngine; }
void CEngine::setRunning(CEngine *engine) { runningEngine = engine; }

std::string CEngine::getObtiznostString() { return CGameOptions::instance()->getObtiznostString(); }

int CEngine::getMusicVolume() { return CAudioOptions::instance()->getMusicVolume(); }

float CEngine::getLoadingFill() { return CLoadingScreen::instance()->getFill(); }
void CEngine::setLoadingFill(float fill) { CLoadingScreen::instance()->setFill(fill); }
void CEngine::setLoadingText(const std::string &text) { CLoadingScreen::instance()->setText(text); }

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
  // A display that stops answering anywhere in start-up ends it with the reason, not a hang.
  const KDisplayWatch watch(KDisplayWatch::displayName());
  const KPictureDecoder::OneBox damagedPictures;
  CSurfaceManager::instance()->setWorkers(&pictureWorkers);
  CEngineStartup::installLayerHooks();
  startValues();
  startup.startWindowAndMedia();
  startup.showLogoScreens(clock);
  startup.startFontsAndTexts();
  startup.startLoadingAndSounds(content);
  progress.setPlayer(new CPlayer());
  content.registerEntityPrototypes();
  startBehavioursAndStates(content);
}

void CEngine::startValues() {
  progress.start();
  difficultyFactor = 0.85f;
  difficultySamples = 125;
  difficultySum = 106.25f;
  KMiscTools::initMiscTools();
  startup.startProfiles(progress.getNotices());
}

void CEngine::setSteppedClock(uint16_t frameMs) { CEngineClock::setStepped(frameMs); }

void CEngine::setDrawLevel(bool on) { levelDrawn = on; }
bool CEngine::drawsLevel() { return levelDrawn; }

void CEngine::startBehavioursAndStates(CEngineContent &content) {
  startup.setControllerPrototypes(content.buildControllerPrototypes(this));
  CLoadingScreen::instance()->setText("LOADING");

  CStavHry *hra = new CStavHry_Hra("HRA");
  CStavHry *pauza = new CStavHry_Pauza("PAUZA");
  hra->init(this);
  pauza->init(this);
  stavy.push_back(hra);
  stavy.push_back(pauza);
  CLoadingScreen::instance()->setText("LOADING");

  startup.stopLoadingMusic();
  prepniStav("HRA");
}

void CEngine::work() {
  myWindow->setPTKCallBack(ourOwnEventCallback);
  myWindow->setCallBack(CEngine::handleWinEvent);
  while (progress.isRunning() && !myWindow->isQuit()) {
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
  progress.startPlay();
  clock.startCounting();
}

void CEngine::endPlay() {
  progress.endPlay();
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

  startup.releaseTextsAndSprites();
  pictureWorkers.stop();
  if (CSurfaceManager::instance()->getWorkers() == &pictureWorkers) CSurfaceManager::instance()->setWorkers(nullptr);
  startup.releasePrototypesAndSound();
  progress.releasePlayer();
  startup.releaseFontsAndProfiles();

  CAudioOptions::destroyInstance();
  CControlOptions::destroyInstance();
  CVideoOptions::destroyInstance();
  CFakeTime::destroyInstance();
  CTimerList::destroyInstance();
  CTimerWatch::destroyInstance();
  CMapEntitiesFactory::destroyInstance();
  CLogger::destroyInstance();
}
