#include <gtest/gtest.h>

#include <SDL_image.h>

#include <fstream>
#include <memory>

#include "support/SpriteTestSupport.h"
#include "support/GLTestWindow.h"
#include "media/CSurface.h"
#include "media/Frameset.h"
#include "media/ZSprite.h"
#include "media/ZSpriteFactory.h"

namespace {

class SurfaceTest : public MediaScratch {
protected:
  CSurfaceManager *manager() { return CSurfaceManager::instance(); }
  Rect src{16, 8, 32, 24};
  Rect dest{100, 50, 0, 0};
};

TEST_F(SurfaceTest, RegistersEachExactPathOnceKeepingItsFirstFlags) {
  int a = manager()->nahrajSurface("/gfx/Sheet.png", true, false, false);
  EXPECT_EQ(count(logText(), "found, nothing to load."), 0u);

  int again = manager()->nahrajSurface("/gfx/Sheet.png", false, true, true);
  EXPECT_EQ(again, a);
  EXPECT_EQ(count(logText(), "Surface: /gfx/Sheet.png found, nothing to load."), 1u);
  CSurface *s = manager()->getSurface((unsigned)a);
  EXPECT_TRUE(s->getHiKvalita());
  EXPECT_FALSE(s->getSmooth());
  EXPECT_FALSE(s->getHoldInMemory());

  int otherCase = manager()->nahrajSurface("/gfx/sheet.png", true, false, false);
  EXPECT_NE(otherCase, a);
  EXPECT_EQ(otherCase, a + 1);
  EXPECT_EQ(manager()->getCount(), 2u);
  EXPECT_EQ(manager()->getSurface(99), nullptr);

  s->setHoldInMemory(true);
  EXPECT_TRUE(s->getHoldInMemory());
}

TEST_F(SurfaceTest, LoadsAtTheFirstBlitAndAgainOnlyAfterUnload) {
  unsigned h = (unsigned)manager()->nahrajSurface("/gfx/a.png", false, false, false);
  CSurface *s = manager()->getSurface(h);
  EXPECT_EQ(FakePicture::created(), 0);
  EXPECT_EQ(s->vratPointer(), nullptr);

  manager()->blitSurface(h, &src, nullptr, &dest);
  ASSERT_EQ(FakePicture::created(), 1);
  ASSERT_NE(s->vratPointer(), nullptr);
  ASSERT_GE(FakePicture::calls().size(), 3u);
  EXPECT_EQ(FakePicture::calls()[0].op, "load /gfx/a.png plain alpha");
  EXPECT_EQ(FakePicture::calls()[1].op, "quality linear");
  EXPECT_EQ(count(logText(), "/gfx/a.png loaded"), 1u);

  manager()->blitSurfaceFx(h, &src, nullptr, &dest, 0, 1);
  EXPECT_EQ(FakePicture::created(), 1);
  EXPECT_EQ(count(logText(), "/gfx/a.png loaded"), 1u);

  s->unload();
  EXPECT_EQ(s->vratPointer(), nullptr);
  manager()->blitSurface(h, &src, nullptr, &dest);
  EXPECT_EQ(FakePicture::created(), 2);
  EXPECT_EQ(count(logText(), "/gfx/a.png loaded"), 2u);
  EXPECT_EQ(FakePicture::blits().size(), 3u);

  s->smazSurface();
  EXPECT_EQ(s->vratPointer(), nullptr);
}

TEST_F(SurfaceTest, BlitsPickThePlainBlendedOrTransformedPath) {
  unsigned h = (unsigned)manager()->nahrajSurface("/gfx/b.png", true, false, false);
  manager()->blitSurface(h, &src, nullptr, &dest);
  manager()->blitSurfaceFx(h, &src, nullptr, &dest, 0.0f, 1.0f);
  manager()->blitSurfaceFx(h, &src, nullptr, &dest, 0.0f, 1.0001f);
  manager()->blitSurfaceFx(h, &src, nullptr, &dest, 45.0f, 1.0f);

  std::vector<PictureCall> b = FakePicture::blits();
  ASSERT_EQ(b.size(), 4u);
  EXPECT_EQ(b[0].op, "blitRect");
  EXPECT_EQ(b[1].op, "blitAlphaRect");
  EXPECT_EQ(b[2].op, "blitAlphaRectFx");
  EXPECT_FLOAT_EQ(b[2].zoom, 1.0001f);
  EXPECT_FLOAT_EQ(b[2].alpha, 1.0f);
  EXPECT_EQ(b[3].op, "blitAlphaRectFx");
  EXPECT_FLOAT_EQ(b[3].angle, 45.0f);
  for (const PictureCall &c : b) {
    // Corners of the source rectangle and the destination's top-left; its size is not used.
    EXPECT_FLOAT_EQ(c.x1, 16);
    EXPECT_FLOAT_EQ(c.y1, 8);
    EXPECT_FLOAT_EQ(c.x2, 48);
    EXPECT_FLOAT_EQ(c.y2, 32);
    EXPECT_EQ(c.x, 100);
    EXPECT_EQ(c.y, 50);
  }
}

TEST_F(SurfaceTest, TintLastsForOneBlitOnly) {
  unsigned h = (unsigned)manager()->nahrajSurface("/gfx/c.png", true, false, false);
  manager()->blitSurfaceAlphaFx(h, &src, nullptr, &dest, 0.5f, 10.0f, 1, 1, 1, 2.0f);
  size_t before = FakePicture::calls().size();
  manager()->blitSurfaceAlphaFx(h, &src, nullptr, &dest, 0.25f, 0.0f, 1, 0.5f, 0.5f, 1.0f);

  std::vector<PictureCall> &c = FakePicture::calls();
  for (size_t i = 0; i < before; ++i) EXPECT_NE(c[i].op, "color") << "untinted blit touched the colour";
  ASSERT_EQ(c.size(), before + 3);
  EXPECT_EQ(c[before].op, "color");
  EXPECT_FLOAT_EQ(c[before].g, 0.5f);
  EXPECT_FLOAT_EQ(c[before].a, 1.0f);
  EXPECT_EQ(c[before + 1].op, "blitAlphaRectFx");
  EXPECT_FLOAT_EQ(c[before + 1].alpha, 0.25f);
  EXPECT_EQ(c[before + 2].op, "color");
  EXPECT_FLOAT_EQ(c[before + 2].r * c[before + 2].g * c[before + 2].b * c[before + 2].a, 1.0f);

  std::vector<PictureCall> b = FakePicture::blits();
  EXPECT_FLOAT_EQ(b[0].alpha, 0.5f);
  EXPECT_FLOAT_EQ(b[0].angle, 10.0f);
  EXPECT_FLOAT_EQ(b[0].zoom, 2.0f);
}

TEST_F(SurfaceTest, AlphaModeReachesOnlyALoadedPicture) {
  unsigned h = (unsigned)manager()->nahrajSurface("/gfx/d.png", true, false, false);
  CSurface *s = manager()->getSurface(h);
  s->setAlphaMode(4);
  EXPECT_EQ(FakePicture::created(), 0);
  manager()->blitSurface(h, &src, nullptr, &dest);
  s->setAlphaMode(4);
  int modes = 0;
  for (const PictureCall &c : FakePicture::calls())
    if (c.op == "alphaMode") {
      ++modes;
      EXPECT_EQ(c.mode, 4);
    }
  EXPECT_EQ(modes, 1);
}

TEST_F(SurfaceTest, AFailedLoadIsReportedOnceAndDrawsNothing) {
  FakePicture::loadSucceeds() = false;
  unsigned h = (unsigned)manager()->nahrajSurface("/gfx/missing.png", true, false, false);
  manager()->blitSurface(h, &src, nullptr, &dest);
  manager()->blitSurfaceFx(h, &src, nullptr, &dest, 0, 1);
  manager()->blitSurfaceAlphaFx(h, &src, nullptr, &dest, 1, 0, 1, 0, 0, 1);
  EXPECT_EQ(FakePicture::created(), 1);
  EXPECT_NE(manager()->getSurface(h)->vratPointer(), nullptr);
  EXPECT_TRUE(FakePicture::blits().empty());
  EXPECT_EQ(count(logText(), "loadPicture error: /gfx/missing.png"), 1u);

  // Handles the manager never gave out draw nothing instead of reading past the list.
  manager()->blitSurface(h + 7, &src, nullptr, &dest);
  manager()->blitSurfaceFx(h + 7, &src, nullptr, &dest, 0, 1);
  EXPECT_EQ(FakePicture::created(), 1);
}

// The real window: a sprite cloned from a collection file must show the right frame at the right
// place, the way the picture file holds it (not mirrored, transparent where the file is).
class SpriteDrawTest : public GLTestWindow {
protected:
  void SetUp() override {
    GLTestWindow::SetUp();
    char tmpl[] = "/tmp/tob_draw_XXXXXX";
    ASSERT_NE(mkdtemp(tmpl), nullptr);
    dir = tmpl;
    mkdir((dir + "/data").c_str(), 0755);
    mkdir((dir + "/data/gfx").c_str(), 0755);
    KMiscTools::setApplicationFolder(dir.c_str());
    CSurfaceManager::destroyInstance();
    CSurface::setPictureFactory(nullptr);
    CGlobals::instance()->paused = false;
    CFakeTime::instance()->ms = 50000;
  }
  void TearDown() override {
    CSurfaceManager::destroyInstance();
    std::string cmd = "rm -rf '" + dir + "'";
    EXPECT_EQ(std::system(cmd.c_str()), 0);
    GLTestWindow::TearDown();
  }

