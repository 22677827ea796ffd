#pragma once
#include <cstdint>
#include <string>
#include <vector>

class Frame;
class Frameset;
class KGraphic;
class ZSprite;

// How one entity looks: its sprite with its framesets and frames, zoom, alpha, tint and clip,
// its drawing layer, and the effects behaviours run on it once a frame (pulse, flash,
// integrate). It knows nothing of carrying: the entity passes changes on to what it carries.
class CEntityLook {
public:
  CEntityLook(std::string use, std::string normal, std::string death);
  // A copy has a sprite of its own, its alpha unset and its first frame shown.
  CEntityLook(const CEntityLook &other);
  CEntityLook &operator=(const CEntityLook &) = delete;
  ~CEntityLook();

  bool getVisible() const { return visible; }
  void setVisible(bool v) { visible = v; }

  float getZoom() const { return zoom; }
  // Drawn with the zoom and alpha it has now until the next hold (see holdDrawn).
  float getAlpha() const { return alpha; }
  // Drawn from now on with the zoom and alpha it has now (or, not shown, not at all), until the
  // next hold: for a look that changes by steps too small to see and is drawn anew only every
  // few frames.
  void holdDrawn(bool shown = true);
  float getRed() const { return red; }
  float getGreen() const { return green; }
  float getBlue() const { return blue; }
  void setVyrez(short a, short b, short c, short d);
  void setVyrezPercent(short a, short b, short c, short d);
  short getVyrez(int i) const { return (i >= 0 && i < 4) ? clip[i] : (short)-1; }

  // Drawing order: the layer, and within it y plus the current frame's sort offset.
  int getSortZ() const { return sortZ; }
  void changeSortY(int delta);
  // The current frame's sort offset, 0 without a frame.
  int getSortY() const;

  // Sprite, framesets and frames.
  void setSprite(const std::string &name);
  ZSprite *getSprite() const { return sprite; }
  // The sprite's current frameset and its current frame, or null.
  Frameset *getFrameset() const;
  Frame *getCurrentFrame() const;
  const std::string &getUseFrameset() const { return useFrameset; }
  const std::string &getNormalFrameset() const { return normalFrameset; }
  const std::string &getDeathFrameset() const { return deathFrameset; }
  void setDeathFrameset(std::string name) { deathFrameset = std::move(name); }
  unsigned short getLastFrame() const { return lastFrame; }

  bool effectPulseOver() const { return pulseOver; }
  void setFlash(float f) { flash = f; }
  float getFlash() const { return flash; }
  bool getFlashDone() const { return flashDone; }
  bool getFlashRising() const { return flashRising; }
  void effectIntegrateReset();
  float getIntegrateZoom() const { return integrateZoom; }
  float getIntegrateAlpha() const { return integrateAlpha; }
  int getPulseCount() const { return pulseCount; }
  float getPulseDelta() const { return pulseDelta; }

private:
  // What the entity passes on to what it carries, and its own drawing and animation step, are
  // reached only through the entity.
  friend class CMapEntity;

  // The sprite at the screen position (x, y) with the zoom, alpha, tint, clip and flash.
  void render(KGraphic *g, float x, float y);
  // The frame's step of the animation: true first when the frame shown is not the one last
  // noted (what follows the frame must follow it now), then stepSprite.
  bool noteShownFrame();
  void stepSprite();
  void collectPictures(std::vector<unsigned int> &out) const;

  void setZoom(float z) { zoom = z < 0.0f ? 0.0f : z; }
  void setAlpha(float a) { alpha = a; }
  // By d a frame of 20 ms, kept within 0 and 1.
  void changeAlpha(float d);
  void setRGB(float r, float g, float b);
  void setSortZ(int z) { sortZ = z; }

  void changeFrameset(const std::string &name);
  void changeFrame(unsigned short frame, unsigned int startTime);
  // Shows frame (-1: keeps the frame shown); the frame what follows this look is to show.
  short synchronizeFrame(short frame);
  void frameInc(bool wrap);
  bool frameDec(bool wrap);
  void zapniAnimace();
  void vypniAnimace();
  // Between the use frameset and the normal one.
  void toggleUseFrameset();

  // Effects, one step a frame. Each says whether what the entity carries takes part: the
  // pulse whether it set the zoom, the flash whether it moved.
  bool effectPulse(float amount, int count);
  void effectFinishPulse();
  bool effectFlash(float speed, float maximum);
  void resetFlash();
  // Out at once, as when something opens over it and stops its fading.
  void endFlash();
  void effectIntegrate(float speed);

  bool visible;
  float zoom;
  float alpha;
  float red;
  float green;
  float blue;
  uint16_t lastFrame;
  short clip[4];
  int32_t sortZ;
  std::string useFrameset;
  std::string normalFrameset;
  std::string deathFrameset;
  float pulseDelta;
  bool pulseOver;
  bool flashDone;
  bool flashRising;
  float integrateZoom;
  float integrateAlpha;
  bool pulseShrinking;
  int32_t pulseCount;
  float flash;
  ZSprite *sprite;
  bool held = false;
  float heldZoom = 1.0f, heldAlpha = 1.0f;
};
