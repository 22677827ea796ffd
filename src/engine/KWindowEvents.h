#pragma once
#include "engine/KEvent.h"

#include <functional>

union SDL_Event;

// Turns SDL's events into the game's: it keeps KInput's keys, buttons and pointer up to date,
// tracks the input focus, raises the quit flag (on an end signal too), and hands each event to
// the raw callback and the game's KEvent callback.
class KWindowEvents {
public:
  // quit is raised when the window is closed, SDL quits or an end signal came; resized runs as soon as the
  // window's size changed, before the event is handed on.
  // `resized` follows a change of the window's size, `exposed` any loss of what it showed.
  KWindowEvents(int &quit, std::function<void()> resized, std::function<void()> exposed);

  void setCallBack(bool (*callback)(EventRef)) { _sysCallback = callback; }
  void setPTKCallBack(bool (*callback)(KEvent *)) { _ptkCallback = callback; }
  // Has the input focus, as the focus events told.
  bool isActive() const { return _active; }
  void setActive(bool active) { _active = active; }

  // Takes at most one pending event and hands it on. The raw callback, when asked for, sees it
  // first and keeps it from the game by returning false.
  void handleOne(bool withRawCallback);

private:
  bool pollOne(SDL_Event *ev);
  void dispatch(const SDL_Event &ev, KSystemEvent &sys);

  int &_quit;
  std::function<void()> _resized;
  std::function<void()> _exposed;
  bool (*_sysCallback)(EventRef) = nullptr;
  bool (*_ptkCallback)(KEvent *) = nullptr;
  bool _active = true;
  // What the key being handed on typed, as typedBehind found it.
  int _typed = -1;
};
