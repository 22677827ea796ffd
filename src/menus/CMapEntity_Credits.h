#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "world/CCloneable.h"
#include "world/CMapEntity_Game.h"

class KGraphic;

struct creditRadek {
  std::string text;
  float red;
  float green;
  float blue;
};

// The credits: coloured lines scrolling up over a black-and-white photograph, opened by a white
// flash (a white cover it carries). Its behaviour fills, fades and scrolls it.
class CMapEntity_Credits : public CCloneable<CMapEntity_Credits, CMapEntity_Game> {
public:
  using CCloneable::CCloneable;
  // A copy starts transparent with no lines, on the photograph of the player's hero.
  CMapEntity_Credits(const CMapEntity_Credits &other);

  void renderAdditional(KGraphic *g) override;
  // How opaque a line whose top stands at `top` is drawn: the panel's alpha inside the
  // photograph's frame, fading near its edges, 0 beyond them.
  float lineAlpha(float top) const;
  void addRadek(const std::string &text, float red, float green, float blue);
  const std::vector<creditRadek> &getRadky() const { return lines; }

  // The screen y of line 0.
  float scroll = 0.0f;
  // 1 when opened from the options panel: the credits then end by a click or at the end of the
  // list and the menu comes back.
  int32_t fromMenu = 0;

  static constexpr float kLineHeight = 20.0f;
  // The inside of the photograph's white frame, and the band at its edges where lines fade.
  static constexpr float kFrameTop = 20.0f, kFrameBottom = 580.0f, kFadeBand = 40.0f;

private:
  std::vector<creditRadek> lines;
};

// The publisher's entity of a level: nothing to see, nothing to do.
class CMapEntity_PublisherLogo : public CCloneable<CMapEntity_PublisherLogo, CMapEntity_Game> {
  using CCloneable::CCloneable;
};
