#pragma once
#include <cstdint>
#include <string>
#include <vector>

// The ordered names of every screen and day of one difficulty, as the level list file gives them.
class CLevelList {
public:
  CLevelList() {}
  ~CLevelList() {}

  // Appends the names of the file at path (a real path); a broken file ends the process.
  void load(std::string path);
  // One more entry at the end: a level outside the lists (a test day) is then reached as any is.
  void add(const std::string &name) { levels.push_back(name); }
  // Empty for an index past the end.
  std::string getLevel(uint16_t index) const;
  uint16_t getSize() const;
  // The entry of working day `day` (1 the first), from the file's day marks; -1 for a day the list
  // does not mark.
  int dayLevel(int day) const;
  int getDayCount() const { return (int)dayLevels.size(); }

private:
  std::vector<std::string> levels;
  std::vector<uint16_t> dayLevels;
};
