#pragma once

// Reads the picture back from OpenGL and saves it as a picture file (the screenshot).
class KFrameCapture {
public:
  // Copies a rectangle of the current context's back (or front) buffer in picture coordinates,
  // y downwards, as RGBA rows from the top. view is where the picture sits in the drawable, GL
  // style; the caller checks the rectangle lies inside the pictureW x pictureH picture.
  static bool readPixels(const int view[4], int pictureW, int pictureH, int x, int y, int w, int h,
                         unsigned char *rgba, bool front);
  // Saves the top-left width x height corner of a whole RGBA picture (its bytes are reordered
  // in place) as format 0 BMP, 1 JPEG, 2 TGA or 3 PNG, and says how it went in a message box.
  static bool saveFrame(const char *path, unsigned char *rgba, int pictureW, int pictureH, long format, long width,
                        long height);

private:
  static bool savePicFile(const char *path, unsigned char *bgra, long width, long height, long format);
};
