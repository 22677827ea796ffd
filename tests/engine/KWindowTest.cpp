#include "support/GLTestWindow.h"

#include "engine/KGraphicGL.h"

#include <SDL_image.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>

namespace {
std::vector<KEvent> g_events;
bool g_callbackResult = true;
bool recordEvent(KEvent *e) {
  g_events.push_back(*e);
  return g_callbackResult;
}

std::vector<KEvent> eventsOfTypes(std::initializer_list<uint32_t> types) {
  std::vector<KEvent> out;
  for (const KEvent &e : g_events)
    for (uint32_t t : types)
      if (e.type == t) out.push_back(e);
  return out;
}

std::vector<uint32_t> typesOf(const std::vector<KEvent> &events) {
  std::vector<uint32_t> out;
  for (const KEvent &e : events) out.push_back(e.type);
  return out;
}

std::vector<std::pair<uint32_t, uint32_t>> g_system;
bool g_systemResult = true;
bool recordSystem(EventRef e) {
  g_system.emplace_back(e->eventClass, e->eventKind);
  return g_systemResult;
}

uint32_t g_now = 0;
uint32_t steppingClock() { return g_now++; }

std::string makeTempFolder() {
  char tmpl[] = "/tmp/kwindowXXXXXX";
  char *made = mkdtemp(tmpl);
  return made ? std::string(made) : std::string();
}

uint32_t surfacePixel(SDL_Surface *s, int x, int y) {
  Uint32 raw = 0;
  const Uint8 *p = (const Uint8 *)s->pixels + y * s->pitch + x * s->format->BytesPerPixel;
  std::memcpy(&raw, p, s->format->BytesPerPixel);
  Uint8 r, g, b, a;
  SDL_GetRGBA(raw, s->format, &r, &g, &b, &a);
  return GLTestWindow::rgba(r, g, b, a);
}
} // namespace

class KWindowTest : public GLTestWindow {
protected:
  void SetUp() override {
    GLTestWindow::SetUp();
    g_events.clear();
    g_system.clear();
    g_callbackResult = true;
    g_systemResult = true;
    window()->setPTKCallBack(recordEvent);
  }
  void TearDown() override {
    KMiscTools::setClockSource(nullptr);
    GLTestWindow::TearDown();
  }
  // Red picture with a blue top-left quarter.
  void drawQuarters() {
    window()->setClearColor(1, 0, 0, 1);
    window()->setWorldView(0, 0, 0, 1, true);
    window()->setClipping(0, 0, 400, 300);
    window()->setClearColor(0, 0, 1, 1);
    window()->setWorldView(0, 0, 0, 1, true);
    window()->clearClipping();
    window()->setClearColor(0, 0, 0, 1);
  }
};

TEST_F(KWindowTest, OpensCentredWithTitleAndClears) {
  SDL_Window *w = window()->getWindowHandle();
  ASSERT_NE(w, nullptr);
  int ww = 0, wh = 0, x = 0, y = 0;
  SDL_GetWindowSize(w, &ww, &wh);
  SDL_GetWindowPosition(w, &x, &y);
  EXPECT_EQ(ww, 800);
  EXPECT_EQ(wh, 600);
  EXPECT_EQ(x, 112); // centred on the 1024 x 768 screen of the test X server
  EXPECT_EQ(y, 84);
  EXPECT_STREQ(SDL_GetWindowTitle(w), "Tobrulant");
  EXPECT_EQ(window()->getWindowWidth(), 800);
  EXPECT_EQ(window()->getWindowHeight(), 600);
  EXPECT_EQ(window()->getWindowDepth(), 32);
  EXPECT_TRUE(window()->hasFocus());
  EXPECT_EQ(myWindow, window());

  window()->setClearColor(1.0f, 0.0f, 0.0f, 1.0f);
  window()->setWorldView(0, 0, 0, 1, true);
  EXPECT_TRUE(near(pixel(0, 0), rgba(255, 0, 0)));
  EXPECT_TRUE(near(pixel(799, 599), rgba(255, 0, 0)));
  window()->flipBackBuffer(false, true);
  window()->setTitle("Tobrulant 2");
  EXPECT_STREQ(SDL_GetWindowTitle(w), "Tobrulant 2");
  window()->setTitle("Tobrulant");
}

