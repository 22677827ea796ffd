// profiles.txt and lastprofile.txt: the names a line each, and the last player's name. The input
// holds both, split at its first zero byte.
#include <algorithm>
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "core/CProfiles.h"
#include "engine/KUtf8.h"

namespace {
std::string withoutMark(const std::string &file) { return file.compare(0, 3, "\xEF\xBB\xBF") == 0 ? file.substr(3) : file; }

// A name read from `line` is the line itself, or its first kMaxName letters when it has more: cut
// where a letter ends, never inside one.
bool readFrom(const std::string &name, std::string line) {
  if (!line.empty() && line.back() == '\r') line.pop_back();
  if (KUtf8::count(line.data(), line.size()) <= CProfiles::kMaxName) return name == line;
  return name.size() == KUtf8::lead(line.data(), line.size(), CProfiles::kMaxName) &&
         line.compare(0, name.size(), name) == 0;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  const std::string bytes(reinterpret_cast<const char *>(data), size);
  const size_t split = bytes.find('\0');
  const std::string list = bytes.substr(0, split), lastFile = split == std::string::npos ? "" : bytes.substr(split + 1);
  const std::string text = withoutMark(list);
  size_t at = 0;
  for (const std::string &name : CProfiles::parseNames(list)) {
    const size_t end = std::min(text.find('\n', at), text.size());
    // A name that would draw nothing is read as a missing one.
    if (!name.empty() && !readFrom(name, text.substr(at, end - at))) __builtin_trap();
    at = end + 1;
  }
  const std::string last = withoutMark(lastFile);
  if (!readFrom(CProfiles::lastName(lastFile), last.substr(0, last.find('\n')))) __builtin_trap();
  return 0;
}
