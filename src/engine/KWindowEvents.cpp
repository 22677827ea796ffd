#include "engine/KWindowEvents.h"

#include "engine/KEndSignal.h"
#include "engine/KInput.h"

#include <SDL.h>

#include <cstring>
#include <utility>

namespace {
// SDL numbers the right button 3 and the middle one 2; the game's numbers are 2 and 3.
uint32_t gameButton(uint8_t sdlButton) {
  if (sdlButton == SDL_BUTTON_RIGHT) return 2;
  if (sdlButton == SDL_BUTTON_MIDDLE) return 3;
  return sdlButton;
}

unsigned char keyCharacter(const SDL_Keysym &ks) {
  if (ks.sym <= 0 || ks.sym >= 128) return 0;
  unsigned char c = (unsigned char)ks.sym;
  if (c >= 'a' && c <= 'z') {
    bool shift = (ks.mod & KMOD_SHIFT) != 0;
    bool caps = (ks.mod & KMOD_CAPS) != 0;
    if (shift != caps) c = (unsigned char)(c - 'a' + 'A');
  }
  return c;
}

// What a pressed key types comes from the keyboard layout as a text event right behind the key's
// own (Shift+2 is "@" on one layout, '"' on another): that event, taken from the queue. Its
// character, 0 when it is no ASCII, or -1 when none came (a key that types nothing).
int typedBehind() {
  SDL_Event next;
  if (SDL_PeepEvents(&next, 1, SDL_PEEKEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT) != 1 || next.type != SDL_TEXTINPUT)
    return -1;
  SDL_PeepEvents(&next, 1, SDL_GETEVENT, SDL_TEXTINPUT, SDL_TEXTINPUT);
  const unsigned char c = (unsigned char)next.text.text[0];
  return c >= 0x20 && c < 0x7F && next.text.text[1] == 0 ? c : 0;
}

void describe(const SDL_Event &ev, KSystemEvent *sys) {
  sys->eventClass = 0;
  sys->eventKind = 0;
  sys->platformEvent = &ev;
  switch (ev.type) {
  case SDL_MOUSEBUTTONDOWN: sys->eventClass = K_CLASS_MOUSE; sys->eventKind = K_KIND_MOUSE_DOWN; break;
  case SDL_MOUSEBUTTONUP: sys->eventClass = K_CLASS_MOUSE; sys->eventKind = K_KIND_MOUSE_UP; break;
  case SDL_MOUSEMOTION: sys->eventClass = K_CLASS_MOUSE; sys->eventKind = K_KIND_MOUSE_MOVED; break;
  case SDL_MOUSEWHEEL: sys->eventClass = K_CLASS_MOUSE; sys->eventKind = K_KIND_MOUSE_WHEEL; break;
  case SDL_KEYDOWN:
    sys->eventClass = K_CLASS_KEYBOARD;
    sys->eventKind = ev.key.repeat ? K_KIND_KEY_REPEAT : K_KIND_KEY_DOWN;
    break;
  case SDL_KEYUP: sys->eventClass = K_CLASS_KEYBOARD; sys->eventKind = K_KIND_KEY_UP; break;
  case SDL_WINDOWEVENT:
    switch (ev.window.event) {
    case SDL_WINDOWEVENT_FOCUS_GAINED: sys->eventClass = K_CLASS_APPLICATION; sys->eventKind = K_KIND_APP_ACTIVATED; break;
    case SDL_WINDOWEVENT_FOCUS_LOST: sys->eventClass = K_CLASS_APPLICATION; sys->eventKind = K_KIND_APP_DEACTIVATED; break;
    case SDL_WINDOWEVENT_CLOSE: sys->eventClass = K_CLASS_WINDOW; sys->eventKind = K_KIND_WINDOW_CLOSE; break;
    case SDL_WINDOWEVENT_EXPOSED: sys->eventClass = K_CLASS_WINDOW; sys->eventKind = K_KIND_WINDOW_REDRAW; break;
    default: sys->eventClass = K_CLASS_WINDOW; break;
    }
    break;
  default: break;
  }
}
} // namespace

KWindowEvents::KWindowEvents(int &quit, std::function<void()> resized, std::function<void()> exposed)
    : _quit(quit), _resized(std::move(resized)), _exposed(std::move(exposed)) {}

void KWindowEvents::handleOne(bool withRawCallback) {
  if (KEndSignal::received()) _quit = 1;
  SDL_Event ev;
  if (!pollOne(&ev)) return;
  KSystemEvent sys;
  describe(ev, &sys);
  if (withRawCallback && _sysCallback && !_sysCallback(&sys)) return;
  dispatch(ev, sys);
}

