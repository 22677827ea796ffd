#include <cstdint>

#include "core/CLoadingScreen.h"
#include "events/CMapEntity_Bacily.h"
#include "events/CMapEntity_BacilyGenerator.h"
#include "events/CMapEntity_DNA.h"
#include "events/CMapEntity_MiniGameOver.h"
#include "events/CMapEntity_MiniGameSummaryWindow.h"
#include "events/CMapEntity_Miska.h"
#include "events/CMapEntity_Motyl.h"
#include "events/CMapEntity_Opicka.h"
#include "events/CMapEntity_Podium.h"
#include "events/CMapEntity_Sasek.h"
#include "game/CStartupTables.h"
#include "guidance/CMapEntity_CareTips.h"
#include "guidance/CMapEntity_Tips.h"
#include "guidance/CMapEntity_TutorialClass.h"
#include "guidance/CMapEntity_TutorialSteps.h"
#include "media/CFatal.h"
#include "media/ZSprite.h"
#include "media/makeString.h"
#include "menus/CMapEntity_Credits.h"
#include "menus/CMapEntity_MenuButton.h"
#include "menus/CMapEntity_MenuCheckbox.h"
#include "menus/CMapEntity_MenuIcons.h"
#include "menus/CMapEntity_MenuInputbox.h"
#include "menus/CMapEntity_MenuPanel.h"
#include "menus/CMapEntity_MenuQuestionWindow.h"
#include "menus/CMapEntity_SliderBase.h"
#include "patients/CMapEntity_ObtiznostAdjuster.h"
#include "patients/CMapEntity_Pacienti.h"
#include "patients/CMapEntity_Rodice.h"
#include "progress/CMapEntity_Hodiny.h"
#include "progress/CMapEntity_HospitalUpgrade.h"
#include "progress/CMapEntity_LevelCompleted.h"
#include "progress/CMapEntity_MapDecoration.h"
#include "progress/CMapEntity_Notes.h"
#include "progress/CMapEntity_PerkIcons.h"
#include "progress/CMapEntity_Sesit.h"
#include "progress/CMapEntity_StatusBar.h"
#include "progress/CMapEntity_SummarySesit.h"
#include "progress/CMapEntity_UpgradeClass.h"
#include "progress/CMapEntity_UpgradeMenu.h"
#include "progress/CMapEntity_Victory.h"
#include "progress/CMapEntity_WindowClass.h"
#include "ward/beds/CMapEntity_Postel.h"
#include "ward/beds/CMapEntity_PostelParts.h"
#include "ward/cabinet/CMapEntity_Lek.h"
#include "ward/cabinet/CMapEntity_Lekarna.h"
#include "ward/dispensers/CMapEntity_Automat.h"
#include "ward/dispensers/CMapEntity_DrinkClass.h"
#include "ward/furniture/CMapEntity_Gauc.h"
#include "ward/furniture/CMapEntity_Vozik.h"
#include "ward/furniture/CMapEntity_Zidle.h"
#include "ward/player/CMapEntity_Player.h"
#include "ward/player/CMapEntity_PlayerHands.h"
#include "ward/staff/CAdderController.h"
#include "ward/staff/CMapEntity_Fixture.h"
#include "ward/staff/CMapEntity_Marker.h"
#include "ward/staff/CMapEntity_Opravar.h"
#include "ward/staff/CMapEntity_Prach.h"
#include "world/CMapEntitiesFactory.h"
#include "world/CMapEntity_Fader.h"
#include "world/CMapEntity_FrontaAkci.h"
#include "world/CMapEntity_Particle.h"
#include "world/CMapEntity_TextBox.h"
#include "world/CMapEntity_Visual.h"
#include "world/kinds/CMapEntity_MapkaLogo.h"
#include "world/kinds/CMapEntity_NemocnejBacily.h"
#include "world/kinds/CMapEntity_PyzamoRuka.h"
#include "world/kinds/CMapEntity_Tlakomer.h"

namespace {
typedef CMapEntity_Game *(*Maker)(bool solid);

template <class T> CMapEntity_Game *make(bool solid) { return new T(0, 0, solid); }
CMapEntity_Game *frontaAkci(bool) { return CMapEntity_FrontaAkci::makePrototype(); }
CMapEntity_Game *leftHand(bool solid) { return new CMapEntity_PlayerHand(0, 0, solid, true); }
CMapEntity_Game *rightHand(bool solid) { return new CMapEntity_PlayerHand(0, 0, solid, false); }
// Registered in table order, so the maker reads the kind from the row being registered.
const char *g_automatName = nullptr;
CMapEntity_Game *automat(bool) { return new CMapEntity_Automat(*CMapEntity_Automat::kindOf(g_automatName)); }

// The sprite of the prototype's own name.
const char *const SAME = nullptr;

unsigned short g_lastRow = 0;
unsigned int g_registered = 0;

// One row of the table: gathers the row's settings and registers the prototype when the row's
// statement ends.
class TRow {
public:
  TRow(unsigned short num, const char *name, uint32_t id, uint32_t cls, Maker maker, const char *sprite)
      : name_(name), id_(id), cls_(cls), maker_(maker), sprite_(sprite) {
    // Row numbers are the registration order that entity ID lookups (first match) rely on.
    if (num != g_lastRow + 1) fatalError("Prototype table out of order at row " + makeString(num), -1);
    g_lastRow = num;
  }
  TRow(const TRow &) = delete;
  TRow &operator=(const TRow &) = delete;
  ~TRow() { registerRow(); }

  // The class's own constructor sets everything; the row only constructs and registers.
  TRow &own() { own_ = true; return *this; }
  TRow &fs(const char *frameset) { frameset_ = frameset; return *this; }
  TRow &anim() { anim_ = true; return *this; }
  TRow &z(int z) { hasZ_ = true; z_ = z; return *this; }
  TRow &walk(int penalty) { walk_ = penalty; return *this; }
  TRow &noWalk() { walk_ = -1; return *this; }
  TRow &hp(int health) { hp_ = health; return *this; }
  TRow &solid() { solid_ = true; return *this; }
  TRow &nofocus() { nofocus_ = true; return *this; }
  TRow &click() { click_ = true; return *this; }
  TRow &drag() { drag_ = true; return *this; }
  TRow &hidden() { hidden_ = true; return *this; }
  TRow &limit(int n) { limit_ = n; return *this; }
  TRow &alpha(float a) { hasAlpha_ = true; alpha_ = a; return *this; }
  TRow &rgb() { rgb_ = true; return *this; }
  TRow &speed(float s) { hasSpeed_ = true; speed_ = s; return *this; }
  TRow &near(int x, int y) { hasNear_ = true; nearX_ = x; nearY_ = y; return *this; }
  // The class's own fields, set last before the prototype is added.
  TRow &with(void (*extra)(CMapEntity_Game *)) { extra_ = extra; return *this; }

private:
  void registerRow() {
    // A class with nothing of its own is a plain entity with the row's identity, sprite and settings.
    g_automatName = name_;
    CMapEntity_Game *e = maker_ ? maker_(solid_) : new CMapEntity_Game(0, 0, solid_);
    if (!own_ || !maker_) {
      e->setEntityClassID(cls_);
      e->setEntityID(id_);
      e->looks().setSprite(sprite_ ? sprite_ : name_);
      e->name = name_;
      if (e->looks().getSprite()) e->looks().getSprite()->nastavFrameset(frameset_);
      if (anim_) e->zapniAnimace();
      if (hasZ_) e->setSortZ(z_, false);
      e->setXY(0.0f, 0.0f);
      if (walk_ >= 0) e->setWalkPenalty((unsigned short)walk_);
      e->health = (uint16_t)hp_;
      if (nofocus_) e->setFocusable(false);
      if (click_) e->setMouseClick(true);
      if (drag_) e->setMouseDrag(true);
      if (limit_ >= 0) e->setContainedLimit((unsigned short)limit_);
      if (hasAlpha_) e->setAlpha(alpha_, true);
      if (rgb_) e->setRGB(1.0f, 1.0f, 1.0f, true);
      if (hidden_) e->looks().setVisible(false);
      if (hasNear_) {
        e->approachX = nearX_;
        e->approachY = nearY_;
      }
      if (hasSpeed_) e->speedX = speed_;
      if (extra_) extra_(e);
    }
    CMapEntitiesFactory::instance()->addEntity(e);
    ++g_registered;
  }

