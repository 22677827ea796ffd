#pragma once
#include <vector>

class CMapEntitiesCollection;
class CMapEntity;
class CMapEntity_Game;

// The room the ward leaves for words. Captions and signs all go through it: it knows what they
// keep off (the captions shown, the words painted into pictures or written in text boxes, the
// tips' bubbles, the arrows at their fullest pulse, the big words as they have grown, the
// CLOSED sign and, for a sign, people's faces) and finds the nearest spot where a block stands
// clear of all of it, whole on the screen.
class CCaptionSpace {
public:
  struct TArea {
    float x0, y0, x1, y1;
    bool meets(const TArea &o) const { return x0 < o.x1 && o.x0 < x1 && y0 < o.y1 && o.y0 < y1; }
    TArea moved(float dx, float dy) const { return {x0 + dx, y0 + dy, x1 + dx, y1 + dy}; }
  };

  // What the level shows besides `self` and what it carries; with `faces`, people's faces too.
  CCaptionSpace(CMapEntitiesCollection *c, const CMapEntity *self, bool faces = false);

  bool taken(const TArea &a) const { return meetsAny(a, captions) || meetsAny(a, fixed) || meetsAny(a, growing); }
  // The nearest top left to (x, y) where a w x h block stands clear and whole on the screen, a
  // margin off its edges: above or beside before below. False, and (x, y) left, when none lies
  // within `reach`.
  bool nearestFree(float &x, float &y, float w, float h, float reach) const;

  // The screen less its margin.
  static TArea screen();
  // A person's face as drawn now (the top of the picture's action box), false for anything else.
  static bool faceOf(const CMapEntity_Game *e, TArea &out);
  static bool meetsAny(const TArea &a, const std::vector<TArea> &areas);

  static constexpr float kGap = 2.0f;

  std::vector<TArea> captions;
  // What stays where it stands: painted and written words, bubbles, arrows, the sign, faces.
  std::vector<TArea> fixed;
  // The big words, which grow about their middles onto what stands beside them.
  std::vector<TArea> growing;
};
