#pragma once
// The expert player for the game in BotGame: it looks at the level's entities as a player looks
// at the screen, acts only through mouse events on the window, and orders its work for the bonuses.
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "core/CEngine.h"
#include "core/CPlayer.h"
#include "engine/KInput.h"
#include "events/CMapEntity_DNA.h"
#include "events/CMapEntity_Miska.h"
#include "events/LabIds.h"
#include "media/CFakeTime.h"
#include "media/CGlobals.h"
#include "media/Frame.h"
#include "media/Frameset.h"
#include "media/ZSprite.h"
#include "progress/CMapEntity_SummarySesit.h"
#include "support/BotGame.h"
#include "ward/cabinet/CMapEntity_Lek.h"
#include "ward/player/CPlayerController.h"
#include "world/CEntityController.h"
#include "world/CMapEntity_FrontaAkci.h"
#include "world/kinds/CMapEntity_DiagnosticTool.h"
#include "world/kinds/CMapEntity_PacientClass.h"
#include "world/kinds/CMapEntity_PostelClass.h"
#include "world/kinds/CMapEntity_Tlakomer.h"
#include "world/kinds/EntityIds.h"

// What one working or laboratory day came to. Its line holds only what the game decided, so
// two runs of one seed print the same line; the speed is the machine's.
struct DayResult {
  std::string difficulty, level, kind, title;
  int money = 0, goal = 0, expert = 0, cured = 0, lost = 0;
  // What the cures of famous patients (the mayor, the shaman, the star, the famous child) paid.
  int famous = 0;
  // The day's try: a lost day is played again, as a person does.
  int attempt = 1;
  double gameSeconds = 0, wallSeconds = 0;
  bool finished = false;
  double speed() const { return wallSeconds > 0 ? gameSeconds / wallSeconds : 0; }
  bool won() const { return finished && money >= goal; }
  std::string line() const {
    char buf[256];
    std::snprintf(buf, sizeof buf, "%-6s %-22s %-4s money %5d goal %5d expert %5d  cured %3d lost %3d  %s",
                  difficulty.c_str(), level.c_str(), kind.c_str(), money, goal, expert, cured, lost,
                  !finished ? "UNFINISHED" : money >= expert ? "EXPERT" : money >= goal ? "goal" : "MISSED");
    std::string out = buf;
    if (famous > 0) out += "  famous " + std::to_string(famous);
    if (attempt > 1) out += "  try " + std::to_string(attempt);
    return out;
  }
};

class Bot {
public:
  explicit Bot(BotGame &game) : g(game) {}

