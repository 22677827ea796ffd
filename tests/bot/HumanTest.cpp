#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "Human.h"

namespace {

Seen picture(long id, const char *name, float x, float y, float w, float h, long carrier = 0) {
  Seen s;
  s.id = id;
  s.name = s.sprite = name;
  s.look = "FRAMESET1";
  s.x = x, s.y = y, s.w = w, s.h = h;
  s.aimX = (int)(x + w / 2), s.aimY = (int)(y + h / 2);
  s.carrier = carrier;
  s.top = carrier ? carrier : id;
  return s;
}

// A ward with three free chairs; three patients sit down on the couch by the door at 1 s.
Screen ward(long t) {
  Screen s;
  s.t = t;
  s.items = {picture(1, "PLAYER", 560, 250, 64, 96), picture(2, "POSTEL1", 256, 128, 150, 120),
             picture(3, "POSTEL1PRIKRYVKA", 256, 178, 150, 70, 2), picture(4, "GAUC1", 230, 424, 290, 96),
             picture(5, "ZIDLE", 120, 176, 64, 80), picture(6, "ZIDLE2", 120, 256, 64, 80),
             picture(7, "ZIDLE3", 40, 176, 64, 80)};
  if (t >= 1000)
    for (long k = 0; k < 3; ++k) s.items.push_back(picture(10 + k, "PACIENT1", 240 + 90 * (float)k, 400, 72, 112));
  return s;
}

// Whatever it is shown, the newcomer answers no sooner than 0.8 s after it shows, presses no
// more than twice a second, and lands within 6 pixels of what it aims at.
TEST(Human, AnswersNoSoonerThanItsReactionPressesAtMostTwiceASecondAndAimsClose) {
  Human human(3);
  std::vector<HumanAction> done;
  for (long t = 0; t <= 8000; t += 20) {
    human.see(ward(t));
    HumanAction a;
    if (human.decide(a)) done.push_back(a);
  }
  ASSERT_GE(done.size(), 3u) << "the three patients were seated";
  EXPECT_GE(done.front().at, 1000 + Human::kReactionMs);
  for (size_t i = 1; i < done.size(); ++i) EXPECT_GE(done[i].at - done[i - 1].at, Human::kPressGapMs);
  const Screen last = ward(8000);
  for (const HumanAction &a : done) {
    ASSERT_TRUE(a.drag) << a.what;
    bool nearPatient = false, nearChair = false;
    for (const Seen &s : last.items) {
      const bool close = std::hypot(a.x - s.aimX, a.y - s.aimY) <= Human::kAimError;
      const bool closeEnd = std::hypot(a.toX - s.aimX, a.toY - s.aimY) <= Human::kAimError;
      nearPatient = nearPatient || (close && s.is("PACIENT"));
      nearChair = nearChair || (closeEnd && s.is("ZIDLE"));
    }
    EXPECT_TRUE(nearPatient && nearChair) << a.x << "," << a.y << " -> " << a.toX << "," << a.toY;
  }
}

} // namespace
