#pragma once
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "core/CEngine.h"
#include "core/CGameOptions.h"
#include "core/CLoadingScreen.h"
#include "core/CPlayer.h"
#include "engine/KInput.h"
#include "events/CDNAGeneratorController.h"
#include "events/CMapEntity_DNA.h"
#include "events/CMapEntity_MiniGameOver.h"
#include "events/CMapEntity_Miska.h"
#include "events/CMiniGameSummaryController.h"
#include "events/CMiskaController.h"
#include "game/CStartupTables.h"
#include "media/GameGlobals.h"
#include "world/CEntityControllersVzory_Game.h"
#include "world/CLevel_Game.h"
#include "world/CMapEntitiesCollection.h"
#include "world/CMapEntitiesFactory.h"
#include "world/CMapEntity_Visual.h"
#include "support/GameDay.h"

// A laboratory level of the generated data set through the game's own loader, prototype and
// behaviour tables, run frame by frame with the pointer and button fed to the input layer.
class LabScratch : public GameDayScratch {
public:
  void setUpLab(bool fakePictures) {
    setUpGame(fakePictures);
    CMiniGameSummaryController::scoreLogPath() = "levellog.txt";
  }

  void tearDownLab() { tearDownGame(); }

  std::vector<CMapEntity_DNA *> loosePieces() const {
    std::vector<CMapEntity_DNA *> out;
    for (CMapEntity_Game *e : alive(311))
      if (!e->carrying().getParent()) out.push_back(static_cast<CMapEntity_DNA *>(e));
    return out;
  }

  // The current set's dishes in dish order.
  std::vector<CMapEntity_Miska *> dishes() const {
    std::vector<CMapEntity_Miska *> out;
    CMapEntity_Game *set = level->getEC()->getEntityByID(355);
    if (!set) return out;
    for (size_t i = 1; i < set->carrying().getContainedList().size(); ++i)
      if (CMapEntity_Miska *d = dynamic_cast<CMapEntity_Miska *>(set->carrying().getContainedList()[i]))
        if (!d->getKill()) out.push_back(d);
    return out;
  }

  static CMapEntity_DNA *templateOf(CMapEntity_Miska *dish) {
    return dynamic_cast<CMapEntity_DNA *>(
        dish->carrying().getContainedList().size() > 1 ? dish->carrying().getContainedList()[1] : nullptr);
  }

  CMiskaSetController *setController() const {
    CMapEntity_Game *set = level->getEC()->getEntityByID(355);
    return set ? dynamic_cast<CMiskaSetController *>(set->getController()) : nullptr;
  }

  CMapEntity_MiniGameOver *countdown() const {
    return dynamic_cast<CMapEntity_MiniGameOver *>(level->getEC()->getEntityByID(321));
  }

  // A loose piece that the dish asks for: one is given the template's colour and strands and
  // stopped just left of the band, where no other piece lies under the pointer.
  CMapEntity_DNA *pieceFor(CMapEntity_Miska *dish) {
    CMapEntity_DNA *want = templateOf(dish);
    std::vector<CMapEntity_DNA *> loose = loosePieces();
    if (!want || loose.empty()) return nullptr;
    CMapEntity_DNA *p = loose.front();
    p->setColour(want->getColour());
    p->setStrands(want->getStrands());
    p->scaleActionBox(1.0f);
    p->xSpeed = p->ySpeed = 0.0f;
    p->setXY(296, 20);
    return p;
  }

  static std::string read(const std::string &path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }
};
