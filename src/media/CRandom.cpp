#include "media/CRandom.h"

#include <random>

namespace {
std::mt19937 &stream() {
  static std::mt19937 s(1);
  return s;
}
bool fixed = false;
uint32_t fixedSeed = 0;
} // namespace

int CRandom::draw() { return (int)(stream()() >> 1); }

void CRandom::seed(uint32_t value) { stream().seed(value); }

void CRandom::fixSeed(uint32_t value) {
  fixed = true;
  fixedSeed = value;
}

void CRandom::unfixSeed() { fixed = false; }

bool CRandom::isSeedFixed() { return fixed; }

void CRandom::startLevel(const std::string &name) {
  if (!fixed) return;
  // The name keeps two days of one seed from drawing alike.
  uint32_t h = 2166136261u;
  for (unsigned char c : name) h = (h ^ c) * 16777619u;
  stream().seed(fixedSeed ^ h);
}
