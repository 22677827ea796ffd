#pragma once
#include <cstdint>
#include <vector>

class Frame;
class Timer;
class KGraphic;
class CSurface;

// One named animation of a sprite: frames cut from one picture, stepped by a frame clock
// once a frame by its owner's update (drawing only shows the current frame).
class Frameset {
public:
  Frameset(char const *src, char const *name, bool repeat, bool hiKvalita, bool smooth, bool holdInMemory,
           bool realTime);
  Frameset(Frameset const &other);
  Frameset &operator=(Frameset const &) = delete;
  ~Frameset();

  void pridejFrame(Frame *frame);

  void nastavFrame(int i);
  void nastavFrame(int i, unsigned int start);
  int nastavFrame(char const *name);
  void nastavNahodnouFrame();
  bool frameInc(bool wrap);
  bool frameDec(bool wrap);
  void pretocit();

  void zapniAnimace() { animationOn = true; }
  void vypniAnimace() { animationOn = false; }
  void prepniAnimace() { animationOn = !animationOn; }
  bool probihaAnimace() const { return animationOn; }

  void setAngle(float a) { angle = a; }
  float getAngle() const { return angle; }
  char const *getID() const { return name; }

  unsigned int getAktivniSirka() const;
  unsigned int getAktivniVyska() const;
  CSurface *getMySurface() const;

  // At most one frame a call; the next frame's time counts from the call that made the step.
  void step();

  void putFrame(KGraphic *g, unsigned int x, unsigned int y, float zoom, short right, short bottom, short left,
                short top);
  void putFrameVyrez(KGraphic *g, unsigned int x, unsigned int y, short right, short bottom, short left, short top);
  void putFrameAlpha(KGraphic *g, unsigned int x, unsigned int y, float alpha, float red, float green, float blue,
                     float zoom, short right, short bottom, short left, short top);

  // Read by the entity framework for drawing order, collisions and keeping carried entities in step.
  Frame *getAktivniFrame() const { return currentFrame; }
  int getAktivniIndex() const { return currentIndex; }
  unsigned int getPocetFramu() const { return (unsigned int)frames.size(); }
  Frame *getFrame(unsigned int i) const { return i < frames.size() ? frames[i] : nullptr; }
  unsigned int getSurfaceIndex() const { return surfaceIndex; }
  bool getRepeat() const { return repeat; }
  bool isRealTime() const { return realTime; }

private:
  void select(int index);
  // The visible part of the current frame as source and destination; false without a frame.
  bool place(unsigned int x, unsigned int y, short right, short bottom, short left, short top, struct Rect &src,
             struct Rect &dest) const;

  bool realTime;
  uint32_t surfaceIndex;
  std::vector<Frame *> frames;
  int32_t currentIndex;
  float angle;
  float speedFactor;
  bool animationOn;
  bool repeat;
  char name[256];
  Timer *timer;
  Frame *currentFrame;
};
