#include <benchmark/benchmark.h>

#include "BenchGame.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "core/CEngine.h"
#include "core/CGameOptions.h"
#include "core/CLoadingScreen.h"
#include "core/CPlayer.h"
#include "engine/KEvent.h"
#include "engine/KFont.h"
#include "engine/KInput.h"
#include "engine/KMiscTools.h"
#include "engine/KPTK.h"
#include "engine/KTgaWriter.h"
#include "engine/KText.h"
#include "engine/KWindowGL.h"
#include "game/CGameLinks.h"
#include "game/CStartupTables.h"
#include "media/CFakeTime.h"
#include "media/CFontSeznam.h"
#include "media/CGlobals.h"
#include "media/CSurface.h"
#include "media/GameGlobals.h"
#include "media/ZSpriteFactory.h"
#include "patients/CCustomerGenerator.h"
#include "world/CEntityControllersVzory_Game.h"
#include "world/CLevel_Game.h"
#include "world/CMapEntitiesCollection.h"
#include "world/CMapEntitiesFactory.h"
#include "world/CMapEntity_TextBox.h"
#include "world/kinds/CMapEntity_DiagnosticTool.h"
#include "world/kinds/CMapEntity_GaucClass.h"
#include "world/kinds/CMapEntity_PacientClass.h"
#include "world/kinds/CMapEntity_PostelClass.h"
#include "world/kinds/CMapEntity_Tlakomer.h"

// The demonstration ward full of patients, in the real window on the generated data set: every
// couch and bench seat, both desk chairs and every bed taken, with captions, hearts and Zs rising.
// Run from the build folder under xvfb-run.
namespace {

const char *const kSpecies[] = {"PACIENT1", "PACIENT2", "PACIENT3", "PACIENT4", "PACIENT5",
                                "PACIENT9", "PACIENT10", "PACIENT11", "PACIENT12", "PACIENT13"};

void send(CLevel_Game *level, uint32_t type, bool down) {
  KInput::noteButton(1, down);
  KEvent ev{};
  ev.type = type;
  ev.button = 1;
  ev.mouseX = 400;
  ev.mouseY = 300;
  level->handleMessages(&ev);
}

unsigned countAll(const CMapEntity *e) {
  unsigned n = 1;
  const std::vector<CMapEntity *> &carried = e->carrying().getContainedList();
  for (size_t i = 1; i < carried.size(); ++i) n += countAll(carried[i]);
  return n;
}

bool whole(const CMapEntity *e) { return e->looks().getAlpha() == 1.0f || e->looks().getAlpha() == -1.0f; }

class Ward {
public:
  Ward() {
    window = openBenchGame();
    if (!window) {
      std::fprintf(stderr, "no window: run under xvfb-run\n");
      std::exit(1);
    }
    // The captions and the status bar draw their figures in the game's own fonts.
    const struct {
      const char *name;
      const char *picture;
      KFont *table;
    } faces[] = {{"big", "data\\gfx\\font1big.png", bigFontTable},
                 {"small", "data\\gfx\\font1small.png", smallFontTable},
                 {"small2", "data\\gfx\\smallfont.tga", small2FontTable},
                 {"bed", "data\\gfx\\bedfont.png", bedFontTable},
                 {"bonus", "data\\gfx\\bonusFont.png", bonusFontTable},
                 {"gamefont", "data\\gfx\\gamefont.tga", gameFontTable}};
    fonts = new CFontSeznam();
    for (const auto &f : faces) fonts->addFont(f.name, KMiscTools::makeFilePath(f.picture), f.table);
    small = new KText(KMiscTools::makeFilePath("data\\gfx\\font1small.png"), smallFontTable);
    engineObj.built().setFonts(fonts, small);
    CEngine::setRunning(&engineObj);
    CSurfaceManager::instance()->setWorkers(&engineObj.getPictureWorkers());
    registerEntityPrototypes();
    engineObj.built().setControllerPrototypes(buildControllerPrototypes(&engineObj));
    engineObj.progression().setPlayer(new CPlayer());
    level = new CLevel_Game(&engineObj);
    engineObj.progression().setLevel(level);
    level->load("ward_demo");
    KInput::setViewMapping(0, 0, 800, 600, 800, 600);
    KInput::notePointer(780, 20);
    // The intro holds the day until a click.
    for (int i = 0; i < 60; ++i) frame();
    send(level, K_EVENT_MOUSEDOWN, true);
    frame();
    send(level, K_EVENT_MOUSEUP, false);
    // The beds come in on their carriers.
    for (int i = 0; i < 400; ++i) frame();
    fill();
  }

