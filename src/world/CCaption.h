#pragma once
#include <string>

#include "world/CMapEntity_TextBox.h"

class CLevel_Game;
class CMapEntitiesCollection;

// The floating captions of the ward and the laboratory. Money goes into the day only through pay,
// whose caption is written from the amount paid, so the money raised is what the captions say.
// Where captions stand is settled here alone, through the ward's room for words (CCaptionSpace):
// whole inside the window, near where they were earned, clear of each other and of all the words,
// bubbles, arrows and signs shown.
class CCaption {
public:
  // A caption of the kind at (x, y), added to the level.
  static CMapEntity_BonusText *show(CMapEntitiesCollection *c, float x, float y, const std::string &text,
                                    TCaptionKind kind);
  // A caption said to the player as plainly as a refusal: the bigger font, held longer, above
  // the panels and the tips.
  static CMapEntity_BonusText *sayPlainly(CMapEntitiesCollection *c, float x, float y, const std::string &text,
                                          TCaptionKind kind);
  // Adds `amount` to the day's money (without a level, none) and shows `label` followed by it.
  static CMapEntity_BonusText *pay(CMapEntitiesCollection *c, CLevel_Game *level, float x, float y,
                                   const std::string &label, int amount, TCaptionKind kind = TCaptionKind::Cash);
  // The same with the run's length ("3x", none below 1) leading the caption in the colour of what
  // ran, one block with it, the whole from (x, y).
  static CMapEntity_BonusText *payRun(CMapEntitiesCollection *c, CLevel_Game *level, float x, float y,
                                      const std::string &label, int amount, int run, const float rgb[3],
                                      TCaptionKind kind = TCaptionKind::Cash);
  // Where a caption comes to stand, as it is made and again as it starts to rise: the nearest spot
  // to where it was earned, above or beside before below, whole inside the window with a margin
  // and clear of what is shown. The shown captions it makes obsolete go instead. Measured in the
  // running fonts.
  static void settle(CMapEntitiesCollection *c, CMapEntity_BonusText *caption);
  // A frame of the caption's rise by `speed`: it waits rather than run into anything shown above it
  // or past the window's top, and what came onto it since moves it to the nearest clear spot;
  // false when no clear spot is left within reach.
  static bool rise(CMapEntitiesCollection *c, CMapEntity_BonusText *caption, float speed);
};
