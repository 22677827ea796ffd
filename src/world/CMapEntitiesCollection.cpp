#include "world/CMapEntitiesCollection.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <tinyxml.h>

#include "media/CFatal.h"
#include "media/CGlobals.h"
#include "media/CLogger.h"
#include "media/Frame.h"
#include "media/GameGlobals.h"
#include "media/XmlData.h"
#include "media/ZSprite.h"
#include "world/CEntityGenerator.h"
#include "world/CMapCollisionManager.h"
#include "world/CMapEntitiesFactory.h"
#include "world/CMapEntity_Game.h"
#include "world/CMapa.h"
#include "world/kinds/EntityIds.h"
#include "world/kinds/Links.h"

uint16_t poradi = 0;

namespace {
void log(const std::string &line) { CLogger::instance()->log(line); }

int16_t readShort(const char *text) { return (int16_t)(uint16_t)readDecimalBits(text); }

// Everything a reading step needs to name the file and the row of what is wrong.
struct Reader {
  const std::string &path;

  const char *required(TiXmlElement *e, const char *attribute, const char *message) const {
    return requiredAttribute(e, attribute, message, path);
  }

  int16_t requiredShort(TiXmlElement *e, const char *attribute, const std::string &message) const {
    return readShort(required(e, attribute, message.c_str()));
  }

  int16_t optionalShort(TiXmlElement *e, const char *attribute) const {
    const char *v = e->Attribute(attribute);
    return v ? readShort(v) : (int16_t)0;
  }

  // A prototype name of the file that the registry does not hold ends the run here, naming the
  // file and row, rather than later in the registry where neither is known.
  CMapEntity_Game *clone(TiXmlElement *e, const std::string &name) const {
    CMapEntitiesFactory *factory = CMapEntitiesFactory::instance();
    if (!factory->najdiEntity(name)) fatalDataError("Entity " + name + " not found in global entity object!", path, e->Row(), -1);
    return factory->cloneEntity(name);
  }
};

void setFrameBY(CMapEntity *e, int16_t bY) {
  if (bY == 0) return;
  Frame *f = e->looks().getCurrentFrame();
  if (f) f->setBY(bY);
}

} // namespace

void CMapEntitiesCollection::notePictures(const CMapEntity *e) {
  if (e) e->collectPictures(pictures);
}

CMapEntitiesCollection::CMapEntitiesCollection() : mapa(nullptr) { entities.reserve(150); }


// The list is emptied before anything is deleted: a dying entity looks up the level's action
// queue, and must not find entities already deleted.
CMapEntitiesCollection::~CMapEntitiesCollection() {
  std::vector<CMapEntity_Game *> old;
  old.swap(entities);
  serials.clear();
  for (CMapEntity_Game *e : old)
    if (e) e->listedBy = nullptr;
  // Carried entities go with their carriers, so they leave the list before anything is deleted.
  old.erase(std::remove_if(old.begin(), old.end(), [](CMapEntity_Game *e) { return !e || e->carrying().getParent(); }),
            old.end());
  for (CMapEntity_Game *e : old) delete e;
  std::vector<CEntityGenerator *> gens;
  gens.swap(generators);
  for (CEntityGenerator *g : gens) delete g;
}

void CMapEntitiesCollection::addEntity(CMapEntity_Game *e) {
  CGlobals::instance()->entityAdded = true;
  if (!e || e->listedBy == this) return;
  // Two lists holding it would both draw and delete it.
  if (e->listedBy) e->listedBy->forgetEntity(e);
  entities.push_back(e);
  serials[e->getSerial()] = e;
  e->listedBy = this;
}

bool CMapEntitiesCollection::contains(const CMapEntity *e) const {
  const auto *g = dynamic_cast<const CMapEntity_Game *>(e);
  return g && g->listedBy == this;
}

CMapEntity_Game *CMapEntitiesCollection::bySerial(uint64_t serial) const {
  auto it = serial ? serials.find(serial) : serials.end();
  return it == serials.end() ? nullptr : it->second;
}

CMapEntity_Game *CMapEntitiesCollection::getEntityByName(const std::string &spriteName) const {
  for (CMapEntity_Game *e : entities) {
    ZSprite *s = e->looks().getSprite();
    if (s && spriteName == s->getID()) return e;
  }
  return nullptr;
}

