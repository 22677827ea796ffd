#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <set>
#include <string>
#include <vector>

#include "core/CEngine.h"
#include "core/CGameOptions.h"
#include "core/CLoadingScreen.h"
#include "support/GameWindowDay.h"
#include "engine/KFont.h"
#include "engine/KPTK.h"
#include "engine/KText.h"
#include "game/CStartupTables.h"
#include "media/CFontSeznam.h"
#include "media/GameGlobals.h"
#include "world/CEntityControllersVzory_Game.h"
#include "world/CLevel_Game.h"
#include "world/CMapEntitiesCollection.h"
#include "world/CMapEntitiesFactory.h"
#include "world/kinds/CMapEntity_DiagnosticTool.h"
#include "world/kinds/CMapEntity_PostelClass.h"
#include "world/kinds/CMapEntity_Tlakomer.h"

// The equipment showcase through the game's loader, tables, fonts and sprites in a real window.

namespace {

const int kW = 800, kH = 600;
class WardEquipmentGL : public GameWindowDay {
protected:
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(setUpWindowDay());
    std::srand(7);
    load("ward_equipment");
  }

  void TearDown() override { tearDownWindowDay(); }

  static long brightness(const std::vector<unsigned char> &p, int x0, int y0, int x1, int y1) {
    long sum = 0;
    for (int y = y0; y <= y1; ++y)
      for (int x = x0; x <= x1; ++x) {
        size_t i = ((size_t)y * kW + x) * 4;
        sum += p[i] + p[i + 1] + p[i + 2];
      }
    return sum;
  }
  std::vector<CMapEntity_Game *> ofClass(uint32_t cls) {
    std::vector<CMapEntity_Game *> out;
    for (CMapEntity_Game *e : *level->getEC()->getEntitiesPtr())
      if (e->getEntityClassID() == cls && !e->getKill() && !e->carrying().getParent()) out.push_back(e);
    return out;
  }
};

