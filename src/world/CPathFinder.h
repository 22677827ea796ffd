#pragma once
#include <cstdint>
#include <vector>

#include "media/CSingleton.h"
#include "world/CMapa.h"

// A search node. Costs are 32-bit: a long walk over cells of penalty 999 goes far past 16 bits.
struct square {
  uint16_t x = 0;
  uint16_t y = 0;
  uint32_t G = 0;
  uint32_t H = 0;
  uint32_t F = 0;
  square *parent = nullptr;
};

// Orders nodes by F from highest to lowest.
bool square_less(const square *a, const square *b);

// A tile of the grid, as the path finder hands it back.
struct TTilePoint {
  uint32_t x;
  uint32_t y;
};

unsigned int MapCoordsToIndex(unsigned int x, unsigned int y);
uint32_t Manhattan(int x1, int y1, int x2, int y2);
// True when |a - b| is at most limit.
bool distanceLessEqual(int a, int b, float limit);

// A* across layer 0 of the running level's map. Each call is a whole search; nothing is kept
// between calls. The node storage is fixed (one node per cell at most), so a search allocates
// nothing.
class CPathFinder : public CSingleton<CPathFinder> {
public:
  CPathFinder();
  virtual ~CPathFinder();

  // Every new level hands in its map; the map stays the level's.
  void setMapa(CMapa *m) { mapa = m; }
  CMapa *getMapa() const { return mapa; }

  // The tile to step onto next from (sx, sy) towards (tx, ty). A target that cannot be walked on
  // moves to the nearest walkable cell of its row or column; the target in use goes to
  // outX/outY (65535, 65535 when there is none). Without a path, or at the target, the start.
  TTilePoint showAPath(uint16_t sx, uint16_t sy, uint16_t tx, uint16_t ty, uint16_t *outX, uint16_t *outY);

private:
  bool walkable(int x, int y) const;
  uint16_t penalty(int x, int y) const;
  // Corrects the target in place; false when no walkable cell was found.
  bool opravCil(uint16_t &tx, uint16_t &ty) const;
  square *novyUzel(uint16_t x, uint16_t y);
  void vycisti();

  enum : uint8_t { NIKDE = 0, OTEVRENY = 1, UZAVRENY = 2 };

  CMapa *mapa;
  std::vector<square *> open;
  // Closed nodes are marked per cell rather than listed: the test for "closed" is then direct.
  uint8_t stav[MAPA_BUNEK];
  square *uzlyBunek[MAPA_BUNEK];
  square uzly[MAPA_BUNEK];
  unsigned int pocetUzlu;
};
