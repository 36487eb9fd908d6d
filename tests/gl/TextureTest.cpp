// Texture files are untrusted: they decode to the picture they hold or to an
// empty one, never to a huge allocation or a crash.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <QImage>
#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>

#include "GLFixture.h"
#include "gl/Textures.h"
#include "image/BmpDecoder.h"
#include "image/JpegCodec.h"

namespace {
using Bytes = std::vector<uint8_t>;

Bytes FileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteBytes(const std::string& path, const Bytes& bytes, size_t size = SIZE_MAX) {
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), std::min(size, bytes.size()));
}

Bytes Gradient(int w, int h) {
  Bytes rgb;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) rgb.insert(rgb.end(), {uint8_t(x * 255 / (w - 1)), uint8_t(y * 255 / (h - 1)), 40});
  return rgb;
}

// A small real JPEG whose baseline frame header then claims width x height.
Bytes JpegClaiming(const std::string& folder, int width, int height) {
  EXPECT_TRUE(WriteJpegFile(folder + "/small.jpeg", Bytes(16 * 16 * 3, 90), 16, 16).ok());
  Bytes b = FileBytes(folder + "/small.jpeg");
  for (size_t i = 0; i + 9 < b.size(); ++i)
    if (b[i] == 0xFF && b[i + 1] == 0xC0) {  // length, precision, height, width
      b[i + 5] = uint8_t(height >> 8), b[i + 6] = uint8_t(height);
      b[i + 7] = uint8_t(width >> 8), b[i + 8] = uint8_t(width);
      return b;
    }
  ADD_FAILURE() << "no frame header";
  return b;
}

// A 24-bit bitmap with a 40-byte info header declaring width x height over
// `rows` (the pixel rows as stored, each padded to 4 bytes).
Bytes Bmp(int32_t width, int32_t height, const Bytes& rows) {
  Bytes b = {'B', 'M'};
  const uint32_t size = uint32_t(rows.size()), planesAndBits = 24 << 16 | 1, w = uint32_t(width), h = uint32_t(height);
  for (uint32_t v : {54 + size, 0u, 54u, 40u, w, h, planesAndBits, 0u, size, 0u, 0u, 0u, 0u})
    for (int i = 0; i < 4; ++i) b.push_back(uint8_t(v >> (8 * i)));
  b.insert(b.end(), rows.begin(), rows.end());
  return b;
}

class TextureTest : public GLFixture {
 protected:
  void SetUp() override {
    GLFixture::SetUp();
    ClearTextureCache();
    folder = MakeTempFolder("textures");
  }
  void TearDown() override {
    ClearTextureCache();
    std::filesystem::remove_all(folder);
    GLFixture::TearDown();
  }
  std::string folder;
};

TEST_F(TextureTest, HeadersClaimingHugePicturesAreUndecodable) {
  const Bytes honest = JpegClaiming(folder, 16, 16);
  TextureBitmap b;
  ASSERT_TRUE(DecodeJpeg(honest.data(), honest.size(), b)) << "the same bytes decode while they tell the truth";
  for (const auto& [w, h] : {std::pair{30000, 30000}, std::pair{8193, 8192}, std::pair{65500, 1100}}) {
    const Bytes bytes = JpegClaiming(folder, w, h);
    EXPECT_FALSE(DecodeJpeg(bytes.data(), bytes.size(), b)) << w << "x" << h;
    EXPECT_TRUE(b.empty());
  }
  EXPECT_FALSE(DecodeJpeg(nullptr, 0, b));
  EXPECT_TRUE(TextureSizeAllowed(8192, 8192) && TextureSizeAllowed(kMaxTexturePixels, 1));
  EXPECT_FALSE(TextureSizeAllowed(0, 5));
  EXPECT_FALSE(TextureSizeAllowed(uint64_t{1} << 32, uint64_t{1} << 32)) << "the product wraps around";
  b.resize(30000, 30000);
  EXPECT_TRUE(b.empty() && b.pixels.empty());

  // Two rows stored top-down (negative height): blue, green over red, white; BGR, padded.
  const Bytes rows = {255, 0, 0, 0, 255, 0, 0, 0, 0, 0, 255, 255, 255, 255, 255, 0};
  const Bytes topDown = Bmp(2, -2, rows);
  ASSERT_TRUE(DecodeBmp(topDown.data(), topDown.size(), b));
  ASSERT_EQ(b.height, 2);
  EXPECT_EQ(b.at(0, 0)[0], 255);  // top left blue
  EXPECT_EQ(b.at(0, 1)[2], 255);  // bottom left red
  EXPECT_EQ(b.at(0, 1)[0], 0);
  // 2^30 rows either way up, and sizes at the edge of 32 bits.
  for (const auto& [dw, dh] :
       {std::pair{1, 1 << 30}, std::pair{1, -(1 << 30)}, std::pair{INT32_MIN, 1}, std::pair{8193, 8192}}) {
    const Bytes bytes = Bmp(dw, dh, rows);
    EXPECT_FALSE(DecodeBmp(bytes.data(), bytes.size(), b)) << dw << "x" << dh;
    EXPECT_TRUE(b.empty());
  }
  EXPECT_FALSE(DecodeBmp(topDown.data(), 20, b)) << "too short for a header";
  const Bytes notBmp(100, 'x');
  EXPECT_FALSE(DecodeBmp(notBmp.data(), notBmp.size(), b));
}

