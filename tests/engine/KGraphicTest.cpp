#include "support/GLTestWindow.h"

#include "engine/KBatch.h"
#include "engine/KGraphicGL.h"
#include "engine/KPTK.h"

#include <SDL_image.h>
#include <SDL_opengl.h>

#include <linux/capability.h>
#include <sys/stat.h>
#include <sys/syscall.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <functional>
#include <memory>

namespace {

typedef std::function<uint32_t(int x, int y)> PixelFn; // 0xRRGGBBAA

const int BG_R = 51, BG_G = 102, BG_B = 153; // the background every drawing test starts from

uint32_t quadrant(int x, int y, int w, int h, bool halfAlpha) {
  bool right = x >= w / 2, bottom = y >= h / 2;
  if (!right && !bottom) return 0xFF0000FFu;
  if (right && !bottom) return 0x00FF00FFu;
  if (!right && bottom) return 0x0000FFFFu;
  return halfAlpha ? 0xFFFFFF80u : 0xFFFFFFFFu;
}

SDL_Surface *makeSurface(int w, int h, bool alpha, const PixelFn &fn) {
  SDL_Surface *s = SDL_CreateRGBSurfaceWithFormat(0, w, h, alpha ? 32 : 24,
                                                  alpha ? SDL_PIXELFORMAT_RGBA32 : SDL_PIXELFORMAT_RGB24);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      uint32_t c = fn(x, y);
      unsigned char *p = (unsigned char *)s->pixels + y * s->pitch + x * (alpha ? 4 : 3);
      p[0] = (unsigned char)(c >> 24);
      p[1] = (unsigned char)(c >> 16);
      p[2] = (unsigned char)(c >> 8);
      if (alpha) p[3] = (unsigned char)c;
    }
  return s;
}

void savePng(const std::string &path, int w, int h, bool alpha, const PixelFn &fn) {
  SDL_Surface *s = makeSurface(w, h, alpha, fn);
  ASSERT_EQ(0, IMG_SavePNG(s, path.c_str())) << IMG_GetError();
  SDL_FreeSurface(s);
}

void saveJpg(const std::string &path, int w, int h, const PixelFn &fn) {
  SDL_Surface *s = makeSurface(w, h, false, fn);
  ASSERT_EQ(0, IMG_SaveJPG(s, path.c_str(), 100)) << IMG_GetError();
  SDL_FreeSurface(s);
}

// Uncompressed true-colour TGA, rows bottom first unless topFirst.
void saveTga(const std::string &path, int w, int h, int bits, bool topFirst, const PixelFn &fn) {
  std::vector<unsigned char> out(18, 0);
  out[2] = 2;
  out[12] = (unsigned char)w;
  out[13] = (unsigned char)(w >> 8);
  out[14] = (unsigned char)h;
  out[15] = (unsigned char)(h >> 8);
  out[16] = (unsigned char)bits;
  out[17] = (unsigned char)((bits == 32 ? 8 : 0) | (topFirst ? 0x20 : 0));
  for (int r = 0; r < h; ++r) {
    int y = topFirst ? r : h - 1 - r;
    for (int x = 0; x < w; ++x) {
      uint32_t c = fn(x, y);
      out.push_back((unsigned char)(c >> 8));
      out.push_back((unsigned char)(c >> 16));
      out.push_back((unsigned char)(c >> 24));
      if (bits == 32) out.push_back((unsigned char)c);
    }
  }
  FILE *f = std::fopen(path.c_str(), "wb");
  ASSERT_TRUE(f);
  std::fwrite(out.data(), 1, out.size(), f);
  std::fclose(f);
}

std::vector<unsigned char> readAll(const std::string &path) {
  std::vector<unsigned char> d;
  FILE *f = std::fopen(path.c_str(), "rb");
  if (!f) return d;
  int c;
  while ((c = std::fgetc(f)) != EOF) d.push_back((unsigned char)c);
  std::fclose(f);
  return d;
}

void writeAll(const std::string &path, const std::vector<unsigned char> &d) {
  FILE *f = std::fopen(path.c_str(), "wb");
  ASSERT_TRUE(f);
  if (!d.empty()) std::fwrite(d.data(), 1, d.size(), f);
  std::fclose(f);
}

::testing::AssertionResult colourAt(int x, int y, int r, int g, int b, int tol = 2) {
  uint32_t p = GLTestWindow::pixel(x, y);
  int pr = (int)(p >> 24), pg = (int)((p >> 16) & 0xFF), pb = (int)((p >> 8) & 0xFF);
  if (std::abs(pr - r) <= tol && std::abs(pg - g) <= tol && std::abs(pb - b) <= tol)
    return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "pixel (" << x << "," << y << ") is (" << pr << "," << pg << "," << pb
                                       << "), expected (" << r << "," << g << "," << b << ") +-" << tol;
}

::testing::AssertionResult isBackground(int x, int y) { return colourAt(x, y, BG_R, BG_G, BG_B); }

// Root reads what a file's mode bars while it may override modes; without that it meets them as a
// player does. False where that cannot be changed.
bool overrideModes(bool on) {
  __user_cap_header_struct head = {_LINUX_CAPABILITY_VERSION_3, 0};
  __user_cap_data_struct caps[2] = {};
  const uint32_t override = 1u << CAP_DAC_OVERRIDE | 1u << CAP_DAC_READ_SEARCH;
  if (syscall(SYS_capget, &head, caps) != 0) return false;
  caps[0].effective = on ? caps[0].effective | (caps[0].permitted & override) : caps[0].effective & ~override;
  return syscall(SYS_capset, &head, caps) == 0;
}

