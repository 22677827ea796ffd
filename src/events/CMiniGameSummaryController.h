#pragma once
#include <cstdint>

#include "media/Timer.h"
#include "world/CCloneable.h"
#include "world/CEntityController.h"

class CMapEntity_MiniGameSummarySesit;

// The laboratory's summary: once the notebook has opened it pauses the game and lists, one line a
// second, every completed dish set with its grant and then the total, which goes to the score
// log. A click before the total shows all the lines at once; a click after the total line pays
// the grant into the player's bank and ends the level.
class CMiniGameSummaryController : public CCloneable<CMiniGameSummaryController, CEntityController> {
public:
  using CCloneable::CCloneable;
  CMiniGameSummaryController &operator=(const CMiniGameSummaryController &) = delete;

  void onBind() override;
  void update() override;
  void specificHandleMessages(KEvent *ev) override;

  int32_t getTotal() const { return total; }
  // True once the total line is in the notebook.
  bool totalShown() const;

  // Where the score blocks go; the working folder's "levellog.txt" unless a test points it elsewhere.
  static std::string &scoreLogPath();

private:
  // The next set's line, or the total once every set is listed; nothing after the total.
  void addLine(CMapEntity_MiniGameSummarySesit *sesit);

  int32_t confirmed = 0;
  int32_t showAll = 0;
  uint32_t linesShown = 0;
  Timer timer{1000, true};
  int32_t total = 0;
};
