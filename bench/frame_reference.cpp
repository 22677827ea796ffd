// The yardstick the game's frames are measured against: the least GL work for one picture on
// the same X server, without the game. Each frame draws one opaque 800 x 600 picture, linearly
// filtered, over a window of W x H (the whole screen in full screen) and shows it, paced at 100
// frames a second the simple way: frame n is due at start + n x 10 ms.
//
//   frame_reference window SECONDS       an 800 x 600 window
//   frame_reference full SECONDS         a borderless window over the whole screen
//
// Prints frames, frames/s, process and main-thread CPU per frame. FRAME_REFERENCE_FPS changes
// the pace (0 draws flat out). With FRAME_REFERENCE_AFTER=file it draws unmeasured until that
// file exists (at most 300 s), then measures: to run over the same seconds as another program
// started after it (which then has the X server's focus).
#include <SDL.h>
#include <SDL_opengl.h>
#include <sys/resource.h>
#include <time.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {
double cpuMs(int who) {
  rusage r;
  getrusage(who, &r);
  return r.ru_utime.tv_sec * 1e3 + r.ru_utime.tv_usec / 1e3 + r.ru_stime.tv_sec * 1e3 + r.ru_stime.tv_usec / 1e3;
}
double nowMs() {
  timespec t;
  clock_gettime(CLOCK_MONOTONIC, &t);
  return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

GLuint makePicture(int w, int h) {
  std::vector<unsigned char> p((size_t)w * h * 4);
  for (int i = 0; i < w * h; ++i) {
    p[i * 4] = (unsigned char)(i * 7);
    p[i * 4 + 1] = (unsigned char)(i >> 3);
    p[i * 4 + 2] = 90;
    p[i * 4 + 3] = 255;
  }
  GLuint t;
  glGenTextures(1, &t);
  glBindTexture(GL_TEXTURE_2D, t);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, w, h, 0, GL_RGBA, GL_UNSIGNED_BYTE, p.data());
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  return t;
}
} // namespace

int main(int argc, char **argv) {
  if (argc < 3 || (std::strcmp(argv[1], "window") != 0 && std::strcmp(argv[1], "full") != 0)) {
    std::fprintf(stderr, "usage: frame_reference window|full SECONDS\n");
    return 2;
  }
  const bool full = std::strcmp(argv[1], "full") == 0;
  const double seconds = std::atof(argv[2]);
  const char *pace = std::getenv("FRAME_REFERENCE_FPS");
  const double fps = pace ? std::atof(pace) : 100;
  if (SDL_Init(SDL_INIT_VIDEO) != 0) return 1;
  int W = 800, H = 600;
  SDL_DisplayMode mode;
  if (full && SDL_GetDesktopDisplayMode(0, &mode) == 0) {
    W = mode.w;
    H = mode.h;
  }
  SDL_Window *win = SDL_CreateWindow("frame_reference", 0, 0, W, H, SDL_WINDOW_OPENGL | SDL_WINDOW_BORDERLESS);
  SDL_GLContext ctx = win ? SDL_GL_CreateContext(win) : nullptr;
  if (!ctx) return 1;
  SDL_GL_SetSwapInterval(0);
  glViewport(0, 0, W, H);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(0, 800, 600, 0, -1, 1);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  const GLuint picture = makePicture(800, 600);
  for (int i = 0; i < 20; ++i) {
    glClear(GL_COLOR_BUFFER_BIT);
    SDL_GL_SwapWindow(win);
  }
  const char *after = std::getenv("FRAME_REFERENCE_AFTER");
  double t0 = nowMs(), c0 = cpuMs(RUSAGE_SELF), m0 = cpuMs(RUSAGE_THREAD);
  long frames = 0;
  SDL_Event ev;
  for (bool measuring = !after;;) {
    if (!measuring) {
      FILE *f = std::fopen(after, "r");
      if (f || nowMs() - t0 > 300000) {
        if (f) std::fclose(f);
        measuring = true;
        t0 = nowMs();
        c0 = cpuMs(RUSAGE_SELF);
        m0 = cpuMs(RUSAGE_THREAD);
        frames = 0;
      }
    }
    if (measuring && nowMs() - t0 >= seconds * 1000) break;
    while (SDL_PollEvent(&ev)) {
    }
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, picture);
    glBegin(GL_POLYGON);
    glTexCoord2f(0, 0);
    glVertex2f(0, 0);
    glTexCoord2f(0, 1);
    glVertex2f(0, 600);
    glTexCoord2f(1, 1);
    glVertex2f(800, 600);
    glTexCoord2f(1, 0);
    glVertex2f(800, 0);
    glEnd();
    SDL_GL_SwapWindow(win);
    ++frames;
    if (fps > 0) {
      const double due = t0 + frames * 1000.0 / fps, n = nowMs();
      if (due > n) {
        timespec ts = {0, (long)((due - n) * 1e6)};
        nanosleep(&ts, nullptr);
      }
    }
  }
  const double wall = nowMs() - t0, c = cpuMs(RUSAGE_SELF) - c0, m = cpuMs(RUSAGE_THREAD) - m0;
  std::printf("frame_reference %s %dx%d: frames %ld in %.1f s, %.1f frames/s, process %.2f ms/frame, main thread %.2f "
              "ms/frame\n",
              argv[1], W, H, frames, wall / 1000, frames * 1000.0 / wall, c / frames, m / frames);
  SDL_GL_DeleteContext(ctx);
  SDL_DestroyWindow(win);
  SDL_Quit();
  return 0;
}
