#include <gtest/gtest.h>

#include <QBuffer>
#include <QImage>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "GLFixture.h"
#include "gl/BmpDecoder.h"
#include "gl/ImageFiles.h"
#include "gl/JpegCodec.h"
#include "gl/Textures.h"

namespace {
std::vector<uint8_t> FileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
}

// A small real JPEG whose frame header then claims width x height.
std::vector<uint8_t> JpegClaiming(const std::string& folder, int width, int height) {
  const std::string path = folder + "/small.jpeg";
  std::vector<uint8_t> rgb(16 * 16 * 3, 90);
  EXPECT_TRUE(WriteJpegFile(path, rgb, 16, 16));
  std::vector<uint8_t> bytes = FileBytes(path);
  for (size_t i = 0; i + 9 < bytes.size(); ++i)
    if (bytes[i] == 0xFF && bytes[i + 1] == 0xC0) {  // baseline frame: length, precision, height, width
      bytes[i + 5] = static_cast<uint8_t>(height >> 8);
      bytes[i + 6] = static_cast<uint8_t>(height);
      bytes[i + 7] = static_cast<uint8_t>(width >> 8);
      bytes[i + 8] = static_cast<uint8_t>(width);
      return bytes;
    }
  ADD_FAILURE() << "no frame header";
  return bytes;
}

void Put32(std::vector<uint8_t>& b, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) b[at + i] = static_cast<uint8_t>(v >> (8 * i));
}

// A 24-bit bitmap with a 40-byte info header and the given declared size;
// `rows` holds the pixel rows as stored (each padded to 4 bytes).
std::vector<uint8_t> Bmp(int32_t width, int32_t height, const std::vector<uint8_t>& rows) {
  std::vector<uint8_t> b(54, 0);
  b[0] = 'B', b[1] = 'M';
  Put32(b, 2, static_cast<uint32_t>(54 + rows.size()));
  Put32(b, 10, 54);
  Put32(b, 14, 40);
  Put32(b, 18, static_cast<uint32_t>(width));
  Put32(b, 22, static_cast<uint32_t>(height));
  b[26] = 1;   // planes
  b[28] = 24;  // bits per pixel
  Put32(b, 34, static_cast<uint32_t>(rows.size()));
  b.insert(b.end(), rows.begin(), rows.end());
  return b;
}

class HostileImageTest : public GLFixture {
 protected:
  void SetUp() override {
    GLFixture::SetUp();
    ClearTextureCache();
    folder = MakeTempFolder("hostile-images");
  }
  void TearDown() override {
    ClearTextureCache();
    std::filesystem::remove_all(folder);
    GLFixture::TearDown();
  }
  std::string folder;
};

TEST(TextureSize, TheLimitIsSixtyFourMebipixelsWithoutOverflow) {
  EXPECT_TRUE(TextureSizeAllowed(8192, 8192));
  EXPECT_FALSE(TextureSizeAllowed(8193, 8192));
  EXPECT_TRUE(TextureSizeAllowed(kMaxTexturePixels, 1));
  EXPECT_FALSE(TextureSizeAllowed(0, 5));
  // Sides whose product wraps around 64 bits.
  EXPECT_FALSE(TextureSizeAllowed(uint64_t{1} << 32, uint64_t{1} << 32));
  TextureBitmap b;
  b.resize(30000, 30000);
  EXPECT_TRUE(b.empty());
  EXPECT_TRUE(b.pixels.empty());
}

TEST_F(HostileImageTest, JpegHeadersClaimingHugePicturesAreUndecodable) {
  // The same bytes decode while they tell the truth.
  const std::vector<uint8_t> honest = JpegClaiming(folder, 16, 16);
  TextureBitmap b;
  ASSERT_TRUE(DecodeJpeg(honest.data(), honest.size(), b));
  EXPECT_EQ(b.width, 16);

  for (const auto& [w, h] : {std::pair{30000, 30000}, std::pair{8193, 8192}, std::pair{65500, 1100}}) {
    const std::vector<uint8_t> bytes = JpegClaiming(folder, w, h);
    EXPECT_FALSE(DecodeJpeg(bytes.data(), bytes.size(), b)) << w << "x" << h;
    EXPECT_TRUE(b.empty());
    // Through the texture cache it is an empty picture, as for a broken file.
    const std::string name = "huge" + std::to_string(w) + ".jpeg";
    WriteBytes(folder + "/" + name, bytes);
    const TextureBitmap* image = TextureImage(folder + "/" + name);
    ASSERT_NE(image, nullptr);
    EXPECT_TRUE(image->empty()) << name;
  }
  EXPECT_FALSE(DecodeJpeg(nullptr, 0, b));
}