class KGraphicTest : public GLTestWindow {
public:
  static void SetUpTestSuite() {
    char tmpl[] = "/tmp/KGraphicTest.XXXXXX";
    ASSERT_TRUE(mkdtemp(tmpl));
    dir() = tmpl;
    const std::string &d = dir();
    auto quad16a = [](int x, int y) { return quadrant(x, y, 16, 16, true); };
    auto quad16 = [](int x, int y) { return quadrant(x, y, 16, 16, false); };
    savePng(d + "/quad16.png", 16, 16, true, quad16a);
    savePng(d + "/quad16rgb.png", 16, 16, false, quad16);
    savePng(d + "/quad20x12.png", 20, 12, true, [](int x, int y) { return quadrant(x, y, 20, 12, false); });
    saveJpg(d + "/quad32.jpg", 32, 32, [](int x, int y) { return quadrant(x, y, 32, 32, false); });
    saveTga(d + "/quad16.tga", 16, 16, 32, false, quad16a);
    saveTga(d + "/quad16top.tga", 16, 16, 32, true, quad16a);
    saveTga(d + "/quad16rgb.tga", 16, 16, 24, false, quad16);
    savePng(d + "/blend.png", 8, 8, true, [](int, int) { return 0xC8643280u; });
    savePng(d + "/keyed.png", 16, 16, false, [](int x, int) { return x < 8 ? 0xFF00FFFFu : 0xFFFF00FFu; });
    // Mask: the blue channel alone decides; red is high where blue is 0 to prove it is ignored.
    savePng(d + "/mask16.png", 16, 16, false, [](int x, int) { return x < 8 ? 0x0000FFFFu : 0xFF0000FFu; });
    savePng(d + "/mask8.png", 8, 8, false, [](int, int) { return 0x000000FFu; });

    std::vector<unsigned char> png = readAll(d + "/quad16.png"), jpg = readAll(d + "/quad32.jpg");
    writeAll(d + "/truncated.png", std::vector<unsigned char>(png.begin(), png.begin() + png.size() / 2));
    writeAll(d + "/truncated.jpg", std::vector<unsigned char>(jpg.begin(), jpg.begin() + 100));
    // Cut within the picture's coded data: the decoder alone would fill the rest with grey.
    writeAll(d + "/cutshort.jpg", std::vector<unsigned char>(jpg.begin(), jpg.end() - 12));
    std::vector<unsigned char> junk(300);
    srand(11);
    for (auto &c : junk) c = (unsigned char)(rand() & 0xFF);
    writeAll(d + "/garbage.png", junk);
    writeAll(d + "/garbage.jpg", junk);
    writeAll(d + "/garbage.tga", junk);
    writeAll(d + "/garbage.bin", junk);
    writeAll(d + "/empty.png", {});
    mkfifo((d + "/fifo.png").c_str(), 0666);
    writeAll(d + "/locked.png", png);
    chmod((d + "/locked.png").c_str(), 0);
    // A TGA header promising 4000 x 4000 pixels and holding none.
    std::vector<unsigned char> hollow(18, 0);
    hollow[2] = 2;
    hollow[12] = 0xA0, hollow[13] = 0x0F, hollow[14] = 0xA0, hollow[15] = 0x0F, hollow[16] = 32;
    writeAll(d + "/hollow.tga", hollow);
    std::vector<unsigned char> tgaCut = readAll(d + "/quad16.tga");
    tgaCut.resize(18 + 40);
    writeAll(d + "/truncated.tga", tgaCut);

    // Mixed-case lookup: stored in lower case under the application folder.
    mkdir((d + "/App").c_str(), 0777);
    mkdir((d + "/App/data").c_str(), 0777);
    mkdir((d + "/App/data/gfx").c_str(), 0777);
    savePng(d + "/App/data/gfx/casepic.png", 16, 16, true, quad16a);
  }
  static void TearDownTestSuite() {
    std::string cmd = "rm -rf '" + dir() + "'";
    if (std::system(cmd.c_str()) != 0) std::fprintf(stderr, "cleanup of %s failed\n", dir().c_str());
  }
  static std::string &dir() {
    static std::string d;
    return d;
  }

protected:
  void SetUp() override {
    GLTestWindow::SetUp();
    KGLTexture::setTextureMode(0);
    paper.reset(new KGraphicGL());
    clearToBackground();
  }
  void TearDown() override {
    paper.reset();
    KGLTexture::setTextureMode(0);
    GLTestWindow::TearDown();
  }
  void clearToBackground() { paper->drawRect(0, 0, 800, 600, BG_R / 255.0f, BG_G / 255.0f, BG_B / 255.0f, 1); }
  std::unique_ptr<KGraphicGL> load(const std::string &name, bool sized = true, bool useAlpha = true) {
    std::unique_ptr<KGraphicGL> g(new KGraphicGL());
    EXPECT_TRUE(g->loadPicture((dir() + "/" + name).c_str(), sized, useAlpha)) << name;
    return g;
  }
  // Quadrant centres of a w x h quadrant picture drawn upright at (x, y).
  void expectQuadrants(int x, int y, int w, int h, int tol = 2, bool halfAlphaBlended = false) {
    int qx = w / 4, qy = h / 4;
    EXPECT_TRUE(colourAt(x + qx, y + qy, 255, 0, 0, tol));
    EXPECT_TRUE(colourAt(x + w - 1 - qx, y + qy, 0, 255, 0, tol));
    EXPECT_TRUE(colourAt(x + qx, y + h - 1 - qy, 0, 0, 255, tol));
    if (halfAlphaBlended)
      EXPECT_TRUE(colourAt(x + w - 1 - qx, y + h - 1 - qy, (255 + BG_R) / 2, (255 + BG_G) / 2, (255 + BG_B) / 2, 3));
    else
      EXPECT_TRUE(colourAt(x + w - 1 - qx, y + h - 1 - qy, 255, 255, 255, tol));
    // Exact footprint: the corners are inside, the pixels beyond them are not.
    EXPECT_TRUE(colourAt(x, y, 255, 0, 0, tol));
    EXPECT_TRUE(isBackground(x - 1, y));
    EXPECT_TRUE(isBackground(x, y - 1));
    EXPECT_TRUE(isBackground(x + w, y + h - 1));
    EXPECT_TRUE(isBackground(x + w - 1, y + h));
  }
  std::unique_ptr<KGraphicGL> paper; // draws the background and primitives
};

TEST_F(KGraphicTest, PngJpegAndTgaLandWhereTheyAreBlitted) {
  auto png = load("quad16.png");
  EXPECT_EQ(16.0f, png->getWidth());
  EXPECT_EQ(16.0f, png->getHeight());
  png->blitRect(0, 0, 16, 16, 100, 50);
  expectQuadrants(100, 50, 16, 16);
  png->blitAlphaRect(0, 0, 16, 16, 140, 50);
  expectQuadrants(140, 50, 16, 16, 2, true);

  auto jpg = load("quad32.jpg");
  EXPECT_EQ(32.0f, jpg->getWidth());
  jpg->blitRect(0, 0, 32, 32, 200, 50);
  EXPECT_TRUE(colourAt(208, 58, 255, 0, 0, 40));
  EXPECT_TRUE(colourAt(224, 58, 0, 255, 0, 40));
  EXPECT_TRUE(colourAt(208, 74, 0, 0, 255, 40));
  EXPECT_TRUE(colourAt(224, 74, 255, 255, 255, 40));
  EXPECT_TRUE(isBackground(199, 50));
  EXPECT_TRUE(isBackground(232, 81));

  int x = 300;
  for (const char *name : {"quad16.tga", "quad16top.tga"}) {
    auto tga = load(name);
    EXPECT_EQ(16.0f, tga->getWidth()) << name;
    tga->blitAlphaRect(0, 0, 16, 16, (short)x, 50);
    expectQuadrants(x, 50, 16, 16, 2, true);
    x += 40;
  }
  auto rgb = load("quad16rgb.tga");
  rgb->blitAlphaRect(0, 0, 16, 16, (short)x, 50);
  expectQuadrants(x, 50, 16, 16);
}

