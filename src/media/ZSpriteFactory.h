#pragma once
#include <string>
#include <vector>

class ZSprite;

// Holds the prototype sprites of the run (hand-built ones first, then those of the sprite
// collection file) and hands out copies by name. Prototypes are only copied, never drawn.
class ZSpriteFactory {
public:
  explicit ZSpriteFactory(char const *name);
  ZSpriteFactory(ZSpriteFactory const &) = delete;
  ZSpriteFactory &operator=(ZSpriteFactory const &) = delete;
  ~ZSpriteFactory();

  // Index of the first prototype with this exact name, or -1.
  int najdiZSprite(char const *name) const;
  void pridejZSprite(ZSprite *sprite);
  // A new copy the caller owns; a name no prototype bears ends the process.
  ZSprite *cloneSprite(char const *name);
  // Reads a sprite collection file; a missing or broken file or a missing required attribute ends the process.
  void nahrajXML(char const *path);

  char const *getName() const { return collectionName.c_str(); }
  unsigned int getCount() const { return (unsigned int)prototypes.size(); }
  ZSprite *getPrototype(unsigned int i) const { return i < prototypes.size() ? prototypes[i] : nullptr; }
  // The pictures of the named sprite's framesets; nothing for an unknown name.
  void collectSurfaces(const std::string &name, std::vector<unsigned int> &out) const;

  // Reading reports its progress on the loading screen through this: text, then bar fill 0..1.
  typedef void (*LoadingProgress)(std::string const &text, float fill);
  static void setLoadingProgress(LoadingProgress progress);

private:
  std::vector<ZSprite *> prototypes;
  std::string collectionName;
};

// The one factory of the game; null until start-up creates it.
extern ZSpriteFactory *spriteFactory;

// A number attribute the way the collection file's numbers are read: decimal as atoi reads it
// (blanks, sign, digits up to the first other character, none gives 0), cut to 16 bits.
short readSpriteNumber(char const *text);
