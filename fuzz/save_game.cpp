// save.dat: the binary saved game, read whole.
#include <string>

#include "FuzzSupport.h"
#include "core/CPlayer.h"
#include "core/CSaveGame.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  const std::string bytes(reinterpret_cast<const char *>(data), size);
  unsigned short current = 0, furthest = 0;
  CSaveGame::Result result = CSaveGame::OK;
  std::string reason;
  CPlayer *player = CSaveGame::decode(bytes, 40, current, furthest, result, reason);
  // What was read is written back as the game would, and must read again the same.
  if (player) {
    const std::string again = CSaveGame::encode(current, furthest, *player);
    CPlayer *reread = CSaveGame::decode(again, 40, current, furthest, result, reason);
    if (!reread || CSaveGame::encode(current, furthest, *reread) != again) __builtin_trap();
    delete reread;
  }
  delete player;
  return 0;
}
