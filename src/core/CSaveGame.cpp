#include "core/CSaveGame.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <vector>

#include "core/CProfiles.h"
#include "core/CSafeFile.h"
#include "core/CUpgradeCatalogue.h"
#include "engine/KMiscTools.h"
#include "media/CLogger.h"
#include "media/makeString.h"

namespace {

void putU16(std::string &out, uint16_t v) {
  out += (char)(v >> 8);
  out += (char)v;
}

void putU32(std::string &out, uint32_t v) {
  out += (char)(v >> 24);
  out += (char)(v >> 16);
  out += (char)(v >> 8);
  out += (char)v;
}

// Reads forward through the file's bytes; any read past the end marks the whole file short.
class Reader {
public:
  explicit Reader(const std::string &bytes) : data(reinterpret_cast<const unsigned char *>(bytes.data())), size(bytes.size()) {}

  bool u16(uint16_t &v) {
    if (!need(2)) return false;
    v = (uint16_t)(data[at] << 8 | data[at + 1]);
    at += 2;
    return true;
  }
  bool u32(uint32_t &v) {
    if (!need(4)) return false;
    v = (uint32_t)data[at] << 24 | (uint32_t)data[at + 1] << 16 | (uint32_t)data[at + 2] << 8 | (uint32_t)data[at + 3];
    at += 4;
    return true;
  }
  // A count whose entries, and the tail bytes that must still follow them, cannot all be in the
  // rest of the file is refused before anything is allocated for it.
  bool count(uint32_t &n, size_t entrySize, size_t tail) {
    if (!u32(n)) return false;
    size_t left = size - at;
    if (left < tail || (left - tail) / entrySize < n) {
      countAt = at - 4;
      countNeeds = (uint64_t)n * entrySize + tail;
      return false;
    }
    return true;
  }
  // Why reading stopped, once a read has failed.
  std::string whyShort() const {
    if (countAt != kNone)
      return "ends early: the count at byte " + makeString(countAt) + " needs at least " + makeString(countNeeds) +
             " byte(s) after it, " + makeString(size - at) + " follow";
    return "ends early at byte " + makeString(at) + ", " + makeString(shortBy) + " byte(s) missing";
  }
private:
  static const size_t kNone = (size_t)-1;

  bool need(size_t n) {
    if (size - at >= n) return true;
    shortBy = n - (size - at);
    return false;
  }
  const unsigned char *data;
  size_t size;
  size_t at = 0;
  size_t shortBy = 0;
  uint64_t countNeeds = 0;
  size_t countAt = kNone;
};

// The smallest number of bytes that must follow each list: its own entries aside, the counts of
// the later lists and the seven fixed words.
const size_t kAfterLevels = 4 + 4 + 7 * 4 + 4;
const size_t kAfterPerks = 4 + 7 * 4 + 4;
const size_t kAfterCelebrities = 7 * 4 + 4;

void report(const std::string &line) {
  CLogger::instance()->log(line);
  std::fprintf(stderr, "%s\n", line.c_str());
}

} // namespace

CSaveGame::CSaveGame(const std::string &slot)
    : path(KMiscTools::makeFilePath(CProfiles::slotFile(slot, "save.dat").c_str())) {}

bool CSaveGame::exists() const {
  // Not blocking: a FIFO in its place is there, and loading it says why it cannot be read.
  const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
  if (fd >= 0) {
    close(fd);
    return true;
  }
  // One that is there but cannot be opened (no permission, a link loop, a disk fault) may still be
  // recovered: it is offered, loading says why it fails, and a new game asks before replacing it.
  return errno != ENOENT && errno != ENOTDIR;
}

std::string CSaveGame::encode(unsigned short soucasnyLevel, unsigned short maxLevel, const CPlayer &player) {
  std::string out;
  putU16(out, soucasnyLevel);
  putU16(out, maxLevel);
  putU32(out, (uint32_t)player.getLevelsDone().size());
  for (const TLevelStruct &l : player.getLevelsDone()) {
    putU32(out, (uint32_t)l.level);
    putU32(out, (uint32_t)l.goal);
  }
  putU32(out, (uint32_t)player.getPerkLevels().size());
  for (int32_t v : player.getPerkLevels()) putU32(out, (uint32_t)v);
  putU32(out, (uint32_t)player.getCelebritiesSeen().size());
  for (int32_t v : player.getCelebritiesSeen()) putU32(out, (uint32_t)v);
  putU32(out, (uint32_t)player.getMoney());
  putU32(out, (uint32_t)player.getPohlavi());
  putU32(out, (uint32_t)player.getPressureRemind());
  putU32(out, (uint32_t)player.getVirusHint());
  putU32(out, (uint32_t)player.getShopHint());
  putU32(out, (uint32_t)player.getClownHint());
  putU32(out, player.getPerkBought() ? 1u : 0u);
  putU32(out, (uint32_t)player.getBasket().size());
  for (const TBasketItem &item : player.getBasket()) {
    putU32(out, item.entityID);
    putU32(out, item.starIndex);
  }
  return out;
}

bool CSaveGame::save(unsigned short soucasnyLevel, unsigned short maxLevel, const CPlayer &player,
                     std::string *why) const {
  return CSafeFile::write(path, encode(soucasnyLevel, maxLevel, player), why);
}

