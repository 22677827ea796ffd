#pragma once
#include <string>

#include "core/CPlayer.h"

// The saved game of one profile slot ("\hospital\<slot>\save.dat"), binary and big-endian:
//   u16 current level, u16 furthest level (10000 = none),
//   u32 n + n x (u32 level, u32 goal), u32 n + n x u32 perk level, u32 n + n x u32 celebrity,
//   u32 money, sex, pressure reminder, virus hint, shop hint, clown hint, perk bought,
//   u32 n + n x (u32 upgrade entity ID, u32 star index: stars owned minus 1).
// CEngine::saveGame, loadGame and saveExists delegate here.
class CSaveGame {
public:
  enum Result { OK, MISSING, TRUNCATED, BAD_LEVEL, NOT_A_FILE, TOO_LARGE };

  // No saved game comes near this; a file past it is refused unread.
  static const size_t kMaxBytes = 1024 * 1024;

  static const unsigned short kNoLevel = 10000;

  // slot: the active profile's folder name, CProfiles::getAktivniProfilStr().
  explicit CSaveGame(const std::string &slot);

  const std::string &getPath() const { return path; }
  // True when the name is there, even when the file behind it cannot be opened.
  bool exists() const;

  // Rewrites the file whole; false (reported, the old save kept) when it cannot be written, with
  // the reason in the player's words in `why` when given.
  bool save(unsigned short soucasnyLevel, unsigned short maxLevel, const CPlayer &player,
            std::string *why = nullptr) const;

  // Reads the save into a new record that the caller then owns and puts in place of its player.
  // A file that is missing, no plain file, past kMaxBytes, ends early, or whose current level is not below levelCount (or whose
  // furthest level lies past the list) is refused whole: null is returned, the indices are left
  // as they were and the reason is logged and printed; result tells which case it was, `told` the
  // reason in the player's words (for a file that cannot be opened, why: "no permission to read
  // it", a link loop, a disk error). Values the
  // game cannot hold are brought into range with a log line: a negative bank becomes 0, unknown
  // upgrades are dropped, star indices capped, and an upgrade listed twice keeps its highest.
  CPlayer *load(unsigned short levelCount, unsigned short &soucasnyLevel, unsigned short &maxLevel,
                Result *result = nullptr, std::string *told = nullptr) const;
  // A refusal in the player's words ("it ends early"); for a file that cannot be opened, only that.
  static const char *reasonOf(Result result);

  static std::string encode(unsigned short soucasnyLevel, unsigned short maxLevel, const CPlayer &player);
  // The parsing half of load; on refusal returns null and sets reason.
  static CPlayer *decode(const std::string &bytes, unsigned short levelCount, unsigned short &soucasnyLevel,
                         unsigned short &maxLevel, Result &result, std::string &reason);

private:
  std::string path;
};
