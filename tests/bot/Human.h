#pragma once
// A player with the limits of an attentive newcomer, for judging what the game asks of people.
// It knows the game only through screens: the pictures drawn, their looks, frames, places, sizes,
// tints and captions (see Screen). It sees each screen 0.8 s late, so nothing is answered sooner
// than 0.8 s after it shows; it presses at most twice a second; its aim misses by up to 6 pixels.
// It remembers what it did itself, as a person does.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <deque>
#include <map>
#include <random>
#include <string>
#include <vector>

// One picture as drawn.
struct Seen {
  long id = 0;       // the same thing from screen to screen, as the eye follows it
  long carrier = 0;  // the picture it is drawn with, 0 for none
  long top = 0;      // the outermost of its carriers, itself when it has none
  std::string name, sprite, look, caption;
  int frame = 0;
  float x = 0, y = 0, w = 0, h = 0;
  int aimX = 0, aimY = 0;  // where a click on it best lands
  float r = 1, g = 1, b = 1, alpha = 1;

  bool is(const char *prefix) const { return name.compare(0, std::char_traits<char>::length(prefix), prefix) == 0; }
  float cx() const { return x + w / 2; }
  float cy() const { return y + h / 2; }
  bool sameTint(const Seen &o) const {
    return std::fabs(r - o.r) < 0.03f && std::fabs(g - o.g) < 0.03f && std::fabs(b - o.b) < 0.03f;
  }
};

struct Screen {
  long t = 0;  // game milliseconds
  std::vector<Seen> items;

  const Seen *find(long id) const {
    for (const Seen &s : items)
      if (s.id == id) return &s;
    return nullptr;
  }
  const Seen *named(const std::string &name) const {
    for (const Seen &s : items)
      if (s.name == name) return &s;
    return nullptr;
  }
  const Seen *first(const char *prefix) const {
    for (const Seen &s : items)
      if (s.is(prefix)) return &s;
    return nullptr;
  }
  std::vector<const Seen *> all(const char *prefix) const {
    std::vector<const Seen *> out;
    for (const Seen &s : items)
      if (s.is(prefix)) out.push_back(&s);
    return out;
  }
  std::vector<const Seen *> carriedBy(long id) const {
    std::vector<const Seen *> out;
    for (const Seen &s : items)
      if (s.carrier == id) out.push_back(&s);
    return out;
  }
  const Seen *carriedBy(long id, const char *prefix) const {
    for (const Seen &s : items)
      if (s.carrier == id && s.is(prefix)) return &s;
    return nullptr;
  }
  // What the figure `top` holds, wherever on it it is drawn.
  const Seen *heldBy(long top, const char *prefix) const {
    for (const Seen &s : items)
      if (s.top == top && s.id != top && s.is(prefix)) return &s;
    return nullptr;
  }
};

struct HumanAction {
  bool drag = false;
  long at = 0;  // game milliseconds when the press begins
  int x = 0, y = 0, toX = 0, toY = 0;
  std::string what;
};

class Human {
public:
  static constexpr long kReactionMs = 800;
  static constexpr long kPressGapMs = 500;
  static constexpr int kAimError = 6;

  explicit Human(uint32_t seed) : rng(seed ^ 0x5eed) {}

  // Every screen as it is drawn, in order.
  void see(Screen s) {
    std::map<long, long> inView;
    for (const Seen &e : s.items) {
      auto it = firstSeen.find(e.id);
      inView[e.id] = it == firstSeen.end() ? s.t : it->second;
    }
    firstSeen.swap(inView);
    shown.push_back(std::move(s));
    while (shown.size() > 2 && shown[1].t <= shown.back().t - kReactionMs - 600) shown.pop_front();
  }

