#pragma once
#include <unordered_map>

#include "engine/KDrawQuad.h"

// The GL state the draw list last set (texture target, binding, each texture's filter and wrap,
// blending, alpha test), so each is set only when a quad needs it changed.
class KGLStateCache {
public:
  // Sets what the quad is drawn with.
  void apply(const KDrawQuad &q);
  // Texturing on for `target`, off for 0.
  void textureTarget(unsigned target);
  void bind(unsigned target, unsigned texture);
  // Sets the filter and wrap of a bound texture unless it already has them.
  void setTextureParams(unsigned texture, unsigned target, bool linear, bool repeat);
  // The texture was made anew: its filter and wrap are set again.
  void paramsUnknown(unsigned texture) { params.erase(texture); }
  void textureGone(unsigned texture);
  void boundUnknown() { bound = kUnknown; }
  // GL state changed behind the list's back (a texture bound, blending switched).
  void unknown();
  // A new context: nothing of the old one holds.
  void forget();

private:
  struct TextureParams {
    int linear = -1;
    int repeat = -1;
  };
  static const unsigned kUnknown = 0xFFFFFFFFu;

  bool hasRectangle();

  int rectangleKnown = -1;
  unsigned enabledTarget = kUnknown; // 0: texturing off
  unsigned bound = kUnknown;
  int blendOn = -1;
  int alphaTestOn = -1;
  unsigned source = kUnknown, destination = kUnknown;
  std::unordered_map<unsigned, TextureParams> params;
};
