#pragma once
#include <string>
#include <vector>

// A corpus of hostile inputs for the batch tool: documents whose numbers,
// counts, sizes and names try to crash, hang or escape, and texture files
// whose headers declare absurd sizes.

struct HostileDocument {
  std::string name;   // file name inside the documents folder
  std::string bytes;  // the whole file
};

// Element3D images built field by field; names and texts are Latin-1 bytes.
std::vector<HostileDocument> HostileDocuments();

// Writes the hostile textures (and one sound one, "ok.bmp") into `folder`.
void WriteHostileTextures(const std::string& folder);

// A valid 24-bit Windows bitmap of w x h pixels of one grey, for planting.
std::string SmallBmp(int width, int height, unsigned char grey);
