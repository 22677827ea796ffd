#include "progress/CDayPanels.h"

#include "progress/CMapEntity_Sesit.h"
#include "progress/CMapEntity_StatusBar.h"
#include "progress/CMapEntity_SummarySesit.h"
#include "progress/CMapEntity_WindowClass.h"
#include "world/CDaySummary.h"

void CDayPanels::setEndLevel(CMapEntity_Game *window, bool endLevel) {
  if (CMapEntity_WindowClass *w = dynamic_cast<CMapEntity_WindowClass *>(window)) w->setEndLevel(endLevel);
}

void CDayPanels::showSecondPage(CMapEntity_Game *sesit) {
  if (CMapEntity_Sesit *s = dynamic_cast<CMapEntity_Sesit *>(sesit)) s->setShown(true);
}

void CDayPanels::fillPage(CMapEntity_Game *summarySesit, const TSummaryPage &page) {
  CMapEntity_SummarySesit *s = dynamic_cast<CMapEntity_SummarySesit *>(summarySesit);
  if (!s) return;
  s->scoreToday = page.money;
  s->goal = page.goal;
  s->bankNote = page.bankNote;
  s->famousNote = page.famousNote;
  s->title = page.title;
  s->patientsCured = page.cured;
  s->patientsLost = page.lost;
  s->moneySaved = page.bonus;
  s->expert = page.expert ? 1 : 0;
}

void CDayPanels::showExpertMark(CMapEntity_Game *statusBar) {
  if (CMapEntity_StatusBar *b = dynamic_cast<CMapEntity_StatusBar *>(statusBar)) b->showExpertMark();
}
