#include "world/CLevel_Game.h"

#include <cstdint>
#include <cstdio>

#include "engine/KMiscTools.h"
#include "engine/KText.h"
#include "media/CFatal.h"
#include "media/CFontSeznam.h"
#include "media/CRandom.h"
#include "media/CSoundEngine.h"
#include "media/CSurface.h"
#include "media/GameGlobals.h"
#include "media/Timer.h"
#include "media/ZSpriteFactory.h"
#include "world/CDaySummary.h"
#include "world/CEntityKit.h"
#include "world/CMapEntitiesCollection.h"
#include "world/CMapEntitiesFactory.h"
#include "world/CMapEntity_Game.h"
#include "world/CMapEntity_TextBox.h"
#include "world/CWorkLeft.h"
#include "world/CWorldEngine.h"
#include "world/kinds/CMapEntity_MapkaLogo.h"
#include "world/kinds/CMapEntity_PacientClass.h"
#include "world/kinds/EntityIds.h"
#include "world/kinds/Links.h"

namespace {
// The side page's room for the day's new picture, above its description (from the window).
constexpr float kSidePictureLeft = 300, kSidePictureTop = 62, kSidePictureWidth = 150, kSidePictureHeight = 160;

CMapEntitiesFactory *factory() { return CMapEntitiesFactory::instance(); }

void setBoxText(CMapEntity *box, const std::string &text) {
  if (CMapEntity_TextBox *t = dynamic_cast<CMapEntity_TextBox *>(box)) t->text = text;
}

void carryAt(CMapEntity_Game *carrier, CMapEntity_Game *e, float dx, float dy) {
  carrier->addEntity(e, true, true);
  e->setXOffset(dx, false);
  e->setYOffset(dy, false);
}
} // namespace

CLevel_Game::CLevel_Game(CWorldEngine *engine_)
    : CLevel(engine_), money(0), generator(nullptr), shopping(0), helpShown(0), summaryShown(0), dayOver(0),
      closedShown(0), goalShown(0), expertShown(0), summaryDelay(nullptr), cured(0), lost(0) {
  generator = TLink<CCustomerGeneratorLink>::get()->create();
  summaryDelay = new Timer(kSummaryDelay, false);
  poradi = 0;
}

CLevel_Game::~CLevel_Game() {
  if (CWorldEngine *host = engine) host->forgetLevel(this);
  if (generator) TLink<CCustomerGeneratorLink>::get()->destroy(generator);
  generator = nullptr;
  delete summaryDelay;
  summaryDelay = nullptr;
}

void CLevel_Game::load(std::string name) {
  CRandom::startLevel(name);
  CLevel::load(name);
  if (pregenerate != 0 && generator) TLink<CCustomerGeneratorLink>::get()->preGenerate(generator, pregenerate);
  if (levelLength == 0) prefetchWorkingDayPictures();
}

// The heaviest pictures every working day shows (the figure, the bar, the pyjamas of every kind
// of patient) are decoded while a screen without a clock (title, map) is up, so a day's first
// load only uploads them.
void CLevel_Game::prefetchWorkingDayPictures() {
  std::vector<unsigned int> pictures;
  for (const char *name : {"PLAYER", "STATUSBAR"}) {
    if (!factory()->najdiEntity(name)) continue;
    CMapEntity_Game *e = factory()->cloneEntity(name);
    e->collectPictures(pictures);
    // Its parts went into the level as it was built; each leaves the list as it is deleted.
    delete e;
  }
  if (spriteFactory)
    for (uint16_t kind = 0; *CMapEntity_PacientClass::kindName(kind); ++kind)
      for (const char *part : {"PYZAMO", "PYZAMO_SKIN", "PYZAMORUKA", "PYZAMORUKA_SKIN"})
        spriteFactory->collectSurfaces(std::string(CMapEntity_PacientClass::kindName(kind)) + part, pictures);
  CSurfaceManager::instance()->prefetch(pictures);
}

