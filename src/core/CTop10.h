#pragma once
#include <cstdint>
#include <string>
#include <vector>

// One high score: a NUL-terminated name in 52 bytes and the score.
struct CTop10Hrac {
  static const size_t kNameSize = 52;
  static const size_t kRecordSize = 56;

  char name[kNameSize];
  uint32_t score;

  // A name without its terminator is cut at the 52 bytes it has.
  std::string getName() const;
};

// The high-score table "\hospital\top10.bin": a big-endian record count, then 56-byte records
// (name, big-endian score). Loaded once at start-up; nothing shows or changes it.
class CTop10 {
public:
  CTop10() {}
  ~CTop10() {}

  // Fills the table from the file at path, writing the default table there first when it is
  // missing; a file that can neither be read nor created is fatal, naming the file and why.
  void nahraj(const std::string &path);

  const std::vector<CTop10Hrac> &getHraci() const { return hraci; }

  static std::vector<CTop10Hrac> defaultTable();
  static std::string encode(const std::vector<CTop10Hrac> &table);
  // The records of the file's bytes; a record cut short by the end of the file is dropped.
  static std::vector<CTop10Hrac> decode(const std::string &bytes);

private:
  std::vector<CTop10Hrac> hraci;
};
