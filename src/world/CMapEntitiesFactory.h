#pragma once
#include <string>
#include <vector>

#include "media/CSingleton.h"
#include "world/CVariableZaznam.h"

class CMapEntity_Game;

// The registry of entity prototypes: one built entity per kind, registered at start-up, from
// which every entity of the game is cloned by name or entity ID (first registered match wins).
// It also applies the entity variables file to each prototype as it is registered.
class CMapEntitiesFactory : public CSingleton<CMapEntitiesFactory> {
public:
  CMapEntitiesFactory();
  CMapEntitiesFactory(const CMapEntitiesFactory &) = delete;
  CMapEntitiesFactory &operator=(const CMapEntitiesFactory &) = delete;
  ~CMapEntitiesFactory() override;

  // Reads "\data\variables.xml"; a file that cannot be read leaves the built-in values.
  void readVariables();
  // The same from a real path.
  void readVariables(const std::string &path);
  // Takes ownership and applies every variables record of the prototype's name, in file order.
  void addEntity(CMapEntity_Game *prototype);

  // The prototype itself; an unknown name or ID ends the process.
  CMapEntity_Game *returnEntityByName(const std::string &name);
  CMapEntity_Game *returnEntityByID(unsigned short id);
  // A new copy the caller owns; an unknown name or ID ends the process.
  CMapEntity_Game *cloneEntity(const std::string &name);
  CMapEntity_Game *cloneEntity(unsigned short id);
  // Lookups that report a missing prototype with null, for callers that name the data file.
  CMapEntity_Game *najdiEntity(const std::string &name) const;
  CMapEntity_Game *najdiEntity(unsigned short id) const;

  const std::vector<CMapEntity_Game *> &getPrototypes() const { return prototypes; }
  const std::vector<CVariableZaznam> &getVariableRecords() const { return records; }

  // Makes CMapEntity::addEntity(name) clone through this registry (done when it is made).
  static void linkEntities();

private:
  std::vector<CMapEntity_Game *> prototypes;
  std::vector<CVariableZaznam> records;
};
