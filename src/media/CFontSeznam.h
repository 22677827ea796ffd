#pragma once
#include <cstdint>
#include <string>
#include <vector>

class KText;
struct KFont;

// One named bitmap font; owns its text object, which loads the picture at once.
class CFontZaznam {
public:
  CFontZaznam(std::string name, std::string pictureFile, KFont *table);
  virtual ~CFontZaznam();

  std::string getNazev();
  KText *getFont();

private:
  KText *font = nullptr;
  std::string name;
};

// The named fonts in the order added; one is active at a time, and adding a font activates it.
class CFontSeznam {
public:
  CFontSeznam() {}
  virtual ~CFontSeznam();

  void addFont(std::string name, std::string pictureFile, KFont *table);
  // First exact (case-sensitive) match; an unknown name keeps the active font.
  void setAktivniFont(std::string name);
  KText *getAktivniFont();
  // Empty while no font is active.
  std::string getAktivniFontNazev();

  std::vector<CFontZaznam *> entries;
  int16_t aktivni = -1;
};