TEST_F(KGraphicTest, StorageModesAllDrawTheSame) {
  std::vector<int> modes = {1, 3};
  const char *ext = (const char *)glGetString(GL_EXTENSIONS);
  if (ext && std::strstr(ext, "_texture_rectangle")) modes.push_back(2);
  EXPECT_EQ(3u, modes.size()) << "Mesa offers rectangle textures; they should be tested";
  int y = 20;
  for (int mode : modes) {
    KGLTexture::setTextureMode(mode);
    auto g = load("quad20x12.png");
    EXPECT_EQ(20.0f, g->getWidth());
    EXPECT_EQ(12.0f, g->getHeight());
    EXPECT_TRUE(g->texture().texelTiling);
    if (mode == 2) {
      EXPECT_EQ((unsigned)GL_TEXTURE_RECTANGLE_ARB, g->texture().target);
    } else {
      EXPECT_EQ((unsigned)GL_TEXTURE_2D, g->texture().target);
    }
    EXPECT_EQ(mode == 3 ? 32.0f : 20.0f, g->texture().textureWidth);
    EXPECT_EQ(mode == 3 ? 16.0f : 12.0f, g->texture().textureHeight);
    g->blitRect(0, 0, 20, 12, 100, (short)y);
    expectQuadrants(100, y, 20, 12);
    g->blitAlphaRectFx(0, 0, 20, 12, 150, (short)y, 0, 1, 1);
    expectQuadrants(150, y, 20, 12);
    g->blitAlphaRectF(10, 0, 20, 6, 200.0f, (float)y);
    EXPECT_TRUE(colourAt(205, y + 3, 0, 255, 0));
    y += 30;
  }

  // Square powers of two keep a plain texture of their own size; anything else its own size too.
  KGLTexture::setTextureMode(0);
  struct Size {
    long w, h;
    bool square;
  } sizes[] = {{4, 4, true}, {64, 64, true}, {256, 256, true}, {256, 128, false}, {2, 2, false}, {1, 1, false}};
  for (const Size &s : sizes) {
    std::vector<uint32_t> px((size_t)(s.w * s.h), 0xFFFFFFFFu);
    KGraphicGL g;
    ASSERT_TRUE(g.makePictureFromArray(px.data(), s.w, s.h, true, false));
    EXPECT_EQ((unsigned)GL_TEXTURE_2D, g.texture().target);
    EXPECT_EQ((float)s.w, g.texture().textureWidth);
    EXPECT_EQ((float)s.h, g.texture().textureHeight);
    EXPECT_EQ(!s.square, g.texture().texelTiling) << s.w << "x" << s.h;
  }
}

TEST_F(KGraphicTest, AlphaModesBlendAsTheirFactorsSay) {
  auto g = load("blend.png");
  const float s[3] = {200, 100, 50}, a = 128 / 255.0f, d[3] = {(float)BG_R, (float)BG_G, (float)BG_B};
  // Opaque drawing leaves destination alpha 1 (or there is no alpha plane, which reads as 1).
  for (long mode = 0; mode <= 4; ++mode) {
    g->setAlphaMode(mode);
    short x = (short)(100 + mode * 20);
    g->blitAlphaRect(0, 0, 8, 8, x, 100);
    float e[3];
    for (int i = 0; i < 3; ++i) {
      switch (mode) {
      case 0:
      case 4:
        e[i] = s[i] * a + d[i];
        break;
      case 1:
        e[i] = s[i] * a + d[i] * (1 - a);
        break;
      case 2:
        e[i] = s[i] + d[i] * (1 - a);
        break;
      default:
        e[i] = d[i] * (1 - a);
        break;
      }
      e[i] = std::min(255.0f, e[i]);
    }
    EXPECT_TRUE(colourAt(x + 4, 104, (int)std::lround(e[0]), (int)std::lround(e[1]), (int)std::lround(e[2]), 3))
        << "mode " << mode;
  }
  g->setAlphaMode(2);
  g->setAlphaMode(7);
  g->setAlphaMode(-1);
  EXPECT_EQ((unsigned short)GL_ONE, g->blitter().blendSource);
  EXPECT_EQ((unsigned short)GL_ONE_MINUS_SRC_ALPHA, g->blitter().blendDest);
  g->setAlphaMode((long)GL_ZERO, (long)GL_ONE);
  g->blitAlphaRect(0, 0, 8, 8, 300, 100);
  EXPECT_TRUE(isBackground(304, 104));

  // Alpha of a blended Fx blit multiplies the picture's own.
  g->setAlphaMode(1);
  g->blitAlphaRectFx(0, 0, 8, 8, 400, 100, 0, 1, 0.5f);
  float a2 = a * 0.5f;
  EXPECT_TRUE(colourAt(404, 104, (int)std::lround(200 * a2 + BG_R * (1 - a2)),
                       (int)std::lround(100 * a2 + BG_G * (1 - a2)), (int)std::lround(50 * a2 + BG_B * (1 - a2)), 3));
  // Zero or negative alpha and zero zoom draw nothing.
  g->blitAlphaRectFx(0, 0, 8, 8, 420, 100, 0, 1, 0);
  g->blitAlphaRectFx(0, 0, 8, 8, 440, 100, 0, 0, 1);
  g->blitRectFx(0, 0, 8, 8, 460, 100, 0, 0);
  EXPECT_TRUE(isBackground(424, 104));
  EXPECT_TRUE(isBackground(444, 104));
  EXPECT_TRUE(isBackground(464, 104));
}

TEST_F(KGraphicTest, ColourKeyMakesTheKeyTransparent) {
  const std::string path = dir() + "/keyed.png";
  KGraphicGL keyed;
  keyed.setColorKey(true, 255, 0, 255);
  ASSERT_TRUE(keyed.loadPicture(path.c_str(), true, true));
  keyed.blitAlphaRect(0, 0, 16, 16, 100, 100);
  EXPECT_TRUE(isBackground(103, 108));
  EXPECT_TRUE(colourAt(112, 108, 255, 255, 0));

  // Without alpha the key colour shows, opaque.
  KGraphicGL opaque;
  opaque.setColorKey(true, 255, 0, 255);
  ASSERT_TRUE(opaque.loadPicture(path.c_str(), true, false));
  opaque.blitAlphaRect(0, 0, 16, 16, 140, 100);
  EXPECT_TRUE(colourAt(143, 108, 255, 0, 255));

  KGraphicGL plain;
  ASSERT_TRUE(plain.loadPicture(path.c_str(), false, true));
  plain.blitAlphaRect(0, 0, 16, 16, 180, 100);
  EXPECT_TRUE(colourAt(183, 108, 255, 0, 255));

  // Arrays take the key on their red, green and blue bytes.
  uint32_t px[4] = {0xFFFF00FFu, 0xFF00FF00u, 0xFFFF00FFu, 0xFF00FF00u}; // memory order R,G,B,A
  KGraphicGL arr;
  arr.setColorKey(true, 255, 0, 255);
  ASSERT_TRUE(arr.makePictureFromArray(px, 2, 2, true, false));
  EXPECT_EQ(0u, px[0]);
  EXPECT_EQ(0xFF00FF00u, px[1]);
}