TEST_F(KWindowTest, ClippingCountsRowsFromTheTop) {
  drawQuarters();
  EXPECT_TRUE(near(pixel(10, 10), rgba(0, 0, 255)));
  EXPECT_TRUE(near(pixel(399, 299), rgba(0, 0, 255)));
  EXPECT_TRUE(near(pixel(400, 299), rgba(255, 0, 0)));
  EXPECT_TRUE(near(pixel(10, 300), rgba(255, 0, 0)));
  EXPECT_TRUE(near(pixel(790, 590), rgba(255, 0, 0)));
}

TEST_F(KWindowTest, DoubleClickRightButtonAndMotion) {
  pushMotion(50, 60);
  pushButton(SDL_BUTTON_LEFT, true, 50, 60, 1);
  pushButton(SDL_BUTTON_LEFT, false, 50, 60, 1);
  pushButton(SDL_BUTTON_LEFT, true, 50, 60, 2);
  pushButton(SDL_BUTTON_LEFT, false, 50, 60, 2);
  pumpAll();
  std::vector<KEvent> clicks = eventsOfTypes({2, 3, 8});
  EXPECT_EQ(typesOf(clicks), (std::vector<uint32_t>{3, 2, 8, 2}));
  for (const KEvent &e : clicks) {
    EXPECT_EQ(e.button, 1u);
    EXPECT_EQ(e.mouseX, 50);
    EXPECT_EQ(e.mouseY, 60);
  }
  bool moved = false;
  for (const KEvent &e : eventsOfTypes({1})) moved |= e.mouseX == 50 && e.mouseY == 60;
  EXPECT_TRUE(moved);

  g_events.clear();
  pushButton(SDL_BUTTON_RIGHT, true, 5, 5);
  pushButton(SDL_BUTTON_MIDDLE, true, 5, 5);
  pumpAll();
  clicks = eventsOfTypes({3});
  ASSERT_EQ(clicks.size(), 2u);
  EXPECT_EQ(clicks[0].button, 2u) << "the right button is the secondary one";
  EXPECT_EQ(clicks[1].button, 3u);
  EXPECT_TRUE(KInput::getRightButtonState());
  pushButton(SDL_BUTTON_RIGHT, false, 5, 5);
  pushButton(SDL_BUTTON_MIDDLE, false, 5, 5);
  pumpAll();
  EXPECT_FALSE(KInput::getRightButtonState());
}

TEST_F(KWindowTest, KeyPressIsDeliveredTwiceWhenTheFirstIsNotTaken) {
  pushKey(SDL_SCANCODE_A, true);
  pushKey(SDL_SCANCODE_A, true, true); // auto-repeat
  pushKey(SDL_SCANCODE_A, false);
  pumpAll();
  std::vector<KEvent> keys = eventsOfTypes({5, 6, 7});
  EXPECT_EQ(typesOf(keys), (std::vector<uint32_t>{6, 5, 6, 5, 7}));
  for (const KEvent &e : keys) {
    EXPECT_EQ(e.ptkKey, (uint32_t)K_VK_A);
    EXPECT_EQ(e.keyCode, (uint32_t)SDL_SCANCODE_A);
    EXPECT_EQ(e.character, 'a');
  }

  // A callback that takes the first delivery gets no second one.
  g_events.clear();
  g_callbackResult = false;
  pushKey(SDL_SCANCODE_ESCAPE, true);
  pushKey(SDL_SCANCODE_ESCAPE, false);
  pumpAll();
  keys = eventsOfTypes({5, 6, 7});
  EXPECT_EQ(typesOf(keys), (std::vector<uint32_t>{6, 7}));

  // A key that the table does not know.
  g_events.clear();
  g_callbackResult = true;
  pushKey(SDL_SCANCODE_APPLICATION, true);
  pushKey(SDL_SCANCODE_APPLICATION, false);
  pumpAll();
  keys = eventsOfTypes({5, 6, 7});
  ASSERT_EQ(keys.size(), 3u);
  for (const KEvent &e : keys) EXPECT_EQ(e.ptkKey, 100u);
}

