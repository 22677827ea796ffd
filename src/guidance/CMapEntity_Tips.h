#pragma once

#include "guidance/CMapEntity_TutorialClass.h"
#include "world/CCloneable.h"
#include "world/CMapEntity_Game.h"

// Invisible watchers: each waits for the moment its tip explains, opens the tip's bubble and goes.
template <class Derived> class CMapEntity_TipTrigger : public CCloneable<Derived, CMapEntity_Game> {
public:
  using CCloneable<Derived, CMapEntity_Game>::CCloneable;
};

class CMapEntity_Tip1Trigger : public CMapEntity_TipTrigger<CMapEntity_Tip1Trigger> {
  using CMapEntity_TipTrigger::CMapEntity_TipTrigger;
};
class CMapEntity_TipOutbreakTrigger : public CMapEntity_TipTrigger<CMapEntity_TipOutbreakTrigger> {
  using CMapEntity_TipTrigger::CMapEntity_TipTrigger;
};
class CMapEntity_TipClownTrigger : public CMapEntity_TipTrigger<CMapEntity_TipClownTrigger> {
  using CMapEntity_TipTrigger::CMapEntity_TipTrigger;
};
class CMapEntity_TipHlasicTrigger : public CMapEntity_TipTrigger<CMapEntity_TipHlasicTrigger> {
  using CMapEntity_TipTrigger::CMapEntity_TipTrigger;
};

// The bubbles of the first day's tips (registration, the first and the second outbreak), the
// jester's and the announcer lamp's.
class CMapEntity_Tip1 : public CCloneable<CMapEntity_Tip1, CMapEntity_TutorialClass> {
  using CCloneable::CCloneable;
};
class CMapEntity_Tip2 : public CCloneable<CMapEntity_Tip2, CMapEntity_TutorialClass> {
  using CCloneable::CCloneable;
};
class CMapEntity_TipOutbreak : public CCloneable<CMapEntity_TipOutbreak, CMapEntity_TutorialClass> {
  using CCloneable::CCloneable;
};
class CMapEntity_TipOutbreak2 : public CCloneable<CMapEntity_TipOutbreak2, CMapEntity_TutorialClass> {
  using CCloneable::CCloneable;
};
class CMapEntity_TipClown : public CCloneable<CMapEntity_TipClown, CMapEntity_TutorialClass> {
  using CCloneable::CCloneable;
};
class CMapEntity_TipHlasic : public CCloneable<CMapEntity_TipHlasic, CMapEntity_TutorialClass> {
  using CCloneable::CCloneable;
};
