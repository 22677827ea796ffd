#pragma once
#include <string>

#include "media/CSingleton.h"

class ZSprite;

// What is on screen while the game starts and while a level loads: a background, an animated
// figure, the title logo filling from left to right and a line of text. Nothing else draws then,
// so every change is drawn and flipped at once.
class CLoadingScreen : public CSingleton<CLoadingScreen> {
public:
  CLoadingScreen();
  virtual ~CLoadingScreen();

  // Takes copies of "LOADING", "LOADINGBG", "LOADINGLOGO" and "LOADINGLOGOFILL" from the sprite
  // factory; a second call replaces them.
  void nahrajSprite();
  void setText(std::string text);
  // Drawn twice, so both buffers of the window show the new state. The logo never fills past
  // its own width, whatever the fraction.
  void setFill(float fill);
  float getFill() const { return fill; }
  const std::string &getText() const { return text; }

  // How many times the screen has been drawn; tests and the start-up benchmark read it.
  unsigned long getDrawCount() const { return drawCount; }

  // The logo filling's visible width for a frame of the given width.
  static short fillWidth(unsigned int frameWidth, float fill);

private:
  void draw();
  bool due() const;
  void drawTimed(int times);
  void freeSprites();

  std::string text;
  ZSprite *loading;
  ZSprite *loadingBg;
  ZSprite *logo;
  ZSprite *logoFill;
  float fill;
  unsigned long drawCount;
  unsigned long lastDraw;
  unsigned long drawnFor;  // how long the last drawing took
  // Well within the 50 ms a frame may take, with the drawing and a wait for the workers.
  static const unsigned long kMinRedrawMs = 30;
};
