#include <gtest/gtest.h>
#include <vector>

#include "ward/furniture/CMapEntity_Gauc.h"
#include "world/kinds/CMapEntity_PostelClass.h"
#include "world/kinds/CMapEntity_Tlakomer.h"

namespace {

CMapEntity_Game *part(uint32_t cls) {
  CMapEntity_Game *e = new CMapEntity_Game(0, 0, false);
  e->setEntityClassID(cls);
  return e;
}

// A level without "maxcolors" gives beds the four ward colours, never a division by zero.
TEST(StationsTest, MissingOrNegativeMaxColoursMeansFourColours) {
  EXPECT_EQ(bedColourRange(-1), 3);
  EXPECT_EQ(bedColourRange(-7), 3);
  EXPECT_EQ(bedColourRange(0), 0);
  EXPECT_EQ(bedColourRange(2), 2);
  // A colour past the colour table leaves the blanket's tint as it was.
  CMapEntity_PostelClass bed(0, 0, false);
  CMapEntity_Game *blanket = part(CMapEntity_PostelClass::kBlanketClass);
  bed.addEntity(blanket, false, false);
  bed.setBarva(2);
  const float red = blanket->looks().getRed();
  bed.setBarva(60000);
  EXPECT_EQ(blanket->looks().getRed(), red);
}

// Laying a patient: the colour chain runs against the bed's colour, the bed takes the patient's,
// the blanket goes to the patient; a patient that dies in bed is forgotten and the bed freed.
TEST(StationsTest, BedTakesPatientsColourAndForgetsAPatientThatDies) {
  CMapEntity_PostelClass bed(0, 0, false);
  bed.addEntity(part(14), false, false);
  bed.addEntity(part(35), false, false);
  bed.setBarva(2);
  CMapEntity_Game *patient = new CMapEntity_Game(10, 10, false);
  EXPECT_EQ(bed.ulozPacienta(patient, 2), 2);
  EXPECT_EQ(bed.getColour(), 2);
  EXPECT_EQ(bed.getOccupant(), patient);
  EXPECT_EQ(bed.getContainedEntityClass(14), nullptr);
  EXPECT_NE(patient->getContainedEntityClass(14), nullptr);
  CMapEntity_Game second(0, 0, false);
  EXPECT_EQ(bed.ulozPacienta(&second, 1), 0) << "taken";

  bed.vylozPacienta();
  EXPECT_EQ(bed.getOccupant(), nullptr);
  EXPECT_NE(bed.getContainedEntityClass(14), nullptr) << "the blanket came back";
  bed.setUklizeno(true);
  ASSERT_EQ(bed.ulozPacienta(patient, 3), 1) << "another colour ends the chain";
  EXPECT_EQ(bed.getColour(), 3);

  patient->setKill(true);
  EXPECT_EQ(bed.getOccupant(), nullptr) << "a dying patient is not followed";
  EXPECT_FALSE(bed.isOccupied());
  delete patient;
  EXPECT_EQ(bed.getOccupant(), nullptr);
}

TEST(StationsTest, GaugeStagesAndFullFlag) {
  CMapEntity_Tlakomer g(0, 0, false);
  g.setStav(1.0f);
  EXPECT_FALSE(g.full) << "exactly full is not yet over the top";
  g.setStav(1.2f);
  EXPECT_TRUE(g.full);
  EXPECT_FLOAT_EQ(g.value, 1.0f);
  g.setStav(0.0f);
  EXPECT_FALSE(g.full);
  g.start(0.5f);
  g.step(1.0f);
  g.step(1.0f);
  g.step(1.0f);
  EXPECT_TRUE(g.full);
  EXPECT_FALSE(g.running);
}

// A couch placed from a full one has every seat free, where the original's are.
TEST(StationsTest, ACopyOfAnOccupiedCouchHasItsSeatsAllFree) {
  CMapEntity_Gauc1b sofa(0, 0, false);
  for (auto &seat : sofa.occupants) seat = &sofa;
  CMapEntity_GaucClass *copy = static_cast<CMapEntity_GaucClass *>(sofa.clone());
  EXPECT_EQ(copy->freeSeat(), 0);
  EXPECT_EQ(copy->occupants, std::vector<TEntityRef<CMapEntity>>(sofa.occupants.size()));
  EXPECT_EQ(copy->seatOffsets.back().x, sofa.seatOffsets.back().x);
  delete copy;
}

} // namespace
