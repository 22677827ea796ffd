#pragma once
#include <string>

#include "world/CEntityKit.h"
#include "world/kinds/EntityIds.h"

class CMapEntitiesCollection;
class CMapEntity;
class CMapEntity_Game;
class CPlayer;
class KText;

// What the shop's and the perks' entities and behaviours do the same way.
namespace shopkit {

constexpr unsigned int kUpgradeHelpID = 299;
constexpr unsigned int kPerksAreaID = 394;
constexpr unsigned int kBuyButtonID = 901;

// The engine's progress record, or null without an engine.
CPlayer *player();
using entitykit::carry;
using entitykit::font;
using entitykit::open;
using entitykit::playSound;
using entitykit::underCursor;
// Twelve (or `count`) red stars scattered around the entity's feet.
void starBurst(CMapEntitiesCollection *c, CMapEntity *around, int count);
} // namespace shopkit
