#include "ward/dispensers/CMapEntity_Automat.h"

#include "media/Timer.h"
#include "media/ZSprite.h"
#include "ward/dispensers/CMapEntity_DrinkClass.h"
#include "world/CMapEntitiesFactory.h"

namespace {
const TAutomatKind kKinds[] = {
    {"MEDDRINK", 54, true, 1000, 30, 150, "DRINK", 29, 80, true},
    {"STROMAUTOMAT", 101, false, 200, 25, 130, "GREENDRINK", 9, 100, false},
    {"TOYMATE", 135, false, 200, 50, 100, "TOY", 42, 0, false},
    {"KNIHOVNA", 162, true, 200, 110, 220, "KNIHA", 95, 115, false},
};
} // namespace

const TAutomatKind *CMapEntity_Automat::kindOf(const std::string &name) {
  for (const TAutomatKind &k : kKinds)
    if (name == k.name) return &k;
  return nullptr;
}

std::string CMapEntity_Automat::notStocked() const {
  const CMapEntity_Game *item = CMapEntitiesFactory::instance()->najdiEntity(itemName);
  const char *word = item ? CMapEntity_DrinkClass::name(item->getEntityID()) : nullptr;
  return std::string("No ") + (word ? word : "treat") + " yet";
}

CMapEntity_Automat::CMapEntity_Automat(const TAutomatKind &kind)
    : CCloneable(0, 0, kind.solid), restock(new Timer(12000, false)) {
  setMouseClick(true);
  setEntityClassID(21);
  setEntityID(kind.entityID);
  looks().setSprite(kind.name);
  name = kind.name;
  if (looks().getSprite()) looks().getSprite()->nastavFrameset("FRAMESET1");
  setXY(0, 0);
  setWalkPenalty(kind.walkPenalty);
  health = 100;
  approachX = kind.approachX;
  approachY = kind.approachY;
  itemName = kind.item;
  itemX = kind.itemX;
  itemY = kind.itemY;
  light = kind.light;
}

CMapEntity_Automat::CMapEntity_Automat(const CMapEntity_Automat &o)
    : CCloneable(o), itemName(o.itemName), itemX(o.itemX), itemY(o.itemY), restock(new Timer(12000, false)),
      light(o.light) {
  if (!light) return;
  CMapEntity_Game *lamp = CMapEntitiesFactory::instance()->cloneEntity("AUTOMATSVETLO");
  CMapEntity::addEntity(lamp, true, true);
  lamp->setXOffset(10, false);
  lamp->setYOffset(87, false);
}

CMapEntity_Automat::~CMapEntity_Automat() { delete restock; }
