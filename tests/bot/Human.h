#pragma once
// A player with the limits of an attentive newcomer, for judging what the game asks of people.
// It knows the game only from screens of what was drawn (see Screen): pictures by their looks and
// places, the texts written on them, and which of them shows at each pixel. It sees each screen
// 0.8 s late, so nothing is answered sooner than 0.8 s after it shows; it presses at most twice a
// second; it aims at a visible point of the picture as it saw it, misses by up to 6 pixels, and
// presses even when the thing has gone since. A drag moves the pointer from where it is to the
// thing and on to where the target was seen, at a person's speed. It remembers what it did
// itself, as a person does.
#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <random>
#include <string>
#include <vector>

// One picture as drawn.
struct Seen {
  long id = 0;    // the same thing from screen to screen, as the eye follows it by look and place
  int order = 0;  // drawn over the pictures of lower order
  std::string sprite, look, caption;  // the picture, its animation, the texts written on it
  int frame = 0;
  float x = 0, y = 0, w = 0, h = 0;
  float r = 1, g = 1, b = 1, alpha = 1;
  int visible = -1;  // pixels where it shows, -1 while not worked out

  bool is(const char *prefix) const { return sprite.compare(0, std::char_traits<char>::length(prefix), prefix) == 0; }
  bool has(const char *part) const { return sprite.find(part) != std::string::npos; }
  bool shows() const { return visible != 0; }
  float cx() const { return x + w / 2; }
  float cy() const { return y + h / 2; }
  bool holds(float px, float py, float slack = 0) const {
    return px >= x - slack && px <= x + w + slack && py >= y - slack && py <= y + h + slack;
  }
  bool sameTint(const Seen &o) const {
    return std::fabs(r - o.r) < 0.03f && std::fabs(g - o.g) < 0.03f && std::fabs(b - o.b) < 0.03f;
  }
};

struct Screen {
  static constexpr int kW = 800, kH = 600;
  long t = 0;  // game milliseconds
  std::vector<Seen> items;
  // Which item shows at each pixel (its index + 1, 0 where nothing does), worked out on demand;
  // a screen without it shows every picture whole.
  std::function<std::vector<uint16_t>()> pixels;
  std::vector<uint16_t> shown;

  // Which pictures show and where, worked out once; a picture hidden everywhere is out of sight.
  void resolve() {
    if (!pixels || !shown.empty()) return;
    shown = pixels();
    std::vector<int> count(items.size() + 1, 0);
    int *c = count.data();
    for (const uint16_t *k = shown.data(), *end = k + shown.size(); k != end; ++k) ++c[*k];
    for (size_t i = 0; i < items.size(); ++i) items[i].visible = count[i + 1];
  }
  const Seen *find(long id) const {
    for (const Seen &s : items)
      if (s.id == id && s.shows()) return &s;
    return nullptr;
  }
  const Seen *first(const char *prefix) const {
    for (const Seen &s : items)
      if (s.is(prefix) && s.shows()) return &s;
    return nullptr;
  }
  std::vector<const Seen *> all(const char *prefix) const {
    std::vector<const Seen *> out;
    for (const Seen &s : items)
      if (s.is(prefix) && s.shows()) out.push_back(&s);
    return out;
  }
  // The pictures of `kind` drawn over `on` with their middle on it.
  std::vector<const Seen *> over(const Seen &on, const char *kind, float slack = 0) const {
    std::vector<const Seen *> out;
    for (const Seen &s : items)
      if (s.order > on.order && s.is(kind) && s.shows() && on.holds(s.cx(), s.cy(), slack)) out.push_back(&s);
    return out;
  }
};

// A press: a click, or a drag that first carries the pointer to its start.
struct HumanAction {
  bool drag = false;
  long at = 0;       // game milliseconds when it was decided
  long reachMs = 0;  // a drag's way from where the pointer is to its press
  long carryMs = 0;  // a drag's way from its press to its release
  int x = 0, y = 0, toX = 0, toY = 0;
  std::string what;
};

