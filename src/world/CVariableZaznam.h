#pragma once
#include <string>
#include <utility>
#include <vector>

// One attribute of an entity element of the variables file, both parts as written.
struct TParam {
  TParam(std::string name, std::string value) : name(std::move(name)), value(std::move(value)) {}

  std::string name;
  std::string value;
};

// The values the variables file gives one entity name, in file order.
class CVariableZaznam {
public:
  explicit CVariableZaznam(std::string entityName) : entityName(std::move(entityName)) {}

  void pridej(std::string name, std::string value) { params.emplace_back(std::move(name), std::move(value)); }
  const std::string &getName() const { return entityName; }
  const std::vector<TParam> &getParams() const { return params; }

private:
  std::string entityName;
  std::vector<TParam> params;
};
