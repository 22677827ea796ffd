#include "world/CLevel.h"

#include <tinyxml.h>

#include <algorithm>

#include "engine/KInput.h"
#include "engine/KMiscTools.h"
#include "engine/KPTK.h"
#include "engine/KWindow.h"
#include "media/CFatal.h"
#include "media/CGlobals.h"
#include "media/CLogger.h"
#include "media/CSoundEngine.h"
#include "media/CSurface.h"
#include "media/GameGlobals.h"
#include "media/Timer.h"
#include "media/XmlData.h"
#include "world/CEntityControllersVzory_Game.h"
#include "world/CEntityControllers_Game.h"
#include "world/CKurzorController.h"
#include "world/CMapCollisionManager.h"
#include "world/CMapEntitiesCollection.h"
#include "world/CMapEntitiesFactory.h"
#include "world/CMapEntity_FrontaAkci.h"
#include "world/CMapEntity_Game.h"
#include "world/CMapa.h"
#include "world/CPathFinder.h"
#include "world/CWorldEngine.h"
#include "world/kinds/EntityIds.h"
#include "world/kinds/Links.h"

CLevel *CLevel::running = nullptr;

namespace {
const char *const kLoading = "LOADING";

// The widest values a day's definition may give: a day, money and patients beyond these are typing
// errors, and keep every sum the game makes of them inside 32 bits.
const int32_t kMaxMs = 24 * 60 * 60 * 1000;
const int32_t kMaxMoney = 10000000;
const int32_t kMaxCount = 1000;

std::string dataPath(const std::string &path) { return KMiscTools::makeFilePath(path.c_str()); }

// Each step moves the bar on only from the value the step before left.
void stepFill(CWorldEngine *screen, float from, float to) {
  if (screen->getLoadingFill() == from) screen->setLoadingFill(to);
  screen->setLoadingText(kLoading);
}

void addToRunningLevel(CMapEntity *e) {
  CLevel *level = CLevel::getRunning();
  CMapEntity_Game *g = dynamic_cast<CMapEntity_Game *>(e);
  if (level && g) level->getEC()->addEntity(g);
}

void dropQueuedActions(CMapEntity *e) {
  CLevel *level = CLevel::getRunning();
  if (level) CMapEntity_FrontaAkci::removeFromQueueIn(level->getEC(), e);
}
} // namespace

CLevel::CLevel(CWorldEngine *engine_)
    : mapa(nullptr), controllers(nullptr), collisions(nullptr), vzory(nullptr), rawTime(0), moneyLimit(0),
      expertMoney(0), perks(0), levelClock(nullptr), monkeyTimer(kMonkeyTimerDefault), outbreakDelay(5000), levelLength(0),
      totalCustomers(0), moneyPlus(0), expertMoneyPlus(0), customerHomeless(0), customerBoy(0), customerWorker(0),
      customerCelebrity(0), zacatekPauzy(0), delkaPauzy(0), zacatekPauzyRand(0), engine(engine_), maxColors(-1),
      ec(nullptr), levelOver(0), pregenerate(0), timeGiven(false) {
  winFocus = true;
  CGlobals::instance()->resetLevel();
  levelName = "NO NAME";
  controllers = new CEntityControllers_Game();
  mapa = new CMapa();
  CPathFinder::instance()->setMapa(mapa);
  ec = new CMapEntitiesCollection_Game();
  collisions = new CMapCollisionManager();
  if (CWorldEngine *host = engine) vzory = host->getCEntityControllersVzory_Game();

  // Entities that pick up others and entities that die reach the level being built or played.
  running = this;
  CMapEntity::Links &l = CMapEntity::links();
  l.addToLevel = addToRunningLevel;
  l.removeQueuedActions = dropQueuedActions;
}

CLevel::~CLevel() {
  // First, so that the entities dying below no longer reach this level.
  if (running == this) running = nullptr;
  CSurfaceManager::instance()->cleanTextures();
  delete levelClock;
  levelClock = nullptr;
  if (CPathFinder::instance()->getMapa() == mapa) CPathFinder::instance()->setMapa(nullptr);
  delete mapa;
  mapa = nullptr;
  delete collisions;
  collisions = nullptr;
  // The entities go before the behaviours: a dying entity tells its behaviour.
  delete ec;
  ec = nullptr;
  delete controllers;
  controllers = nullptr;
}

void CLevel::addFamousExtra(int n, const std::string &disease) {
  famousExtra += n;
  if (std::find(famousCures.begin(), famousCures.end(), disease) == famousCures.end()) famousCures.push_back(disease);
}

void CLevel::addSpecialEntities() {}
void CLevel::nahrajAdditional(std::string) {}
void CLevel::updateInfo() {}
void CLevel::renderInfo() {}
void CLevel::bindECs() {}
void CLevel::generatorsWork() {}
void CLevel::collectLevelPictures(std::vector<unsigned int> &) const {}

