#pragma once

#include "world/CCloneable.h"
#include "world/CEntityController.h"


// A bed's behaviour: it glows while the pointer is over it and turns clicks into orders for the
// player's queue (hit: become active, and so does the patient in the bed; miss: inactive).
class CPostelController : public CCloneable<CPostelController, CEntityController> {
public:
  using CCloneable::CCloneable;

  void onBind() override;
  void specificHandleMessages(KEvent *ev) override;
  void update() override;

  int32_t hover = 0;
};
