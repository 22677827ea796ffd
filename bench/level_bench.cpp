#include <benchmark/benchmark.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "core/CEngine.h"
#include "core/CGameOptions.h"
#include "core/CLoadingScreen.h"
#include "engine/KMiscTools.h"
#include "engine/KPTK.h"
#include "engine/KWindowGL.h"
#include "game/CGameLinks.h"
#include "media/CFakeTime.h"
#include "media/CGlobals.h"
#include "media/CSurface.h"
#include "media/Frame.h"
#include "media/Frameset.h"
#include "media/GameGlobals.h"
#include "media/ZSprite.h"
#include "media/ZSpriteFactory.h"
#include "world/CLevel_Game.h"
#include "world/CMapCollisionManager.h"
#include "world/CMapEntitiesCollection.h"
#include "world/CMapEntitiesFactory.h"
#include "world/CMapEntity_FrontaAkci.h"

namespace {

// A scratch game folder: pictures, sprites, prototypes and two ward levels over a background,
// "ward" of 100 entities and "crowd" of 800, drawn in the real game window.
class Scratch {
public:
  Scratch() {
    char tmpl[] = "/tmp/tob_level_bench_XXXXXX";
    if (!mkdtemp(tmpl)) std::abort();
    dir = tmpl;
    for (const char *d : {"/data", "/data/gfx", "/data/maps", "/data/maps/medium"}) mkdir((dir + d).c_str(), 0755);
    if (chdir(dir.c_str()) != 0) std::abort();
    KMiscTools::setApplicationFolder(dir.c_str());
    CGameOptions::instance()->nastavObtiznost(1);
    installGameLinks();
    CSurfaceManager::instance()->setWorkers(&engineObj.getPictureWorkers());

    window = static_cast<KWindowGL *>(KPTK::createKWindow(K_OPENGL, false));
    if (!window || !window->createGameWindow(800, 600, 32, true, "Tobrulant")) {
      std::fprintf(stderr, "no window: run under xvfb-run\n");
      std::exit(1);
    }
    myWindow = window;
    backbuffer = KPTK::createKGraphic();

    writeTGA("bg.tga", 800, 600, 60, 60, 70);
    spriteFactory = new ZSpriteFactory("bench");
    sprite("EMPTY", "empty.tga", 1, 1, 0, 0, 0);
    for (int i = 0; i < 4; ++i) {
      std::string name = "BOX" + std::to_string(i);
      sprite(name, name + ".tga", 32, 32, (uint8_t)(60 * i), 200, (uint8_t)(255 - 60 * i));
    }
    registerPrototypes();
    writeLevel("ward", 100);
    writeLevel("crowd", 800);
  }

  ~Scratch() {
    CMapEntitiesFactory::destroyInstance();
    CLoadingScreen::destroyInstance();
    delete spriteFactory;
    spriteFactory = nullptr;
    std::string cmd = "rm -rf '" + dir + "'";
    if (std::system(cmd.c_str()) != 0) std::fprintf(stderr, "could not remove %s\n", dir.c_str());
  }

  KWindowGL *window = nullptr;
  // Levels load through an engine; this one has no sound engine, so no music plays.
  CEngine engineObj;

private:
  void writeTGA(const std::string &name, int w, int h, uint8_t r, uint8_t g, uint8_t b) const {
    std::ofstream out(dir + "/data/gfx/" + name, std::ios::binary);
    uint8_t header[18] = {0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, (uint8_t)(w & 0xFF), (uint8_t)(w >> 8),
                          (uint8_t)(h & 0xFF), (uint8_t)(h >> 8), 32, 0x28};
    out.write((const char *)header, sizeof(header));
    const uint8_t px[4] = {b, g, r, 255};
    for (int i = 0; i < w * h; ++i) out.write((const char *)px, 4);
  }

  void sprite(const std::string &name, const std::string &picture, unsigned w, unsigned h, uint8_t r, uint8_t g,
              uint8_t b) {
    writeTGA(picture, (int)w, (int)h, r, g, b);
    ZSprite *s = new ZSprite(name.c_str());
    Frameset *f = new Frameset(picture.c_str(), "FRAMESET1", true, true, false, false, false);
    f->pridejFrame(new Frame("F0", 0, 0, w, h, 100, 0, 0, w, h, 4, 0, 0, (int)w, (int)h));
    s->pridejFrameset(f);
    s->nastavFrameset(0);
    spriteFactory->pridejZSprite(s);
  }

  static CMapEntity_Game *plain(const std::string &name, unsigned id, const char *spriteName) {
    CMapEntity_Game *p = new CMapEntity_Game(0, 0, false);
    p->name = name;
    p->setEntityID(id);
    if (spriteName) {
      p->looks().setSprite(spriteName);
      p->changeFrameset("FRAMESET1");
    }
    return p;
  }

