#pragma once
#include <string>

#include "world/CEntityController.h"

class CMapEntity_FrontaAkci;

// A new prescription or waste item flashes once, with what it carries, when it appears.
class CFlashObjektController : public CEntityController {
public:
  CFlashObjektController(CMapEntity_Game *entity, CMapEntitiesCollection *collection, CEngine *engine,
                         std::string bindTo);
  CFlashObjektController(const CFlashObjektController &other);

  CFlashObjektController *clone() override;
  // A level without the action queue ends the process.
  void onBind() override;
  void update() override;
  ~CFlashObjektController() override;

  float getX() const;
  float getY() const;

  CMapEntity_FrontaAkci *fronta;
};

// The action queue of the behaviour's level; without one the process ends with status -1.
CMapEntity_FrontaAkci *requireFrontaAkci(CMapEntitiesCollection *collection);
