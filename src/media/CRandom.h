#pragma once
#include <cstdint>
#include <string>

// The game's one source of chance. Start-up seeds it from the clock, so players meet new days;
// with a fixed seed (the tests and the bot set one) every build of a level draws the same numbers,
// and a day played the same way twice ends the same way.
class CRandom {
public:
  // Like std::rand: 0 .. kMax.
  static constexpr int kMax = 0x7fffffff;
  static int draw();

  static void seed(uint32_t value);
  // Every later level build starts from `value` and the level's name.
  static void fixSeed(uint32_t value);
  // Back to one stream that runs on from start-up.
  static void unfixSeed();
  static bool isSeedFixed();
  // Called once as a level is built.
  static void startLevel(const std::string &name);
};
