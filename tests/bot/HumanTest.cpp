#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "Human.h"

namespace {

Seen picture(long id, const char *sprite, float x, float y, float w, float h, int order) {
  Seen s;
  s.id = id;
  s.sprite = sprite;
  s.look = "FRAMESET1";
  s.x = x, s.y = y, s.w = w, s.h = h;
  s.order = order;
  return s;
}
float middleX(const Seen &s) { return s.x + s.w / 2; }
float middleY(const Seen &s) { return s.y + s.h / 2; }

// A ward with three free chairs; three patients sit down on the couch by the door at 1 s.
Screen ward(long t, long patientsFrom = 1000, long patientsUntil = 1000000) {
  Screen s;
  s.t = t;
  s.items = {picture(1, "PLAYER1", 560, 250, 64, 96, 1),  picture(2, "POSTEL1", 256, 128, 150, 120, 2),
             picture(3, "POSTEL1PRIKRYVKA", 256, 178, 150, 70, 3), picture(4, "SOFA1", 230, 424, 290, 96, 4),
             picture(5, "ZIDLE", 120, 176, 64, 80, 5), picture(6, "ZIDLE2", 120, 256, 64, 80, 6),
             picture(7, "ZIDLE3", 40, 176, 64, 80, 7)};
  if (t >= patientsFrom && t < patientsUntil)
    for (int k = 0; k < 3; ++k) s.items.push_back(picture(10 + k, "PACIENT1", 240 + 90 * (float)k, 400, 72, 112, 8 + k));
  return s;
}

std::vector<HumanAction> play(Human &human, long until, Screen (*screen)(long)) {
  std::vector<HumanAction> done;
  for (long t = 0; t <= until; t += 20) {
    human.see(screen(t));
    HumanAction a;
    if (human.decide(a)) done.push_back(a);
  }
  return done;
}

// Whatever it is shown, the newcomer answers no sooner than 0.8 s after it shows, presses no
// more than twice a second, and lands within 6 pixels of what it aims at.
TEST(Human, AnswersNoSoonerThanItsReactionPressesAtMostTwiceASecondAndAimsClose) {
  Human human(3);
  std::vector<HumanAction> done = play(human, 8000, [](long t) { return ward(t); });
  ASSERT_GE(done.size(), 3u) << "the three patients were seated";
  EXPECT_GE(done.front().at, 1000 + Human::kReactionMs);
  for (size_t i = 1; i < done.size(); ++i) EXPECT_GE(done[i].at - done[i - 1].at, Human::kPressGapMs);
  const Screen last = ward(8000);
  for (const HumanAction &a : done) {
    ASSERT_TRUE(a.drag) << a.what;
    bool nearPatient = false, nearChair = false;
    for (const Seen &s : last.items) {
      const bool close = std::hypot(a.x - middleX(s), a.y - middleY(s)) <= Human::kAimError;
      const bool closeEnd = std::hypot(a.toX - middleX(s), a.toY - middleY(s)) <= Human::kAimError;
      nearPatient = nearPatient || (close && s.is("PACIENT"));
      nearChair = nearChair || (closeEnd && s.is("ZIDLE"));
    }
    EXPECT_TRUE(nearPatient && nearChair) << a.x << "," << a.y << " -> " << a.toX << "," << a.toY;
  }
}

// The hand acts on the screen the eye took in 0.8 s before: patients who sat on the couch from
// 1 s to 2 s are still dragged from where they sat after they have gone (wasted presses). Each
// drag first carries the pointer from where the last press left it, then to the chair, each way
// taking a quarter of a second and a millisecond a pixel.
TEST(Human, PressesWhereTheThingWasSeenAndDragsAtAPersonsPace) {
  Human human(5);
  std::vector<HumanAction> done = play(human, 6000, [](long t) { return ward(t, 1000, 2000); });
  ASSERT_GE(done.size(), 2u);
  int pointerX = 400, pointerY = 300;
  for (const HumanAction &a : done) {
    ASSERT_TRUE(a.drag) << a.what;
    EXPECT_GE(a.at, 2000) << "decided on a screen from before the patients left";
    bool onASeat = false;
    for (const Seen &s : ward(1500).items)
      onASeat = onASeat || (s.is("PACIENT") && std::hypot(a.x - middleX(s), a.y - middleY(s)) <= Human::kAimError);
    EXPECT_TRUE(onASeat) << a.x << "," << a.y;
    const double reach = std::hypot(a.x - pointerX, a.y - pointerY), carry = std::hypot(a.toX - a.x, a.toY - a.y);
    EXPECT_NEAR((double)a.reachMs, 250 + reach, 1.0);
    EXPECT_NEAR((double)a.carryMs, 250 + carry, 1.0);
    EXPECT_GT(carry, 100) << "the chairs stand well away from the couch";
    pointerX = a.toX, pointerY = a.toY;
  }
}

// Only what shows is seen: a patient under a picture drawn over it is left alone, and one half
// covered is taken by its visible half.
TEST(Human, SeesOnlyWhatShowsAndAimsAtItsVisiblePart) {
  static int covered;
  auto screen = [](long t) {
    Screen s = ward(t);
    s.items.push_back(picture(20, "INFOBOX", 0, 390, (float)covered, 140, 20));
    s.pixels = [s]() {
      std::vector<uint16_t> at((size_t)Screen::kW * Screen::kH, 0);
      for (size_t i = 0; i < s.items.size(); ++i)
        for (int y = std::max(0, (int)s.items[i].y); y < std::min(Screen::kH, (int)(s.items[i].y + s.items[i].h)); ++y)
          for (int x = std::max(0, (int)s.items[i].x); x < std::min(Screen::kW, (int)(s.items[i].x + s.items[i].w)); ++x)
            at[(size_t)y * Screen::kW + x] = (uint16_t)(i + 1);
      return at;
    };
    return s;
  };
  covered = 800;
  Human hidden(7);
  EXPECT_TRUE(play(hidden, 4000, screen).empty()) << "the couch is under the box";
  // The first patient's left 40 pixels are covered: it is taken by the rest.
  covered = 280;
  Human half(7);
  std::vector<HumanAction> done = play(half, 4000, screen);
  ASSERT_FALSE(done.empty());
  EXPECT_GE(done.front().x, 280 - 1) << "aimed at the covered half";
  EXPECT_LE(done.front().x, 312 + Human::kAimError);
}

} // namespace
