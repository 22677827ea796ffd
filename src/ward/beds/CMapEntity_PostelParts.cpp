#include "ward/beds/CMapEntity_PostelParts.h"

#include <cstring>
#include <string>

#include "engine/KText.h"
#include "media/CFontSeznam.h"
#include "media/GameGlobals.h"
#include "media/ZSprite.h"
#include "media/ZSpriteFactory.h"
#include "world/CEntityKit.h"
#include "world/CWorldEngine.h"
#include "world/kinds/CMapEntity_PostelClass.h"

namespace {
struct TRailText {
  const char *bed;
  int numberX, numberY;
  int multiplierX, multiplierY;
  // The number is drawn in black with the rail's alpha and the font's colour put back after.
  bool blackNumber;
  bool resetColour;
};

const TRailText kRails[] = {
    {"POSTEL1", 63, 76, 80, 85, true, true},   {"POSTEL2", 63, 76, 80, 85, true, true},
    {"POSTEL3", 61, 77, 80, 85, true, true},   {"POSTEL3B", 61, 77, 80, 85, true, true},
    {"POSTEL4", 61, 75, 80, 75, true, false},  {"POSTEL4B", 61, 75, 80, 75, true, false},
    {"POSTEL5", 62, 74, 80, 85, true, false},  {"POSTEL5B", 62, 74, 80, 85, true, false},
    {"POSTEL5C", 57, 67, 0, 0, false, false},
};

struct TSkin {
  const char *blanket;
  const char *sprite;
  float yOffset;
  bool withAlpha;
};

const TSkin kSkins[] = {
    {"POSTEL1PRIKRYVKA", "POSTEL1PRIKRYVKA_SKIN", -37, true},
    {"POSTEL2PRIKRYVKA", "POSTEL1PRIKRYVKA_SKIN", -37, true},
    {"POSTEL3PRIKRYVKA", "POSTEL3PRIKRYVKA_SKIN", -40, true},
    {"POSTEL3BPRIKRYVKA", "POSTEL3PRIKRYVKA_SKIN", -40, true},
    {"POSTEL4PRIKRYVKA", "POSTEL1PRIKRYVKA_SKIN", -37, false},
    {"POSTEL4BPRIKRYVKA", "POSTEL1PRIKRYVKA_SKIN", -37, false},
    {"POSTEL5PRIKRYVKA", "POSTEL1PRIKRYVKA_SKIN", -37, true},
    {"POSTEL5BPRIKRYVKA", "POSTEL1PRIKRYVKA_SKIN", -37, true},
};

const TSkin *skinOf(const std::string &name) {
  for (const TSkin &s : kSkins)
    if (name == s.blanket) return &s;
  return nullptr;
}

} // namespace

void CMapEntity_PostelDolniMriz::renderAdditional(KGraphic *) {
  CMapEntity_PostelClass *bed = dynamic_cast<CMapEntity_PostelClass *>(carrying().getParent());
  if (!bed) return;
  const TRailText *t = nullptr;
  for (const TRailText &r : kRails)
    if (bed->name == r.bed) t = &r;
  if (!t) return;
  float a = looks().getAlpha();
  if (!t->blackNumber && a != 1.0f && a != -1.0f) return;
  KText *font = entitykit::loadedFont("bed");
  if (!font) return;
  if (t->blackNumber) font->setColor(0.0f, 0.0f, 0.0f, a == -1.0f ? 1.0f : a);
  font->drawStringFromLeft((long)bed->getBedNumber(), (long)(getX() + (float)t->numberX), (long)(getY() + (float)t->numberY),
                           0.0f);
  if (t->resetColour) font->setColor(1.0f, 1.0f, 1.0f, 1.0f);
  // Shown on an empty bed too: it tells which bed the next patient of its colour continues.
  if (!t->blackNumber || bed->getBonusMultiplier() == 1) return;
  KText *bonus = entitykit::loadedFont("bonus");
  if (!bonus) return;
  uint16_t c = bed->getColour() < 256 ? bed->getColour() : (uint16_t)0;
  bonus->setColor(paleta[c][0], paleta[c][1], paleta[c][2], 1.0f);
  std::string text = "x" + std::to_string(bed->getBonusMultiplier());
  bonus->drawStringFromLeft(text.c_str(), (long)(getX() + (float)t->multiplierX),
                            (long)(getY() + (float)t->multiplierY), 0.0f);
  bonus->setColor(1.0f, 1.0f, 1.0f, 1.0f);
}

CMapEntity_PostelPrikryvka::CMapEntity_PostelPrikryvka(const CMapEntity_PostelPrikryvka &o) : CCloneable(o) {
  const TSkin *s = skinOf(name);
  if (!s || !spriteFactory) return;
  blanketSkin = spriteFactory->cloneSprite(s->sprite);
  if (blanketSkin) blanketSkin->nastavFrameset("FRAMESET1");
  setSynchronize(false);
}

CMapEntity_PostelPrikryvka::~CMapEntity_PostelPrikryvka() { delete blanketSkin; }

void CMapEntity_PostelPrikryvka::collectPictures(std::vector<unsigned int> &out) const {
  CMapEntity_Game::collectPictures(out);
  if (blanketSkin) blanketSkin->collectSurfaces(out);
}

// The skin starts the blanket's frameset afresh every frame.
void CMapEntity_PostelPrikryvka::animateAdditional() {
  CMapEntity_Game::animateAdditional();
  if (!blanketSkin || !skinOf(name) || !looks().getSprite()) return;
  int index = looks().getSprite()->getAktivniIndex();
  if (index >= 0 && (unsigned)index < blanketSkin->getPocetFramesetu()) blanketSkin->nastavFrameset(index);
  blanketSkin->step();
}

void CMapEntity_PostelPrikryvka::renderAdditional(KGraphic *g) {
  const TSkin *s = skinOf(name);
  if (!blanketSkin || !s || !looks().getSprite()) return;
  blanketSkin->x = (uint32_t)(int32_t)getX();
  blanketSkin->y = (uint32_t)(int32_t)(getY() + s->yOffset);
  if (s->withAlpha) {
    float a = looks().getAlpha();
    blanketSkin->putAlpha(g, a == -1.0f ? 1.0f : a, 1.0f, -1, -1, -1, -1);
  } else {
    blanketSkin->put(g, 1.0f, -1, -1, -1, -1);
  }
}

CMapEntity_Aura::~CMapEntity_Aura() {
  if (CMapEntity_Game *carrier = dynamic_cast<CMapEntity_Game *>(carrying().getParent()))
    if (carrier->getHighlight() == this) carrier->setHighlight(nullptr);
}
