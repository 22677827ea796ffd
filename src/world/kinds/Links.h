#pragma once
#include <cstdint>
#include <string>

class CCustomerGenerator;
class CLevel_Game;
class CMapEntitiesCollection;
class CMapEntitiesCollection_Game;
class CMapEntity_Game;
struct TSummaryPage;

// Ties from this layer to classes built above it, one interface per tie. The game installs an
// implementation of each at start-up; tests put fakes in with TScopedLink.
template <class Link> class TLink {
public:
  static Link *get() { return slot(); }
  static void install(Link *link) { slot() = link; }

private:
  static Link *&slot() {
    static Link *installed = nullptr;
    return installed;
  }
};

// Installs a link for the life of the object and then puts back the one it replaced.
template <class Link> class TScopedLink {
public:
  explicit TScopedLink(Link *link) : previous(TLink<Link>::get()) { TLink<Link>::install(link); }
  ~TScopedLink() { TLink<Link>::install(previous); }
  TScopedLink(const TScopedLink &) = delete;
  TScopedLink &operator=(const TScopedLink &) = delete;

private:
  Link *previous;
};

// The game's message window with its OK button, opened over whatever the level shows.
class CMessageWindowLink {
public:
  virtual void open(CMapEntitiesCollection *c, const std::string &text) = 0;
  virtual bool isOpen(CMapEntitiesCollection *c) = 0;
};

// The patients' generator of a working day; a level without one sends no patients.
class CCustomerGeneratorLink {
public:
  virtual CCustomerGenerator *create() = 0;
  virtual void destroy(CCustomerGenerator *g) = 0;
  virtual void bindEC(CCustomerGenerator *g, CMapEntitiesCollection_Game *c, CLevel_Game *level) = 0;
  virtual void setCustomerCount(CCustomerGenerator *g, int total) = 0;
  virtual void preGenerate(CCustomerGenerator *g, int count) = 0;
  virtual void work(CCustomerGenerator *g) = 0;
};

// The day panels the level's overlay fills: the summary and help windows, their notebook pages
// and the status bar.
class CDayPanelsLink {
public:
  // Closing the window then ends the level.
  virtual void setEndLevel(CMapEntity_Game *window, bool endLevel) = 0;
  // The help window's notebook shows its second page (a new patient is introduced).
  virtual void showSecondPage(CMapEntity_Game *sesit) = 0;
  virtual void fillPage(CMapEntity_Game *summarySesit, const TSummaryPage &page) = 0;
  // The status bar's flag on and its mark on the frameset "EXPERT".
  virtual void showExpertMark(CMapEntity_Game *statusBar) = 0;
};

// Beds (`kBedClass`): whether one is made up, and the number an arrival carrier's bed is given.
class CBedLink {
public:
  virtual bool isMadeUp(CMapEntity_Game *bed) = 0;
  virtual void setBedNumber(CMapEntity_Game *bed, uint16_t number) = 0;
};

// The player figure gives up its walk target when its queue is emptied.
class CPlayerFigureLink {
public:
  virtual void clearTarget(CMapEntity_Game *player) = 0;
};

// How a chimney's dust puff is given its drift.
class CChimneyDriftLink {
public:
  virtual void setDrift(CMapEntity_Game *puff, float driftX, float driftY) = 0;
};

// The player figure's walking as the burst perk changes it: the speed and the factor that slows
// the figure on some tiles.
class CWalkSpeedLink {
public:
  virtual float walkSpeed(CMapEntity_Game *player) = 0;
  virtual void setWalkSpeed(CMapEntity_Game *player, float speed) = 0;
  virtual float speedFactor(CMapEntity_Game *player) = 0;
};

// A patient kept happy by a tip: hearts to five and mood to 0.9.
class CPatientMoodLink {
public:
  virtual void cheer(CMapEntity_Game *patient) = 0;
};

// The player figure's cure touch, told to the patient it touched: an answered outbreak holds the
// patient's (and the ward's) next outbreak off until the given game-clock time; a sleeping
// patient's meter was lowered and its bar is to follow.
class CPatientCareLink {
public:
  virtual void holdOutbreaksUntil(CMapEntity_Game *patient, int32_t gameMs) = 0;
  virtual void refreshMeter(CMapEntity_Game *patient) = 0;
};

// The hospital improvement that flashes when parents arrive.
class CUpgradeFlashLink {
public:
  virtual void flash(CMapEntity_Game *piece) = 0;
};

// The germ alarm lamp: its alarm flag, and the red light it carries shown (alpha 1) or hidden.
class CAlarmLampLink {
public:
  virtual void setAlarm(CMapEntity_Game *lamp, bool on) = 0;
};

// The difficulty adjuster's pause window, game-clock milliseconds: no germ alarm is raised
// strictly inside it, and every germ release opens a new one.
class CPauseWindowLink {
public:
  virtual void window(CMapEntity_Game *adjuster, uint32_t &start, uint32_t &end) = 0;
  virtual void setWindow(CMapEntity_Game *adjuster, uint32_t start, uint32_t end) = 0;
};

// What a guided step asks of a patient's behaviour: an outbreak now, shown as the illness shows
// one but not counted as one; the outbreak's wait started again, so that it does not run out;
// at the desk, a long wait for the click the step teaches once the gauge is full. Nothing for an
// entity without one.
class CPatientGuideLink {
public:
  virtual void forceOutbreak(CMapEntity_Game *patient) = 0;
  virtual void holdWait(CMapEntity_Game *patient) = 0;
  virtual void awaitDeskClick(CMapEntity_Game *patient) = 0;
};

// What the player figure is doing; false for another entity.
class CFigureActionLink {
public:
  static const uint16_t kExamining = 12;
  virtual bool actionKind(CMapEntity_Game *figure, uint16_t &kind) = 0;
};

// The jester's state (1 walking in, 3 walking out); false for another entity.
class CJesterStateLink {
public:
  virtual bool state(CMapEntity_Game *jester, int32_t &stav) = 0;
};