void CLevel_Game::addSpecialEntities() { ec->addEntity(factory()->cloneEntity("FRONTAAKCI")); }

void CLevel_Game::nahrajString(std::string &text, const std::string &path) {
  FILE *f = std::fopen(path.c_str(), "rb");
  if (!f) return;
  char buffer[4096];
  size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) text.append(buffer, n);
  std::fclose(f);
}

void CLevel_Game::nahrajAdditional(std::string name) {
  const std::string base = "data\\maps\\" + engine->getObtiznostString() + "\\" + name;
  auto path = [&](const char *suffix) { return std::string(KMiscTools::makeFilePath((base + suffix).c_str())); };
  nahrajString(introText, path("_intro.txt"));
  nahrajString(outroText, path("_outro.txt"));
  introEntityPath = path("_introentity.txt");
  nahrajString(introEntity, introEntityPath);
  nahrajString(entityDesc, path("_entitydesc.txt"));
  // A plaque the level file places (the world map's) shows the level's name, which says what comes next.
  for (CMapEntity_Game *e : *ec->getEntitiesPtr())
    if (CMapEntity_MapkaLogo *plaque = dynamic_cast<CMapEntity_MapkaLogo *>(e))
      if (!plaque->carrying().getParent() && plaque->caption.empty()) plaque->caption = levelName;
}

void CLevel_Game::bindECs() {
  if (!generator) return;
  CCustomerGeneratorLink *link = TLink<CCustomerGeneratorLink>::get();
  link->bindEC(generator, ec, this);
  link->setCustomerCount(generator, totalCustomers);
}

// The goal captions change into these pictures when the goals are reached.
void CLevel_Game::collectLevelPictures(std::vector<unsigned int> &out) const {
  if (!spriteFactory) return;
  for (const char *caption : {"NAPISGOAL", "NAPISEXPERTGOAL"}) spriteFactory->collectSurfaces(caption, out);
}

void CLevel_Game::generatorsWork() {
  if (generator) TLink<CCustomerGeneratorLink>::get()->work(generator);
}

void CLevel_Game::changeMoney(int n) {
  int64_t v = (int64_t)money + n;
  if (v < 0) v = 0;
  if (v > INT32_MAX) v = INT32_MAX;
  money = (int32_t)v;
}

bool CLevel_Game::closed() const { return levelClock && levelClock->vratVteriny() > levelLength; }

float CLevel_Game::getTimeLeftPercent() const {
  if (!levelClock) return 0.0f;
  if (levelLength <= 0) return closed() ? 1.0f : 0.0f;
  float part = (float)levelClock->vratVteriny() / (float)levelLength;
  return part > 1.0f ? 1.0f : part;
}

void CLevel_Game::finishClock() {
  if (levelClock) levelLength = levelClock->vratVteriny();
}

CWorkLeft CLevel_Game::workLeft() const { return CWorkLeft::of(*ec->getEntitiesPtr()); }

bool CLevel_Game::noCustomers() const { return workLeft().patients() == 0; }

bool CLevel_Game::noLaundry() const { return !workLeft().laundry(); }

void CLevel_Game::playSound(const char *key) {
  CWorldEngine *host = engine;
  if (host && host->getSoundEngine()) host->getSoundEngine()->playSound(key);
}

CMapEntity_Game *CLevel_Game::cloneAt(const char *prototype, float x, float y) {
  CMapEntity_Game *e = factory()->cloneEntity(prototype);
  e->setXY(x, y);
  return e;
}

CMapEntity_Game *CLevel_Game::carryTextBox(CMapEntity_Game *window, float dx, float dy, const char *font,
                                           const std::string &text) {
  CMapEntity_Game *box = factory()->cloneEntity("TEXTBOX");
  carryAt(window, box, dx, dy);
  if (CMapEntity_TextBox *t = dynamic_cast<CMapEntity_TextBox *>(box)) {
    t->fontName = font;
    t->text = text;
  }
  return box;
}