  // Plays the level that stands now to its end: a working day to its summary, a laboratory to
  // its grant, a map through the shop to its star. Returns when the game has moved on (another
  // entry of the list, or the same day built again after it was lost) or the game time limit has
  // run out. A level built anew may take the old one's address, so the step ends on the engine's
  // count of levels built, the list's position and the day's own summary, never on the address.
  // With `player`, each step is its own and the summary is left to it as well.
  DayResult playLevel(const std::string &difficulty, int limitMs = 15 * 60 * 1000,
                      const std::function<void()> &player = nullptr) {
    DayResult r;
    CLevel_Game *start = g.level();
    if (!start) return r;
    const uint32_t built = g.levelsBuilt();
    const unsigned short position = g.engine()->getSoucasnyLevel();
    r.difficulty = difficulty;
    r.level = start->getLevelName();
    r.goal = start->getMoneyLimit();
    r.expert = start->getExpertMoney();
    const int playerMoney = g.engine()->getPlayer() ? g.engine()->getPlayer()->getMoney() : 0;
    const bool lab = has(kMiskaSetID) || has(kDnaGeneratorID);
    const bool map = named("MAPSTAR") != nullptr;
    r.kind = start->getLevelTime() > 0 ? "day" : lab ? "lab" : map ? "map" : "other";
    const long frame0 = g.frameCount;
    auto t0 = std::chrono::steady_clock::now();
    long summaryAt = -1;
    // The day's figures as the game keeps them, read after every frame: an action of several
    // frames may open the summary and close it again before the next action.
    auto stands = [&]() {
      return g.levelsBuilt() == built && g.engine()->getSoucasnyLevel() == position &&
             !(summaryAt >= 0 && !start->getSummaryShown());
    };
    // A famous patient's cure pays its money x 150 x its mood as it leaves, in the frame it goes;
    // only the patient's serial is kept from frame to frame.
    std::map<uint64_t, float> famousPay;
    auto record = [&]() {
      if (r.kind != "day" || summaryAt >= 0 || !stands()) return;
      std::map<uint64_t, float> now;
      for (CMapEntity_PacientClass *p : patients())
        if (isFamous(p->name)) now[p->getSerial()] = p->getMoney() * 150.0f * p->getMood();
      if (start->getCured() > r.cured)
        for (const auto &was : famousPay)
          if (!now.count(was.first)) r.famous += (int)was.second;
      famousPay = now;
      r.money = start->getMoney();
      r.cured = start->getCured();
      r.lost = start->getLost();
      if (start->getSummaryShown()) {
        summaryAt = g.frameCount;
        r.finished = true;
        r.title = summaryTitle();
      }
    };
    const std::function<void()> before = g.onFrame;
    g.onFrame = [&]() {
      if (before) before();
      record();
    };
    record();
    while (g.alive() && stands() && (g.frameCount - frame0) * BotGame::kFrameMs < limitMs) {
      if (player) {
        if (summaryAt >= 0 && g.frameCount - summaryAt > 3000) break;
        player();
        continue;
      }
      if (r.kind == "day") {
        if (summaryAt >= 0) {
          // The day's figures are final; the summary is read a moment and clicked away.
          g.frames(100);
          if (stands()) g.click(400, 300);
          g.frames(10);
          break;
        }
        dayTick();
      } else if (r.kind == "lab") {
        labTick(r);
      } else if (r.kind == "map") {
        mapTick();
      } else {
        if ((g.frameCount - frame0) % 50 == 49) g.click(400, 300);
        g.frame();
      }
    }
    g.onFrame = before;
    const bool movedOn = g.levelsBuilt() != built || g.engine()->getSoucasnyLevel() != position;
    if (r.kind == "lab") {
      r.money = (g.engine()->getPlayer() ? g.engine()->getPlayer()->getMoney() : 0) - playerMoney;
      r.finished = movedOn;
    }
    if (r.kind == "map" || r.kind == "other") r.finished = movedOn;
    r.wallSeconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    r.gameSeconds = (double)(g.frameCount - frame0) * BotGame::kFrameMs / 1000.0;
    return r;
  }

  static bool isFamous(const std::string &species) {
    return species == "PACIENTSTAROSTA" || species == "PACIENTSAMAN" || species == "BLAZENCELEBRITA" ||
           species == "DITEHELMUT";
  }

  // The rating line of the day's summary page, empty while none shows.
  std::string summaryTitle() const {
    CMapEntity_Game *window = named("SUMMARYWINDOW");
    CMapEntity *page = window ? window->getContainedEntity((unsigned short)kSummarySesitID) : nullptr;
    CMapEntity_SummarySesit *s = dynamic_cast<CMapEntity_SummarySesit *>(page);
    return s ? s->title : std::string();
  }

