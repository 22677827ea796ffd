#include "world/CMapEntitiesFactory.h"

#include <cstdio>

#include <tinyxml.h>

#include "engine/KMiscTools.h"
#include "media/CFatal.h"
#include "media/CLogger.h"
#include "media/XmlData.h"
#include "media/makeString.h"
#include "world/CMapEntity_Game.h"

namespace {
void log(const std::string &line) { CLogger::instance()->log(line); }

CMapEntity *cloneThroughRegistry(const std::string &name) { return CMapEntitiesFactory::instance()->cloneEntity(name); }
} // namespace

CMapEntitiesFactory::CMapEntitiesFactory() { linkEntities(); }

CMapEntitiesFactory::~CMapEntitiesFactory() {
  std::vector<CMapEntity_Game *> old;
  old.swap(prototypes);
  for (CMapEntity_Game *p : old) delete p;
  if (m_instance == this) m_instance = nullptr;
}

void CMapEntitiesFactory::linkEntities() { CMapEntity::links().clonePrototype = cloneThroughRegistry; }

void CMapEntitiesFactory::readVariables() { readVariables(KMiscTools::makeFilePath("\\data\\variables.xml")); }

void CMapEntitiesFactory::readVariables(const std::string &path) {
  TiXmlDocument doc;
  if (!readDataFile(doc, path)) {
    // The prototypes keep their built-in values; a file that is there but broken still says so.
    if (KMiscTools::fileExists(path.c_str()))
      std::fprintf(stderr, "Warning! %s is not readable XML (row %d: %s); built-in values used.\n", path.c_str(),
                   doc.ErrorRow(), doc.ErrorDesc());
    return;
  }
  TiXmlElement *root = doc.FirstChildElement("variables");
  if (!root) fatalDataError("variables tag not found!", path, 0, -1);
  for (TiXmlElement *e = root->FirstChildElement("entity"); e; e = e->NextSiblingElement("entity")) {
    const char *name = requiredAttribute(e, "name", "NAME not found near ENTITY tag!", path);
    CVariableZaznam record(name);
    log(std::string("Novy variable zaznam:") + name);
    for (TiXmlAttribute *a = e->FirstAttribute(); a; a = a->Next()) {
      record.pridej(a->Name(), a->Value());
      log(std::string("Novy atribut k ") + name + ": " + a->Name() + "(" + a->Value() + ")");
    }
    records.push_back(record);
  }
}

void CMapEntitiesFactory::addEntity(CMapEntity_Game *prototype) {
  if (!prototype) return;
  prototypes.push_back(prototype);
  for (const CVariableZaznam &record : records) {
    if (record.getName() != prototype->name) continue;
    for (const TParam &p : record.getParams()) {
      prototype->setVariable(p.name, p.value);
      log(prototype->name + " - Binding exported variable to " + p.name + ": " + p.value);
    }
  }
}

CMapEntity_Game *CMapEntitiesFactory::najdiEntity(const std::string &name) const {
  for (CMapEntity_Game *p : prototypes)
    if (p->name == name) return p;
  return nullptr;
}

CMapEntity_Game *CMapEntitiesFactory::najdiEntity(unsigned short id) const {
  for (CMapEntity_Game *p : prototypes)
    if (p->getEntityID() == (uint32_t)id) return p;
  return nullptr;
}

CMapEntity_Game *CMapEntitiesFactory::returnEntityByName(const std::string &name) {
  CMapEntity_Game *p = najdiEntity(name);
  if (!p) fatalError("Entity " + name + " not found in global entity object!", -1);
  return p;
}

CMapEntity_Game *CMapEntitiesFactory::returnEntityByID(unsigned short id) {
  CMapEntity_Game *p = najdiEntity(id);
  if (!p) fatalError("Entity " + makeString(id) + " not found in global entity object!", -1);
  return p;
}

CMapEntity_Game *CMapEntitiesFactory::cloneEntity(const std::string &name) {
  CMapEntity_Game *e = returnEntityByName(name)->clone();
  if (!e) fatalError("Entity " + name + "not found in global entity object while cloning!", -1);
  return e;
}

CMapEntity_Game *CMapEntitiesFactory::cloneEntity(unsigned short id) {
  CMapEntity_Game *e = returnEntityByID(id)->clone();
  if (!e) fatalError("Entity " + makeString(id) + "not found in global entity object while cloning!", -1);
  return e;
}
