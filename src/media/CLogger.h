#pragma once
#include <cstdint>
#include <cstdio>
#include <sstream>
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

  // The parts streamed into one line (numbers as makeString writes them), put together only
  // while logging is on: lines logged during play cost nothing once debug is off.
  template <class... Parts> void logParts(const Parts &...parts) {
    if (debug == 0) return;
    std::ostringstream line;
    (line << ... << parts);
    log(line.str());
  }

  FILE *file = nullptr;
};
