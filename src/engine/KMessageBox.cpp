#include "engine/KMessageBox.h"

#include <SDL.h>

namespace {
KMessageBox::Handler g_handler = nullptr;
} // namespace

void KMessageBox::show(const std::string &headline, const std::string &text, bool error) {
  if (g_handler) {
    g_handler(text.c_str(), headline.c_str());
    return;
  }
  SDL_ShowSimpleMessageBox(error ? SDL_MESSAGEBOX_ERROR : SDL_MESSAGEBOX_INFORMATION, headline.c_str(), text.c_str(), nullptr);
}

void KMessageBox::setHandler(Handler handler) { g_handler = handler; }