void CLevel::load(std::string name) {
  music = "";
  CWorldEngine *host = engine;
  if (!host) fatalError("Level " + name + " has no engine to load it", -1);
  if (host->getLoadingFill() == 1.0f) host->setLoadingFill(0.0f);
  if (host->getLoadingFill() == 0.0f) host->setLoadingFill(0.2f);
  host->setLoadingText(kLoading);

  const std::string difficulty = host->getObtiznostString();
  const std::string folder = "data\\maps\\" + difficulty + "\\" + name;
  // The level lists refuse empty names, so no name means the list had none to give.
  if (name.empty())
    fatalDataError("The level list of difficulty " + difficulty + " is empty!", dataPath(folder + "levellist.xml"), 0,
                   -1);
  nahrajDefs(dataPath(folder + "_defs.xml"));
  stepFill(host, 0.2f, 0.4f);

  mapa->nahrajDefiniceXML(dataPath("data\\maps\\" + tileDefName));
  stepFill(host, 0.4f, 0.6f);

  mapa->nahrajMapuXML(dataPath(folder + "_map.xml"));
  stepFill(host, 0.6f, 0.8f);

  ec->bindMapa(mapa);
  ec->nahrajXML(dataPath(folder + "_entities.xml"));
  nahrajAdditional(name);
  addSpecialEntities();
  stepFill(host, 0.8f, 0.9f);

  ec->generateEntityCollisionList();
  collisions->bindMapaEC(mapa, ec);
  bindECs();
  loadPictures();

  if (CSoundEngine *sound = host->getSoundEngine()) {
    sound->playMusic(music);
    sound->setMusicVolume(host->getMusicVolume());
  }
  host->setLoadingText(kLoading);
  host->setLoadingFill(1.0f);
}

void CLevel::nahrajDefs(std::string path) {
  totalCustomers = 0;
  TiXmlDocument doc;
  loadDataFile(doc, path);

  TiXmlElement *root = doc.FirstChildElement("leveldef");
  if (!root)
    fatalDataError("leveldef tag not found, encapsulate level definiton in <leveldef></leveldef> tags!", path, 0, -1);
  TiXmlElement *level = root->FirstChildElement("level");
  if (!level) fatalDataError("level tag not found in leveldef!", path, root->Row(), -1);
  tileDefName = requiredAttribute(level, "tiledef", "TILEDEF not found near LEVEL tag!", path);
  if (const char *v = level->Attribute("name")) levelName = v;
  auto number = [&](const char *attribute, int32_t lo, int32_t hi, int32_t &field) {
    return readWholeNumber(level, attribute, lo, hi, field, path);
  };
  number("customerWorker", 0, kMaxCount, customerWorker);
  number("customerBoy", 0, kMaxCount, customerBoy);
  number("customerHomeless", 0, kMaxCount, customerHomeless);
  number("customerCelebrity1", 0, kMaxCount, customerCelebrity);
  if (level->Attribute("perks")) perks = 1;
  number("pregenerate", 0, kMaxCount, pregenerate);
  number("outbreakDelay", 0, kMaxMs, outbreakDelay);
  if (number("time", 0, kMaxMs, rawTime)) {
    levelLength = rawTime;
    timeGiven = true;
    delete levelClock;
    levelClock = new Timer(rawTime, false);
    // The day's elapsed time counts from now.
    levelClock->reset();
  }
  if (const char *v = level->Attribute("music")) music = v;
  number("m", 0, kMaxMoney, moneyPlus);
  number("e", 0, kMaxMoney, expertMoneyPlus);
  number("moneyLimit", 0, kMaxMoney, moneyLimit);
  number("expertMoney", 0, kMaxMoney, expertMoney);
  // -1, as when it is absent, leaves the beds their own range.
  number("maxcolors", -1, (int32_t)kPaletteColours - 1, maxColors);
  number("zacatekpauzy", 0, kMaxMs, zacatekPauzy);
  number("zacatekpauzyrand", 0, kMaxMs, zacatekPauzyRand);
  number("delkapauzy", 0, kMaxMs, delkaPauzy);
  monkeyTimer = kMonkeyTimerDefault;
  number("monkeyTimer", 0, kMaxMs, monkeyTimer);

  for (TiXmlElement *p = root->FirstChildElement("pacient"); p; p = p->NextSiblingElement("pacient")) {
    CPacient record;
    record.name = requiredAttribute(p, "name", "NAME not found near PACIENT tag!", path);
    record.forced = p->Attribute("forced") != nullptr;
    int32_t count = 0;
    readWholeNumber(p, "count", 0, kMaxCount, count, path);
    record.count = (int16_t)count;
    pacienti.push_back(record);
    totalCustomers += record.count;
    CLogger::instance()->log("Pridavam pacienta " + record.name);
    warmUp(record.name, path, p->Row());
  }
}

