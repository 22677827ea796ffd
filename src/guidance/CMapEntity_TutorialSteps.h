#pragma once

#include "guidance/CMapEntity_TutorialClass.h"
#include "world/CCloneable.h"
#include "world/CMapEntity_Game.h"

// Invisible: a level that places it starts the guided tutorial a second after it loads.
class CMapEntity_HelpTrigger : public CCloneable<CMapEntity_HelpTrigger, CMapEntity_Game> {
public:
  using CCloneable::CCloneable;
};

// The sixteen bubbles of the tutorial, one on screen at a time; each is driven by its own step.
class CMapEntity_Tutorial1 : public CCloneable<CMapEntity_Tutorial1, CMapEntity_TutorialClass> {
  using CCloneable::CCloneable;
};
class CMapEntity_Tutorial1b : public CCloneable<CMapEntity_Tutorial1b, CMapEntity_TutorialClass> {
  using CCloneable::CCloneable;
};
class CMapEntity_Tutorial2 : public CCloneable<CMapEntity_Tutorial2, CMapEntity_TutorialClass> {
  using CCloneable::CCloneable;
};
class CMapEntity_Tutorial2b : public CCloneable<CMapEntity_Tutorial2b, CMapEntity_TutorialClass> {
  using CCloneable::CCloneable;
};
class CMapEntity_Tutorial3 : public CCloneable<CMapEntity_Tutorial3, CMapEntity_TutorialClass> {
  using CCloneable::CCloneable;
};
class CMapEntity_Tutorial4 : public CCloneable<CMapEntity_Tutorial4, CMapEntity_TutorialClass> {
  using CCloneable::CCloneable;
};
class CMapEntity_Tutorial5 : public CCloneable<CMapEntity_Tutorial5, CMapEntity_TutorialClass> {
  using CCloneable::CCloneable;
};
class CMapEntity_Tutorial6 : public CCloneable<CMapEntity_Tutorial6, CMapEntity_TutorialClass> {
  using CCloneable::CCloneable;
};
class CMapEntity_Tutorial7 : public CCloneable<CMapEntity_Tutorial7, CMapEntity_TutorialClass> {
  using CCloneable::CCloneable;
};
class CMapEntity_Tutorial8 : public CCloneable<CMapEntity_Tutorial8, CMapEntity_TutorialClass> {
  using CCloneable::CCloneable;
};
class CMapEntity_Tutorial9 : public CCloneable<CMapEntity_Tutorial9, CMapEntity_TutorialClass> {
  using CCloneable::CCloneable;
};
class CMapEntity_Tutorial9b : public CCloneable<CMapEntity_Tutorial9b, CMapEntity_TutorialClass> {
  using CCloneable::CCloneable;
};
class CMapEntity_Tutorial9c : public CCloneable<CMapEntity_Tutorial9c, CMapEntity_TutorialClass> {
  using CCloneable::CCloneable;
};
class CMapEntity_Tutorial9d : public CCloneable<CMapEntity_Tutorial9d, CMapEntity_TutorialClass> {
  using CCloneable::CCloneable;
};
class CMapEntity_Tutorial9e : public CCloneable<CMapEntity_Tutorial9e, CMapEntity_TutorialClass> {
  using CCloneable::CCloneable;
};
class CMapEntity_Tutorial10 : public CCloneable<CMapEntity_Tutorial10, CMapEntity_TutorialClass> {
  using CCloneable::CCloneable;
};
