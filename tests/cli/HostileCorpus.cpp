#include "HostileCorpus.h"

#include <cmath>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <initializer_list>
#include <limits>

#include "document/DocumentFile.h"
#include "document/Element3D.h"
#include "gl/JpegCodec.h"

namespace {
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

void PutU32(std::string& out, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) out[at + i] = static_cast<char>(v >> (8 * i));
}

std::string Header(int32_t count, int32_t recordSize) {
  std::string h(kDocumentSignature, kDocumentSignatureSize);
  h.resize(kDocumentHeaderSize);
  PutU32(h, 14, static_cast<uint32_t>(count));
  PutU32(h, 18, static_cast<uint32_t>(recordSize));
  return h;
}

Element3D Plain(int32_t kind, const std::string& name) {
  Element3D e{};
  e.kind = kind;
  e.name.assign(name);
  e.dx = e.dy = e.dz = 2;
  e.color = 0x336699;
  e.chamfer = 0.07;
  e.topPercent = 100;
  return e;
}

std::string Document(const std::vector<Element3D>& elements) {
  std::string out = Header(static_cast<int32_t>(elements.size()), kElementRecordSize);
  for (const Element3D& e : elements) out.append(reinterpret_cast<const char*>(&e), sizeof e);
  return out;
}

void Write(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

std::vector<Element3D> OddNumbers() {
  std::vector<Element3D> list;
  const double odd[] = {kNaN, kInf, -kInf, 1e10, -1e308, 4.9e-324, 0};
  for (int32_t kind : {0, 1, 2, 3, 7, -1}) {
    for (double v : odd) {
      Element3D e = Plain(kind, "n");
      e.dx = e.dy = e.dz = v;
      e.x = e.y = e.z = v;
      e.axy = e.ayz = e.axz = v;
      e.chamfer = v;
      e.topPercent = v;
      list.push_back(e);
    }
    // Sound sizes far away and turned by huge angles.
    Element3D e = Plain(kind, "far");
    e.x = 1e10, e.y = -1e10, e.axy = 1e300, e.ayz = -kInf;
    e.chamfer = -5, e.topPercent = -1e6;
    list.push_back(e);
  }
  return list;
}

// Labels (cubes whose names begin with "@") over faces of odd sizes.
std::vector<Element3D> Labels(std::initializer_list<const char*> names) {
  std::vector<Element3D> list;
  for (const char* name : names) {
    for (double size : {2.0, 0.0, kNaN, 1e-300}) {
      Element3D e = Plain(kCube, name);
      e.dx = size;
      e.texture.assign("ok.bmp");
      list.push_back(e);
    }
  }
  return list;
}

std::vector<Element3D> Names() {
  std::vector<Element3D> list;
  // Names and textures that try to leave the texture folder, to break the
  // lines of the text formats or to name odd files.
  const char* textures[] = {"../../../outside/secret.bmp", "..\\..\\..\\outside\\secret.bmp", "/etc/passwd",
                            "../", "..", ".", "huge.jpeg", "tall.bmp", "wide.bmp", "empty.jpeg",
                            "ok.bmp\nmap_Kd INJECTED", "ok.bmp\r\nmap_Kd INJECTED", "TEX", "missing.jpeg"};
  int i = 0;
  for (const char* t : textures) {
    for (int32_t kind : {int32_t{kCube}, int32_t{kPanel}}) {
      Element3D e = Plain(kind, "name\nv 666 666 666\r\nusemtl INJECTED " + std::to_string(i++));
      e.texture.assign(t);
      e.text.assign("text\tline\nnext\\");
      list.push_back(e);
    }
  }
  Element3D slashes = Plain(kCube, "../../../outside/x");
  slashes.texture.assign("ok.bmp");
  list.push_back(slashes);
  Element3D full = Plain(kCylinder, std::string(63, '\xFF'));
  full.texture.assign(std::string(63, '/'));
  list.push_back(full);
  return list;
}
}  // namespace

std::string SmallBmp(int width, int height, unsigned char grey) {
  const int row = (width * 3 + 3) & ~3;
  std::string b(54 + static_cast<size_t>(row) * height, static_cast<char>(grey));
  std::memset(b.data(), 0, 54);
  b[0] = 'B', b[1] = 'M';
  PutU32(b, 2, static_cast<uint32_t>(b.size()));
  PutU32(b, 10, 54);
  PutU32(b, 14, 40);
  PutU32(b, 18, static_cast<uint32_t>(width));
  PutU32(b, 22, static_cast<uint32_t>(height));
  b[26] = 1, b[28] = 24;
  return b;
}

