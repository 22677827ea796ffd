#pragma once
#include <cstdint>
#include <string>

#include "media/CSingleton.h"

// Five key codes from "\hospital\controls.cfg", shared by all profiles. Read at start-up; nothing
// in the game steers by them.
class CControlOptions : public CSingleton<CControlOptions> {
public:
  CControlOptions() {}
  virtual ~CControlOptions() {}

  // Missing file: the arrow keys and space. A key absent from the file keeps its value.
  void nahraj(const std::string &path);
  bool uloz(const std::string &path);

  unsigned short getUp() const { return up; }
  unsigned short getDown() const { return down; }
  unsigned short getLeft() const { return left; }
  unsigned short getRight() const { return right; }
  unsigned short getShoot() const { return shoot; }

private:
  uint16_t up = 'w';
  uint16_t down = 's';
  uint16_t left = 'a';
  uint16_t right = 'd';
  uint16_t shoot = ' ';
};
