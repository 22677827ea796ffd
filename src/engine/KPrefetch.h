#pragma once
#include <string>
#include <vector>

#include "engine/KGraphic.h"

class KTextureReady;

// Picture files read, decoded and laid out as textures on worker threads ahead of their
// loading, so a level's pictures are made side by side while the main thread only uploads them.
class KPrefetch {
public:
  struct Job {
    std::string path;
    bool useAlpha = true;
    // As the picture will be given them (KGraphic::setRegions).
    std::vector<KRegion> regions;
  };
  // Queues the files (each once) for the workers.
  static void request(const std::vector<Job> &jobs);
  // The texture made ready from a requested file (the caller owns it), waited for if a worker
  // has it in hand; null when it was not requested, not started yet, or failed.
  static KTextureReady *take(const std::string &path);
  // Waits for any of these files to be done and gives its path (to take); empty when none of
  // them is queued or in hand.
  static std::string next(const std::vector<std::string> &among);
  // Waits for the workers to finish what they hold and drops the rest.
  static void stop();
};