  // ---- what a player sees ----
  CMapEntitiesCollection *ec() const { return g.level()->getEC(); }
  std::vector<CMapEntity_Game *> all() const {
    std::vector<CMapEntity_Game *> out;
    for (CMapEntity_Game *e : *ec()->getEntitiesPtr())
      if (!e->getKill()) out.push_back(e);
    return out;
  }
  bool has(unsigned id) const {
    for (CMapEntity_Game *e : all())
      if (e->getEntityID() == id) return true;
    return false;
  }
  CMapEntity_Game *named(const std::string &n) const {
    for (CMapEntity_Game *e : all())
      if (e->name == n) return e;
    return nullptr;
  }
  static bool shown(CMapEntity *e) {
    float a = e->looks().getAlpha();
    return a == -1.0f || a >= 1.0f;
  }
  // The middle of what the entity takes clicks on (its action box), else of its picture.
  static void middle(CMapEntity *e, int &x, int &y) {
    Frame *f = e->looks().getCurrentFrame();
    Rect box = f ? f->getActionBoundingBox() : Rect{};
    if (box.w > 0 && box.h > 0) {
      x = (int)e->getX() + box.x + box.w / 2;
      y = (int)e->getY() + box.y + box.h / 2;
      // What stands behind the status bar is taken by its visible top.
      const int top = (int)e->getY() + box.y;
      if (y > 530 && top < 525) y = std::max(top + 5, 525);
      return;
    }
    ZSprite *s = e->looks().getSprite();
    int w = s && s->getAktivniFrameset() ? s->getAktivniFrameset()->getAktivniSirka() : 40;
    int h = s && s->getAktivniFrameset() ? s->getAktivniFrameset()->getAktivniVyska() : 40;
    x = (int)e->getX() + w / 2;
    y = (int)e->getY() + h / 2;
  }
  void trace(const char *what, CMapEntity *e) const {
    static const bool on = std::getenv("TOB_BOT_TRACE") != nullptr;
    if (!on) return;
    std::printf("  %6.1fs %s %s mouse %ld,%ld paused %d stav %s\n", g.frameCount * 0.02, what, e->name.c_str(), KInput::getMouseX(), KInput::getMouseY(), (int)CGlobals::instance()->paused, g.engine()->vratStav().c_str());
  }
  // A player does not hammer one thing: a second click on it waits a moment.
  bool clickedLately(CMapEntity *e) const {
    auto it = lastClick.find(e->getSerial());
    return it != lastClick.end() && g.frameCount - it->second < 75;
  }
  void clickOn(CMapEntity *e) {
    lastClick[e->getSerial()] = g.frameCount;
    trace("click", e);
    int x, y;
    middle(e, x, y);
    g.click(x, y);
  }
  void dragOnto(CMapEntity *from, CMapEntity *to) {
    trace("drag", from);
    trace("  onto", to);
    int sx, sy, x, y;
    middle(from, sx, sy);
    middle(to, x, y);
    g.drag(sx, sy, x, y);
  }

  CMapEntity_Game *figure() const { return ec()->getEntityByID(kPlayerID); }
  // Orders the figure still works through; pending ones join at the next event.
  bool figureBusy() const {
    CMapEntity_FrontaAkci *q = CMapEntity_FrontaAkci::najdi(ec());
    CMapEntity_Game *f = figure();
    return q && f && !q->getFronta().empty();
  }
  CMapEntity *holding(unsigned id) const {
    CMapEntity_Game *f = figure();
    return f ? f->getContainedEntity((unsigned short)id) : nullptr;
  }

  std::vector<CMapEntity_PacientClass *> patients() const {
    std::vector<CMapEntity_PacientClass *> out;
    for (CMapEntity_Game *e : all())
      if (CMapEntity_PacientClass *p = dynamic_cast<CMapEntity_PacientClass *>(e)) out.push_back(p);
    return out;
  }
  std::vector<CMapEntity_PostelClass *> beds() const {
    std::vector<CMapEntity_PostelClass *> out;
    for (CMapEntity_Game *e : all())
      if (e->getEntityClassID() == kBedClass)
        if (CMapEntity_PostelClass *b = dynamic_cast<CMapEntity_PostelClass *>(e))
          if (!b->carrying().getParent() && shown(b)) out.push_back(b);
    return out;
  }

  // ---- a working day ----
  void dayTick() {
    ++ticks;
    if (std::getenv("TOB_BOT_TRACE") && ticks % 100 == 1) {
      std::printf("tick %ld t=%.1f fake %u paused %d help %d:", ticks, g.frameCount * 0.02, CFakeTime::instance()->ms, (int)CGlobals::instance()->paused, named("HELPWINDOW") != nullptr);
      CMapEntity_FrontaAkci *q = CMapEntity_FrontaAkci::najdi(ec());
      std::printf(" queue %zu+%zu ", q ? q->getFronta().size() : 0, q ? q->getPredFronta().size() : 0);
      for (const auto *list : {q ? &q->getFronta() : nullptr, q ? &q->getPredFronta() : nullptr})
        for (size_t i = 0; list && i < list->size(); ++i) {
          CMapEntity_Game *e = (*list)[i]->controller ? (*list)[i]->controller->getEntity() : nullptr;
          std::printf("%s%s %d ", list == &q->getFronta() ? "" : "pending ", e ? e->name.c_str() : "?", (*list)[i]->id);
        }
      // Each patient's phase and bed state, "chosen" when a click has made it the figure's.
      for (CMapEntity_PacientClass *p : patients())
        std::printf(" [%s %d %d %.2f%s]", p->name.c_str(), p->getPhase(), p->getBedState(), p->getMood(), p->getAktivni() ? " chosen" : "");
      if (CMapEntity_Game *f = figure()) std::printf(" figure at %.0f,%.0f", f->getX(), f->getY());
      std::printf("\n");
    }
    // Notebooks (the intro, the summary once it has been read a moment) are clicked away.
    CMapEntity_Game *help = named("HELPWINDOW");
    if (help || g.level()->getSummaryShown()) {
      if (help && ticks % 60 == 59) {
        trace("close", help);
        g.click(400, 300);
      }
      else if (!help && ticks % 100 == 99) g.click(400, 300);
      g.frame();
      return;
    }
    // Tips and the tutorial's bubbles close by themselves once what they ask is done: the work
    // goes on under them, and the perk a tip points to is tried now and then.
    CMapEntity_Game *bubble = ec()->getFirstEntityByClassID(kTutorialBubbleClass);
    if (bubble && !bubble->getKill() && bubble->name == "TIPPERK" && ticks % 50 == 49 && !noCure)
      if (CMapEntity_Game *perk = ec()->getFirstEntityByClassID(kPerkIconClass)) {
        clickOn(perk);
        return;
      }
    watchWard();
    if (!repairBed() && !seatArrival() && !measure() && !bedFromBench() && !(figureBusy() ? false : order())) {
      g.frames(3);
      return;
    }
  }

