#include "JpegCodec.h"

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <utility>
// jpeglib.h needs size_t and FILE declared first.
#include <jpeglib.h>

#include "ImageBytes.h"
#include "common/SafeFiles.h"

namespace {
struct ErrorManager {
  jpeg_error_mgr base;
  std::jmp_buf jump;
};

[[noreturn]] void OnError(j_common_ptr info) { std::longjmp(reinterpret_cast<ErrorManager*>(info->err)->jump, 1); }

// Warnings (corrupt data, premature end) are failures when reading.
void OnMessage(j_common_ptr info, int level) {
  if (level < 0) std::longjmp(reinterpret_cast<ErrorManager*>(info->err)->jump, 1);
}

void Silent(j_common_ptr) {}

// A progressive file may carry any number of scans, each a pass over the
// whole picture; real files have a handful.
constexpr int kMaxJpegScans = 1000;

void OnProgress(j_common_ptr info) {
  if (!info->is_decompressor) return;
  const auto* d = reinterpret_cast<j_decompress_ptr>(info);
  if (d->input_scan_number > kMaxJpegScans) std::longjmp(reinterpret_cast<ErrorManager*>(info->err)->jump, 1);
}
}  // namespace

bool DecodeJpeg(const uint8_t* data, size_t size, TextureBitmap& out) {
  // Everything with a destructor exists before setjmp.
  out = TextureBitmap{};
  TextureBitmap image;
  std::vector<uint8_t> row;
  if (!data || size == 0 || size > kMaxImageFileBytes) return false;
  jpeg_decompress_struct info;
  ErrorManager errors;
  jpeg_progress_mgr progress{};
  progress.progress_monitor = OnProgress;
  info.err = jpeg_std_error(&errors.base);
  errors.base.error_exit = OnError;
  errors.base.emit_message = OnMessage;
  errors.base.output_message = Silent;
  if (setjmp(errors.jump)) {
    jpeg_destroy_decompress(&info);
    return false;
  }
  jpeg_create_decompress(&info);
  info.progress = &progress;
  jpeg_mem_src(&info, const_cast<unsigned char*>(data), static_cast<unsigned long>(size));
  jpeg_read_header(&info, TRUE);
  // The header's size is checked before anything of that size is allocated.
  if (!TextureSizeAllowed(info.image_width, info.image_height)) {
    jpeg_destroy_decompress(&info);
    return false;
  }
  info.out_color_space = JCS_RGB;
  jpeg_start_decompress(&info);
  if (!TextureSizeAllowed(info.output_width, info.output_height) || info.output_components != 3) {
    jpeg_destroy_decompress(&info);
    return false;
  }
  const size_t width = info.output_width;
  image.resize(static_cast<int>(info.output_width), static_cast<int>(info.output_height));
  row.resize(width * 3);
  while (info.output_scanline < info.output_height) {
    const int y = static_cast<int>(info.output_scanline);
    JSAMPROW rows[1] = {row.data()};
    if (jpeg_read_scanlines(&info, rows, 1) != 1) {
      jpeg_destroy_decompress(&info);
      return false;
    }
    uint8_t* to = image.at(0, y);
    for (size_t x = 0; x < width; ++x) {
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

bool ReadJpegFile(const std::string& path, TextureBitmap& out) {
  out = TextureBitmap{};
  std::vector<uint8_t> bytes;
  if (!ReadImageBytes(path, bytes)) return false;
  return DecodeJpeg(bytes.data(), bytes.size(), out);
}

Outcome WriteJpegFile(const std::string& path, const std::vector<uint8_t>& rgb, int width, int height, int quality) {
  const auto fail = [](const std::string& reason) { return Outcome::Error(Outcome::Failed, reason); };
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
  return written ? Outcome() : fail(file.Error());
}
