#pragma once
#include <string>

class CMapEntitiesCollection;
class CMapEntity;
class CMapEntity_Game;
class CPlayer;
class KText;

// What the shop's and the perks' entities and behaviours do the same way.
namespace shopkit {

constexpr unsigned int kCursorID = 0;
constexpr unsigned int kShopButtonID = 90;
constexpr unsigned int kPuntikID = 91;
constexpr unsigned int kPlayButtonID = 203;
constexpr unsigned int kUpgradeHelpID = 299;
constexpr unsigned int kShopTipID = 365;
constexpr unsigned int kPerksAreaID = 394;
constexpr unsigned int kShopWindowID = 900;
constexpr unsigned int kBuyButtonID = 901;
constexpr unsigned int kMedsUpgradeID = 67;

// The engine's progress record, or null without an engine.
CPlayer *player();
// The widget lies under the pointer's action box.
bool underCursor(CMapEntitiesCollection *c, CMapEntity *widget);
void playSound(const std::string &key);
// Makes the named font active and returns it, null without fonts.
KText *font(const std::string &name);
// A clone of the named prototype carried at the offset and placed with its carrier.
CMapEntity_Game *carry(CMapEntity *carrier, const std::string &name, float xOffset, float yOffset);
// A clone of the named prototype placed at (x, y) and added to the level.
CMapEntity_Game *open(CMapEntitiesCollection *c, const std::string &name, float x, float y);
// Twelve (or `count`) red stars scattered around the entity's feet.
void starBurst(CMapEntitiesCollection *c, CMapEntity *around, int count);
} // namespace shopkit
