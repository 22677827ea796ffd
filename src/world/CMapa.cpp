#include "world/CMapa.h"

#include <cstdlib>
#include <tinyxml.h>

#include "engine/KMiscTools.h"
#include "media/CFatal.h"
#include "media/CLogger.h"
#include "media/CSurface.h"
#include "media/Rect.h"
#include "media/XmlData.h"

namespace {
void log(const std::string &line) { CLogger::instance()->log(line); }

uint16_t requiredU16(TiXmlElement *e, const char *attribute, const char *message, const std::string &path) {
  return (uint16_t)readDecimalBits(requiredAttribute(e, attribute, message, path));
}

uint8_t requiredU8(TiXmlElement *e, const char *attribute, const char *message, const std::string &path) {
  return (uint8_t)readDecimalBits(requiredAttribute(e, attribute, message, path));
}

// A tile ID indexes the definition table; one past it would read outside the table.
void checkTileId(uint32_t id, TiXmlElement *e, const char *message, const std::string &path) {
  if (id >= MAPA_DEFINIC) fatalDataError(message, path, e->Row(), -1);
}

uint32_t registerPicture(const char *name) {
  std::string file = std::string("data\\gfx\\") + name;
  CSurfaceManager *surfaces = CSurfaceManager::instance();
  int handle = surfaces->nahrajSurface(KMiscTools::makeFilePath(file.c_str()), true, false, false);
  if (CSurface *s = surfaces->getSurface((unsigned int)handle)) s->useWhole();
  return (uint32_t)handle;
}

const char *const kAtributy[5] = {"atribut1", "atribut2", "atribut3", "atribut4", "atribut5"};
} // namespace

CMapa::CMapa() : tileSet(MAPA_ZADNA_SURFACE), pozadi(MAPA_ZADNA_SURFACE) {}

CMapa::~CMapa() {}

void CMapa::collectPictures(std::vector<unsigned int> &out) const {
  if (pozadi != MAPA_ZADNA_SURFACE) out.push_back(pozadi);
}

void CMapa::nahrajDefiniceXML(std::string path) {
  TiXmlDocument doc;
  loadDataFile(doc, path);
  TiXmlElement *root = doc.FirstChildElement("tiledef");
  if (!root) return;

  tileSet = registerPicture(requiredAttribute(root, "src", "NAME not found near TILESPRITE tag!", path));

  for (TiXmlElement *s = root->FirstChildElement("tileSprite"); s; s = s->NextSiblingElement("tileSprite")) {
    TTileZSprite sprite;
    sprite.name = requiredAttribute(s, "name", "NAME not found near TILEZSprite tag!", path);
    sprite.x = requiredU16(s, "x", "X not found near TILEZSprite tag!", path);
    sprite.y = requiredU16(s, "y", "Y not found near TILEZSprite tag!", path);
    tileZSprites.push_back(sprite);
  }

  for (TiXmlElement *t = root->FirstChildElement("tile"); t; t = t->NextSiblingElement("tile")) {
    const char *name = requiredAttribute(t, "name", "NAME not found near TILE tag!", path);
    uint16_t id = requiredU16(t, "id", "ID not found near TILE tag!", path);
    uint8_t walkable = requiredU8(t, "walkable", "WALKABLE not found near TILE tag!", path);
    uint8_t special = requiredU8(t, "special", "SPECIAL not found near TILE tag!", path);
    const char *spriteName = requiredAttribute(t, "tileSprite", "TILESPRITE not found near TILE tag!", path);
    checkTileId(id, t, "ID out of range near TILE tag!", path);

    TTileDefinice &d = definice[id];
    d.walkable = walkable;
    d.special = special;
    d.name = name;
    d.tileSprite = spriteName;
    for (int i = 0; i < 5; ++i) {
      const char *v = t->Attribute(kAtributy[i]);
      d.atribut[i] = v ? (float)std::atof(v) : 0.0f;
    }
    // Same name more than once: the last one counts. None: the cut stays as it was.
    for (const TTileZSprite &s : tileZSprites) {
      if (s.name != d.tileSprite) continue;
      d.x = s.x;
      d.y = s.y;
      d.w = s.w;
      d.h = s.h;
    }
  }
}

void CMapa::nahrajMapuXML(std::string path) {
  TiXmlDocument doc;
  loadDataFile(doc, path);
  TiXmlElement *root = doc.FirstChildElement("map");
  if (!root) {
    log("MAP tag not found! This is probably not the map file..");
    return;
  }
  if (const char *background = root->Attribute("background")) pozadi = registerPicture(background);

  for (TiXmlElement *l = root->FirstChildElement("layer"); l; l = l->NextSiblingElement("layer")) {
    if (layers.size() >= MAPA_VRSTEV)
      fatalDataError("More than " + std::to_string(MAPA_VRSTEV) + " layers near LAYER tag!", path, l->Row(), -1);
    layers.emplace_back();
    TLayer &layer = layers.back();
    if (const char *bg = l->Attribute("bgtiles")) {
      uint16_t id = (uint16_t)readDecimalBits(bg);
      checkTileId(id, l, "BGTILES out of range near LAYER tag!", path);
      for (TMapCell &c : layer.cells) c.id = id;
    }
    for (TiXmlElement *t = l->FirstChildElement("tile"); t; t = t->NextSiblingElement("tile")) {
      uint16_t id = requiredU16(t, "id", "ID not found near TILE tag!", path);
      uint16_t x = requiredU16(t, "x", "X not found near TILE tag!", path);
      uint16_t y = requiredU16(t, "y", "Y not found near TILE tag!", path);
      // A column past the last would silently land in the next row.
      if (x >= MAPA_SIRKA || y >= MAPA_VYSKA) fatalDataError("Coordinates out of bounds!", path, t->Row(), -1);
      checkTileId(id, t, "ID out of range near TILE tag!", path);
      TMapCell &c = layer.cells[y * MAPA_SIRKA + x];
      c.id = id;
      for (int i = 0; i < 5; ++i) c.atribut[i] = definice[id].atribut[i];
      log("New tile");
    }
    log("New layer");
  }
}

bool CMapa::isWalkable(unsigned int layer, unsigned int cell) const {
  if (layer >= layers.size() || cell >= MAPA_BUNEK) return false;
  const TMapCell &c = layers[layer].cells[cell];
  // IDs are checked on reading, but the layers are open to other code.
  if (c.id >= MAPA_DEFINIC) return false;
  return definice[c.id].walkable == 1 && c.penalty < 1000;
}

void CMapa::kresliPozadi(KGraphic *screen) {
  if (pozadi == MAPA_ZADNA_SURFACE) return;
  Rect src = {0, 0, 800, 600};
  Rect dest = {0, 0, 800, 600};
  CSurfaceManager::instance()->blitSurface(pozadi, &src, screen, &dest);
}
