#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QString>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

#include "common/BlockWriter.h"
#include "common/SafeFiles.h"
#include "export/JsonText.h"
#include "tests/core/TestFolder.h"

namespace {
// The glTF JSON is counted first and written after: a piece counted one
// length and written another would shift the whole file. Each piece is
// made both ways and the written text read back by a JSON reader.
template <class Make>
std::string CountedAndWritten(const TestFolder& folder, Make make) {
  FilePart counted;
  make(counted);
  ReplacementFile file(folder.file("piece.json"));
  EXPECT_TRUE(file.ok()) << file.Error();
  EXPECT_TRUE(file.Reserve(counted.size())) << file.Error();  // laid out from the count, as the export does
  {
    BlockWriter writer(file, 2, 4096);  // pieces larger than a block cross blocks
    FilePart written;
    written.WriteTo(&writer, 0);
    make(written);
    written.Flush();
    EXPECT_TRUE(writer.Drain());
    EXPECT_EQ(counted.size(), written.size());
  }
  EXPECT_TRUE(file.Commit()) << file.Error();
  const std::string text = folder.read("piece.json");
  EXPECT_EQ(text.size(), counted.size());
  return text;
}

// One JSON value as a JSON reader reads it.
QJsonValue Read(const std::string& value) {
  const QJsonDocument document = QJsonDocument::fromJson(QByteArray::fromStdString("[" + value + "]"));
  EXPECT_TRUE(document.isArray()) << value;
  return document.array().at(0);
}

TEST(JsonText, EachPieceIsCountedAsLongAsItIsWritten) {
  TestFolder folder;
  for (const size_t length : {size_t{0}, size_t{1}, size_t{300}, size_t{5000}}) {
    std::string latin1;  // every byte, quotes, backslashes and controls among them
    for (size_t i = 0; i < length; ++i) latin1 += static_cast<char>(i * 37 % 256);
    const std::string text = CountedAndWritten(folder, [&](FilePart& p) { AppendJsonString(p, latin1); });
    EXPECT_EQ(Read(text).toString(), QString::fromLatin1(latin1.data(), static_cast<qsizetype>(latin1.size())))
        << length;
  }
  for (const uint64_t n : {uint64_t{0}, uint64_t{9}, uint64_t{10}, uint64_t{99999}, uint64_t{100000},
                           std::numeric_limits<uint64_t>::max()})
    EXPECT_EQ(CountedAndWritten(folder, [&](FilePart& p) { AppendJsonWhole(p, n); }), std::to_string(n));
  for (const float f : {0.0f, -0.0f, 1.5f, -2e-7f, 3.4e38f, std::numeric_limits<float>::infinity()}) {
    const std::string text = CountedAndWritten(folder, [&](FilePart& p) { AppendJsonNumber(p, f); });
    EXPECT_EQ(static_cast<float>(Read(text).toDouble()), std::isfinite(f) ? f : 0.0f) << text;
  }
}
}  // namespace
