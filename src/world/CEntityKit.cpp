#include "world/CCaption.h"
#include "world/CEntityKit.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "media/Frameset.h"
#include "media/ZSprite.h"

#include "media/CFontSeznam.h"
#include "media/CSoundEngine.h"
#include "world/CMapEntitiesCollection.h"
#include "world/CMapEntitiesFactory.h"
#include "world/CMapEntity_Game.h"
#include "world/CMapEntity_TextBox.h"
#include "world/CWorldEngine.h"
#include "world/kinds/EntityIds.h"

namespace entitykit {

CMapEntity_Game *cursor(CMapEntitiesCollection *c) { return c ? c->getEntityByID(kCursorID) : nullptr; }

bool underCursor(CMapEntitiesCollection *c, CMapEntity *widget) {
  CMapEntity_Game *k = cursor(c);
  return k && widget && k->hits().isActionCollisionWithEntity(widget);
}

CMapEntity_Game *open(CMapEntitiesCollection *c, const std::string &name, float x, float y) {
  CMapEntity_Game *e = CMapEntitiesFactory::instance()->cloneEntity(name);
  if (!e) return nullptr;
  e->setXY(x, y);
  if (c) c->addEntity(e);
  return e;
}

CMapEntity_Game *heartBeside(CMapEntitiesCollection *c, const CMapEntity *patient, const std::string &prototype) {
  return open(c, prototype, patient->getX() + 15.0f, patient->getY() + 20.0f);
}

CMapEntity_Game *carry(CMapEntity *carrier, const std::string &name, float xOffset, float yOffset) {
  CMapEntity_Game *e = CMapEntitiesFactory::instance()->cloneEntity(name);
  if (!e) return nullptr;
  e->setXOffset(xOffset, false);
  e->setYOffset(yOffset, false);
  carrier->addEntity(e, true, true);
  return e;
}

void playSound(const std::string &key) {
  CWorldEngine *host = CWorldEngine::running();
  if (host && host->getSoundEngine()) host->getSoundEngine()->playSound(key);
}

KText *font(const std::string &name) {
  CWorldEngine *host = CWorldEngine::running();
  CFontSeznam *fonts = host ? host->getFontSeznam() : nullptr;
  if (!fonts) return nullptr;
  fonts->setAktivniFont(name);
  return fonts->getAktivniFont();
}

KText *loadedFont(const std::string &name) {
  CWorldEngine *host = CWorldEngine::running();
  CFontSeznam *fonts = host ? host->getFontSeznam() : nullptr;
  if (!fonts) return nullptr;
  fonts->setAktivniFont(name);
  return fonts->getAktivniFontNazev() == name ? fonts->getAktivniFont() : nullptr;
}

CMapEntity_Game *refusal(CMapEntitiesCollection *c, float x, float y, const std::string &why) {
  return c ? CCaption::sayPlainly(c, x, y, why, TCaptionKind::Blocked) : nullptr;
}

CMapEntity_Game *refuse(CMapEntitiesCollection *c, float x, float y, const std::string &why) {
  playSound("NONO");
  return refusal(c, x, y, why);
}

namespace {
struct TPiece {
  CMapEntity *e;
  float w, h;
};

// The parts that show: hidden ones and see-through auras do not count towards the size.
void showingParts(CMapEntity *e, std::vector<TPiece> &out) {
  ZSprite *s = e->looks().getSprite();
  Frameset *f = s ? s->getAktivniFrameset() : nullptr;
  if (e->looks().getVisible() && e->looks().getAlpha() != 0.0f && f && f->getAktivniSirka() > 0)
    out.push_back({e, (float)f->getAktivniSirka(), (float)f->getAktivniVyska()});
  const std::vector<CMapEntity *> &carried = e->carrying().getContainedList();
  for (size_t i = 1; i < carried.size(); ++i) showingParts(carried[i], out);
}
} // namespace

void fitInto(CMapEntity *picture, float left, float top, float width, float height) {
  if (!picture || !picture->carrying().getParent()) return;
  std::vector<TPiece> parts;
  showingParts(picture, parts);
  if (parts.empty()) return;
  float x0 = parts[0].e->getX(), y0 = parts[0].e->getY(), x1 = x0, y1 = y0;
  for (const TPiece &p : parts) {
    x0 = std::min(x0, p.e->getX());
    y0 = std::min(y0, p.e->getY());
    x1 = std::max(x1, p.e->getX() + p.w);
    y1 = std::max(y1, p.e->getY() + p.h);
  }
  const float w = x1 - x0, h = y1 - y0;
  if (x0 >= left && y0 >= top && x1 <= left + width && y1 <= top + height) return;
  const float z = std::min(1.0f, std::min(width / w, height / h));
  // Each part is drawn zoomed about its own middle: the middles move towards the box's middle
  // by the same factor, so the whole shrinks as one picture.
  const float bx = left + (width - w * z) / 2, by = top + (height - h * z) / 2;
  auto placed = [&](CMapEntity *e, float pw, float ph, float &nx, float &ny) {
    nx = bx + (e->getX() + pw / 2 - x0) * z - pw / 2;
    ny = by + (e->getY() + ph / 2 - y0) * z - ph / 2;
  };
  std::vector<CMapEntity *> tree;
  std::vector<std::pair<float, float>> at;
  std::vector<CMapEntity *> stack{picture};
  while (!stack.empty()) {
    CMapEntity *e = stack.back();
    stack.pop_back();
    ZSprite *s = e->looks().getSprite();
    Frameset *f = s ? s->getAktivniFrameset() : nullptr;
    const float pw = f ? (float)f->getAktivniSirka() : 0.0f, ph = f ? (float)f->getAktivniVyska() : 0.0f;
    float nx, ny;
    placed(e, pw, ph, nx, ny);
    tree.push_back(e);
    at.push_back({nx, ny});
    const std::vector<CMapEntity *> &carried = e->carrying().getContainedList();
    for (size_t i = 1; i < carried.size(); ++i) stack.push_back(carried[i]);
  }
  for (size_t i = 0; i < tree.size(); ++i) {
    CMapEntity *parent = tree[i]->carrying().getParent();
    float px = parent->getX(), py = parent->getY();
    for (size_t j = 0; j < i; ++j)
      if (tree[j] == parent) {
        px = at[j].first;
        py = at[j].second;
      }
    tree[i]->setXOffset(at[i].first - px, false);
    tree[i]->setYOffset(at[i].second - py, false);
  }
  picture->setZoom(z);
  for (CMapEntity *e : tree) e->syncWithParentPosition();
}

} // namespace entitykit