TEST_F(KWindowTest, WheelKeepsTheLow16BitsAsASignedValue) {
  SDL_Event e;
  SDL_zero(e);
  e.type = SDL_MOUSEWHEEL;
  e.wheel.windowID = SDL_GetWindowID(window()->getWindowHandle());
  e.wheel.y = 3;
  SDL_PushEvent(&e);
  e.wheel.y = 0x1FFFF; // low half 0xFFFF: -1
  SDL_PushEvent(&e);
  e.wheel.y = 2;
  e.wheel.direction = SDL_MOUSEWHEEL_FLIPPED;
  SDL_PushEvent(&e);
  g_callbackResult = false; // taken or not, the wheel counts
  pumpAll();
  std::vector<KEvent> wheels = eventsOfTypes({11});
  ASSERT_EQ(wheels.size(), 3u);
  EXPECT_EQ(wheels[0].wheel, 3);
  EXPECT_EQ(wheels[1].wheel, -1);
  EXPECT_EQ(wheels[2].wheel, -2);
  EXPECT_EQ(KInput::getWheelValue(), -2);
  EXPECT_EQ(KInput::getWheelValue(), 0);
}

TEST_F(KWindowTest, CloseBoxSetsQuitAndTheWindowStays) {
  pushWindowEvent(SDL_WINDOWEVENT_CLOSE);
  pumpAll();
  EXPECT_TRUE(window()->isQuit());
  ASSERT_NE(window()->getWindowHandle(), nullptr);
  window()->setClearColor(0, 1, 0, 1);
  window()->setWorldView(0, 0, 0, 1, true);
  EXPECT_TRUE(near(pixel(400, 300), rgba(0, 255, 0)));
  window()->setQuit(false);
  EXPECT_FALSE(window()->isQuit());
  window()->terminate();
  EXPECT_TRUE(window()->isQuit());
  window()->setQuit(false);
}

TEST_F(KWindowTest, FocusLossReachesTheRawCallbackAndFocusGainIsType13) {
  window()->setCallBack(recordSystem);
  pushWindowEvent(SDL_WINDOWEVENT_FOCUS_LOST);
  pumpAll();
  EXPECT_FALSE(window()->hasFocus());
  bool sawDeactivation = false;
  for (auto &c : g_system) sawDeactivation |= c.first == kFourCharCode("appl") && c.second == 2;
  EXPECT_TRUE(sawDeactivation);

  // While inactive, a waiting flip pumps until the window is active again; the flip itself
  // takes one event after its swap, the wait takes the rest.
  KMiscTools::setClockSource(steppingClock);
  pushKey(SDL_SCANCODE_C, true);
  pushKey(SDL_SCANCODE_C, false);
  pushWindowEvent(SDL_WINDOWEVENT_FOCUS_GAINED);
  window()->flipBackBuffer(true, false);
  EXPECT_TRUE(window()->hasFocus());
  EXPECT_EQ(typesOf(eventsOfTypes({6, 5, 7})), (std::vector<uint32_t>{6, 5, 7}));
  EXPECT_EQ(typesOf(eventsOfTypes({13})), (std::vector<uint32_t>{13}));
  KEvent activated = eventsOfTypes({13})[0];
  EXPECT_EQ(activated.eventRef, nullptr) << "only the type is set";

  // A raw callback that refuses an event keeps it from the game.
  g_events.clear();
  g_systemResult = false;
  pushKey(SDL_SCANCODE_B, true);
  pushKey(SDL_SCANCODE_B, false);
  pumpAll();
  EXPECT_TRUE(eventsOfTypes({5, 6, 7}).empty());
}

TEST_F(KWindowTest, FrameCapArithmeticAndWait) {
  window()->setMaxFrameRate(100);
  EXPECT_EQ(window()->getFrameTime(), 10u);
  window()->setMaxFrameRate(30);
  EXPECT_EQ(window()->getFrameTime(), 33u);
  window()->setMaxFrameRate(0);
  EXPECT_EQ(window()->getFrameTime(), 0u);
  window()->setMaxFrameRate(-5);
  EXPECT_EQ(window()->getFrameTime(), 0u);
  KWindowGL fresh;
  EXPECT_EQ(fresh.getFrameTime(), 10u) << "100 frames a second by default";

  // The clock steps 1 ms per reading: two capped flips lie at least one frame time apart.
  g_now = 5000;
  KMiscTools::setClockSource(steppingClock);
  window()->setMaxFrameRate(100);
  window()->flipBackBuffer(false, false);
  unsigned long first = KWindowGL::_lastFlipTime;
  window()->flipBackBuffer(false, false);
  EXPECT_GE(KWindowGL::_lastFlipTime - first, 10u);
  window()->setMaxFrameRate(0);
  window()->flipBackBuffer(false, false);
}

