#include "media/CFontSeznam.h"

#include <cstddef>

#include "engine/KFont.h"
#include "engine/KMiscTools.h"
#include "engine/KText.h"

CFontZaznam::CFontZaznam(std::string name_, std::string pictureFile, KFont *table) {
  font = new KText(KMiscTools::makeFilePath(pictureFile.c_str()), table);
  name = name_;
}

CFontZaznam::~CFontZaznam() { delete font; }

std::string CFontZaznam::getNazev() { return name; }

KText *CFontZaznam::getFont() { return font; }

CFontSeznam::~CFontSeznam() {
  for (CFontZaznam *e : entries) delete e;
}

void CFontSeznam::addFont(std::string name, std::string pictureFile, KFont *table) {
  entries.push_back(new CFontZaznam(name, pictureFile, table));
  aktivni = (int16_t)(entries.size() - 1);
}

void CFontSeznam::setAktivniFont(std::string name) {
  for (std::size_t i = 0; i < entries.size(); ++i) {
    if (entries[i]->getNazev() == name) {
      aktivni = (int16_t)i;
      return;
    }
  }
}

KText *CFontSeznam::getAktivniFont() {
  if (aktivni < 0 || (std::size_t)aktivni >= entries.size()) return nullptr;
  return entries[(std::size_t)aktivni]->getFont();
}

std::string CFontSeznam::getAktivniFontNazev() {
  if (aktivni < 0 || (std::size_t)aktivni >= entries.size()) return std::string();
  return entries[(std::size_t)aktivni]->getNazev();
}