  // The next press, if one is due now. The caller carries it out and calls see() meanwhile.
  bool decide(HumanAction &out) {
    if (shown.empty()) return false;
    const long now = shown.back().t;
    if (now < nextPress) return false;
    const Screen *late = seenAt(now - kReactionMs);
    if (!late) return false;
    const Screen *earlier = seenAt(late->t - 300);
    act = HumanAction();
    act.at = now;
    bool any = false;
    if (notebookIn(*late))
      any = notebook(*late);
    else if (late->first("UPGRADEMENU") || late->first("MAPSTAR"))
      any = map(*late);
    else if (late->first("MISKA"))
      any = lab(*late, earlier);
    else if (late->named("PLAYER") && late->first("POSTEL"))
      any = ward(*late, earlier);
    else
      any = elsewhere(*late);
    if (any || late->named("PLAYER") || late->first("MISKA") || late->first("MAPSTAR")) unknownSince = -1;
    if (!any) return false;
    nextPress = now + kPressGapMs;
    out = act;
    return true;
  }

private:
  // ---- what the eye has taken in ----
  const Screen *seenAt(long t) const {
    const Screen *best = nullptr;
    for (const Screen &s : shown)
      if (s.t <= t) best = &s;
    return best;
  }
  const Screen &now() const { return shown.back(); }

  // A still thing: where it was drawn 0.3 s before it is drawn now.
  static bool still(const Seen &s, const Screen *earlier) {
    if (!earlier) return false;
    const Seen *e = earlier->find(s.id);
    return e && std::fabs(e->x - s.x) < 1.5f && std::fabs(e->y - s.y) < 1.5f;
  }
  static bool inside(const Seen &a, const Seen &f, float slack = 4) {
    return a.cx() >= f.x - slack && a.cx() <= f.x + f.w + slack && a.cy() >= f.y - slack && a.cy() <= f.y + f.h + slack;
  }
  static bool person(const Seen &s) {
    return s.alpha > 0.9f && s.name.find("HLAVA") == std::string::npos &&
           (s.name.find("PACIENT") != std::string::npos || s.is("BLAZEN") || s.is("DITEHELMUT") || s.is("NEMOCNEJ"));
  }
  static bool furniture(const Seen &s, const char *prefix) {
    return s.is(prefix) && s.carrier == 0 && s.name.find("AURA") == std::string::npos;
  }
  // Beds are the bed pictures themselves (on their stands), not their pillows, blankets or rails.
  static bool bed(const Seen &s) {
    if (!s.is("POSTEL") || s.carrier != 0 || s.alpha < 0.9f) return false;
    for (const char *part : {"PRIKRYVKA", "POLSTAR", "MRIZ", "AURA"})
      if (s.name.find(part) != std::string::npos) return false;
    return true;
  }
  std::vector<const Seen *> people(const Screen &s) const {
    std::vector<const Seen *> out;
    for (const Seen &e : s.items)
      if (person(e)) out.push_back(&e);
    return out;
  }
  const Seen *personOn(const Screen &s, const Seen &f) const {
    for (const Seen *p : people(s))
      if (inside(*p, f)) return p;
    return nullptr;
  }
  bool touchedLately(long id, long ms) const {
    auto it = touched.find(id);
    return it != touched.end() && now().t - it->second < ms;
  }

  // ---- the hand ----
  // Aimed at the thing as it is drawn now (the eye follows it), off by up to kAimError pixels.
  bool click(const Seen &target, const char *what) {
    const Seen *t = now().find(target.id);
    if (!t) return false;
    aim(*t, act.x, act.y);
    act.drag = false;
    act.what = std::string(what) + " " + t->name;
    touched[target.id] = now().t;
    return true;
  }
  bool drag(const Seen &from, const Seen &to, const char *what, float leadX = 0, float leadY = 0) {
    const Seen *f = now().find(from.id), *t = now().find(to.id);
    if (!f || !t) return false;
    aim(*f, act.x, act.y);
    act.x += (int)leadX;
    act.y += (int)leadY;
    aim(*t, act.toX, act.toY);
    act.drag = true;
    act.what = std::string(what) + " " + f->name + " " + t->name;
    touched[from.id] = touched[to.id] = now().t;
    return true;
  }
  bool clickAt(int x, int y, const char *what) {
    aimAt(x, y, act.x, act.y);
    act.drag = false;
    act.what = what;
    return true;
  }
  void aim(const Seen &s, int &x, int &y) { aimAt(s.aimX, s.aimY, x, y); }
  // Anywhere in the disc of kAimError pixels around the point, evenly.
  void aimAt(int atX, int atY, int &x, int &y) {
    std::uniform_real_distribution<float> u(0, 1);
    float angle = u(rng) * 6.2831853f, reach = std::sqrt(u(rng)) * (float)kAimError;
    x = atX + (int)std::trunc(std::cos(angle) * reach);
    y = atY + (int)std::trunc(std::sin(angle) * reach);
  }

