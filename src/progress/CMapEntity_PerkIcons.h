#pragma once

#include "world/CCloneable.h"
#include "world/kinds/CMapEntity_PerkIconClass.h"

// The status bar's four perk icons; each is switched on by its own behaviour.
class CMapEntity_PerkCureTouchIcon : public CCloneable<CMapEntity_PerkCureTouchIcon, CMapEntity_PerkIconClass> {
  using CCloneable::CCloneable;
};
class CMapEntity_PerkBurstIcon : public CCloneable<CMapEntity_PerkBurstIcon, CMapEntity_PerkIconClass> {
  using CCloneable::CCloneable;
};
class CMapEntity_PerkLuckIcon : public CCloneable<CMapEntity_PerkLuckIcon, CMapEntity_PerkIconClass> {
  using CCloneable::CCloneable;
};
class CMapEntity_PerkVirusIcon : public CCloneable<CMapEntity_PerkVirusIcon, CMapEntity_PerkIconClass> {
  using CCloneable::CCloneable;
};
