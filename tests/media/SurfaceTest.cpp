#include <gtest/gtest.h>

#include "SpriteTestSupport.h"
#include "media/CSurface.h"

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

} // namespace
