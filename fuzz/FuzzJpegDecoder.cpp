// Any bytes given to the JPEG texture decoder: no crash, no runaway
// allocation, and a bitmap that matches its declared size.
#include <cstdint>

#include "FuzzImageDecoders.h"
#include "image/JpegCodec.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  TextureBitmap bitmap;
  CheckDecoded(DecodeJpeg(data, size, bitmap), bitmap);
  return 0;
}
