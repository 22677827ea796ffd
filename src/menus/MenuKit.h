#pragma once
#include <string>
#include <vector>

#include "world/CEntityKit.h"
#include "world/TEntityRef.h"
#include "world/kinds/EntityIds.h"

class CEngine;
class CMapEntitiesCollection;
class CMapEntity;
class CMapEntity_Game;
class KText;

// What every widget and panel of the menus does the same way.
namespace menukit {

// Entity IDs of the menus' panels, windows and widgets.
constexpr unsigned int kSecondCursorID = 320;
constexpr unsigned int kMainMenuID = 218;
constexpr unsigned int kOptionsID = 223;
constexpr unsigned int kNameBoxID = 227;
constexpr unsigned int kVideoID = 228;
constexpr unsigned int kSoundID = 233;
constexpr unsigned int kSliderKnobID = 235;
constexpr unsigned int kProfilesID = 236;
constexpr unsigned int kResetProfileID = 241;
constexpr unsigned int kIngameMenuID = 263;
constexpr unsigned int kOptionsIngameID = 265;
constexpr unsigned int kPlayerMenuID = 300;
constexpr unsigned int kMagnetID = 382;
constexpr unsigned int kCreditsID = 387;
constexpr unsigned int kCloseBoxID = 389;
constexpr unsigned int kCaptionID = 1001;
constexpr unsigned int kQuestionClass = 37;
constexpr unsigned int kMessageClass = 38;

using entitykit::carry;
using entitykit::font;
using entitykit::open;
using entitykit::playSound;

// The place, walk penalty, health and approach point every clickable widget starts with.
void placeWidget(CMapEntity_Game *widget, unsigned short x, unsigned short y, unsigned int classID);

// The level's pointer: the ward's and the map's, or the lab's second one, so that a menu opened
// over the lab takes its clicks too.
CMapEntity_Game *cursor(CMapEntitiesCollection *c);
// The widget lies under the pointer's action box and is fully opaque (a fading panel takes nothing).
bool underCursor(CMapEntitiesCollection *c, CMapEntity *widget);
// The glow under the pointer: lit once the pointer has been over the widget, fading once it left.
void hover(CMapEntitiesCollection *c, CMapEntity *widget, int &hovered);

// A clone of the named prototype placed at (x, y) and added to the level as a modal window: only it takes input until it is answered.
CMapEntity_Game *openModal(CMapEntitiesCollection *c, const std::string &name, float x, float y);
// The message window with the text and its OK button, as a modal window; null without its prototype.
CMapEntity_Game *openMessage(CMapEntitiesCollection *c, const std::string &text);
constexpr unsigned int kMessageWindowID = 391;
// Marks the entity of that ID killed when there is one.
void closeIfOpen(CMapEntitiesCollection *c, unsigned int id);
// Kills every carried entity of that ID.
void killCarried(CMapEntity *carrier, unsigned int id);

// Draws centred in the named font, colour set with the alpha, then back to opaque black.
void drawCentred(const std::string &fontName, const std::string &text, float x1, float x2, float y, float red,
                 float green, float blue, float alpha);

// The entities holding the focus now (top-level ones, and carried ones whose carrier lacks it),
// so a modal window can give it back to exactly those when it is dismissed.
std::vector<CMapEntity *> focusedTopLevel(CMapEntitiesCollection *c);
// Gives the focus to the listed entities still in the level (and what they carry) and takes it
// from the rest; an empty list gives it to every entity.
void restoreFocus(CMapEntitiesCollection *c, const std::vector<TEntityRef<CMapEntity>> &focused);

} // namespace menukit