// Each frame is due a frame time after the one before: a late frame is followed sooner, so the
// lateness does not add up, and a long stall starts a fresh schedule rather than a burst.
TEST_F(KWindowTest, FramesKeepTheirScheduleAndCatchUpWithoutBursts) {
  g_now = 5000;
  KMiscTools::setClockSource(steppingClock);
  window()->setMaxFrameRate(100);
  window()->flipBackBuffer(false, false);
  const unsigned long first = KWindowGL::_lastFlipTime;
  g_now += 13; // a frame's work took longer than a frame
  window()->flipBackBuffer(false, false);
  const unsigned long late = KWindowGL::_lastFlipTime;
  window()->flipBackBuffer(false, false);
  const unsigned long next = KWindowGL::_lastFlipTime;
  EXPECT_LT(next - late, 10u) << "the late frame's lateness is caught up";
  EXPECT_GE(next - first, 20u) << "two frame times after the first";
  EXPECT_LT(next - first, 24u);
  g_now += 200; // a stall far beyond catching up
  window()->flipBackBuffer(false, false);
  const unsigned long afterStall = KWindowGL::_lastFlipTime;
  window()->flipBackBuffer(false, false);
  EXPECT_GE(KWindowGL::_lastFlipTime - afterStall, 10u) << "no burst after a stall";
  window()->setMaxFrameRate(0);
  KMiscTools::setClockSource(nullptr);
}

// A frame that looks as the one on the screen is not shown again, and the back buffer still
// holds what the screen shows; a different frame, or one after the window was uncovered, is.
TEST_F(KWindowTest, AFrameLookingAsTheScreenIsNotShownAgain) {
  KGraphicGL paper;
  // As the game draws: no clear, a background over the whole picture.
  auto frame = [&](float green) {
    paper.drawRect(0, 0, 800, 600, 0, 0, 0, 1);
    paper.drawRect(100, 100, 300, 200, 1, green, 0, 1);
    window()->flipBackBuffer(false, false);
  };
  // The first frame's look also holds what was drawn since the last flip before it.
  frame(0);
  frame(0);
  const unsigned long shown = window()->framesShown();
  frame(0);
  EXPECT_EQ(window()->framesShown(), shown);
  EXPECT_EQ(pixel(200, 150), rgba(255, 0, 0));
  EXPECT_EQ(pixel(50, 50), rgba(0, 0, 0));
  frame(1);
  EXPECT_EQ(window()->framesShown(), shown + 1);
  EXPECT_EQ(pixel(200, 150), rgba(255, 255, 0));

  SDL_Event ev;
  SDL_zero(ev);
  ev.type = SDL_WINDOWEVENT;
  ev.window.event = SDL_WINDOWEVENT_EXPOSED;
  ev.window.windowID = SDL_GetWindowID(window()->getWindowHandle());
  SDL_PushEvent(&ev);
  window()->processEvents();
  frame(1);
  EXPECT_EQ(window()->framesShown(), shown + 2) << "an uncovered window shows its frame again";
}

// Readying the renderer's states between frames draws no pixel: the screen stays as it was and a
// frame that looks the same is still not shown again.
TEST_F(KWindowTest, ReadyingDrawingStatesLeavesTheScreenAsItWas) {
  KGraphicGL paper;
  auto frame = [&] {
    paper.drawRect(0, 0, 800, 600, 0, 1, 0, 1);
    paper.drawRect(10, 10, 20, 20, 1, 1, 1, 0.5f);
    window()->flipBackBuffer(false, false);
  };
  frame();
  frame();
  int states = 0;
  while (window()->drawList().warmUp()) ++states;
  EXPECT_GT(states, 0);
  const unsigned long shown = window()->framesShown();
  frame();
  EXPECT_EQ(window()->framesShown(), shown);
  EXPECT_EQ(pixel(0, 0), rgba(0, 255, 0));
  EXPECT_TRUE(near(pixel(15, 15), rgba(128, 255, 128)));
}