CMapEntity_Game *CMapEntitiesCollection::getEntityByID(unsigned int id) const {
  for (CMapEntity_Game *e : entities)
    if (e->getEntityID() == id) return e;
  return nullptr;
}

CMapEntity_Game *CMapEntitiesCollection::getFirstEntityByClassID(unsigned int cls) const {
  CMapEntity_Game *found = nullptr;
  for (CMapEntity_Game *e : entities)
    if (e->getEntityClassID() == cls) found = e;
  return found;
}

bool CMapEntitiesCollection::containsClass(unsigned short cls) const {
  for (CMapEntity_Game *e : entities)
    if (e->getEntityClassID() == (uint32_t)cls) return true;
  return false;
}

void CMapEntitiesCollection::focus(CMapEntity_Game *keep, std::vector<CMapEntity *> *) {
  for (CMapEntity_Game *e : entities)
    if (e != keep && !e->carrying().getParent()) e->setFocus(false);
}

void CMapEntitiesCollection::focusAdd(CMapEntity_Game *e, std::vector<CMapEntity *> *) {
  if (e && contains(e)) e->setFocus(true);
}

void CMapEntitiesCollection::defocus() {
  for (CMapEntity_Game *e : entities)
    if (e->getFocusable()) e->setFocus(false);
}

void CMapEntitiesCollection::unfocus(std::vector<CMapEntity *> *) {
  for (CMapEntity_Game *e : entities) e->setFocus(true);
}

// ---- kill pass

void CMapEntitiesCollection::forgetEntity(CMapEntity *e) {
  auto *g = dynamic_cast<CMapEntity_Game *>(e);
  if (g && g->listedBy == this) {
    entities.erase(std::remove(entities.begin(), entities.end(), g), entities.end());
    serials.erase(g->getSerial());
    g->listedBy = nullptr;
  }
  for (CMapEntity_Game *other : entities) {
    other->deleteFromCollisionList(e);
    other->deleteFromActionCollisionList(e);
  }
}

void CMapEntitiesCollection::destroyLeaf(CMapEntity_Game *e) {
  forgetEntity(e);
  CMapEntity *parent = e->carrying().getParent();
  if (parent)
    parent->removeEntity(e);
  else
    delete e;
}

void CMapEntitiesCollection::destroyTree(CMapEntity_Game *e) {
  std::vector<CMapEntity *> carried;
  e->carrying().collectCarried(carried);
  for (CMapEntity *c : carried) forgetEntity(c);
  destroyLeaf(e);
}

// Killed entities go leaves first, so a carrier goes once what it carries has gone. A killed
// carrier may still hold entities that never die on their own (carried outside the list, or
// spared by a later setKill(false)); once a walk deletes nothing the oldest such carrier goes
// with everything it carries, so the pass always ends.
void CMapEntitiesCollection::updateEntities() {
  for (;;) {
    bool waiting = false;
    bool deleted = false;
    for (size_t i = 0; i < entities.size();) {
      CMapEntity_Game *e = entities[i];
      if (!e->getKill()) {
        ++i;
        continue;
      }
      if (e->carrying().hasChildren()) {
        waiting = true;
        ++i;
        continue;
      }
      // The next entity has taken its place.
      destroyLeaf(e);
      deleted = true;
    }
    if (!waiting) return;
    if (deleted) continue;
    for (CMapEntity_Game *e : entities) {
      if (e->getKill() && e->carrying().hasChildren()) {
        destroyTree(e);
        break;
      }
    }
  }
}

// ---- generators

void CMapEntitiesCollection::updateGenerators() {
  for (size_t i = 0; i < generators.size(); ++i) generators[i]->update(this);
}

// ---- drawing order

float CMapEntitiesCollection::drawKeyY(const CMapEntity *e) {
  float k = e->getY() + (float)e->looks().getSortY();
  return std::isnan(k) ? -INFINITY : k;
}

