#include "core/CSettingsFile.h"

#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>

#include "core/CSafeFile.h"
#include "media/CLogger.h"

namespace {
bool isSpace(char c) { return std::isspace((unsigned char)c) != 0; }
} // namespace

TSettingLine CSettingsFile::parseLine(const std::string &line) {
  TSettingLine out{std::string(), false, 0};
  // Only the blank separates the key, so "KEY\t1" is a different key and is skipped.
  size_t start = line.find_first_not_of(' ');
  if (start == std::string::npos) return out;
  size_t end = line.find(' ', start);
  out.key = line.substr(start, end == std::string::npos ? std::string::npos : end - start);
  if (end == std::string::npos) return out;

  const char *p = line.c_str() + end;
  while (*p && isSpace(*p)) ++p;
  if (!*p) return out;
  char *stop = nullptr;
  errno = 0;
  long long v = std::strtoll(p, &stop, 10);
  // Whatever follows the number is no part of it: "FULLSCREEN 0 please" still says 0.
  if (stop == p || errno == ERANGE || v < INT_MIN || v > INT_MAX) return out;
  out.hasValue = true;
  out.value = (int)v;
  return out;
}

std::vector<TSettingLine> CSettingsFile::parse(const std::string &text) {
  std::vector<TSettingLine> lines;
  size_t pos = 0;
  while (pos < text.size()) {
    size_t nl = text.find('\n', pos);
    std::string line = text.substr(pos, nl == std::string::npos ? std::string::npos : nl - pos);
    pos = nl == std::string::npos ? text.size() : nl + 1;
    TSettingLine parsed = parseLine(line);
    if (!parsed.key.empty()) lines.push_back(parsed);
  }
  return lines;
}

bool CSettingsFile::read(const std::string &path, std::vector<TSettingLine> &lines) {
  lines.clear();
  std::string text, why;
  if (!CSafeFile::read(path, text, CSafeFile::kSmallFileCap, &why)) {
    if (errno != ENOENT) {
      const std::string line = "Settings file " + path + " refused: " + why + "; the defaults are used";
      CLogger::instance()->log(line);
      std::fprintf(stderr, "%s\n", line.c_str());
    }
    return false;
  }
  lines = parse(text);
  return true;
}
