#pragma once

#include "world/kinds/Links.h"

// What the level asks of beds: whether one is made up and the number an arriving bed carries.
class CPostelLink : public CBedLink {
public:
  bool isMadeUp(CMapEntity_Game *bed) override;
  void setBedNumber(CMapEntity_Game *bed, uint16_t number) override;
};
