// profiles.txt and lastprofile.txt: the names a line each, and the last player's name. The input
// holds both, split at its first zero byte.
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "core/CProfiles.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  const std::string bytes(reinterpret_cast<const char *>(data), size);
  const size_t split = bytes.find('\0');
  const std::vector<std::string> names = CProfiles::parseNames(bytes.substr(0, split));
  const std::string last = CProfiles::lastName(split == std::string::npos ? std::string() : bytes.substr(split + 1));
  for (const std::string &n : names)
    if (n.size() > CProfiles::kMaxName || n.find('\n') != std::string::npos) __builtin_trap();
  if (last.size() > CProfiles::kMaxName) __builtin_trap();
  return 0;
}