  // 64 x 32 sheet of two 32 x 32 frames: red and green, each with a blue top-left and a white
  // bottom-right corner of 8 x 8; the green frame's right half is fully transparent.
  void makeSheet(const std::string &path) {
    SDL_Surface *s = SDL_CreateRGBSurfaceWithFormat(0, 64, 32, 32, SDL_PIXELFORMAT_RGBA32);
    ASSERT_NE(s, nullptr);
    auto fill = [s](int x, int y, int w, int h, Uint8 r, Uint8 g, Uint8 b, Uint8 a) {
      SDL_Rect rect{x, y, w, h};
      SDL_FillRect(s, &rect, SDL_MapRGBA(s->format, r, g, b, a));
    };
    fill(0, 0, 32, 32, 255, 0, 0, 255);
    fill(32, 0, 32, 32, 0, 255, 0, 255);
    fill(48, 0, 16, 32, 0, 0, 0, 0);
    for (int f = 0; f < 2; ++f) {
      fill(32 * f, 0, 8, 8, 0, 0, 255, 255);
      fill(32 * f + 24, 24, 8, 8, 255, 255, 255, 255);
    }
    ASSERT_EQ(IMG_SavePNG(s, path.c_str()), 0) << IMG_GetError();
    SDL_FreeSurface(s);
  }