// Stable: entities on one layer and row keep their order from frame to frame.
void CMapEntitiesCollection::sortDrawingOrder() {
  std::stable_sort(entities.begin(), entities.end(), [](const CMapEntity_Game *a, const CMapEntity_Game *b) {
    if (a->looks().getSortZ() != b->looks().getSortZ()) return a->looks().getSortZ() < b->looks().getSortZ();
    return drawKeyY(a) < drawKeyY(b);
  });
}

// ---- walk penalties

void CMapEntitiesCollection::generateEntityCollisionList() {
  if (!mapa) return;
  std::vector<TLayer> &layers = mapa->getLayers();
  for (TLayer &layer : layers)
    for (TMapCell &cell : layer.cells) cell.penalty = 0;
  if (layers.empty()) return;
  TLayer &first = layers[0];
  for (CMapEntity_Game *e : entities) {
    if (!e->getSolid()) continue;
    uint16_t penalty = e->getWalkPenalty();
    forEachCoveredCell(bodyBox(e), [&](int c, int r, int index) {
      first.cells[index].penalty = penalty;
      CLogger::instance()->logParts("penalty(", c, ",", r, ") ", penalty, ", pozice: ", index, "(", e->name, ")\n");
    });
  }
}

// ---- the level entities file

void CMapEntitiesCollection::nahrajXML(const std::string &path) {
  TiXmlDocument doc;
  loadDataFile(doc, path);
  TiXmlElement *root = doc.FirstChildElement("mapEntities");
  if (!root) {
    log("MAPENTITIES tag not found! This is probably not the map entities file..");
    return;
  }
  Reader in{path};

  // A carried entity keeps the layer it was made with, not its carrier's plus one.
  auto carry = [this](CMapEntity_Game *carrier, CMapEntity_Game *e) {
    int sortZ = e->looks().getSortZ();
    carrier->addEntity(e, false, true);
    addEntity(e);
    e->setSortZ(sortZ, false);
  };

  // An "adder" or "deadder" element: the carrier prototype of that name placed at x, y, with its
  // frame's base line at bY when given.
  auto placeCarrier = [&](TiXmlElement *el, const std::string &prototype, const std::string &tag) {
    int16_t x = in.requiredShort(el, "x", "X not found near " + prototype + " tag!");
    int16_t y = in.requiredShort(el, "y", "Y not found near " + prototype + " tag!");
    int16_t bY = in.optionalShort(el, "bY");
    CMapEntity_Game *carrier = in.clone(el, prototype);
    carrier->setXY(x, y);
    setFrameBY(carrier, bY);
    addEntity(carrier);
    log("Cloning " + tag);
    return carrier;
  };

  for (TiXmlElement *d = root->FirstChildElement("deadder"); d; d = d->NextSiblingElement("deadder")) {
    CMapEntity_Game *carrier = placeCarrier(d, "DEADDER", "deadder");
    for (TiXmlElement *c = d->FirstChildElement("deadderentity"); c; c = c->NextSiblingElement("deadderentity")) {
      std::string name = in.required(c, "name", "NAME not found near ENTITY(DEADDER) tag!");
      CMapEntity_Game *e = in.clone(c, name);
      notePictures(e);
      carry(carrier, e);
      log("DeAdder entity" + e->name);
    }
  }

  for (TiXmlElement *el = root->FirstChildElement("entity"); el; el = el->NextSiblingElement("entity")) {
    std::string name = in.required(el, "name", "NAME not found near ENTITY tag!");
    int16_t x = in.requiredShort(el, "x", "X not found near ENTITY tag!");
    int16_t y = in.requiredShort(el, "y", "Y not found near ENTITY tag!");
    if (el->Attribute("deadder")) {
      CMapEntity_Game *carrier = in.clone(el, "DEADDER");
      carrier->setXY(x, y);
      addEntity(carrier);
      CMapEntity_Game *e = in.clone(el, name);
      notePictures(e);
      carry(carrier, e);
      log("DeAdder entity" + e->name);
      continue;
    }
    CMapEntity_Game *e = in.clone(el, name);
    notePictures(e);
    // The player figure starts facing the viewer.
    if (e->getEntityID() == kPlayerID) e->changeFrameset("DOWN");
    e->setXY(x, y);
    addEntity(e);
  }

  for (TiXmlElement *g = root->FirstChildElement("generator"); g; g = g->NextSiblingElement("generator")) {
    int16_t x = in.requiredShort(g, "x", "X not found near GENERATOR tag!");
    int16_t y = in.requiredShort(g, "y", "Y not found near GENERATOR tag!");
    int16_t interval = in.requiredShort(g, "interval", "INTERVAL not found near GENERATOR tag!");
    int16_t start = in.requiredShort(g, "start", "START not found near GENERATOR tag!");
    CEntityGenerator *gen = new CEntityGenerator(x, y, interval, start);
    // Owned by the collection before anything can end the reading.
    generators.push_back(gen);
    for (TiXmlElement *c = g->FirstChildElement("generatorentity"); c;
         c = c->NextSiblingElement("generatorentity")) {
      std::string name = in.required(c, "name", "NAME not found near ENTITY(GENERATOR) tag!");
      CMapEntity_Game *made = in.clone(c, name);
      notePictures(made);
      gen->pridej(made);
      log("Generator entity" + name);
    }
    log("Generator push back");
  }

  for (TiXmlElement *a = root->FirstChildElement("adder"); a; a = a->NextSiblingElement("adder")) {
    CMapEntity_Game *carrier = placeCarrier(a, "ADDER", "adder");
    for (TiXmlElement *c = a->FirstChildElement("adderentity"); c; c = c->NextSiblingElement("adderentity")) {
      std::string name = in.required(c, "name", "NAME not found near ENTITY(ADDER) tag!");
      const char *number = c->Attribute("postelcislo");
      uint16_t bedNumber = number ? (uint16_t)readDecimalBits(number) : (uint16_t)0;
      CMapEntity_Game *e = in.clone(c, name);
      notePictures(e);
      bool bed = e->getEntityClassID() == kBedClass;
      int sortZ = e->looks().getSortZ();
      carrier->addEntity(e, false, true);
      addEntity(e);
      // A bed given its number hands back the one it drew; one without keeps its own, so no
      // two beds of a level share a number. Later beds count on from the highest given.
      if (bed && bedNumber != 0) {
        --poradi;
        TLink<CBedLink>::get()->setBedNumber(e, bedNumber);
        if (bedNumber > poradi) poradi = bedNumber;
      }
      e->setSortZ(sortZ, false);
      log("Adder entity" + e->name);
    }
  }

  prerenderCommonEntities();
}