void CLevel::warmUp(const std::string &prototype, const std::string &path, int row) {
  CMapEntitiesFactory *factory = CMapEntitiesFactory::instance();
  CMapEntity_Game *source = factory->najdiEntity(prototype);
  if (!source) fatalDataError("Entity " + prototype + " not found in global entity object!", path, row, -1);
  CMapEntity_Game *copy = source->clone();
  if (!copy) fatalDataError("Entity " + prototype + "not found in global entity object while cloning!", path, row, -1);
  ec->notePictures(copy);
  // The copy itself is not needed in play. A copy that carries parts (a patient's head and hearts) put them into the level as it was
  // built: each leaves its list as it is deleted with the copy.
  delete copy;
}

// The previous level's pictures go first, so the two levels' pictures are never held together.
void CLevel::loadPictures() {
  std::vector<unsigned int> pictures = ec->getPictures();
  mapa->collectPictures(pictures);
  collectLevelPictures(pictures);
  CSurfaceManager *surfaces = CSurfaceManager::instance();
  surfaces->keepOnly(pictures);
  // The pictures the workers still decode are waited for with the loading screen moving.
  CWorldEngine *host = engine;
  surfaces->loadAll(pictures, [host] {
    if (host) host->setLoadingText(kLoading);
  });
}

void CLevel::update(unsigned short, bool) {
  CGlobals *globals = CGlobals::instance();
  if (globals->entityAdded && vzory) vzory->bindVzoryTo(controllers, ec->getEntitiesPtr(), ec, true);
  globals->entityAdded = false;
  if (kolizniCheck) {
    collisions->checkCollisions();
    collisions->reactToCollisions();
    kolizniCheck = 0;
  }
  controllers->update();
  ec->updateGenerators();
  generatorsWork();
  ec->updateEntities();
  ec->sortDrawingOrder();
  // By index: an animation may add entities to the list.
  std::vector<CMapEntity_Game *> &list = *ec->getEntitiesPtr();
  for (size_t i = 0; i < list.size(); ++i)
    if (!list[i]->carrying().getParent()) list[i]->animate();
  updateInfo();
  // Every behaviour has polled the button: a tap taken this frame has been seen.
  KInput::frameDone();
}

void CLevel::render(unsigned short, bool overlay, KGraphic *screen) {
  KWindow *window = myWindow;
  if (window) {
    window->beginScene();
    window->beginPiece(mapa);
  }
  mapa->kresliPozadi(screen);
  if (window) window->endPiece();
  // In the order the update sorted them.
  const std::vector<CMapEntity_Game *> &list = *ec->getEntitiesPtr();
  for (size_t i = 0; i < list.size(); ++i)
    if (!list[i]->carrying().getParent()) list[i]->update(screen);
  if (overlay) {
    if (window) window->beginPiece(this);
    renderInfo();
    if (window) window->endPiece();
  }
  if (window) window->endScene();
}

// The update moves the cursors after its collision pass, so a press in the frame after the move
// (or in the same one) would act on what was under the pointer before: the cursors go to the press
// and the pass runs again first. The update still runs its own pass.
void CLevel::pointerToPress() {
  for (CMapEntity_Game *e : *ec->getEntitiesPtr())
    if (e->getEntityClassID() == kCursorClass) CKurzorController::followMouse(e);
  collisions->checkCollisions();
  for (CMapEntity_Game *e : *ec->getEntitiesPtr())
    if (e->getEntityClassID() == kCursorClass) CKurzorController::pressThroughArrow(e, ec);
}

void CLevel::handleMessages(KEvent *event) {
  if (event->type == K_EVENT_MOUSEDOWN || event->type == K_EVENT_MULTICLICK) pointerToPress();
  const size_t before = ec->getEntitiesPtr()->size();
  controllers->handleMessages(event);
  CMapEntity_FrontaAkci *queue = CMapEntity_FrontaAkci::najdi(ec);
  if (!queue) return;
  // A refused click leaves no "OK" marker where it was.
  if (queue->dropRefused()) {
    const std::vector<CMapEntity_Game *> &list = *ec->getEntitiesPtr();
    for (size_t i = before; i < list.size(); ++i)
      if (list[i]->name == "OK") list[i]->setKill(true);
  }
  queue->flushPredFronta();
  if (!queue->getClear()) return;
  queue->setClear(false);
  queue->clear();
  CMapEntity_Game *player = ec->getEntityByID(kPlayerID);
  if (player) TLink<CPlayerFigureLink>::get()->clearTarget(player);
}
