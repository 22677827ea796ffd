#pragma once
#include <string>

class CLevel_Game;
class CMapEntitiesCollection;
class CMapEntity_BonusText;
class CMapEntity_Game;

// What a floating caption ("BONUSTEXT") says, each kind in its own tint: money in pink, news
// about a patient in blue, a refused order or click in red, a medicine made in green, anything
// else in white.
enum class TCaptionKind { Plain, Cash, Diagnosis, Blocked, Ready };

// The floating captions of the ward. Money goes into the day only through pay, whose caption is
// written from the amount paid, so the money raised is what the captions say.
class CCaption {
public:
  // A caption of the kind at (x, y), added to the level.
  static CMapEntity_BonusText *show(CMapEntitiesCollection *c, float x, float y, const std::string &text,
                                    TCaptionKind kind);
  // A run's length ("3x") in the colour of what ran.
  static CMapEntity_BonusText *runLength(CMapEntitiesCollection *c, float x, float y, int length,
                                         const float rgb[3]);
  // Adds `amount` to the day's money (without a level, none) and shows `label` followed by it.
  static CMapEntity_BonusText *pay(CMapEntitiesCollection *c, CLevel_Game *level, float x, float y,
                                   const std::string &label, int amount, TCaptionKind kind = TCaptionKind::Cash);
  // Where a caption comes to stand when it first shows: whole inside the window with a margin, off
  // the captions already shown and the tips' arrows (moved up past them, or down when the top is
  // reached); a refusal said again replaces the one still shown. Measured in the running fonts.
  static void settle(CMapEntitiesCollection *c, CMapEntity_BonusText *caption);
  // Whether the entity is a caption shown as that kind (its tint tells).
  static bool shownAs(const CMapEntity_Game *e, TCaptionKind kind);
  // Whether the caption, moved by dy, would run into another caption shown.
  static bool wouldMeet(CMapEntitiesCollection *c, const CMapEntity_BonusText *caption, float dy);
};
