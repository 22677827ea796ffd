#pragma once

#include "world/CCloneable.h"
#include "world/CEntityController.h"

// The exercise behaviour, bound to "CVICENI", which none of the game's levels places: it does
// nothing of its own.
class CCviceniController : public CCloneable<CCviceniController, CEntityController> {
public:
  using CCloneable::CCloneable;
};
