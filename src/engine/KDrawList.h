#pragma once
#include <cstddef>
#include <cstdint>

// One quad (or line) as a picture asked for it: the GL state it needs, its colour, the extra
// turn or zoom about a point, and its corners with their texture coordinates in GL order.
struct KDrawQuad {
  unsigned texture = 0; // 0 draws without a texture
  unsigned target = 0;
  uint64_t content = 0; // which upload the texture holds
  bool blend = false;
  unsigned short source = 0, destination = 0;
  bool linear = false;
  bool repeat = false;
  bool line = false; // a two-point line loop rather than a four-corner polygon
  // Applied on top of the view as the picture asked: translate, then rotate, then scale.
  bool translate = false, rotate = false, scale = false;
  float tx = 0, ty = 0, angle = 0, zoom = 1;
  float colour[4] = {1, 1, 1, 1};
  float v[8] = {};
  float t[8] = {};
};

// The frame's drawing, kept until something needs it on the screen (the flip, a read of the
// screen, a texture being made or dropped, the view changing) and then sent to GL with each
// state set only when it changes and runs of quads of one texture sent together.
//
// Between beginScene and endScene the drawing is split into pieces, one per object drawn
// (beginPiece/endPiece); pieces that stay the same are drawn once into a kept picture that
// the following frames start from (see KFrameCache), so the screen looks the same to the pixel.
class KDrawList {
public:
  static KDrawQuad &add();
  static void flush();

  // GL state changed behind the list's back (a texture bound, blending switched).
  static void stateUnknown();
  // Sets the filter and wrap of a bound texture unless it already has them.
  static void setTextureParams(unsigned texture, unsigned target, bool linear, bool repeat);
  // The texture is about to change or go: what was drawn with it is sent first.
  static void textureChanging(unsigned texture);
  static void textureGone(unsigned texture);
  // A fresh number for each picture upload, so an unchanged look means unchanged pixels.
  static uint64_t newContent();

  // The screen was cleared with this colour (the view is one to one when `plain`).
  static void cleared(const float colour[4], bool plain);
  static void viewChanged(bool plain, int viewX, int viewY, int width, int height);
  static void beginScene();
  static void endScene();
  static void beginPiece(const void *key);
  static void endPiece();
  // The kept picture is lost (a new context) or no longer wanted.
  static void forgetPicture();
  // Turns keeping pictures on or off (on by default); the screen looks the same either way.
  static void setKeeping(bool on);
  // Sends every quad on its own as glBegin/glEnd, with no kept picture: the drawing as it was
  // before the list, to compare against.
  static void setDirect(bool on);
  // Pieces in the kept picture now, and pictures drawn so far (for tests and benchmarks).
  static size_t keptPieces();
  static long redraws();
};
