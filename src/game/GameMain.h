#pragma once

class CEngine;

// What a caller other than main may ask of a run: a look at the engine once start-up is over,
// and whether the main loop runs at all (the start-up benchmark stops right after start-up).
struct TRunOptions {
  void (*afterInit)(CEngine *engine) = nullptr;
  bool skipWork = false;
};

// The whole program: process values, the user's folders, the engine's start-up, main loop and
// shut-down. Returns the process's exit status (0); fatal errors end the process on their own.
int runGame(const TRunOptions *options = nullptr);
