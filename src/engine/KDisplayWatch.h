#pragma once
#include <string>

// A display that accepts the connection and then stays silent keeps the client library waiting
// for good. While a watch lives, once the thread that started the first one has waited kSeconds
// without a sign of an answer, the game says why and ends; a display that answers slowly (a
// session forwarded over a slow network) is waited for. Watches nest: the game keeps one over its
// whole start-up, the screen one over each step that reaches the display, which names it.
class KDisplayWatch {
public:
  static constexpr int kSeconds = 5;

  // `what` goes before ": it stayed silent for 5 s".
  explicit KDisplayWatch(const std::string &what);
  ~KDisplayWatch();
  KDisplayWatch(const KDisplayWatch &) = delete;
  KDisplayWatch &operator=(const KDisplayWatch &) = delete;

  // While one lives the watched thread waits for the player (a message box), not for the display.
  class Hold {
  public:
    Hold();
    ~Hold();
    Hold(const Hold &) = delete;
    Hold &operator=(const Hold &) = delete;
  };

  // The display the game shows on, as a message names it: "display :0", "Wayland display wayland-0".
  static std::string displayName();

private:
  std::string outer;
};
