#pragma once
#include <cstdint>

#include "world/kinds/Links.h"

class CLevel_Game;
class CMapEntitiesCollection_Game;
class Timer;

// Sends the day's patients to the waiting couch at even spacing over the day.
class CCustomerGenerator {
public:
  CCustomerGenerator() = default;
  CCustomerGenerator(const CCustomerGenerator &) = delete;
  CCustomerGenerator &operator=(const CCustomerGenerator &) = delete;
  ~CCustomerGenerator();

  void bindEC(CMapEntitiesCollection_Game *c, CLevel_Game *level);
  void setCustomerCount(int total);
  void work();
  void preGenerate(int n);
  // One arrival; announced ones play the arrival sound and fade in.
  void generate(bool announced);
  // The last forced record with a count left, or -1.
  int isForcedCustomer() const;

  Timer *getTimer() const { return timer; }
  uint16_t getGenerated() const { return generated; }
  uint16_t getTotal() const { return total; }
  // Arrivals that ended without a patient (no record left, no couch, no free seat).
  uint16_t getMissed() const { return missed; }

private:
  int chooseRecord() const;

  // The level that owns this generator, and its list.
  CMapEntitiesCollection_Game *collection = nullptr;
  Timer *timer = nullptr;
  CLevel_Game *level = nullptr;
  uint16_t generated = 0;
  uint16_t total = 0;
  int32_t fresh = 1;
  uint16_t missed = 0;
};

// The generator as the level reaches it.
class CCustomerGeneratorImpl : public CCustomerGeneratorLink {
public:
  CCustomerGenerator *create() override { return new CCustomerGenerator(); }
  void destroy(CCustomerGenerator *g) override { delete g; }
  void bindEC(CCustomerGenerator *g, CMapEntitiesCollection_Game *c, CLevel_Game *level) override {
    g->bindEC(c, level);
  }
  void setCustomerCount(CCustomerGenerator *g, int total) override { g->setCustomerCount(total); }
  void preGenerate(CCustomerGenerator *g, int count) override { g->preGenerate(count); }
  void work(CCustomerGenerator *g) override { g->work(); }
};

// A patient cheered by a tip: five hearts and a mood of 0.9.
class CPatientCheer : public CPatientMoodLink {
public:
  void cheer(CMapEntity_Game *patient) override;
};
