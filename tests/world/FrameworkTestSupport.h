#pragma once
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "support/WorldTestSupport.h"
#include "media/Frame.h"
#include "media/Frameset.h"
#include "media/ZSprite.h"
#include "media/ZSpriteFactory.h"
#include "world/CEntityController.h"
#include "world/CEntityControllersVzory_Game.h"
#include "world/CMapEntitiesCollection.h"
#include "world/CMapEntitiesFactory.h"
#include "world/CMapEntity_FrontaAkci.h"
#include "world/kinds/Links.h"

// A level's worth of framework for one test: a fresh prototype registry, a collection that
// plays the running level's (carried entities join it, dying ones leave the action queue), and
// the prototype and live behaviour lists.
class FrameworkTest : public WorldTest {
protected:
  void SetUp() override {
    WorldTest::SetUp();
    CMapEntitiesFactory::destroyInstance();
    factory = CMapEntitiesFactory::instance();
    collection = new CMapEntitiesCollection_Game();
    running() = collection;
    CMapEntity::Links &l = CMapEntity::links();
    l.addToLevel = [](CMapEntity *e) {
      if (running()) running()->addEntity(static_cast<CMapEntity_Game *>(e));
    };
    l.removeQueuedActions = [](CMapEntity *e) {
      if (!running()) return;
      CMapEntity_FrontaAkci::removeFromQueueIn(running(), e);
      running()->forgetEntity(e);
    };
    addPlainSprite("BOX", "box.png", 32, 32);
    CGlobals::instance()->entityAdded = false;
  }

  void TearDown() override {
    running() = nullptr;
    delete collection;
    collection = nullptr;
    CMapEntitiesFactory::destroyInstance();
    poradi = 0;
    WorldTest::TearDown();
  }

  // A registered prototype of the given identity drawn with a registered sprite.
  CMapEntity_Game *proto(const std::string &name, unsigned id, unsigned cls = 0, const std::string &sprite = "BOX") {
    CMapEntity_Game *p = new CMapEntity_Game(0, 0, false);
    p->name = name;
    p->setEntityID(id);
    p->setEntityClassID(cls);
    if (!sprite.empty()) p->looks().setSprite(sprite);
    factory->addEntity(p);
    return p;
  }

  // A live entity in the collection.
  CMapEntity_Game *live(const std::string &name, unsigned id = 0, unsigned cls = 0, float x = 0, float y = 0) {
    CMapEntity_Game *e = new CMapEntity_Game(0, 0, false);
    e->name = name;
    e->setEntityID(id);
    e->setEntityClassID(cls);
    e->looks().setSprite("BOX");
    e->setXY(x, y);
    collection->addEntity(e);
    return e;
  }

  // A sprite of one frame with its own body and action boxes (x, y, w, h each).
  static void addBoxSprite(const std::string &name, Rect body, Rect action, short sortY = 0) {
    ZSprite *s = new ZSprite(name.c_str());
    Frameset *f = new Frameset("boxes.png", "FRAMESET1", true, true, false, false, false);
    f->pridejFrame(new Frame("F0", 0, 0, 32, 32, 100, body.x, body.y, (unsigned)body.w, (unsigned)body.h, sortY,
                             action.x, action.y, action.w, action.h));
    s->pridejFrameset(f);
    s->nastavFrameset(0);
    spriteFactory->pridejZSprite(s);
  }

  // The level update's first steps: bind when entities were added, then run the behaviours.
  void levelUpdate() {
    if (CGlobals::instance()->entityAdded) prototypes.bindVzoryTo(&behaviours, collection->getEntitiesPtr(), collection, true);
    CGlobals::instance()->entityAdded = false;
    behaviours.update();
    collection->updateGenerators();
    collection->updateEntities();
  }

  std::string writeFile(const std::string &name, const std::string &text) const {
    std::string path = dir + "/" + name;
    std::ofstream(path) << text;
    return path;
  }

  static CMapEntitiesCollection *&running() {
    static CMapEntitiesCollection *c = nullptr;
    return c;
  }

  CMapEntitiesFactory *factory = nullptr;
  CMapEntitiesCollection_Game *collection = nullptr;
  CEntityControllersVzory_Game prototypes;
  CEntityControllers_Game behaviours;
};