TEST_F(KWindowTest, GammaBelowOneDarkensTheFrame) {
  window()->setClearColor(1, 1, 1, 1);
  window()->setWorldView(0, 0, 0, 1, true);
  window()->setGamma(0.25f);
  window()->flipBackBuffer(false, false);
  // The swap copies the frame; the back buffer still holds what was shown.
  EXPECT_TRUE(near(pixel(400, 300), rgba(64, 64, 64), 3)) << std::hex << pixel(400, 300);

  window()->setGamma(1.0f);
  window()->setWorldView(0, 0, 0, 1, true);
  window()->flipBackBuffer(false, false);
  EXPECT_TRUE(near(pixel(400, 300), rgba(255, 255, 255)));
}

TEST_F(KWindowTest, ShiftF6WritesNumberedScreenshotsBesideTheExecutable) {
  std::string folder = makeTempFolder();
  ASSERT_FALSE(folder.empty());
  const std::string savedFolder = KMiscTools::currentFilePath;
  KMiscTools::setApplicationFolder(folder.c_str());
  unsigned long before = KWindowGL::_screenshotCounter;

  drawQuarters();
  window()->flipBackBuffer(false, false);
  pushKey(SDL_SCANCODE_LSHIFT, true);
  pushKey(SDL_SCANCODE_F6, true);
  pushKey(SDL_SCANCODE_F6, false);
  pushKey(SDL_SCANCODE_LSHIFT, false);
  pumpAll();

  std::string first = folder + "/screenshot" + std::to_string(before + 1) + ".tga";
  SDL_Surface *shot = IMG_Load(first.c_str());
  ASSERT_NE(shot, nullptr) << IMG_GetError();
  EXPECT_EQ(shot->w, 800);
  EXPECT_EQ(shot->h, 600);
  EXPECT_TRUE(near(surfacePixel(shot, 10, 10), rgba(0, 0, 255)));
  EXPECT_TRUE(near(surfacePixel(shot, 399, 299), rgba(0, 0, 255)));
  EXPECT_TRUE(near(surfacePixel(shot, 400, 300), rgba(255, 0, 0)));
  EXPECT_TRUE(near(surfacePixel(shot, 10, 590), rgba(255, 0, 0)));
  SDL_FreeSurface(shot);
  ASSERT_EQ(messages().size(), 1u) << "one press, one picture";
  EXPECT_EQ(messages()[0], "export ok|");
  EXPECT_EQ(eventsOfTypes({7}).size(), 2u) << "the releases still reach the game";

  // The next press writes the next number.
  pushKey(SDL_SCANCODE_LSHIFT, true);
  pushKey(SDL_SCANCODE_F6, true);
  pushKey(SDL_SCANCODE_F6, false);
  pushKey(SDL_SCANCODE_LSHIFT, false);
  pumpAll();
  std::string second = folder + "/screenshot" + std::to_string(before + 2) + ".tga";
  EXPECT_TRUE(KMiscTools::fileExists(second.c_str()));

  std::remove(first.c_str());
  std::remove(second.c_str());
  rmdir(folder.c_str());
  KMiscTools::currentFilePath = savedFolder;
}

TEST_F(KWindowTest, FailedExportReportsFailure) {
  EXPECT_FALSE(window()->saveBackBuffer("/nonexistent-folder-for-test/shot.tga", 2, 0, 0));
  ASSERT_EQ(messages().size(), 1u);
  EXPECT_EQ(messages()[0], "can't do export|GraphicsExportDoExport error " + std::to_string(ENOENT));
  EXPECT_FALSE(window()->saveBackBuffer("/tmp/shot.xyz", 9, 0, 0)) << "no writer for that format";
}

