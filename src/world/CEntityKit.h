#pragma once
#include <string>

class CMapEntitiesCollection;
class CMapEntity;
class CMapEntity_Game;
class KText;

// Small steps that the panels, windows and widgets of several subsystems take the same way.
namespace entitykit {

// The mouse pointer entity, or null.
CMapEntity_Game *cursor(CMapEntitiesCollection *c);
// The widget lies under the pointer's action box.
bool underCursor(CMapEntitiesCollection *c, CMapEntity *widget);
// A clone of the named prototype placed at (x, y) and added to the level.
CMapEntity_Game *open(CMapEntitiesCollection *c, const std::string &name, float x, float y);
// A heart rising beside a patient's head: "SRDCE" as their mood rises, "MODRESRDCE" as it falls.
CMapEntity_Game *heartBeside(CMapEntitiesCollection *c, const CMapEntity *patient, const std::string &prototype = "SRDCE");
// Carries a clone of the named prototype at the offset.
CMapEntity_Game *carry(CMapEntity *carrier, const std::string &name, float xOffset, float yOffset);
void playSound(const std::string &key);
// Makes the named font active and returns it, null without fonts.
KText *font(const std::string &name);
// The same, but null too when no font of that name is loaded (the active one stays as it was).
KText *loadedFont(const std::string &name);
// A short caption at (x, y), over any panel, saying why a click did nothing.
CMapEntity_Game *refusal(CMapEntitiesCollection *c, float x, float y, const std::string &why);
// The refusal as the ward gives it: the "NONO" sound and the caption.
CMapEntity_Game *refuse(CMapEntitiesCollection *c, float x, float y, const std::string &why);
// A carried picture, with what it carries, shrunk to fit the box (screen pixels) and centred in
// it; one that fits already is left where it stands.
void fitInto(CMapEntity *picture, float left, float top, float width, float height);

} // namespace entitykit
