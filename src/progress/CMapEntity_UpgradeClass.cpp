#include "progress/CMapEntity_UpgradeClass.h"

#include <string>

#include "core/CPlayer.h"
#include "core/CUpgradeCatalogue.h"
#include "engine/KText.h"
#include "progress/ShopKit.h"
#include "world/CMapEntity_TextBox.h"
#include "world/TVariable.h"
#include "world/kinds/EntityIds.h"

using namespace shopkit;

namespace {
int money() {
  CPlayer *p = player();
  return p ? p->getMoney() : 0;
}
} // namespace

CMapEntity_UpgradeClass::CMapEntity_UpgradeClass(unsigned short x, unsigned short y, bool solid)
    : CCloneable(x, y, solid), prices{0}, upgradeText("EMPTY") {
  setEntityClassID(kShopItemClass);
  setWalkPenalty(200);
  health = 100;
  exportVariable("upgradetext", TVariable::STRING, &upgradeText);
}

CMapEntity_UpgradeClass::CMapEntity_UpgradeClass(const CMapEntity_UpgradeClass &o)
    : CCloneable(o), starIndex(o.starIndex), perk(o.perk), upgradeText(o.upgradeText), bought(o.bought) {
  if (!perk) prices = o.prices;
}

void CMapEntity_UpgradeClass::takeCatalogueEntry() {
  const TUpgradeInfo *info = CUpgradeCatalogue::najdi(getEntityID());
  if (!info) return;
  prices.assign(info->prices.begin(), info->prices.end());
  perk = info->perk ? 1 : 0;
}

int CMapEntity_UpgradeClass::nextPrice() const {
  const long next = (long)starIndex + 1;
  if (next < 0 || next >= (long)prices.size()) return -1;
  return prices[(size_t)next];
}

int CMapEntity_UpgradeClass::basketPrice() const {
  if (perk) return 0;
  int p = nextPrice();
  return p < 0 ? 0 : p;
}

void CMapEntity_UpgradeClass::setupPuntiky() {
  if (!perk) {
    if (nextPrice() != -1) carry(this, "UPGRADEOK", 230, 10);
    for (int i = 0; i + 1 < (int)prices.size(); ++i) carry(this, "PUNTIK", 65.0f + 23.0f * (float)i, i % 2 == 0 ? 25.0f : 15.0f);
    refresh();
  }
  // The note's long tail ends 7 px inside this row's top left, clear of the row above.
  CMapEntity_Game *help = carry(this, "UPGRADEHELP", -85, -200);
  if (!help) return;
  if (auto *box = dynamic_cast<CMapEntity_TextBox *>(help->getContainedEntity(kTextBoxID))) box->text = upgradeText;
  help->looks().setVisible(false);
}

void CMapEntity_UpgradeClass::setStarIndex(int value) {
  const int top = (int)prices.size() - 1;
  starIndex = value > top ? top : value;
  refresh();
}

void CMapEntity_UpgradeClass::refresh() {
  const std::vector<CMapEntity *> &carried = carrying().getContainedList();
  int counter = 1;
  for (size_t i = 1; i < carried.size(); ++i) {
    if (carried[i]->getEntityID() != kPuntikID || counter > starIndex) continue;
    carried[i]->changeFrameset("FULL");
    ++counter;
  }
  CMapEntity *buy = getContainedEntity(kBuyButtonID);
  if (!buy) return;
  if (!perk && nextPrice() == -1) buy->setKill(true);
  if (money() < (perk ? 0 : nextPrice())) buy->setKill(true);
}

void CMapEntity_UpgradeClass::renderAdditional(KGraphic *g) {
  CMapEntity_Game::renderAdditional(g);
  if (perk) return;
  KText *f = font("gamefont");
  if (!f) return;
  const int price = nextPrice();
  if (money() < price) f->setColor(0.6f, 0.0f, 0.0f, 1.0f);
  else f->setColor(0.0f, 0.6f, 0.0f, 1.0f);
  if (price != -1) f->drawStringFromLeft(("$" + std::to_string(price)).c_str(), (long)(x + 169.0f), (long)(y + 25.0f), 0.0f);
  f->setColor(0.0f, 0.0f, 0.0f, 1.0f);
}

CMapEntity_UpgradeOK::CMapEntity_UpgradeOK(const CMapEntity_UpgradeOK &o) : CCloneable(o) {
  carry(this, "MAGNET", -5, 15);
  carry(this, "MAGNET", 75, 10);
  setAlpha(1.0f, true);
}

void CMapEntity_UpgradeOK::renderAdditional(KGraphic *g) {
  CMapEntity_Game::renderAdditional(g);
  KText *f = font("gamefont");
  if (!f) return;
  f->setColor(0.36f, 0.30f, 0.23f, 1.0f);
  f->drawStringCentered("BUY", (long)x, (long)(x + 87.0f), (long)(y + 12.0f), 0.0f);
  f->setColor(0.0f, 0.0f, 0.0f, 1.0f);
}

CMapEntity_UpgradeHelp::CMapEntity_UpgradeHelp(const CMapEntity_UpgradeHelp &o) : CCloneable(o) {
  auto *box = dynamic_cast<CMapEntity_TextBox *>(carry(this, "TEXTBOX", 42, 20));
  if (!box) return;
  box->boxWidth = 60;
  box->fontName = "small2";
  box->spacing = 1;
}
