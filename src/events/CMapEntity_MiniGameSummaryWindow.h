#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "world/CCloneable.h"
#include "world/CMapEntity_Game.h"

// The laboratory's closing window: a copy carries the dark screen and the notebook, both also
// added to the running level.
class CMapEntity_MiniGameSummaryWindow : public CCloneable<CMapEntity_MiniGameSummaryWindow, CMapEntity_Game> {
public:
  using CCloneable::CCloneable;
  CMapEntity_MiniGameSummaryWindow(const CMapEntity_MiniGameSummaryWindow &other);

  // 1 once the notebook has finished opening.
  int32_t ready = 0;
};

// The window's notebook: "RESEARCH COMPLETED" over two columns of lines.
class CMapEntity_MiniGameSummarySesit : public CCloneable<CMapEntity_MiniGameSummarySesit, CMapEntity_Game> {
public:
  CMapEntity_MiniGameSummarySesit(unsigned short x, unsigned short y, bool solid);
  // A copy starts with no lines.
  CMapEntity_MiniGameSummarySesit(const CMapEntity_MiniGameSummarySesit &other);

  void renderAdditional(KGraphic *g) override;

  std::vector<std::string> leftLines;
  std::vector<std::string> rightLines;
};
