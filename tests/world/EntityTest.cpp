#include <gtest/gtest.h>

#include <string>

#include "support/WorldTestSupport.h"
#include "support/GLTestWindow.h"
#include "world/CMapEntity.h"
#include "world/CMapEntity_Game.h"
#include "world/kinds/EntityIds.h"

namespace {

int g_destroyed = 0;

// An entity class of the game's usual shape, with exported fields and hooks that count.
class Probe : public CMapEntity_Game {
public:
  Probe() : CMapEntity_Game(0, 0, false) {
    exportVariable("money", TVariable::FLOAT, &money);
    exportVariable("maxuses", TVariable::INTEGER, &uses);
    exportVariable("text", TVariable::STRING, &text);
    exportVariable("twice", TVariable::INTEGER, &first);
    exportVariable("twice", TVariable::INTEGER, &second);
    exportVariable("odd", 7, &first);
  }
  Probe(const Probe &o)
      : CMapEntity_Game(o), money(o.money), uses(o.uses), first(o.first), second(o.second), text(o.text) {}
  Probe *clone() override { return new Probe(*this); }
  ~Probe() override { ++g_destroyed; }

  void setAlpha(float a, bool recurse) override {
    ++alphaCalls;
    CMapEntity::setAlpha(a, recurse);
  }
  void useMethod() override { ++useCalls; }
  void deadMethod() override { ++deadCalls; }
  void renderAdditional(KGraphic *) override { ++extraCalls; }

  float money = 0;
  int32_t uses = 0;
  int32_t first = 0;
  int32_t second = 0;
  std::string text;
  int alphaCalls = 0;
  int useCalls = 0;
  int deadCalls = 0;
  int extraCalls = 0;
};

class EntityTest : public WorldTest {
protected:
  void SetUp() override {
    WorldTest::SetUp();
    g_destroyed = 0;
    addPlainSprite("BOX", "box.png", 64, 32, 3);
    addSprite("DOOR", "door.png",
              {{"FRAMESET1", {{0, 0, 32, 32, 100, 5}, {32, 0, 32, 32, 100, 5}}},
               {"FRAMESET_USE", {{64, 0, 32, 32, 100, 0}}},
               {"OPEN", {{96, 0, 32, 32, 100, 0}, {128, 0, 32, 32, 100, 0}, {160, 0, 32, 32, 100, 0}}}});
  }

