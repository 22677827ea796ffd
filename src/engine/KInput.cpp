#include "engine/KInput.h"

#include "engine/KMiscTools.h"

#include <SDL.h>

#include <cmath>

#define KEYREC(code, sc) {code, (uint16_t)(sc), 0}

const KKeyRecord KInput::keyTable[101] = {
    KEYREC(K_VK_LEFT, SDL_SCANCODE_LEFT), KEYREC(K_VK_UP, SDL_SCANCODE_UP),
    KEYREC(K_VK_DOWN, SDL_SCANCODE_DOWN), KEYREC(K_VK_RIGHT, SDL_SCANCODE_RIGHT),
    KEYREC(K_VK_SPACE, SDL_SCANCODE_SPACE), KEYREC(K_VK_L_SHIFT, SDL_SCANCODE_LSHIFT),
    KEYREC(K_VK_R_SHIFT, SDL_SCANCODE_RSHIFT), KEYREC(K_VK_RETURN, SDL_SCANCODE_RETURN),
    KEYREC(K_VK_R_CONTROL, SDL_SCANCODE_RCTRL), KEYREC(K_VK_L_CONTROL, SDL_SCANCODE_LCTRL),
    KEYREC(K_VK_F1, SDL_SCANCODE_F1), KEYREC(K_VK_F2, SDL_SCANCODE_F2),
    KEYREC(K_VK_F3, SDL_SCANCODE_F3), KEYREC(K_VK_F4, SDL_SCANCODE_F4),
    KEYREC(K_VK_F5, SDL_SCANCODE_F5), KEYREC(K_VK_F6, SDL_SCANCODE_F6),
    KEYREC(K_VK_F7, SDL_SCANCODE_F7), KEYREC(K_VK_F8, SDL_SCANCODE_F8),
    KEYREC(K_VK_F9, SDL_SCANCODE_F9), KEYREC(K_VK_F10, SDL_SCANCODE_F10),
    KEYREC(K_VK_F11, SDL_SCANCODE_F11), KEYREC(K_VK_F12, SDL_SCANCODE_F12),
    KEYREC(K_VK_BACK, SDL_SCANCODE_BACKSPACE), KEYREC(K_VK_TAB, SDL_SCANCODE_TAB),
    KEYREC(K_VK_ESCAPE, SDL_SCANCODE_ESCAPE),
    KEYREC(K_VK_A, SDL_SCANCODE_A), KEYREC(K_VK_B, SDL_SCANCODE_B), KEYREC(K_VK_C, SDL_SCANCODE_C),
    KEYREC(K_VK_D, SDL_SCANCODE_D), KEYREC(K_VK_E, SDL_SCANCODE_E), KEYREC(K_VK_F, SDL_SCANCODE_F),
    KEYREC(K_VK_G, SDL_SCANCODE_G), KEYREC(K_VK_H, SDL_SCANCODE_H), KEYREC(K_VK_I, SDL_SCANCODE_I),
    KEYREC(K_VK_J, SDL_SCANCODE_J), KEYREC(K_VK_K, SDL_SCANCODE_K), KEYREC(K_VK_L, SDL_SCANCODE_L),
    KEYREC(K_VK_M, SDL_SCANCODE_M), KEYREC(K_VK_N, SDL_SCANCODE_N), KEYREC(K_VK_O, SDL_SCANCODE_O),
    KEYREC(K_VK_P, SDL_SCANCODE_P), KEYREC(K_VK_Q, SDL_SCANCODE_Q), KEYREC(K_VK_R, SDL_SCANCODE_R),
    KEYREC(K_VK_S, SDL_SCANCODE_S), KEYREC(K_VK_T, SDL_SCANCODE_T), KEYREC(K_VK_U, SDL_SCANCODE_U),
    KEYREC(K_VK_V, SDL_SCANCODE_V), KEYREC(K_VK_W, SDL_SCANCODE_W), KEYREC(K_VK_X, SDL_SCANCODE_X),
    KEYREC(K_VK_Y, SDL_SCANCODE_Y), KEYREC(K_VK_Z, SDL_SCANCODE_Z),
    KEYREC(K_VK_0, SDL_SCANCODE_0), KEYREC(K_VK_1, SDL_SCANCODE_1), KEYREC(K_VK_2, SDL_SCANCODE_2),
    KEYREC(K_VK_3, SDL_SCANCODE_3), KEYREC(K_VK_4, SDL_SCANCODE_4), KEYREC(K_VK_5, SDL_SCANCODE_5),
    KEYREC(K_VK_6, SDL_SCANCODE_6), KEYREC(K_VK_7, SDL_SCANCODE_7), KEYREC(K_VK_8, SDL_SCANCODE_8),
    KEYREC(K_VK_9, SDL_SCANCODE_9),
    KEYREC(K_VK_NUM0, SDL_SCANCODE_KP_0), KEYREC(K_VK_NUM1, SDL_SCANCODE_KP_1),
    KEYREC(K_VK_NUM2, SDL_SCANCODE_KP_2), KEYREC(K_VK_NUM3, SDL_SCANCODE_KP_3),
    KEYREC(K_VK_NUM4, SDL_SCANCODE_KP_4), KEYREC(K_VK_NUM5, SDL_SCANCODE_KP_5),
    KEYREC(K_VK_NUM6, SDL_SCANCODE_KP_6), KEYREC(K_VK_NUM7, SDL_SCANCODE_KP_7),
    KEYREC(K_VK_NUM8, SDL_SCANCODE_KP_8), KEYREC(K_VK_NUM9, SDL_SCANCODE_KP_9),
    KEYREC(K_VK_MULTIPLY, SDL_SCANCODE_KP_MULTIPLY), KEYREC(K_VK_ADD, SDL_SCANCODE_KP_PLUS),
    KEYREC(K_VK_SUBTRACT, SDL_SCANCODE_KP_MINUS), KEYREC(K_VK_DECIMAL, SDL_SCANCODE_KP_PERIOD),
    KEYREC(K_VK_DIVIDE, SDL_SCANCODE_KP_DIVIDE),
    // The keypad's clear key is num lock on PC keyboards.
    KEYREC(K_VK_CLEAR, SDL_SCANCODE_NUMLOCKCLEAR),
    KEYREC(K_VK_COMMAND, SDL_SCANCODE_LGUI), KEYREC(K_VK_OPT, SDL_SCANCODE_LALT),
    KEYREC(K_VK_R_OPT, SDL_SCANCODE_RALT), KEYREC(K_VK_CAPS, SDL_SCANCODE_CAPSLOCK),
    KEYREC(K_VK_F14, SDL_SCANCODE_F14),
    KEYREC(K_VK_SEMI, SDL_SCANCODE_SEMICOLON), KEYREC(K_VK_EQUAL, SDL_SCANCODE_EQUALS),
    KEYREC(K_VK_COMMA, SDL_SCANCODE_COMMA), KEYREC(K_VK_MINUS, SDL_SCANCODE_MINUS),
    KEYREC(K_VK_PERIOD, SDL_SCANCODE_PERIOD), KEYREC(K_VK_SLASH, SDL_SCANCODE_SLASH),
    KEYREC(K_VK_TILDE, SDL_SCANCODE_GRAVE), KEYREC(K_VK_LBRACKET, SDL_SCANCODE_LEFTBRACKET),
    KEYREC(K_VK_BACKSLASH, SDL_SCANCODE_BACKSLASH), KEYREC(K_VK_RBRACKET, SDL_SCANCODE_RIGHTBRACKET),
    KEYREC(K_VK_QUOTE, SDL_SCANCODE_APOSTROPHE),
    KEYREC(K_VK_END, SDL_SCANCODE_END), KEYREC(K_VK_HOME, SDL_SCANCODE_HOME),
    KEYREC(K_VK_DEL, SDL_SCANCODE_DELETE),
    // The help key sits where PC keyboards have insert.
    KEYREC(K_VK_HELP, SDL_SCANCODE_INSERT),
    KEYREC(K_VK_F13, SDL_SCANCODE_F13), KEYREC(K_VK_PGUP, SDL_SCANCODE_PAGEUP),
    KEYREC(K_VK_PGDN, SDL_SCANCODE_PAGEDOWN),
    KEYREC(K_VK_ERROR, 0xFF),
};