// Through the cache a broken, huge or missing file is an empty picture.
TEST_F(TextureTest, BrokenFilesBehaveLikeMissingOnes) {
  ASSERT_TRUE(WriteJpegFile(folder + "/good.jpeg", Gradient(64, 64), 64, 64).ok());
  const Bytes good = FileBytes(folder + "/good.jpeg");
  WriteBytes(folder + "/cut.jpeg", good, good.size() / 2);
  WriteBytes(folder + "/noise.jpg", Bytes(25, 'x'));
  WriteBytes(folder + "/bad.bmp", {'B', 'M', ' ', 'g', 'a', 'r', 'b', 'a', 'g', 'e'});
  WriteBytes(folder + "/huge.jpeg", JpegClaiming(folder, 30000, 30000));
  WriteBytes(folder + "/tall.bmp", Bmp(1, 1 << 30, Bytes(16, 0)));
  for (const char* name : {"cut.jpeg", "noise.jpg", "bad.bmp", "huge.jpeg", "tall.bmp", "missing.jpeg"}) {
    const TextureBitmap* image = TextureImage(folder + "/" + name);
    ASSERT_NE(image, nullptr) << name;
    EXPECT_TRUE(image->empty()) << name;
  }
  EXPECT_EQ(TextureImage(""), nullptr);
}

TEST_F(TextureTest, FilesDecodeToBottomUpBgrRowsAndAreCachedByLowerCasedName) {
  ASSERT_TRUE(WriteJpegFile(folder + "/g.jpeg", Gradient(40, 30), 40, 30, 95).ok());
  TextureBitmap j;
  ASSERT_TRUE(ReadJpegFile(folder + "/g.jpeg", j));
  EXPECT_EQ(j.width, 40);
  EXPECT_EQ(j.height, 30);
  EXPECT_EQ(j.rowBytes(), 120);
  EXPECT_GT(j.at(39, 0)[2], 230);  // top right red, stored B, G, R
  EXPECT_LT(j.at(39, 0)[1], 25);
  EXPECT_GT(j.at(0, 29)[1], 230);  // bottom left green
  EXPECT_EQ(j.pixels.data(), j.at(0, 29)) << "row 0 of the memory is the bottom";
  // Bitmaps in any pixel format the image library reads.
  QImage indexed(5, 3, QImage::Format_Indexed8);
  indexed.setColorTable({qRgb(10, 20, 30), qRgb(200, 100, 50)});
  indexed.fill(0);
  indexed.setPixel(4, 0, 1);
  ASSERT_TRUE(indexed.save(QString::fromStdString(folder + "/Pal.BMP"), "BMP"));
  const TextureBitmap* b = TextureImage(folder + "/Pal.BMP");
  ASSERT_EQ(b->width, 5);
  ASSERT_EQ(b->height, 3);
  EXPECT_EQ(b->rowBytes(), 16);  // 15 bytes padded to 4
  EXPECT_EQ(b->at(4, 0)[0], 50);
  EXPECT_EQ(b->at(4, 0)[2], 200);
  EXPECT_EQ(b->at(0, 2)[0], 30);
  EXPECT_EQ(TextureImage(folder + "/pal.bmp"), b);
  EXPECT_TRUE(TextureImage(folder + "/none.jpeg")->empty());
  EXPECT_EQ(TextureCacheCount(), 2) << "a missing name is cached too";
}

TEST_F(TextureTest, UploadSendsThePixelsAndAnEmptyBitmapNone) {
  CreateTextures(*view, 8);
  ASSERT_EQ(view->Textures.size(), 8u);
  const std::vector<unsigned> names = view->Textures;
  CreateTextures(*view, 8);
  EXPECT_EQ(view->Textures, names) << "names are made once per context";

  TextureBitmap b;
  b.resize(3, 2);       // not a power of two; rows padded to 12 bytes
  b.at(2, 0)[0] = 255;  // top right blue
  b.at(0, 1)[2] = 255;  // bottom left red
  UploadTexture(*view, 7, b);
  GLint w = 0, h = 0, alignment = 0;
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &w);
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &h);
  glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
  EXPECT_EQ(w, 3);
  EXPECT_EQ(h, 2);
  EXPECT_EQ(alignment, 4) << "the upload left its row alignment behind";
  Bytes rgb(3 * 2 * 3);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glGetTexImage(GL_TEXTURE_2D, 0, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
  glPixelStorei(GL_PACK_ALIGNMENT, 4);
  EXPECT_EQ(rgb[0], 255);                  // texture row 0 is the bottom: red at the left
  EXPECT_EQ(rgb[3 * 3 + 2 * 3 + 2], 255);  // top row, right: blue

  UploadTexture(*view, 7, TextureBitmap{});
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &w);
  EXPECT_EQ(w, 3) << "an empty bitmap replaced the slot's picture";
  UploadTexture(*view, 8, b);  // slots the view does not have are ignored
  BindTexture(*view, 9);
  GLint bound = 0;
  glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
  EXPECT_EQ(static_cast<unsigned>(bound), names[7]);
}
}  // namespace