  // A broken bed costs its patient a heart every moment: the repairman is dragged onto it at once.
  bool repairBed() {
    CMapEntity_Game *man = named("OPRAVAR");
    if (!man || !shown(man) || clickedLately(man)) return false;
    for (CMapEntity_PostelClass *b : beds())
      if (b->getHealth() == 0 && clickable(b)) {
        lastClick[man->getSerial()] = g.frameCount;
        dragOnto(man, b);
        return true;
      }
    return false;
  }

  bool seatArrival() {
    for (CMapEntity_PacientClass *p : patients()) {
      if (p->getPhase() != kPhaseArrived || !shown(p) || p->locked) continue;
      for (CMapEntity_Game *e : all())
        if (CMapEntity_DiagnosticTool *c = dynamic_cast<CMapEntity_DiagnosticTool *>(e))
          if (!c->occupant.in(ec()) && shown(c)) {
            dragOnto(p, c);
            return true;
          }
    }
    return false;
  }

  bool measure() {
    for (CMapEntity_Game *e : all())
      if (CMapEntity_DiagnosticTool *c = dynamic_cast<CMapEntity_DiagnosticTool *>(e))
        if (c->occupant.in(ec()) && c->getGauge() && c->getGauge()->full) {
          clickOn(c->occupant.in(ec()));
          return true;
        }
    return false;
  }

  bool bedFromBench() {
    for (CMapEntity_PacientClass *p : patients()) {
      if (p->getPhase() != kPhaseOnCouch || !shown(p) || p->locked) continue;
      CMapEntity_PostelClass *best = nullptr;
      for (CMapEntity_PostelClass *b : beds()) {
        if (b->getOccupant() || b->isOccupied() || !b->isMadeUp() || b->isLocked()) continue;
        if (!best || (b->getColour() == p->getColour() && best->getColour() != p->getColour())) best = b;
      }
      if (best) {
        dragOnto(p, best);
        return true;
      }
    }
    return false;
  }