  void frame() {
    update();
    drawnFrame(window, level);
  }

  void update() {
    advance();
    level->update(0, true);
  }

  // Keeps the ward as it is: nobody's mood runs out, and a caption and a heart rise now and then.
  void keepBusy() {
    for (CMapEntity_PacientClass *p : patients()) p->holdMood(0.65f);
    if (++ticks % 25 != 0) return;
    CMapEntity_Game *caption = CMapEntitiesFactory::instance()->cloneEntity("BONUSTEXT");
    caption->setXY((float)(200 + (ticks * 7) % 300), 300.0f);
    if (CMapEntity_TextBox *t = dynamic_cast<CMapEntity_TextBox *>(caption)) t->text = "COLOR BONUS +24";
    level->getEC()->addEntity(caption);
    CMapEntity_Game *heart = CMapEntitiesFactory::instance()->cloneEntity("SRDCE");
    heart->setXY(140.0f, 200.0f);
    level->getEC()->addEntity(heart);
  }

  std::vector<CMapEntity_PacientClass *> patients() const {
    std::vector<CMapEntity_PacientClass *> out;
    for (CMapEntity_Game *e : *level->getEC()->getEntitiesPtr())
      if (CMapEntity_PacientClass *p = dynamic_cast<CMapEntity_PacientClass *>(e))
        if (!p->getKill()) out.push_back(p);
    return out;
  }

  unsigned entities() const {
    unsigned n = 0;
    for (CMapEntity_Game *e : *level->getEC()->getEntitiesPtr()) n += countAll(e);
    return n;
  }

  CMapEntity_PacientClass *arrival(const char *species, float x, float y) {
    CMapEntity_PacientClass *p =
        dynamic_cast<CMapEntity_PacientClass *>(CMapEntitiesFactory::instance()->cloneEntity(species));
    p->setXY(x, y);
    p->setAlpha(1.0f, true);
    level->getEC()->addEntity(p);
    return p;
  }

  const char *nextSpecies() { return kSpecies[next++ % (sizeof(kSpecies) / sizeof(kSpecies[0]))]; }

