#pragma once
#include <cstdint>
#include <vector>

class CMapEntity_Game;
class CMapEntity_PacientClass;

// When each patient's last outbreak ended untreated: a patient goes from its outbreak straight back
// to sleep only when nobody examined it in time. Watched from outside the patients, frame by frame.
class COutbreakWatch {
public:
  void watch(const std::vector<CMapEntity_Game *> &entities, int32_t now);
  // True once per miss: the patient's outbreak ended untreated at `since` or later.
  bool takeMissSince(const CMapEntity_PacientClass *patient, int32_t since);

private:
  struct TSeen {
    const CMapEntity_PacientClass *patient;
    uint8_t bedState;
    bool missed;
    int32_t missedAt;
  };
  std::vector<TSeen> seen;
  std::vector<TSeen> next;
};