void CLevel_Game::renderInfo() {
  if (levelLength != 0) drawMoney(money >= moneyLimit, money >= expertMoney);
}

void CLevel_Game::updateInfo() {
  if (!helpShown && !introText.empty()) openHelpWindow();

  const bool goal = money >= moneyLimit;
  const bool expert = money >= expertMoney;

  if (levelClock) {
    int elapsed = levelClock->vratVteriny();
    if (elapsed == 0 || elapsed > levelLength) {
      if (elapsed > levelLength && levelLength != 0 && !dayOver && !workLeft().dayOpen()) {
        dayOver = 1;
        summaryDelay->reset();
      }
      if (summaryDelay->udalost() && dayOver && noLaundry()) {
        if (!summaryShown) {
          openSummary();
          summaryShown = 1;
        } else if (outroText.empty()) {
          setLevelOver(true);
        }
      }
    }
  }

  if (closed() && !closedShown && levelLength != 0) {
    closedShown = 1;
    ec->addEntity(cloneAt("CLOSED", 374, 391));
    playSound("LEVELCLOSED");
  }

  if (goal && !goalShown && levelLength != 0) {
    goalShown = 1;
    showBigWord(300, 270, "NAPISGOAL", "GOAL");
    CMapEntity_Game *bar = ec->getEntityByID(kStatusBarID);
    if (bar) TLink<CDayPanelsLink>::get()->showExpertMark(bar);
  }

  if (expert && !expertShown && levelLength != 0) {
    expertShown = 1;
    showBigWord(260, 270, "NAPISEXPERTGOAL", "EXPERT");
  }
  releaseBigWord();
}

void CLevel_Game::showBigWord(float x, float y, const std::string &picture, const std::string &sound) {
  bigWords.push_back(TBigWord{x, y, picture, sound});
  releaseBigWord();
}

// The next waiting word comes once every word shown has faded below this.
void CLevel_Game::releaseBigWord() {
  static const float kFadedEnough = 0.35f;
  if (bigWords.empty()) return;
  for (CMapEntity_Game *e : *ec->getEntitiesPtr())
    if (e->getEntityID() == kBigWordID && !e->getKill() &&
        (e->looks().getAlpha() == -1.0f || e->looks().getAlpha() > kFadedEnough))
      return;
  const TBigWord w = bigWords.front();
  bigWords.erase(bigWords.begin());
  CMapEntity_Game *word = cloneAt("NAPISCURED", w.x, w.y);
  if (!w.picture.empty()) {
    word->looks().setSprite(w.picture);
    word->changeFrameset("FRAMESET1");
  }
  ec->addEntity(word);
  if (!w.sound.empty()) playSound(w.sound.c_str());
}

