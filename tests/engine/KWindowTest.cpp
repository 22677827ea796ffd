#include "GLTestWindow.h"

class KWindowTest : public GLTestWindow {};

TEST_F(KWindowTest, OpensCentredWithTitleAndClears) {
  SDL_Window *w = window()->getWindowHandle();
  ASSERT_NE(w, nullptr);
  int ww = 0, wh = 0, x = 0, y = 0;
  SDL_GetWindowSize(w, &ww, &wh);
  SDL_GetWindowPosition(w, &x, &y);
  EXPECT_EQ(ww, 800);
  EXPECT_EQ(wh, 600);
  EXPECT_STREQ(SDL_GetWindowTitle(w), "Tobrulant");
  window()->setClearColor(1.0f, 0.0f, 0.0f, 1.0f);
  window()->setWorldView(0, 0, 0, 1, true);
  EXPECT_TRUE(near(pixel(0, 0), rgba(255, 0, 0)));
  EXPECT_TRUE(near(pixel(799, 599), rgba(255, 0, 0)));
  EXPECT_EQ(x, 112);
  EXPECT_EQ(y, 84);
}