  void registerPrototypes() {
    CMapEntitiesFactory *f = CMapEntitiesFactory::instance();
    f->addEntity(CMapEntity_FrontaAkci::makePrototype());
    for (int i = 0; i < 4; ++i) {
      CMapEntity_Game *box = plain("BOX" + std::to_string(i), 600 + (unsigned)i, ("BOX" + std::to_string(i)).c_str());
      box->setSortZ(i % 2, false);
      f->addEntity(box);
    }
    for (const char *name : {"BAR", "PRACH", "SRDCE", "NAPISLOST", "HELPWINDOW", "SUMMARYWINDOW", "Z", "DRINK",
                             "GREENDRINK", "KNIHA", "TOY", "OK", "CLOSED", "RECEPT", "SESTRALEKARNASMALL", "ODPAD",
                             "RODICE1", "RODICE2", "RODICE3", "LEK1", "LEK2", "LEK3", "LEK4", "LEK5", "LEK", "BACILY",
                             "BACILY2", "BACILY3", "BACILY4", "BACILY5", "OPICKA"})
      f->addEntity(plain(name, 900, "EMPTY"));
  }

  void writeLevel(const std::string &name, int entityCount) const {
    const std::string base = dir + "/data/maps/";
    std::ofstream(base + "tiles.xml") << "<tiledef src=\"bg.tga\">\n<tile name=\"Floor\" id=\"1\" walkable=\"1\" "
                                         "special=\"0\" tileSprite=\"floor\"/>\n</tiledef>\n";
    std::ofstream(base + "medium/" + name + "_defs.xml")
        << "<leveldef>\n<level tiledef=\"tiles.xml\" name=\"Ward\" time=\"300000\" moneyLimit=\"1000\" "
           "expertMoney=\"2000\"/>\n</leveldef>\n";
    std::ofstream(base + "medium/" + name + "_map.xml")
        << "<map background=\"bg.tga\">\n<layer bgtiles=\"1\"/>\n</map>\n";
    std::ofstream entities(base + "medium/" + name + "_entities.xml");
    entities << "<mapEntities>\n";
    for (int i = 0; i < entityCount; ++i)
      entities << "<entity name=\"BOX" << i % 4 << "\" x=\"" << (i * 73) % 760 << "\" y=\"" << (i * 37) % 560
               << "\"/>\n";
    entities << "</mapEntities>\n";
  }

  std::string dir;
};

Scratch &scratch() {
  static Scratch s;
  return s;
}

// Waits until the window has drawn everything asked of it.
void finishDrawing() {
  unsigned char p[4];
  scratch().window->readPixels(0, 0, 1, 1, p);
  benchmark::DoNotOptimize(p);
}

const char *levelOf(int64_t entities) { return entities >= 800 ? "crowd" : "ward"; }

// The load alone: the loading screen still draws, but its flips do not wait for the frame cap,
// which would otherwise make up most of the figure.
void BM_LevelLoad(benchmark::State &state) {
  scratch();
  KWindowGL *window = scratch().window;
  window->setMaxFrameRate(0);
  unsigned long draws = CLoadingScreen::instance()->getDrawCount();
  for (auto _ : state) {
    CLevel_Game *level = new CLevel_Game(&scratch().engineObj);
    level->load("ward");
    benchmark::DoNotOptimize(level->getEC());
    delete level;
  }
  window->setMaxFrameRate(100);
  state.counters["flips"] = benchmark::Counter(
      (double)(CLoadingScreen::instance()->getDrawCount() - draws), benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_LevelLoad)->Unit(benchmark::kMillisecond);

// A loaded level settled in drawing order, one entity of it nudged before every measured step so
// that the collision pass runs as in play.
class Settled {
public:
  explicit Settled(int64_t entities) : level(new CLevel_Game(&scratch().engineObj)) {
    level->load(levelOf(entities));
    CGlobals *globals = CGlobals::instance();
    for (int i = 0; i < 10; ++i) globals->addDelta(20);
    globals->updateDeltaFactor();
    level->getEC()->sortDrawingOrder();
  }
  ~Settled() { delete level; }
  void nudge() {
    std::vector<CMapEntity_Game *> &list = *level->getEC()->getEntitiesPtr();
    list[(size_t)(frame++ % list.size())]->changeY(0.5f);
  }
  size_t entities() const { return level->getEC()->getEntitiesPtr()->size(); }

  CLevel_Game *level;

private:
  int frame = 0;
};

void BM_Collisions(benchmark::State &state) {
  Settled s(state.range(0));
  for (auto _ : state) {
    s.nudge();
    s.level->getCollisionManager()->checkCollisions();
  }
  state.counters["entities"] = (double)s.entities();
}
BENCHMARK(BM_Collisions)->Arg(100)->Arg(800)->Unit(benchmark::kMicrosecond);

void BM_Update(benchmark::State &state) {
  Settled s(state.range(0));
  for (auto _ : state) {
    CFakeTime::instance()->advanceFrame(20);
    s.nudge();
    s.level->update(0, true);
  }
  state.counters["entities"] = (double)s.entities();
}
BENCHMARK(BM_Update)->Arg(100)->Arg(800)->Unit(benchmark::kMicrosecond);

void BM_UpdateRender100(benchmark::State &state) {
  Settled s(100);
  for (auto _ : state) {
    CFakeTime::instance()->advanceFrame(20);
    s.nudge();
    s.level->update(0, true);
    s.level->render(0, true, backbuffer);
    finishDrawing();
  }
  state.counters["entities"] = (double)s.entities();
}
BENCHMARK(BM_UpdateRender100)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
