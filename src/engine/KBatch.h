#pragma once

class KGraphic;

// Forwards many small blits (text glyphs) to one picture. It buffers nothing: each call is
// one blit of the attached picture, made at once.
class KBatch {
public:
  KBatch();
  virtual ~KBatch();

  bool allocateBuffer(long count);
  // A null picture leaves the current attachment unchanged.
  void beginBatch(KGraphic *picture);
  void endBatch();
  void blitAlphaRect(long x1, long y1, long x2, long y2, float x, float y);
  void blitAlphaRectFx(float x1, float y1, float x2, float y2, short x, short y, float angle, float zoom,
                       float alpha);
  void drawRect(float x1, float y1, float x2, float y2, float red, float green, float blue, float alpha);

  KGraphic *getPicture() const { return picture; }

private:
  KGraphic *picture;
};
