#include "world/kinds/CCharismaTable.h"

namespace {
const float kGain[5] = {1.0f, 1.2f, 1.5f, 1.9f, 2.1f};
const float kLoss[5] = {1.0f, 1.2f, 1.4f, 1.8f, 2.0f};

// Rounded as given, not computed from the factors: the two differ in the last places.
const float kAmounts[CCharismaTable::kAmountCount][5] = {
    {0.4f, 0.48f, 0.6f, 0.76f, 0.84f},
    {-0.3f, -0.25f, -0.2142857f, -0.1666667f, -0.15f},
    {0.15f, 0.18f, 0.225f, 0.285f, 0.315f},
    {0.35f, 0.42f, 0.525f, 0.665f, 0.735f},
    {-0.2f, -0.1666667f, -0.1428571f, -0.1111111f, -0.1f},
    {-0.05f, -0.0416667f, -0.0357143f, -0.0277778f, -0.025f},
    {-0.08f, -0.06666666f, -0.057142857f, -0.044444446f, -0.04f},
    {0.2f, 0.24f, 0.3f, 0.38f, 0.42f},
    {0.25f, 0.3f, 0.375f, 0.475f, 0.525f},
};

int row(int r) { return r < 0 ? 0 : (r > 4 ? 4 : r); }
} // namespace

int CCharismaTable::cappedStars(int stars) { return row(stars); }

int CCharismaTable::level(int stars) { return stars >= 1 && stars <= 4 ? stars : 0; }

float CCharismaTable::gain(int r) { return kGain[row(r)]; }

float CCharismaTable::lossDivisor(int r) { return kLoss[row(r)]; }

float CCharismaTable::amount(TAmount a, int r) { return kAmounts[a][row(r)]; }

float CCharismaTable::scaled(float change, int r) { return change > 0 ? change * gain(r) : change / lossDivisor(r); }
