#include "world/CLevelList.h"

#include <tinyxml.h>

#include "media/CFatal.h"
#include "media/XmlData.h"

void CLevelList::load(std::string path) {
  TiXmlDocument doc;
  loadDataFile(doc, path);
  // The file has no root: its top-level level elements are the list.
  for (TiXmlElement *e = doc.FirstChildElement("level"); e; e = e->NextSiblingElement("level")) {
    const char *name = requiredAttribute(e, "name", "NAME not found near LEVEL tag!", path);
    if (!*name) fatalDataError("Empty NAME near LEVEL tag!", path, e->Row(), -1);
    levels.push_back(name);
  }
}

std::string CLevelList::getLevel(uint16_t index) const {
  return index < levels.size() ? levels[index] : std::string();
}

// Indexes are 16-bit; a longer list shows only what they can reach.
uint16_t CLevelList::getSize() const { return levels.size() > 0xFFFFu ? (uint16_t)0xFFFFu : (uint16_t)levels.size(); }