bool KWindowEvents::pollOne(SDL_Event *ev) {
  if (!SDL_WasInit(SDL_INIT_VIDEO) || !SDL_PollEvent(ev)) return false;
  switch (ev->type) {
  case SDL_KEYDOWN:
  case SDL_KEYUP:
    KInput::noteKey((unsigned short)ev->key.keysym.scancode, ev->type == SDL_KEYDOWN);
    _typed = ev->type == SDL_KEYDOWN ? typedBehind() : -1;
    break;
  case SDL_MOUSEMOTION:
    KInput::notePointer(ev->motion.x, ev->motion.y);
    break;
  case SDL_MOUSEBUTTONDOWN:
  case SDL_MOUSEBUTTONUP:
    KInput::notePointer(ev->button.x, ev->button.y);
    KInput::noteButton(gameButton(ev->button.button), ev->type == SDL_MOUSEBUTTONDOWN);
    break;
  case SDL_WINDOWEVENT:
    switch (ev->window.event) {
    case SDL_WINDOWEVENT_FOCUS_GAINED: _active = true; break;
    case SDL_WINDOWEVENT_FOCUS_LOST: _active = false; break;
    case SDL_WINDOWEVENT_SIZE_CHANGED:
      _resized();
      _exposed();
      break;
    case SDL_WINDOWEVENT_EXPOSED:
    case SDL_WINDOWEVENT_SHOWN:
    case SDL_WINDOWEVENT_RESTORED: _exposed(); break;
    default: break;
    }
    break;
  default: break;
  }
  return true;
}

void KWindowEvents::dispatch(const SDL_Event &ev, KSystemEvent &sys) {
  KEvent k;
  std::memset(&k, 0, sizeof(k));
  bool (*cb)(KEvent *) = _ptkCallback;
  if (cb) {
    if (ev.type == SDL_MOUSEBUTTONDOWN || ev.type == SDL_MOUSEBUTTONUP) k.button = gameButton(ev.button.button);
    if (ev.type == SDL_KEYDOWN || ev.type == SDL_KEYUP) {
      k.character = _typed >= 0 ? (unsigned char)_typed : keyCharacter(ev.key.keysym);
      k.keyCode = (uint32_t)ev.key.keysym.scancode;
    }
    k.mouseX = (int32_t)KInput::getMouseX();
    k.mouseY = (int32_t)KInput::getMouseY();
    k.eventRef = &sys;
    k.ptkKey = (uint32_t)KInput::getPTKKey((unsigned short)(k.keyCode & 0xFFFF));
  }

  switch (ev.type) {
  case SDL_MOUSEBUTTONDOWN:
    if (gameButton(ev.button.button) == 2) KInput::_rbuttonstate = 1;
    k.type = ev.button.clicks > 1 ? K_EVENT_MULTICLICK : K_EVENT_MOUSEDOWN;
    if (cb) cb(&k);
    break;
  case SDL_MOUSEBUTTONUP:
    if (gameButton(ev.button.button) == 2) KInput::_rbuttonstate = 0;
    k.type = K_EVENT_MOUSEUP;
    if (cb) cb(&k);
    break;
  case SDL_MOUSEMOTION:
    k.type = K_EVENT_MOUSEMOVE;
    if (cb) cb(&k);
    break;
  case SDL_MOUSEWHEEL: {
    int32_t delta = ev.wheel.y;
    if (ev.wheel.direction == SDL_MOUSEWHEEL_FLIPPED) delta = -delta;
    short wheel = (short)(int16_t)(uint16_t)(delta & 0xFFFF);
    KInput::setLastWheelValue(wheel);
    if (cb) {
      k.wheel = wheel;
      k.type = K_EVENT_WHEEL;
      cb(&k);
    }
    break;
  }
  case SDL_KEYDOWN:
    if (cb) {
      k.type = K_EVENT_KEYDOWN_FIRST;
      if (cb(&k)) {
        k.type = K_EVENT_KEYDOWN;
        cb(&k);
      }
    }
    break;
  case SDL_KEYUP:
    k.type = K_EVENT_KEYUP;
    if (cb) cb(&k);
    break;
  case SDL_QUIT:
    _quit = 1;
    break;
  case SDL_WINDOWEVENT:
    switch (ev.window.event) {
    case SDL_WINDOWEVENT_CLOSE:
      // The game decides when to go; the window stays until then.
      _quit = 1;
      break;
    case SDL_WINDOWEVENT_EXPOSED:
      k.type = K_EVENT_WINDOW;
      if (cb) cb(&k);
      break;
    case SDL_WINDOWEVENT_FOCUS_GAINED:
      if (cb) {
        KEvent a;
        std::memset(&a, 0, sizeof(a));
        a.type = K_EVENT_ACTIVATED;
        cb(&a);
      }
      break;
    default: break;
    }
    break;
  default: break;
  }
}
