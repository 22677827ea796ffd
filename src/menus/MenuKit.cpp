#include "menus/MenuKit.h"

#include <algorithm>

#include "engine/KText.h"
#include "media/CFontSeznam.h"
#include "media/CSoundEngine.h"
#include "world/CMapEntitiesCollection.h"
#include "world/CMapEntitiesFactory.h"
#include "world/CMapEntity_Game.h"
#include "world/CWorldEngine.h"
#include "menus/CMapEntity_MenuPanel.h"
#include "menus/CMapEntity_MenuQuestionWindow.h"

namespace menukit {

void placeWidget(CMapEntity_Game *widget, unsigned short x, unsigned short y, unsigned int classID) {
  widget->setEntityClassID(classID);
  widget->setXY(x, y);
  widget->setWalkPenalty(200);
  widget->health = 100;
  widget->approachX = 32;
  widget->approachY = 50;
}

CMapEntity_Game *cursor(CMapEntitiesCollection *c) {
  if (CMapEntity_Game *first = entitykit::cursor(c)) return first;
  return c ? c->getEntityByID(kSecondCursorID) : nullptr;
}

bool underCursor(CMapEntitiesCollection *c, CMapEntity *widget) {
  CMapEntity_Game *pointer = cursor(c);
  return pointer && widget && pointer->hits().isActionCollisionWithEntity(widget) && widget->looks().getAlpha() == 1.0f;
}

void hover(CMapEntitiesCollection *c, CMapEntity *widget, int &hovered) {
  if (!widget) return;
  if (underCursor(c, widget)) {
    hovered = 1;
    widget->resetFlash();
  }
  if (hovered) widget->effectFlash(0.1f, 0.35f, true);
}

CMapEntity_Game *openModal(CMapEntitiesCollection *c, const std::string &name, float x, float y) {
  std::vector<CMapEntity *> before = focusedTopLevel(c);
  CMapEntity_Game *e = open(c, name, x, y);
  if (!e) return nullptr;
  if (CMenuModal *m = dynamic_cast<CMenuModal *>(e)) m->focusBefore.assign(before.begin(), before.end());
  if (c) c->focus(e, nullptr);
  // The panels behind stop updating, so a widget's hover glow would stay lit until it closes.
  // Only panels: a flashing thing of the ward or map keeps its flash for afterwards.
  for (CMapEntity *behind : before)
    if (dynamic_cast<CMapEntity_MenuPanel *>(behind)) behind->endFlash();
  return e;
}

CMapEntity_Game *openMessage(CMapEntitiesCollection *c, const std::string &text) {
  CMapEntity_Game *e = openModal(c, "MENUMESSAGEWINDOW", 261.0f, 200.0f);
  if (auto *window = dynamic_cast<CMenuModal *>(e)) window->setText(text);
  return e;
}

void closeIfOpen(CMapEntitiesCollection *c, unsigned int id) {
  if (!c) return;
  if (CMapEntity_Game *e = c->getEntityByID(id)) e->setKill(true);
}

void killCarried(CMapEntity *carrier, unsigned int id) {
  const std::vector<CMapEntity *> &list = carrier->carrying().getContainedList();
  for (size_t i = 1; i < list.size(); ++i)
    if (list[i]->getEntityID() == id) list[i]->setKill(true);
}

void drawCentred(const std::string &fontName, const std::string &text, float x1, float x2, float y, float red,
                 float green, float blue, float alpha) {
  KText *f = font(fontName);
  if (!f) return;
  f->setColor(red, green, blue, alpha);
  f->drawStringCentered(text.c_str(), (long)x1, (long)x2, (long)y, 0.0f);
  f->setColor(0.0f, 0.0f, 0.0f, 1.0f);
}

std::vector<CMapEntity *> focusedTopLevel(CMapEntitiesCollection *c) {
  std::vector<CMapEntity *> out;
  if (!c) return out;
  for (CMapEntity_Game *e : *c->getEntitiesPtr()) {
    if (!e->getFocus() || e->getKill()) continue;
    // The status bar's menu button keeps the focus while the bar lost it.
    if (!e->carrying().getParent() || !e->carrying().getParent()->getFocus()) out.push_back(e);
  }
  return out;
}

void restoreFocus(CMapEntitiesCollection *c, const std::vector<TEntityRef<CMapEntity>> &focused) {
  if (!c) return;
  if (focused.empty()) {
    c->unfocus(nullptr);
    return;
  }
  auto listed = [&](const CMapEntity *e) {
    return std::any_of(focused.begin(), focused.end(), [e](const TEntityRef<CMapEntity> &f) { return f.is(e); });
  };
  for (CMapEntity_Game *e : *c->getEntitiesPtr())
    if (!e->carrying().getParent()) e->setFocus(listed(e));
  for (CMapEntity_Game *e : *c->getEntitiesPtr())
    if (e->carrying().getParent() && listed(e)) e->setFocus(true);
}

} // namespace menukit