  static const char *framesetOf(CMapEntity *e) { return e->looks().getSprite()->getAktivniFrameset()->getID(); }
  static int frameOf(CMapEntity *e) { return e->looks().getSprite()->getAktivniFrameset()->getAktivniIndex(); }
};

TEST_F(EntityTest, ANewEntityHasTheDocumentedDefaultsAndACloneStartsFresh) {
  kolizniCheck = 0;
  Probe proto;
  EXPECT_EQ(proto.getX(), 0.0f);
  EXPECT_EQ(kolizniCheck, 1u) << "the game entity's constructor places itself";
  EXPECT_EQ(proto.looks().getAlpha(), -1.0f);
  EXPECT_EQ(proto.looks().getZoom(), 1.0f);
  EXPECT_EQ(proto.health, 100);
  EXPECT_TRUE(proto.getFocus());
  EXPECT_TRUE(proto.getFocusable());
  EXPECT_TRUE(proto.looks().getVisible());
  EXPECT_EQ(proto.carrying().getContainedLimit(), 10);
  EXPECT_EQ(proto.carrying().getContainedSize(), 1u);
  EXPECT_TRUE(proto.carrying().getDrawList().empty()) << "a prototype's drawing list is built only on change";
  EXPECT_EQ(proto.looks().getNormalFrameset(), "FRAMESET1");
  EXPECT_EQ(proto.looks().getUseFrameset(), "FRAMESET_USE");
  EXPECT_EQ(proto.looks().getDeathFrameset(), "FRAMESET_DEATH");
  EXPECT_EQ(proto.looks().getVyrez(0), -1);

  proto.name = "POSTEL1";
  proto.setEntityID(190);
  proto.setEntityClassID(13);
  proto.looks().setSprite("BOX");
  proto.setAlpha(0.5f, false);
  proto.setAktivni(true);
  proto.setKill(true);
  proto.setRGB(1, 0.5f, 0.25f, false);
  proto.setSortZ(4, false);
  proto.locked = 3;
  proto.approachX = -16;
  proto.setVariable("money", "12.5");
  CMapEntity_Game aura(0, 0, false);
  proto.setHighlight(&aura);
  proto.setHighlightOn(true);

  Probe *copy = proto.clone();
  EXPECT_EQ(copy->looks().getAlpha(), -1.0f) << "a copy starts with alpha unset";
  EXPECT_EQ(copy->name, "POSTEL1");
  EXPECT_EQ(copy->getEntityID(), 190u);
  EXPECT_EQ(copy->getEntityClassID(), 13u);
  EXPECT_FALSE(copy->getAktivni());
  EXPECT_FALSE(copy->getKill());
  EXPECT_EQ(copy->looks().getSortZ(), 4);
  EXPECT_EQ(copy->looks().getBlue(), 0.25f);
  EXPECT_EQ(copy->locked, 3);
  EXPECT_EQ(copy->approachX, -16);
  EXPECT_EQ(copy->money, 12.5f) << "exported values reach clones through the copied fields";
  EXPECT_TRUE(copy->getExportedVariables().empty());
  EXPECT_EQ(copy->getHighlight(), nullptr) << "the copy does not carry the source's aura";
  EXPECT_TRUE(copy->getHighlightOn());
  ASSERT_EQ(copy->carrying().getDrawList().size(), 1u);
  EXPECT_EQ(copy->carrying().getDrawList()[0], copy);
  ASSERT_NE(copy->looks().getSprite(), nullptr);
  EXPECT_NE(copy->looks().getSprite(), proto.looks().getSprite()) << "every entity owns its sprite";
  EXPECT_STREQ(copy->looks().getSprite()->getID(), "BOX");
  // The copy's variables would point into the prototype: it exported none, so setting changes nothing.
  copy->setVariable("money", "1");
  EXPECT_EQ(copy->money, 12.5f);
  delete copy;
  proto.setHighlight(nullptr);
}

TEST_F(EntityTest, TheDrawCallFollowsAlphaAndTintAndTheFlashAddsAnAdditivePass) {
  CMapEntity_Game *e = entity(1, 0, "BOX");
  e->setXY(10.7f, -3.5f);

  size_t mark = FakePicture::calls().size();
  e->update(nullptr);
  std::vector<PictureCall> b = blitsSince(mark);
  ASSERT_EQ(b.size(), 1u);
  EXPECT_EQ(b[0].op, "blitAlphaRect") << "no alpha and no tint: the plain draw";
  EXPECT_EQ(b[0].x, 10) << "positions are truncated toward zero";
  EXPECT_EQ(b[0].y, -3);

  e->setRGB(1, 1, 0.5f, false);
  mark = FakePicture::calls().size();
  e->update(nullptr);
  b = blitsSince(mark);
  ASSERT_EQ(b.size(), 1u);
  EXPECT_EQ(b[0].op, "blitAlphaRectFx");
  EXPECT_EQ(b[0].alpha, 1.0f) << "tint without alpha draws opaque";
  bool tinted = false;
  for (size_t i = mark; i < FakePicture::calls().size(); ++i)
    if (FakePicture::calls()[i].op == "color" && FakePicture::calls()[i].b == 0.5f) tinted = true;
  EXPECT_TRUE(tinted);

  e->setAlpha(0.5f, false);
  mark = FakePicture::calls().size();
  e->update(nullptr);
  b = blitsSince(mark);
  ASSERT_EQ(b.size(), 1u);
  EXPECT_EQ(b[0].alpha, 0.5f) << "tint and alpha";

  e->setRGB(1, 1, 1, false);
  e->setZoom(2.0f);
  e->looks().setFlash(0.4f);
  mark = FakePicture::calls().size();
  e->update(nullptr);
  std::vector<std::string> ops;
  for (size_t i = mark; i < FakePicture::calls().size(); ++i) {
    const PictureCall &c = FakePicture::calls()[i];
    ops.push_back(c.op == "alphaMode" ? "mode" + std::to_string(c.mode) : c.op);
  }
  ASSERT_EQ(ops, (std::vector<std::string>{"blitAlphaRectFx", "mode4", "blitAlphaRectFx", "mode1"}));
  b = blitsSince(mark);
  EXPECT_EQ(b[0].alpha, 0.5f);
  EXPECT_EQ(b[1].alpha, 0.4f) << "the overlay's opacity is the flash value";
  EXPECT_EQ(b[1].zoom, 2.0f);
  delete e;
}

TEST_F(EntityTest, HiddenDeadAndSpriteLessEntitiesDrawAsSpecified) {
  Probe p;
  p.looks().setSprite("BOX");
  Probe *child = new Probe;
  child->looks().setSprite("BOX");
  p.addEntity(child, false, false);

  size_t mark = FakePicture::calls().size();
  p.looks().setVisible(false);
  p.health = 0;
  p.animate();
  p.update(nullptr);
  EXPECT_EQ(p.deadCalls, 1) << "a dead entity's hook runs in the frame's step even while hidden";
  EXPECT_TRUE(blitsSince(mark).empty()) << "a hidden carrier hides what it carries";
  EXPECT_EQ(child->extraCalls, 0);

  p.looks().setVisible(true);
  child->looks().setVisible(false);
  p.update(nullptr);
  EXPECT_EQ(blitsSince(mark).size(), 1u);
  EXPECT_EQ(p.extraCalls, 1);
  EXPECT_EQ(child->extraCalls, 0);

  // Without a sprite only the extras draw.
  Probe bare;
  mark = FakePicture::calls().size();
  bare.update(nullptr);
  EXPECT_EQ(bare.extraCalls, 1);
  EXPECT_TRUE(blitsSince(mark).empty());
}

TEST_F(EntityTest, PositionChangesMoveCarriedEntitiesAndRequestCollisions) {
  steadyFrames(40);
  ASSERT_FLOAT_EQ(CGlobals::instance()->deltaFactor, 2.0f);
  CMapEntity_Game *carrier = entity(1);
  CMapEntity_Game *item = entity(2);
  item->setXOffset(5, false);
  item->setYOffset(-3, false);
  carrier->setXY(100, 200);
  carrier->addEntity(item, false, false);
  EXPECT_EQ(item->getX(), 105.0f);
  EXPECT_EQ(item->getY(), 197.0f);

  kolizniCheck = 0;
  carrier->setXY(10, 20);
  EXPECT_EQ(kolizniCheck, 1u);
  EXPECT_EQ(item->getX(), 15.0f) << "a carried entity keeps its offset";
  EXPECT_EQ(item->getOldX(), 10.0f) << "old position is the last one given";

  kolizniCheck = 0;
  carrier->changeX(3);
  EXPECT_EQ(carrier->getX(), 16.0f) << "moves scale with the frame factor";
  EXPECT_EQ(carrier->getOldX(), 10.0f);
  EXPECT_EQ(item->getX(), 21.0f);
  EXPECT_EQ(kolizniCheck, 1u);

  // A dead carrier stays put, the living item it carries still moves.
  carrier->health = 0;
  carrier->changeY(1);
  EXPECT_EQ(carrier->getY(), 20.0f);
  EXPECT_EQ(item->getY(), 19.0f);
  carrier->health = 100;

  item->setXOffset(7, false);
  EXPECT_EQ(item->getX(), 23.0f);
  carrier->dropEntity(item);
  item->setXOffset(50, false);
  EXPECT_EQ(item->getX(), 23.0f) << "without a carrier only the offset is stored";
  item->setXY(300, 301);
  EXPECT_EQ(item->getX(), 300.0f);
  delete item;
  delete carrier;
}

TEST_F(EntityTest, AlphaZoomTintAndLayerReachCarriedEntitiesWithTheirExclusions) {
  Probe carrier;
  Probe *pillow = new Probe;
  Probe *aura = new Probe;
  Probe *light = new Probe;
  Probe *pillowPart = new Probe;
  aura->setEntityClassID(kHighlightClass);
  light->setEntityID(kRedLightID);
  carrier.addEntity(pillow, false, false);
  carrier.addEntity(aura, false, false);
  carrier.addEntity(light, false, false);
  pillow->addEntity(pillowPart, false, false);

  carrier.setAlpha(0.3f, true);
  EXPECT_EQ(pillow->looks().getAlpha(), 0.3f);
  EXPECT_EQ(pillow->alphaCalls, 1) << "carried entities are reached through their virtual slot";
  EXPECT_EQ(pillowPart->looks().getAlpha(), 0.3f);
  EXPECT_EQ(aura->looks().getAlpha(), -1.0f) << "highlight auras keep their own alpha";
  EXPECT_EQ(light->looks().getAlpha(), -1.0f) << "so do the signal lights";

  steadyFrames(20);
  light->setEntityID(0);
  carrier.changeAlpha(0.5f, true);
  EXPECT_FLOAT_EQ(carrier.looks().getAlpha(), 0.8f);
  EXPECT_FLOAT_EQ(light->looks().getAlpha(), 0.0f) << "an unset alpha counts from -1";
  EXPECT_EQ(aura->looks().getAlpha(), -1.0f);
  carrier.changeAlpha(5, false);
  EXPECT_EQ(carrier.looks().getAlpha(), 1.0f);

  carrier.setZoom(-2);
  EXPECT_EQ(carrier.looks().getZoom(), 0.0f);
  EXPECT_EQ(pillowPart->looks().getZoom(), 0.0f);
  carrier.setRGB(0.5f, 0.25f, 1, true);
  EXPECT_EQ(pillowPart->looks().getRed(), 0.5f);
  EXPECT_EQ(aura->looks().getGreen(), 0.25f);

  carrier.setSortZ(5, true);
  EXPECT_EQ(pillow->looks().getSortZ(), 6);
  EXPECT_EQ(pillowPart->looks().getSortZ(), 7);
  carrier.setSortZ(1, false);
  EXPECT_EQ(pillow->looks().getSortZ(), 6);
}

TEST_F(EntityTest, ClipPercentHealthAndSortOffsetWorkOnTheCurrentFrame) {
  CMapEntity_Game *e = entity(1, 0, "BOX");
  e->looks().setVyrez(1, 2, 3, 4);
  e->looks().setVyrezPercent(50, -1, -1, -1);
  EXPECT_EQ(e->looks().getVyrez(0), 32) << "half of a 64-pixel frame";
  EXPECT_EQ(e->looks().getVyrez(1), 2);
  EXPECT_EQ(e->looks().getVyrez(3), 4);
  e->looks().setVyrezPercent(-1, 33, 7, -1);
  EXPECT_EQ(e->looks().getVyrez(1), 10) << "a third of 32, truncated";
  EXPECT_EQ(e->looks().getVyrez(2), 7);

  e->health = 20;
  e->damage(30);
  EXPECT_EQ(e->health, 0);
  e->health = 20;
  e->damage(-10);
  EXPECT_EQ(e->health, 30);
  e->health = 65530;
  e->damage(-10);
  EXPECT_EQ(e->health, 65535) << "healing never wraps round";

  e->setXY(0, 40);
  EXPECT_EQ(e->getDrawKeyY(), 40.0f);
  e->looks().changeSortY(6);
  EXPECT_EQ(e->looks().getSortY(), 6);
  EXPECT_EQ(e->getDrawKeyY(), 46.0f);
  e->frameInc(true);
  EXPECT_EQ(e->looks().getSortY(), 0) << "the change belongs to the frame it was made on";
  e->frameDec(true);
  EXPECT_EQ(e->looks().getSortY(), 6);

  // Sprite operations on a sprite-less entity do nothing.
  CMapEntity_Game *bare = entity(2);
  bare->looks().setVyrezPercent(50, 50, -1, -1);
  bare->looks().changeSortY(3);
  bare->changeFrameset("X");
  bare->use();
  EXPECT_EQ(bare->looks().getVyrez(0), -1);
  EXPECT_EQ(bare->looks().getSortY(), 0);
  delete bare;
  delete e;
}

TEST_F(EntityTest, FramesetsAndFramesFollowTheCarrier) {
  CMapEntity_Game *door = entity(1, 0, "DOOR");
  CMapEntity_Game *synced = entity(2, 0, "DOOR");
  CMapEntity_Game *own = entity(3, 0, "DOOR");
  own->setSynchronize(false);
  door->addEntity(synced, false, true);
  door->addEntity(own, false, true);

  door->changeFrameset("OPEN");
  EXPECT_STREQ(framesetOf(door), "OPEN");
  EXPECT_STREQ(framesetOf(synced), "OPEN");
  EXPECT_STREQ(framesetOf(own), "FRAMESET1") << "only synchronised entities follow framesets";

  // Frame indices reach every carried entity when the carrier steps onto a new one.
  door->changeFrame(2, 0);
  EXPECT_EQ(frameOf(door), 2);
  EXPECT_EQ(frameOf(own), 1) << "clamped to its own last frame";
  own->changeFrame(0, 0);
  synced->changeFrame(0, 0);
  door->animate();
  EXPECT_EQ(door->looks().getLastFrame(), 2);
  EXPECT_EQ(frameOf(synced), 2);
  EXPECT_EQ(frameOf(own), 1);

  door->synchronizeFrames(0);
  EXPECT_EQ(frameOf(door), 0);
  EXPECT_EQ(frameOf(own), 0);

  door->changeFrameset("NOSUCH");
  EXPECT_STREQ(framesetOf(door), "FRAMESET1") << "an unknown name falls back to the first frameset";
  EXPECT_NE(logText().find("Warning: frameset NOSUCH not found in ZSprite DOOR !"), std::string::npos);

  Probe p;
  p.looks().setSprite("DOOR");
  p.use();
  EXPECT_STREQ(framesetOf(&p), "FRAMESET_USE");
  p.use();
  EXPECT_STREQ(framesetOf(&p), "FRAMESET1");
  EXPECT_EQ(p.useCalls, 2);

  door->vypniAnimace();
  EXPECT_FALSE(own->looks().getSprite()->getAktivniFrameset()->probihaAnimace());
  door->zapniAnimace();
  EXPECT_TRUE(own->looks().getSprite()->getAktivniFrameset()->probihaAnimace());
  EXPECT_FALSE(door->frameDec(false)) << "stays on frame 0 without wrapping";
  EXPECT_TRUE(door->frameInc(false));
  delete door;
}

TEST_F(EntityTest, DestroyingAnEntityTellsTheLevelAndDeletesWhatItCarries) {
  static std::vector<CMapEntity *> unqueued;
  static std::vector<CEntityController *> unbound;
  unqueued.clear();
  unbound.clear();
  CMapEntity::links().removeQueuedActions = [](CMapEntity *e) { unqueued.push_back(e); };
  CMapEntity::links().unbindController = [](CEntityController *c) { unbound.push_back(c); };

  Probe *carrier = new Probe;
  Probe *item = new Probe;
  Probe *inner = new Probe;
  carrier->addEntity(item, false, false);
  item->addEntity(inner, false, false);
  CEntityController *fakeBehaviour = reinterpret_cast<CEntityController *>(&unbound);
  carrier->setController(fakeBehaviour);
  CGlobals::instance()->entityAdded = false;
  CMapEntity *gone = carrier;
  delete carrier;
  EXPECT_EQ(g_destroyed, 3);
  EXPECT_TRUE(CGlobals::instance()->entityAdded);
  ASSERT_EQ(unqueued.size(), 3u);
  EXPECT_EQ(unqueued[0], gone);
  ASSERT_EQ(unbound.size(), 1u);
  EXPECT_EQ(unbound[0], fakeBehaviour);
  std::string log = logText();
  EXPECT_NE(log.find("ENTITY DESTRUCTOR: Trying to remove contained entities"), std::string::npos);

  // Deleting a carried entity outright leaves no dangling element in its carrier.
  Probe holder;
  Probe *lost = new Probe;
  holder.addEntity(lost, false, false);
  delete lost;
  EXPECT_EQ(holder.carrying().getContainedSize(), 1u);
  EXPECT_EQ(holder.carrying().getDrawList().size(), 1u);
  holder.update(nullptr);
}

TEST_F(EntityTest, ExportedVariablesAreSetByNameAndType) {
  Probe p;
  clearLog();
  p.setVariable("money", "2.5");
  EXPECT_EQ(p.money, 2.5f);
  p.setVariable("maxuses", "3x");
  EXPECT_EQ(p.uses, 3);
  p.setVariable("maxuses", "x");
  EXPECT_EQ(p.uses, 0);
  p.setVariable("maxuses", "-42");
  EXPECT_EQ(p.uses, -42);
  p.setVariable("text", "Hello|world");
  EXPECT_EQ(p.text, "Hello|world");
  p.setVariable("Money", "9");
  EXPECT_EQ(p.money, 2.5f) << "names compare case-sensitively";
  p.setVariable("twice", "7");
  EXPECT_EQ(p.first, 7);
  EXPECT_EQ(p.second, 7) << "every variable of the name is set";
  p.setVariable("odd", "5");
  EXPECT_EQ(p.first, 7) << "an unknown type leaves the field alone";
  std::string log = logText();
  EXPECT_NE(log.find("Trying setVariable, size:6"), std::string::npos);
  EXPECT_NE(log.find("setVariable - setting exported variable money to:2.5"), std::string::npos);
  EXPECT_EQ(log.find("exported variable Money"), std::string::npos);
}

TEST_F(EntityTest, CollisionListsKeepOneEntryEachAndAnswerWithTheLastMatch) {
  Probe a, b, c, pillow;
  b.setEntityID(7);
  c.setEntityID(7);
  c.setEntityClassID(13);
  a.hits().addEntityCollision(&b);
  a.hits().addEntityCollision(&b);
  a.hits().addEntityCollision(&c);
  a.hits().addTileCollision(12);
  a.hits().addTileCollision(12);
  a.hits().addEntityActionCollision(&b);
  EXPECT_EQ(a.hits().getCollided().size(), 2u);
  EXPECT_EQ(a.hits().getCollidedTiles().size(), 1u);
  EXPECT_EQ(a.hits().isCollisionWithEntityID(7), &c) << "the later match";
  EXPECT_EQ(a.hits().isCollisionWithEntityClassID(13), &c);
  EXPECT_EQ(a.hits().isCollisionWithEntityID(8), nullptr);
  EXPECT_EQ(a.hits().isActionCollisionWithEntityID(7), &b);
  EXPECT_TRUE(a.hits().isActionCollisionWithEntity(&b));
  EXPECT_FALSE(a.hits().isActionCollisionWithEntity(&c));
  a.hits().removeCollisions();
  EXPECT_TRUE(a.hits().getCollided().empty());
  EXPECT_TRUE(a.hits().getCollidedTiles().empty());
  EXPECT_EQ(a.hits().getActionCollided().size(), 1u) << "the action list is emptied separately";
  a.hits().removeActionCollisions();
  EXPECT_TRUE(a.hits().getActionCollided().empty());

  // A kill removes the victim from the carrier and its directly carried entities only.
  Probe *bed = new Probe;
  Probe *pil = new Probe;
  Probe *deep = new Probe;
  bed->addEntity(pil, false, false);
  pil->addEntity(deep, false, false);
  bed->hits().addEntityCollision(&b);
  pil->hits().addEntityCollision(&b);
  pil->hits().addEntityActionCollision(&b);
  deep->hits().addEntityCollision(&b);
  bed->deleteFromCollisionList(&b);
  EXPECT_FALSE(bed->hits().isCollisionWithEntity(&b));
  EXPECT_FALSE(pil->hits().isCollisionWithEntity(&b));
  EXPECT_TRUE(pil->hits().isActionCollisionWithEntity(&b));
  EXPECT_TRUE(deep->hits().isCollisionWithEntity(&b));
  bed->deleteFromActionCollisionList(&b);
  EXPECT_FALSE(pil->hits().isActionCollisionWithEntity(&b));
  delete bed;
}

TEST_F(EntityTest, TheCollisionResponseUndoesMovesIntoSolidsAndBlockedTiles) {
  steadyFrames(20);
  CMapEntity_Game wall(0, 0, true);
  CMapEntity_Game *walker = entity(7, 0, "DOOR");
  CMapEntity_Game *hand = entity(600);
  hand->setXOffset(4, false);
  walker->addEntity(hand, false, false);
  walker->setXY(50, 60);
  walker->changeX(5);
  walker->hits().addEntityCollision(&wall);
  EXPECT_TRUE(walker->hits().isSomeCollidedSolid());
  walker->reactToCollisions();
  EXPECT_EQ(walker->getX(), 50.0f);
  EXPECT_EQ(hand->getX(), 54.0f);

  walker->hits().removeCollisions();
  walker->zapniAnimace();
  walker->changeY(5);
  walker->hits().addTileCollision(3);
  walker->reactToCollisions();
  EXPECT_EQ(walker->getY(), 60.0f);
  EXPECT_FALSE(walker->looks().getSprite()->getAktivniFrameset()->probihaAnimace())
      << "a blocked walker stops animating";

  // Touching an entity in use that uses on collision makes this one use too.
  Probe user;
  user.looks().setSprite("DOOR");
  CMapEntity_Game lever(0, 0, false);
  lever.setIsUsing(true);
  lever.hits().setUseOnCollision(true);
  user.hits().addEntityCollision(&lever);
  user.reactToCollisions();
  EXPECT_EQ(user.useCalls, 1);
  delete walker;
}

// Real drawing in the game window: carried entities draw with their carrier, in layer order,
// inherit the carrier's alpha (auras excepted) and the flash adds light.
class EntityDrawGL : public GLTestWindow, public WorldScratch {
protected:
  void SetUp() override {
    GLTestWindow::SetUp();
    setUp(false);
    writeTGA("red.tga", 16, 16, 100, 0, 0);
    writeTGA("green.tga", 8, 8, 0, 200, 0);
    writeTGA("blue.tga", 4, 4, 0, 0, 200);
    addPlainSprite("RED", "red.tga", 16, 16);
    addPlainSprite("GREEN", "green.tga", 8, 8);
    addPlainSprite("BLUE", "blue.tga", 4, 4);
    carrier = entity(1, 0, "RED");
    item = entity(2, 0, "GREEN");
    aura = entity(3, kHighlightClass, "BLUE");
    carrier->setXY(100.9f, 100);
    item->setXOffset(4, false);
    item->setYOffset(4, false);
    aura->setXOffset(12, false);
    aura->setYOffset(12, false);
    carrier->addEntity(item, false, false);
    carrier->addEntity(aura, false, false);
    window()->setWorldView(0, 0, 0, 1, true);
  }
  void TearDown() override {
    delete carrier;
    tearDown();
    GLTestWindow::TearDown();
  }

