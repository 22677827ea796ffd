#include "core/CTop10.h"

#include <cstring>

#include "core/CSafeFile.h"
#include "media/CFatal.h"

namespace {

void putU32(std::string &out, uint32_t v) {
  out += (char)(v >> 24);
  out += (char)(v >> 16);
  out += (char)(v >> 8);
  out += (char)v;
}

uint32_t getU32(const std::string &in, size_t at) {
  const unsigned char *p = reinterpret_cast<const unsigned char *>(in.data()) + at;
  return (uint32_t)p[0] << 24 | (uint32_t)p[1] << 16 | (uint32_t)p[2] << 8 | (uint32_t)p[3];
}

} // namespace

std::string CTop10Hrac::getName() const { return std::string(name, strnlen(name, kNameSize)); }

std::vector<CTop10Hrac> CTop10::defaultTable() {
  static const uint32_t scores[] = {100000, 80000, 50000, 30000, 20000, 15000, 10000, 6000, 3000, 1500};
  std::vector<CTop10Hrac> table;
  for (uint32_t s : scores) {
    CTop10Hrac h;
    std::memset(h.name, 0, sizeof(h.name));
    std::memcpy(h.name, "DR", 2);
    h.score = s;
    table.push_back(h);
  }
  return table;
}

std::string CTop10::encode(const std::vector<CTop10Hrac> &table) {
  std::string out;
  putU32(out, (uint32_t)table.size());
  for (const CTop10Hrac &h : table) {
    out.append(h.name, CTop10Hrac::kNameSize);
    putU32(out, h.score);
  }
  return out;
}

void CTop10::nahraj(const std::string &path) {
  std::string bytes, why;
  // A table that exists but cannot be read is not replaced by the defaults.
  if (!CSafeFile::readOrCreate(path, encode(defaultTable()), bytes, why))
    fatalError("Can't open top 10 file " + path + ": " + why, -1);
  hraci = decode(bytes);
}

std::vector<CTop10Hrac> CTop10::decode(const std::string &bytes) {
  std::vector<CTop10Hrac> table;
  if (bytes.size() < 4) return table;
  uint32_t count = getU32(bytes, 0);
  size_t at = 4;
  for (uint32_t i = 0; i < count && at + CTop10Hrac::kRecordSize <= bytes.size(); ++i) {
    CTop10Hrac h;
    std::memcpy(h.name, bytes.data() + at, CTop10Hrac::kNameSize);
    h.score = getU32(bytes, at + CTop10Hrac::kNameSize);
    table.push_back(h);
    at += CTop10Hrac::kRecordSize;
  }
  return table;
}
