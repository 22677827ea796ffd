#include "world/CPathFinder.h"

#include <cmath>
#include <cstdlib>

#include "media/CLogger.h"
#include "media/makeString.h"

bool square_less(const square *a, const square *b) { return a->F > b->F; }

unsigned int MapCoordsToIndex(unsigned int x, unsigned int y) { return y * MAPA_SIRKA + x; }

uint32_t Manhattan(int x1, int y1, int x2, int y2) {
  return 10u * ((uint32_t)std::abs(x2 - x1) + (uint32_t)std::abs(y2 - y1));
}

bool distanceLessEqual(int a, int b, float limit) {
  // In 64 bits, so distant values cannot overflow the difference.
  return std::fabs((float)((int64_t)a - (int64_t)b)) <= limit;
}

CPathFinder::CPathFinder() : mapa(nullptr), pocetUzlu(0) {
  open.reserve(MAPA_BUNEK);
  for (unsigned int i = 0; i < MAPA_BUNEK; ++i) {
    stav[i] = NIKDE;
    uzlyBunek[i] = nullptr;
  }
}

CPathFinder::~CPathFinder() {}

bool CPathFinder::walkable(int x, int y) const {
  if (!mapa || x < 0 || y < 0 || x >= (int)MAPA_SIRKA || y >= (int)MAPA_VYSKA) return false;
  return mapa->isWalkable(0, MapCoordsToIndex((unsigned)x, (unsigned)y));
}

// Only asked of cells already known to be walkable, so layer 0 exists.
uint16_t CPathFinder::penalty(int x, int y) const {
  return mapa->getLayers()[0].cells[MapCoordsToIndex((unsigned)x, (unsigned)y)].penalty;
}

bool CPathFinder::opravCil(uint16_t &tx, uint16_t &ty) const {
  const int ox = tx, oy = ty;
  // Scans start at the target but never from off the grid, where no cell can be walked on.
  const int sx = ox < (int)MAPA_SIRKA ? ox : (int)MAPA_SIRKA - 1;
  const int sy = oy < (int)MAPA_VYSKA ? oy : (int)MAPA_VYSKA - 1;
  uint32_t best = 10000;
  bool found = false;
  auto consider = [&](int x, int y) {
    uint32_t d = Manhattan(x, y, ox, oy);
    if (d < best) {
      best = d;
      tx = (uint16_t)x;
      ty = (uint16_t)y;
      found = true;
    }
  };
  // Rightwards, leftwards, downwards, upwards; on equal distance the earlier scan keeps it.
  // The left and up scans stop before column 0 and row 0.
  for (int x = ox; x < (int)MAPA_SIRKA; ++x)
    if (walkable(x, oy)) {
      consider(x, oy);
      break;
    }
  for (int x = sx; x > 0; --x)
    if (walkable(x, oy)) {
      consider(x, oy);
      break;
    }
  for (int y = oy; y < (int)MAPA_VYSKA; ++y)
    if (walkable(ox, y)) {
      consider(ox, y);
      break;
    }
  for (int y = sy; y > 0; --y)
    if (walkable(ox, y)) {
      consider(ox, y);
      break;
    }
  if (!found) {
    tx = 65535;
    ty = 65535;
  }
  return found;
}

square *CPathFinder::novyUzel(uint16_t x, uint16_t y) {
  square *n = &uzly[pocetUzlu++];
  *n = square();
  n->x = x;
  n->y = y;
  unsigned int i = MapCoordsToIndex(x, y);
  uzlyBunek[i] = n;
  stav[i] = OTEVRENY;
  open.push_back(n);
  return n;
}

void CPathFinder::vycisti() {
  for (unsigned int i = 0; i < pocetUzlu; ++i) {
    unsigned int cell = MapCoordsToIndex(uzly[i].x, uzly[i].y);
    stav[cell] = NIKDE;
    uzlyBunek[cell] = nullptr;
  }
  pocetUzlu = 0;
  open.clear();
}

TTilePoint CPathFinder::showAPath(uint16_t sx, uint16_t sy, uint16_t tx, uint16_t ty, uint16_t *outX,
                                  uint16_t *outY) {
  // The player asks while walking, every frame: build no log text unless the log is on.
  if (debug) {
    CLogger *logger = CLogger::instance();
    logger->log("Puvodni souradnice cile: " + makeString(tx) + ", " + makeString(ty));
    logger->log("MapCoords: " + makeString(MapCoordsToIndex(tx, ty)));
    logger->log("Je mapa pruchozi?" + makeString(walkable(tx, ty)));
  }

  bool hasTarget = walkable(tx, ty) || opravCil(tx, ty);
  if (outX) *outX = tx;
  if (outY) *outY = ty;
  if (debug) CLogger::instance()->log("Nasledne souradnice cile: " + makeString(tx) + ", " + makeString(ty));

  TTilePoint result = {sx, sy};
  if (!hasTarget || sx >= MAPA_SIRKA || sy >= MAPA_VYSKA) return result;

  novyUzel(sx, sy);
  while (!open.empty()) {
    // Lowest F; among equals the one nearer the target.
    size_t best = 0;
    for (size_t i = 1; i < open.size(); ++i) {
      const square *a = open[i], *b = open[best];
      if (a->F < b->F || (a->F == b->F && a->H < b->H)) best = i;
    }
    square *cur = open[best];
    open[best] = open.back();
    open.pop_back();
    stav[MapCoordsToIndex(cur->x, cur->y)] = UZAVRENY;

    if (cur->x == tx && cur->y == ty) {
      const square *n = cur;
      while (n->parent && n->parent->parent) n = n->parent;
      result.x = n->x;
      result.y = n->y;
      break;
    }

    for (int dy = -1; dy <= 1; ++dy) {
      const int ny = cur->y + dy;
      if (ny < 0 || ny >= (int)MAPA_VYSKA) continue;
      for (int dx = -1; dx <= 1; ++dx) {
        const int nx = cur->x + dx;
        if (nx < 0 || nx >= (int)MAPA_SIRKA) continue;
        const unsigned int cell = MapCoordsToIndex((unsigned)nx, (unsigned)ny);
        if (stav[cell] == UZAVRENY || !walkable(nx, ny)) continue;
        const bool diagonal = dx != 0 && dy != 0;
        // No cutting past a blocked or costly corner.
        if (diagonal && (!walkable(cur->x, ny) || penalty(cur->x, ny) >= 100 || !walkable(nx, cur->y) ||
                         penalty(nx, cur->y) >= 100))
          continue;
        // The cell's own penalty counts on every route into it, first found or cheaper later.
        const uint32_t cost = cur->G + (diagonal ? 14u : 10u) + penalty(nx, ny);
        if (stav[cell] == NIKDE) {
          square *n = novyUzel((uint16_t)nx, (uint16_t)ny);
          n->parent = cur;
          n->H = Manhattan(nx, ny, tx, ty);
          n->G = cost;
          n->F = n->G + n->H;
        } else if (cost < uzlyBunek[cell]->G) {
          square *n = uzlyBunek[cell];
          n->parent = cur;
          n->G = cost;
          n->F = n->G + n->H;
        }
      }
    }
  }
  vycisti();
  return result;
}
