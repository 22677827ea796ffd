#pragma once
#include "media/Rect.h"
#include "world/CMapEntity.h"

// Whether the point lies in the box whose top left corner is (left, top): its left and top edges
// belong to it, its right and bottom edges to what lies beyond.
inline bool hitBox(float left, float top, float w, float h, float x, float y) {
  return x >= left && y >= top && x < left + w && y < top + h;
}

// A box of the entity's frame (its click box, its picture) where the entity stands.
inline bool hitBox(const CMapEntity *e, const Rect &box, float x, float y) {
  return hitBox(e->getX() + (float)box.x, e->getY() + (float)box.y, (float)box.w, (float)box.h, x, y);
}
