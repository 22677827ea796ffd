#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "engine/KDrawQuad.h"
#include "engine/KFrameCache.h"
#include "engine/KFrameParts.h"
#include "engine/KGLStateCache.h"
#include "engine/KKeptPicture.h"
#include "engine/KQuadBatcher.h"

// The frame's drawing, kept until something needs it on the screen (the flip, a read of the
// screen, a texture being made or dropped, the view changing) and then sent to GL with each
// state set only when it changes (KGLStateCache) and runs of quads of one texture sent together
// (KQuadBatcher). Its parts: the kept picture (KKeptPicture) and the damage bookkeeping of frames
// drawn from it (KFrameParts).
//
// Between beginScene and endScene the drawing is split into pieces, one per object drawn
// (beginPiece/endPiece); pieces that stay the same are drawn once into a kept picture that
// the following frames start from (see KFrameCache), so the screen looks the same to the pixel.
// A finished scene waits for the flip like any other drawing, so a frame found to look as the
// one on the screen costs nothing to draw. The window owns one per GL context.
class KDrawList {
public:
  KDrawList() = default;
  KDrawList(const KDrawList &) = delete;
  KDrawList &operator=(const KDrawList &) = delete;

  KDrawQuad &add();
  void flush();

  // The GL state the list last set; told when it changed behind the list's back.
  KGLStateCache &glState() { return state; }
  // The texture is about to change or go: what was drawn with it is sent first.
  void textureChanging(unsigned texture);
  void textureGone(unsigned texture);

  // The screen was cleared with this colour.
  void cleared(const float colour[4]);
  // The picture, pictureW x pictureH, now lies at `screenView` (x, y from the bottom, w, h in
  // screen pixels): one to one in a window, scaled in full screen. Pictures are kept at the
  // screen's size either way, so a kept frame costs one copy of the view. `move` is the world
  // view's x, y, angle and zoom; only an unmoved view keeps pictures.
  void viewChanged(const float move[4], const int screenView[4], int pictureW, int pictureH);
  void beginScene();
  void endScene();
  void beginPiece(const void *key);
  void endPiece();
  // The kept picture is lost (a new context) or no longer wanted.
  void forgetPicture();
  // Has the renderer ready one more of the states pictures are drawn with (see warmUp in the
  // source), by a draw that covers no pixel; false once all are. Between frames, nothing pending.
  bool warmUp();

  // A frame that looks as the one on the screen need not be drawn nor shown again. The frame's
  // look gathers every quad, clear and view since the last frame shown or dropped; `extra` is
  // what the window adds on its own (the gamma). True when it equals the frame on the screen
  // and nothing of it reached the back buffer yet (a clear, a flush before the flip), so the
  // back buffer still holds the frame on the screen.
  bool frameUnchanged(uint64_t extra);
  // The frame is not drawn: the screen already shows it.
  void dropFrame();
  // The frame is drawn (flushed) and its look becomes the one on the screen. With `partsAllowed`
  // (the screen can show rectangles of the back buffer, which then keeps the last frame's pixels)
  // a frame drawn from the kept picture is drawn only where it differs from the last one shown.
  void framePresented(bool partsAllowed = false);
  // Where the frame just presented was drawn, in screen pixels; null when it was drawn whole.
  const std::vector<KPixelBox> *shownParts() const { return parts.shownParts(); }
  // The screen's pixels are no longer known (a window uncovered, resized, another context).
  void forgetShown();
  // Sends every quad on its own as glBegin/glEnd, with no kept picture: the drawing as it was
  // before the list, to compare against.
  void setDirect(bool on);
  // Pieces in the kept picture now, and pictures drawn so far (for tests and benchmarks).
  size_t keptPieces() const { return cache.keptCount(); }
  long redraws() const { return picture.redraws(); }

private:
  bool coversView(const KDrawQuad &q) const;
  void replaySpans(const std::vector<char> &kept, bool wanted);
  void prepareScene();
  bool drawScene(bool recording);
  void hashPending();
  void clearPending();

  std::vector<KDrawQuad> quads;
  std::vector<KQuadSpan> spans;
  bool inScene = false;
  bool sceneBroken = false;
  int pieceDepth = 0;
  uintptr_t pieceKey = 0;
  bool keeping = true;
  bool direct = false;

  // A finished scene waits in quads [0, sceneEnd) with its pieces worked out.
  size_t sceneEnd = 0;
  bool sceneCovers = false, sceneFresh = false;
  uint64_t sceneLook = 0;

  static const uint64_t kFrameSeed = 0xF4A3E;
  // The look of the frame so far, with quads [0, hashedUpTo) in it.
  uint64_t frameLook = kFrameSeed;
  size_t hashedUpTo = 0;
  uint64_t finishedLook = 0;
  uint64_t shownLook = 0;
  bool shownKnown = false;
  bool backTouched = false;

  bool fresh = false;
  float clearColour[4] = {0, 0, 0, 0};
  bool plain = false;
  int view[4] = {0, 0, 0, 0};
  float viewMove[4] = {0, 0, 0, 1};
  int width = 0, height = 0;

  KGLStateCache state;
  KQuadBatcher batcher;

  KFrameCache cache;
  KKeptPicture picture;
  KFrameParts parts;

  // States made ready by warmUp, and the small textures of each shape it uses.
  int warmed = 0;
  unsigned warmTextures[4] = {};

  std::vector<KScenePiece> pieces;
};