TEST_F(KWindowTest, PartialScreenshotIsTheTopLeftCorner) {
  drawQuarters();
  std::string folder = makeTempFolder();
  ASSERT_FALSE(folder.empty());
  std::string path = folder + "/part.tga";
  ASSERT_TRUE(window()->saveBackBuffer(path.c_str(), 2, 500, 400));
  SDL_Surface *shot = IMG_Load(path.c_str());
  ASSERT_NE(shot, nullptr);
  EXPECT_EQ(shot->w, 500);
  EXPECT_EQ(shot->h, 400);
  EXPECT_TRUE(near(surfacePixel(shot, 399, 299), rgba(0, 0, 255)));
  EXPECT_TRUE(near(surfacePixel(shot, 499, 399), rgba(255, 0, 0)));
  EXPECT_TRUE(near(surfacePixel(shot, 0, 350), rgba(255, 0, 0)));
  SDL_FreeSurface(shot);
  // Larger than the window: the whole window, nothing read beyond it.
  ASSERT_TRUE(window()->saveBackBuffer(path.c_str(), 2, 5000, 5000));
  shot = IMG_Load(path.c_str());
  ASSERT_NE(shot, nullptr);
  EXPECT_EQ(shot->w, 800);
  EXPECT_EQ(shot->h, 600);
  SDL_FreeSurface(shot);
  std::remove(path.c_str());
  rmdir(folder.c_str());
}

TEST(KWindowLetterbox, PictureKeepsItsProportionsInTheMiddle) {
  int x, y, w, h;
  KGLScreen::letterbox(1024, 768, 800, 600, &x, &y, &w, &h);
  EXPECT_EQ(x, 0);
  EXPECT_EQ(y, 0);
  EXPECT_EQ(w, 1024);
  EXPECT_EQ(h, 768);
  KGLScreen::letterbox(1920, 1080, 800, 600, &x, &y, &w, &h);
  EXPECT_EQ(x, 240);
  EXPECT_EQ(y, 0);
  EXPECT_EQ(w, 1440);
  EXPECT_EQ(h, 1080);
  KGLScreen::letterbox(1000, 1000, 800, 600, &x, &y, &w, &h);
  EXPECT_EQ(x, 0);
  EXPECT_EQ(y, 125);
  EXPECT_EQ(w, 1000);
  EXPECT_EQ(h, 750);
}

TEST_F(KWindowTest, FullScreenAndBackKeepThePictureAndThePointer) {
  window()->toggleFullScreen(true);
  EXPECT_TRUE(window()->isFullScreen());
  EXPECT_TRUE(window()->hasFocus());
  EXPECT_EQ(window()->getWindowHandle(), nullptr);
  window()->setClearColor(0, 1, 0, 1);
  window()->setWorldView(0, 0, 0, 1, true);
  EXPECT_TRUE(near(pixel(0, 0), rgba(0, 255, 0))) << std::hex << pixel(0, 0);
  EXPECT_TRUE(near(pixel(799, 599), rgba(0, 255, 0)));
  window()->flipBackBuffer(true, true);
  // The test screen has the picture's proportions, scaled by 1.28.
  static long seenX, seenY;
  seenX = seenY = -1;
  window()->setPTKCallBack([](KEvent *e) {
    if (e->type == K_EVENT_MOUSEMOVE && e->mouseX == 200) {
      seenX = KInput::getMouseX();
      seenY = KInput::getMouseY();
    }
    return true;
  });
  pushMotion(256, 192);
  pumpAll();
  EXPECT_EQ(seenX, 200);
  EXPECT_EQ(seenY, 150);

  window()->toggleFullScreen(false);
  EXPECT_FALSE(window()->isFullScreen());
  SDL_Window *w = window()->getWindowHandle();
  ASSERT_NE(w, nullptr);
  int ww, wh;
  SDL_GetWindowSize(w, &ww, &wh);
  EXPECT_EQ(ww, 800);
  EXPECT_EQ(wh, 600);
  window()->setClearColor(0, 0, 1, 1);
  window()->setWorldView(0, 0, 0, 1, true);
  EXPECT_TRUE(near(pixel(799, 599), rgba(0, 0, 255)));
  seenX = seenY = -1;
  window()->setPTKCallBack([](KEvent *e) {
    if (e->type == K_EVENT_MOUSEMOVE && e->mouseX == 700) {
      seenX = KInput::getMouseX();
      seenY = KInput::getMouseY();
    }
    return true;
  });
  pushMotion(700, 500);
  pumpAll();
  EXPECT_EQ(seenX, 700);
  EXPECT_EQ(seenY, 500);
}

TEST_F(KWindowTest, SecondCreateKeepsTheWindowAndClampsTheDepth) {
  SDL_Window *before = window()->getWindowHandle();
  EXPECT_TRUE(window()->createGameWindow(800, 600, 0, true, "Tobrulant"));
  EXPECT_EQ(window()->getWindowDepth(), 16);
  EXPECT_TRUE(window()->createGameWindow(800, 600, 48, true, "Tobrulant"));
  EXPECT_EQ(window()->getWindowDepth(), 32);
  EXPECT_EQ(window()->getWindowHandle(), before);
}

