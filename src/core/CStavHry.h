#pragma once
#include <cstdint>
#include <string>

class CEngine;
struct KEvent;

// A game state: the engine updates its current state once a frame and hands it the input
// events while it is active. States are found by their exact name.
class CStavHry {
public:
  explicit CStavHry(std::string name);

  // Both flags cleared; a derived init sets active once it is ready.
  void initVirtual();
  void closeVirtual();
  virtual void init(CEngine *engine) = 0;
  virtual void handleMessages(KEvent *event) {}
  virtual void update() = 0;
  virtual void close() = 0;
  virtual ~CStavHry() {}

  const std::string &getName() const { return name; }
  bool isClosed() const { return closed != 0; }
  bool isActive() const { return active != 0; }

  // 1 once closed (and when new), 0 after init.
  int32_t closed;
  // 1 while initialised and not closed; only an active state receives events.
  int32_t active;
  std::string name;
  CEngine *engine;
  int32_t slovo1;
  int32_t slovo2;
};

// The callback the engine installs on the window: every input event goes to the current state
// while it is active. False only for no event.
bool ourOwnEventCallback(KEvent *event);
