#pragma once
#include <cstdint>
#include <vector>

// The current context's frame of width x height as RGB bytes, top row
// first, rows unpadded (what pictures are written from).
std::vector<uint8_t> ReadFrameTopDown(int width, int height);