TEST_F(KGraphicTest, AngleZoomFlipsAndPivot) {
  auto g = load("quad16rgb.png");
  // A quarter turn counter-clockwise on screen about the centre.
  g->blitAlphaRectFx(0, 0, 16, 16, 200, 100, 90, 1, 1);
  EXPECT_TRUE(colourAt(204, 104, 0, 255, 0));
  EXPECT_TRUE(colourAt(211, 104, 255, 255, 255));
  EXPECT_TRUE(colourAt(211, 111, 0, 0, 255));
  EXPECT_TRUE(colourAt(204, 111, 255, 0, 0));
  EXPECT_TRUE(isBackground(199, 108));
  EXPECT_TRUE(isBackground(216, 108));

  // Zoom 2 about the centre doubles the footprint around it.
  g->blitAlphaRectFx(0, 0, 16, 16, 300, 100, 0, 2, 1);
  EXPECT_TRUE(colourAt(292, 92, 255, 0, 0));
  EXPECT_TRUE(colourAt(323, 123, 255, 255, 255));
  EXPECT_TRUE(colourAt(322, 93, 0, 255, 0));
  EXPECT_TRUE(isBackground(291, 92));
  EXPECT_TRUE(isBackground(324, 123));

  // Pivot at the top-left corner: a quarter turn swings the picture up above that corner.
  g->blitAlphaRectFx(0, 0, 16, 16, 400, 100, 90, 1, 1, false, false, -8, -8);
  EXPECT_TRUE(colourAt(403, 96, 255, 0, 0));
  EXPECT_TRUE(colourAt(403, 88, 0, 255, 0));
  EXPECT_TRUE(colourAt(412, 96, 0, 0, 255));
  EXPECT_TRUE(isBackground(403, 101));

  // Mirrors.
  g->blitRect(0, 0, 16, 16, 500, 100, true, false);
  EXPECT_TRUE(colourAt(503, 103, 0, 255, 0));
  EXPECT_TRUE(colourAt(512, 103, 255, 0, 0));
  g->blitRect(0, 0, 16, 16, 540, 100, false, true);
  EXPECT_TRUE(colourAt(543, 103, 0, 0, 255));
  g->blitAlphaRectFx(0, 0, 16, 16, 580, 100, 0, 1, 1, true, true);
  EXPECT_TRUE(colourAt(583, 103, 255, 255, 255));

  // The plain Fx blit always transforms; at angle 0 and zoom 1 it still lands in place.
  g->blitRectFx(0, 0, 16, 16, 100, 200, 0, 1);
  EXPECT_TRUE(colourAt(100, 200, 255, 0, 0));
  EXPECT_TRUE(colourAt(115, 215, 255, 255, 255));
  g->blitRectFx(0, 0, 16, 16, 140, 200, 180, 1);
  EXPECT_TRUE(colourAt(143, 203, 255, 255, 255));
  g->blitRectFxF(0, 0, 16, 16, 180.0f, 200.0f, 0, 1);
  EXPECT_TRUE(colourAt(180, 200, 255, 0, 0));
  g->blitAlphaRectFxF(0, 0, 16, 16, 220.0f, 200.0f, 90, 1, 1);
  EXPECT_TRUE(colourAt(224, 204, 0, 255, 0));
  // Pivot adjustment only along the axes asked for: without either, the pivot is the top-left.
  g->blitAlphaRectFxCenterAdjust(0, 0, 16, 16, 300, 200, 90, 1, 1, false, false);
  EXPECT_TRUE(colourAt(303, 196, 255, 0, 0));
  g->blitAlphaRectFxCenterAdjust(0, 0, 16, 16, 340, 200, 90, 1, 1, true, true);
  EXPECT_TRUE(colourAt(344, 204, 0, 255, 0));
}

TEST_F(KGraphicTest, TintSourceClipScissorAndFractionalWidths) {
  auto g = load("quad16rgb.png");
  g->setBlitColor(2, -1, 0.5f, 1);
  EXPECT_EQ(1.0f, g->blitter().blitRed);
  EXPECT_EQ(0.0f, g->blitter().blitGreen);
  EXPECT_EQ(0.5f, g->blitter().blitBlue);
  EXPECT_EQ(1.0f, g->blitter().blitAlpha);
  EXPECT_TRUE(g->blitter().blitColorSet);
  g->setBlitColor(1, 0, 0, 1);
  g->blitAlphaRect(8, 8, 16, 16, 100, 100); // the white quadrant, tinted red
  EXPECT_TRUE(colourAt(104, 104, 255, 0, 0));
  EXPECT_TRUE(isBackground(108, 104));
  g->setBlitColor(0, 1, 0, 1);
  g->blitAlphaRectFx(8, 8, 16, 16, 120, 100, 0, 1, 0.5f);
  EXPECT_TRUE(colourAt(124, 104, BG_R / 2, (255 + BG_G) / 2, BG_B / 2, 3));

  // A plain blit after a tinted one shows the picture's own colours, not the tint left behind.
  g->blitRect(8, 8, 16, 16, 140, 100);
  EXPECT_TRUE(colourAt(144, 104, 255, 255, 255));
  g->blitRectF(8, 8, 16, 16, 160.0f, 100.0f);
  EXPECT_TRUE(colourAt(164, 104, 255, 255, 255));
  g->setBlitColor(1, 1, 1, 1);

  // Source clip: only the green quadrant comes.
  g->blitRect(8, 0, 16, 8, 200, 100);
  EXPECT_TRUE(colourAt(200, 100, 0, 255, 0));
  EXPECT_TRUE(colourAt(207, 107, 0, 255, 0));
  EXPECT_TRUE(isBackground(208, 104));
  EXPECT_TRUE(isBackground(204, 108));

  // Screen clip through the window's scissor.
  window()->setClipping(300, 100, 308, 108);
  g->blitRect(0, 0, 16, 16, 300, 100);
  window()->clearClipping();
  EXPECT_TRUE(colourAt(303, 103, 255, 0, 0));
  EXPECT_TRUE(isBackground(309, 103));
  EXPECT_TRUE(isBackground(303, 109));

  // A fractional width truncates for integer blits and not for float blits.
  g->blitRect(0, 0, 10.7f, 4, 400, 100);
  EXPECT_TRUE(isBackground(410, 101));
  g->blitRectF(0, 0, 10.7f, 4, 400.0f, 110.0f);
  EXPECT_TRUE(colourAt(410, 111, 0, 255, 0));
}

