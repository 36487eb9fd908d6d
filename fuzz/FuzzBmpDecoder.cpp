// Any bytes given to the Windows bitmap texture decoder: no crash, no
// runaway allocation, and a bitmap that matches its declared size.
#include <cstdint>

#include "FuzzImageDecoders.h"
#include "image/BmpDecoder.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  TextureBitmap bitmap;
  CheckDecoded(DecodeBmp(data, size, bitmap), bitmap);
  return 0;
}
