#pragma once
#include <cstdint>

constexpr uint32_t kFourCharCode(const char (&c)[5]) {
  return ((uint32_t)(unsigned char)c[0] << 24) | ((uint32_t)(unsigned char)c[1] << 16) |
         ((uint32_t)(unsigned char)c[2] << 8) | (uint32_t)(unsigned char)c[3];
}

// A platform event as the engine's raw-event callback sees it: a class and a kind, so game code
// can recognise e.g. the application being deactivated without touching the platform layer.
struct KSystemEvent {
  uint32_t eventClass;
  uint32_t eventKind;
  const void *platformEvent; // the SDL_Event; only engine code looks inside
};
typedef KSystemEvent *EventRef;

constexpr uint32_t K_CLASS_MOUSE = kFourCharCode("mous");
constexpr uint32_t K_CLASS_KEYBOARD = kFourCharCode("keyb");
constexpr uint32_t K_CLASS_WINDOW = kFourCharCode("wind");
constexpr uint32_t K_CLASS_APPLICATION = kFourCharCode("appl");

constexpr uint32_t K_KIND_MOUSE_DOWN = 1;
constexpr uint32_t K_KIND_MOUSE_UP = 2;
constexpr uint32_t K_KIND_MOUSE_MOVED = 5;
constexpr uint32_t K_KIND_MOUSE_WHEEL = 10;
constexpr uint32_t K_KIND_KEY_DOWN = 1;
constexpr uint32_t K_KIND_KEY_REPEAT = 2;
constexpr uint32_t K_KIND_KEY_UP = 3;
constexpr uint32_t K_KIND_WINDOW_CLOSE = 72;
constexpr uint32_t K_KIND_WINDOW_REDRAW = 78;
constexpr uint32_t K_KIND_APP_ACTIVATED = 1;
constexpr uint32_t K_KIND_APP_DEACTIVATED = 2;

// Values of KEvent::type. 4, 9 and 10 are never produced.
enum EEventType : uint32_t {
  K_EVENT_MOUSEMOVE = 1,
  K_EVENT_MOUSEUP = 2,
  K_EVENT_MOUSEDOWN = 3,
  K_EVENT_KEYDOWN = 5,       // second delivery of a press or repeat
  K_EVENT_KEYDOWN_FIRST = 6, // first delivery of a press or repeat
  K_EVENT_KEYUP = 7,
  K_EVENT_MULTICLICK = 8,    // second and later press of a multiple click
  K_EVENT_WHEEL = 11,
  K_EVENT_WINDOW = 12,
  K_EVENT_ACTIVATED = 13,
};

// Input record handed to the game's event callback; valid only during the call.
struct KEvent {
  uint32_t type;
  int32_t mouseX;      // 800 x 600 picture coordinates, y downwards
  int32_t mouseY;
  uint32_t button;     // 1 primary, 2 secondary, 3 middle
  int16_t wheel;
  unsigned char character;
  uint32_t keyCode;    // platform key code (SDL scancode)
  EventRef eventRef;
  uint32_t ptkKey;     // EKeyboardLayout; 100 when the key is not in the table
};
