#pragma once
#include <cstdint>
#include <string>

#include "media/CSingleton.h"

// The difficulty for the whole installation ("\hospital\game.cfg"); its name is the folder under
// "data\maps\" that holds the level list. The game reads the file but never writes it.
class CGameOptions : public CSingleton<CGameOptions> {
public:
  CGameOptions() {}
  virtual ~CGameOptions() {}

  // Missing file: "medium" and hints on (the hints value lives in CGlobals).
  void nahraj();
  bool uloz();
  void aplikuj() {}

  unsigned char getObtiznost() const { return obtiznost; }
  std::string getObtiznostString() const { return obtiznostString; }
  // 0, 1 and 2 also set the name; any other value keeps the old name.
  void nastavObtiznost(unsigned char d);

  static std::string path();

private:
  uint8_t obtiznost = 1;
  std::string obtiznostString = "medium";
};
