#include "events/CDNAGeneratorController.h"

#include <cstdlib>
#include <string>

#include "core/CEngine.h"
#include "events/CMapEntity_DNA.h"
#include "events/CMapEntity_Miska.h"
#include "events/LabIds.h"
#include "media/CRandom.h"
#include "world/CLevel_Game.h"
#include "world/CMapEntitiesCollection.h"
#include "world/CMapEntitiesFactory.h"
#include "world/CWorldEngine.h"

namespace {
struct TOffset {
  float x, y;
};
const TOffset kDishOffsets[4] = {{205, 68}, {167, 155}, {158, 239}, {200, 333}};
// A template sits at the dish's top-left corner, 7 pixels left of and 11 above the dish.
const TOffset kTemplateInDish = {-7, -11};

CMapEntity_DNA *clonePiece() { return dynamic_cast<CMapEntity_DNA *>(CMapEntitiesFactory::instance()->cloneEntity("DNA")); }

// -1.0 to (range - 1) / 10 - 1 in tenths.
float drawSpeed(int range) { return (float)(CRandom::draw() % range) / 10.0f - 1.0f; }

std::string levelName(CEngine *engine) {
  CWorldEngine *host = engine;
  CLevel *level = host && host->getLevel() ? host->getLevel() : CLevel::getRunning();
  return level ? level->getLevelName() : std::string();
}
} // namespace

CDNAGeneratorController *CDNAGeneratorController::find(CMapEntitiesCollection *collection) {
  CMapEntity_Game *g = collection ? collection->getEntityByID(kDnaGeneratorID) : nullptr;
  return g ? dynamic_cast<CDNAGeneratorController *>(g->getController()) : nullptr;
}

void CDNAGeneratorController::onBind() {
  const std::string name = levelName(engine);
  if (name == "LAB 1") dishesPerSet = 1;
  else if (name == "LAB 2") dishesPerSet = 2;
  else if (name == "LAB 3") dishesPerSet = 3;
  generujMisky();
  if (!collection) return;
  for (int i = 0; i < 50; ++i) {
    CMapEntity_DNA *piece = clonePiece();
    if (!piece) return;
    collection->addEntity(piece);
    float x = (float)(332 + CRandom::draw() % 337);
    float y = (float)(CRandom::draw() % 453);
    piece->setXY(x, y);
    piece->setColour(CRandom::draw() % 9);
    piece->setStrands(CRandom::draw() % 7 + 1);
    piece->xSpeed = drawSpeed(20);
    piece->ySpeed = drawSpeed(20);
    piece->spin = (float)(CRandom::draw() % 10) / 10.0f;
    piece->scaleActionBox((float)(CRandom::draw() % 8 + 3) / 10.0f);
  }
  for (int i = 0; i < 20; ++i) generujBakterii(-1, -1);
}

void CDNAGeneratorController::generujBakterii(float x, float y) {
  if (!collection) return;
  int32_t colour = CRandom::draw() % 9;
  int32_t strands = CRandom::draw() % 7 + 1;
  bool taken = false;
  for (const TTemplate &t : templates) {
    // A draw for every dish, so each gives the same one-in-seven chance.
    if (CRandom::draw() % 7 == 1 && !taken) {
      colour = t.colour;
      strands = t.strands;
      taken = true;
    }
  }
  newLoosePiece(x, y, colour, strands);
}

CMapEntity_DNA *CDNAGeneratorController::newLoosePiece(float x, float y, int32_t colour, int32_t strands) {
  CMapEntity_DNA *piece = clonePiece();
  if (!piece) return nullptr;
  collection->addEntity(piece);
  if (x == -1.0f) x = (float)(332 + CRandom::draw() % 337);
  if (y == -1.0f) y = (float)(CRandom::draw() % 453);
  piece->setXY(x, y);
  piece->setColour(colour);
  piece->setStrands(strands);
  // New pieces drift mostly left and up.
  piece->xSpeed = drawSpeed(13);
  piece->ySpeed = drawSpeed(13);
  piece->spin = (float)(CRandom::draw() % 10) / 10.0f;
  piece->scaleActionBox((float)(CRandom::draw() % 8 + 3) / 10.0f);
  return piece;
}

void CDNAGeneratorController::generujMisky() {
  CMapEntity_Game *set = collection ? collection->getEntityByID(kMiskaSetID) : nullptr;
  if (set) {
    templates.clear();
    if (dishesPerSet >= 5) dishesPerSet = 4;
    const int32_t n = dishesPerSet;
    for (int32_t i = 0; i < n; ++i) {
      int32_t colour = 0, strands = 0;
      bool shared = true;
      while (shared) {
        colour = CRandom::draw() % 9;
        strands = CRandom::draw() % 7 + 1;
        shared = false;
        for (const TTemplate &t : templates) shared = shared || (t.colour == colour && t.strands == strands);
      }
      CMapEntity_Miska *dish = dynamic_cast<CMapEntity_Miska *>(CMapEntitiesFactory::instance()->cloneEntity("MISKA"));
      CMapEntity_DNA *piece = clonePiece();
      if (!dish || !piece) {
        delete dish;
        delete piece;
        break;
      }
      dish->value = dishesPerSet * 100 + 100;
      piece->setColour(colour);
      piece->xSpeed = piece->ySpeed = piece->spin = 0.0f;
      piece->setStrands(strands);
      piece->clearActionBox();
      dish->addEntity(piece, true, true);
      piece->setXOffset(kTemplateInDish.x, false);
      piece->setYOffset(kTemplateInDish.y, false);
      piece->setZoom(0.75f);
      set->addEntity(dish, true, true);
      dish->setXOffset(kDishOffsets[i].x, false);
      dish->setYOffset(kDishOffsets[i].y, false);
      dish->syncWithParentPosition();
      templates.push_back(TTemplate{colour, strands});
    }
  }
  ++dishesPerSet;
}
