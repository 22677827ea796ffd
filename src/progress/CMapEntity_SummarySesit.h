#pragma once
#include <cstdint>
#include <string>

#include "world/CCloneable.h"
#include "world/CMapEntity_Game.h"

class CFontSeznam;

// The day summary's notebook: the rating line, the day's goal over its score, cured and lost
// patients, the money saved to the bank with a note on what it is, and "EXPERT SCORE!" for an
// expert day. The text fades in with it.
class CMapEntity_SummarySesit : public CCloneable<CMapEntity_SummarySesit, CMapEntity_Game> {
public:
  using CCloneable::CCloneable;

  void renderAdditional(KGraphic *g) override;

  // The page drawn with the fonts given (renderAdditional takes the engine's).
  void drawPage(CFontSeznam *fonts);

  int32_t scoreToday = 0;
  std::string title;
  int32_t patientsCured = 0;
  int32_t patientsLost = 0;
  int32_t moneySaved = 0;
  int32_t goal = 0;
  std::string bankNote;
  std::string famousNote;
  int32_t expert = 0;
};
