#include "media/CFakeTime.h"

#include "media/CGlobals.h"

CFakeTime *CFakeTime_instance = nullptr;

CFakeTime::CFakeTime() { CFakeTime_instance = this; }

CFakeTime::~CFakeTime() {
  if (CFakeTime_instance == this) CFakeTime_instance = nullptr;
  if (m_instance == this) m_instance = nullptr;
}

void CFakeTime::advanceFrame(int16_t dt) {
  if (dt < 0) return;
  if (CGlobals_instance && CGlobals_instance->paused) return;
  ms += (uint32_t)(dt > CGlobals::kLongestFrameMs ? CGlobals::kLongestFrameMs : dt);
}