SDL_Window *KInput::_hwnd = nullptr;
int KInput::_rbuttonstate = 0;
short KInput::_lastWheelValue = 0;
int KInput::_cursorVis = 0;
int KInput::_cursorVisibility = 1;

namespace {
const int kHeldKeys = SDL_NUM_SCANCODES;
bool g_keyHeld[kHeldKeys];
bool g_leftHeld = false;
bool g_leftPressedThisFrame = false;
int g_pointerX = 0, g_pointerY = 0; // window coordinates

// Picture placement inside the window (window coordinates) and the picture size.
int g_viewX = 0, g_viewY = 0, g_viewW = 800, g_viewH = 600;
int g_pictureW = 800, g_pictureH = 600;

// 16 x 16 arrow: '.' transparent, 'B' opaque black, 'W' opaque white.
const char *const kArrow[16] = {
    "B...............", "BB..............", "BWB.............", "BWWB............",
    "BWWWB...........", "BWWWWB..........", "BWWWWWB.........", "BWWWWWWB........",
    "BWWWWWWWB.......", "BWWWWWBBBB......", "BWWBWWB.........", "BWB.BWWB........",
    "BB..BWWB........", "B....BWWB.......", ".....BWWB.......", "......BB........",
};

uint32_t *buildPointerPicture() {
  static uint32_t buffer[2 + 16 * 16];
  buffer[0] = 16;
  buffer[1] = 16;
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) {
      char c = kArrow[y][x];
      buffer[2 + y * 16 + x] = c == 'B' ? 0x000000FFu : c == 'W' ? 0xFFFFFFFFu : 0u;
    }
  return buffer;
}

} // namespace

uint32_t *KInput::_mousePointerBuffer = buildPointerPicture();

KInput::KInput() { _lastWheelValue = 0; }
KInput::~KInput() {}

