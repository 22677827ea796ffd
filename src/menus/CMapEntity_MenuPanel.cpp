#include "menus/CMapEntity_MenuPanel.h"

#include <string>

#include "core/CEngine.h"
#include "core/CProfiles.h"
#include "menus/CMapEntity_MenuButton.h"
#include "menus/MenuKit.h"
#include "world/kinds/CMapEntity_MapkaLogo.h"

using menukit::carry;

void CMapEntity_MenuPanel::drawTitle(const char *title) {
  if (looks().getAlpha() == -1.0f) setAlpha(1.0f, false);
  menukit::drawCentred("gamefont", title, x + 96.0f, x + 221.0f, y + 45.0f, 0.0f, 0.39f, 0.51f, looks().getAlpha());
  menukit::drawCentred("gamefont", title, x + 97.0f, x + 222.0f, y + 45.0f, 0.0f, 0.39f, 0.51f, looks().getAlpha());
}

CMapEntity_MainMenu::CMapEntity_MainMenu(const CMapEntity_MainMenu &o) : CCloneable(o) {
  CEngine *running = CEngine::running();
  const bool saved = running && running->saveExists();
  const float top = saved ? 136.0f : 115.0f;
  carry(this, "MENUBUTTONNEWGAME", 50.0f, top);
  carry(this, "MENUBUTTONOPTIONS", 50.0f, top + 50.0f);
  carry(this, "MENUBUTTONPROFILES", 50.0f, top + 100.0f);
  carry(this, "MENUBUTTONQUIT", 50.0f, top + 150.0f);
  if (saved) carry(this, "MENUBUTTONCONTINUE", 50.0f, 86.0f);
  carry(this, "MENUCLOSE", 272.0f, 10.0f);
}

void CMapEntity_MainMenu::renderAdditional(KGraphic *) {
  CProfiles *profiles = CProfiles::getCurrent();
  if (profiles && profiles->getAktivniIndex() >= 0) {
    const std::string name = profiles->getAktivniProfilName();
    const std::string greeting = "Hi, " + name + "! Click 'Change Player' if you are not " + name;
    for (int x0 = 0; x0 <= 4; ++x0)
      for (int y0 = 579; y0 <= 581; ++y0)
        menukit::drawCentred("gamefont", greeting, (float)x0, (float)x0 + 800.0f, (float)y0, 0, 0, 0, 1.0f);
    menukit::drawCentred("gamefont", greeting, 2.0f, 802.0f, 580.0f, 1.0f, 1.0f, 1.0f, 1.0f);
  }
  drawTitle("MENU");
}

CMapEntity_OptionsMenu::CMapEntity_OptionsMenu(const CMapEntity_OptionsMenu &o) : CCloneable(o) {
  setSynchronize(false);
  carry(this, "MENUCHECKBOXFULLSCREEN", 50.0f, 99.0f);
  carry(this, "MUSICSLIDERBASE", 50.0f, 149.0f);
  carry(this, "SOUNDSLIDERBASE", 50.0f, 199.0f);
  carry(this, "MENUBUTTONCREDITS", 50.0f, 249.0f);
  carry(this, "MENUBUTTONVIDEOBACK", 50.0f, 299.0f);
  carry(this, "MENUCLOSE", 272.0f, 10.0f);
}

void CMapEntity_OptionsMenu::renderAdditional(KGraphic *) { drawTitle("OPTIONS"); }

CMapEntity_SoundMenu::CMapEntity_SoundMenu(const CMapEntity_SoundMenu &o) : CCloneable(o) {
  carry(this, "MUSICSLIDERBASE", 45.0f, 14.0f);
  carry(this, "SOUNDSLIDERBASE", 45.0f, 64.0f);
  carry(this, "MENUBUTTONAUDIOBACK", 45.0f, 114.0f);
}