  // One order for the figure, the most urgent first.
  bool order() {
    const CChainBonus *chain = chainNow();
    const std::vector<CMapEntity_PostelClass *> ill = bedsIn(kBedOutbreak);
    // The monkey riding a patient takes hearts fast; the figure chases it off by walking to that
    // bed, which a click on the monkey alone does not order.
    if (!noCure)
      for (CMapEntity_PacientClass *p : patients())
        if (CMapEntity_Game *b = p->getPhase() == kPhaseHeld ? p->getBed() : nullptr)
          if (!clickedLately(b) && clickable(b)) return clickOn(b), true;
    if (!noCure && chain && chain->count < 5 && !figure()->containedFull()) {
      // A second patient to examine before the cabinet, a second bottle before the beds: each
      // pair is a run.
      if (chain->kind == CChainBonus::kExamination && !ill.empty()) return clickOn(ill[0]), true;
      if (holding(kMedicineID))
        for (CMapEntity_Game *e : all())
          if (e->getEntityID() == kMedicineID && !e->carrying().getParent()) return clickOn(e), true;
    }
    if (CMapEntity *m = holding(kMedicineID)) {
      uint16_t number = static_cast<CMapEntity_Lek *>(m)->bedNumber;
      for (CMapEntity_PostelClass *b : beds())
        if (b->getBedNumber() == number) return clickOn(b), true;
    }
    if (holding(kPrescriptionID) && !noCure)
      if (CMapEntity_Game *cabinet = ec()->getFirstEntityByClassID(kCabinetClass)) return clickOn(cabinet), true;
    // With both hands full (the spray and linen) a medicine cannot be taken: the linen goes first.
    if (!figure()->containedFull() && !noCure)
      for (CMapEntity_Game *e : all())
        if (e->getEntityID() == kMedicineID && !e->carrying().getParent()) return clickOn(e), true;
    if (holding(kRubbishID))
      if (CMapEntity_Game *trolley = ec()->getFirstEntityByClassID(30)) return clickOn(trolley), true;
    for (CMapEntity_Game *e : all())
      if ((e->getEntityID() == 214 || e->getEntityID() == 198) && !clickedLately(e) && clickable(e))
        return clickOn(e), true;
    std::vector<CMapEntity_PostelClass *> paying = bedsIn(kBedGivingMoney), unmade;
    for (CMapEntity_PostelClass *b : beds())
      if (!b->getOccupant() && !b->isMadeUp() && !holding(kRubbishID) && !b->getContainedEntityClass(kPatientClass) &&
          !clickedLately(b) && clickable(b))
        unmade.push_back(b);
    // A comfort item lifts a patient's hearts, and the pay follows the hearts: it goes to whom it
    // brings most, a paying one before its money is taken, and is fetched once someone wants it.
    // An outbreak comes first: left alone it costs more hearts than an item brings.
    if (!noCure && ill.empty()) {
      CMapEntity_PostelClass *cheer = nullptr;
      float most = 0;
      for (CMapEntity_PostelClass *b : beds())
        if (CMapEntity_PacientClass *p = dynamic_cast<CMapEntity_PacientClass *>(b->getOccupant()))
          if (p->getPhase() == kPhaseInBed && p->getBedState() != kBedOutbreak && !clickedLately(b) && clickable(b)) {
            const float gain = p->getMoney() * 150.0f * std::min(0.4f, 1.0f - p->getMood());
            if (gain > most) most = gain, cheer = b;
          }
      if (figure()->getContainedEntityClass(kComfortItemClass)) {
        if (cheer && most >= 100) return clickOn(cheer), true;
      } else if (most >= 150 && !figure()->containedFull() && !holding(kMedicineID) && !holding(kPrescriptionID)) {
        for (CMapEntity_Game *e : all())
          if (e->getEntityClassID() == kDispenserClass && e->CMapEntity::getContainedEntityClass(kComfortItemClass) &&
              !clickedLately(e) && clickable(e))
            return clickOn(e), true;
      }
    }
    // Work of one kind in a row pays a chain bonus: a run begun goes on while it can.
    if (chain && chain->count < 5) {
      if (chain->kind == CChainBonus::kSentHome && !paying.empty()) return clickOn(paying[0]), true;
      if (chain->kind == CChainBonus::kLinen && !unmade.empty()) return clickOn(unmade[0]), true;
    }
    if (!paying.empty() && !fillingAllBeds()) return clickOn(paying[0]), true;
    if (!ill.empty() && !noCure) return clickOn(ill[0]), true;
    for (CMapEntity_Game *e : all())
      if (e->getEntityClassID() == kGermClass && clickable(e)) {
        if (holding(kSprayID)) return clickOn(e), true;
        if (CMapEntity_Game *stand = named("ANTIV")) return clickOn(stand), true;
      }
    // Unmade beds wait until three can be made in a row, their linen one longer run, unless
    // someone needs one. Once the ward is closed they wait for the last patient to leave: nothing
    // else is done after, so all their linen makes one run.
    const bool closed = g.level()->closed();
    if (!unmade.empty() && (unbedded() > emptyBeds(true) || (closed ? !someoneAbed() : unmade.size() >= 3)))
      return clickOn(unmade[0]), true;
    return false;
  }
  std::vector<CMapEntity_PostelClass *> bedsIn(uint8_t state) const {
    std::vector<CMapEntity_PostelClass *> out;
    for (CMapEntity_PostelClass *b : beds())
      if (CMapEntity_PacientClass *p = dynamic_cast<CMapEntity_PacientClass *>(b->getOccupant()))
        if (p->getPhase() == kPhaseInBed && p->getBedState() == state && !clickedLately(b) && clickable(b))
          out.push_back(b);
    return out;
  }
  const CChainBonus *chainNow() const {
    CMapEntity_Game *f = figure();
    CPlayerController *c = f ? dynamic_cast<CPlayerController *>(f->getController()) : nullptr;
    return c ? &c->chain() : nullptr;
  }
  // Patients come in or on the couch, not yet in a bed.
  int unbedded() const {
    int n = 0;
    for (CMapEntity_PacientClass *p : patients())
      if ((p->getPhase() == kPhaseArrived || p->getPhase() == kPhaseOnCouch) && shown(p)) ++n;
    return n;
  }
  // A patient lies in a bed, or is held in one by the monkey.
  bool someoneAbed() const {
    for (CMapEntity_PacientClass *p : patients())
      if (p->getPhase() == kPhaseInBed || p->getPhase() == kPhaseHeld) return true;
    return false;
  }
  // Beds nobody lies in nor is brought to; with `madeUp`, only those ready for a patient.
  int emptyBeds(bool madeUp) const {
    int n = 0;
    for (CMapEntity_PostelClass *b : beds())
      if (!b->getOccupant() && !b->isOccupied() && (!madeUp || b->isMadeUp())) ++n;
    return n;
  }
  // The patients not yet bedded take every free bed: the ward fills, which pays, if the paying
  // ones stay a moment longer.
  bool fillingAllBeds() {
    const int empty = emptyBeds(false);
    if (empty > 0 && unbedded() >= empty) return true;
    // A bed or two short of a full ward, the first time today: the paying ones wait up to 40 s
    // for the next arrivals (the bonus halves each time after), while each is still half happy.
    // Two short only with two abed, or one patient would wait for a bonus two arrivals away.
    const int bedCount = (int)beds().size();
    if (empty < 1 || empty > 2 || bedCount - empty < 2 || wardFilled > 0 || g.level()->closed()) return false;
    long first = g.frameCount;
    std::map<uint64_t, long> still;
    for (CMapEntity_PacientClass *p : patients()) {
      if (p->getPhase() != kPhaseInBed || p->getBedState() != kBedGivingMoney) continue;
      if (p->getMood() < 0.5f) return false;
      auto it = payingSince.find(p->getSerial());
      const long since = it == payingSince.end() ? g.frameCount : it->second;
      still[p->getSerial()] = since;
      first = std::min(first, since);
    }
    payingSince = still;
    return (g.frameCount - first) * BotGame::kFrameMs < 40000;
  }
  // Counts the times every bed has held a patient today.
  void watchWard() {
    bool full = true;
    int n = 0;
    for (CMapEntity_PostelClass *b : beds()) {
      ++n;
      if (!b->getOccupant()) full = false;
    }
    full = full && n > 0;
    if (full && !wardWasFull) ++wardFilled;
    wardWasFull = full;
  }
  // By the entity's serial, as its address may by then hold another.
  std::map<uint64_t, long> payingSince;
  unsigned wardFilled = 0;
  bool wardWasFull = false;
  // A click that lands outside the window does nothing, and one on the status bar takes its
  // buttons (a germ drifted there would open the pause menu); without cures, one that lands on a
  // bedded patient (or the monkey on one) or its bed would choose the patient, and the figure
  // examines a chosen patient it passes once it falls ill.
  bool clickable(CMapEntity *e) const {
    int x, y;
    middle(e, x, y);
    if (x < 0 || y < 0 || x >= 800 || y > 530) return false;
    if (!noCure) return true;
    for (CMapEntity_PacientClass *p : patients())
      if (p->getPhase() == kPhaseInBed || p->getPhase() == kPhaseHeld)
        if (inBox(p, x, y) || (p->getBed() && inBox(p->getBed(), x, y))) return false;
    return true;
  }
  // The pointer's own 4 x 4 box at (x, y) meets the entity's action box.
  static bool inBox(CMapEntity *e, int x, int y) {
    Frame *f = e->looks().getCurrentFrame();
    Rect box = f ? f->getActionBoundingBox() : Rect{};
    const int left = (int)e->getX() + box.x, top = (int)e->getY() + box.y;
    return box.w > 0 && box.h > 0 && x + 4 > left && y + 4 > top && x < left + box.w && y < top + box.h;
  }

