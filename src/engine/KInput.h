#pragma once
#include <cstdint>

struct SDL_Window;

// Engine key codes; game code uses these numbers, the platform column lives in the key table.
enum EKeyboardLayout {
  K_VK_LEFT = 0, K_VK_UP, K_VK_DOWN, K_VK_RIGHT, K_VK_SPACE,
  K_VK_L_SHIFT, K_VK_R_SHIFT, K_VK_RETURN, K_VK_R_CONTROL, K_VK_L_CONTROL,
  K_VK_F1, K_VK_F2, K_VK_F3, K_VK_F4, K_VK_F5, K_VK_F6,
  K_VK_F7, K_VK_F8, K_VK_F9, K_VK_F10, K_VK_F11, K_VK_F12,
  K_VK_BACK, K_VK_TAB, K_VK_ESCAPE,
  K_VK_A, K_VK_B, K_VK_C, K_VK_D, K_VK_E, K_VK_F, K_VK_G, K_VK_H, K_VK_I, K_VK_J, K_VK_K, K_VK_L, K_VK_M,
  K_VK_N, K_VK_O, K_VK_P, K_VK_Q, K_VK_R, K_VK_S, K_VK_T, K_VK_U, K_VK_V, K_VK_W, K_VK_X, K_VK_Y, K_VK_Z,
  K_VK_0, K_VK_1, K_VK_2, K_VK_3, K_VK_4, K_VK_5, K_VK_6, K_VK_7, K_VK_8, K_VK_9,
  K_VK_NUM0, K_VK_NUM1, K_VK_NUM2, K_VK_NUM3, K_VK_NUM4,
  K_VK_NUM5, K_VK_NUM6, K_VK_NUM7, K_VK_NUM8, K_VK_NUM9,
  K_VK_MULTIPLY, K_VK_ADD, K_VK_SUBTRACT, K_VK_DECIMAL, K_VK_DIVIDE, K_VK_CLEAR,
  K_VK_COMMAND, K_VK_OPT, K_VK_R_OPT, K_VK_CAPS, K_VK_F14,
  K_VK_SEMI, K_VK_EQUAL, K_VK_COMMA, K_VK_MINUS, K_VK_PERIOD, K_VK_SLASH, K_VK_TILDE,
  K_VK_LBRACKET, K_VK_BACKSLASH, K_VK_RBRACKET, K_VK_QUOTE,
  K_VK_END, K_VK_HOME, K_VK_DEL, K_VK_HELP, K_VK_F13, K_VK_PGUP, K_VK_PGDN,
  K_VK_ERROR // 100: no key, also the table's end mark
};

struct KKeyRecord {
  uint32_t ptkKey;
  uint16_t platformKey; // SDL scancode
  uint16_t unused;
};

// Static input layer: pointer, buttons, wheel, held keys, system pointer visibility.
// Pointer coordinates are in the 800 x 600 picture, whatever size the window has.
class KInput {
public:
  KInput();
  ~KInput();

  static void initInput(SDL_Window *window);
  static long getMouseX();
  static long getMouseY();
  static bool getLeftButtonState();
  static bool getRightButtonState();
  static void setLastWheelValue(short v);
  static short getWheelValue();
  static EKeyboardLayout getPTKKey(unsigned short platformCode);
  static bool isPressed(EKeyboardLayout key);
  static void waitForKeyRelease(EKeyboardLayout key);
  static void showPointer();
  static void hidePointer();
  static void mousePointerTo(long x, long y);

  static void generateMouse();
  static void displayMouse();
  static void freeMouse();
  static void clipPointer(bool clip);

  // Fed by the window. Events taken from the queue update the held keys, the left button and
  // the pointer as well as the platform's own state does, so events pushed by tools count too.
  static void setViewMapping(int x, int y, int w, int h, int pictureW, int pictureH);
  static void noteKey(unsigned short platformCode, bool down);
  // A press reads as held until the next frameDone(), so a press and release taken from the
  // queue within one frame still count as a click for whoever polls the button that frame.
  static void noteButton(unsigned int button, bool down);
  static void frameDone();
  static void notePointer(int windowX, int windowY);
  static long toPictureX(int windowX);
  static long toPictureY(int windowY);
  // Forgets every held key and button (tests start from a clean slate).
  static void resetHeldState();

  static const KKeyRecord keyTable[101];

  static SDL_Window *_hwnd;
  static int _rbuttonstate;
  static short _lastWheelValue;
  static int _cursorVis;
  static int _cursorVisibility;
  static uint32_t *_mousePointerBuffer;
};