CMapEntity_VideoMenu::CMapEntity_VideoMenu(const CMapEntity_VideoMenu &o) : CCloneable(o) {
  setSynchronize(false);
  carry(this, "VIDEOSLIDERBASE", 45.0f, 14.0f);
  carry(this, "MENUCHECKBOXFULLSCREEN", 45.0f, 64.0f);
  carry(this, "MENUBUTTONVIDEOBACK", 45.0f, 114.0f);
}

CMapEntity_ProfilesMenu::CMapEntity_ProfilesMenu(const CMapEntity_ProfilesMenu &o) : CCloneable(o) {
  setSynchronize(false);
  if (CProfiles *profiles = CProfiles::getCurrent()) {
    const std::vector<std::string> &names = profiles->getNames();
    for (size_t i = 0; i < names.size(); ++i) {
      auto *b = dynamic_cast<CMapEntity_MenuButtonProfile *>(
          carry(this, "MENUBUTTONPROFILE", 45.0f, 74.0f + 50.0f * (float)i));
      if (!b) continue;
      b->label = names[i];
      b->slot = (int32_t)i;
    }
  }
  carry(this, "MENUCLOSE", 272.0f, 10.0f);
}

void CMapEntity_ProfilesMenu::renderAdditional(KGraphic *) { drawTitle("PLAYERS"); }

CMapEntity_PlayerMenu::CMapEntity_PlayerMenu(const CMapEntity_PlayerMenu &o) : CCloneable(o) {
  setSynchronize(false);
  carry(this, "MENUBUTTONMALE", 63.0f, 125.0f);
  carry(this, "MENUBUTTONFEMALE", 196.0f, 125.0f);
  carry(this, "MENUBUTTONNEWGAMEBACK", 45.0f, 320.0f);
  carry(this, "MENUCLOSE", 272.0f, 10.0f);
}

void CMapEntity_PlayerMenu::renderAdditional(KGraphic *) { drawTitle("PICK YOUR HERO"); }

namespace {
// The dark screen under the panel and the plaque above it, both carried so they fade with it.
void carryCover(CMapEntity *panel, const char *caption) {
  if (CMapEntity_Game *dark = carry(panel, "DARKSCREEN", 0.0f, 0.0f)) dark->setSortZ(0, false);
  CMapEntity_Game *plate = carry(panel, "MAPKALOGO", 72.0f, -46.0f);
  if (!plate) return;
  if (auto *plaque = dynamic_cast<CMapEntity_MapkaLogo *>(plate)) plaque->caption = caption;
  plate->setSortZ(8, false);
}
} // namespace

CMapEntity_IngameMenu::CMapEntity_IngameMenu(const CMapEntity_IngameMenu &o) : CCloneable(o) {
  carryCover(this, "menu");
  carry(this, "MENUBUTTONCONTINUEINGAME", 50.0f, 89.0f);
  carry(this, "MENUBUTTONRESTART", 50.0f, 139.0f);
  if (auto *b = dynamic_cast<CMapEntity_MenuButton *>(carry(this, "MENUBUTTONNEWGAME", 50.0f, 189.0f)))
    b->label = "MAIN MENU";
  carry(this, "MENUBUTTONOPTIONSINGAME", 50.0f, 239.0f);
  carry(this, "MENUBUTTONQUIT", 50.0f, 289.0f);
  carry(this, "MENUCLOSE", 272.0f, 10.0f);
}

CMapEntity_OptionsIngameMenu::CMapEntity_OptionsIngameMenu(const CMapEntity_OptionsIngameMenu &o) : CCloneable(o) {
  setSynchronize(false);
  carryCover(this, "options");
  carry(this, "MENUCHECKBOXFULLSCREEN", 50.0f, 114.0f);
  carry(this, "MUSICSLIDERBASE", 50.0f, 164.0f);
  carry(this, "SOUNDSLIDERBASE", 50.0f, 214.0f);
  carry(this, "MENUBUTTONTOMAIN", 50.0f, 264.0f);
  carry(this, "MENUCLOSE", 272.0f, 10.0f);
}