  // ---- the laboratory ----
  void labTick(DayResult &r) {
    ++ticks;
    if (CGlobals::instance()->paused || !has(kMiskaSetID)) {
      // The summary counts its lines up; it takes the click once the total shows.
      if (ticks % 40 == 39) g.click(400, 300);
      g.frame();
      return;
    }
    CMapEntity_Game *set = ec()->getEntityByID(kMiskaSetID);
    for (size_t i = 1; set && i < set->carrying().getContainedList().size(); ++i) {
      CMapEntity_Miska *dish = dynamic_cast<CMapEntity_Miska *>(set->carrying().getContainedList()[i]);
      if (!dish || dish->getKill() || dish->filled || dish->carrying().getContainedList().size() < 2) continue;
      CMapEntity_DNA *want = dynamic_cast<CMapEntity_DNA *>(dish->carrying().getContainedList()[1]);
      if (!want) continue;
      for (CMapEntity_Game *e : all()) {
        if (e->getEntityID() != kDnaID || e->carrying().getParent()) continue;
        CMapEntity_DNA *piece = static_cast<CMapEntity_DNA *>(e);
        if (piece->getColour() != want->getColour() || piece->getStrands() != want->getStrands()) continue;
        int px = (int)(piece->getX() + piece->xSpeed * 2) + 24, py = (int)(piece->getY() + piece->ySpeed * 2) + 24;
        if (px < 10 || px > 790 || py < 10 || py > 590) continue;
        g.drag(px, py, (int)dish->getX() + 44, (int)dish->getY() + 26, 3);
        ++r.cured;
        return;
      }
    }
    g.frame();
  }

