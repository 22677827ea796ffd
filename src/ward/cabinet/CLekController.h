#pragma once
#include <cstdint>

#include "world/CCloneable.h"
#include "world/CEntityController.h"
#include "world/TEntityRef.h"

class CMapEntity_PostelClass;

// A medicine watches its bed: while held it lights the bed up, and it goes (with the light) as
// soon as the bed has no patient or the patient no longer waits for medicine.
class CLekController : public CCloneable<CLekController, CEntityController> {
public:
  using CCloneable::CCloneable;
  CLekController(const CLekController &other);

  void onBind() override;
  void specificHandleMessages(KEvent *ev) override;
  void update() override;

  int32_t bedLinked = 0;
  TEntityRef<CMapEntity_PostelClass> bed;
  int32_t hover = 1;

private:
  void light(CMapEntity_Game *b, bool on);
};
