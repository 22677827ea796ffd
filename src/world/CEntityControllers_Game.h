#pragma once
#include <string>
#include <unordered_map>
#include <vector>

class CEntityController;
struct KEvent;

// An ordered list of behaviours that owns them: the engine's prototypes, or a level's live
// behaviours. The live list keeps itself ordered front-most entity first (the reverse of the
// drawing order), so the front-most entity updates and takes each event first.
class CEntityControllers_Game {
public:
  CEntityControllers_Game();
  CEntityControllers_Game(const CEntityControllers_Game &) = delete;
  CEntityControllers_Game &operator=(const CEntityControllers_Game &) = delete;
  ~CEntityControllers_Game();

  void addController(CEntityController *c);
  // First in list order whose bind name equals the name exactly, or null.
  CEntityController *getControllerByBindName(const std::string &name) const;
  // A new unbound copy of that behaviour, or null.
  CEntityController *cloneController(const std::string &name) const;

  // Drops behaviours whose entity is gone, updates the others that may act, then re-sorts.
  void update();
  void handleMessages(KEvent *ev);
  void eraseControllers();

  std::vector<CEntityController *> &getControllers() { return controllers; }
  size_t size() const { return controllers.size(); }

private:
  void eraseUnbound();
  void sortFrontFirst();

  std::vector<CEntityController *> controllers;
  // The first behaviour of each bind name, for the prototype list's lookups (made again when the
  // list has grown or shrunk since).
  mutable std::unordered_map<std::string, CEntityController *> byName;
  mutable size_t indexed = 0;
};
