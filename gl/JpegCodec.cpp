#include "JpegCodec.h"

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
// jpeglib.h needs size_t and FILE declared first.
#include <jpeglib.h>

#include "common/SafeFiles.h"

namespace {
struct ErrorManager {
  jpeg_error_mgr base;
  std::jmp_buf jump;
};

[[noreturn]] void OnError(j_common_ptr info) {
  std::longjmp(reinterpret_cast<ErrorManager*>(info->err)->jump, 1);
}

// Warnings (corrupt data, premature end) are failures when reading.
void OnMessage(j_common_ptr info, int level) {
  if (level < 0) std::longjmp(reinterpret_cast<ErrorManager*>(info->err)->jump, 1);
}

void Silent(j_common_ptr) {}

struct File {
  std::FILE* f;
  ~File() {
    if (f) std::fclose(f);
  }
};
}  // namespace

bool ReadJpegFile(const std::string& path, TextureBitmap& out) {
  // Everything with a destructor exists before setjmp.
  out = TextureBitmap{};
  TextureBitmap image;
  std::vector<uint8_t> row;
  File file{std::fopen(path.c_str(), "rb")};
  if (!file.f) return false;
  jpeg_decompress_struct info;
  ErrorManager errors;
  info.err = jpeg_std_error(&errors.base);
  errors.base.error_exit = OnError;
  errors.base.emit_message = OnMessage;
  errors.base.output_message = Silent;
  if (setjmp(errors.jump)) {
    jpeg_destroy_decompress(&info);
    return false;
  }
  jpeg_create_decompress(&info);
  jpeg_stdio_src(&info, file.f);
  jpeg_read_header(&info, TRUE);
  info.out_color_space = JCS_RGB;
  jpeg_start_decompress(&info);
  image.resize(static_cast<int>(info.output_width), static_cast<int>(info.output_height));
  row.resize(static_cast<size_t>(info.output_width) * 3);
  while (info.output_scanline < info.output_height) {
    const int y = static_cast<int>(info.output_scanline);
    JSAMPROW rows[1] = {row.data()};
    jpeg_read_scanlines(&info, rows, 1);
    uint8_t* to = image.at(0, y);
    for (unsigned x = 0; x < info.output_width; ++x) {
      to[x * 3 + 0] = row[x * 3 + 2];
      to[x * 3 + 1] = row[x * 3 + 1];
      to[x * 3 + 2] = row[x * 3 + 0];
    }
  }
  jpeg_finish_decompress(&info);
  jpeg_destroy_decompress(&info);
  out = std::move(image);
  return true;
}

bool WriteJpegFile(const std::string& path, const std::vector<uint8_t>& rgb, int width, int height,
                   int quality, std::string* why) {
  auto fail = [why](const std::string& reason) {
    if (why) *why = reason;
    return false;
  };
  if (width <= 0 || height <= 0 || rgb.size() < static_cast<size_t>(width) * height * 3)
    return fail("no picture to write");
  // The picture is made in memory first, then written like a document: a
  // temporary file flushed to disk and renamed, so a failure keeps the old one.
  ReplacementFile file(path);
  if (!file.ok()) return fail(file.Error());
  unsigned char* encoded = nullptr;
  unsigned long encodedSize = 0;
  jpeg_compress_struct info;
  ErrorManager errors;
  info.err = jpeg_std_error(&errors.base);
  errors.base.error_exit = OnError;
  errors.base.output_message = Silent;
  if (setjmp(errors.jump)) {
    jpeg_destroy_compress(&info);
    std::free(encoded);
    return fail("cannot encode the picture");
  }
  jpeg_create_compress(&info);
  jpeg_mem_dest(&info, &encoded, &encodedSize);
  info.image_width = static_cast<JDIMENSION>(width);
  info.image_height = static_cast<JDIMENSION>(height);
  info.input_components = 3;
  info.in_color_space = JCS_RGB;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, quality, TRUE);
  jpeg_start_compress(&info, TRUE);
  while (info.next_scanline < info.image_height) {
    JSAMPROW rows[1] = {const_cast<uint8_t*>(rgb.data()) + static_cast<size_t>(info.next_scanline) * width * 3};
    jpeg_write_scanlines(&info, rows, 1);
  }
  jpeg_finish_compress(&info);
  jpeg_destroy_compress(&info);
  const bool written = file.Write(encoded, encodedSize) && file.Commit();
  std::free(encoded);
  return written || fail(file.Error());
}
