#include "media/XmlData.h"

#include <cctype>
#include <tinyxml.h>

#include "media/CFatal.h"

uint32_t readDecimalBits(const char *p) {
  while (std::isspace((unsigned char)*p)) ++p;
  bool negative = false;
  if (*p == '+' || *p == '-') negative = *p++ == '-';
  uint32_t v = 0;
  while (*p >= '0' && *p <= '9') v = v * 10u + (uint32_t)(*p++ - '0');
  return negative ? 0u - v : v;
}

void loadDataFile(TiXmlDocument &doc, const std::string &path) {
  if (!doc.LoadFile(path.c_str())) fatalXmlLoadError("File " + path + " not found!", path, doc, -1);
}

const char *requiredAttribute(TiXmlElement *e, const char *attribute, const char *message, const std::string &path) {
  const char *v = e->Attribute(attribute);
  if (!v) fatalDataError(message, path, e->Row(), -1);
  return v;
}
