#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <vector>

class KGraphic;

// The playfield grid: 25 x 19 tiles of 32 pixels.
const unsigned int MAPA_SIRKA = 25;
const unsigned int MAPA_VYSKA = 19;
const unsigned int MAPA_BUNEK = MAPA_SIRKA * MAPA_VYSKA;
const unsigned int MAPA_TILE = 32;
const unsigned int MAPA_DEFINIC = 200;
// Each layer costs about 11 KB; the game's own maps have one.
const unsigned int MAPA_VRSTEV = 16;
// Surface handle meaning "no picture".
const uint32_t MAPA_ZADNA_SURFACE = 0xFFFFFFFFu;

// What a tile ID stands for. A definition the file never gave blocks (walkable 0).
struct TTileDefinice {
  uint8_t walkable = 0; // only 1 means walkable
  uint8_t special = 0;
  std::string name;
  std::string tileSprite;
  int32_t x = 0;
  int32_t y = 0;
  int32_t w = 0;
  int32_t h = 0;
  float atribut[5] = {0, 0, 0, 0, 0};
};

// A named 32 x 32 cut of the tile-set picture.
struct TTileZSprite {
  std::string name;
  uint16_t x = 0;
  uint16_t y = 0;
  uint16_t w = MAPA_TILE;
  uint16_t h = MAPA_TILE;
};

struct TMapCell {
  uint16_t id = 0;
  uint16_t penalty = 0;
  float atribut[5] = {0, 0, 0, 0, 0};
};

// One layer of the grid; cell index = row * 25 + column.
struct TLayer {
  TMapCell cells[MAPA_BUNEK];
};

// The level's tile grid. Only its background picture is ever drawn; the layers exist for walking
// (layer 0 takes the entities' walk penalties and is what the path finder reads) and collisions.
class CMapa {
public:
  CMapa();
  ~CMapa();

  // Both take real (already converted) paths; broken files end the process naming the file.
  void nahrajDefiniceXML(std::string path);
  void nahrajMapuXML(std::string path);
  // The background picture's surface handle, appended when there is one.
  void collectPictures(std::vector<unsigned int> &out) const;

  // Walkable: the layer exists, the cell is on the grid, its tile's definition says exactly 1 and
  // its walk penalty is below 1000.
  bool isWalkable(unsigned int layer, unsigned int cell) const;

  std::array<TTileDefinice, MAPA_DEFINIC> &getDefinice() { return definice; }
  std::vector<TLayer> &getLayers() { return layers; }
  std::vector<TTileZSprite> &getTileZSprites() { return tileZSprites; }
  uint32_t getTileSet() const { return tileSet; }
  uint32_t getPozadi() const { return pozadi; }

  void kresliPozadi(KGraphic *screen);

private:
  uint32_t tileSet;
  uint32_t pozadi;
  std::array<TTileDefinice, MAPA_DEFINIC> definice;
  std::vector<TTileZSprite> tileZSprites;
  std::vector<TLayer> layers;
};
