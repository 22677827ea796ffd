#pragma once
#include <sys/stat.h>

#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "core/CEngine.h"
#include "core/CGameOptions.h"
#include "core/CLoadingScreen.h"
#include "core/CPlayer.h"
#include "media/CFakeTime.h"
#include "media/CGlobals.h"
#include "world/CDaySummary.h"
#include "world/CLevel_Game.h"
#include "world/CMapEntitiesCollection.h"
#include "world/CMapEntitiesFactory.h"
#include "world/CMapEntity_FrontaAkci.h"
#include "world/CMapEntity_TextBox.h"
#include "support/WorldTestSupport.h"
#include "world/kinds/Links.h"

// A prototype that counts its live copies and notes the loading-screen fill each copy was made at.
class ProbeEntity : public CMapEntity_Game {
public:
  ProbeEntity() : CMapEntity_Game(0, 0, false) { ++live(); }
  ProbeEntity(const ProbeEntity &o) : CMapEntity_Game(o) {
    ++live();
    fills().push_back(CLoadingScreen::instance()->getFill());
  }
  ~ProbeEntity() override { --live(); }
  ProbeEntity *clone() override { return new ProbeEntity(*this); }

  static int &live() {
    static int n = 0;
    return n;
  }
  static std::vector<float> &fills() {
    static std::vector<float> f;
    return f;
  }
};

// A stand-in for the help and summary windows: each copy carries a text box (`kTextBoxID`) and a
// notebook page of the prototype named `pageName`, as the real windows do.
class TestWindow : public CMapEntity_Game {
public:
  explicit TestWindow(std::string page) : CMapEntity_Game(0, 0, false), pageName(std::move(page)) {}
  TestWindow(const TestWindow &o) : CMapEntity_Game(o), pageName(o.pageName) {
    CMapEntitiesFactory *f = CMapEntitiesFactory::instance();
    addEntity(f->cloneEntity(pageName), false, true);
    CMapEntity_Game *box = f->cloneEntity("TEXTBOX");
    addEntity(box, false, true);
  }
  TestWindow *clone() override { return new TestWindow(*this); }

  std::string pageName;
  bool endLevel = false;
  bool secondPage = false;
  TSummaryPage page;
  int pageFills = 0;
};

// A bed whose made-up state the test sets; a player figure with a walk target.
class TestBed : public CMapEntity_Game {
public:
  TestBed() : CMapEntity_Game(0, 0, false) {}
  TestBed *clone() override { return new TestBed(*this); }
  bool madeUp = true;
};

class TestPlayer : public CMapEntity_Game {
public:
  TestPlayer() : CMapEntity_Game(0, 0, false) {}
  TestPlayer *clone() override { return new TestPlayer(*this); }
  int targetX = 100;
  int targetY = 100;
};

// A scratch data folder with level files, a prototype registry holding everything a level load
// and the overlay clone, and an engine object with a fresh player record. Level files go to
// data/maps/medium; the tile definitions "tiles.xml" are shared.
class LevelScratch : public WorldScratch {
public:
  void setUpLevel(bool fakePictures) {
    setUp(fakePictures);
    mkdir((dir + "/data/maps").c_str(), 0755);
    mkdir((dir + "/data/maps/medium").c_str(), 0755);
    CGameOptions::instance()->nastavObtiznost(1);
    CLoadingScreen::destroyInstance();
    CMapEntitiesFactory::destroyInstance();
    ProbeEntity::fills().clear();
    addPlainSprite("EMPTY", "empty.tga", 1, 1);
    addPlainSprite("NAPISGOAL", "goal.tga", 10, 10);
    addPlainSprite("NAPISEXPERTGOAL", "expert.tga", 10, 10);
    registerPrototypes();
    installedLinks.reset(new InstalledLinks(&fakeLinks));
    writeFile("data/maps/tiles.xml", "<tiledef src=\"tiles.tga\">\n<tile name=\"Floor\" id=\"1\" walkable=\"1\" "
                                     "special=\"0\" tileSprite=\"floor\"/>\n</tiledef>\n");
    engineObj.progression().setPlayer(new CPlayer());
    engineObj.setSoucasnyLevel(3);
  }

  void tearDownLevel() {
    delete level;
    level = nullptr;
    delete engineObj.getPlayer();
    engineObj.progression().setPlayer(nullptr);
    installedLinks.reset();
    CMapEntitiesFactory::destroyInstance();
    CLoadingScreen::destroyInstance();
    tearDown();
  }

  void writeFile(const std::string &rel, const std::string &content) const {
    std::ofstream out(dir + "/" + rel, std::ios::binary);
    out << content;
  }

  // The four files of a level; the map and entities files default to empty ones.
  void writeLevel(const std::string &name, const std::string &levelAttributes, const std::string &pacients = "",
                  const std::string &entities = "", const std::string &map = "<map>\n<layer/>\n</map>\n") const {
    std::string base = "data/maps/medium/" + name;
    writeFile(base + "_defs.xml", "<leveldef>\n<level tiledef=\"tiles.xml\" " + levelAttributes + "/>\n" +
                                      pacients + "</leveldef>\n");
    writeFile(base + "_map.xml", map);
    writeFile(base + "_entities.xml", "<mapEntities>\n" + entities + "</mapEntities>\n");
  }

  CLevel_Game *loadLevel(const std::string &name) {
    delete level;
    level = new CLevel_Game(&engineObj);
    engineObj.progression().setLevel(level);
    level->load(name);
    return level;
  }

