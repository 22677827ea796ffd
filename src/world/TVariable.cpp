#include "world/TVariable.h"

#include <cstdint>
#include <cstdlib>

bool TVariable::assign(const std::string &value) const {
  if (!pointer) return false;
  switch (type) {
  case STRING:
    *static_cast<std::string *>(pointer) = value;
    return true;
  case INTEGER:
    *static_cast<int32_t *>(pointer) = (int32_t)std::atoi(value.c_str());
    return true;
  case FLOAT:
    *static_cast<float *>(pointer) = (float)std::atof(value.c_str());
    return true;
  default:
    return false;
  }
}
