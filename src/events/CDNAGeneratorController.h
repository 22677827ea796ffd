#pragma once
#include <cstdint>
#include <vector>

#include "world/CCloneable.h"
#include "world/CEntityController.h"

class CMapEntity_DNA;

// Sets the laboratory up when bound (the first dish set and seventy loose pieces), then makes a
// new loose piece or a new dish set whenever asked.
class CDNAGeneratorController : public CCloneable<CDNAGeneratorController, CEntityController> {
public:
  using CCloneable::CCloneable;
  CDNAGeneratorController(const CDNAGeneratorController &other) : CCloneable(other) {}

  void onBind() override;
  void update() override {}
  void specificHandleMessages(KEvent *) override {}

  // One loose piece at (x, y); -1 draws that coordinate at random.
  void generujBakterii(float x, float y);
  // The next dish set, one dish more than the last (at most four), into the "MISKASET" entity.
  void generujMisky();

  int32_t getDishesPerSet() const { return dishesPerSet; }
  // What a dish of the current set asks for.
  struct TTemplate {
    int32_t colour;
    int32_t strands;
  };
  const std::vector<TTemplate> &getTemplates() const { return templates; }

  // The generator behaviour of the collection's generator entity, or null.
  static CDNAGeneratorController *find(CMapEntitiesCollection *collection);

  static constexpr float kBandLeft = 330.0f;
  static constexpr float kBandRight = 670.0f;
  static constexpr float kFieldBottom = 460.0f;

private:
  CMapEntity_DNA *newLoosePiece(float x, float y, int32_t colour, int32_t strands);

  int32_t dishesPerSet = 1;
  // The current set's templates in dish order, kept by value: the pieces die with their set.
  std::vector<TTemplate> templates;
};