  // ---- screens ----
  bool notebook(const Screen &s) {
    // Read a moment, then clicked away.
    const Seen *book = notebookIn(s);
    if (touchedLately(book->id, 2000)) return false;
    if (book->name != "SESIT" && inSight(book->id) < kReactionMs + 2000) return false;
    return click(*book, "notebook");
  }
  // The notebook of a day's intro, of its summary or of a laboratory's.
  static const Seen *notebookIn(const Screen &s) {
    for (const Seen &e : s.items)
      if (e.name.size() >= 5 && e.name.compare(e.name.size() - 5, 5, "SESIT") == 0) return &e;
    return nullptr;
  }
  // How long the picture has been in sight without a break.
  long inSight(long id) const {
    auto it = firstSeen.find(id);
    return it == firstSeen.end() ? 0 : now().t - it->second;
  }

  bool elsewhere(const Screen &s) {
    // A comic page or another screen that waits for a click, once it has stood a moment.
    if (unknownSince < 0) unknownSince = s.t;
    if (s.t - unknownSince < 1000 || now().t - lastElsewhere < 2000) return false;
    lastElsewhere = now().t;
    return clickAt(400, 300, "page");
  }

  bool ward(const Screen &s, const Screen *earlier) {
    if (s.first("TIPPERK")) {
      for (const char *icon : {"PERKCURETOUCHICON", "PERKBURSTICON", "PERKVIRUSICON", "PERKLUCKICON"})
        if (const Seen *i = s.first(icon))
          if (!touchedLately(i->id, 3000)) return click(*i, "perk");
    }
    return measure(s) || seatArrival(s, earlier) || bedFromBench(s, earlier) || order(s, earlier);
  }

  bool measure(const Screen &s) {
    for (const Seen *gauge : s.all("TLAKOMER")) {
      if (gauge->carrier != 0 || gauge->look != "FRAMESET3") continue;
      const Seen *chair = nullptr;
      for (const Seen *c : s.all("ZIDLE"))
        if (furniture(*c, "ZIDLE") && (!chair || dist(*c, *gauge) < dist(*chair, *gauge))) chair = c;
      if (!chair) continue;
      if (const Seen *p = personOn(s, *chair))
        if (!touchedLately(p->id, 1500)) return click(*p, "measure");
    }
    return false;
  }
  static float dist(const Seen &a, const Seen &b) { return std::hypot(a.cx() - b.cx(), a.cy() - b.cy()); }

  bool seatArrival(const Screen &s, const Screen *earlier) {
    for (const Seen *couch : s.all("GAUC")) {
      if (!furniture(*couch, "GAUC") || couch->is("GAUCCOLORS")) continue;
      for (const Seen *p : people(s)) {
        if (!inside(*p, *couch) || !still(*p, earlier) || touchedLately(p->id, 3000)) continue;
        for (const Seen *chair : s.all("ZIDLE"))
          if (furniture(*chair, "ZIDLE") && !personOn(s, *chair) && !touchedLately(chair->id, 4000))
            return drag(*p, *chair, "seat");
      }
    }
    return false;
  }

