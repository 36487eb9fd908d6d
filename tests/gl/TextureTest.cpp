#include <GL/gl.h>
#include <gtest/gtest.h>

#include <QImage>
#include <filesystem>
#include <fstream>

#include "GLFixture.h"
#include "gl/ImageFiles.h"
#include "gl/JpegCodec.h"
#include "gl/Textures.h"

namespace {
namespace fs = std::filesystem;

std::vector<uint8_t> Gradient(int w, int h) {
  std::vector<uint8_t> rgb(static_cast<size_t>(w) * h * 3);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      uint8_t* p = &rgb[(static_cast<size_t>(y) * w + x) * 3];
      p[0] = static_cast<uint8_t>(x * 255 / (w - 1));
      p[1] = static_cast<uint8_t>(y * 255 / (h - 1));
      p[2] = 40;
    }
  return rgb;
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
    GLFixture::TearDown();
  }
  std::string folder;
};

TEST_F(TextureTest, JpegDecodesToBottomUpBgrRows) {
  const std::string path = folder + "/g.jpeg";
  ASSERT_TRUE(WriteJpegFile(path, Gradient(40, 30), 40, 30, 95));
  TextureBitmap b;
  ASSERT_TRUE(ReadJpegFile(path, b));
  EXPECT_EQ(b.width, 40);
  EXPECT_EQ(b.height, 30);
  EXPECT_EQ(b.rowBytes(), 120);
  // Top right is red-ish, bottom left green-ish; stored B, G, R.
  EXPECT_GT(b.at(39, 0)[2], 230);
  EXPECT_LT(b.at(39, 0)[1], 25);
  EXPECT_GT(b.at(0, 29)[1], 230);
  // Row 0 of the memory is the bottom of the picture.
  EXPECT_EQ(b.pixels.data(), b.at(0, 29));
}

TEST_F(TextureTest, BrokenFilesBehaveLikeMissingOnes) {
  const std::string good = folder + "/good.jpeg";
  ASSERT_TRUE(WriteJpegFile(good, Gradient(64, 64), 64, 64));
  std::ifstream in(good, std::ios::binary);
  const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::ofstream(folder + "/cut.jpeg", std::ios::binary).write(bytes.data(), bytes.size() / 2);
  std::ofstream(folder + "/noise.jpg", std::ios::binary) << "this is no picture at all";
  QImage png(8, 8, QImage::Format_RGB888);
  png.fill(Qt::red);
  ASSERT_TRUE(png.save(QString::fromStdString(folder + "/red.png"), "PNG"));
  std::ofstream(folder + "/bad.bmp", std::ios::binary) << "BM garbage";

  for (const char* name : {"cut.jpeg", "noise.jpg", "red.png", "bad.bmp", "missing.jpeg"}) {
    const TextureBitmap* image = TextureImage(folder + "/" + name);
    ASSERT_NE(image, nullptr) << name;
    EXPECT_TRUE(image->empty()) << name;
  }
  EXPECT_EQ(TextureImage(""), nullptr);
}

TEST_F(TextureTest, BmpFilesLoadInAnyPixelFormat) {
  QImage indexed(5, 3, QImage::Format_Indexed8);
  indexed.setColorTable({qRgb(10, 20, 30), qRgb(200, 100, 50)});
  indexed.fill(0);
  indexed.setPixel(4, 0, 1);
  ASSERT_TRUE(indexed.save(QString::fromStdString(folder + "/Pal.BMP"), "BMP"));
  TextureBitmap b;
  LoadImageFile(b, folder + "/Pal.BMP");
  ASSERT_EQ(b.width, 5);
  ASSERT_EQ(b.height, 3);
  EXPECT_EQ(b.rowBytes(), 16);  // 15 bytes padded to 4
  EXPECT_EQ(b.at(4, 0)[0], 50);
  EXPECT_EQ(b.at(4, 0)[2], 200);
  EXPECT_EQ(b.at(0, 2)[0], 30);
}

TEST_F(TextureTest, ImagesAreCachedOncePerLowerCasedName) {
  QImage white(4, 4, QImage::Format_RGB888);
  white.fill(Qt::white);
  ASSERT_TRUE(white.save(QString::fromStdString(folder + "/Brick.BMP"), "BMP"));
  const TextureBitmap* first = TextureImage(folder + "/Brick.BMP");
  const TextureBitmap* second = TextureImage(folder + "/brick.bmp");
  EXPECT_EQ(first, second);
  EXPECT_EQ(TextureCacheCount(), 1);
  EXPECT_EQ(first->width, 4);
  // A missing name is cached too, as an empty picture.
  EXPECT_TRUE(TextureImage(folder + "/none.jpeg")->empty());
  EXPECT_EQ(TextureCacheCount(), 2);
  ClearTextureCache();
  EXPECT_EQ(TextureCacheCount(), 0);
}

TEST_F(TextureTest, UploadSendsThePixelsAndAnEmptyBitmapNone) {
  CreateTextures(*view, 8);
  ASSERT_EQ(view->Textures.size(), 8u);
  const std::vector<unsigned> names = view->Textures;
  CreateTextures(*view, 8);  // once per context
  EXPECT_EQ(view->Textures, names);

  TextureBitmap b;
  b.resize(3, 2);  // not a power of two; rows padded to 12 bytes
  b.at(2, 0)[0] = 255;  // top right blue
  b.at(0, 1)[2] = 255;  // bottom left red
  UploadTexture(*view, 7, b);
  GLint w = 0, h = 0, mag = 0;
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &w);
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &h);
  glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, &mag);
  EXPECT_EQ(w, 3);
  EXPECT_EQ(h, 2);
  EXPECT_EQ(mag, GL_NEAREST);
  std::vector<uint8_t> rgb(3 * 2 * 3);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glGetTexImage(GL_TEXTURE_2D, 0, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
  glPixelStorei(GL_PACK_ALIGNMENT, 4);
  EXPECT_EQ(rgb[0], 255);              // texture row 0 is the bottom: red at the left
  EXPECT_EQ(rgb[3 * 3 + 2 * 3 + 2], 255);  // top row, right: blue
  GLint alignment = 0;
  glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
  EXPECT_EQ(alignment, 4);

  // An empty bitmap leaves the slot's picture as it was.
  UploadTexture(*view, 7, TextureBitmap{});
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &w);
  EXPECT_EQ(w, 3);
  // A slot the view does not have is ignored.
  UploadTexture(*view, 8, b);
  BindTexture(*view, 9);
  GLint bound = 0;
  glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
  EXPECT_EQ(static_cast<unsigned>(bound), names[7]);
}

}  // namespace
