#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <iterator>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "core/CGameOptions.h"
#include "media/Frame.h"
#include "media/ZSprite.h"
#include "support/GameDay.h"
#include "support/WalkOrder.h"
#include "ward/player/CMapEntity_Player.h"
#include "ward/player/CPlayerController.h"
#include "world/CLevelList.h"
#include "world/CMapa.h"
#include "world/CPathFinder.h"
#include "world/kinds/CMapEntity_GaucClass.h"
#include "world/kinds/CMapEntity_PacientClass.h"
#include "world/kinds/EntityIds.h"

// The ward of every working day of every list, loaded as the game loads it: the spots the doctor
// usually works from (her start, the cabinet's, the trolley's and every bed's) and her walks between
// them, stepped tile by tile with the game's path finder and timed with the real figure at the base
// walking speed. Lists share most layouts; a layout (its entities and map files) is checked once.

namespace {

const char *const kLists[] = {"easy", "medium", "hard"};

struct TBox {
  int x, y, w, h;
  bool meets(const TBox &o) const { return x < o.x + o.w && o.x < x + w && y < o.y + o.h && o.y < y + h; }
  bool holds(int px, int py) const { return px >= x && px < x + w && py >= y && py < y + h; }
};

std::string fileText(const std::string &path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

class ReachTest : public ::testing::Test, public GameDayScratch {
protected:
  void SetUp() override { ASSERT_NO_FATAL_FAILURE(setUpGame(true)); }
  void TearDown() override {
    CGameOptions::instance()->nastavObtiznost(1);
    tearDownGame();
  }

  // Calls check(list, level) for each working day with beds whose layout no earlier day had.
  template <class F> void forEachLayout(F check) {
    std::set<std::string> seen;
    int checked = 0;
    for (int d = 0; d < 3; ++d) {
      const std::string folder = std::string(TOB_BINARY_DIR) + "/data/maps/" + kLists[d] + "/";
      CLevelList list;
      list.load(folder + "levellist.xml");
      for (uint16_t i = 0; i < list.getSize(); ++i) {
        const std::string name = list.getLevel(i);
        const std::string entities = fileText(folder + name + "_entities.xml");
        if (entities.find("POSTEL") == std::string::npos) continue;
        if (!seen.insert(entities + fileText(folder + name + "_map.xml")).second) continue;
        SCOPED_TRACE(std::string(kLists[d]) + " " + name);
        CGameOptions::instance()->nastavObtiznost(d);
        load(name);
        update();
        if (first("HELPWINDOW")) closeNotebook();
        // What arrives through a carrier is a picture until its working copy replaces it.
        for (int frames = 0; frames < 2000 && !named("ADDER").empty(); ++frames) update();
        ASSERT_TRUE(named("ADDER").empty()) << "the ward's furniture never arrived";
        check();
        ++checked;
      }
    }
    EXPECT_GE(checked, 10) << "layouts checked";
  }

  CMapEntity_Player *figure() { return dynamic_cast<CMapEntity_Player *>(first("PLAYER")); }
  CPlayerController *walker() { return dynamic_cast<CPlayerController *>(figure()->getController()); }

  // The action box of the prototype's frame placed at (x, y): a piece still arriving in its carrier
  // takes no clicks yet, the working copy that replaces it will.
  static TBox box(const std::string &name, float x, float y) {
    CMapEntity_Game *proto = CMapEntitiesFactory::instance()->najdiEntity(name);
    Frame *f = proto ? proto->looks().getCurrentFrame() : nullptr;
    Rect r = f ? f->getActionBoundingBox() : Rect{0, 0, 0, 0};
    return TBox{(int)x + r.x, (int)y + r.y, r.w, r.h};
  }
  static TBox box(const CMapEntity_Game *e, bool) { return box(e->name, e->getX(), e->getY()); }
  TBox figureAction(int tx, int ty) {
    Frame *f = figure()->looks().getCurrentFrame();
    Rect b = f->getBoundingBox(), a = f->getActionBoundingBox();
    int x = tx * 32 + 16 - (b.x + b.w / 2), y = ty * 32 + 16 - (b.y + b.h / 2);
    return TBox{x + a.x, y + a.y, a.w, a.h};
  }

  // With every station: the spray stand and the dispensers too.
  std::vector<TSpot> usualSpots(bool everyStation = false) {
    std::vector<std::string> nowhere;
    std::vector<TSpot> spots = ::usualSpots(level, figure(), walker(), everyStation, nowhere);
    EXPECT_TRUE(nowhere.empty()) << nowhere.front() << " leads nowhere";
    return spots;
  }

  // Her route, tile by tile, as she plans it afresh on every tile; empty when it does not arrive.
  static std::vector<std::pair<int, int>> route(const TSpot &from, const TSpot &to) {
    std::vector<std::pair<int, int>> r{{from.x, from.y}};
    int x = from.x, y = from.y;
    while ((x != to.x || y != to.y) && r.size() < 80) {
      uint16_t ex = 0, ey = 0;
      TTilePoint n = CPathFinder::instance()->showAPath((uint16_t)x, (uint16_t)y, (uint16_t)to.x, (uint16_t)to.y, &ex, &ey);
      if ((int)n.x == x && (int)n.y == y) return {};
      x = (int)n.x;
      y = (int)n.y;
      r.emplace_back(x, y);
    }
    return x == to.x && y == to.y ? r : std::vector<std::pair<int, int>>{};
  }

  // Game time of the real figure's walk from one spot to another, ordered as a click orders it.
  int walkMs(const TSpot &from, const TSpot &to) {
    return timedWalkMs(level, figure(), walker(), from.x, from.y, to.x, to.y, kWalkFrameMs, [this] { update(); });
  }
};

// Every walk between two usual spots takes at most 1.3 times as long as the straight line at the
// same pace (a tile a step, diagonal or not), never crosses a bed's picture, from the cabinet
// every bed's spot is reached within 2 s of game time at the base walking speed, and a cough is
// reached in time for fast service from anywhere she works.
TEST_F(ReachTest, WalksBetweenUsualSpotsAreShortAndGoRoundBeds) {
  forEachLayout([&] {
    std::vector<TSpot> spots = usualSpots();
    ASSERT_GE(spots.size(), 4u);
    double stepMs = 0.0;
    std::vector<TBox> beds;
    for (const TSpot &s : spots)
      if (s.thing && s.thing->getEntityClassID() == kBedClass) beds.push_back(box(s.thing, true));
    for (const TSpot &a : spots)
      for (const TSpot &b : spots) {
        if (&a == &b || (a.x == b.x && a.y == b.y)) continue;
        std::vector<std::pair<int, int>> r = route(a, b);
        ASSERT_FALSE(r.empty()) << a.name << " to " << b.name << " does not arrive";
        const double straight = std::hypot(a.x - b.x, a.y - b.y);
        EXPECT_LE((double)(r.size() - 1), 1.3 * straight + 1e-9)
            << a.name << " (" << a.x << "," << a.y << ") to " << b.name << " (" << b.x << "," << b.y << "): "
            << r.size() - 1 << " steps for " << straight << " tiles";
        for (const std::pair<int, int> &t : r)
          for (const TBox &bed : beds)
            EXPECT_FALSE(bed.holds(t.first * 32 + 16, t.second * 32 + 16))
                << a.name << " to " << b.name << " steps onto a bed's picture at tile " << t.first << "," << t.second;
      }
    for (const TSpot &cabinet : spots) {
      if (!cabinet.thing || cabinet.thing->getEntityClassID() != kCabinetClass) continue;
      for (const TSpot &bed : spots) {
        if (!bed.thing || bed.thing->getEntityClassID() != kBedClass) continue;
        const int ms = walkMs(cabinet, bed);
        EXPECT_TRUE(ms > 0 && ms <= 2000) << "cabinet to " << bed.name << " takes " << ms << " ms";
        stepMs = std::max(stepMs, (double)ms / (double)(route(cabinet, bed).size() - 1));
      }
    }
    // A cough answered 0.3 s in, with nothing queued: from every spot and station she reaches its
    // bed at her slowest pace above and examines on the next frame, within the 3.5 s of fast service.
    for (const TSpot &a : usualSpots(true))
      for (const TSpot &bed : spots)
        if (bed.thing && bed.thing->getEntityClassID() == kBedClass && (a.x != bed.x || a.y != bed.y)) {
          const double steps = (double)route(a, bed).size() - 1.0;
          EXPECT_TRUE(steps > 0.0 && kCoughAnswerMs + stepMs * steps + kWalkFrameMs <= CMapEntity_PacientClass::kFastServiceMs) << a.name << " to " << bed.name << ": " << steps;
        }
  });
}

// She works beds, trolleys, dispensers and stands from the floor in front of them (her feet below
// their pictures), the cabinet from the floor before the counter within reach of it, and at every
// bed's spot her reach touches a monkey riding that bed's patient wherever its fall ended.
TEST_F(ReachTest, WorkSpotsLieOnTheFloorInFrontAndReachARidingMonkey) {
  CMapEntity_Game *monkey = CMapEntitiesFactory::instance()->najdiEntity("OPICKA");
  ASSERT_NE(monkey, nullptr);
  monkey->looks().getSprite()->nastavFrameset((char *)"RAJTUJE");
  forEachLayout([&] {
    for (CMapEntity_Game *e : *level->getEC()->getEntitiesPtr()) {
      const uint32_t cls = e->getEntityClassID();
      const bool worked = (e->approachX != 0 || e->approachY != 0) &&
                          (e->getSolid() || cls == kBedClass || cls == kDispenserClass || cls == kTrolleyClass);
      if (cls == kCabinetClass) {
        TSpot s;
        ASSERT_TRUE(workSpotOf(walker(), e, s)) << e->name;
        const TBox pic = box(e, true);
        EXPECT_GE(s.y * 32 + 16, pic.y + pic.h) << e->name << ": she stands on the counter";
        EXPECT_TRUE(figureAction(s.x, s.y).meets(pic)) << e->name << " is out of her reach at its spot";
      }
      // Patients waiting for a bed hide no bed's patient (nor the ring over its head) nor the band;
      // the first three clear the beds too, the fourth (the aisle is too narrow) may touch a rail.
      if (auto *bench = dynamic_cast<CMapEntity_GaucClass *>(e); bench && e->name == "GAUCCOLORS")
        for (size_t k = 0; k < (size_t)bench->seatCount; ++k) {
          const TBox waiting = box("PACIENT1", e->getX() + (float)bench->seatOffsets[k].x, e->getY());
          for (CMapEntity_Game *o : *level->getEC()->getEntitiesPtr()) {
            TBox other = box(o, true);
            if (o->getEntityClassID() == kBedClass && k < 3) other = {other.x, other.y - 30, other.w, other.h + 30};
            else if (o->getEntityClassID() == kBedClass) other = box("PACIENT1", o->getX() + 38.0f, o->getY() - 39.0f);
            else if (o->name.rfind("HUDEBNIK", 0) != 0) continue;
            EXPECT_FALSE(waiting.meets(other)) << "waiting patient " << k << " stands over " << o->name;
          }
        }
      if (!worked || e->getX() >= 800) continue;
      TSpot s;
      ASSERT_TRUE(workSpotOf(walker(), e, s)) << e->name;
      const TBox pic = box(e, true);
      EXPECT_TRUE(level->getMapa()->isWalkable(0, (unsigned)(s.y * 25 + s.x))) << e->name << " is worked from a blocked tile";
      EXPECT_GE(s.y * 32 + 16, pic.y + pic.h) << e->name << " at " << e->getX() << "," << e->getY() << ": her feet on its picture";
      if (cls != kBedClass) continue;
      const TBox reach = figureAction(s.x, s.y);
      // A trolley, dispenser or cabinet she touched there would take the work at the bed over.
      for (CMapEntity_Game *o : *level->getEC()->getEntitiesPtr()) {
        const uint32_t oc = o->getEntityClassID();
        if (oc == kTrolleyClass || oc == kDispenserClass || oc == kCabinetClass) {
          EXPECT_FALSE(reach.meets(box(o, true))) << e->name << "'s spot is within reach of " << o->name;
        }
      }
      for (int landed = 0; landed <= 7; ++landed)
        EXPECT_TRUE(reach.meets(box("OPICKA", e->getX() + 30.0f, e->getY() - 95.0f + (float)landed)))
            << e->name << ": a monkey that landed " << landed << " px low is out of her reach";
    }
  });
  monkey->looks().getSprite()->nastavFrameset((char *)"FRAMESET1");
}

} // namespace