  // Patients in pyjamas who sit still and not in a bed wait on the bench for one.
  bool bedFromBench(const Screen &s, const Screen *earlier) {
    for (const Seen *p : people(s)) {
      if (p->sprite.find("PYZAMO") == std::string::npos || bedUnder(s, *p) || !still(*p, earlier) ||
          touchedLately(p->id, 3000))
        continue;
      const Seen *pyjamas = p;
      const Seen *best = nullptr;
      bool bestMatch = false;
      for (const Seen &b : s.items) {
        if (!bed(b) || personOn(s, b) || touchedLately(b.id, 6000) || !made(s, b)) continue;
        const Seen *blanket = part(s, b, "PRIKRYVKA");
        bool match = pyjamas && blanket && pyjamas->sameTint(*blanket);
        if (!best || (match && !bestMatch)) best = &b, bestMatch = match;
      }
      if (best) return drag(*p, *best, "bed");
    }
    return false;
  }
  static const Seen *part(const Screen &s, const Seen &b, const char *what) {
    for (const Seen *p : s.carriedBy(b.id))
      if (p->name.find(what) != std::string::npos) return p;
    return nullptr;
  }
  static bool made(const Screen &s, const Seen &b) {
    bool any = false;
    for (const Seen *part : s.carriedBy(b.id)) {
      if (part->name.find("PRIKRYVKA") == std::string::npos && part->name.find("POLSTAR") == std::string::npos) continue;
      any = true;
      if (part->look != "FRAMESET1") return false;
    }
    return any;
  }
  const Seen *bedNumbered(const Screen &s, const std::string &number) const {
    for (const Seen &b : s.items)
      if (bed(b))
        for (const Seen *part : s.carriedBy(b.id))
          if (part->name.find("MRIZ") != std::string::npos && part->caption == number) return &b;
    return nullptr;
  }
  const Seen *bedUnder(const Screen &s, const Seen &p) const {
    for (const Seen &b : s.items)
      if (bed(b) && inside(p, b, 0)) return &b;
    return nullptr;
  }

  // One order for the doctor at a time: the next once the last has visibly been taken up (what
  // the doctor holds or how its target looks has changed) or a while has passed.
  bool order(const Screen &s, const Screen *earlier) {
    const Seen *doctor = s.named("PLAYER");
    if (!doctor || !still(*doctor, earlier)) return false;
    std::string holds = holding(s, doctor->id);
    if (pendingOrder) {
      const Seen *target = s.find(orderTarget);
      bool changed = holds != orderHolds || !target || target->look != orderLook || target->caption != orderCaption;
      if (!changed && s.t - orderAt < 8000) return false;
      pendingOrder = false;
      // A person notices when the same order twice comes to nothing and leaves it a while.
      if (changed) fruitless.erase(orderTarget);
      else if (++fruitless[orderTarget] >= 2) {
        givenUp[orderTarget] = s.t;
        fruitless.erase(orderTarget);
      }
    }
    const Seen *pick = nextOrder(s, doctor->id);
    if (!pick || !click(*pick, "order")) return false;
    pendingOrder = true;
    orderTarget = pick->id;
    orderLook = pick->look;
    orderCaption = pick->caption;
    orderHolds = holds;
    orderAt = s.t;
    return true;
  }
  static std::string holding(const Screen &s, long doctor) {
    std::string out;
    for (const Seen &e : s.items)
      if (e.top == doctor && e.id != doctor && e.carrier != doctor) out += e.name + ":" + e.caption + " ";
    return out;
  }

  // The most urgent order first, leaving out what was given up on in the last 20 s.
  const Seen *nextOrder(const Screen &s, long doctor) {
    for (const Seen *c : orders(s, doctor)) {
      auto it = givenUp.find(c->id);
      if (it == givenUp.end() || s.t - it->second > 20000) return c;
    }
    return nullptr;
  }
  std::vector<const Seen *> orders(const Screen &s, long doctor) const {
    std::vector<const Seen *> out;
    // The spray goes back to its stand once no germ is left: it fills a hand.
    const Seen *stand = s.named("ANTIV");
    const bool spray = stand && !s.carriedBy(stand->id, "SPREJ");
    std::vector<const Seen *> germs;
    for (const Seen *germ : s.all("BACILY"))
      if (germ->name.find("GENERATOR") == std::string::npos) germs.push_back(germ);
    if (spray && germs.empty()) out.push_back(stand);
    if (const Seen *m = s.heldBy(doctor, "LEK"))
      if (const Seen *b = bedNumbered(s, m->caption)) out.push_back(b);
    if (s.heldBy(doctor, "RECEPT"))
      for (const Seen *c : s.all("LEKARNA"))
        if (furniture(*c, "LEKARNA")) out.push_back(c);
    for (const Seen *m : s.all("LEK"))
      if (m->name == "LEK" && m->carrier == 0) out.push_back(m);
    const bool rubbish = s.heldBy(doctor, "ODPAD") != nullptr;
    if (rubbish)
      for (const Seen *t : s.all("VOZIK"))
        if (furniture(*t, "VOZIK")) out.push_back(t);
    for (const char *pest : {"OPICKA", "SASEK"})
      if (const Seen *e = s.first(pest))
        if (e->carrier == 0 && !touchedLately(e->id, 1500)) out.push_back(e);
    for (const char *look : {"GIVEMONEY", "ILL1"})
      for (const Seen *p : people(s))
        if (p->look == look)
          if (const Seen *b = bedUnder(s, *p))
            if (!touchedLately(b->id, 2000)) out.push_back(b);
    // The spray is in hand when its stand stands empty.
    for (const Seen *germ : germs) out.push_back(spray || !stand ? germ : stand);
    if (!rubbish)
      for (const Seen &b : s.items)
        if (bed(b) && !made(s, b) && !personOn(s, b) && !touchedLately(b.id, 3000)) out.push_back(&b);
    return out;
  }

