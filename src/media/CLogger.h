#pragma once
#include <cstdint>
#include <cstdio>
#include <string>

#include "media/CSingleton.h"

// Debug switch: while non-zero, CLogger appends to "log.txt".
extern int32_t debug;

class CLogger : public CSingleton<CLogger> {
public:
  CLogger() {}
  virtual ~CLogger() {}

  // Opens and closes the file per line, so every line is on disk when this returns.
  void log(std::string line);

  FILE *file = nullptr;
};
