#include "engine/KGLPresenter.h"

#include <SDL.h>
#include <SDL_opengl.h>
#include <SDL_syswm.h>

#include <cstdlib>
#include <cstring>

namespace {
bool softwareRenderer() {
  const char *r = (const char *)glGetString(GL_RENDERER);
  return r && (std::strstr(r, "llvmpipe") || std::strstr(r, "softpipe") || std::strstr(r, "Software Rasterizer"));
}
} // namespace

KGLPresenter::KGLPresenter(SDL_Window *window) {
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (!window || !SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11) return;
  // Only a GLX context may be handed to a GLX call; SDL may have made an EGL one.
  using CurrentContext = void *(*)();
  using Extensions = const char *(*)(void *, int);
  auto current = (CurrentContext)SDL_GL_GetProcAddress("glXGetCurrentContext");
  auto extensions = (Extensions)SDL_GL_GetProcAddress("glXQueryExtensionsString");
  if (!current || !current() || !extensions || !softwareRenderer()) return;
  const char *list = extensions(info.info.x11.display, DefaultScreen(info.info.x11.display));
  if (!list || !std::strstr(list, "GLX_MESA_copy_sub_buffer")) return;
  copy = (CopySubBuffer)SDL_GL_GetProcAddress("glXCopySubBufferMESA");
  display = info.info.x11.display;
  drawable = info.info.x11.window;
  // TOB_WHOLE_FRAMES=1 swaps whole frames, to measure against.
  if (const char *whole = std::getenv("TOB_WHOLE_FRAMES")) allowed = *whole == '0';
}

void KGLPresenter::show(const KPixelBox &box) {
  glFlush();
  if (!box.empty()) copy(display, drawable, box.x0, box.y0, box.x1 - box.x0, box.y1 - box.y0);
}