TEST_F(KWindowTest, WorldViewMovesAndZoomsAboutTheMiddle) {
  KGraphicGL g;
  window()->setWorldView(100, 0, 0, 1, true);
  g.drawRect(0, 0, 10, 10, 1, 1, 1, 1);
  EXPECT_TRUE(near(pixel(105, 5), rgba(255, 255, 255)));
  EXPECT_TRUE(near(pixel(5, 5), rgba(0, 0, 0)));

  // Zoom 2 about the middle: (400, 300)-(410, 310) covers (400, 300)-(420, 320).
  window()->setWorldView(0, 0, 0, 2, true);
  g.drawRect(400, 300, 410, 310, 1, 1, 1, 1);
  EXPECT_TRUE(near(pixel(401, 301), rgba(255, 255, 255)));
  EXPECT_TRUE(near(pixel(418, 318), rgba(255, 255, 255)));
  EXPECT_TRUE(near(pixel(422, 322), rgba(0, 0, 0)));

  // Half a turn about the middle puts the top-left corner at the bottom right.
  window()->setWorldView(0, 0, 180, 1, true);
  g.drawRect(0, 0, 10, 10, 1, 1, 1, 1);
  EXPECT_TRUE(near(pixel(795, 595), rgba(255, 255, 255)));
  EXPECT_TRUE(near(pixel(5, 5), rgba(0, 0, 0)));
  window()->setDefaultWorldView();
}

TEST_F(KWindowTest, FlipShowsTheSystemPointerOnlyOutsideThePicture) {
  KInput::hidePointer();
  KInput::notePointer(-10, 40);
  window()->flipBackBuffer(false, false);
  EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_ENABLE);
  EXPECT_EQ(KInput::_cursorVisibility, 0) << "the game still wants it hidden";
  KInput::notePointer(100, 100);
  window()->flipBackBuffer(false, false);
  EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_DISABLE);
  KInput::showPointer();
  window()->flipBackBuffer(false, false);
  EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_ENABLE);
}

TEST_F(KWindowTest, EnginePausePumpsWindowEventsWithoutTheRawCallback) {
  window()->setCallBack(recordSystem);
  g_now = 100;
  KMiscTools::setClockSource(steppingClock);
  pushKey(SDL_SCANCODE_D, true);
  pushKey(SDL_SCANCODE_D, false);
  KMiscTools::pause(50, true);
  EXPECT_EQ(typesOf(eventsOfTypes({5, 6, 7})), (std::vector<uint32_t>{6, 5, 7}));
  EXPECT_TRUE(g_system.empty());
}

namespace {
int g_displays = 0;
bool countDisplay(KDisplay *d) {
  ++g_displays;
  EXPECT_GT(d->width, 0);
  EXPECT_GT(d->height, 0);
  EXPECT_GE(d->bitsPerPixel, 16);
  return false;
}
} // namespace

TEST_F(KWindowTest, DisplaysStopWhenTheCallbackSaysSo) {
  g_displays = 0;
  window()->enumerateDisplays(countDisplay);
  EXPECT_EQ(g_displays, 1);
  window()->enumerateDisplays(nullptr);
}

// A display that drops its connection as the client library writes must not end the game
// unseen: with a window open, a write to a connection whose far end is gone is an error to
// report, not a signal that ends the process (this test's process, when it fails).
TEST_F(KWindowTest, AWriteToADroppedConnectionIsAnErrorNotAnEnd) {
  int ends[2];
  ASSERT_EQ(socketpair(AF_UNIX, SOCK_STREAM, 0, ends), 0);
  close(ends[1]);
  errno = 0;
  EXPECT_EQ(write(ends[0], "l", 1), -1);
  EXPECT_EQ(errno, EPIPE);
  close(ends[0]);
}

TEST_F(KWindowTest, MinimisedWindowHasNoFocusUntilRestored) {
  window()->minimize();
  EXPECT_FALSE(window()->hasFocus());
  window()->restore();
  EXPECT_TRUE(window()->hasFocus());
  pumpAll();
}
