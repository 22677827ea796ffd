#pragma once
#include "engine/KGLTexture.h"

struct KDrawQuad;

// A picture's drawing: every blit, stretch and primitive becomes a quad in the window's draw
// list (KDrawList), with the blend, colour and transform it asks for, moved into a packed
// texture where the texture keeps its part. It draws from the texture it is given.
class KGLBlitter {
public:
  explicit KGLBlitter(KGLTexture &texture);
  KGLBlitter(const KGLBlitter &) = delete;
  KGLBlitter &operator=(const KGLBlitter &) = delete;

  void drawRect(float x1, float y1, float x2, float y2, float red, float green, float blue, float alpha);
  void drawLine(float x1, float y1, float x2, float y2, float red, float green, float blue, float alpha);
  void plotPixel(float x, float y, float red, float green, float blue, float alpha);

  void blitRect(float x1, float y1, float x2, float y2, short x, short y, bool flipH = false,
                bool flipV = false);
  void blitRectFx(float x1, float y1, float x2, float y2, short x, short y, float angle, float zoom,
                  bool flipH = false, bool flipV = false, float centreX = 0, float centreY = 0);
  void blitAlphaRect(float x1, float y1, float x2, float y2, short x, short y, bool flipH = false,
                     bool flipV = false);
  void blitAlphaRectFx(float x1, float y1, float x2, float y2, short x, short y, float angle, float zoom,
                       float alpha, bool flipH = false, bool flipV = false, float centreX = 0,
                       float centreY = 0);
  void blitTiledRect(short x, short y, short w, short h, float repeat, float angle);
  void blitArbitraryQuad(float s1, float s2, float s3, float s4, float s5, float s6, float s7, float s8, float d1,
                         float d2, float d3, float d4, float d5, float d6, float d7, float d8);
  void blitRectF(float x1, float y1, float x2, float y2, float x, float y, bool flipH = false,
                 bool flipV = false);
  void blitRectFxF(float x1, float y1, float x2, float y2, float x, float y, float angle, float zoom,
                   bool flipH = false, bool flipV = false, float centreX = 0, float centreY = 0);
  void blitAlphaRectF(float x1, float y1, float x2, float y2, float x, float y, bool flipH = false,
                      bool flipV = false);
  void blitAlphaRectFxF(float x1, float y1, float x2, float y2, float x, float y, float angle, float zoom,
                        float alpha, bool flipH = false, bool flipV = false, float centreX = 0,
                        float centreY = 0);
  void setAlphaMode(long mode);
  void setAlphaMode(long source, long destination);
  void stretchAlphaRect(float x1, float y1, float x2, float y2, float X1, float Y1, float X2, float Y2,
                        float alpha = 1, float angle = 0, bool flipH = false, bool flipV = false);
  void setBlitColor(float red, float green, float blue, float alpha);

  // The whole picture at its own position (the header origin of the loaded image).
  void blitAlphaRect();
  void blitAlphaRectFxCenterAdjust(float x1, float y1, float x2, float y2, short x, short y, float angle, float zoom,
                                   float alpha, bool centreH, bool centreV);
  void blitFromBackToBack(short a, short b, short c, short d, short e, short f);

  // `transformed`: the quad is turned or scaled about its point.
  void GenericBlit(KDrawQuad &q, float x1, float y1, float x2, float y2, short x, short y, bool flipH, bool flipV,
                   bool transformed);
  void GenericBlitF(KDrawQuad &q, float x1, float y1, float x2, float y2, float x, float y, bool flipH, bool flipV);
  void texturedQuad(KDrawQuad &q, float x1, float y1, float x2, float y2, float x, float y, float w, float h,
                    bool flipH, bool flipV);
  void genericStretchBlit(KDrawQuad &q, float x1, float y1, float x2, float y2, float X1, float Y1, float X2,
                          float Y2, bool flipH, bool flipV);
  // The part of the source rectangle (whole pixels) whose blocks hold a visible pixel; false
  // when none does. A picture without alpha shows everywhere.
  bool visiblePart(int &x1, int &y1, int &x2, int &y2) const;

  unsigned short blendSource;
  unsigned short blendDest;
  bool blitColorSet;
  float blitRed, blitGreen, blitBlue, blitAlpha;

private:
  void send(const KDrawQuad &q);
  KDrawQuad quadOf(bool blended) const;
  void setCorner(KDrawQuad &q, int i, float x, float y, float s, float t) const;
  void blitColour(KDrawQuad &q, float alpha, bool scaleBlitAlpha);
  static void setColour(KDrawQuad &q, float red, float green, float blue, float alpha);
  static void setTransform(KDrawQuad &q, float tx, float ty, float angle, float zoom, bool always);
  bool wholePixels(float x1, float y1, float x2, float y2) const;
  static bool wholeTexels(float x1, float y1, float x2, float y2);
  bool trimmed(KDrawQuad &q, float x1, float y1, float x2, float y2, float x, float y, bool flipH, bool flipV,
               bool between);

  KGLTexture &tex;
};
