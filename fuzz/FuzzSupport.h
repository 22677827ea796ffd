#pragma once
// What the fuzz targets share. Each target defines LLVMFuzzerTestOneInput over one reader of the
// game's files; the game's fatal data errors end that input (as an exception) instead of the run.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size);

namespace fuzz {

// Runs the reader; a fatal data error it meets ends it early.
void guarded(const std::function<void()> &reader);

// The bytes as a file of the target's own (one per process, rewritten each time) ending in
// `suffix`, for readers that take a path; its path.
std::string asFile(const uint8_t *data, size_t size, const std::string &suffix);

} // namespace fuzz
