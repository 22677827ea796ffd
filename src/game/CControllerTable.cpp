#include <string>

#include "events/CBacilyController.h"
#include "core/CEngine.h"
#include "events/CBacilyGeneratorController.h"
#include "events/CDNAController.h"
#include "events/CDNAGeneratorController.h"
#include "events/CDecorationControllers.h"
#include "events/CMiniGameOverController.h"
#include "events/CMiniGameSummaryController.h"
#include "events/CMiskaController.h"
#include "events/COpickaController.h"
#include "events/CPodiumController.h"
#include "events/CSasekController.h"
#include "game/CStartupTables.h"
#include "guidance/CCareTipControllers.h"
#include "guidance/CShopTipControllers.h"
#include "guidance/CTipControllers.h"
#include "guidance/CTutorialControllers.h"
#include "menus/CCreditsController.h"
#include "menus/CIngameMenuController.h"
#include "menus/CMapButtonController.h"
#include "menus/CMenuButtonController.h"
#include "menus/CMenuCheckboxController.h"
#include "menus/CMenuCloseController.h"
#include "menus/CMenuInputboxController.h"
#include "menus/CMenuQuestionWindowController.h"
#include "menus/CSliderDragController.h"
#include "patients/CNapisController.h"
#include "patients/CNemocnejBacilyController.h"
#include "patients/CObtiznostAdjusterController.h"
#include "patients/CPacientController.h"
#include "patients/CRodiceController.h"
#include "patients/CRodiceGeneratorController.h"
#include "progress/CBarRucickaController.h"
#include "progress/CHelpWindowController.h"
#include "progress/CHodinyRucickaController.h"
#include "progress/CHospital2Upgrade3Controller.h"
#include "progress/CLevelCompletedController.h"
#include "progress/CMapCloudController.h"
#include "progress/CMapStarController.h"
#include "progress/CMapaLetadloController.h"
#include "progress/CPerkIconControllers.h"
#include "progress/CUpgradeFen1Controller.h"
#include "progress/CUpgradeMenuController.h"
#include "ward/beds/CPostelController.h"
#include "ward/cabinet/CLekController.h"
#include "ward/cabinet/CLekarnaController.h"
#include "ward/dispensers/CMedDrinkController.h"
#include "ward/furniture/CClickTargetControllers.h"
#include "ward/furniture/CDiagnosticToolController.h"
#include "ward/player/CPlayerController.h"
#include "ward/staff/CAdderController.h"
#include "ward/staff/CDoktorkaController.h"
#include "ward/staff/CClosedController.h"
#include "ward/staff/COKController.h"
#include "ward/staff/COpravarController.h"
#include "ward/staff/CPrachController.h"
#include "world/CBonusTextController.h"
#include "world/CBublinaController.h"
#include "world/CComicController.h"
#include "world/CConfettiController.h"
#include "world/CCviceniController.h"
#include "world/CDomovKourController.h"
#include "world/CEntityController.h"
#include "world/CEntityControllersVzory_Game.h"
#include "world/CFlashObjektController.h"
#include "world/CFloatingController.h"
#include "world/CKurzorController.h"
#include "world/CLetadloKourController.h"
#include "world/CParticleController.h"
#include "world/CPixlaBlackController.h"
#include "world/CSipkaController.h"

