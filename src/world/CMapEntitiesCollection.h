#pragma once
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

class CEntityGenerator;
class CMapa;
class CMapEntity;
class CMapEntity_Game;

// The level's running bed count: every bed copy takes the next number from it. The level sets it
// to 0; the entities loader gives one back for each bed that an arrival carrier ("ADDER") holds.
extern uint16_t poradi;

// The live entities of one level, in one list that owns them: lookups, focus control for panels,
// the kill pass and the timed generators. The level render keeps the list in drawing order, so a
// first match is the entity drawn furthest back. An entity is listed in one collection at a time,
// knows which (CMapEntity_Game::listedIn), and is found by its serial in constant time.
class CMapEntitiesCollection {
public:
  CMapEntitiesCollection();
  CMapEntitiesCollection(const CMapEntitiesCollection &) = delete;
  CMapEntitiesCollection &operator=(const CMapEntitiesCollection &) = delete;
  virtual ~CMapEntitiesCollection();

  void bindMapa(CMapa *m) { mapa = m; }
  CMapa *getMapa() const { return mapa; }
  // The list in drawing order, to read and reorder: entities come and go only by addEntity and
  // forgetEntity, which keep the serial index in step.
  std::vector<CMapEntity_Game *> *getEntitiesPtr() { return &entities; }
  std::vector<CEntityGenerator *> &getGenerators() { return generators; }

  // Appends the entity and raises the entity-added flag. An entity already listed, or null, is
  // not appended again: the list owns each entity once. One listed in another collection leaves
  // that one first.
  void addEntity(CMapEntity_Game *e);
  // Whether the entity is in the list now: for an entity met this frame. One kept from an earlier
  // frame is found by its serial (TEntityRef), as its address may by then hold another.
  bool contains(const CMapEntity *e) const;
  // The listed entity made with that serial, null when none is listed.
  CMapEntity_Game *bySerial(uint64_t serial) const;
  // Takes the entity out of the list and out of every listed entity's collision lists, without
  // deleting it. A listed entity's destructor calls it, so the list never holds a deleted entity.
  void forgetEntity(CMapEntity *e);

  // By the name of the entity's sprite, not the entity's own name; first match.
  CMapEntity_Game *getEntityByName(const std::string &spriteName) const;
  CMapEntity_Game *getEntityByID(unsigned int id) const;
  // The last match in the list: the one drawn furthest in front.
  CMapEntity_Game *getFirstEntityByClassID(unsigned int cls) const;
  bool containsClass(unsigned short cls) const;

  // Focus for panels and windows. The list arguments are not used.
  void focus(CMapEntity_Game *keep, std::vector<CMapEntity *> *);
  void focusAdd(CMapEntity_Game *e, std::vector<CMapEntity *> *);
  void defocus();
  // Gives the focus back to every entity.
  void unfocus(std::vector<CMapEntity *> *);

  // The kill pass: deletes every entity marked for killing, carried ones through their carrier.
  void updateEntities();
  void updateGenerators();

  // Reads a level entities file (a real path); a broken file ends the process naming it.
  void nahrajXML(const std::string &path);
  void prerenderCommonEntities();
  // The entities levels create during play, whose pictures prerenderCommonEntities notes.
  static const std::vector<const char *> &commonEntityNames();
  // Every picture the level's entities, the entities it makes and the common ones may show
  // (surface handles), noted while the file was read; the level loads them before play.
  void notePictures(const CMapEntity *e);
  const std::vector<unsigned int> &getPictures() const { return pictures; }
  // Writes the walk penalties of solid entities into the map's first layer.
  void generateEntityCollisionList();

  // Puts the list into drawing order: lower layer first, within a layer lower y plus sort
  // offset first.
  void sortDrawingOrder();
  // An entity's y plus its current frame's sort offset; a position that is not a number sorts
  // furthest back rather than breaking the sort.
  static float drawKeyY(const CMapEntity *e);

protected:
  std::vector<CMapEntity_Game *> entities;
  std::vector<unsigned int> pictures;
  std::vector<CEntityGenerator *> generators;
  CMapa *mapa;

private:
  std::unordered_map<uint64_t, CMapEntity_Game *> serials;

  // Deletes a killed entity that carries nothing, through its carrier when it has one.
  void destroyLeaf(CMapEntity_Game *e);
  // Deletes a killed carrier with everything it still carries.
  void destroyTree(CMapEntity_Game *e);
};

// The collection every level makes; it adds nothing but its destructor.
class CMapEntitiesCollection_Game : public CMapEntitiesCollection {
public:
  CMapEntitiesCollection_Game();
  ~CMapEntitiesCollection_Game() override;
};
