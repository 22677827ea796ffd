#pragma once

#include "guidance/CMapEntity_TutorialClass.h"
#include "world/CCloneable.h"
#include "world/CMapEntity_Game.h"

// The hearts tour of the first day: six pages that show a patient's hearts rising and falling.
class CMapEntity_TipSrdicka : public CCloneable<CMapEntity_TipSrdicka, CMapEntity_TutorialClass> {
  using CCloneable::CCloneable;
};

// Bubbles whose text sits lower on the panel, under the arrow that points up out of it.
class CMapEntity_LowTextBubble : public CMapEntity_TutorialClass {
public:
  using CMapEntity_TutorialClass::CMapEntity_TutorialClass;
  CMapEntity_LowTextBubble(const CMapEntity_LowTextBubble &other);
};

// The germ tip: shown the first time a germ is loose, once per saved game.
class CMapEntity_TipVirus : public CCloneable<CMapEntity_TipVirus, CMapEntity_LowTextBubble> {
  using CCloneable::CCloneable;
};

// The reminder for a patient whose blood pressure is slow to measure.
class CMapEntity_RemindPressure : public CCloneable<CMapEntity_RemindPressure, CMapEntity_LowTextBubble> {
  using CCloneable::CCloneable;
};

// Invisible watchers that open the bubbles above when their moment comes.
class CMapEntity_CareTipTrigger : public CMapEntity_Game {
public:
  using CMapEntity_Game::CMapEntity_Game;
};
class CMapEntity_TipSrdickaTrigger : public CCloneable<CMapEntity_TipSrdickaTrigger, CMapEntity_CareTipTrigger> {
  using CCloneable::CCloneable;
};
class CMapEntity_TipVirusTrigger : public CCloneable<CMapEntity_TipVirusTrigger, CMapEntity_CareTipTrigger> {
  using CCloneable::CCloneable;
};
class CMapEntity_RemindPressureTrigger
    : public CCloneable<CMapEntity_RemindPressureTrigger, CMapEntity_CareTipTrigger> {
  using CCloneable::CCloneable;
};