void KInput::initInput(SDL_Window *window) {
  _hwnd = window;
  _cursorVis = 0;
  if (window && SDL_GetMouseFocus() == window) SDL_GetMouseState(&g_pointerX, &g_pointerY);
}

void KInput::setViewMapping(int x, int y, int w, int h, int pictureW, int pictureH) {
  g_viewX = x;
  g_viewY = y;
  g_viewW = w > 0 ? w : 1;
  g_viewH = h > 0 ? h : 1;
  g_pictureW = pictureW;
  g_pictureH = pictureH;
}

long KInput::toPictureX(int windowX) {
  return (long)std::floor((double)(windowX - g_viewX) * g_pictureW / g_viewW);
}
long KInput::toPictureY(int windowY) {
  return (long)std::floor((double)(windowY - g_viewY) * g_pictureH / g_viewH);
}

long KInput::getMouseX() { return toPictureX(g_pointerX); }
long KInput::getMouseY() { return toPictureY(g_pointerY); }

bool KInput::getLeftButtonState() {
  if (g_leftHeld || g_leftPressedThisFrame) return true;
  return SDL_WasInit(SDL_INIT_VIDEO) && (SDL_GetMouseState(nullptr, nullptr) & SDL_BUTTON_LMASK);
}

bool KInput::getRightButtonState() { return _rbuttonstate != 0; }

void KInput::setLastWheelValue(short v) { _lastWheelValue = v; }

short KInput::getWheelValue() {
  short v = _lastWheelValue;
  _lastWheelValue = 0;
  return v;
}

EKeyboardLayout KInput::getPTKKey(unsigned short platformCode) {
  for (const KKeyRecord &r : keyTable) {
    if (r.ptkKey == K_VK_ERROR) break;
    if (r.platformKey == platformCode) return (EKeyboardLayout)r.ptkKey;
  }
  return K_VK_ERROR;
}

bool KInput::isPressed(EKeyboardLayout key) {
  if ((int)key < 0 || key >= K_VK_ERROR) return false;
  int code = keyTable[key].platformKey;
  if (g_keyHeld[code]) return true;
  int n = 0;
  const Uint8 *state = SDL_GetKeyboardState(&n);
  return state && code < n && state[code];
}

void KInput::waitForKeyRelease(EKeyboardLayout key) {
  while (isPressed(key)) {
    SDL_PumpEvents();
    // Releases already queued count now; they stay queued for the game to see.
    SDL_Event ev[32];
    int n = SDL_PeepEvents(ev, 32, SDL_PEEKEVENT, SDL_KEYUP, SDL_KEYUP);
    for (int i = 0; i < n; ++i) noteKey((unsigned short)ev[i].key.keysym.scancode, false);
    if (isPressed(key)) SDL_Delay(1);
  }
}

void KInput::noteKey(unsigned short platformCode, bool down) {
  if (platformCode < kHeldKeys) g_keyHeld[platformCode] = down;
}

void KInput::noteButton(unsigned int button, bool down) {
  if (button != 1) return;
  g_leftHeld = down;
  if (down) g_leftPressedThisFrame = true;
}

void KInput::frameDone() { g_leftPressedThisFrame = false; }

void KInput::notePointer(int windowX, int windowY) {
  g_pointerX = windowX;
  g_pointerY = windowY;
}

void KInput::resetHeldState() {
  for (bool &k : g_keyHeld) k = false;
  g_leftHeld = false;
  g_leftPressedThisFrame = false;
  _rbuttonstate = 0;
  _lastWheelValue = 0;
}

void KInput::showPointer() {
  _cursorVisibility = 1;
  while (_cursorVis < 0) {
    if (SDL_WasInit(SDL_INIT_VIDEO)) SDL_ShowCursor(SDL_ENABLE);
    _cursorVis++;
  }
}

void KInput::hidePointer() {
  _cursorVisibility = 0;
  while (_cursorVis >= 0) {
    if (SDL_WasInit(SDL_INIT_VIDEO)) SDL_ShowCursor(SDL_DISABLE);
    _cursorVis--;
  }
}

void KInput::mousePointerTo(long x, long y) {
  int wx = g_viewX + (int)std::lround((double)x * g_viewW / g_pictureW);
  int wy = g_viewY + (int)std::lround((double)y * g_viewH / g_pictureH);
  if (_hwnd) SDL_WarpMouseInWindow(_hwnd, wx, wy);
  // The platform reports the move later; the game sees the new place at once.
  notePointer(wx, wy);
}

void KInput::generateMouse() {
  uint32_t w = _mousePointerBuffer[0], h = _mousePointerBuffer[1];
  uint32_t *pixels = _mousePointerBuffer + 2;
  for (uint32_t x = 0; x < w; ++x)
    for (uint32_t y = 0; y < h; ++y)
      pixels[y * w + x] = (uint32_t)KMiscTools::flipUnsignedLong(pixels[y * w + x]);
}

void KInput::displayMouse() {}
void KInput::freeMouse() {}
void KInput::clipPointer(bool) {}
