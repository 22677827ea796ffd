#include <gtest/gtest.h>

#include <string>

#include "FrameworkTestSupport.h"

namespace {

// A prototype class that exports tunables, as the patients and tips do.
class Tunable : public CMapEntity_Game {
public:
  Tunable() : CMapEntity_Game(0, 0, false) {
    exportVariable("patience", TVariable::FLOAT, &patience);
    exportVariable("maxuses", TVariable::INTEGER, &uses);
    exportVariable("text", TVariable::STRING, &text);
  }
  Tunable(const Tunable &o) : CMapEntity_Game(o), patience(o.patience), uses(o.uses), text(o.text) {}
  Tunable *clone() override { return new Tunable(*this); }

  float patience = 1.0f;
  int32_t uses = 0;
  std::string text = "built in";
};

Tunable *tunable(const std::string &name) {
  Tunable *t = new Tunable();
  t->name = name;
  return t;
}

class FactoryTest : public FrameworkTest {
protected:
  std::string variables(const std::string &body) {
    mkdir((dir + "/data").c_str(), 0755);
    return writeFile("data/variables.xml", body);
  }
};

TEST_F(FactoryTest, ClonesComeFromTheFirstPrototypeOfThatNameOrID) {
  CMapEntity_Game *first = proto("POSTEL1", 40, 13);
  first->setSortZ(4, false);
  CMapEntity_Game *second = proto("POSTEL1", 41, 13);
  second->setSortZ(9, false);
  proto("LEK", 40, 18);

  CMapEntity_Game *byName = factory->cloneEntity("POSTEL1");
  CMapEntity_Game *byID = factory->cloneEntity((unsigned short)40);
  EXPECT_NE(byName, first) << "a copy, owned by the caller";
  EXPECT_EQ(byName->looks().getSortZ(), 4);
  EXPECT_EQ(byName->getEntityID(), 40u);
  EXPECT_EQ(byID->name, "POSTEL1") << "ID 40 was registered first by the bed";
  EXPECT_EQ(factory->returnEntityByID(41), second);
  EXPECT_EQ(factory->najdiEntity("NOTHING"), nullptr);
  delete byName;
  delete byID;

  // Carriers clone by name through the registry.
  CMapEntity_Game *hand = live("HAND", 600);
  CMapEntity *item = hand->addEntity(std::string("LEK"));
  EXPECT_EQ(item->getEntityClassID(), 18u);
  EXPECT_EQ(hand->getContainedEntity(40), item);
  EXPECT_TRUE(collection->contains(item));
}

TEST_F(FactoryTest, TheVariablesFileSetsExportedVariablesOfPrototypesRegisteredAfterIt) {
  Tunable *early = tunable("PACIENT1");
  factory->addEntity(early);
  variables("<variables>\n"
            "  <entity name=\"PACIENT1\" patience=\"0.5\" maxuses=\"3x\" Patience=\"9\" unknown=\"1\"/>\n"
            "  <entity name=\"TIP\" text=\"Click the bed\"/>\n"
            "  <entity name=\"PACIENT1\" patience=\"0.75\"/>\n"
            "</variables>\n");
  factory->readVariables();
  ASSERT_EQ(factory->getVariableRecords().size(), 3u);
  EXPECT_EQ(factory->getVariableRecords()[0].getParams().size(), 5u) << "the name pair is kept too";
  EXPECT_EQ(early->patience, 1.0f) << "records apply only at registration";

  Tunable *patient = tunable("PACIENT1");
  Tunable *tip = tunable("TIP");
  Tunable *other = tunable("PACIENT2");
  factory->addEntity(patient);
  factory->addEntity(tip);
  factory->addEntity(other);
  EXPECT_EQ(patient->patience, 0.75f) << "both records apply in file order, the later one last";
  EXPECT_EQ(patient->uses, 3);
  EXPECT_EQ(tip->text, "Click the bed");
  EXPECT_EQ(other->text, "built in");
  EXPECT_NE(logText().find("PACIENT1 - Binding exported variable to unknown: 1"), std::string::npos);

  Tunable *copy = static_cast<Tunable *>(factory->cloneEntity("TIP"));
  EXPECT_EQ(copy->text, "Click the bed") << "clones take the values with the copied fields";
  EXPECT_TRUE(copy->getExportedVariables().empty());
  delete copy;
}

TEST_F(FactoryTest, AMissingVariablesFileLeavesTheBuiltInValues) {
  factory->readVariables();
  EXPECT_TRUE(factory->getVariableRecords().empty());
  variables("<variables><entity name=\"TIP\" text=\"x\"/>");
  factory->readVariables();
  EXPECT_TRUE(factory->getVariableRecords().empty()) << "a file that does not parse counts as missing";
}

using FactoryDeathTest = FactoryTest;

TEST_F(FactoryDeathTest, UnknownPrototypesAndBrokenVariablesFilesEndTheProcess) {
  proto("POSTEL1", 40);
  EXPECT_EXIT(factory->cloneEntity("POSTEL9"), ::testing::ExitedWithCode(255),
              "Entity POSTEL9 not found in global entity object!");
  EXPECT_EXIT(factory->cloneEntity((unsigned short)77), ::testing::ExitedWithCode(255),
              "Entity 77 not found in global entity object!");
  EXPECT_EXIT(live("HAND")->addEntity(std::string("NIC")), ::testing::ExitedWithCode(255),
              "Entity NIC not found");

  std::string path = variables("<settings/>");
  EXPECT_EXIT(factory->readVariables(), ::testing::ExitedWithCode(255),
              "variables tag not found! \\(file .*data/variables.xml\\)");
  variables("<variables>\n  <entity name=\"A\"/>\n  <entity patience=\"2\"/>\n</variables>\n");
  EXPECT_EXIT(factory->readVariables(), ::testing::ExitedWithCode(255),
              "NAME not found near ENTITY tag! \\(file .*data/variables.xml, row 3\\)");
}

} // namespace