TEST_F(KGraphicTest, StretchQuadTiledAndWholePicture) {
  auto g = load("quad16rgb.png");
  g->stretchAlphaRect(0, 0, 16, 16, 100, 100, 164, 132);
  EXPECT_TRUE(colourAt(110, 105, 255, 0, 0));
  EXPECT_TRUE(colourAt(150, 105, 0, 255, 0));
  EXPECT_TRUE(colourAt(110, 125, 0, 0, 255));
  EXPECT_TRUE(colourAt(163, 131, 255, 255, 255));
  EXPECT_TRUE(isBackground(164, 131));
  // Negative alpha draws opaque, as alpha 1 does; a fraction blends.
  g->stretchAlphaRect(0, 0, 16, 16, 200, 100, 216, 116, -0.5f);
  EXPECT_TRUE(colourAt(203, 103, 255, 0, 0));
  g->stretchAlphaRect(0, 0, 16, 16, 240, 100, 256, 116, 0.5f);
  EXPECT_TRUE(colourAt(243, 103, (255 + BG_R) / 2, BG_G / 2, BG_B / 2, 3));
  // A half turn about the rectangle's centre.
  g->stretchAlphaRect(0, 0, 16, 16, 300, 100, 332, 132, 1, 180);
  EXPECT_TRUE(colourAt(305, 105, 255, 255, 255));
  EXPECT_TRUE(colourAt(326, 126, 255, 0, 0));

  // Arbitrary quad: the whole picture onto a 32 x 16 screen rectangle, corners in order.
  g->blitArbitraryQuad(0, 0, 16, 0, 16, 16, 0, 16, 400, 100, 432, 100, 432, 116, 400, 116);
  EXPECT_TRUE(colourAt(404, 103, 255, 0, 0));
  EXPECT_TRUE(colourAt(428, 103, 0, 255, 0));
  EXPECT_TRUE(colourAt(428, 113, 255, 255, 255));

  // Tiled with wrap: two repeats across and down, each turned by half a turn.
  g->allowTextureWrap(true);
  g->blitTiledRect(100, 200, 32, 32, 2, 0);
  EXPECT_TRUE(colourAt(102, 202, 255, 255, 255));
  EXPECT_TRUE(colourAt(113, 213, 255, 0, 0));
  EXPECT_TRUE(colourAt(118, 218, 255, 255, 255));
  EXPECT_TRUE(colourAt(129, 229, 255, 0, 0));
  g->allowTextureWrap(false);

  // The whole picture at its own position (0, 0 for these files).
  g->blitAlphaRect();
  EXPECT_TRUE(colourAt(0, 0, 255, 0, 0));
  EXPECT_TRUE(colourAt(15, 15, 255, 255, 255));
}

TEST_F(KGraphicTest, RectanglesLinesAndPoints) {
  auto g = load("quad16rgb.png");
  KGraphicGL &p = *paper;
  p.setAlphaMode(4);
  p.drawRect(100, 100, 120, 110, 1, 0, 0, 1); // opaque whatever the mode
  EXPECT_TRUE(colourAt(100, 100, 255, 0, 0));
  EXPECT_TRUE(colourAt(119, 109, 255, 0, 0));
  EXPECT_TRUE(isBackground(120, 105));
  EXPECT_TRUE(isBackground(110, 110));
  EXPECT_TRUE(isBackground(99, 105));
  p.drawRect(130, 100, 150, 110, 0.4f, 0.4f, 0.4f, 0.999f); // blends with the additive mode
  EXPECT_TRUE(colourAt(140, 105, BG_R + 102, BG_G + 102, 255, 3));
  p.setAlphaMode(1);
  p.drawRect(160, 100, 180, 110, 1, 1, 1, 0.5f);
  EXPECT_TRUE(colourAt(170, 105, (255 + BG_R) / 2, (255 + BG_G) / 2, (255 + BG_B) / 2, 3));
  EXPECT_EQ(-1, KGLTexture::_oldBindedText);

  // A blit after a rectangle finds its texture bound again.
  g->blitRect(0, 0, 16, 16, 200, 100);
  EXPECT_TRUE(colourAt(203, 103, 255, 0, 0));

  // A horizontal line lights one row at its y (rasterisers may pick the row either side).
  p.drawLine(300, 150, 400, 150, 0, 1, 0, 1);
  bool row149 = colourAt(350, 149, 0, 255, 0), row150 = colourAt(350, 150, 0, 255, 0);
  EXPECT_TRUE(row149 || row150);
  EXPECT_TRUE(isBackground(350, 147));
  EXPECT_TRUE(isBackground(350, 152));
  EXPECT_TRUE(isBackground(420, row150 ? 150 : 149));
  p.drawLine(500, 100, 500, 200, 1, 1, 0, 1);
  EXPECT_TRUE(colourAt(500, 150, 255, 255, 0) || colourAt(499, 150, 255, 255, 0));
  p.plotPixel(600, 150, 1, 0, 1, 1);
  int lit = 0;
  for (int dy = -1; dy <= 1; ++dy)
    for (int dx = -1; dx <= 2; ++dx)
      if (colourAt(600 + dx, 150 + dy, 255, 0, 255)) ++lit;
  EXPECT_GE(lit, 1);
  EXPECT_LE(lit, 2);
}