void CLevel_Game::openHelpWindow() {
  CMapEntity_Game *window = cloneAt("HELPWINDOW", 260, 50);
  setBoxText(window->getContainedEntity(kTextBoxID), introText);
  ec->addEntity(window);

  CMapEntity_Game *title = carryTextBox(window, 65, 315, "gamefont", levelName);
  if (CMapEntity_TextBox *t = dynamic_cast<CMapEntity_TextBox *>(title)) t->boxWidth = 155;

  if (!introEntity.empty()) {
    CMapEntity *sesit = window->getContainedEntity(kSesitID);
    CMapEntity_Game *sesitGame = dynamic_cast<CMapEntity_Game *>(sesit);
    if (sesitGame) TLink<CDayPanelsLink>::get()->showSecondPage(sesitGame);

    // A text file usually ends with a line end; the name is what stands before it.
    std::string name = introEntity;
    while (!name.empty() && (name.back() == '\n' || name.back() == '\r')) name.pop_back();
    CMapEntity_Game *source = factory()->najdiEntity(name);
    if (!source) fatalDataError("Entity " + name + " not found in global entity object!", introEntityPath, 0, -1);
    CMapEntity_Game *patient = source->clone();
    if (!patient)
      fatalDataError("Entity " + name + "not found in global entity object while cloning!", introEntityPath, 0, -1);
    carryAt(window, patient, 345, 64);
    patient->syncWithParentPosition();
    if (CMapEntity *hearts = patient->getContainedEntity(kHeartsID)) hearts->looks().setVisible(false);
    patient->setAlpha(1.0f, true);
    // Whatever the day brings in (a patient, the band, a bed) stands within the side page.
    entitykit::fitInto(patient, window->getX() + kSidePictureLeft, window->getY() + kSidePictureTop, kSidePictureWidth,
                       kSidePictureHeight);

    // A day may introduce a piece of the ward or a visitor as well as a patient.
    carryTextBox(window, 250, 47, "gamefont", source->getEntityClassID() == kPatientClass ? "New patient!" : "New on the ward!");
    if (!entityDesc.empty()) {
      CMapEntity_Game *desc = carryTextBox(window, 317, 231, "small2", entityDesc);
      if (CMapEntity_TextBox *t = dynamic_cast<CMapEntity_TextBox *>(desc)) {
        t->spacing = 1;
        t->boxWidth = 110;
      }
      desc->setRGB(0.36f, 0.3f, 0.23f, false);
    }
  }

  ec->defocus();
  ec->focusAdd(window, nullptr);
  playSound("PANEL_APPEAR");
  helpShown = 1;
}

void CLevel_Game::drawMoney(bool goal, bool expert) {
  CFontSeznam *fonts = engine ? engine->getFontSeznam() : nullptr;
  if (!fonts) return;
  fonts->setAktivniFont("bed");
  KText *font = fonts->getAktivniFont();
  if (!font) return;
  if (expert)
    font->setColor(0.0f, 0.5f, 0.0f, 1.0f);
  else if (goal)
    font->setColor(0.0f, 0.3f, 0.3f, 1.0f);
  else
    font->setColor(0.42f, 0.22f, 0.21f, 1.0f);
  font->drawStringFromRight((long)money, 125, 580, 0.0f);
  if (money < moneyLimit) {
    font->setColor(0.0f, 0.3f, 0.3f, 1.0f);
    font->drawStringFromRight((long)moneyLimit, 273, 580, 0.0f);
  } else {
    font->setColor(0.0f, 0.5f, 0.0f, 1.0f);
    font->drawStringFromRight((long)expertMoney, 273, 580, 0.0f);
  }
  font->setColor(1.0f, 1.0f, 1.0f, 1.0f);
}

void CLevel_Game::openSummary() {
  // The sign has done its work; its foot would show under the summary's page.
  if (CMapEntity_Game *sign = ec->getEntityByID(kClosedSignID))
    for (CMapEntity *part : sign->carrying().getContainedList()) part->looks().setVisible(false);
  CMapEntity_Game *window = cloneAt("SUMMARYWINDOW", 260, 50);
  ec->defocus();
  CMapEntity_Game *page = dynamic_cast<CMapEntity_Game *>(window->getContainedEntity(kSummarySesitID));

  CWorldEngine *host = engine;
  const int previous = host ? host->getDayRecord() : -1;
  TDayRating r = CDaySummary::rate(money, moneyLimit, expertMoney, moneyPlus, expertMoneyPlus, previous,
                                   levelName == "Tutorial", cured, lost, famousExtra, famousCures);
  if (r.goal) {
    if (host) host->creditDay(r.payBonus ? r.page.bonus : 0, r.record);
    playSound("CROWD_SMALL");
    playSound(r.sound);
    setBoxText(window->getContainedEntity(kTextBoxID), outroText);
  } else {
    playSound(r.sound);
    setBoxText(window->getContainedEntity(kTextBoxID), "");
  }
  CDayPanelsLink *panels = TLink<CDayPanelsLink>::get();
  if (page) panels->fillPage(page, r.page);
  panels->setEndLevel(window, true);
  ec->addEntity(window);
  ec->focusAdd(window, nullptr);
}