  CMapEntity_Game *carrier = nullptr;
  CMapEntity_Game *item = nullptr;
  CMapEntity_Game *aura = nullptr;
};

TEST_F(EntityDrawGL, CarriedEntitiesDrawWithTheirCarrierAndTakeItsAlpha) {
  carrier->update(nullptr);
  EXPECT_TRUE(near(pixel(101, 101), rgba(100, 0, 0))) << std::hex << pixel(101, 101);
  EXPECT_TRUE(near(pixel(106, 106), rgba(0, 200, 0))) << "the item draws over its carrier";
  EXPECT_TRUE(near(pixel(113, 113), rgba(0, 0, 200)));
  EXPECT_TRUE(near(pixel(117, 101), rgba(0, 0, 0))) << "nothing past the carrier's 16 pixels";

  window()->setWorldView(0, 0, 0, 1, true);
  carrier->setAlpha(0.5f, true);
  carrier->update(nullptr);
  EXPECT_TRUE(near(pixel(101, 101), rgba(50, 0, 0))) << std::hex << pixel(101, 101);
  EXPECT_TRUE(near(pixel(106, 106), rgba(25, 100, 0))) << std::hex << pixel(106, 106);
  EXPECT_TRUE(near(pixel(113, 113), rgba(0, 0, 200))) << "the aura keeps its own alpha";
  savePNG((std::string(TOB_BINARY_DIR) + "/world_carried_alpha.png").c_str());

  // Moving the carrier moves the picture of everything it carries.
  window()->setWorldView(0, 0, 0, 1, true);
  carrier->setAlpha(-1.0f, true);
  carrier->setXY(300, 200);
  carrier->update(nullptr);
  EXPECT_TRUE(near(pixel(306, 206), rgba(0, 200, 0)));
  EXPECT_TRUE(near(pixel(106, 106), rgba(0, 0, 0)));

  window()->setWorldView(0, 0, 0, 1, true);
  carrier->looks().setVisible(false);
  carrier->update(nullptr);
  EXPECT_TRUE(near(pixel(306, 206), rgba(0, 0, 0))) << "a hidden carrier hides its items";
}

TEST_F(EntityDrawGL, LayersOrderCarriedEntitiesAndTheFlashBrightens) {
  item->setSortZ(carrier->looks().getSortZ() - 1, false);
  carrier->containedCopiesUpdate();
  carrier->update(nullptr);
  EXPECT_TRUE(near(pixel(106, 106), rgba(100, 0, 0))) << "an item below its carrier's layer is covered";

  window()->setWorldView(0, 0, 0, 1, true);
  carrier->looks().setFlash(0.5f);
  carrier->update(nullptr);
  EXPECT_TRUE(near(pixel(101, 101), rgba(150, 0, 0), 3)) << std::hex << pixel(101, 101);
  EXPECT_TRUE(near(pixel(113, 113), rgba(0, 0, 200))) << "the flash is the carrier's own";
  savePNG((std::string(TOB_BINARY_DIR) + "/world_flash.png").c_str());
}

} // namespace
