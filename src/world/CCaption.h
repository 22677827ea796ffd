#pragma once
#include <string>

#include "world/CMapEntity_TextBox.h"

class CLevel_Game;
class CMapEntitiesCollection;

// The floating captions of the ward and the laboratory. Money goes into the day only through pay,
// whose caption is written from the amount paid, so the money raised is what the captions say.
// Where captions stand is settled here alone: whole inside the window, off each other, off the
// big words ("CURED!", "GOAL!", "LOST!") and the tips' arrows.
class CCaption {
public:
  // A caption of the kind at (x, y), added to the level.
  static CMapEntity_BonusText *show(CMapEntitiesCollection *c, float x, float y, const std::string &text,
                                    TCaptionKind kind);
  // A caption said to the player as plainly as a refusal: the bigger font, held longer, above
  // the panels and the tips.
  static CMapEntity_BonusText *sayPlainly(CMapEntitiesCollection *c, float x, float y, const std::string &text,
                                          TCaptionKind kind);
  // A run's length ("3x") in the colour of what ran.
  static CMapEntity_BonusText *runLength(CMapEntitiesCollection *c, float x, float y, int length,
                                         const float rgb[3]);
  // Adds `amount` to the day's money (without a level, none) and shows `label` followed by it.
  static CMapEntity_BonusText *pay(CMapEntitiesCollection *c, CLevel_Game *level, float x, float y,
                                   const std::string &label, int amount, TCaptionKind kind = TCaptionKind::Cash);
  // Where a caption comes to stand, as it is made and again as it starts to rise: whole inside the
  // window with a margin, off what is shown (moved up past it, or down when the top is reached).
  // The shown captions it makes obsolete go instead. Measured in the running fonts.
  static void settle(CMapEntitiesCollection *c, CMapEntity_BonusText *caption);
  // A frame of the caption's rise by `speed`: it waits rather than run into a caption or a big
  // word above it, and a big word grown onto it pushes it off the shortest way.
  static void rise(CMapEntitiesCollection *c, CMapEntity_BonusText *caption, float speed);
};
