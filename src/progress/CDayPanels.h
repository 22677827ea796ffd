#pragma once

#include "world/kinds/Links.h"

// The day panels as the level's overlay fills them: the windows' ends-level flag, the
// introduction notebook's side bar, the summary page and the status bar's scores mark.
class CDayPanels : public CDayPanelsLink {
public:
  void setEndLevel(CMapEntity_Game *window, bool endLevel) override;
  void showSecondPage(CMapEntity_Game *sesit) override;
  void fillPage(CMapEntity_Game *summarySesit, const TSummaryPage &page) override;
  void showExpertMark(CMapEntity_Game *statusBar) override;
};