TEST_F(KGraphicTest, ArraysPollingAndScreenCopies) {
  // Memory order R, G, B, A for each element.
  uint32_t px[6] = {0xFF0000FFu, 0xFF00FF00u, 0xFFFF0000u, 0xFFFFFFFFu, 0xFF000000u, 0xFF00FFFFu};
  KGraphicGL arr;
  ASSERT_TRUE(arr.makePictureFromArray(px, 3, 2, true, false));
  EXPECT_EQ(3.0f, arr.getWidth());
  EXPECT_TRUE(arr.texture().quality);
  arr.setTextureQuality(false);
  arr.blitRect(0, 0, 3, 2, 100, 100);
  EXPECT_TRUE(colourAt(100, 100, 255, 0, 0));
  EXPECT_TRUE(colourAt(101, 100, 0, 255, 0));
  EXPECT_TRUE(colourAt(102, 100, 0, 0, 255));
  EXPECT_TRUE(colourAt(100, 101, 255, 255, 255));
  EXPECT_TRUE(colourAt(101, 101, 0, 0, 0));
  EXPECT_TRUE(colourAt(102, 101, 255, 255, 0));
  px[0] = 0xFF00FFFFu;
  arr.pollArray();
  arr.blitRect(0, 0, 3, 2, 110, 100);
  EXPECT_TRUE(colourAt(110, 100, 255, 255, 0));

  uint32_t swapped[1] = {0xFF0000FFu};
  KGraphicGL sw;
  ASSERT_TRUE(sw.makePictureFromArray(swapped, 1, 1, false, true));
  EXPECT_EQ(0xFF0000FFu, swapped[0]);
  uint32_t rev[1] = {0x0000FFFFu}; // reversed: bytes FF FF 00 00 -> after the swap 00 00 FF FF
  KGraphicGL sw2;
  sw2.setTextureQuality(false);
  ASSERT_TRUE(sw2.makePictureFromArray(rev, 1, 1, false, true));
  EXPECT_EQ(0xFFFF0000u, rev[0]);
  sw2.blitRect(0, 0, 1, 1, 120, 100);
  EXPECT_TRUE(colourAt(120, 100, 0, 0, 255));
  EXPECT_FALSE(arr.makePictureFromArray(nullptr, 3, 2, true, false));
  KGraphicGL none;
  EXPECT_FALSE(none.makePictureFromArray(px, 0, 2, true, false));

  // Back-buffer copy, top row first, redrawn elsewhere after the screen is cleared.
  auto g = load("quad16rgb.png");
  g->blitRect(0, 0, 16, 16, 300, 300);
  KGraphicGL grab;
  ASSERT_TRUE(grab.grabBackBuffer(nullptr));
  EXPECT_EQ(800.0f, grab.getWidth());
  EXPECT_EQ(600.0f, grab.getHeight());
  clearToBackground();
  grab.blitRect(300, 300, 316, 316, 500, 400);
  expectQuadrants(500, 400, 16, 16);
  KGraphicGL inverted;
  ASSERT_TRUE(inverted.grabBackBuffer([](long, long, long *r, long *g, long *b) {
    *r = 255 - *r;
    *g = 255 - *g;
    *b = 255 - *b;
  }));
  inverted.blitRect(490, 395, 520, 420, 100, 400);
  EXPECT_TRUE(colourAt(111, 406, 0, 255, 255));
  EXPECT_TRUE(colourAt(100, 400, 255 - BG_R, 255 - BG_G, 255 - BG_B));
  KGraphicGL front;
  EXPECT_TRUE(front.grabFrontBuffer());
  EXPECT_EQ(800.0f, front.getWidth());
}

// Whole pixels blitted at their own size are filtered with nearest, which must draw exactly what
// linear filtering draws there; scaled, sub-pixel and zoomed-view blits must still blend.
TEST_F(KGraphicTest, OneToOneBlitsLookTheSameWithEitherFilter) {
  const int w = 37, h = 23;
  std::vector<uint32_t> px((size_t)(w * h));
  uint32_t seed = 12345u;
  for (uint32_t &p : px) {
    seed = seed * 1664525u + 1013904223u;
    p = (seed >> 8) | 0xFF000000u;
  }
  KGraphicGL g;
  ASSERT_TRUE(g.makePictureFromArray(px.data(), w, h, true, false));
  ASSERT_TRUE(g.texture().quality);
  auto grab = [](int x, int y, int gw, int gh) {
    std::vector<unsigned char> out((size_t)(gw * gh * 4));
    EXPECT_TRUE(window()->readPixels(x, y, gw, gh, out.data()));
    return out;
  };
  g.blitAlphaRectF(0, 0, w, h, 100.0f, 100.0f); // linear, at whole positions
  g.blitAlphaRect(0, 0, w, h, 200, 100);
  g.blitRect(0, 0, w, h, 300, 100);
  EXPECT_EQ(grab(100, 100, w, h), grab(200, 100, w, h));
  EXPECT_EQ(grab(100, 100, w, h), grab(300, 100, w, h));
  g.blitAlphaRectF(5, 3, 30, 20, 100.0f, 200.0f, true, false);
  g.blitAlphaRectFx(5, 3, 30, 20, 200, 200, 0, 1, 1, true, false);
  EXPECT_EQ(grab(100, 200, 25, 17), grab(200, 200, 25, 17));

  // Black beside white: a blending filter shows greys in between.
  uint32_t pair[2] = {0xFF000000u, 0xFFFFFFFFu};
  KGraphicGL bw;
  ASSERT_TRUE(bw.makePictureFromArray(pair, 2, 1, true, false));
  auto greys = [](int x, int y, int span) {
    int count = 0;
    for (int i = 0; i < span; ++i) {
      uint32_t c = pixel(x + i, y);
      int red = (int)(c >> 24), green = (int)((c >> 16) & 0xFF), blue = (int)((c >> 8) & 0xFF);
      if (red > 20 && red < 235 && std::abs(red - green) <= 2 && std::abs(green - blue) <= 2) ++count;
    }
    return count;
  };
  bw.blitAlphaRectFx(0, 0, 2, 1, 100, 300, 0, 8, 1);
  EXPECT_GT(greys(90, 304, 24), 0) << "zoomed";
  bw.blitAlphaRect(0.5f, 0, 2, 1, 100, 320);
  EXPECT_GT(greys(100, 320, 1), 0) << "sub-pixel source";
  window()->setWorldView(0, 0, 0, 4, false);
  bw.blitAlphaRect(0, 0, 2, 1, 400, 300);
  window()->setWorldView(0, 0, 0, 1, false);
  EXPECT_GT(greys(396, 301, 16), 0) << "zoomed view";
}

