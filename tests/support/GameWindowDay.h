#pragma once
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/CEngine.h"
#include "engine/KGraphic.h"
#include "engine/KPTK.h"
#include "media/Frame.h"
#include "media/GameGlobals.h"
#include "support/FrameDiff.h"
#include "support/GLTestWindow.h"
#include "support/GameDay.h"
#include "ward/player/CMapEntity_Player.h"
#include "world/kinds/EntityIds.h"

// A level of the generated data set in the test's real window: the window's events reach the
// engine's current level as the play state passes them on, and frames are played, drawn and
// read back. Day is the headless fixture it runs on (GameDayScratch or one derived from it).
template <class Day> class WindowDay : public GLTestWindow, public Day {
protected:
  void openWindow() {
    GLTestWindow::SetUp();
    screen = KPTK::createKGraphic();
    backbuffer = screen;
    window()->setPTKCallBack(toLevel);
  }

  void closeWindow() {
    window()->setPTKCallBack(nullptr);
    backbuffer = nullptr;
    delete screen;
    screen = nullptr;
    GLTestWindow::TearDown();
  }

  void setUpWindowDay() {
    openWindow();
    ASSERT_NO_FATAL_FAILURE(this->setUpGame(false));
  }

  void tearDownWindowDay() {
    this->tearDownGame();
    closeWindow();
  }

  static bool toLevel(KEvent *ev) {
    if (CEngine *running = CEngine::running(); running && running->getLevel()) running->getLevel()->handleMessages(ev);
    bylKlik = 0;
    return true;
  }

  // One frame as the play state runs it; long waits may leave the drawing out.
  void playFrame(bool drawn = true) {
    pumpAll();
    this->update();
    if (drawn) draw();
  }

  void draw() {
    window()->setWorldView(0, 0, 0, 1, true);
    this->level->render(0, true, screen);
  }

  static std::vector<unsigned char> grab(int x = 0, int y = 0, int w = 800, int h = 600) {
    std::vector<unsigned char> p((size_t)w * h * 4);
    EXPECT_TRUE(window()->readPixels(x, y, w, h, p.data()));
    return p;
  }

  // Frames until `done` holds, each `drawEvery`-th drawn; false when the ceiling came first.
  template <class Done> bool playUntil(Done done, int frames, int drawEvery = 1) {
    for (int i = 0; i < frames; ++i) {
      if (done()) return true;
      playFrame(i % drawEvery == 0);
    }
    return done();
  }

  // The day's notebook clicked away (a day without one, like the Tutorial, says so) and the
  // ward's furniture arrived.
  void openWard(bool notebook = true) {
    if (notebook) {
      ASSERT_TRUE(playUntil([&] { return this->first("HELPWINDOW") != nullptr; }, 20));
      clickAt(400, 300);
    }
    ASSERT_TRUE(playUntil([&] { return this->named("ADDER").empty(); }, 2000, 10)) << "the furniture never arrived";
  }

  CMapEntity_Player *figure() {
    return dynamic_cast<CMapEntity_Player *>(this->level->getEC()->getEntityByID(kPlayerID));
  }
  // A medicine that lies where its cabinet put it.
  CMapEntity_Game *floorMedicine() {
    for (CMapEntity_Game *e : *this->level->getEC()->getEntitiesPtr())
      if (e->getEntityID() == kMedicineID && !e->getKill() && !e->carrying().getParent()) return e;
    return nullptr;
  }

  void clickOn(CMapEntity *e) {
    int x, y;
    middle(e, x, y);
    clickAt(x, y);
  }

  // The middle of the entity's action box on screen.
  static void middle(CMapEntity *e, int &x, int &y) {
    Rect box = e->looks().getCurrentFrame()->getActionBoundingBox();
    x = (int)e->getX() + box.x + box.w / 2;
    y = (int)e->getY() + box.y + box.h / 2;
  }

  // The pointer moved onto (x, y), then a left click there, a frame between each step.
  void clickAt(int x, int y) {
    pushMotion(x, y);
    playFrame();
    playFrame();
    pushButton(1, true, x, y);
    playFrame();
    pushButton(1, false, x, y);
    playFrame();
  }

  // Presses on the entity's middle, moves to (x, y) over a few frames and lets go there.
  void dragTo(CMapEntity *e, int x, int y) {
    int sx, sy;
    middle(e, sx, sy);
    pushMotion(sx, sy);
    playFrame();
    pushButton(1, true, sx, sy);
    playFrame();
    for (int k = 1; k <= 6; ++k) {
      pushMotion(sx + (x - sx) * k / 6, sy + (y - sy) * k / 6);
      playFrame();
    }
    playFrame();
    pushButton(1, false, x, y);
    playFrame();
    playFrame();
  }

  void dragOnto(CMapEntity *e, CMapEntity *target) {
    int x, y;
    middle(target, x, y);
    dragTo(e, x, y);
  }

  // The pixels the entity (with what it carries) puts on screen.
  framediff::Area shownBy(CMapEntity *e) {
    draw();
    std::vector<unsigned char> with = grab();
    const bool visible = e->looks().getVisible();
    e->looks().setVisible(false);
    draw();
    std::vector<unsigned char> without = grab();
    e->looks().setVisible(visible);
    draw();
    return framediff::changed(with, without);
  }

  KGraphic *screen = nullptr;
};

using GameWindowDay = WindowDay<GameDayScratch>;
