#pragma once
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "engine/KMiscTools.h"
#include "media/CFakeTime.h"
#include "media/CGlobals.h"
#include "media/CLogger.h"
#include "media/CSurface.h"
#include "support/FakePicture.h"
#include "media/Frame.h"
#include "media/Frameset.h"
#include "support/ScratchFolder.h"
#include "media/ZSprite.h"
#include "media/ZSpriteFactory.h"
#include "world/CMapEntity_Game.h"

// One frame of a test sprite: where it is cut, its size, delay and sort offset.
struct TestFrame {
  unsigned x, y, w, h;
  unsigned delay;
  short sortY;
};

struct TestFrameset {
  std::string name;
  std::vector<TestFrame> frames;
};

// A scratch world for entity tests: a folder that is the working and application folder, a
// sprite factory of hand-made sprites, a small prototype registry behind addEntity(name), a
// record of what was added to the "level", logging on, and full control of frame time.
class WorldScratch : public ScratchFolder {
public:
  void setUp(bool fakePictures) {
    ASSERT_NO_FATAL_FAILURE(enterScratch("tob_world", fakePictures));
    KMiscTools::setClockSource(clock);
    CGlobals::instance()->resetAll();
    CGlobals::instance()->resetDelta();
    CFakeTime::instance()->ms = 10000;
    clockMs() = 50000;
    debug = 1;
    spriteFactory = new ZSpriteFactory("test");
    prototypes().clear();
    levelAdded().clear();
    savedLinks = CMapEntity::links();
    CMapEntity::Links &l = CMapEntity::links();
    l.addToLevel = [](CMapEntity *e) { levelAdded().push_back(e); };
    l.clonePrototype = [](const std::string &name) -> CMapEntity * {
      auto it = prototypes().find(name);
      return it == prototypes().end() ? nullptr : it->second->clone();
    };
    kolizniCheck = 0;
  }

  void tearDown() {
    CMapEntity::links() = savedLinks;
    for (auto &p : prototypes()) delete p.second;
    prototypes().clear();
    levelAdded().clear();
    delete spriteFactory;
    spriteFactory = nullptr;
    debug = 0;
    CGlobals::instance()->resetAll();
    CGlobals::instance()->resetDelta();
    leaveScratch();
  }

  // A sprite prototype drawn from "data\gfx\<picture>".
  static void addSprite(const std::string &name, const std::string &picture, const std::vector<TestFrameset> &sets) {
    ZSprite *s = new ZSprite(name.c_str());
    for (const TestFrameset &fs : sets) {
      Frameset *f = new Frameset(picture.c_str(), fs.name.c_str(), true, true, false, false, false);
      for (size_t i = 0; i < fs.frames.size(); ++i) {
        const TestFrame &t = fs.frames[i];
        std::string frameName = fs.name + std::to_string(i);
        f->pridejFrame(new Frame(frameName.c_str(), t.x, t.y, t.w, t.h, t.delay, 0, 0, t.w, t.h, t.sortY, 0, 0,
                                 (int)t.w, (int)t.h));
      }
      s->pridejFrameset(f);
    }
    // Every frameset added makes the first current; start there.
    s->nastavFrameset(0);
    spriteFactory->pridejZSprite(s);
  }

  // A plain sprite of one frameset "FRAMESET1" with `frames` frames of w x h side by side.
  static void addPlainSprite(const std::string &name, const std::string &picture, unsigned w, unsigned h,
                             unsigned frames = 1, short sortY = 0) {
    TestFrameset fs{"FRAMESET1", {}};
    for (unsigned i = 0; i < frames; ++i) fs.frames.push_back(TestFrame{i * w, 0, w, h, 100, sortY});
    addSprite(name, picture, {fs});
  }

  // A registered prototype that addEntity(name) clones.
  static CMapEntity_Game *addPrototype(const std::string &name, unsigned id, unsigned cls,
                                       const std::string &spriteName = "") {
    CMapEntity_Game *p = new CMapEntity_Game(0, 0, false);
    p->name = name;
    p->setEntityID(id);
    p->setEntityClassID(cls);
    if (!spriteName.empty()) p->looks().setSprite(spriteName);
    prototypes()[name] = p;
    return p;
  }

  static CMapEntity_Game *entity(unsigned id = 0, unsigned cls = 0, const std::string &spriteName = "") {
    CMapEntity_Game *e = new CMapEntity_Game(0, 0, false);
    e->setEntityID(id);
    e->setEntityClassID(cls);
    e->name = "E" + std::to_string(id);
    if (!spriteName.empty()) e->looks().setSprite(spriteName);
    return e;
  }

  // One frame of the main loop: the engine clock and the game clock move on by ms and the
  // frame factor follows the frame-time window.
  static void frame(int ms) {
    clockMs() += (uint32_t)ms;
    CGlobals::instance()->addDelta(ms);
    CGlobals::instance()->updateDeltaFactor();
    CFakeTime::instance()->advanceFrame((int16_t)ms);
  }

  // Fills the frame-time window with frames of ms each, so the factor is ms / 20.
  static void steadyFrames(int ms) {
    for (unsigned i = 0; i < CGlobals::kFrameWindow; ++i) frame(ms);
  }

  static std::map<std::string, CMapEntity *> &prototypes() {
    static std::map<std::string, CMapEntity *> m;
    return m;
  }

  static std::vector<CMapEntity *> &levelAdded() {
    static std::vector<CMapEntity *> v;
    return v;
  }

  static uint32_t &clockMs() {
    static uint32_t ms = 0;
    return ms;
  }

  // An uncompressed 32-bit TGA of one colour, top row first, under data/gfx.
  void writeTGA(const std::string &name, int w, int h, uint8_t r, uint8_t g, uint8_t b, uint8_t a = 255) const {
    std::ofstream out(dir + "/data/gfx/" + name, std::ios::binary);
    uint8_t header[18] = {0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, (uint8_t)(w & 0xFF), (uint8_t)(w >> 8),
                          (uint8_t)(h & 0xFF), (uint8_t)(h >> 8), 32, 0x28};
    out.write((const char *)header, sizeof(header));
    for (int i = 0; i < w * h; ++i) {
      uint8_t px[4] = {b, g, r, a};
      out.write((const char *)px, 4);
    }
  }

private:
  CMapEntity::Links savedLinks;
  static uint32_t clock() { return clockMs(); }
};

// The usual fixture: recording pictures, no window.
class WorldTest : public ::testing::Test, public WorldScratch {
protected:
  void SetUp() override { setUp(true); }
  void TearDown() override { tearDown(); }
};

// The middle of what an entity takes clicks on (its action box): where a test points to reach it.
inline void actionMiddle(const CMapEntity *e, int &x, int &y) {
  Rect box = e->looks().getCurrentFrame()->getActionBoundingBox();
  x = (int)e->getX() + box.x + box.w / 2;
  y = (int)e->getY() + box.y + box.h / 2;
}

// Counts the blits a draw made, with their alphas.
inline std::vector<PictureCall> blitsSince(size_t from) {
  std::vector<PictureCall> out;
  const std::vector<PictureCall> &all = FakePicture::calls();
  for (size_t i = from; i < all.size(); ++i)
    if (all[i].op.compare(0, 4, "blit") == 0) out.push_back(all[i]);
  return out;
}