// A sparse sheet given its frames keeps only them (cut to what shows) yet draws every blit of a
// frame - plain, flipped, clipped, turned, zoomed, faded - as the whole sheet does.
TEST_F(KGraphicTest, ASheetKeptAsItsFramesDrawsAsTheWholeSheet) {
  const std::vector<KRegion> frames = {{0, 0, 40, 60}, {100, 120, 40, 60}, {200, 10, 40, 60}, {60, 180, 40, 60}};
  // A figure with soft edges inside each of the first three frames; the fourth shows nothing.
  savePng(dir() + "/sheet.png", 256, 256, true, [&](int x, int y) -> uint32_t {
    for (size_t i = 0; i < 3; ++i) {
      const KRegion &f = frames[i];
      int dx = x - f.x - 20, dy = y - f.y - 30;
      if (std::abs(dx) > 12 || std::abs(dy) > 22) continue;
      uint32_t a = std::abs(dx) == 12 || std::abs(dy) == 22 ? 0x60 : 0xFF;
      return (uint32_t)((x * 7) & 0xFF) << 24 | (uint32_t)((y * 5) & 0xFF) << 16 | (uint32_t)(i * 90) << 8 | a;
    }
    return 0xFF00FF00u; // magenta, fully transparent: no blit may show it
  });
  auto whole = load("sheet.png");
  std::unique_ptr<KGraphicGL> kept(new KGraphicGL());
  kept->setRegions(frames);
  ASSERT_TRUE(kept->loadPicture((dir() + "/sheet.png").c_str(), true, true));
  EXPECT_TRUE(kept->texture().packed);
  EXPECT_LT(kept->texture().textureWidth * kept->texture().textureHeight, 256.0f * 256.0f / 4);
  auto grab = [](int x, int y) {
    std::vector<unsigned char> out(120 * 120 * 4);
    EXPECT_TRUE(window()->readPixels(x, y, 120, 120, out.data()));
    return out;
  };
  int drawn = 0;
  for (const KRegion &f : frames)
    for (int way = 0; way < 5; ++way) {
      clearToBackground();
      for (KGraphicGL *g : {whole.get(), kept.get()}) {
        short x = g == whole.get() ? 40 : 440, y = 200;
        float x1 = (float)f.x, y1 = (float)f.y, x2 = (float)(f.x + f.w), y2 = (float)(f.y + f.h);
        if (way == 0) g->blitAlphaRect(x1, y1, x2, y2, x, y);
        if (way == 1) g->blitAlphaRect(x1, y1, x2, y2, x, y, true, true);
        if (way == 2) g->blitAlphaRect(x1 + 5, y1 + 10, x2 - 3, y2 - 20, x, y);
        if (way == 3) g->blitAlphaRectFx(x1, y1, x2, y2, x, y, 30.0f, 1.6f, 0.7f);
        if (way == 4) g->blitAlphaRectFx(x1, y1, x2, y2, x, y, 0.0f, 0.8f, 1.0f, true, false);
      }
      EXPECT_EQ(grab(0, 170), grab(400, 170)) << "frame at " << f.x << "," << f.y << ", way " << way;
      ++drawn;
    }
  EXPECT_EQ(drawn, 20);
}

TEST_F(KGraphicTest, MaskAlphaAndMixedCasePaths) {
  KGraphicGL m;
  ASSERT_TRUE(m.loadPictureWithMask((dir() + "/quad16rgb.png").c_str(), (dir() + "/mask16.png").c_str(), true));
  m.blitAlphaRect(0, 0, 16, 16, 100, 100);
  EXPECT_TRUE(colourAt(103, 103, 255, 0, 0));
  EXPECT_TRUE(isBackground(112, 103));
  EXPECT_TRUE(isBackground(112, 112));
  EXPECT_EQ(nullptr, m.mask);

  // A mask of another size is ignored: the picture keeps its own alpha.
  KGraphicGL wrong;
  ASSERT_TRUE(wrong.loadPictureWithMask((dir() + "/quad16rgb.png").c_str(), (dir() + "/mask8.png").c_str(), true));
  wrong.blitAlphaRect(0, 0, 16, 16, 140, 100);
  expectQuadrants(140, 100, 16, 16);
  KGraphicGL noPicture;
  EXPECT_FALSE(noPicture.loadPictureWithMask((dir() + "/missing.png").c_str(), (dir() + "/mask16.png").c_str(), true));
  EXPECT_EQ(0.0f, noPicture.getWidth());

  std::string app = dir() + "/App";
  const std::string savedFolder = KMiscTools::currentFilePath;
  KMiscTools::setApplicationFolder(app.c_str());
  std::string name = app + "/Data/GFX/CasePic.PNG";
  const std::string before = name;
  KGraphicGL c;
  ASSERT_TRUE(c.loadPicture(name.c_str(), true, true));
  EXPECT_EQ(before, name);
  c.blitAlphaRect(0, 0, 16, 16, 200, 100);
  KMiscTools::setApplicationFolder(savedFolder.c_str());
  expectQuadrants(200, 100, 16, 16, 2, true);

  // From memory: the name picks the decoder, and other names are decoded by content.
  std::vector<unsigned char> png = readAll(dir() + "/quad16.png");
  KGraphicGL mem;
  ASSERT_TRUE(mem.loadPictureFromPtr("inmemory.jpeg", png.data(), png.size(), true, true));
  EXPECT_EQ(16.0f, mem.getWidth());
  KGraphicGL wrongType;
  EXPECT_FALSE(wrongType.loadPictureFromPtr("named.jpg", png.data(), png.size(), true, true));
}

TEST_F(KGraphicTest, BrokenPicturesFailWithoutHarmAndAreNamedToThePlayer) {
  const bool locked = overrideModes(false) && !std::ifstream(dir() + "/locked.png");
  if (!locked) std::printf("locked.png left out: this root cannot be kept from reading it\n");
  for (const char *name : {"garbage.png", "garbage.jpg", "garbage.tga", "garbage.bin", "truncated.png",
                           "truncated.jpg", "cutshort.jpg", "truncated.tga", "hollow.tga", "empty.png",
                           "missing.png", "fifo.png", locked ? "locked.png" : "missing.png"}) {
    KGraphicGL g;
    EXPECT_FALSE(g.loadPicture((dir() + "/" + name).c_str(), true, true)) << name;
    EXPECT_EQ(0.0f, g.getWidth()) << name;
    EXPECT_EQ(0.0f, g.getHeight()) << name;
    g.freePicture();
  }
  overrideModes(true);
  std::vector<unsigned char> junk = readAll(dir() + "/garbage.bin");
  KGraphicGL mem;
  EXPECT_FALSE(mem.loadPictureFromPtr("junk.png", junk.data(), junk.size(), true, true));
  EXPECT_FALSE(mem.loadPictureFromPtr("junk", junk.data(), junk.size(), true, true));
  EXPECT_FALSE(mem.loadPictureFromPtr("junk.png", nullptr, 10, true, true));
  std::string longPath = dir() + "/" + std::string(300, 'a') + ".png";
  EXPECT_FALSE(mem.loadPicture(longPath.c_str(), true, true));

  // A failed reload leaves the picture empty, not the old one half alive.
  KGraphicGL g;
  ASSERT_TRUE(g.loadPicture((dir() + "/quad16.png").c_str(), true, true));
  EXPECT_FALSE(g.loadPicture((dir() + "/truncated.png").c_str(), true, true));
  EXPECT_EQ(0.0f, g.getWidth());

  // Each file that is there but cannot be decoded whole, an empty one too, is named once, with why.
  ASSERT_EQ(messages().size(), locked ? 12u : 11u);
  EXPECT_NE(messages()[10].find("/fifo.png\n(it is not a plain file)"), std::string::npos) << messages()[10];
  EXPECT_TRUE(!locked || messages()[11].find("/locked.png\n(no permission to read it)") != std::string::npos);
  for (const std::string &m : messages())
    EXPECT_EQ(m.compare(0, 34 + dir().size(), "A picture of the game is damaged:\n" + dir()), 0) << m;
  EXPECT_NE(messages()[6].find("/cutshort.jpg\n(JPEG data cut short)"), std::string::npos) << messages()[6];
  EXPECT_NE(messages()[6].find("|Tobrulant: a damaged picture"), std::string::npos) << messages()[6];
  messages().clear();

  // A picture made before the screen size is known warns once through the message box.
  short saved = KGLTexture::screenWidth;
  KGLTexture::screenWidth = 0;
  { KGraphicGL early; }
  KGLTexture::screenWidth = saved;
  ASSERT_EQ(1u, messages().size());
  EXPECT_EQ("Screen Dimensions not specified, you will not see anything|KGraphicGL::SetScreenSize Not Called!",
            messages()[0]);
}