  void clear() { window()->setWorldView(0, 0, 0, 1, true); }

  std::string dir;
};

TEST_F(SpriteDrawTest, ShowsTheCurrentFrameAtTheSpritePosition) {
  makeSheet(dir + "/data/gfx/Box.png");
  std::ofstream(dir + "/sprites.xml")
      << "<kolekce><sprite name=\"BOX\" src=\"Box.png\"><frameset name=\"ANIM\">"
         "<frameB name=\"red\" x=\"0\" y=\"0\" w=\"32\" h=\"32\" delay=\"100\" bX=\"0\" bY=\"0\" bW=\"32\" bH=\"32\"/>"
         "<frameB name=\"green\" x=\"32\" y=\"0\" w=\"32\" h=\"32\" delay=\"100\" bX=\"0\" bY=\"0\" bW=\"32\" bH=\"32\"/>"
         "</frameset></sprite></kolekce>";
  ZSpriteFactory factory("kolekce");
  factory.nahrajXML((dir + "/sprites.xml").c_str());
  std::unique_ptr<ZSprite> box(factory.cloneSprite("BOX"));
  box->nastavFrameset("ANIM");
  box->getAktivniFrameset()->zapniAnimace();
  CSurface *surface = box->getAktivniFrameset()->getMySurface();
  EXPECT_EQ(surface->vratPointer(), nullptr) << "nothing loads before the first draw";

  const uint32_t red = rgba(255, 0, 0), green = rgba(0, 255, 0), blue = rgba(0, 0, 255);
  const uint32_t white = rgba(255, 255, 255), black = rgba(0, 0, 0);
  box->x = 100;
  box->y = 50;
  clear();
  box->step();
  box->put(nullptr, 1.0f, -1, -1, -1, -1);
  ASSERT_NE(surface->vratPointer(), nullptr);
  EXPECT_TRUE(messages().empty()) << messages().front();
  EXPECT_TRUE(near(pixel(116, 66), red));
  EXPECT_TRUE(near(pixel(100, 50), blue));
  EXPECT_TRUE(near(pixel(107, 57), blue));
  EXPECT_TRUE(near(pixel(131, 81), white));
  EXPECT_TRUE(near(pixel(99, 50), black));
  EXPECT_TRUE(near(pixel(132, 66), black));
  EXPECT_TRUE(near(pixel(116, 49), black));
  EXPECT_TRUE(near(pixel(116, 82), black));

  // Not yet the frame's delay: the same frame again; then the next one.
  CFakeTime::instance()->ms += 99;
  clear();
  box->step();
  box->put(nullptr, 1.0f, -1, -1, -1, -1);
  EXPECT_TRUE(near(pixel(116, 66), red));
  CFakeTime::instance()->ms += 1;
  clear();
  box->step();
  box->put(nullptr, 1.0f, -1, -1, -1, -1);
  EXPECT_TRUE(near(pixel(110, 66), green));
  EXPECT_TRUE(near(pixel(101, 51), blue));
  EXPECT_TRUE(near(pixel(124, 66), black)) << "transparent half shows the background";

  // Clipped to the left half and drawn partly off the left edge.
  box->getAktivniFrameset()->vypniAnimace();
  box->getAktivniFrameset()->nastavFrame(0);
  box->x = (uint32_t)-8;
  box->y = 200;
  clear();
  box->putVyrez(nullptr, 16, -1, -1, -1);
  EXPECT_TRUE(near(pixel(0, 216), red));
  EXPECT_TRUE(near(pixel(7, 216), red));
  EXPECT_TRUE(near(pixel(8, 216), black));

  // Tinted and half transparent over black: the white corner turns dark red.
  box->x = 300;
  box->y = 300;
  box->putWithColor(nullptr, 1.0f, 0.0f, 0.0f, 1.0f, -1, -1, -1, -1, 0.5f);
  EXPECT_TRUE(near(pixel(328, 328), rgba(128, 0, 0), 3)) << std::hex << pixel(328, 328);
  EXPECT_TRUE(near(pixel(316, 316), rgba(128, 0, 0), 3));

  // Zoomed about the frame's centre: twice the size, still centred on the same point.
  box->x = 500;
  box->y = 100;
  box->put(nullptr, 2.0f, -1, -1, -1, -1);
  EXPECT_TRUE(near(pixel(485, 85), blue));
  EXPECT_TRUE(near(pixel(545, 145), white));
  EXPECT_TRUE(near(pixel(483, 83), black));
  savePNG((std::string(TOB_BINARY_DIR) + "/sprite_draw.png").c_str());
}

} // namespace
