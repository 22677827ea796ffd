#include "media/XmlData.h"

#include <cctype>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <tinyxml.h>
#include <vector>

#include "media/CFatal.h"

uint32_t readDecimalBits(const char *p) {
  while (std::isspace((unsigned char)*p)) ++p;
  bool negative = false;
  if (*p == '+' || *p == '-') negative = *p++ == '-';
  uint32_t v = 0;
  while (*p >= '0' && *p <= '9') v = v * 10u + (uint32_t)(*p++ - '0');
  return negative ? 0u - v : v;
}

namespace {
// A UTF-8 lead byte makes the parser step over up to three more bytes without looking at them, so
// the text ends in more zero bytes than that: a character cut short by the end lands on them.
const size_t kZeroTail = 8;

enum class Read { Parsed, Missing, Unreadable, Broken };

Read readXml(TiXmlDocument &doc, const std::string &path) {
  std::FILE *f = std::fopen(path.c_str(), "rb");
  if (!f) {
    bool missing = errno == ENOENT || errno == ENOTDIR;
    doc.SetError(TiXmlBase::TIXML_ERROR_OPENING_FILE, nullptr, nullptr, TIXML_ENCODING_UNKNOWN);
    return missing ? Read::Missing : Read::Unreadable;
  }
  std::vector<char> text;
  char chunk[16384];
  size_t n;
  while ((n = std::fread(chunk, 1, sizeof(chunk), f)) > 0) text.insert(text.end(), chunk, chunk + n);
  bool failed = std::ferror(f) != 0;
  std::fclose(f);
  if (failed) {
    doc.SetError(TiXmlBase::TIXML_ERROR_OPENING_FILE, nullptr, nullptr, TIXML_ENCODING_UNKNOWN);
    return Read::Unreadable;
  }

  // As the parser's own file reading does: the text stops at the first zero byte, and CR LF and a
  // lone CR both become LF. Everything after the text is zero.
  size_t out = 0;
  for (size_t in = 0; in < text.size() && text[in] != '\0'; ++in) {
    if (text[in] == '\r') {
      text[out++] = '\n';
      if (in + 1 < text.size() && text[in + 1] == '\n') ++in;
    } else {
      text[out++] = text[in];
    }
  }
  text.resize(out);
  text.resize(out + kZeroTail, '\0');

  doc.SetValue(path);
  doc.Parse(text.data());
  return doc.Error() ? Read::Broken : Read::Parsed;
}
} // namespace

void loadDataFile(TiXmlDocument &doc, const std::string &path) {
  switch (readXml(doc, path)) {
  case Read::Parsed:
    return;
  case Read::Missing:
    fatalXmlLoadError("File " + path + " not found!", path, doc, -1);
  case Read::Unreadable:
    fatalXmlLoadError("File " + path + " cannot be read!", path, doc, -1);
  case Read::Broken:
    fatalXmlLoadError("File " + path + " is not well-formed XML!", path, doc, -1);
  }
}

bool readDataFile(TiXmlDocument &doc, const std::string &path) { return readXml(doc, path) == Read::Parsed; }

const char *requiredAttribute(TiXmlElement *e, const char *attribute, const char *message, const std::string &path) {
  const char *v = e->Attribute(attribute);
  if (!v) fatalDataError(message, path, e->Row(), -1);
  return v;
}

bool readWholeNumber(TiXmlElement *e, const char *attribute, int32_t lo, int32_t hi, int32_t &field,
                     const std::string &path) {
  const char *v = e->Attribute(attribute);
  if (!v) return false;
  const char *p = v;
  bool negative = false;
  if (*p == '+' || *p == '-') negative = *p++ == '-';
  bool digits = *p != '\0';
  int64_t n = 0;
  for (; *p && digits; ++p) {
    digits = *p >= '0' && *p <= '9';
    // Once past any 32-bit range, more digits only keep it there.
    if (digits && n <= (int64_t)INT32_MAX + 1) n = n * 10 + (*p - '0');
  }
  if (negative) n = -n;
  if (!digits || n < lo || n > hi) {
    std::string name, tag;
    for (const char *c = attribute; *c; ++c) name += (char)std::toupper((unsigned char)*c);
    for (const char *c = e->Value(); *c; ++c) tag += (char)std::toupper((unsigned char)*c);
    fatalDataError(name + " \"" + v + "\" near " + tag + " tag is not a whole number from " + std::to_string(lo) +
                       " to " + std::to_string(hi) + "!",
                   path, e->Row(), -1);
  }
  field = (int32_t)n;
  return true;
}