TEST_F(KGraphicTest, PicturesTooLargeOrOfOtherFormatsAreRefusedUnread) {
  const std::string d = dir();
  auto grey = [](int, int) { return 0x808080FFu; };
  savePng(d + "/wide.png", 4097, 1, false, grey);
  saveJpg(d + "/tall.jpg", 8, 4097, grey);
  saveTga(d + "/wide.tga", 4097, 1, 24, false, grey);
  savePng(d + "/edge.png", 4096, 2, false, grey);
  for (const char *name : {"wide.png", "tall.jpg", "wide.tga"}) {
    KGraphicGL g;
    EXPECT_FALSE(g.loadPicture((d + "/" + name).c_str(), true, true)) << name;
    EXPECT_EQ(0.0f, g.getWidth()) << name;
  }
  // Named by content only, and handed over from memory.
  std::vector<unsigned char> wide = readAll(d + "/wide.png"), tall = readAll(d + "/tall.jpg");
  KGraphicGL mem;
  EXPECT_FALSE(mem.loadPictureFromPtr("wide", wide.data(), wide.size(), true, true));
  EXPECT_FALSE(mem.loadPictureFromPtr("tall.jpeg", tall.data(), tall.size(), true, true));

  // A JPEG header promising 30000 x 30000 pixels over a few bytes is refused before any decoding.
  std::vector<unsigned char> huge = readAll(d + "/quad32.jpg");
  for (size_t i = 2; i + 8 < huge.size(); ++i)
    if (huge[i] == 0xFF && huge[i + 1] == 0xC0) {
      huge[i + 5] = huge[i + 7] = 0x75;
      huge[i + 6] = huge[i + 8] = 0x30;
      break;
    }
  huge.resize(632);
  EXPECT_FALSE(mem.loadPictureFromPtr("huge.jpg", huge.data(), huge.size(), true, true));

  auto edge = load("edge.png");
  EXPECT_EQ(4096.0f, edge->getWidth());

  // A format the game does not ship is refused by its content, whatever its name; a BMP is read.
  const std::string pnm = "P6\n2 2\n255\n" + std::string(12, '\x7f');
  writeAll(d + "/other.bmp", std::vector<unsigned char>(pnm.begin(), pnm.end()));
  testing::internal::CaptureStderr();
  KGraphicGL other;
  EXPECT_FALSE(other.loadPicture((d + "/other.bmp").c_str(), true, true));
  EXPECT_FALSE(mem.loadPictureFromPtr("other", (unsigned char *)&pnm[0], pnm.size(), true, true));
  const std::string err = testing::internal::GetCapturedStderr();
  EXPECT_NE(err.find("other.bmp\n(not a PNG, JPEG, TGA or BMP picture)"), std::string::npos) << err;
  SDL_Surface *bmp = SDL_CreateRGBSurfaceWithFormat(0, 3, 2, 32, SDL_PIXELFORMAT_ARGB8888);
  ASSERT_EQ(SDL_SaveBMP(bmp, (d + "/real.bmp").c_str()), 0);
  SDL_FreeSurface(bmp);
  EXPECT_EQ(3.0f, load("real.bmp")->getWidth());
}

TEST_F(KGraphicTest, BatchForwardsToItsPicture) {
  KBatch batch;
  EXPECT_TRUE(batch.allocateBuffer(100));
  batch.blitAlphaRect(0, 0, 8, 8, 100, 100); // never attached: dropped
  batch.blitAlphaRectFx(0, 0, 8, 8, 100, 100, 0, 1, 1);
  EXPECT_TRUE(isBackground(104, 104));

  auto g = load("quad16rgb.png");
  batch.beginBatch(g.get());
  batch.beginBatch(nullptr);
  EXPECT_EQ(g.get(), batch.getPicture());
  batch.blitAlphaRect(8, 0, 16, 8, 100.9f, 100.9f);
  batch.blitAlphaRectFx(0, 8, 8, 16, 120, 100, 0, 2, 1);
  batch.drawRect(0, 0, 800, 600, 1, 1, 1, 1);
  batch.endBatch();
  EXPECT_TRUE(colourAt(100, 100, 0, 255, 0));
  EXPECT_TRUE(isBackground(108, 104));
  EXPECT_TRUE(colourAt(117, 97, 0, 0, 255));
  EXPECT_TRUE(colourAt(130, 110, 0, 0, 255));
}

TEST_F(KGraphicTest, SceneScreenshot) {
  auto png = load("quad16.png");
  auto jpg = load("quad32.jpg");
  auto tga = load("quad16.tga");
  KGraphicGL keyed;
  keyed.setColorKey(true, 255, 0, 255);
  ASSERT_TRUE(keyed.loadPicture((dir() + "/keyed.png").c_str(), true, true));
  paper->drawRect(20, 20, 780, 580, 0.1f, 0.1f, 0.1f, 0.5f);
  for (int i = 0; i < 8; ++i) png->blitAlphaRectFx(0, 0, 16, 16, (short)(60 + i * 80), 80, i * 45.0f, 1 + i * 0.5f, 1);
  jpg->stretchAlphaRect(0, 0, 32, 32, 60, 200, 260, 400, 1, 15);
  tga->setBlitColor(1, 0.5f, 0.2f, 1);
  tga->blitAlphaRectFx(0, 0, 16, 16, 400, 280, 0, 6, 1);
  tga->setBlitColor(1, 1, 1, 1);
  keyed.blitAlphaRectFx(0, 0, 16, 16, 600, 280, 30, 5, 1);
  paper->drawLine(40, 500, 760, 500, 1, 1, 0, 1);
  paper->drawRect(40, 520, 200, 560, 1, 0, 0, 1);
  paper->drawRect(120, 530, 300, 570, 0, 1, 0, 0.5f);
  EXPECT_TRUE(colourAt(50, 540, 255, 0, 0));
  std::string shot = std::string(TOB_BINARY_DIR) + "/kgraphic_scene.png";
  EXPECT_TRUE(savePNG(shot.c_str()));
  struct stat st;
  EXPECT_EQ(0, stat(shot.c_str(), &st));
}

} // namespace