const std::vector<const char *> &CMapEntitiesCollection::commonEntityNames() {
  static const std::vector<const char *> names = {
      "BAR",    "PRACH",   "SRDCE",   "NAPISLOST", "HELPWINDOW", "SUMMARYWINDOW", "Z",      "DRINK",
      "GREENDRINK", "KNIHA", "TOY",   "OK",        "CLOSED",     "RECEPT",        "SESTRALEKARNASMALL",
      "ODPAD",  "RODICE1", "RODICE2", "RODICE3",   "LEK1",       "LEK2",          "LEK3",   "LEK4",
      "LEK5",   "LEK",     "BACILY",  "BACILY2",   "BACILY3",    "BACILY4",       "BACILY5", "OPICKA"};
  return names;
}

// Notes the pictures of one clone of each entity that levels create during play, so they are
// loaded before play rather than in the middle of it. The clones are deleted at once.
void CMapEntitiesCollection::prerenderCommonEntities() {
  CMapEntitiesFactory *factory = CMapEntitiesFactory::instance();
  for (const char *name : commonEntityNames()) {
    // Some names on the list ("LEK1" to "LEK5") are sprite names that no prototype bears; the
    // warming only saves a load later, so a name the registry lacks is skipped, never fatal.
    if (!factory->najdiEntity(name)) {
      log(std::string("Warm-up: no prototype ") + name);
      continue;
    }
    CMapEntity_Game *e = factory->cloneEntity(name);
    notePictures(e);
    // The parts a window or bar carries went into the level as the copy was built; they leave it
    // as they are deleted with the copy.
    delete e;
  }
}

CMapEntitiesCollection_Game::CMapEntitiesCollection_Game() {}

CMapEntitiesCollection_Game::~CMapEntitiesCollection_Game() {}