namespace {
typedef CEntityController *(*ControllerMaker)(CEngine *engine, const std::string &bindName);

template <class T> CEntityController *makeController(CEngine *engine, const std::string &bindName) {
  return new T(nullptr, nullptr, engine, bindName);
}

// Loose carriable items flash once when they appear.
CEntityController *flashingItem(CEngine *engine, const std::string &bindName) {
  CVozikController *c = new CVozikController(nullptr, nullptr, engine, bindName);
  c->setStartFlash(true);
  return c;
}

// Appends one prototype per row.
class TControllerRows {
public:
  TControllerRows(CEntityControllers_Game *list, CEngine *engine) : list_(list), engine_(engine) {}
  void operator()(const char *bindName, ControllerMaker maker) {
    CEntityController *c = maker(engine_, bindName);
    c->setWorldEngine(engine_);
    list_->addController(c);
  }

private:
  CEntityControllers_Game *list_;
  CEngine *engine_;
};

// Every behaviour prototype in registration order, under the entity name it serves.
void registerRows(TControllerRows &c) {
  c("PLAYERMENU", makeController<CFloatingController>);
  c("MAPKALOGO", makeController<CFloatingController>);
  c("MAINMENU", makeController<CFloatingController>);
  c("INGAMEMENU", makeController<CFloatingController>);
  c("OPTIONSMENU", makeController<CFloatingController>);
  c("OPTIONSINGAMEMENU", makeController<CFloatingController>);
  c("PROFILESMENU", makeController<CFloatingController>);
  c("MAPCLOUD1", makeController<CMapCloudController>);
  c("MAPCLOUD2", makeController<CMapCloudController>);
  c("MAPCLOUD3", makeController<CMapCloudController>);
  c("MINIGAMEOVER", makeController<CMiniGameOverController>);
  c("DNA", makeController<CDNAController>);
  c("COMIC", makeController<CComicController>);
  c("DOMOVKOUR", makeController<CDomovKourController>);
  c("MISKA", makeController<CMiskaController>);
  c("DNAGENERATOR", makeController<CDNAGeneratorController>);
  c("NEMOCNEJBACILY", makeController<CNemocnejBacilyController>);
  c("HAPPYNOTES", makeController<CNemocnejBacilyController>);
  c("BARRUCICKA", makeController<CBarRucickaController>);
  c("HODINYRUCICKA", makeController<CHodinyRucickaController>);
  c("LEVELCOMPLETED", makeController<CLevelCompletedController>);
  c("TLAKOMER", makeController<CTlakomerController>);
  c("MISKASET", makeController<CMiskaSetController>);
  c("HLASIC", makeController<CHlasicController>);
  c("ZIDLE", makeController<CDiagnosticToolController>);
  c("KEYSINGAME", makeController<CKeysIngameController>);
  c("ZIDLE2", makeController<CDiagnosticToolController>);
  c("ZIDLE3", makeController<CDiagnosticToolController>);
  c("ZIDLE4", makeController<CDiagnosticToolController>);
  c("MENUBUTTONRESTART", makeController<CMenuButtonRestartController>);
  c("MENUQUESTIONWINDOWRESTART", makeController<CMenuQuestionWindowRestartController>);
  c("MENUBUTTONMALE", makeController<CMenuButtonMaleController>);
  c("MENUBUTTONFEMALE", makeController<CMenuButtonFemaleController>);
  c("MENUBUTTONCREDITS", makeController<CMenuButtonCreditsController>);
  c("MENUBUTTONQYES", makeController<CMenuButtonQYesController>);
  c("MENUBUTTONQNO", makeController<CMenuButtonQNoController>);
  c("MENUBUTTONCONTINUE", makeController<CMenuButtonContinueController>);
  c("MENUBUTTONCONTINUEINGAME", makeController<CMenuButtonContinueIngameController>);
  c("MENUBUTTONTOMAIN", makeController<CMenuButtonTomainController>);
  c("MENUQUESTIONWINDOWREMPROFILE", makeController<CMenuQuestionWindowRemProfileController>);
  c("MENUQUESTIONWINDOWQUIT", makeController<CMenuQuestionWindowQuitController>);
  c("MENUQUESTIONWINDOWBUYUPGRADES", makeController<CMenuQuestionWindowBuyUpgradesController>);
  c("MENUQUESTIONWINDOWNEWGAME", makeController<CMenuQuestionWindowNewGameController>);
  c("MENUBUTTONNEWGAME", makeController<CMenuButtonNewGameController>);
  c("MENUBUTTONNEWGAMEBACK", makeController<CMenuButtonNewGameBackController>);
  c("MENUBUTTONVIDEOBACK", makeController<CMenuButtonVideoBackController>);
  c("MENUBUTTONAUDIOBACK", makeController<CMenuButtonAudioBackController>);
  c("MENUBUTTONRESETPROFILE", makeController<CMenuButtonResetProfileController>);
  c("MENUBUTTONOPTIONS", makeController<CMenuButtonOptionsController>);
  c("MENUBUTTONOPTIONSINGAME", makeController<CMenuButtonOptionsIngameController>);
  c("MENUBUTTONQUIT", makeController<CMenuButtonQuitController>);
  c("MENUBUTTONVIDEO", makeController<CMenuButtonVideoController>);
  c("MENUBUTTONPROFILES", makeController<CMenuButtonProfilesController>);
  c("MENUBUTTONPROFILE", makeController<CMenuButtonProfileController>);
  c("MENUBUTTONAUDIO", makeController<CMenuButtonAudioController>);
  c("SLIDERDRAG", makeController<CSliderDragController>);
  c("MENUCHECKBOXTEST", makeController<CMenuCheckboxController>);
  c("MENUCHECKBOXFULLSCREEN", makeController<CMenuCheckboxController>);
  c("MENUINPUTBOXNAME", makeController<CMenuInputboxNameController>);
  c("BUBLINA", makeController<CBublinaController>);
  c("TUTORIAL1", makeController<CTutorial1Controller>);
  c("TUTORIAL1B", makeController<CTutorial1bController>);
  c("TUTORIAL2", makeController<CTutorial2Controller>);
  c("TUTORIAL2B", makeController<CTutorial2bController>);
  c("TUTORIAL3", makeController<CTutorial3Controller>);
  c("TUTORIAL4", makeController<CTutorial4Controller>);
  c("TUTORIAL5", makeController<CTutorial5Controller>);
  c("TUTORIAL6", makeController<CTutorial6Controller>);
  c("TUTORIAL7", makeController<CTutorial7Controller>);
  c("TUTORIAL8", makeController<CTutorial8Controller>);
  c("TUTORIAL9", makeController<CTutorial9Controller>);
  c("TUTORIAL9B", makeController<CTutorial9bController>);
  c("TUTORIAL9C", makeController<CTutorial9cController>);
  c("TUTORIAL9D", makeController<CTutorial9dController>);
  c("TUTORIAL9E", makeController<CTutorial9eController>);
  c("TUTORIAL10", makeController<CTutorial10Controller>);
  c("OPRAVAR", makeController<COpravarController>);
  c("MENUCLOSE", makeController<CMenuCloseController>);
  c("KURZOR", makeController<CKurzorController>);
  c("KURZOR2", makeController<CKurzor2Controller>);
  c("PLAYER", makeController<CPlayerController>);
  c("NEMOCNEJ1", makeController<CPacientController>);
  c("PACIENT1", makeController<CPacientController>);
  c("PACIENT2", makeController<CPacientController>);
  c("PACIENT3", makeController<CPacientController>);
  c("PACIENT4", makeController<CPacientController>);
  c("PACIENT5", makeController<CPacientController>);
  c("PACIENT9", makeController<CPacientController>);
  c("PACIENT10", makeController<CPacientController>);
  c("PACIENT11", makeController<CPacientController>);
  c("PACIENT12", makeController<CPacientController>);
  c("PACIENT13", makeController<CPacientController>);
  c("DITEPACIENT1", makeController<CPacientController>);
  c("DITEPACIENT2", makeController<CPacientController>);
  c("DITEPACIENT3", makeController<CPacientController>);
  c("DITEPACIENT4", makeController<CPacientController>);
  c("DITEHELMUT", makeController<CPacientController>);
  c("PACIENTSTAROSTA", makeController<CPacientController>);
  c("BLAZEN1", makeController<CPacientController>);
  c("BLAZEN2", makeController<CPacientController>);
  c("BLAZEN3", makeController<CPacientController>);
  c("BLAZEN4", makeController<CPacientController>);
  c("BLAZENCELEBRITA", makeController<CPacientController>);
  c("PACIENTSAMAN", makeController<CPacientController>);
  c("NAPISLOST", makeController<CNapisController>);
  c("NAPISCURED", makeController<CNapisController>);
  c("SRDCE", makeController<CNapisController>);
  c("MODRESRDCE", makeController<CNapisController>);
  c("STROMAUTOMAT", makeController<CMedDrinkController>);
  c("MAPSTAR", makeController<CMapStarController>);
  c("TOYMATE", makeController<CMedDrinkController>);
  c("MAPPERISKOP", makeController<CPeriskopController>);
  c("CREDITS", makeController<CCreditsController>);
  c("KNIHOVNA", makeController<CMedDrinkController>);
  c("PODIUM", makeController<CPodiumController>);
  c("OBTIZNOSTADJUSTER", makeController<CObtiznostAdjusterController>);
  c("HELPWINDOW", makeController<CHelpWindowController>);
  c("SUMMARYWINDOW", makeController<CHelpWindowController>);
  c("MINIGAMESUMMARYWINDOW", makeController<CMiniGameSummaryController>);
  c("UPGRADEMENU", makeController<CUpgradeMenuController>);
  c("PERKCURETOUCH", makeController<CUpgradeFen1Controller>);
  c("PERKBURST", makeController<CUpgradeFen1Controller>);
  c("PERKVIRUS", makeController<CUpgradeFen1Controller>);
  c("PERKSAREA", makeController<CUpgradeFen1Controller>);
  c("PERKLUCK", makeController<CUpgradeFen1Controller>);
  c("PERKCURETOUCHICON", makeController<CPerkCureTouchIconController>);
  c("PERKBURSTICON", makeController<CPerkBurstIconController>);
  c("PERKVIRUSICON", makeController<CPerkVirusIconController>);
  c("PERKLUCKICON", makeController<CPerkLuckIconController>);
  c("UPGRADEOK", makeController<CUpgradeOKController>);
  c("UPGRADECANCEL", makeController<CUpgradeCancelController>);
  c("UPGRADECHARISMA", makeController<CUpgradeFen1Controller>);
  c("UPGRADEREG", makeController<CUpgradeFen1Controller>);
  c("UPGRADEDIAGNOSTIC", makeController<CUpgradeFen1Controller>);
  c("UPGRADEMEDS1", makeController<CUpgradeFen1Controller>);
  c("UPGRADESPEED", makeController<CUpgradeFen1Controller>);
  c("OK", makeController<COKController>);
  c("LEKARNA", makeController<CLekarnaController>);
  c("LEKARNA2", makeController<CLekarnaController>);
  c("LEKARNA3", makeController<CLekarnaController>);
  c("LEKARNA4", makeController<CLekarnaController>);
  c("Z", makeController<CZController>);
  c("LEK", makeController<CLekController>);
  c("HOSPITAL2UPGRADE3", makeController<CHospital2Upgrade3Controller>);
  c("RECEPT", makeController<CFlashObjektController>);
  c("ODPAD", makeController<CFlashObjektController>);
  c("POSTEL1", makeController<CPostelController>);
  c("POSTEL2", makeController<CPostelController>);
  c("POSTEL3", makeController<CPostelController>);
  c("POSTEL3B", makeController<CPostelController>);
  c("POSTEL4", makeController<CPostelController>);
  c("POSTEL4B", makeController<CPostelController>);
  c("POSTEL5", makeController<CPostelController>);
  c("POSTEL5B", makeController<CPostelController>);
  c("POSTEL5C", makeController<CPostelController>);
  c("VOZIK", makeController<CVozikController>);
  c("VOZIK2", makeController<CVozikController>);
  c("VOZIK3", makeController<CVozikController>);
  c("VOZIK4", makeController<CVozikController>);
  c("DRINK", flashingItem);
  c("TOY", flashingItem);
  c("KNIHA", flashingItem);
  c("GREENDRINK", flashingItem);
  c("SPREJ", flashingItem);
  c("HULKA", makeController<CPixlaBlackController>);
  c("KOS", makeController<CPixlaBlackController>);
  c("ADDER", makeController<CAdderController>);
  c("DEADDER", makeController<CDeAdderController>);
  c("STATUSMENU", makeController<CStatusMenuController>);
  c("MEDDRINK", makeController<CMedDrinkController>);
  c("PRACH", makeController<CPrachController>);
  c("WHITEPARTICLE", makeController<CParticleController>);
  c("REDSTARPARTICLE", makeController<CParticleController>);
  c("STARPARTICLE", makeController<CParticleController>);
  c("SPREJKOUR", makeController<CPrachController>);
  c("BONUSTEXT", makeController<CBonusTextController>);
  c("VICTORYCONFETTI", makeController<CConfettiController>);
  c("BACILY", makeController<CBacilyController>);
  c("BACILY2", makeController<CBacily2Controller>);
  c("BACILY3", makeController<CBacily3Controller>);
  c("BACILY4", makeController<CBacily4Controller>);
  c("BACILY5", makeController<CBacily5Controller>);
  c("OPICKA", makeController<COpickaController>);
  c("BACILYGENERATOR", makeController<CBacilyGeneratorController>);
  c("BACILY2GENERATOR", makeController<CBacily2GeneratorController>);
  c("BACILY3GENERATOR", makeController<CBacily3GeneratorController>);
  c("BACILY4GENERATOR", makeController<CBacily4GeneratorController>);
  c("BACILY5GENERATOR", makeController<CBacily5GeneratorController>);
  c("OPICKAGENERATOR", makeController<COpickaGeneratorController>);
  c("ANTIV", makeController<CAntiVController>);
  c("HULKAPODSTAVEC", makeController<CHulkaPodstavecController>);
  c("PLAYBUTTON", makeController<CPlayButtonController>);
  c("MAINMENUBUTTON", makeController<CMainMenuButtonController>);
  c("CVICENI", makeController<CCviceniController>);
  c("UPGRADE", makeController<CUpgradeController>);
  c("RODICEGENERATOR", makeController<CRodiceGeneratorController>);
  c("RODICE1", makeController<CRodiceController>);
  c("RODICE2", makeController<CRodiceController>);
  c("RODICE3", makeController<CRodiceController>);
  c("ODPADKYGENERATOR", makeController<COdpadkyGeneratorController>);
  c("HELPTRIGGER", makeController<CHelpTriggerController>);
  c("TIP1TRIGGER", makeController<CTip1TriggerController>);
  c("TIPOUTBREAKTRIGGER", makeController<CTipOutbreakTriggerController>);
  c("TIPSRDICKA", makeController<CTipSrdickaController>);
  c("TIPSHOP", makeController<CTipShopController>);
  c("TIPSRDICKATRIGGER", makeController<CTipSrdickaTriggerController>);
  c("TIPOUTBREAK", makeController<CTipOutbreakController>);
  c("TIPOUTBREAK2", makeController<CTipOutbreak2Controller>);
  c("TIPCLOWN", makeController<CTipClownController>);
  c("REMINDPRESSURE", makeController<CRemindPressureController>);
  c("REMINDPRESSURETRIGGER", makeController<CRemindPressureTriggerController>);
  c("TIPPERK", makeController<CTipPerkController>);
  c("TIPVIRUS", makeController<CTipVirusController>);
  c("TIP1", makeController<CTip1Controller>);
  c("TIP2", makeController<CTip2Controller>);
  c("TIPVIRUSTRIGGER", makeController<CTipVirusTriggerController>);
  c("TIPCLOWNTRIGGER", makeController<CTipClownTriggerController>);
  c("TIPSHOPPERK", makeController<CTipShopPerkController>);
  c("TIPPERKTRIGGER", makeController<CTipPerkTriggerController>);
  c("TIPHLASIC", makeController<CTipHlasicController>);
  c("TIPHLASICTRIGGER", makeController<CTipHlasicTriggerController>);
  c("SIPKA", makeController<CSipkaController>);
  c("CLOSED", makeController<CClosedController>);
  c("SASEK", makeController<CSasekController>);
  c("MOTYL", makeController<CMotylController>);
  c("MAPPLANE", makeController<CMapaLetadloController>);
  c("DOKTORKA", makeController<CDoktorkaController>);
  c("LETADLOKOUR", makeController<CLetadloKourController>);
  c("PUBLISHERLOGO", makeController<CPublisherLogoController>);
}
} // namespace

CEntityControllersVzory_Game *buildControllerPrototypes(CEngine *engine) {
  CEntityControllersVzory_Game *list = new CEntityControllersVzory_Game();
  TControllerRows rows(list, engine);
  registerRows(rows);
  return list;
}