CPlayer *CSaveGame::decode(const std::string &bytes, unsigned short levelCount, unsigned short &soucasnyLevel,
                           unsigned short &maxLevel, Result &result, std::string &reason) {
  CLogger *log = CLogger::instance();
  Reader in(bytes);
  CPlayer *player = new CPlayer();
  uint16_t cur = 0, max = 0;
  uint32_t n = 0, a = 0, b = 0;
  uint32_t money = 0, pohlavi = 0, pressure = 0, virus = 0, shop = 0, clown = 0, perkBought = 0;
  bool ok = in.u16(cur);
  if (ok) log->logParts("Reading soucasny level ", cur);
  ok = ok && in.u16(max);
  if (ok) log->logParts("Reading maxLevel ", max);

  ok = ok && in.count(n, 8, kAfterLevels);
  if (ok) {
    log->logParts("Reading pocetLevelu ", n);
    std::vector<TLevelStruct> days;
    days.reserve(n);
    // The count check above has made sure that every entry's bytes are there.
    for (uint32_t i = 0; i < n; ++i) {
      in.u32(a);
      in.u32(b);
      log->logParts("Adding level index ", (int32_t)a, " goal ", (int32_t)b);
      days.push_back({(int32_t)a, (int32_t)b});
    }
    player->addLevelsDone(days);
  }
  ok = ok && in.count(n, 4, kAfterPerks);
  for (uint32_t i = 0; ok && i < n; ++i) {
    in.u32(a);
    player->getPerkLevels().push_back((int32_t)a);
  }
  ok = ok && in.count(n, 4, kAfterCelebrities);
  for (uint32_t i = 0; ok && i < n; ++i) {
    in.u32(a);
    player->getCelebritiesSeen().push_back((int32_t)a);
  }
  ok = ok && in.u32(money);
  if (ok) log->logParts("Reading penize ", (int32_t)money);
  ok = ok && in.u32(pohlavi);
  if (ok) log->logParts("Reading pohlavi ", (int32_t)pohlavi);
  ok = ok && in.u32(pressure) && in.u32(virus) && in.u32(shop);
  if (ok) log->logParts("Reading virusHint ", (int32_t)virus);
  ok = ok && in.u32(clown) && in.u32(perkBought);
  if (ok) log->logParts("Reading clownHint ", (int32_t)clown);
  ok = ok && in.count(n, 8, 0);
  if (ok) log->logParts("Reading pocetUpgradu ", n);
  for (uint32_t i = 0; ok && i < n; ++i) {
    in.u32(a);
    in.u32(b);
    // Every record becomes an upgrade of the shop later, so only upgrades with stars they have stay.
    const TUpgradeInfo *upgrade = CUpgradeCatalogue::najdi(a);
    if (!upgrade) {
      log->logParts("Dropping saved upgrade ", a, ": no such upgrade");
      continue;
    }
    const uint32_t top = (uint32_t)upgrade->maxStarIndex();
    if (b > top) {
      log->logParts("Saved upgrade ", a, " star index ", b, " capped at ", top);
      b = top;
    }
    // The shop and the figure read one record per upgrade; a second would be kept unseen.
    TBasketItem *held = nullptr;
    for (TBasketItem &item : player->getBasket())
      if (item.entityID == a) held = &item;
    if (held) {
      if (b > held->starIndex) held->starIndex = b;
      log->logParts("Saved upgrade ", a, " listed again: star index ", held->starIndex, " kept");
      continue;
    }
    player->getBasket().push_back({a, b});
  }

  if (!ok) {
    result = TRUNCATED;
    reason = in.whyShort();
  } else if (cur >= levelCount) {
    result = BAD_LEVEL;
    reason = "saved level " + makeString(cur) + " is outside the level list of " + makeString(levelCount) + " levels";
  } else if (max != kNoLevel && max > levelCount) {
    result = BAD_LEVEL;
    reason = "furthest level " + makeString(max) + " is outside the level list of " + makeString(levelCount) + " levels";
  } else {
    result = OK;
  }
  if (result != OK) {
    delete player;
    return nullptr;
  }
  // The bank is never below 0 in play (CPlayer::changeMoney); a negative one was not written by it.
  int32_t bank = (int32_t)money;
  if (bank < 0) {
    log->logParts("Saved bank ", bank, " raised to 0");
    bank = 0;
  }
  player->setMoney(bank);
  player->setPohlavi((int32_t)pohlavi);
  player->setVirusHint((int32_t)virus);
  player->setPressureRemind((int32_t)pressure);
  player->setShopHint((int32_t)shop);
  player->setPerkBought(perkBought != 0);
  player->setClownHint((int32_t)clown);
  soucasnyLevel = cur;
  maxLevel = max;
  return player;
}

CPlayer *CSaveGame::load(unsigned short levelCount, unsigned short &soucasnyLevel, unsigned short &maxLevel,
                         Result *result, std::string *told) const {
  Result r = MISSING;
  std::string reason = "cannot be opened";
  std::string bytes;
  CPlayer *player = nullptr;
  int err = 0;
  if (CSafeFile::read(path, bytes, kMaxBytes, &reason))
    player = decode(bytes, levelCount, soucasnyLevel, maxLevel, r, reason);
  else if ((err = errno) == EFBIG)
    r = TOO_LARGE;
  else if (err == EINVAL || err == EISDIR)
    r = NOT_A_FILE;
  if (!player) report("Saved game " + path + " refused: " + reason);
  if (result) *result = r;
  if (told) *told = player ? std::string() : r == MISSING && err ? CSafeFile::readReasonOf(err) : reasonOf(r);
  return player;
}

const char *CSaveGame::reasonOf(Result result) {
  switch (result) {
  case MISSING:
    return "it cannot be opened";
  case TRUNCATED:
    return "it ends early";
  case BAD_LEVEL:
    return "it names a day this game lacks";
  case NOT_A_FILE:
    return "it is not a plain file";
  case TOO_LARGE:
    return "it is far larger than a saved game";
  default:
    return "";
  }
}
