#pragma once
#include <cstdint>

#include "world/CCloneable.h"
#include "world/CMapEntity_Game.h"

// One DNA piece of the laboratory: a colour of paletaVyrazna (0..8) and a number of strands, which picks
// the sprite "DNA<strands>". Loose pieces drift, spin and can be dragged; pieces carried by a dish
// are its template or the piece placed in it.
class CMapEntity_DNA : public CCloneable<CMapEntity_DNA, CMapEntity_Game> {
public:
  using CCloneable::CCloneable;

  // Tints the piece with its colour (0..8; others are taken modulo the table).
  void setColour(int32_t c);
  int32_t getColour() const { return colour; }
  // Clamped to 0..8; the sprite follows.
  void setStrands(int32_t s);
  // With every strand count's picture.
  void collectPictures(std::vector<unsigned int> &out) const override;
  int32_t getStrands() const { return strands; }
  // Shrinks the current frame's action box to the zoomed size, centred in the unscaled one, so
  // grabbing follows the drawn size.
  void scaleActionBox(float z);
  // A template or placed piece can never be grabbed.
  void clearActionBox();

  float spin = 0.0f;
  float xSpeed = 0.0f;
  float ySpeed = 0.0f;

private:
  int32_t colour = 0;
  int32_t strands = 1;
};

// Builds the dish sets and the loose pieces of the laboratory (see CDNAGeneratorController).
class CMapEntity_DNAGenerator : public CCloneable<CMapEntity_DNAGenerator, CMapEntity_Game> {
public:
  using CCloneable::CCloneable;
};
