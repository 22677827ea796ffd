#include "engine/KFrameCapture.h"

#include "engine/KMiscTools.h"
#include "engine/KTgaWriter.h"

#include <SDL.h>
#include <SDL_image.h>
#include <SDL_opengl.h>

#include <cstdio>
#include <cstring>
#include <new>

bool KFrameCapture::readPixels(const int view[4], int pictureW, int pictureH, int x, int y, int w, int h,
                               unsigned char *rgba, bool front) {
  const int W = pictureW, H = pictureH;
  glReadBuffer(front ? GL_FRONT : GL_BACK);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  const int vx = view[0], vy = view[1], vw = view[2], vh = view[3];
  bool ok = true;
  if (vw == W && vh == H) {
    // GL rows run upwards; picture row y is GL row H - 1 - y.
    glReadPixels(vx + x, vy + (H - y - h), w, h, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
    size_t row = (size_t)w * 4;
    unsigned char *tmp = new (std::nothrow) unsigned char[row];
    if (tmp) {
      for (int i = 0; i < h / 2; ++i) {
        unsigned char *a = rgba + i * row, *b = rgba + (size_t)(h - 1 - i) * row;
        std::memcpy(tmp, a, row);
        std::memcpy(a, b, row);
        std::memcpy(b, tmp, row);
      }
      delete[] tmp;
    } else {
      ok = false;
    }
  } else {
    // Scaled picture: sample the nearest screen pixel of each picture pixel.
    unsigned char *all = new (std::nothrow) unsigned char[(size_t)vw * vh * 4];
    if (all) {
      glReadPixels(vx, vy, vw, vh, GL_RGBA, GL_UNSIGNED_BYTE, all);
      for (int py = 0; py < h; ++py) {
        int sy = vh - 1 - (int)(((long long)(y + py) * 2 + 1) * vh / (2LL * H));
        for (int px = 0; px < w; ++px) {
          int sx = (int)(((long long)(x + px) * 2 + 1) * vw / (2LL * W));
          std::memcpy(rgba + ((size_t)py * w + px) * 4, all + ((size_t)sy * vw + sx) * 4, 4);
        }
      }
      delete[] all;
    } else {
      ok = false;
    }
  }
  glReadBuffer(GL_BACK);
  return ok;
}

bool KFrameCapture::saveFrame(const char *path, unsigned char *pixels, int pictureW, int pictureH, long format,
                              long width, long height) {
  const int W = pictureW, H = pictureH;
  // R, G, B, A -> B, G, R, A; what the screen shows is opaque.
  for (size_t i = 0; i < (size_t)W * H; ++i) {
    unsigned char *p = pixels + i * 4;
    unsigned char r = p[0];
    p[0] = p[2];
    p[2] = r;
    p[3] = 255;
  }
  // A part of the picture is its top-left corner; nothing is read beyond the window.
  if (width <= 0 || width > W) width = W;
  if (height <= 0 || height > H) height = H;
  if (width < W) {
    for (long y = 1; y < height; ++y)
      std::memmove(pixels + (size_t)y * width * 4, pixels + (size_t)y * W * 4, (size_t)width * 4);
  }
  return savePicFile(path, pixels, width, height, format);
}

bool KFrameCapture::savePicFile(const char *path, unsigned char *bgra, long width, long height, long format) {
  if (width <= 0 || height <= 0 || !bgra || !path) return false;
  int err = 0;
  if (format == 2) {
    err = KTgaWriter::write(path, bgra, (int)width, (int)height);
  } else if (format == 0 || format == 1 || format == 3) {
    SDL_Surface *s = SDL_CreateRGBSurfaceWithFormatFrom(bgra, (int)width, (int)height, 32, (int)width * 4,
                                                        SDL_PIXELFORMAT_BGRA32);
    if (!s) {
      err = -1;
    } else {
      int r = format == 0 ? SDL_SaveBMP(s, path) : format == 1 ? IMG_SaveJPG(s, path, 90) : IMG_SavePNG(s, path);
      if (r != 0) err = -1;
      SDL_FreeSurface(s);
    }
  } else {
    return false;
  }
  if (err != 0) {
    char headline[64];
    std::snprintf(headline, sizeof(headline), "GraphicsExportDoExport error %d", err);
    KMiscTools::messageBox("can't do export", headline);
    return false;
  }
  KMiscTools::messageBox("export ok", "");
  return true;
}