  // An entity of the running level placed at (x, y).
  CMapEntity_Game *place(const std::string &prototype, float x, float y) {
    CMapEntity_Game *e = CMapEntitiesFactory::instance()->cloneEntity(prototype);
    e->setXY(x, y);
    level->getEC()->addEntity(e);
    return e;
  }

  // Counts entities of the running level bearing the entity ID.
  int countID(unsigned id) const {
    int n = 0;
    for (CMapEntity_Game *e : *level->getEC()->getEntitiesPtr())
      if (e->getEntityID() == id) ++n;
    return n;
  }

  // The level's frame as the play state runs it, after the game clock moved on by ms.
  void playFrame(int ms) {
    frame(ms);
    level->update(engineObj.getSoucasnyLevel(), true);
    level->render(engineObj.getSoucasnyLevel(), true, nullptr);
  }

  static CMapEntity_Game *plain(const char *name, unsigned id, unsigned cls) {
    CMapEntity_Game *p = new CMapEntity_Game(0, 0, false);
    p->name = name;
    p->setEntityID(id);
    p->setEntityClassID(cls);
    return p;
  }

  CEngine engineObj;
  CLevel_Game *level = nullptr;

private:
  void registerPrototypes() {
    CMapEntitiesFactory *f = CMapEntitiesFactory::instance();
    f->addEntity(CMapEntity_FrontaAkci::makePrototype());
    CMapEntity_TextBox *box = new CMapEntity_TextBox(0, 0, false);
    box->name = "TEXTBOX";
    box->setEntityID(1001);
    f->addEntity(box);
    f->addEntity(plain("SESIT", 53, 33));
    f->addEntity(plain("SUMMARYSESIT", 184, 33));
    TestWindow *help = new TestWindow("SESIT");
    help->name = "HELPWINDOW";
    help->setEntityID(1002);
    f->addEntity(help);
    TestWindow *summary = new TestWindow("SUMMARYSESIT");
    summary->name = "SUMMARYWINDOW";
    summary->setEntityID(1017);
    f->addEntity(summary);
    f->addEntity(plain("CLOSED", 197, 0));
    f->addEntity(plain("NAPISCURED", 63, 0));
    f->addEntity(plain("STATUSBAR", 239, 0));
    f->addEntity(plain("ODPAD", 47, 0));
    f->addEntity(plain("SRDICKA", 92, 0));
    TestPlayer *player = new TestPlayer();
    player->name = "PLAYER";
    player->setEntityID(7);
    f->addEntity(player);
    TestBed *bed = new TestBed();
    bed->name = "POSTEL";
    bed->setEntityID(190);
    bed->setEntityClassID(13);
    f->addEntity(bed);
    ProbeEntity *probe = new ProbeEntity();
    probe->name = "PROBE";
    probe->setEntityID(500);
    f->addEntity(probe);
    ProbeEntity *patient = new ProbeEntity();
    patient->name = "PACIENT1";
    patient->setEntityID(30);
    patient->setEntityClassID(15);
    f->addEntity(patient);
    ProbeEntity *other = new ProbeEntity();
    other->name = "PACIENT2";
    other->setEntityID(31);
    other->setEntityClassID(15);
    f->addEntity(other);
    for (const char *name : CMapEntitiesCollection::commonEntityNames())
      if (!f->najdiEntity(name)) f->addEntity(plain(name, 900, 0));
  }

  // The day panels, beds and player figure the level reaches, as these tests' stand-ins.
  struct FakeLinks : CDayPanelsLink, CBedLink, CPlayerFigureLink {
    void setEndLevel(CMapEntity_Game *w, bool on) override { static_cast<TestWindow *>(w)->endLevel = on; }
    void showSecondPage(CMapEntity_Game *s) override {
      static_cast<TestWindow *>(s->carrying().getParent())->secondPage = true;
    }
    void fillPage(CMapEntity_Game *page, const TSummaryPage &values) override {
      TestWindow *w = static_cast<TestWindow *>(page->carrying().getParent());
      w->page = values;
      ++w->pageFills;
    }
    void showExpertMark(CMapEntity_Game *bar) override { bar->setHealth(239); }
    bool isMadeUp(CMapEntity_Game *bed) override { return static_cast<TestBed *>(bed)->madeUp; }
    void setBedNumber(CMapEntity_Game *, uint16_t) override {}
    void clearTarget(CMapEntity_Game *p) override {
      static_cast<TestPlayer *>(p)->targetX = -1;
      static_cast<TestPlayer *>(p)->targetY = -1;
    }
  };
  struct InstalledLinks {
    explicit InstalledLinks(FakeLinks *f) : panels(f), beds(f), player(f) {}
    TScopedLink<CDayPanelsLink> panels;
    TScopedLink<CBedLink> beds;
    TScopedLink<CPlayerFigureLink> player;
  };
  FakeLinks fakeLinks;
  std::unique_ptr<InstalledLinks> installedLinks;
};

// Death tests re-run the test program for the dying statement, so its set-up runs again there.
inline void levelDeathTests() { GTEST_FLAG_SET(death_test_style, "threadsafe"); }

class LevelTest : public ::testing::Test, public LevelScratch {
protected:
  void SetUp() override {
    levelDeathTests();
    setUpLevel(true);
  }
  void TearDown() override { tearDownLevel(); }
};
