#pragma once
#include <cstdint>

#include "media/Timer.h"
#include "world/CCloneable.h"
#include "world/CEntityController.h"
#include "world/TEntityRef.h"

class CMapEntity;
class CMapEntity_PacientClass;
class CMapEntity_PostelClass;

// Visiting parents: while they wait they sadden the patient of their bed; dragged onto that
// bed they visit, fade out, cheer the patient and go. They go too when the patient leaves.
class CRodiceController : public CCloneable<CRodiceController, CEntityController> {
public:
  using CCloneable::CCloneable;

  void onBind() override;
  void specificHandleMessages(KEvent *ev) override;
  void update() override;

  int32_t flashing = 1;
  int32_t mouseX = 0;
  int32_t mouseY = 0;
  Timer sadTimer{9000, false};
  Timer visitTimer{2000, false};
  TEntityRef<CMapEntity_Game> kurzor;
  // The bed of the patient the parents came for.
  TEntityRef<CMapEntity_PostelClass> postel;
  int32_t homeX = 0;
  int32_t homeY = 0;

private:
  // The visited patient, or null once it has left the bed (the link is checked, not followed blind).
  CMapEntity_PacientClass *visited();
  void moodChange(float d);
  void leave();
  CMapEntity_Game *cursor() const;
  CMapEntity *dragged() const;
  void setDragged(CMapEntity *e);
  // The charisma level.
  int stars() const;
};