class Human {
public:
  static constexpr long kReactionMs = 800;
  static constexpr long kPressGapMs = 500;
  static constexpr long kGlanceMs = 100;  // how often the eye takes the screen in afresh
  static constexpr int kAimError = 6;
  // A person moves the pointer in about a quarter of a second plus a millisecond a pixel.
  static long moveMs(int x0, int y0, int x1, int y1) { return 250 + (long)std::lround(std::hypot(x1 - x0, y1 - y0)); }

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
    if (now < nextPress || now < nextGlance) return false;
    nextGlance = now + kGlanceMs;
    Screen *late = seenAt(now - kReactionMs);
    if (!late) return false;
    late->resolve();
    const Screen *earlier = seenAt(late->t - 300);
    act = HumanAction();
    act.at = now;
    bool any = false;
    sight = late;
    parts(*late);
    if (notebookIn(*late))
      any = notebook(*late);
    else if (late->first("UPGRADESESIT2") || late->first("MAPSTAR"))
      any = map(*late);
    else if (late->first("MISKA"))
      any = lab(*late, earlier);
    else if (doctorIn(*late) && late->first("POSTEL"))
      any = ward(*late, earlier);
    else
      any = elsewhere(*late);
    if (any || doctorIn(*late) || late->first("MISKA") || late->first("MAPSTAR")) unknownSince = -1;
    if (!any) return false;
    nextPress = now + kPressGapMs;
    pointerX = act.drag ? act.toX : act.x;
    pointerY = act.drag ? act.toY : act.y;
    out = act;
    return true;
  }

