// top10.bin: a big-endian count and 56-byte records.
#include <string>

#include "FuzzSupport.h"
#include "core/CTop10.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  const std::string bytes(reinterpret_cast<const char *>(data), size);
  const std::vector<CTop10Hrac> table = CTop10::decode(bytes);
  if (table.size() * CTop10Hrac::kRecordSize > size) __builtin_trap();
  for (const CTop10Hrac &h : table) h.getName();
  return 0;
}