TEST_F(HostileImageTest, BmpHeadersAreCheckedBeforeDecoding) {
  // Two rows of two pixels, stored top-down (negative height): the top row
  // blue then green, the bottom row red then white. BGR bytes, rows padded.
  const std::vector<uint8_t> rows = {255, 0, 0, 0, 255, 0, 0, 0, 0, 0, 255, 255, 255, 255, 255, 0};
  const std::vector<uint8_t> topDown = Bmp(2, -2, rows);
  uint64_t w = 0, h = 0;
  ASSERT_TRUE(BmpDeclaredSize(topDown.data(), topDown.size(), w, h));
  EXPECT_EQ(w, 2u);
  EXPECT_EQ(h, 2u);
  TextureBitmap b;
  ASSERT_TRUE(DecodeBmp(topDown.data(), topDown.size(), b));
  ASSERT_EQ(b.height, 2);
  EXPECT_EQ(b.at(0, 0)[0], 255);  // top left blue
  EXPECT_EQ(b.at(0, 1)[2], 255);  // bottom left red
  EXPECT_EQ(b.at(0, 1)[0], 0);

  // 2^30 rows either way up, and sizes at the edge of 32 bits.
  for (const auto& [dw, dh] : {std::pair{1, 1 << 30}, std::pair{1, -(1 << 30)}, std::pair{INT32_MIN, 1},
                               std::pair{8193, 8192}}) {
    const std::vector<uint8_t> bytes = Bmp(dw, dh, rows);
    EXPECT_FALSE(DecodeBmp(bytes.data(), bytes.size(), b)) << dw << "x" << dh;
    EXPECT_TRUE(b.empty());
  }
  const std::vector<uint8_t> claimsRows = Bmp(1, 1 << 30, rows);
  WriteBytes(folder + "/tall.bmp", claimsRows);
  EXPECT_TRUE(TextureImage(folder + "/tall.bmp")->empty());

  // Too short to hold a header, or no bitmap at all.
  EXPECT_FALSE(DecodeBmp(topDown.data(), 20, b));
  const std::vector<uint8_t> notBmp(100, 'x');
  EXPECT_FALSE(DecodeBmp(notBmp.data(), notBmp.size(), b));
}

TEST_F(HostileImageTest, FileReadersGoThroughTheMemoryDecoders) {
  QImage image(3, 2, QImage::Format_RGB888);
  image.fill(QColor(10, 200, 30));
  ASSERT_TRUE(image.save(QString::fromStdString(folder + "/g.bmp"), "BMP"));
  const std::vector<uint8_t> bmp = FileBytes(folder + "/g.bmp");
  TextureBitmap fromMemory, fromFile;
  ASSERT_TRUE(DecodeBmp(bmp.data(), bmp.size(), fromMemory));
  LoadImageFile(fromFile, folder + "/g.bmp");
  EXPECT_EQ(fromMemory.pixels, fromFile.pixels);
  EXPECT_EQ(fromFile.at(2, 1)[1], 200);

  const std::vector<uint8_t> jpeg = JpegClaiming(folder, 16, 16);
  WriteBytes(folder + "/j.jpg", jpeg);
  ASSERT_TRUE(DecodeJpeg(jpeg.data(), jpeg.size(), fromMemory));
  ASSERT_TRUE(ReadJpegFile(folder + "/j.jpg", fromFile));
  EXPECT_EQ(fromMemory.pixels, fromFile.pixels);
}
}  // namespace
