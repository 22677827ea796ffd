#include "ward/dispensers/CMapEntity_DrinkClass.h"

const char *CMapEntity_DrinkClass::pickupSound(uint32_t id) {
  switch (id) {
  case 55: return "DRINK_PICKUP";
  case 102: return "BANANA_PICKUP";
  case 163: return "BOOK_PICKUP";
  case 136: return "TOY_PICKUP";
  default: return nullptr;
  }
}

const char *CMapEntity_DrinkClass::deliverSound(uint32_t id) {
  switch (id) {
  case 55: return "DRINK_DELIVER";
  case 102: return "BANANA_DELIVER";
  case 163: return "BOOK_DELIVER";
  case 136: return "TOY_DELIVER";
  default: return nullptr;
  }
}

const char *CMapEntity_DrinkClass::name(uint32_t id) {
  switch (id) {
  case 55: return "drink";
  case 102: return "banana";
  case 163: return "book";
  case 136: return "toy";
  default: return nullptr;
  }
}