  const char *name_;
  uint32_t id_;
  uint32_t cls_;
  Maker maker_;
  const char *sprite_;
  const char *frameset_ = "FRAMESET1";
  bool own_ = false;
  bool anim_ = false;
  bool hasZ_ = false;
  int z_ = 0;
  int walk_ = 200;
  int hp_ = 100;
  bool solid_ = false;
  bool nofocus_ = false;
  bool click_ = false;
  bool drag_ = false;
  bool hidden_ = false;
  int limit_ = -1;
  bool hasAlpha_ = false;
  float alpha_ = -1.0f;
  bool rgb_ = false;
  bool hasSpeed_ = false;
  float speed_ = 0.0f;
  bool hasNear_ = false;
  int nearX_ = 0;
  int nearY_ = 0;
  void (*extra_)(CMapEntity_Game *) = nullptr;
};

TRow r(unsigned short num, const char *name, uint32_t id, uint32_t cls, Maker maker, const char *sprite) {
  return TRow(num, name, id, cls, maker, sprite);
}

void textBox(CMapEntity_Game *e) {
  CMapEntity_TextBox *t = static_cast<CMapEntity_TextBox *>(e);
  t->text = "EMPTY TEXTBOX";
  t->fontName = "bonus";
  t->boxWidth = 250;
  t->boxHeight = 300;
  t->setAlpha(1.0f, true);
}

// Built as a text box first, then made the floating caption.
void bonusText(CMapEntity_Game *e) {
  textBox(e);
  CMapEntity_BonusText *b = static_cast<CMapEntity_BonusText *>(e);
  b->text = "BONUS TEXT";
  b->boxWidth = 300;
  b->boxHeight = 30;
  // Gold money captions unless their maker tints them; the font itself is white.
  b->textRed = 1.0f;
  b->textGreen = 0.8f;
  b->textBlue = 0.22f;
}

void upgradeItem(CMapEntity_Game *e) { static_cast<CMapEntity_UpgradeClass *>(e)->takeCatalogueEntry(); }

void starParticle(CMapEntity_Game *e) { static_cast<CMapEntity_Particle *>(e)->typ = CMapEntity_Particle::kBurst; }

// Every prototype of the game in registration order. Rows with a null maker belong to classes
// without fields or operations of their own (named in the row's comment) and register a plain
// entity.
void registerRows() {
  r(1, "KURZOR", 0, 32, make<CMapEntity_Kurzor>, SAME).fs("NEUTRAL").z(10).nofocus();
  r(2, "KURZOR2", 320, 32, make<CMapEntity_Kurzor2>, SAME).anim().z(10).nofocus();
  r(3, "STARPARTICLE", 392, 29, make<CMapEntity_StarParticle>, "PUNTIK").fs("FULL").z(8).hp(1).alpha(1.0f).with(starParticle);
  r(4, "MAPSTAR", 381, 0, make<CMapEntity_MapStar>, SAME).anim().z(5);
  r(5, "BALCONY", 358, 0, make<CMapEntity_Balcony>, SAME);
  r(6, "PLAYER", 7, 1, make<CMapEntity_Player>, "PLAYER1").own();
  r(7, "PLAYERLEFTDOWN", 600, 0, leftHand, "PLAYER1LEFTDOWN").own();
  r(8, "PLAYERRIGHTDOWN", 601, 0, rightHand, "PLAYER1RIGHTDOWN").own();
  r(9, "PLAYERRIGHTUP", 603, 0, make<CMapEntity_PlayerHandUp>, "PLAYER1RIGHTUP").limit(1);
  r(10, "PLAYERLEFTUP", 602, 0, make<CMapEntity_PlayerHandUp>, "PLAYER1LEFTUP").limit(1);
  r(11, "HELPWINDOW", 1002, 0, make<CMapEntity_HelpWindow>, "EMPTY").z(7);
  r(12, "SUMMARYWINDOW", 1017, 0, make<CMapEntity_SummaryWindow>, "EMPTY").z(7);
  r(13, "MINIGAMESUMMARYWINDOW", 323, 0, make<CMapEntity_MiniGameSummaryWindow>, "EMPTY").z(7);
  r(14, "MAPKALOGO", 356, 0, make<CMapEntity_MapkaLogo>, SAME).z(5).nofocus();
  r(15, "RECEPT", 44, 0, make<CMapEntity_Recept>, SAME);
  r(16, "LEKARNA", 45, 19, make<CMapEntity_LekarnaClass>, SAME).fs("EMPTY").click().with(makeLekarnaPrototype);
  r(17, "LEKARNAAURA", 61, 12, make<CMapEntity_LekarnaAura>, SAME);
  r(18, "LEKARNA2", 122, 19, make<CMapEntity_LekarnaClass>, SAME).fs("EMPTY").click().with(makeLekarnaPrototype);
  r(19, "LEKARNA2AURA", 123, 12, make<CMapEntity_LekarnaAura>, SAME);
  r(20, "LEKARNA3", 150, 19, make<CMapEntity_LekarnaClass>, SAME).fs("EMPTY").click().with(makeLekarnaPrototype);
  r(21, "LEKARNA3AURA", 151, 12, make<CMapEntity_LekarnaAura>, SAME);
  r(22, "LEKARNA4", 75, 19, make<CMapEntity_LekarnaClass>, SAME).fs("EMPTY").click().with(makeLekarnaPrototype);
  r(23, "LEKARNA4AURA", 76, 12, make<CMapEntity_LekarnaAura>, "LEKARNAAURA");
  r(24, "SESIT", 53, 33, make<CMapEntity_Sesit>, "INTROTABLE");
  r(25, "SUMMARYSESIT", 184, 33, make<CMapEntity_SummarySesit>, "OUTROTABLE");
  r(26, "MINIGAMESUMMARYSESIT", 324, 33, make<CMapEntity_MiniGameSummarySesit>, "OUTROTABLE").own();
  r(27, "ADDER", 10000, 0, make<CMapEntity_Adder>, "EMPTY");
  r(28, "DEADDER", 364, 0, make<CMapEntity_DeAdder>, "EMPTY");
  r(29, "MAPHOSPITAL1", 317, 0, make<CMapEntity_MapHospital1>, SAME).z(2);
  r(30, "MAPHOSPITAL2", 318, 0, make<CMapEntity_MapHospital2>, SAME).z(2).speed(0.1f);
  r(31, "MAPHOSPITAL3", 326, 0, make<CMapEntity_MapHospital3>, SAME).z(3);
  r(32, "MAPHOSPITAL4", 327, 0, make<CMapEntity_MapHospital4>, SAME).z(2);
  r(33, "MAPVLNY", 328, 0, make<CMapEntity_MapVlny>, SAME).anim();
  r(34, "MAPPERISKOP", 329, 0, make<CMapEntity_MapPeriskop>, SAME).anim();
  r(35, "MAPBIRDS", 335, 0, make<CMapEntity_MapBirds>, SAME).anim().z(1);
  r(36, "MAPEYES", 336, 0, make<CMapEntity_MapEyes>, SAME).anim().z(4);
  r(37, "MAPWINDOW", 337, 0, make<CMapEntity_MapWindow>, SAME).anim().z(2);
  r(38, "MAPPLANE", 330, 0, make<CMapEntity_MapPlane>, SAME).anim().z(6).nofocus();
  r(39, "MAPRIVER1", 349, 0, make<CMapEntity_MapRiver1>, SAME).anim().speed(0.25f);
  r(40, "MAPRIVER2", 350, 0, make<CMapEntity_MapRiver2>, SAME).anim().speed(0.25f);
  r(41, "VICTORYPLAYER", 383, 0, make<CMapEntity_VictoryPlayer>, "VICTORYPLAYERF").z(3);
  r(42, "VICTORYCONGRATS", 385, 0, make<CMapEntity_VictoryCongrats>, SAME).z(3);
  r(43, "VICTORYCONFETTI", 384, 0, make<CMapEntity_VictoryConfetti>, SAME).z(1);
  r(44, "MAPRIVERSTONE", 351, 0, make<CMapEntity_MapRiverStone>, SAME).anim().speed(0.25f);
  r(45, "MAPOPICE", 331, 0, make<CMapEntity_MapOpice>, SAME).anim().z(3);
  r(46, "MAPLODKY", 334, 0, make<CMapEntity_MapLodky>, SAME).anim();
  r(47, "MAPALIGATOR", 332, 0, make<CMapEntity_MapAligator>, SAME).anim();
  r(48, "MAPVLAJKA1", 339, 0, make<CMapEntity_MapVlajka1>, SAME).anim();
  r(49, "MAPVLAJKA2", 340, 0, make<CMapEntity_MapVlajka2>, SAME).anim().z(4);
  r(50, "MAPVLAJKA3", 341, 0, make<CMapEntity_MapVlajka3>, SAME).anim();
  r(51, "MAPVLAJKA4", 342, 0, make<CMapEntity_MapVlajka4>, SAME).anim();
  r(52, "MAPMADOVER", 346, 0, make<CMapEntity_MapMadOver>, SAME).z(2);
  r(53, "MAPCLOUD1", 343, 0, make<CMapEntity_MapCloud1>, SAME).anim().speed(0.25f);
  r(54, "MAPCLOUD2", 344, 0, make<CMapEntity_MapCloud2>, SAME).anim().speed(0.1f);
  r(55, "MAPCLOUD3", 345, 0, make<CMapEntity_MapCloud3>, SAME).anim().speed(0.2f);
  r(56, "MAPAUTICKA", 338, 0, make<CMapEntity_MapAuticka>, SAME).anim();
  r(57, "STATUSMENU", 310, 0, make<CMapEntity_StatusMenu>, SAME);
  r(58, "PERKSAREA", 394, 7, make<CMapEntity_PerksArea>, SAME).with(upgradeItem);
  r(59, "MISKA", 319, 0, make<CMapEntity_Miska>, SAME);
  r(60, "BACILY", 68, 27, make<CMapEntity_Bacily>, SAME).z(2);
  r(61, "BACILY2", 244, 27, make<CMapEntity_Bacily2>, SAME).z(2);
  r(62, "BACILY3", 245, 27, make<CMapEntity_Bacily3>, SAME).z(2);
  r(63, "BACILY4", 284, 27, make<CMapEntity_Bacily4>, SAME).z(2);
  r(64, "BACILY5", 285, 27, make<CMapEntity_Bacily5>, SAME).z(2);
  r(65, "BACILYGENERATOR", 69, 0, make<CMapEntity_BacilyGenerator>, "EMPTY");
  r(66, "BACILY2GENERATOR", 246, 0, make<CMapEntity_Bacily2Generator>, "EMPTY");
  r(67, "BACILY3GENERATOR", 247, 0, make<CMapEntity_Bacily3Generator>, "EMPTY");
  r(68, "BACILY4GENERATOR", 283, 0, make<CMapEntity_Bacily4Generator>, "EMPTY");
  r(69, "BACILY5GENERATOR", 286, 0, make<CMapEntity_Bacily5Generator>, "EMPTY");
  r(70, "OPICKAGENERATOR", 215, 0, make<CMapEntity_OpickaGenerator>, "EMPTY");
  r(71, "RODICE1", 129, 23, make<CMapEntity_RodiceClass>, SAME).fs("WAITING").drag();
  r(72, "RODICE2", 131, 23, make<CMapEntity_RodiceClass>, SAME).fs("WAITING").drag();
  r(73, "RODICE3", 132, 23, make<CMapEntity_RodiceClass>, SAME).fs("WAITING").drag();
  r(74, "DOKTORKA", 200, 0, make<CMapEntity_Doktorka>, SAME).fs("RIGHT").anim().near(32, 50);
  // Captions stand above the tip bubbles (layer 3) so that a tip never hides what was earned.
  r(75, "BONUSTEXT", 173, 0, make<CMapEntity_BonusText>, "EMPTY").z(4).with(bonusText);
  r(76, "UPGRADEMENU", 900, 0, make<CMapEntity_UpgradeMenu>, "UPGRADESESIT2").z(7);
  r(77, "UPGRADEOK", 901, 0, make<CMapEntity_UpgradeOK>, "BUYBUTTON");
  r(78, "UPGRADECANCEL", 907, 0, make<CMapEntity_UpgradeCancel>, SAME);
  r(79, "UPGRADECHARISMA", 902, 7, make<CMapEntity_UpgradeCharisma>, "UPGRADEMACHINES").with(upgradeItem);
  r(80, "PERKCURETOUCH", 270, 7, make<CMapEntity_PerkCureTouch>, "PERKTOUCH").with(upgradeItem);
  r(81, "PERKCURETOUCHICON", 272, 28, make<CMapEntity_PerkCureTouchIcon>, "CURETOUCHICON").z(9).rgb();
  r(82, "PERKVIRUS", 308, 7, make<CMapEntity_PerkVirus>, SAME).with(upgradeItem);
  r(83, "PERKBURST", 274, 7, make<CMapEntity_PerkBurst>, SAME).with(upgradeItem);
  r(84, "PERKBURSTICON", 275, 28, make<CMapEntity_PerkBurstIcon>, "BURSTICON").z(9).rgb();
  r(85, "PERKVIRUSICON", 309, 28, make<CMapEntity_PerkVirusIcon>, "VIRUSICON").z(9).rgb();
  r(86, "PERKLUCK", 296, 7, make<CMapEntity_PerkLuck>, SAME).with(upgradeItem);
  r(87, "PERKLUCKICON", 297, 28, make<CMapEntity_PerkLuckIcon>, "LUCKICON").z(9).rgb();
  r(88, "UPGRADESPEED", 905, 7, make<CMapEntity_UpgradeSpeed>, SAME).with(upgradeItem);
  r(89, "UPGRADEREG", 903, 7, make<CMapEntity_UpgradeReg>, SAME).with(upgradeItem);
  r(90, "UPGRADEMEDS1", 67, 7, make<CMapEntity_UpgradeMeds1>, SAME).with(upgradeItem);
  r(91, "UPGRADEDIAGNOSTIC", 904, 7, make<CMapEntity_UpgradeDiagnostic>, SAME).with(upgradeItem);
  r(92, "DARKSCREEN", 1101, 0, make<CMapEntity_DarkScreen>, "EMPTY").z(6);
  r(93, "TEXTBOX", 1001, 0, make<CMapEntity_TextBox>, "EMPTY").with(textBox);
  r(94, "POSTEL1", 41, 13, make<CMapEntity_Postel>, SAME).walk(1000).solid().click().near(120, 100);
  r(95, "POSTEL1DOLNIMRIZ", 43, 34, make<CMapEntity_PostelDolniMriz>, SAME).walk(1000);
  r(96, "POSTEL1PRIKRYVKA", 42, 14, make<CMapEntity_PostelPrikryvka>, SAME).walk(1000);
  r(97, "POSTEL1POLSTAR", 368, 35, make<CMapEntity_PostelPolstar>, SAME).noWalk();
  r(98, "POSTEL1AURA", 51, 12, make<CMapEntity_Aura>, SAME).noWalk().solid();
  r(99, "POSTEL2", 57, 13, make<CMapEntity_Postel>, SAME).walk(1000).solid().click().near(120, 100);
  r(100, "POSTEL2DOLNIMRIZ", 59, 34, make<CMapEntity_PostelDolniMriz>, SAME).noWalk();
  r(101, "POSTEL2PRIKRYVKA", 58, 14, make<CMapEntity_PostelPrikryvka>, "POSTEL1PRIKRYVKA").noWalk();
  r(102, "POSTEL2POLSTAR", 369, 35, make<CMapEntity_PostelPolstar>, "POSTEL1POLSTAR").noWalk();
  r(103, "POSTEL3", 118, 13, make<CMapEntity_Postel>, SAME).walk(1000).solid().click().near(120, 100);
  r(104, "POSTEL3DOLNIMRIZ", 120, 34, make<CMapEntity_PostelDolniMriz>, SAME).noWalk();
  r(105, "POSTEL3PRIKRYVKA", 119, 14, make<CMapEntity_PostelPrikryvka>, SAME).noWalk();
  r(106, "POSTEL3POLSTAR", 370, 35, make<CMapEntity_PostelPolstar>, SAME).noWalk();
  r(107, "POSTEL3AURA", 121, 12, make<CMapEntity_Aura>, SAME).noWalk().solid();
  r(108, "POSTEL3B", 141, 13, make<CMapEntity_Postel>, SAME).walk(1000).solid().click().near(120, 100);
  r(109, "POSTEL3BDOLNIMRIZ", 143, 34, make<CMapEntity_PostelDolniMriz>, SAME).noWalk();
  r(110, "POSTEL3BPRIKRYVKA", 142, 14, make<CMapEntity_PostelPrikryvka>, "POSTEL3PRIKRYVKA").noWalk();
  r(111, "POSTEL3BPOLSTAR", 371, 35, make<CMapEntity_PostelPolstar>, "POSTEL3POLSTAR").noWalk();
  r(112, "POSTEL4", 77, 13, make<CMapEntity_Postel>, SAME).walk(1000).solid().click().near(120, 100);
  r(113, "POSTEL4DOLNIMRIZ", 79, 34, make<CMapEntity_PostelDolniMriz>, SAME).noWalk();
  r(114, "POSTEL4PRIKRYVKA", 78, 14, make<CMapEntity_PostelPrikryvka>, "POSTEL1PRIKRYVKA").noWalk();
  r(115, "POSTEL4POLSTAR", 372, 35, make<CMapEntity_PostelPolstar>, "POSTEL1POLSTAR").noWalk();
  r(116, "POSTEL4AURA", 80, 12, make<CMapEntity_Aura>, SAME).noWalk().solid();
  r(117, "POSTEL4B", 179, 13, make<CMapEntity_Postel>, SAME).walk(1000).solid().click().near(120, 100);
  r(118, "POSTEL4BDOLNIMRIZ", 181, 34, make<CMapEntity_PostelDolniMriz>, SAME).noWalk();
  r(119, "POSTEL4BPRIKRYVKA", 180, 14, make<CMapEntity_PostelPrikryvka>, "POSTEL1PRIKRYVKA").noWalk();
  r(120, "POSTEL4BPOLSTAR", 373, 35, make<CMapEntity_PostelPolstar>, "POSTEL1POLSTAR").noWalk();
  r(121, "POSTEL4BAURA", 182, 12, make<CMapEntity_Aura>, SAME).noWalk().solid();
  r(122, "POSTEL5", 146, 13, make<CMapEntity_Postel>, SAME).walk(1000).solid().click().near(120, 100);
  r(123, "POSTEL5DOLNIMRIZ", 148, 34, make<CMapEntity_PostelDolniMriz>, SAME).noWalk();
  r(124, "POSTEL5PRIKRYVKA", 147, 14, make<CMapEntity_PostelPrikryvka>, "POSTEL1PRIKRYVKA").noWalk();
  r(125, "POSTEL5POLSTAR", 374, 35, make<CMapEntity_PostelPolstar>, "POSTEL1POLSTAR").noWalk();
  r(126, "POSTEL5AURA", 149, 12, make<CMapEntity_Aura>, SAME).noWalk().solid();
  r(127, "POSTEL5B", 166, 13, make<CMapEntity_Postel>, SAME).walk(1000).solid().click().near(120, 100);
  r(128, "POSTEL5BDOLNIMRIZ", 168, 34, make<CMapEntity_PostelDolniMriz>, SAME).noWalk();
  r(129, "POSTEL5BPRIKRYVKA", 167, 14, make<CMapEntity_PostelPrikryvka>, "POSTEL1PRIKRYVKA").noWalk();
  r(130, "POSTEL5BPOLSTAR", 375, 35, make<CMapEntity_PostelPolstar>, "POSTEL1POLSTAR").noWalk();
  r(131, "POSTEL5BAURA", 169, 12, make<CMapEntity_Aura>, SAME).noWalk().solid();
  r(132, "POSTEL5C", 190, 13, make<CMapEntity_Postel>, SAME).walk(1000).solid().click().near(120, 90);
  r(133, "POSTEL5CDOLNIMRIZ", 192, 34, make<CMapEntity_PostelDolniMriz>, SAME).noWalk();
  r(134, "POSTEL5CPRIKRYVKA", 191, 14, make<CMapEntity_PostelPrikryvka>, "POSTEL1PRIKRYVKA").noWalk();
  r(135, "POSTEL5CPOLSTAR", 376, 35, make<CMapEntity_PostelPolstar>, "POSTEL1POLSTAR").noWalk();
  r(136, "POSTEL5CAURA", 193, 12, make<CMapEntity_Aura>, SAME).noWalk().solid();
  r(137, "BAR", 19, 0, make<CMapEntity_Bar>, SAME);
  r(138, "BARPOZADI", 20, 0, make<CMapEntity_BarPozadi>, "BAROUTLINE");
  r(139, "PACIENT1", 2000, 15, make<CMapEntity_Pacient1>, "PACIENT2").own();
  r(140, "PACIENT1HLAVA", 2001, 10, make<CMapEntity_PacientHlava>, "PACIENT2HLAVA");
  r(141, "PACIENT2", 3000, 15, make<CMapEntity_Pacient2>, "PACIENT1").own();
  r(142, "PACIENT2HLAVA", 3001, 10, make<CMapEntity_PacientHlava>, "PACIENT1HLAVA");
  r(143, "PACIENT3", 4000, 15, make<CMapEntity_Pacient3>, SAME).own();
  r(144, "PACIENT3HLAVA", 4001, 10, make<CMapEntity_PacientHlava>, SAME);
  r(145, "PACIENT4", 5000, 15, make<CMapEntity_Pacient4>, SAME).own();
  r(146, "PACIENT4HLAVA", 5001, 10, make<CMapEntity_PacientHlava>, SAME);
  r(147, "PACIENT5", 6000, 15, make<CMapEntity_Pacient5>, SAME).own();
  r(148, "PACIENT5HLAVA", 6001, 10, make<CMapEntity_PacientHlava>, SAME);
  r(149, "PACIENT9", 81, 15, make<CMapEntity_Pacient9>, "PACIENTSAMAN").own();
  r(150, "PACIENT9HLAVA", 82, 10, make<CMapEntity_PacientHlava>, "PACIENTSAMANHLAVA");
  r(151, "PACIENT10", 83, 15, make<CMapEntity_Pacient10>, SAME).own();
  r(152, "PACIENT10HLAVA", 84, 10, make<CMapEntity_PacientHlava>, SAME);
  r(153, "PACIENT11", 99, 15, make<CMapEntity_Pacient11>, SAME).own();
  r(154, "PACIENT11HLAVA", 100, 10, make<CMapEntity_PacientHlava>, SAME);
  r(155, "PACIENT12", 114, 15, make<CMapEntity_Pacient12>, SAME).own();
  r(156, "PACIENT12HLAVA", 115, 10, make<CMapEntity_PacientHlava>, SAME);
  r(157, "PACIENT13", 116, 15, make<CMapEntity_Pacient13>, SAME).own();
  r(158, "PACIENT13HLAVA", 117, 10, make<CMapEntity_PacientHlava>, SAME);
  r(159, "PACIENTSTAROSTA", 7000, 15, make<CMapEntity_PacientStarosta>, SAME).own();
  r(160, "PACIENTSTAROSTAHLAVA", 7001, 10, make<CMapEntity_PacientHlava>, SAME);
  r(161, "PACIENTSAMAN", 103, 15, make<CMapEntity_PacientSaman>, "PACIENT9").own();
  r(162, "PACIENTSAMANHLAVA", 104, 10, make<CMapEntity_PacientHlava>, "PACIENT9HLAVA");
  r(163, "BLAZEN1", 152, 15, make<CMapEntity_Blazen1>, SAME).own();
  r(164, "BLAZEN1HLAVA", 153, 10, make<CMapEntity_PacientHlava>, SAME);
  r(165, "BLAZEN2", 157, 15, make<CMapEntity_Blazen2>, SAME).own();
  r(166, "BLAZEN2HLAVA", 158, 10, make<CMapEntity_PacientHlava>, SAME);
  r(167, "BLAZEN3", 164, 15, make<CMapEntity_Blazen3>, SAME).own();
  r(168, "BLAZEN3HLAVA", 165, 10, make<CMapEntity_PacientHlava>, SAME);
  r(169, "BLAZEN4", 170, 15, make<CMapEntity_Blazen4>, SAME).own();
  r(170, "BLAZEN4HLAVA", 171, 10, make<CMapEntity_PacientHlava>, SAME);
  r(171, "BLAZENCELEBRITA", 160, 15, make<CMapEntity_BlazenCelebrita>, SAME).own();
  r(172, "BLAZENCELEBRITAHLAVA", 161, 10, make<CMapEntity_PacientHlava>, SAME);
  r(173, "ZIDLE", 1, 17, make<CMapEntity_Zidle>, SAME).walk(1000).solid();
  r(174, "ZIDLEAURA", 52, 12, make<CMapEntity_Aura>, SAME);
  r(175, "ZIDLE2", 126, 17, make<CMapEntity_Zidle>, SAME).walk(1000).solid();
  r(176, "ZIDLE2AURA", 127, 12, make<CMapEntity_Aura>, SAME);
  r(177, "ZIDLE3", 154, 17, make<CMapEntity_Zidle>, SAME).walk(1000).solid();
  r(178, "ZIDLE3AURA", 155, 12, make<CMapEntity_Aura>, SAME);
  r(179, "ZIDLE4", 85, 17, make<CMapEntity_Zidle>, SAME).walk(1000).solid();
  r(180, "ZIDLE4AURA", 86, 12, make<CMapEntity_Aura>, SAME);
  r(181, "LEK", 46, 0, make<CMapEntity_Lek>, "LEK1");
  r(182, "ODPAD", 47, 0, make<CMapEntity_Odpad>, SAME);
  r(183, "VOZIK", 48, 30, make<CMapEntity_Vozik>, SAME).walk(1000).solid().click().near(40, 90);
  r(184, "VOZIK2", 291, 30, make<CMapEntity_Vozik>, SAME).walk(1000).solid().click().near(40, 90);
  r(185, "VOZIK3", 292, 30, make<CMapEntity_Vozik>, SAME).walk(1000).solid().click().near(40, 90);
  r(186, "VOZIK4", 293, 30, make<CMapEntity_Vozik>, SAME).walk(1000).solid().click().near(40, 90);
  r(187, "SKRINKA", 49, 0, make<CMapEntity_Skrinka>, SAME).solid().near(40, 90);
  r(188, "MOTYL", 386, 0, make<CMapEntity_Motyl>, SAME).anim().z(6).solid();
  r(189, "MEDDRINK", 54, 21, automat, SAME).own();
  r(190, "DRINK", 55, 18, make<CMapEntity_DrinkClass>, SAME);
  r(191, "TOY", 136, 18, make<CMapEntity_DrinkClass>, SAME);
  r(192, "KNIHA", 163, 18, make<CMapEntity_DrinkClass>, SAME);
  r(193, "SPREJ", 70, 0, make<CMapEntity_Sprej>, SAME);
  r(194, "HULKA", 106, 0, make<CMapEntity_Sprej>, SAME);
  r(195, "SPREJKOUR", 71, 0, make<CMapEntity_SprejKour>, SAME).z(2);
  r(196, "PLANT1", 56, 0, make<CMapEntity_Plant1>, SAME).solid();
  r(197, "SESTRADIAGNOZA", 60, 0, make<CMapEntity_SestraDiagnoza>, SAME).solid();
  r(198, "TLAKOMER", 250, 0, make<CMapEntity_Tlakomer>, SAME).solid();
  r(199, "TLAKOMERFULL", 251, 0, make<CMapEntity_TlakomerFull>, SAME).solid();
  r(200, "OBTIZNOSTADJUSTER", 34463, 0, make<CMapEntity_ObtiznostAdjuster>, "EMPTY");
  r(201, "OBTIZNOSTADJUSTERSKLO", 94, 0, make<CMapEntity_ObtiznostAdjusterSklo>, "OADJUSTER_SKLO");
  r(202, "OBTIZNOSTADJUSTERRUCICKA", 93, 0, make<CMapEntity_ObtiznostAdjusterRucicka>, "OADJUSTER_RUCICKA");
  r(203, "PRACH", 64, 0, make<CMapEntity_Prach>, SAME).z(2).hp(1).alpha(0.65f);
  r(204, "WHITEPARTICLE", 273, 29, make<CMapEntity_WhiteParticle>, SAME).z(2).hp(1).alpha(0.6f);
  r(205, "REDSTARPARTICLE", 276, 29, make<CMapEntity_RedStarParticle>, SAME).z(2).hp(1).alpha(0.65f);
  r(206, "NAPISCURED", 63, 0, nullptr, SAME).z(4); // CMapEntity_NapisCured
  r(207, "NAPISLOST", 62, 0, nullptr, SAME).z(4); // CMapEntity_NapisLost
  r(208, "SRDCE", 74, 0, nullptr, SAME).z(2); // CMapEntity_Srdce
  r(209, "MODRESRDCE", 298, 0, nullptr, SAME).z(2); // CMapEntity_ModreSrdce
  r(210, "MISKASET", 355, 0, make<CMapEntity_MiskaSet>, "EMPTY");
  r(211, "HOSPITAL1UPGRADE1", 65, 0, make<CMapEntity_Hospital1Upgrade1>, SAME);
  r(212, "HOSPITAL1UPGRADE2", 66, 0, make<CMapEntity_Hospital1Upgrade2>, SAME);
  r(213, "HOSPITAL1UPGRADE3", 268, 0, make<CMapEntity_Hospital1Upgrade3>, SAME);
  r(214, "HOSPITAL2UPGRADE1", 174, 0, make<CMapEntity_Hospital2Upgrade1>, SAME);
  r(215, "HOSPITAL2UPGRADE2", 175, 0, make<CMapEntity_Hospital2Upgrade2>, SAME);
  r(216, "HOSPITAL2UPGRADE3", 176, 0, make<CMapEntity_Hospital2Upgrade3>, SAME);
  r(217, "HOSPITAL3UPGRADE1", 177, 0, make<CMapEntity_Hospital3Upgrade1>, SAME);
  r(218, "HOSPITAL3UPGRADE2", 178, 0, make<CMapEntity_Hospital3Upgrade2>, SAME);
  r(219, "HOSPITAL3UPGRADE3", 281, 0, make<CMapEntity_Hospital3Upgrade3>, SAME);
  r(220, "HOSPITAL4UPGRADE1", 183, 0, make<CMapEntity_Hospital4Upgrade1>, SAME).z(-1);
  r(221, "ANTIV", 72, 0, make<CMapEntity_Stojan>, SAME).walk(1000).solid().click().near(30, 70);
  r(222, "BUBLINA", 366, 0, make<CMapEntity_Bublina>, SAME);
  r(223, "HULKAPODSTAVEC", 107, 0, make<CMapEntity_Stojan>, SAME).solid().near(10, 32);
  r(224, "FRONTAAKCI", 73, 0, frontaAkci, "EMPTY").own().z(5);
  r(225, "UPGRADE", 90, 0, make<CMapEntity_Upgrade>, "UPGRADESICO").z(5);
  r(226, "FADER", 88, 0, make<CMapEntity_Fader>, "EMPTY").z(15);
  r(227, "PUNTIK", 91, 0, make<CMapEntity_Puntik>, SAME).fs("EMPTY");
  r(228, "SRDICKA", 92, 0, nullptr, SAME); // CMapEntity_Srdicka
  r(229, "OPRAVAR", 98, 0, make<CMapEntity_Opravar>, SAME).anim().drag();
  r(230, "STROMAUTOMAT", 101, 21, automat, SAME).own();
  r(231, "GREENDRINK", 102, 18, make<CMapEntity_DrinkClass>, SAME);
  r(232, "OPICKA", 214, 0, make<CMapEntity_Opicka>, SAME).anim().z(2);
  r(233, "NOTES", 367, 0, make<CMapEntity_Notes>, SAME).walk(1000);
  r(234, "GAUC1", 110, 22, make<CMapEntity_Gauc1>, "SOFA1").walk(1000);
  r(235, "GAUC1B", 242, 22, make<CMapEntity_Gauc1b>, "SOFA1B").walk(1000);
  r(236, "GAUC2", 128, 22, make<CMapEntity_Gauc2>, "SOFA2").walk(1000);
  r(237, "GAUC3", 277, 22, make<CMapEntity_Gauc3>, "SOFA3").walk(1000);
  r(238, "GAUC4", 287, 22, make<CMapEntity_Gauc4>, "SOFA4").walk(1000);
  r(239, "GAUCCOLORS", 172, 24, make<CMapEntity_GaucColors>, "EMPTY").walk(1000);
  r(240, "HUDEBNIK1", 111, 0, make<CMapEntity_Hudebnik1>, SAME).hp(1);
  r(241, "HUDEBNIK2", 112, 0, make<CMapEntity_Hudebnik2>, SAME).hp(1);
  r(242, "HUDEBNIK1AURA", 294, 12, make<CMapEntity_Hudebnik1Aura>, SAME).noWalk();
  r(243, "HUDEBNIK2AURA", 295, 12, make<CMapEntity_Hudebnik2Aura>, SAME).noWalk();
  r(244, "PODIUM", 113, 0, make<CMapEntity_Podium>, SAME).anim().walk(1000).hp(1).solid();
  r(245, "DITEPACIENT1", 124, 15, make<CMapEntity_DitePacient1>, SAME).own();
  r(246, "DITEPACIENT1HLAVA", 125, 10, make<CMapEntity_PacientHlava>, SAME);
  r(247, "DITEPACIENT2", 133, 15, make<CMapEntity_DitePacient2>, SAME).own();
  r(248, "DITEPACIENT2HLAVA", 134, 10, make<CMapEntity_PacientHlava>, SAME);
  r(249, "DITEPACIENT3", 137, 15, make<CMapEntity_DitePacient3>, SAME).own();
  r(250, "DITEPACIENT3HLAVA", 138, 10, make<CMapEntity_PacientHlava>, SAME);
  r(251, "DITEPACIENT4", 144, 15, make<CMapEntity_DitePacient4>, SAME).own();
  r(252, "DITEPACIENT4HLAVA", 145, 10, make<CMapEntity_PacientHlava>, SAME);
  r(253, "DITEHELMUT", 139, 15, make<CMapEntity_DiteHelmut>, SAME).own();
  r(254, "DITEHELMUTHLAVA", 140, 10, make<CMapEntity_PacientHlava>, SAME);
  r(255, "TOYMATE", 135, 21, automat, SAME).own();
  r(256, "KNIHOVNA", 162, 21, automat, SAME).own().solid();
  r(257, "ODPADKYGENERATOR", 156, 0, make<CMapEntity_OdpadkyGenerator>, "EMPTY");
  r(258, "SESTRALEKARNASMALL", 185, 25, make<CMapEntity_SestraLekarnaSmall>, SAME).anim().hidden();
  r(259, "SESTRAPULT", 202, 0, make<CMapEntity_SestraPult>, SAME).anim();
  // Above the ward's people and things (the band stands close by on some days).
  r(260, "CLOSED", 197, 0, make<CMapEntity_Closed>, SAME).walk(1000).near(32, 50).z(1);
  r(261, "LEVELCOMPLETED", 201, 0, make<CMapEntity_LevelCompleted>, SAME).z(4).near(32, 50);
  r(262, "MAINMENUBUTTON", 357, 0, make<CMapEntity_MainMenuButton>, "MAINMENUICO").z(5).near(32, 50);
  r(263, "MENUBUTTONCREDITS", 393, 36, make<CMapEntity_MenuButtonCredits>, "MENUBUTTON");
  r(264, "PLAYBUTTON", 203, 0, make<CMapEntity_PlayButton>, "PLAYICO").z(5).near(32, 50);
  r(265, "MENUBUTTONQYES", 254, 36, make<CMapEntity_MenuButtonQYes>, "MENUBUTTON");
  r(266, "MENUBUTTONQNO", 255, 36, make<CMapEntity_MenuButtonQNo>, "MENUBUTTON");
  r(267, "MENUBUTTONTOMAIN", 266, 36, make<CMapEntity_MenuButtonTomain>, "MENUBUTTON");
  r(268, "MENUBUTTONMALE", 301, 36, make<CMapEntity_MenuButtonMale>, "HERO_M");
  r(269, "MENUBUTTONFEMALE", 302, 36, make<CMapEntity_MenuButtonFemale>, "HERO_F");
  r(270, "MENUBUTTONRESTART", 397, 36, make<CMapEntity_MenuButtonRestart>, "MENUBUTTON");
  r(271, "MENUQUESTIONWINDOWRESTART", 398, 37, make<CMapEntity_MenuQuestionWindowRestart>, "MENUQUESTIONWINDOW").z(8).near(32, 50);
  r(272, "MAPKOLECKO1", 352, 0, make<CMapEntity_MapKolecko1>, SAME).anim().z(3);
  r(273, "MAPKOLECKO2", 353, 0, make<CMapEntity_MapKolecko2>, SAME).anim().z(3);
  r(274, "MENUCLOSE", 389, 0, make<CMapEntity_MenuClose>, SAME);
  r(275, "DNA", 311, 0, make<CMapEntity_DNA>, "DNA1");
  r(276, "DNAGENERATOR", 312, 0, make<CMapEntity_DNAGenerator>, "EMPTY");
  r(277, "DOMOVKOUR", 354, 0, make<CMapEntity_DomovKour>, "EMPTY").anim().z(3).nofocus();
  r(278, "MENUBUTTONCONTINUE", 257, 36, make<CMapEntity_MenuButtonContinue>, "MENUBUTTON");
  r(279, "MENUBUTTONCONTINUEINGAME", 267, 36, make<CMapEntity_MenuButtonContinueIngame>, "MENUBUTTON");
  r(280, "MENUINPUTBOXNAME", 227, 0, make<CMapEntity_MenuInputboxName>, "MENUBUTTON").alpha(1.0f).near(32, 50);
  r(281, "SLIDERDRAG", 235, 0, make<CMapEntity_SliderDrag>, "SLIDERTOP").near(32, 50);
  r(282, "MENUCHECKBOXTEST", 226, 0, make<CMapEntity_MenuCheckboxTest>, "MENUCHECKBOX").fs("UNCHECKED");
  r(283, "MENUCHECKBOXFULLSCREEN", 230, 0, make<CMapEntity_MenuCheckboxFullscreen>, "MENUCHECKBOX").fs("UNCHECKED");
  r(284, "VIDEOSLIDERBASE", 224, 0, make<CMapEntity_VideoSliderBase>, "MENUSLIDER").alpha(1.0f).near(32, 50);
  r(285, "SOUNDSLIDERBASE", 231, 0, make<CMapEntity_SoundSliderBase>, "MENUSLIDER").alpha(1.0f).near(32, 50);
  r(286, "MUSICSLIDERBASE", 232, 0, make<CMapEntity_MusicSliderBase>, "MENUSLIDER").alpha(1.0f).near(32, 50);
  r(287, "MAINMENU", 218, 0, make<CMapEntity_MainMenu>, "MENUBG").z(5);
  r(288, "INGAMEMENU", 263, 0, make<CMapEntity_IngameMenu>, "MENUBG").z(7);
  r(289, "HLASIC", 271, 0, make<CMapEntity_Hlasic>, SAME);
  r(290, "OPTIONSMENU", 223, 0, make<CMapEntity_OptionsMenu>, "MENUBG").z(5);
  r(291, "OPTIONSINGAMEMENU", 265, 0, make<CMapEntity_OptionsIngameMenu>, "MENUBG").z(7);
  r(292, "PLAYERMENU", 300, 0, make<CMapEntity_PlayerMenu>, "MENUBG").z(5);
  r(293, "VIDEOMENU", 228, 0, make<CMapEntity_VideoMenu>, "MENUBG");
  r(294, "SOUNDMENU", 233, 0, make<CMapEntity_SoundMenu>, "MENUBG").z(5);
  r(295, "PROFILESMENU", 236, 0, make<CMapEntity_ProfilesMenu>, "UPGRADESESIT");
  r(296, "MENUQUESTIONWINDOWREMPROFILE", 253, 37, make<CMapEntity_MenuQuestionWindowRemProfile>, "MENUQUESTIONWINDOW").z(8).near(32, 50);
  r(297, "MENUMESSAGEWINDOW", 391, 38, make<CMapEntity_MenuMessageWindow>, "MENUQUESTIONWINDOW").z(8).near(32, 50);
  r(298, "MENUQUESTIONWINDOWQUIT", 256, 37, make<CMapEntity_MenuQuestionWindowQuit>, "MENUQUESTIONWINDOW").z(8).near(32, 50);
  r(299, "MENUQUESTIONWINDOWBUYUPGRADES", 348, 37, make<CMapEntity_MenuQuestionWindowBuyUpgrades>, "MENUQUESTIONWINDOW").z(8).near(32, 50);
  r(300, "MENUQUESTIONWINDOWNEWGAME", 258, 37, make<CMapEntity_MenuQuestionWindowNewGame>, "MENUQUESTIONWINDOW").z(8).near(32, 50);
  r(301, "KEYSINGAME", 259, 0, make<CMapEntity_KeysIngame>, "EMPTY");
  r(302, "MENUBUTTONNEWGAME", 217, 36, make<CMapEntity_MenuButtonNewGame>, "MENUBUTTON");
  r(303, "MENUBUTTONNEWGAMEBACK", 347, 36, make<CMapEntity_MenuButtonNewGameBack>, "MENUBUTTON");
  r(304, "MENUBUTTONOPTIONS", 219, 36, make<CMapEntity_MenuButtonOptions>, "MENUBUTTON");
  r(305, "MENUBUTTONOPTIONSINGAME", 264, 36, make<CMapEntity_MenuButtonOptionsIngame>, "MENUBUTTON");
  r(306, "MENUBUTTONQUIT", 220, 36, make<CMapEntity_MenuButtonQuit>, "MENUBUTTON");
  r(307, "MENUBUTTONVIDEO", 221, 36, make<CMapEntity_MenuButtonVideo>, "MENUBUTTON");
  r(308, "MENUBUTTONAUDIO", 222, 36, make<CMapEntity_MenuButtonAudio>, "MENUBUTTON");
  r(309, "MENUBUTTONPROFILES", 237, 36, make<CMapEntity_MenuButtonProfiles>, "MENUBUTTON");
  r(310, "MENUBUTTONVIDEOBACK", 229, 36, make<CMapEntity_MenuButtonVideoBack>, "MENUBUTTON");
  r(311, "MENUBUTTONAUDIOBACK", 234, 36, make<CMapEntity_MenuButtonAudioBack>, "MENUBUTTON");
  r(312, "MENUBUTTONPROFILE", 238, 36, make<CMapEntity_MenuButtonProfile>, "MENUBUTTON").alpha(1.0f).near(32, 50);
  r(313, "MENUBUTTONRESETPROFILE", 241, 36, make<CMapEntity_MenuButtonResetProfile>, "MENUBUTTON").alpha(1.0f).near(32, 50);
  r(314, "CREDITS", 387, 0, make<CMapEntity_Credits>, "VICTORYBGBW").z(7).alpha(0.0f);
  r(315, "CREDITSTEXT", 388, 0, nullptr, "EMPTY"); // CMapEntity_CreditsText
  r(316, "Z", 380, 0, make<CMapEntity_Z>, SAME).z(2).hp(1);
  r(317, "TIPCLOWNTRIGGER", 314, 0, make<CMapEntity_TipClownTrigger>, "EMPTY");
  r(318, "TIPCLOWN", 313, 31, make<CMapEntity_TipClown>, "TUTORIALBG").z(3);
  r(319, "REMINDPRESSURETRIGGER", 396, 0, make<CMapEntity_RemindPressureTrigger>, "EMPTY");
  r(320, "REMINDPRESSURE", 395, 31, make<CMapEntity_RemindPressure>, "TUTORIALBG").z(3);
  r(321, "TIPSHOPPERK", 379, 31, make<CMapEntity_TipShopPerk>, "TUTORIALBG").z(8);
  r(322, "TIPPERKTRIGGER", 378, 0, make<CMapEntity_TipPerkTrigger>, "EMPTY");
  r(323, "TIPPERK", 377, 31, make<CMapEntity_TipPerk>, "TUTORIALBG").z(3);
  r(324, "HELPTRIGGER", 1003, 0, make<CMapEntity_HelpTrigger>, "EMPTY");
  r(325, "TIP1TRIGGER", 303, 0, make<CMapEntity_Tip1Trigger>, "EMPTY");
  r(326, "TIPOUTBREAKTRIGGER", 359, 0, make<CMapEntity_TipOutbreakTrigger>, "EMPTY");
  r(327, "TIPOUTBREAK", 360, 31, make<CMapEntity_TipOutbreak>, "TUTORIALBG").z(3);
  r(328, "TIPOUTBREAK2", 361, 31, make<CMapEntity_TipOutbreak2>, "TUTORIALBG").z(3);
  r(329, "TIPSRDICKA", 362, 31, make<CMapEntity_TipSrdicka>, "TUTORIALBG").z(3);
  r(330, "TIPSHOP", 365, 31, make<CMapEntity_TipShop>, "TUTORIALBG").z(8);
  r(331, "TIPSRDICKATRIGGER", 363, 0, make<CMapEntity_TipSrdickaTrigger>, "EMPTY");
  r(332, "OK", 50, 0, make<CMapEntity_OK>, SAME).z(6);
  r(333, "RODICEGENERATOR", 130, 0, make<CMapEntity_RodiceGenerator>, "EMPTY");
  r(334, "PROPADLINA", 159, 0, make<CMapEntity_Propadlina>, SAME).near(32, 50);
  r(335, "TIP1", 304, 31, make<CMapEntity_Tip1>, "TUTORIALBG").z(3);
  r(336, "TIP2", 305, 31, make<CMapEntity_Tip2>, "TUTORIALBG").z(3);
  r(337, "TIPVIRUS", 307, 31, make<CMapEntity_TipVirus>, "TUTORIALBG").z(3);
  r(338, "TIPVIRUSTRIGGER", 306, 0, make<CMapEntity_TipVirusTrigger>, "EMPTY");
  r(339, "TIPHLASIC", 315, 31, make<CMapEntity_TipHlasic>, "TUTORIALBG").z(3);
  r(340, "TIPHLASICTRIGGER", 316, 0, make<CMapEntity_TipHlasicTrigger>, "EMPTY");
  r(341, "MAGNET", 382, 0, make<CMapEntity_Magnet>, SAME).z(7);
  r(342, "TUTORIAL1", 1004, 31, make<CMapEntity_Tutorial1>, "TUTORIALBG").z(3);
  r(343, "TUTORIAL1B", 1008, 31, make<CMapEntity_Tutorial1b>, "TUTORIALBG").z(3);
  r(344, "TUTORIAL2", 1005, 31, make<CMapEntity_Tutorial2>, "TUTORIALBG").z(3);
  r(345, "TUTORIAL2B", 1018, 31, make<CMapEntity_Tutorial2b>, "TUTORIALBG").z(3);
  r(346, "TUTORIAL3", 1006, 31, make<CMapEntity_Tutorial3>, "TUTORIALBG").z(3);
  r(347, "TUTORIAL4", 1007, 31, make<CMapEntity_Tutorial4>, "TUTORIALBG").z(3);
  r(348, "TUTORIAL5", 1009, 31, make<CMapEntity_Tutorial5>, "TUTORIALBG").z(3);
  r(349, "TUTORIAL6", 1010, 31, make<CMapEntity_Tutorial6>, "TUTORIALBG").z(3);
  r(350, "TUTORIAL7", 1011, 31, make<CMapEntity_Tutorial7>, "TUTORIALBG").z(3);
  r(351, "TUTORIAL8", 1012, 31, make<CMapEntity_Tutorial8>, "TUTORIALBG").z(3);
  r(352, "TUTORIAL9", 1013, 31, make<CMapEntity_Tutorial9>, "TUTORIALBG").z(3);
  r(353, "TUTORIAL9B", 1019, 31, make<CMapEntity_Tutorial9b>, "TUTORIALBG").z(3);
  r(354, "TUTORIAL9C", 1020, 31, make<CMapEntity_Tutorial9c>, "TUTORIALBG").z(3);
  r(355, "TUTORIAL9D", 1021, 31, make<CMapEntity_Tutorial9d>, "TUTORIALBG").z(3);
  r(356, "TUTORIAL9E", 1022, 31, make<CMapEntity_Tutorial9e>, "TUTORIALBG").z(3);
  r(357, "TUTORIAL10", 1014, 31, make<CMapEntity_Tutorial10>, "TUTORIALBG").z(3);
  r(358, "SASEK", 198, 0, make<CMapEntity_Sasek>, SAME).fs("OBJEVENISE").z(2).click().near(32, 50);
  r(359, "MAPADOKTOR", 206, 0, make<CMapEntity_MapaDoktor>, SAME).anim().near(32, 50);
  r(360, "MAPASESTRA1", 207, 0, make<CMapEntity_MapaSestra1>, SAME).anim().near(32, 50);
  r(361, "MAPASESTRA2", 208, 0, make<CMapEntity_MapaSestra2>, SAME).anim().near(32, 50);
  r(362, "MAPAPACIENT", 205, 0, make<CMapEntity_MapaPacient>, SAME).anim().near(32, 50);
  r(363, "MAPALETADLO", 204, 0, make<CMapEntity_MapaLetadlo>, SAME).fs("RIGHT").anim().z(4).nofocus().near(32, 50);
  r(364, "UPGRADEHELP", 299, 0, make<CMapEntity_UpgradeHelp>, SAME).z(5).walk(1000).near(30, 70);
  r(365, "SIPKA", 189, 0, make<CMapEntity_Sipka>, SAME).near(32, 50);
  r(366, "PYZAMORUKA", 196, 26, make<CMapEntity_PyzamoRuka>, "WOMANPYZAMORUKA").z(-1);
  r(367, "LETADLOKOUR", 209, 0, make<CMapEntity_LetadloKour>, SAME).z(5).nofocus().near(32, 50);
  r(368, "PUBLISHERLOGO", 390, 0, make<CMapEntity_PublisherLogo>, "EMPTY");
  r(369, "AUTOMATSVETLO", 210, 0, make<CMapEntity_AutomatSvetlo>, SAME).fs("RED").near(32, 50);
  r(370, "HOSPITAL1STUL", 225, 0, make<CMapEntity_Hospital1Stul>, SAME).fs("RIGHT").anim().near(32, 50);
  r(371, "HOSPITAL2STUL", 243, 0, make<CMapEntity_Hospital2Stul>, SAME).fs("RIGHT").anim().near(32, 50);
  r(372, "HOSPITAL3STUL", 278, 0, make<CMapEntity_Hospital3Stul>, SAME).anim().near(32, 50);
  r(373, "HOSPITAL4STUL", 288, 0, make<CMapEntity_Hospital4Stul>, SAME).anim().near(32, 50);
  r(374, "STATUSBAR", 239, 0, make<CMapEntity_StatusBar>, "PODKLAD1").z(5);
  r(375, "STATUSBAR2", 282, 0, make<CMapEntity_StatusBar2>, "PODKLAD1B").z(8);
  r(376, "BARRUCICKA", 240, 0, make<CMapEntity_BarRucicka>, SAME).z(9);
  r(377, "REDLIGHT", 248, 0, make<CMapEntity_RedLight>, SAME);
  r(378, "GREENLIGHT", 252, 0, make<CMapEntity_GreenLight>, SAME);
  r(379, "CEDULKASTAVY", 249, 0, make<CMapEntity_CedulkaStavy>, SAME);
  r(380, "NEMOCNEJBACILY", 261, 27, make<CMapEntity_NemocnejBacily>, "BACILY").z(2);
  r(381, "HAPPYNOTES", 269, 27, make<CMapEntity_HappyNotes>, "EMPTY").z(2);
  r(382, "NEMOCNEJ1", 260, 15, make<CMapEntity_Nemocnej1>, SAME).own();
  r(383, "NEMOCNEJ1HLAVA", 262, 10, make<CMapEntity_PacientHlava>, SAME);
  r(384, "HODINY", 280, 0, make<CMapEntity_Hodiny>, SAME);
  r(385, "PARROT", 289, 0, make<CMapEntity_Parrot>, SAME).anim().z(-1);
  r(386, "MASOZRAVKA", 290, 0, make<CMapEntity_Masozravka>, SAME).z(-1);
  r(387, "HODINYRUCICKA", 279, 0, make<CMapEntity_HodinyRucicka>, SAME);
  r(388, "MINIGAMEOVER", 321, 0, make<CMapEntity_MiniGameOver>, "EMPTY").z(5);
  r(389, "KUKATKO", 322, 0, make<CMapEntity_Kukatko>, SAME).z(4);
  r(390, "COMIC", 325, 0, make<CMapEntity_Comic>, SAME);
}
} // namespace

unsigned int registerEntityPrototypes() {
  CMapEntitiesFactory::instance()->readVariables();
  g_lastRow = 0;
  g_registered = 0;
  registerRows();
  CLoadingScreen::instance()->setText("LOADING");
  return g_registered;
}