  // ---- the laboratory: each dish wants the piece drawn in it ----
  bool lab(const Screen &s, const Screen *earlier) {
    for (const Seen *dish : s.all("MISKA")) {
      if (touchedLately(dish->id, 1500)) continue;
      std::vector<const Seen *> in;
      for (const Seen *c : s.carriedBy(dish->id))
        if (c->is("DNA")) in.push_back(c);
      if (in.size() != 1) continue;
      const Seen *want = in[0];
      for (const Seen *piece : s.all("DNA")) {
        if (piece->carrier != 0 || piece->sprite != want->sprite || !piece->sameTint(*want)) continue;
        const Seen *was = earlier ? earlier->find(piece->id) : nullptr;
        const Seen *is = now().find(piece->id);
        if (!is || is->aimX < 10 || is->aimX > 790 || is->aimY < 10 || is->aimY > 530) continue;
        // The eye follows a drifting piece: the hand goes where it is heading.
        float vx = was ? (piece->x - was->x) / 15.0f : 0, vy = was ? (piece->y - was->y) / 15.0f : 0;
        return drag(*piece, *dish, "dna", vx * 2, vy * 2);
      }
    }
    return false;
  }

  // ---- the map and its shop ----
  bool map(const Screen &s) {
    if (const Seen *shop = s.first("UPGRADEMENU")) {
      shopSeen = true;
      // The shop's tip turns its pages by itself: it is read, not clicked.
      if (s.first("TIPSHOP")) return false;
      if (!perkTried) {
        perkTried = true;
        for (const char *row : {"PERKCURETOUCH", "PERKBURST", "PERKLUCK", "PERKVIRUS"})
          for (const Seen *r : s.all(row))
            if (r->name == row) return click(*r, "perk");
      }
      std::vector<const Seen *> buys;
      for (const Seen *b : s.all("UPGRADEOK"))
        if (b->alpha > 0.9f) buys.push_back(b);
      std::sort(buys.begin(), buys.end(), [](const Seen *a, const Seen *b) { return a->y < b->y; });
      while (buyIndex < buys.size() && buysOfRow >= 4) ++buyIndex, buysOfRow = 0;
      if (buyIndex < buys.size() && buyTries < 24) {
        ++buyTries;
        ++buysOfRow;
        return click(*buys[buyIndex], "buy");
      }
      for (const Seen *c : s.carriedBy(shop->id))
        if (c->is("MENUCLOSE")) return click(*c, "close");
      return false;
    }
    if (!openedShop) {
      openedShop = true;
      cartAt = now().t;
      if (const Seen *cart = s.named("UPGRADE")) return click(*cart, "shop");
    }
    // On once the shop has been seen and closed (or it never opened).
    if (!shopSeen && now().t - cartAt < 4000) return false;
    if (const Seen *star = s.first("MAPSTAR"))
      if (!touchedLately(star->id, 2000)) return click(*star, "star");
    return false;
  }

  std::mt19937 rng;
  std::deque<Screen> shown;
  HumanAction act;
  long nextPress = 0, lastElsewhere = -100000, unknownSince = -1;
  std::map<long, long> touched, firstSeen, givenUp;
  std::map<long, int> fruitless;
  bool pendingOrder = false;
  long orderTarget = 0, orderAt = 0;
  std::string orderLook, orderCaption, orderHolds;
  bool openedShop = false, perkTried = false, shopSeen = false;
  long cartAt = 0;
  size_t buyIndex = 0;
  int buysOfRow = 0, buyTries = 0;
};
