#include "media/ZSpriteFactory.h"

#include <cstdint>
#include <cstring>
#include <tinyxml.h>

#include "media/CFatal.h"
#include "media/CLogger.h"
#include "media/Frame.h"
#include "media/Frameset.h"
#include "media/ZSprite.h"
#include "media/XmlData.h"

ZSpriteFactory *spriteFactory = nullptr;

namespace {
ZSpriteFactory::LoadingProgress g_loadingProgress = nullptr;

template <class... Parts> void log(Parts const &...parts) { CLogger::instance()->logParts(parts...); }

// Only the low 16 bits count.
short toShort(char const *p) { return (short)(uint16_t)readDecimalBits(p); }

short requiredNumber(TiXmlElement *e, char const *attribute, char const *message, std::string const &path) {
  return toShort(requiredAttribute(e, attribute, message, path));
}

short optionalNumber(TiXmlElement *e, char const *attribute, short fallback) {
  char const *v = e->Attribute(attribute);
  return v ? toShort(v) : fallback;
}
} // namespace

short readSpriteNumber(char const *text) { return toShort(text ? text : ""); }

void ZSpriteFactory::setLoadingProgress(LoadingProgress progress) { g_loadingProgress = progress; }

ZSpriteFactory::ZSpriteFactory(char const *name) : collectionName(name ? name : "") {}

ZSpriteFactory::~ZSpriteFactory() {
  log("Deleting ZSprite VZORY----");
  for (ZSprite *s : prototypes) delete s;
  prototypes.clear();
}

int ZSpriteFactory::najdiZSprite(char const *name) const {
  if (!name) return -1;
  for (size_t i = 0; i < prototypes.size(); ++i)
    if (std::strcmp(prototypes[i]->getID(), name) == 0) return (int)i;
  return -1;
}

void ZSpriteFactory::pridejZSprite(ZSprite *sprite) { prototypes.push_back(sprite); }

void ZSpriteFactory::collectSurfaces(const std::string &name, std::vector<unsigned int> &out) const {
  int i = najdiZSprite(name.c_str());
  if (i >= 0) prototypes[(size_t)i]->collectSurfaces(out);
}

ZSprite *ZSpriteFactory::cloneSprite(char const *name) {
  int i = najdiZSprite(name);
  if (i < 0)
    fatalError(std::string("Cannot create ZSprite copy, ZSprite ") + (name ? name : "") + " not found!", -1);
  return new ZSprite(*prototypes[(size_t)i]);
}

void ZSpriteFactory::nahrajXML(char const *pathArg) {
  // Callers pass makeFilePath's buffer, which every frameset made below rewrites: keep a copy.
  const std::string path = pathArg ? pathArg : "";
  TiXmlDocument doc;
  loadDataFile(doc, path);
  TiXmlElement *kolekce = doc.FirstChildElement("kolekce");
  if (!kolekce) return;

  unsigned int n = 0;
  for (TiXmlElement *s = kolekce->FirstChildElement("sprite"); s; s = s->NextSiblingElement("sprite")) ++n;
  log("Sprites celkem: ", n);

  unsigned int i = 0;
  for (TiXmlElement *s = kolekce->FirstChildElement("sprite"); s; s = s->NextSiblingElement("sprite")) {
    char const *name = requiredAttribute(s, "name", "Name not found near sprite tag!", path);
    char const *src = requiredAttribute(s, "src", "Source graphics not found near FRAMESET tag!", path);
    bool hiKvalita = s->Attribute("lowKvalita") == nullptr;
    bool smooth = s->Attribute("smooth") != nullptr;
    bool holdInMemory = s->Attribute("holdInMemory") != nullptr;

    ZSprite *sprite = new ZSprite(name);
    log(i, "/", n, ", NEW ZSprite ", name, " at ", sprite);
    pridejZSprite(sprite);
    if (g_loadingProgress) {
      g_loadingProgress("LOADING", 0.5f * (float)i / (float)n);
    }
    ++i;

    for (TiXmlElement *f = s->FirstChildElement("frameset"); f; f = f->NextSiblingElement("frameset")) {
      char const *fsName = requiredAttribute(f, "name", "Name not found near FRAMESET tag!", path);
      char const *repeatText = f->Attribute("repeatAnimation");
      bool repeat = repeatText == nullptr || toShort(repeatText) == 1;
      Frameset *frameset = new Frameset(src, fsName, repeat, hiKvalita, smooth, holdInMemory, false);
      log("NEW FRAMESET ", fsName, " at ", frameset, ", inserting into ZSprite at ", sprite);
      sprite->pridejFrameset(frameset);

      for (TiXmlElement *b = f->FirstChildElement("frameB"); b; b = b->NextSiblingElement("frameB")) {
        char const *frName = requiredAttribute(b, "name", "Name not found near FRAMEB tag!", path);
        short x = requiredNumber(b, "x", "X not found near FRAMEB tag!", path);
        short y = requiredNumber(b, "y", "Y not found near FRAMEB tag!", path);
        short w = requiredNumber(b, "w", "W not found near FRAMEB tag!", path);
        short h = requiredNumber(b, "h", "H not found near FRAMEB tag!", path);
        short delay = requiredNumber(b, "delay", "DELAY not found near FRAMEB tag!", path);
        short bX = requiredNumber(b, "bX", "BX not found near FRAMEB tag!", path);
        short bY = requiredNumber(b, "bY", "BY not found near FRAMEB tag!", path);
        short bW = requiredNumber(b, "bW", "BW not found near FRAMEB tag!", path);
        short bH = requiredNumber(b, "bH", "BH not found near FRAMEB tag!", path);
        short aX = optionalNumber(b, "aX", 0);
        short aY = optionalNumber(b, "aY", 0);
        short aW = optionalNumber(b, "aW", 0);
        short aH = optionalNumber(b, "aH", 0);
        short sortY = optionalNumber(b, "sortY", -1);

        Frame *frame = new Frame(frName, (unsigned int)(int)x, (unsigned int)(int)y, (unsigned int)(int)w,
                                 (unsigned int)(int)h, (unsigned int)(int)delay, bX, bY, (unsigned int)(int)bW,
                                 (unsigned int)(int)bH, sortY, aX, aY, aW, aH);
        frame->setWordsBox({optionalNumber(b, "wX", 0), optionalNumber(b, "wY", 0), optionalNumber(b, "wW", 0),
                            optionalNumber(b, "wH", 0)});
        log("NEW FRAME ", frName, " at ", frame, ", inserting into frameset at ", frameset, " ", x, " ", y, " ", w,
            " ", h, " ", " ax:", aX, " ay:", aY, " aw:", aW, " ah:", aH);
        frameset->pridejFrame(frame);
      }
      // A frameset without frames cannot be drawn or copied; better to stop here than crash later.
      if (frameset->getPocetFramu() == 0)
        fatalDataError(std::string("No FRAMEB found in FRAMESET ") + fsName + " of ZSprite " + name + "!", path,
                       f->Row(), -1);
    }
    if (sprite->getPocetFramesetu() == 0)
      fatalDataError(std::string("No FRAMESET found in ZSprite ") + name + "!", path, s->Row(), -1);
  }
}