  // ---- the map: the shop, then on ----
  void mapTick() {
    ++ticks;
    CMapEntity_Game *shop = named("UPGRADEMENU");
    if (shop) {
      if (named("TIPSHOP") || named("TIPSHOPPERK")) {
        if (ticks % 50 == 49) g.click(400, 300);
        g.frame();
        return;
      }
      // One action a tick, everything looked up afresh: a sale may rebuild the shop's rows.
      if (!perkTried) {
        perkTried = true;
        for (unsigned id : {270u, 274u, 296u, 308u})
          if (CMapEntity *row = shop->getContainedEntity((unsigned short)id)) {
            clickOn(row);
            g.frames(10);
            return;
          }
      }
      std::vector<CMapEntity *> buys;
      for (CMapEntity *row : shop->carrying().getContainedList())
        if (CMapEntity *buy = row->getContainedEntity(901))
          if (!buy->getKill()) buys.push_back(buy);
      if ((size_t)buyIndex < buys.size() && buyAttempts < 32) {
        ++buyAttempts;
        const int before = g.engine()->getPlayer()->getMoney();
        g.click((int)buys[(size_t)buyIndex]->getX() + 44, (int)buys[(size_t)buyIndex]->getY() + 16);
        g.frames(5);
        if (g.engine()->getPlayer()->getMoney() < before) {
          ++bought;
          if (++perItem < 4) return;
        }
        ++buyIndex;
        perItem = 0;
        return;
      }
      for (CMapEntity *c : shop->carrying().getContainedList())
        if (c->name == "MENUCLOSE") {
          clickOn(c);
          g.frames(5);
          return;
        }
      g.frame();
      return;
    }
    if (!openedShop) {
      openedShop = true;
      if (CMapEntity_Game *cart = named("UPGRADE")) {
        g.frames(10);
        clickOn(cart);
        return;
      }
    }
    if (ticks % 40 == 39) {
      if (CMapEntity_Game *star = named("MAPSTAR")) {
        clickOn(star);
        return;
      }
    }
    g.frame();
  }

  int bought = 0;
  // Registers, beds and tidies, but never examines, hands in or medicates, nor takes a perk: what
  // a day pays without cures.
  bool noCure = false;

private:
  BotGame &g;
  std::map<uint64_t, long> lastClick;
  long ticks = 0;
  bool openedShop = false, perkTried = false;
  int buyIndex = 0, buyAttempts = 0, perItem = 0;
};