private:
  // ---- what the eye has taken in ----
  Screen *seenAt(long t) {
    Screen *best = nullptr;
    for (Screen &s : shown)
      if (s.t <= t) best = &s;
    return best;
  }
  const Screen &now() const { return shown.back(); }

  // A still thing: where it was drawn 0.3 s before.
  static bool still(const Seen &s, const Screen *earlier) {
    if (!earlier) return false;
    const Seen *e = earlier->find(s.id);
    return e && std::fabs(e->x - s.x) < 1.5f && std::fabs(e->y - s.y) < 1.5f;
  }
  static bool inside(const Seen &a, const Seen &f, float slack = 4) { return f.holds(a.cx(), a.cy(), slack); }

  // ---- what the pictures are, by their looks ----
  static bool endsWith(const std::string &s, const char *tail) {
    const size_t n = std::char_traits<char>::length(tail);
    return s.size() >= n && s.compare(s.size() - n, n, tail) == 0;
  }
  static bool bedLook(const Seen &s) {
    return s.is("POSTEL") && !s.has("POLSTAR") && !s.has("PRIKRYVKA") && !s.has("MRIZ") && !s.has("AURA");
  }
  static bool bedPartLook(const Seen &s) { return s.is("POSTEL") && !bedLook(s) && !s.has("AURA"); }
  static bool bodyLook(const Seen &s) {
    if (s.has("HLAVA") || s.has("RUKA") || s.has("_SKIN")) return false;
    return s.is("PACIENT") || s.is("BLAZEN") || s.is("DITEPACIENT") || s.is("DITEHELMUT") || s.is("NEMOCNEJ") ||
           endsWith(s.sprite, "PYZAMO");
  }
  static bool bodyPartLook(const Seen &s) {
    return s.has("HLAVA") || s.has("PYZAMORUKA") || (s.has("PYZAMO") && s.has("_SKIN")) || s.sprite == "SRDICKA" ||
           s.sprite == "BAR" || s.sprite == "BAROUTLINE";
  }
  static bool doctorLook(const Seen &s) {
    const size_t at = s.is("MPLAYER") ? 7 : s.is("PLAYER") ? 6 : std::string::npos;
    return at != std::string::npos && s.sprite.size() == at + 1 && std::isdigit((unsigned char)s.sprite[at]);
  }
  static bool doctorPartLook(const Seen &s) {
    return ((s.is("PLAYER") || s.is("MPLAYER")) && !doctorLook(s)) || s.is("SHOES") || s.is("MSHOES") ||
           s.is("STETO") || s.is("MSTETO");
  }
  static bool person(const Seen &s) { return s.alpha > 0.9f && bodyLook(s) && s.shows(); }
  static bool furniture(const Seen &s, const char *prefix) { return s.is(prefix) && !s.has("AURA") && s.shows(); }
  static bool bed(const Seen &s) { return bedLook(s) && s.alpha > 0.9f && s.shows(); }

  // Pictures drawn on a thing are its parts: a bed's pillow, blanket and rail, a patient's head,
  // arm and hearts, the doctor's hands. Each goes with the nearest thing of its kind it lies on.
  void parts(const Screen &s) {
    whole.assign(s.items.size(), -1);
    for (size_t i = 0; i < s.items.size(); ++i) {
      const Seen &p = s.items[i];
      bool (*of)(const Seen &) = bedPartLook(p) ? bedLook : bodyPartLook(p) ? bodyLook : doctorPartLook(p) ? doctorLook : nullptr;
      if (!of) continue;
      float best = 1e9f;
      for (size_t j = 0; j < s.items.size(); ++j) {
        const Seen &w = s.items[j];
        if (!of(w) || !w.holds(p.cx(), p.cy(), 4)) continue;
        const float d = std::hypot(w.x - p.x, w.y - p.y);
        if (d < best) best = d, whole[i] = (int)j;
      }
    }
  }
  size_t indexOf(const Seen &e) const { return (size_t)(&e - &sight->items[0]); }
  std::vector<const Seen *> partsOf(const Seen &e) const {
    std::vector<const Seen *> out;
    const int i = (int)indexOf(e);
    for (size_t j = 0; j < sight->items.size(); ++j)
      if (whole[j] == i && sight->items[j].shows()) out.push_back(&sight->items[j]);
    return out;
  }
  const Seen *part(const Seen &e, const char *what) const {
    for (const Seen *p : partsOf(e))
      if (p->has(what)) return p;
    return nullptr;
  }

  const Seen *doctorIn(const Screen &s) const {
    for (const Seen &e : s.items)
      if (doctorLook(e) && e.shows()) return &e;
    return nullptr;
  }
  // What the doctor carries: drawn over the figure, in its hands.
  const Seen *heldBy(const Screen &s, const Seen &doctor, const char *kind) const {
    std::vector<const Seen *> on = s.over(doctor, kind, 4);
    return on.empty() ? nullptr : on.front();
  }
  // Drawn over the doctor and within her: in her hand, not lying where she stands.
  static bool drawnOn(const Seen &e, const Seen &doctor) {
    return e.order > doctor.order && doctor.holds(e.cx(), e.cy(), 4);
  }
  std::string holding(const Screen &s, const Seen &doctor) const {
    std::string out;
    for (const char *kind : {"LEK", "RECEPT", "ODPAD", "SPREJ"})
      for (const Seen *e : s.over(doctor, kind, 4))
        if (!e->is("LEKARNA")) out += e->sprite + ":" + e->caption + " ";
    return out;
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
  // Where a press on the thing lands: the point of its visible picture (its parts with it)
  // farthest inside, as it was seen, off by up to kAimError pixels.
  void aim(const Seen &target, int &x, int &y) {
    std::vector<const Seen *> group = partsOf(target);
    group.push_back(&target);
    float x0 = 1e9f, y0 = 1e9f, x1 = -1e9f, y1 = -1e9f;
    for (const Seen *g : group) {
      x0 = std::min(x0, g->x), y0 = std::min(y0, g->y);
      x1 = std::max(x1, g->x + g->w), y1 = std::max(y1, g->y + g->h);
    }
    const int left = std::max(0, (int)x0), top = std::max(0, (int)y0);
    const int right = std::min(Screen::kW, (int)std::ceil(x1)), bottom = std::min(Screen::kH, (int)std::ceil(y1));
    const int w = right - left, h = bottom - top;
    if (w <= 0 || h <= 0) return aimAt((int)target.cx(), (int)target.cy(), x, y);
    std::vector<char> mine(sight->items.size() + 1, 0);
    for (const Seen *g : group) mine[indexOf(*g) + 1] = 1;
    // Distance inside the visible part (chamfer 3-4), in two passes over its box.
    std::vector<int> d((size_t)w * h);
    for (int j = 0; j < h; ++j)
      for (int i = 0; i < w; ++i) {
        bool in = false;
        if (!sight->shown.empty())
          in = mine[sight->shown[(size_t)(top + j) * Screen::kW + left + i]] != 0;
        else
          for (const Seen *g : group) in = in || g->holds(left + i + 0.5f, top + j + 0.5f);
        d[(size_t)j * w + i] = in ? 1 << 20 : 0;
      }
    auto at = [&](int i, int j) { return i < 0 || j < 0 || i >= w || j >= h ? 0 : d[(size_t)j * w + i]; };
    for (int j = 0; j < h; ++j)
      for (int i = 0; i < w; ++i) {
        int &v = d[(size_t)j * w + i];
        if (v) v = std::min({v, at(i - 1, j) + 3, at(i, j - 1) + 3, at(i - 1, j - 1) + 4, at(i + 1, j - 1) + 4});
      }
    for (int j = h - 1; j >= 0; --j)
      for (int i = w - 1; i >= 0; --i) {
        int &v = d[(size_t)j * w + i];
        if (v) v = std::min({v, at(i + 1, j) + 3, at(i, j + 1) + 3, at(i + 1, j + 1) + 4, at(i - 1, j + 1) + 4});
      }
    int best = 0, bx = (int)target.cx(), by = (int)target.cy();
    float bestOff = 1e9f;
    for (int j = 0; j < h; ++j)
      for (int i = 0; i < w; ++i) {
        const int v = d[(size_t)j * w + i];
        const float off = std::hypot(left + i - target.cx(), top + j - target.cy());
        if (v > best || (v == best && v > 0 && off < bestOff)) best = v, bestOff = off, bx = left + i, by = top + j;
      }
    aimAt(bx, by, x, y);
  }
  bool click(const Seen &target, const char *what) {
    aim(target, act.x, act.y);
    act.drag = false;
    act.what = std::string(what) + " " + target.sprite;
    touched[target.id] = now().t;
    return true;
  }
  bool drag(const Seen &from, const Seen &to, const char *what) {
    aim(from, act.x, act.y);
    aim(to, act.toX, act.toY);
    act.drag = true;
    act.reachMs = moveMs(pointerX, pointerY, act.x, act.y);
    act.carryMs = moveMs(act.x, act.y, act.toX, act.toY);
    act.what = std::string(what) + " " + from.sprite + " " + to.sprite;
    touched[from.id] = touched[to.id] = now().t;
    return true;
  }
  bool clickAt(int x, int y, const char *what) {
    aimAt(x, y, act.x, act.y);
    act.drag = false;
    act.what = what;
    return true;
  }
  // Anywhere in the disc of kAimError pixels around the point, evenly.
  void aimAt(int atX, int atY, int &x, int &y) {
    std::uniform_real_distribution<float> u(0, 1);
    float angle = u(rng) * 6.2831853f, reach = std::sqrt(u(rng)) * (float)kAimError;
    x = atX + (int)std::trunc(std::cos(angle) * reach);
    y = atY + (int)std::trunc(std::sin(angle) * reach);
  }

  // ---- screens ----
  bool notebook(const Screen &s) {
    // Read a moment (a summary a little longer), then clicked away.
    const Seen *book = notebookIn(s);
    if (touchedLately(book->id, 2000)) return false;
    if (book->sprite != "INTROTABLE" && inSight(book->id) < kReactionMs + 2000) return false;
    return click(*book, "notebook");
  }
  // The notebook of a day's intro, of its summary or of a laboratory's.
  static const Seen *notebookIn(const Screen &s) {
    for (const char *book : {"INTROTABLE", "OUTROTABLE"})
      if (const Seen *e = s.first(book)) return e;
    return nullptr;
  }
  // How long the picture has been in sight without a break.
  long inSight(long id) const {
    auto it = firstSeen.find(id);
    return it == firstSeen.end() ? 0 : now().t - it->second;
  }
  static bool says(const Seen &s, const char *words) {
    std::string text = s.caption;
    for (char &c : text) c = (char)std::tolower((unsigned char)c);
    return text.find(words) != std::string::npos;
  }

  bool elsewhere(const Screen &s) {
    // A comic page or another screen that waits for a click, once it has stood a moment.
    if (unknownSince < 0) unknownSince = s.t;
    if (s.t - unknownSince < 1000 || now().t - lastElsewhere < 2000) return false;
    lastElsewhere = now().t;
    return clickAt(400, 300, "page");
  }

  bool ward(const Screen &s, const Screen *earlier) {
    // A tip that points to the perks on the status bar: one is tried.
    for (const Seen *tip : s.all("TUTORIALBG"))
      if (says(*tip, "perk"))
        for (const char *icon : {"CURETOUCHICON", "BURSTICON", "VIRUSICON", "LUCKICON"})
          if (const Seen *i = s.first(icon))
            if (!touchedLately(i->id, 3000)) return click(*i, "perk");
    return measure(s) || seatArrival(s, earlier) || bedFromBench(s, earlier) || order(s, earlier);
  }

  // A gauge that has filled lights its red lamp: the patient on the chair beside it is clicked.
  bool measure(const Screen &s) {
    for (const Seen *gauge : s.all("TLAKOMER")) {
      if (gauge->sprite != "TLAKOMER") continue;
      bool lit = false;
      for (const Seen *lamp : s.all("REDLIGHT")) lit = lit || dist(*lamp, *gauge) < 60;
      if (!lit) continue;
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
    for (const Seen *couch : s.all("SOFA")) {
      if (!furniture(*couch, "SOFA")) continue;
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
      if (!p->has("PYZAMO") || bedUnder(s, *p) || !still(*p, earlier) || touchedLately(p->id, 3000)) continue;
      const Seen *best = nullptr;
      bool bestMatch = false;
      for (const Seen &b : s.items) {
        if (!bed(b) || personOn(s, b) || touchedLately(b.id, 6000) || !made(b)) continue;
        const Seen *blanket = part(b, "PRIKRYVKA");
        bool match = blanket && p->sameTint(*blanket);
        if (!best || (match && !bestMatch)) best = &b, bestMatch = match;
      }
      if (best) return drag(*p, *best, "bed");
    }
    return false;
  }
  // A made bed shows its pillow and blanket smooth.
  bool made(const Seen &b) const {
    bool any = false;
    for (const Seen *p : partsOf(b)) {
      if (!p->has("PRIKRYVKA") && !p->has("POLSTAR")) continue;
      any = true;
      if (p->look != "FRAMESET1") return false;
    }
    return any;
  }
  // The bed whose rail shows the number.
  const Seen *bedNumbered(const Screen &s, const std::string &number) const {
    for (const Seen &b : s.items)
      if (bed(b))
        if (const Seen *rail = part(b, "MRIZ"))
          if (rail->caption == number || rail->caption.compare(0, number.size() + 1, number + " ") == 0) return &b;
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
    const Seen *doctor = doctorIn(s);
    if (!doctor || !still(*doctor, earlier)) return false;
    std::string holds = holding(s, *doctor);
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
    const Seen *pick = nextOrder(s, *doctor);
    if (!pick || !click(*pick, "order")) return false;
    pendingOrder = true;
    orderTarget = pick->id;
    orderLook = pick->look;
    orderCaption = pick->caption;
    orderHolds = holds;
    orderAt = s.t;
    return true;
  }

  // The most urgent order first, leaving out what was given up on in the last 20 s.
  const Seen *nextOrder(const Screen &s, const Seen &doctor) {
    for (const Seen *c : orders(s, doctor)) {
      auto it = givenUp.find(c->id);
      if (it == givenUp.end() || s.t - it->second > 20000) return c;
    }
    return nullptr;
  }
  std::vector<const Seen *> orders(const Screen &s, const Seen &doctor) const {
    std::vector<const Seen *> out;
    // The spray goes back to its stand once no germ is left: it fills a hand.
    const Seen *stand = s.first("ANTIV");
    // What she holds is drawn on her: by her stand the spray in her hand is not the one on it.
    bool onStand = false;
    if (stand)
      for (const Seen *e : s.over(*stand, "SPREJ", 4))
        if (!drawnOn(*e, doctor)) onStand = true;
    const bool spray = stand && !onStand;
    std::vector<const Seen *> germs = s.all("BACILY");
    // After closing, the beds need a free hand more than the germs need the spray.
    const bool closed = s.first("CLOSED") != nullptr;
    if (spray && (germs.empty() || closed)) out.push_back(stand);
    const Seen *medicine = heldBy(s, doctor, "LEK");
    if (medicine && medicine->is("LEKARNA")) medicine = nullptr;
    if (medicine)
      if (const Seen *b = bedNumbered(s, medicine->caption)) out.push_back(b);
    if (heldBy(s, doctor, "RECEPT"))
      for (const Seen *c : s.all("LEKARNA"))
        if (furniture(*c, "LEKARNA")) out.push_back(c);
    for (const Seen *m : s.all("LEK"))
      if (!m->is("LEKARNA") && !drawnOn(*m, doctor)) out.push_back(m);
    const bool rubbish = heldBy(s, doctor, "ODPAD") != nullptr;
    if (rubbish)
      for (const Seen *t : s.all("VOZIK"))
        if (furniture(*t, "VOZIK")) out.push_back(t);
    for (const char *pest : {"OPICKA", "SASEK"})
      if (const Seen *e = s.first(pest))
        if (!touchedLately(e->id, 1500)) out.push_back(e);
    for (const char *look : {"GIVEMONEY", "ILL1"}) {
      for (const Seen *p : people(s)) {
        const Seen *head = part(*p, "HLAVA");
        if (p->look != look && !(head && head->look == look)) continue;
        if (const Seen *b = bedUnder(s, *p))
          if (!touchedLately(b->id, 2000)) out.push_back(b);
      }
    }
    // Once the CLOSED sign stands, the beds it lists keep the day open and germs do not: the
    // beds come first.
    if (closed) bedsToMake(s, rubbish, out);
    // The spray is in hand when its stand stands empty.
    for (const Seen *germ : germs) out.push_back(spray || !stand ? germ : stand);
    if (!closed) bedsToMake(s, rubbish, out);
    return out;
  }
  void bedsToMake(const Screen &s, bool rubbish, std::vector<const Seen *> &out) const {
    if (!rubbish)
      for (const Seen &b : s.items)
        if (bed(b) && !made(b) && !personOn(s, b) && !touchedLately(b.id, 3000)) out.push_back(&b);
  }

  // ---- the laboratory: each dish wants the piece drawn in it ----
  bool lab(const Screen &s, const Screen *earlier) {
    for (const Seen *dish : s.all("MISKA")) {
      if (touchedLately(dish->id, 1500)) continue;
      std::vector<const Seen *> in;
      for (const Seen *c : s.over(*dish, "DNA"))
        if (still(*c, earlier)) in.push_back(c);
      if (in.size() != 1) continue;
      const Seen *want = in[0];
      for (const Seen *piece : s.all("DNA")) {
        if (piece == want || piece->sprite != want->sprite || !piece->sameTint(*want) || still(*piece, earlier)) continue;
        if (piece->cx() < 10 || piece->cx() > 790 || piece->cy() < 10 || piece->cy() > 530) continue;
        return drag(*piece, *dish, "dna");
      }
    }
    return false;
  }

  // ---- the map and its shop ----
  bool map(const Screen &s) {
    if (const Seen *shop = s.first("UPGRADESESIT2")) {
      shopSeen = true;
      // The shop's tip turns its pages by itself: it is read, not clicked; one asking for a
      // perk is answered.
      bool perkAsked = false;
      for (const Seen *tip : s.all("TUTORIALBG")) {
        if (!says(*tip, "perk")) return false;
        perkAsked = true;
      }
      if (!perkTried || perkAsked) {
        perkTried = true;
        for (const char *row : {"PERKTOUCH", "PERKBURST", "PERKLUCK", "PERKVIRUS"})
          if (const Seen *r = s.first(row))
            if (!touchedLately(r->id, 3000)) return click(*r, "perk");
      }
      std::vector<const Seen *> buys;
      for (const Seen *b : s.all("BUYBUTTON"))
        if (b->alpha > 0.9f) buys.push_back(b);
      std::sort(buys.begin(), buys.end(), [](const Seen *a, const Seen *b) { return a->y < b->y; });
      while (buyIndex < buys.size() && buysOfRow >= 4) ++buyIndex, buysOfRow = 0;
      if (buyIndex < buys.size() && buyTries < 24) {
        ++buyTries;
        ++buysOfRow;
        return click(*buys[buyIndex], "buy");
      }
      for (const Seen *c : s.over(*shop, "MENUCLOSE"))
        return click(*c, "close");
      return false;
    }
    if (!openedShop) {
      openedShop = true;
      cartAt = now().t;
      if (const Seen *cart = s.first("UPGRADESICO")) return click(*cart, "shop");
    }
    // On once the shop has been seen and closed (or it never opened).
    if (!shopSeen && now().t - cartAt < 4000) return false;
    if (const Seen *star = s.first("MAPSTAR"))
      if (!touchedLately(star->id, 2000)) return click(*star, "star");
    return false;
  }

  std::mt19937 rng;
  std::deque<Screen> shown;
  Screen *sight = nullptr;   // the screen being decided on
  std::vector<int> whole;    // for each of its pictures, the thing it is part of (-1: none)
  HumanAction act;
  long nextPress = 0, nextGlance = 0, lastElsewhere = -100000, unknownSince = -1;
  int pointerX = 400, pointerY = 300;
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
