#pragma once
#include <string>
#include <vector>

#include "engine/KGraphic.h"

// A picture that records what the media layer asks of it, so surface and sprite tests can check
// the blits without a GL context.
struct PictureCall {
  std::string op;
  float x1 = 0, y1 = 0, x2 = 0, y2 = 0;
  int x = 0, y = 0;
  float angle = 0, zoom = 1, alpha = 1;
  float r = 1, g = 1, b = 1, a = 1;
  long mode = 0;
};

class FakePicture : public KGraphic {
public:
  // Every picture made through make() records into this one list, in call order.
  static std::vector<PictureCall> &calls() {
    static std::vector<PictureCall> list;
    return list;
  }
  static int &created() {
    static int n = 0;
    return n;
  }
  static bool &loadSucceeds() {
    static bool ok = true;
    return ok;
  }
  static KGraphic *make() {
    ++created();
    return new FakePicture();
  }
  static void clear() {
    calls().clear();
    created() = 0;
    loadSucceeds() = true;
  }
  static std::vector<PictureCall> blits() {
    std::vector<PictureCall> out;
    for (const PictureCall &c : calls())
      if (c.op.compare(0, 4, "blit") == 0) out.push_back(c);
    return out;
  }

  bool loadPictureWithMask(const char *, const char *, bool) override { return false; }
  bool loadPictureFromPtr(const char *, unsigned char *, unsigned long, bool, bool) override { return false; }
  bool loadPicture(const char *path, bool sizedFormat, bool useAlpha) override {
    PictureCall c;
    c.op = std::string("load ") + path + (sizedFormat ? " sized" : " plain") + (useAlpha ? " alpha" : " opaque");
    calls().push_back(c);
    return loadSucceeds();
  }
  void freePicture() override {}
  float getWidth() override { return 0; }
  float getHeight() override { return 0; }
  void setTextureQuality(bool linear) override { calls().push_back(named(linear ? "quality linear" : "quality")); }
  void drawRect(float, float, float, float, float, float, float, float) override {}
  void drawLine(float, float, float, float, float, float, float, float) override {}
  void plotPixel(float, float, float, float, float, float) override {}
  void blitRect(float x1, float y1, float x2, float y2, short x, short y, bool, bool) override {
    calls().push_back(blit("blitRect", x1, y1, x2, y2, x, y, 0, 1, 1));
  }
  void blitRectFx(float x1, float y1, float x2, float y2, short x, short y, float angle, float zoom, bool, bool,
                  float, float) override {
    calls().push_back(blit("blitRectFx", x1, y1, x2, y2, x, y, angle, zoom, 1));
  }
  void blitAlphaRect(float x1, float y1, float x2, float y2, short x, short y, bool, bool) override {
    calls().push_back(blit("blitAlphaRect", x1, y1, x2, y2, x, y, 0, 1, 1));
  }
  void blitAlphaRectFx(float x1, float y1, float x2, float y2, short x, short y, float angle, float zoom, float alpha,
                       bool, bool, float, float) override {
    calls().push_back(blit("blitAlphaRectFx", x1, y1, x2, y2, x, y, angle, zoom, alpha));
  }
  void blitTiledRect(short, short, short, short, float, float) override {}
  void blitArbitraryQuad(float, float, float, float, float, float, float, float, float, float, float, float, float,
                         float, float, float) override {}
  void blitRectF(float, float, float, float, float, float, bool, bool) override {}
  void blitRectFxF(float, float, float, float, float, float, float, float, bool, bool, float, float) override {}
  void blitAlphaRectF(float, float, float, float, float, float, bool, bool) override {}
  void blitAlphaRectFxF(float, float, float, float, float, float, float, float, float, bool, bool, float,
                        float) override {}
  void setAlphaMode(long mode) override {
    PictureCall c = named("alphaMode");
    c.mode = mode;
    calls().push_back(c);
  }
  void setAlphaMode(long, long) override {}
  void stretchAlphaRect(float, float, float, float, float, float, float, float, float, float, bool, bool) override {}
  bool grabBackBuffer(void (*)(long, long, long *, long *, long *)) override { return false; }
  bool grabFrontBuffer() override { return false; }
  void setColorKey(bool, unsigned char, unsigned char, unsigned char) override {}
  void allowTextureWrap(bool) override {}
  void setBlitColor(float r, float g, float b, float a) override {
    PictureCall c = named("color");
    c.r = r;
    c.g = g;
    c.b = b;
    c.a = a;
    calls().push_back(c);
  }
  bool makePictureFromArray(uint32_t *, long, long, bool, bool) override { return false; }
  void pollArray() override {}
  void selectTexture() override {}
  void setHotSpot(short, short, short, short, short, short) override {}

private:
  static PictureCall named(const char *op) {
    PictureCall c;
    c.op = op;
    return c;
  }
  static PictureCall blit(const char *op, float x1, float y1, float x2, float y2, short x, short y, float angle,
                          float zoom, float alpha) {
    PictureCall c = named(op);
    c.x1 = x1;
    c.y1 = y1;
    c.x2 = x2;
    c.y2 = y2;
    c.x = x;
    c.y = y;
    c.angle = angle;
    c.zoom = zoom;
    c.alpha = alpha;
    return c;
  }
};
