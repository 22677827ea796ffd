#include "world/CLevelList.h"

#include <tinyxml.h>

#include <string>

#include "media/CFatal.h"
#include "media/XmlData.h"

void CLevelList::load(std::string path) {
  TiXmlDocument doc;
  loadDataFile(doc, path);
  // The file has no root: its top-level level elements are the list.
  for (TiXmlElement *e = doc.FirstChildElement("level"); e; e = e->NextSiblingElement("level")) {
    const char *name = requiredAttribute(e, "name", "NAME not found near LEVEL tag!", path);
    if (!*name) fatalDataError("Empty NAME near LEVEL tag!", path, e->Row(), -1);
    // The working days are marked in order, so a day's number leads to its entry.
    if (const char *day = e->Attribute("day")) {
      if (std::string(day) != std::to_string(dayLevels.size() + 1))
        fatalDataError("Day " + std::string(day) + " near LEVEL tag " + name + " where day " +
                           std::to_string(dayLevels.size() + 1) + " comes!",
                       path, e->Row(), -1);
      dayLevels.push_back((uint16_t)levels.size());
    }
    levels.push_back(name);
  }
}

int CLevelList::dayLevel(int day) const {
  return day >= 1 && (size_t)day <= dayLevels.size() ? dayLevels[(size_t)day - 1] : -1;
}

std::string CLevelList::getLevel(uint16_t index) const {
  return index < levels.size() ? levels[index] : std::string();
}

// Indexes are 16-bit; a longer list shows only what they can reach.
uint16_t CLevelList::getSize() const { return levels.size() > 0xFFFFu ? (uint16_t)0xFFFFu : (uint16_t)levels.size(); }