  KWindowGL *window = nullptr;
  CFontSeznam *fonts = nullptr;
  KText *small = nullptr;
  CEngine engineObj;
  CLevel_Game *level = nullptr;

private:
  void fill() {
    CMapEntitiesCollection *ec = level->getEC();
    // The couch through the day's own arrivals.
    for (CPacient &r : level->getPacienti()) r.count = 20;
    CMapEntity_GaucClass *couch = dynamic_cast<CMapEntity_GaucClass *>(ec->getFirstEntityByClassID(22));
    while (couch && couch->freeSeat() >= 0) level->getGenerator()->generate(false);
    // Both desk chairs with their gauges rising.
    for (CMapEntity_Game *e : *ec->getEntitiesPtr()) {
      CMapEntity_DiagnosticTool *chair = dynamic_cast<CMapEntity_DiagnosticTool *>(e);
      if (!chair || chair->carrying().getParent() || !chair->gauge.in(ec) || !chair->occupant.empty()) continue;
      CMapEntity_PacientClass *p = arrival(nextSpecies(), chair->getX(), chair->getY() - 40);
      p->sitDown(chair);
      chair->occupant = p;
      chair->gauge.in(ec)->start(p->getPressureSpeed());
    }
    // The bench in pyjamas of every colour.
    CMapEntity_GaucClass *bench = dynamic_cast<CMapEntity_GaucClass *>(ec->getFirstEntityByClassID(24));
    for (int k = bench ? bench->freeSeat() : -1; k >= 0; k = bench->freeSeat()) {
      TSeatOffset off = (size_t)k < bench->seatOffsets.size() ? bench->seatOffsets[(size_t)k] : TSeatOffset{-1, -1};
      CMapEntity_PacientClass *p = arrival(nextSpecies(), bench->getX() + (float)off.x, bench->getY() + (float)off.y);
      p->prevlekniSe();
      p->setBarva((uint16_t)(k % 4));
      p->moveToBench();
      bench->occupants[(size_t)k] = p;
    }
    // Every bed asleep.
    std::vector<CMapEntity_PostelClass *> beds;
    for (CMapEntity_Game *e : *ec->getEntitiesPtr())
      if (CMapEntity_PostelClass *b = dynamic_cast<CMapEntity_PostelClass *>(e))
        if (!b->carrying().getParent() && whole(b) && !b->getOccupant()) beds.push_back(b);
    for (CMapEntity_PostelClass *bed : beds) {
      CMapEntity_PacientClass *p = arrival(nextSpecies(), bed->getX() + 38, bed->getY() - 10);
      p->prevlekniSe();
      p->setBarva(bed->getColour());
      if (!bed->ulozPacienta(p, p->getColour())) continue;
      p->lieDown(bed);
    }
    // The newcomers bind, then Zs and captions build up to their steady number.
    for (int i = 0; i < 250; ++i) {
      keepBusy();
      frame();
    }
    // TOB_WARD_SHOT=path.tga keeps a picture of the full ward, to see what is measured.
    if (const char *shot = std::getenv("TOB_WARD_SHOT")) {
      std::vector<unsigned char> px(800 * 600 * 4);
      window->readPixels(0, 0, 800, 600, px.data());
      for (size_t i = 0; i < px.size(); i += 4) std::swap(px[i], px[i + 2]);
      if (KTgaWriter::write(shot, px.data(), 800, 600) != 0) std::fprintf(stderr, "could not write %s\n", shot);
    }
  }

  int ticks = 0;
  unsigned next = 0;
};

Ward &ward() {
  static Ward w;
  return w;
}

void BM_FullWardFrame(benchmark::State &state) {
  Ward &w = ward();
  for (auto _ : state) {
    w.keepBusy();
    w.frame();
  }
  state.counters["patients"] = (double)w.patients().size();
  state.counters["entities"] = (double)w.entities();
}
BENCHMARK(BM_FullWardFrame)->Unit(benchmark::kMillisecond);

// The same ward without drawing: the game's own share of the frame.
void BM_FullWardUpdate(benchmark::State &state) {
  Ward &w = ward();
  for (auto _ : state) {
    w.keepBusy();
    w.update();
  }
  state.counters["patients"] = (double)w.patients().size();
}
BENCHMARK(BM_FullWardUpdate)->Unit(benchmark::kMillisecond);

// A frame in which one more patient walks in: the species copy with its head, hand and hearts
// (deep sprite copies), its binding and its first drawing. It leaves again untimed.
void BM_ArrivalFrame(benchmark::State &state) {
  Ward &w = ward();
  for (auto _ : state) {
    w.keepBusy();
    CMapEntity_PacientClass *p = w.arrival(w.nextSpecies(), 420.0f, 460.0f);
    w.frame();
    state.PauseTiming();
    p->setKill(true);
    w.frame();
    state.ResumeTiming();
  }
  state.counters["patients"] = (double)w.patients().size();
}
BENCHMARK(BM_ArrivalFrame)->Unit(benchmark::kMillisecond);

// The copy alone.
void BM_PatientCopy(benchmark::State &state) {
  ward();
  CMapEntitiesFactory *f = CMapEntitiesFactory::instance();
  unsigned k = 0;
  for (auto _ : state) {
    CMapEntity_Game *p = f->cloneEntity(kSpecies[k++ % (sizeof(kSpecies) / sizeof(kSpecies[0]))]);
    benchmark::DoNotOptimize(p);
    state.PauseTiming();
    delete p;
    state.ResumeTiming();
  }
}
BENCHMARK(BM_PatientCopy)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