std::vector<HostileDocument> HostileDocuments() {
  std::vector<HostileDocument> docs;
  docs.push_back({"numbers.zobj3d", Document(OddNumbers())});
  // Each ruler with an absurd count in a document of its own, so that one
  // that hangs does not hide what the next one does.
  docs.push_back({"ruler-ticks.zobj3d", Document(Labels({"@escala|v|100|0|99999999|0|"}))});
  docs.push_back({"ruler-intmax.zobj3d", Document(Labels({"@escala|1|10|0|2147483647|1"}))});
  docs.push_back({"ruler-extremes.zobj3d", Document(Labels({"@escala|v|1e308|-1e308|-2147483648|-2147483648|",
                                                            "@escala|v|NAN|INF|2147483646|2147483646"}))});
  docs.push_back({"labels.zobj3d", Document(Labels({"@escala|", "@escala||||||||", "@", "@=", "@label",
                                                    "@escala|v|1|0|10|10"}))});
  docs.push_back({"names.zobj3d", Document(Names())});

  const std::string three = Document({Plain(kCube, "a"), Plain(kSphere, "b"), Plain(kPanel, "c")});
  docs.push_back({"truncated.zobj3d", three.substr(0, kDocumentHeaderSize + kElementRecordSize + 100)});
  docs.push_back({"header-only.zobj3d", three.substr(0, kDocumentHeaderSize)});
  docs.push_back({"short-header.zobj3d", three.substr(0, 17)});
  docs.push_back({"empty.zobj3d", ""});
  // Counts and record sizes that ask for far more than the file holds.
  std::string tiny = Header(0x7FFFFFFF, 1) + std::string(64, '\x01');
  docs.push_back({"size1-huge-count.zobj3d", tiny});
  docs.push_back({"huge-count.zobj3d", Header(0x7FFFFFFF, kElementRecordSize) + three.substr(kDocumentHeaderSize)});
  docs.push_back({"huge-record.zobj3d", Header(3, 0x7FFFFFFF) + three.substr(kDocumentHeaderSize)});
  docs.push_back({"product-overflow.zobj3d", Header(0x10000, 0x10000) + three.substr(kDocumentHeaderSize)});
  docs.push_back({"negative-count.zobj3d", Header(-1, kElementRecordSize) + three.substr(kDocumentHeaderSize)});
  docs.push_back({"zero-record.zobj3d", Header(3, 0) + three.substr(kDocumentHeaderSize)});
  docs.push_back({"negative-record.zobj3d", Header(3, -289) + three.substr(kDocumentHeaderSize)});
  docs.push_back({"short-records.zobj3d", Header(5, 7) + std::string(35, '\xFF')});
  return docs;
}

void WriteHostileTextures(const std::string& folder) {
  Write(folder + "/ok.bmp", SmallBmp(4, 4, 0x80));
  // A small, sound JPEG whose frame header is then rewritten to declare
  // 30000 x 30000 pixels.
  const std::vector<uint8_t> rgb(16 * 16 * 3, 0x40);
  const std::string jpeg = folder + "/huge.jpeg";
  if (WriteJpegFile(jpeg, rgb, 16, 16)) {
    std::ifstream in(jpeg, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    for (size_t i = 2; i + 9 < bytes.size(); ++i) {
      if (static_cast<uint8_t>(bytes[i]) == 0xFF && (static_cast<uint8_t>(bytes[i + 1]) & 0xF0) == 0xC0 &&
          static_cast<uint8_t>(bytes[i + 1]) != 0xC4 && static_cast<uint8_t>(bytes[i + 1]) != 0xC8 &&
          static_cast<uint8_t>(bytes[i + 1]) != 0xCC) {
        bytes[i + 5] = static_cast<char>(30000 >> 8), bytes[i + 6] = static_cast<char>(30000 & 0xFF);
        bytes[i + 7] = static_cast<char>(30000 >> 8), bytes[i + 8] = static_cast<char>(30000 & 0xFF);
        break;
      }
    }
    Write(jpeg, bytes);
  }
  Write(folder + "/empty.jpeg", "");
  // Bitmaps whose headers declare 2^30 rows, or a width to match, over a
  // few bytes of pixels.
  std::string tall = SmallBmp(4, 4, 0x20);
  PutU32(tall, 22, 1u << 30);
  Write(folder + "/tall.bmp", tall);
  std::string wide = SmallBmp(4, 4, 0x20);
  PutU32(wide, 18, 1u << 30);
  PutU32(wide, 22, static_cast<uint32_t>(-4));
  Write(folder + "/wide.bmp", wide);
}
