#pragma once
#include <cstdint>

#include "world/CCloneable.h"
#include "world/CEntityController.h"

class CMapEntity_DNA;

// A DNA piece: loose pieces drift and spin between the walls of the band, are replaced when they
// leave at the top or bottom, glow under the second cursor and are dragged with the left button;
// a piece dropped on the dish that asks for it fills the dish. A piece in a dish only flashes.
class CDNAController : public CCloneable<CDNAController, CEntityController> {
public:
  using CCloneable::CCloneable;
  CDNAController(const CDNAController &other) : CCloneable(other) {}

  void onBind() override;
  void update() override;
  void specificHandleMessages(KEvent *) override {}

  // Asks the laboratory's generator for a loose piece; nothing without one.
  void generujBakterii(float x, float y);

  bool getHovered() const { return hovered != 0; }

private:
  // The dish under the cursor gets the piece when it asks for it ("Match!"), else the refusal says
  // why; the piece goes either way and two new ones come.
  void drop(CMapEntity_DNA *piece, CMapEntity_Game *cursor);

  int32_t mouseX = 0;
  int32_t mouseY = 0;
  float alpha = 1.0f;
  int32_t hovered = 0;
};
