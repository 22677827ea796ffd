#pragma once
#include <cstdint>
#include <vector>

#include "world/CCloneable.h"
#include "world/CEntityController.h"

// The record of one completed dish set: the grant is strands x value.
struct setSkore {
  int32_t value;
  int32_t strands;
};

// A dish: flashes once when made, and glows under the second cursor while it is empty.
class CMiskaController : public CCloneable<CMiskaController, CEntityController> {
public:
  using CCloneable::CCloneable;
  CMiskaController(const CMiskaController &other) : CCloneable(other) {}

  void onBind() override;
  void update() override;
  void specificHandleMessages(KEvent *) override {}
  // Lights the dish and its pieces up again.
  void resetFlash();

private:
  int32_t flashing = 1;
};

// The dish set: records a set once every dish holds its piece, fades it out and has the next
// one built; the records are what the laboratory's summary pays.
class CMiskaSetController : public CCloneable<CMiskaSetController, CEntityController> {
public:
  using CCloneable::CCloneable;
  CMiskaSetController(const CMiskaSetController &other) : CCloneable(other) {}

  void onBind() override;
  void update() override { checkSetComplete(); }
  void specificHandleMessages(KEvent *) override {}

  void checkSetComplete();
  void generateNewSet();

  bool getCompleted() const { return completed != 0; }
  const std::vector<setSkore> &getRecords() const { return records; }

  // The records of the collection's dish set; empty without one.
  static const std::vector<setSkore> &recordsOf(CMapEntitiesCollection *collection);

private:
  float alpha = 1.0f;
  int32_t completed = 0;
  std::vector<setSkore> records;
};
