#pragma once
#include <string>
#include <utility>

// One exported field of an entity: set by name from the entity variables file. The pointer
// addresses a field of the entity that exported it, so a record is never shared between entities.
struct TVariable {
  enum Type { STRING = 0, INTEGER = 1, FLOAT = 2 };

  TVariable(std::string name, int type, void *pointer) : name(std::move(name)), type(type), pointer(pointer) {}

  // Stores the text by type (string as is, integer as atoi reads it, float as atof narrowed);
  // false for a type this record cannot hold, which stays unchanged.
  bool assign(const std::string &value) const;

  std::string name;
  int type;
  void *pointer;
};
