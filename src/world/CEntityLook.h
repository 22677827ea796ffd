#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "world/CEntityCollisions.h"

class Frame;
class KGraphic;
class ZSprite;

// How an entity looks: its sprite with its framesets and frames, zoom, alpha, tint and clip,
// its drawing layer, the effects behaviours run on it once a frame (pulse, flash, integrate),
// and the drawing and animation of it with what it carries.
class CEntityLook : public CEntityCollisions {
public:
  virtual void setAlpha(float a, bool recurse);
  virtual void renderAdditional(KGraphic *g);
  // Once a frame from the level's update, for what the entity shows that moves by itself
  // (pulses, overlays that follow the body); drawing only reads it.
  virtual void animateAdditional();
  virtual void changeFrameset(std::string name);
  virtual void zapniAnimace();
  // Every picture the entity and what it carries may show in play (all framesets, overlays,
  // sprites it changes into), as surface handles appended to out.
  virtual void collectPictures(std::vector<unsigned int> &out) const;

  // Drawing. update() is what the level calls for every entity without a parent; carried
  // entities draw through their carrier, interleaved with it by sortZ. Drawing changes nothing.
  void update(KGraphic *g);
  void render(KGraphic *g);
  // The frame's step of what is drawn, in the order update(g) draws it: every visible entity's
  // animation moves on and carried entities follow their carrier's frame.
  void animate();
  bool getVisible() const { return visible; }
  void setVisible(bool v) { visible = v; }

  // Zoom, alpha, tint, clip.
  void setZoom(float z);
  float getZoom() const { return zoom; }
  float getAlpha() const { return alpha; }
  void changeAlpha(float d, bool recurse);
  void setRGB(float r, float g, float b, bool recurse);
  float getRed() const { return red; }
  float getGreen() const { return green; }
  float getBlue() const { return blue; }
  void setVyrez(short a, short b, short c, short d);
  void setVyrezPercent(short a, short b, short c, short d);
  short getVyrez(int i) const { return (i >= 0 && i < 4) ? clip[i] : (short)-1; }

  // Drawing order: the layer, and within it y plus the current frame's sort offset.
  void setSortZ(int z, bool recurse);
  int getSortZ() const { return sortZ; }
  void changeSortY(int delta);
  // The current frame's sort offset, 0 without a frame.
  int getSortY() const;

  // Sprite, framesets and frames.
  void addEntityZSprite(std::string name);
  ZSprite *getSprite() const { return sprite; }
  // The current frame of the current frameset, or null.
  Frame *getCurrentFrame() const;
  void synchronizeFramesets();
  void changeFrame(unsigned short frame, unsigned int startTime);
  void synchronizeFrames(short frame);
  bool frameInc(bool wrap);
  bool frameDec(bool wrap);
  void vypniAnimace();
  void use();
  const std::string &getUseFrameset() const { return useFrameset; }
  const std::string &getNormalFrameset() const { return normalFrameset; }
  const std::string &getDeathFrameset() const { return deathFrameset; }
  void setDeathFrameset(std::string name) { deathFrameset = std::move(name); }
  unsigned short getLastFrame() const { return lastFrame; }

  // Effects, one call per frame from the behaviour.
  void effectPulse(float amount, int count);
  bool effectPulseOver() const { return pulseOver; }
  void effectFinishPulse();
  void effectFlash(float speed, float maximum, bool recurse);
  void resetFlash();
  void setFlash(float f) { flash = f; }
  float getFlash() const { return flash; }
  bool getFlashDone() const { return flashDone; }
  bool getFlashRising() const { return flashRising; }
  void effectIntegrate(float speed);
  void effectIntegrateReset();
  float getIntegrateZoom() const { return integrateZoom; }
  float getIntegrateAlpha() const { return integrateAlpha; }
  int getPulseCount() const { return pulseCount; }
  float getPulseDelta() const { return pulseDelta; }

protected:
  CEntityLook(std::string use, std::string normal, std::string death);
  // A copy has a sprite of its own, its alpha unset and its first frame shown.
  CEntityLook(const CEntityLook &other);
  ~CEntityLook() override;

  void animateOwn();

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

private:
  // Every look is an entity's; drawing and using reach the whole entity.
  CMapEntity *self();
};
