#include "support/GLTestWindow.h"

#include <set>

TEST(KInputTable, EveryEngineCodeHasItsOwnKeyAndTheEndMarkCloses) {
  std::set<unsigned> platform;
  for (unsigned i = 0; i < 100; ++i) {
    EXPECT_EQ(KInput::keyTable[i].ptkKey, i);
    EXPECT_TRUE(platform.insert(KInput::keyTable[i].platformKey).second)
        << "engine code " << i << " shares its platform key";
    EXPECT_EQ(KInput::getPTKKey(KInput::keyTable[i].platformKey), (EKeyboardLayout)i);
  }
  EXPECT_EQ(KInput::keyTable[100].ptkKey, 100u);
  EXPECT_EQ(KInput::keyTable[100].platformKey, 0xFF);
}

TEST(KInputTable, LooksUpPlatformKeys) {
  EXPECT_EQ(KInput::getPTKKey(SDL_SCANCODE_SPACE), K_VK_SPACE);
  EXPECT_EQ(KInput::getPTKKey(SDL_SCANCODE_A), K_VK_A);
  EXPECT_EQ(KInput::getPTKKey(SDL_SCANCODE_ESCAPE), K_VK_ESCAPE);
  EXPECT_EQ(KInput::getPTKKey(SDL_SCANCODE_LGUI), K_VK_COMMAND);
  EXPECT_EQ(KInput::getPTKKey(SDL_SCANCODE_F13), K_VK_F13);
  EXPECT_EQ(K_VK_SPACE, 4);
  EXPECT_EQ(K_VK_Q, 41);
  EXPECT_EQ(K_VK_COMMAND, 77);
  EXPECT_EQ(K_VK_F13, 97);
  EXPECT_EQ(KInput::getPTKKey(SDL_SCANCODE_APPLICATION), K_VK_ERROR);
  EXPECT_EQ(KInput::getPTKKey(0xFF), K_VK_ERROR);
  EXPECT_EQ(KInput::getPTKKey(0), K_VK_ERROR);
}

TEST(KInputState, WheelValueIsReadOnce) {
  KInput::setLastWheelValue(-3);
  EXPECT_EQ(KInput::getWheelValue(), -3);
  EXPECT_EQ(KInput::getWheelValue(), 0);
}

class KInputTest : public GLTestWindow {};

TEST_F(KInputTest, HiddenPointerComesBackWithOneShow) {
  KInput::hidePointer();
  KInput::hidePointer();
  EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_DISABLE);
  EXPECT_EQ(KInput::_cursorVisibility, 0);
  KInput::showPointer();
  EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_ENABLE);
  EXPECT_EQ(KInput::_cursorVisibility, 1);
  EXPECT_EQ(KInput::_cursorVis, 0);
}

TEST_F(KInputTest, HeldKeysFollowTheEventsTakenFromTheQueue) {
  pushKey(SDL_SCANCODE_LSHIFT, true);
  pumpAll();
  EXPECT_TRUE(KInput::isPressed(K_VK_L_SHIFT));
  EXPECT_FALSE(KInput::isPressed(K_VK_R_SHIFT)) << "right Shift is a key of its own";
  EXPECT_FALSE(KInput::isPressed(K_VK_ERROR));
  pushKey(SDL_SCANCODE_LSHIFT, false);
  pumpAll();
  EXPECT_FALSE(KInput::isPressed(K_VK_L_SHIFT));

  pushKey(SDL_SCANCODE_RSHIFT, true);
  pumpAll();
  EXPECT_TRUE(KInput::isPressed(K_VK_R_SHIFT));
  EXPECT_FALSE(KInput::isPressed(K_VK_L_SHIFT));
  pushKey(SDL_SCANCODE_RSHIFT, false);
  pumpAll();
}

TEST_F(KInputTest, WaitForKeyReleaseTakesAQueuedReleaseAndLeavesItForTheGame) {
  KInput::waitForKeyRelease(K_VK_SPACE); // not held: returns at once

  static std::vector<uint32_t> types;
  types.clear();
  window()->setPTKCallBack([](KEvent *e) {
    if (e->ptkKey == K_VK_SPACE) types.push_back(e->type);
    return true;
  });
  pushKey(SDL_SCANCODE_SPACE, true);
  pumpAll();
  ASSERT_TRUE(KInput::isPressed(K_VK_SPACE));
  pushKey(SDL_SCANCODE_SPACE, false);
  KInput::waitForKeyRelease(K_VK_SPACE);
  EXPECT_FALSE(KInput::isPressed(K_VK_SPACE));
  pumpAll();
  EXPECT_EQ(types, (std::vector<uint32_t>{6, 5, 7}));
}

TEST_F(KInputTest, PointerAndButtonsArePolledInPictureCoordinates) {
  static long seenX, seenY;
  seenX = seenY = -1;
  window()->setPTKCallBack([](KEvent *e) {
    if (e->type == K_EVENT_MOUSEMOVE && e->mouseX == 321) {
      seenX = KInput::getMouseX();
      seenY = KInput::getMouseY();
    }
    return true;
  });
  pushMotion(321, 123);
  pumpAll();
  EXPECT_EQ(seenX, 321);
  EXPECT_EQ(seenY, 123);

  pushButton(SDL_BUTTON_LEFT, true, 10, 20);
  pumpAll();
  EXPECT_TRUE(KInput::getLeftButtonState());
  pushButton(SDL_BUTTON_LEFT, false, 10, 20);
  pumpAll();
  EXPECT_TRUE(KInput::getLeftButtonState()) << "a press and release within one frame reads as held in it";
  KInput::frameDone();
  EXPECT_FALSE(KInput::getLeftButtonState());

  // The right button stays down until its release, wherever that happens.
  pushButton(SDL_BUTTON_RIGHT, true, 10, 20);
  pumpAll();
  EXPECT_TRUE(KInput::getRightButtonState());
  EXPECT_FALSE(KInput::getLeftButtonState());
  pushButton(SDL_BUTTON_RIGHT, false, -40, 900);
  pumpAll();
  EXPECT_FALSE(KInput::getRightButtonState());
}

TEST_F(KInputTest, MousePointerToPlacesThePointerInPictureCoordinates) {
  // Without a window nothing moves the shared X pointer; the game still sees the new place.
  SDL_Window *w = KInput::_hwnd;
  KInput::initInput(nullptr);
  KInput::mousePointerTo(250, 175);
  EXPECT_EQ(KInput::getMouseX(), 250);
  EXPECT_EQ(KInput::getMouseY(), 175);
  KInput::initInput(w);
}

TEST_F(KInputTest, ScaledPictureKeepsPointerInPictureCoordinates) {
  // 1024 x 768 screen: the 800 x 600 picture fills it, scaled by 1.28.
  KInput::setViewMapping(0, 0, 1024, 768, 800, 600);
  KInput::notePointer(512, 384);
  EXPECT_EQ(KInput::getMouseX(), 400);
  EXPECT_EQ(KInput::getMouseY(), 300);
  // 1920 x 1080: 1440 x 1080 in the middle, bars of 240 each side.
  KInput::setViewMapping(240, 0, 1440, 1080, 800, 600);
  KInput::notePointer(240, 1079);
  EXPECT_EQ(KInput::getMouseX(), 0);
  EXPECT_EQ(KInput::getMouseY(), 599);
  KInput::notePointer(100, 0);
  EXPECT_LT(KInput::getMouseX(), 0) << "on the bar, left of the picture";
  KInput::setViewMapping(0, 0, 800, 600, 800, 600);
}
