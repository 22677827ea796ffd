#include "events/CMiniGameSummaryController.h"

#include <string>
#include <vector>

#include "core/CEngine.h"
#include "core/CPlayer.h"
#include "engine/KEvent.h"
#include "events/CMapEntity_MiniGameSummaryWindow.h"
#include "events/CMiskaController.h"
#include "events/CScoreLog.h"
#include "events/LabIds.h"
#include "media/CGlobals.h"
#include "media/Timer.h"
#include "world/CLevel_Game.h"
#include "world/CMapEntitiesCollection.h"

namespace {
CLevel *runningLevel(CEngine *engine) {
  CLevel *level = engine ? engine->getLevel() : nullptr;
  return level ? level : CLevel::getRunning();
}
} // namespace

std::string &CMiniGameSummaryController::scoreLogPath() {
  static std::string path = "levellog.txt";
  return path;
}

void CMiniGameSummaryController::onBind() {
  CGlobals::instance()->paused = false;
  if (collection && entity) collection->focus(entity, nullptr);
}

bool CMiniGameSummaryController::totalShown() const {
  return linesShown > CMiskaSetController::recordsOf(collection).size();
}

void CMiniGameSummaryController::addLine(CMapEntity_MiniGameSummarySesit *sesit) {
  // A level without a dish set has nothing to pay.
  const std::vector<setSkore> &records = CMiskaSetController::recordsOf(collection);
  const size_t n = records.size();
  if (linesShown < n) {
    const setSkore &r = records[linesShown];
    // The record counts the set's dishes; each pays its value.
    sesit->leftLines.push_back(std::to_string(r.strands) + (r.strands == 1 ? " DISH" : " DISHES") + " x $" +
                               std::to_string(r.value) + " = ");
    sesit->rightLines.push_back("$" + std::to_string(r.strands * r.value));
    total += r.strands * r.value;
  } else if (linesShown == n) {
    sesit->leftLines.push_back("");
    sesit->rightLines.push_back("");
    sesit->leftLines.push_back("TOTAL GRANT");
    sesit->rightLines.push_back("$" + std::to_string(total));
    CLevel *level = runningLevel(engine);
    // Play goes on whatever becomes of the log; the failure is logged where it happens.
    appendScoreLog(scoreLogPath(), level ? level->getLevelName() : std::string(), total);
  }
  if (linesShown <= n) ++linesShown;
}

void CMiniGameSummaryController::update() {
  CMapEntity_MiniGameSummaryWindow *window = dynamic_cast<CMapEntity_MiniGameSummaryWindow *>(entity);
  if (!window || !collection) return;
  CMapEntity_MiniGameSummarySesit *sesit =
      dynamic_cast<CMapEntity_MiniGameSummarySesit *>(window->getContainedEntity(kMiniGameSummarySesitID));
  if (sesit) {
    sesit->effectIntegrate(0.05f);
    if (sesit->looks().getZoom() == 1.0f) {
      CGlobals::instance()->paused = true;
      window->ready = 1;
    }
  }

  // One line a second; a click while they come shows the rest at once, so none goes unread.
  if ((timer.udalost() || showAll) && CGlobals::instance()->paused && sesit) {
    addLine(sesit);
    while (showAll && !totalShown()) addLine(sesit);
  }

  if (confirmed) {
    CGlobals::instance()->paused = false;
    if (CLevel *level = runningLevel(engine)) level->setLevelOver(true);
    collection->unfocus(nullptr);
    if (engine && engine->getPlayer()) engine->getPlayer()->changeMoney(total);
    window->setKill(true);
  }
}

void CMiniGameSummaryController::specificHandleMessages(KEvent *ev) {
  if (!ev || confirmed) return;
  if ((ev->type != K_EVENT_MOUSEDOWN && ev->type != K_EVENT_KEYDOWN_FIRST) || ev->button != 1) return;
  // Only a click once the total line shows pays: earlier the grant would be paid without its log
  // entry, or not at all, and the lines would go unread.
  if (totalShown())
    confirmed = 1;
  else
    showAll = 1;
}