TEST_F(WardEquipmentGL, BedsArriveNumberedAndColouredChairsStandByGaugesAndTheDayCloses) {
  playFrame();
  EXPECT_TRUE(ofClass(13).empty()) << "the beds are still arriving";
  // Fade-in (about 167 frames) and the 2 s wait on the game clock.
  for (int i = 0; i < 290; ++i) playFrame();
  std::vector<CMapEntity_Game *> beds = ofClass(13);
  ASSERT_EQ(beds.size(), 9u) << "working copies replace the arriving pieces";
  std::set<int> numbers;
  for (CMapEntity_Game *e : beds) {
    CMapEntity_PostelClass *bed = dynamic_cast<CMapEntity_PostelClass *>(e);
    ASSERT_NE(bed, nullptr);
    numbers.insert(bed->getBedNumber());
    EXPECT_LE(bed->getColour(), e->name == "POSTEL3B" ? 4 : 3) << e->name;
  }
  EXPECT_EQ(numbers, (std::set<int>{1, 2, 3, 4, 5, 6, 7, 8, 9}));

  CMapEntity_PostelClass *first = nullptr;
  for (CMapEntity_Game *e : beds)
    if (e->name == "POSTEL1") first = dynamic_cast<CMapEntity_PostelClass *>(e);
  ASSERT_NE(first, nullptr);
  const int bx = (int)first->getX(), by = (int)first->getY();

  // The blanket and pillow wear the bed's colour: another colour changes the bed's picture.
  draw();
  std::vector<unsigned char> shown = grab();
  uint16_t colour = first->getColour();
  first->setBarva((uint16_t)((colour + 2) % 4));
  draw();
  EXPECT_GT(framediff::changed(shown, grab(), bx, by, bx + 150, by + 120).count, 200) << "the bed is tinted";
  first->setBarva(colour);

  // The rail prints the number: another number changes the pixels where it is drawn.
  first->setBedNumber(8);
  draw();
  std::vector<unsigned char> eight = grab();
  first->setBedNumber(1);
  draw();
  std::vector<unsigned char> one = grab();
  EXPECT_GT(framediff::changed(one, eight, bx + 60, by + 70, bx + 80, by + 100).count, 5) << "digits on the rail";
  EXPECT_EQ(framediff::changed(one, eight, 0, 0, bx + 55, 599).count, 0) << "and nowhere else";

  // Hover: the bed glows while the pointer rests on it.
  long before = brightness(one, bx + 20, by + 10, bx + 130, by + 60);
  pushMotion(bx + 75, by + 40);
  for (int i = 0; i < 6; ++i) playFrame();
  EXPECT_GT(brightness(grab(), bx + 20, by + 10, bx + 130, by + 60), before + 2000) << "the glow";

  // A click leaves the "OK" marker beside the pointer and makes the bed the active one.
  pushButton(1, true, bx + 75, by + 40);
  pushButton(1, false, bx + 75, by + 40);
  for (int i = 0; i < 4; ++i) playFrame();
  std::vector<CMapEntity_Game *> ok = named("OK");
  ASSERT_EQ(ok.size(), 1u);
  EXPECT_FLOAT_EQ(ok[0]->getX(), (float)(bx + 75 + 9));
  EXPECT_FLOAT_EQ(ok[0]->getY(), (float)(by + 40 + 24));
  EXPECT_TRUE(first->getAktivni());

  // Each chair stands with its own gauge beside it, shown on screen.
  std::vector<CMapEntity_Game *> chairs = ofClass(17);
  ASSERT_EQ(chairs.size(), 4u);
  std::vector<CMapEntity_Game *> gauges = named("TLAKOMER");
  EXPECT_EQ(gauges.size(), 4u);
  for (CMapEntity_Game *c : chairs) {
    CMapEntity_DiagnosticTool *chair = dynamic_cast<CMapEntity_DiagnosticTool *>(c);
    CMapEntity_Tlakomer *gauge = chair ? chair->getGauge() : nullptr;
    ASSERT_TRUE(gauge) << c->name;
    EXPECT_FLOAT_EQ(gauge->getY(), c->getY() - 5);
    EXPECT_GT(gauge->getX(), c->getX() + 30);
    draw();
    std::vector<unsigned char> with = grab();
    gauge->looks().setVisible(false);
    draw();
    int gx = (int)gauge->getX(), gy = (int)gauge->getY();
    EXPECT_GT(framediff::changed(with, grab(), gx - 10, gy - 30, gx + 60, gy + 100).count, 100) << c->name << "'s gauge drawn";
    gauge->looks().setVisible(true);
  }
  draw();
  savePNG((std::string(TOB_BINARY_DIR) + "/ward_equipment.png").c_str());

  // The clock runs out at 7 s: the CLOSED sign fades in where the day's overlay puts it.
  CMapEntity_Game *closed = nullptr;
  for (int i = 0; i < 120 && !closed; ++i) {
    playFrame();
    std::vector<CMapEntity_Game *> c = named("CLOSED");
    if (!c.empty()) closed = c[0];
  }
  ASSERT_NE(closed, nullptr);
  EXPECT_FLOAT_EQ(closed->getX(), 374);
  EXPECT_FLOAT_EQ(closed->getY(), 391);
  playFrame();
  EXPECT_LT(closed->looks().getAlpha(), 0.2f) << "fading in, not there at once";
  for (int i = 0; i < 110; ++i) playFrame();
  EXPECT_FLOAT_EQ(closed->looks().getAlpha(), 1.0f);
  draw();
  std::vector<unsigned char> withSign = grab();
  closed->looks().setVisible(false);
  draw();
  // Where it stands: the day's spot, or the nearest that hides no face (here the desk clerk's).
  const int sx = (int)closed->getX(), sy = (int)closed->getY();
  EXPECT_GT(framediff::changed(withSign, grab(), sx, sy, sx + 120, sy + 48).count, 500) << "the sign on screen";
  closed->looks().setVisible(true);
  // Shown whole: nothing of the day stands in front of the sign or lies under the status bar,
  // and no goal caption covers the ward.
  auto drawnAlone = [&](CMapEntity_Game *keep) {
    std::vector<CMapEntity_Game *> hidden;
    for (CMapEntity_Game *e : *level->getEC()->getEntitiesPtr())
      if (e != keep && !e->carrying().getParent() && e->looks().getVisible()) hidden.push_back(e);
    for (CMapEntity_Game *e : hidden) e->looks().setVisible(false);
    draw();
    std::vector<unsigned char> alone = grab();
    for (CMapEntity_Game *e : hidden) e->looks().setVisible(true);
    return alone;
  };
  EXPECT_LT(framediff::changed(withSign, drawnAlone(closed), 374, 391, 374 + 119, 391 + 47).count, 30) << "the sign is not hidden";
  std::vector<CMapEntity_Game *> bar = named("STATUSBAR");
  ASSERT_EQ(bar.size(), 1u);
  bar[0]->looks().setVisible(false);
  draw();
  std::vector<unsigned char> barless = grab();
  bar[0]->looks().setVisible(true);
  EXPECT_LT(framediff::changed(barless, drawnAlone(nullptr), 0, 540, kW - 1, kH - 1).count, 30) << "nothing under the status bar";
  EXPECT_TRUE(named("NAPISCURED").empty()) << "the showcase stays short of its goal";
  draw();
  savePNG((std::string(TOB_BINARY_DIR) + "/ward_equipment_closed.png").c_str());
}

} // namespace
