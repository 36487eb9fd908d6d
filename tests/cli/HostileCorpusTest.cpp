// Hostile documents, textures and names through every batch command: each
// run ends with status 0 or 2 in time, nothing crashes, nothing outside the
// output folder changes, and what the tool writes stays well-formed.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <initializer_list>
#include <limits>
#include <map>
#include <set>
#include <sstream>

#include "TestFolder.h"
#include "common/TextureFolder.h"
#include "document/DocumentFile.h"
#include "document/Element3D.h"
#include "image/JpegCodec.h"

namespace fs = std::filesystem;

// The corpus: documents whose numbers, counts, sizes and names try to crash,
// hang or escape, and texture files whose headers declare absurd sizes.
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

void Write(const std::string& path, const std::string& bytes) { std::ofstream(path, std::ios::binary) << bytes; }

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
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
  const char* textures[] = {"../../../outside/secret.bmp",
                            "..\\..\\..\\outside\\secret.bmp",
                            "/etc/passwd",
                            "../",
                            "..",
                            ".",
                            "huge.jpeg",
                            "tall.bmp",
                            "wide.bmp",
                            "empty.jpeg",
                            "ok.bmp\nmap_Kd INJECTED",
                            "ok.bmp\r\nmap_Kd INJECTED",
                            "TEX",
                            "missing.jpeg"};
  int i = 0;
  for (const char* t : textures) {
    for (int32_t kind : {int32_t{kCube}, int32_t{kPanel}}) {
      Element3D e = Plain(kind, "name\nv 666 666 666\r\nusemtl INJECTED\nmtllib INJECTED " + std::to_string(i++));
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

// Cylinders and cones of no height, or of a height so small that the
// slope of their wall overflows: their normals are finite all the same.
std::vector<Element3D> FlatRoundShapes() {
  std::vector<Element3D> list;
  for (double height : {0.0, -0.0, 1e-300, 1e-40}) {
    for (double top : {100.0, 0.0, 50.0}) {
      for (double chamfer : {0.0, 0.07}) {
        Element3D e = Plain(kCylinder, "round");
        e.dy = height;
        e.topPercent = top;
        e.chamfer = chamfer;
        list.push_back(e);
      }
    }
  }
  return list;
}

// Names repeated (in other colours), empty, and one that looks like what a
// repeat would be renamed to.
std::vector<Element3D> SameAndEmptyNames() {
  std::vector<Element3D> list;
  uint32_t color = 0x0000FF;
  for (const char* name : {"twin", "twin", "twin_2", "", "", "twin"}) {
    Element3D e = Plain(kCube, name);
    e.color = color;
    color = color << 4 | 0x0F;
    list.push_back(e);
  }
  return list;
}

// A valid 24-bit Windows bitmap of w x h pixels of one grey.
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

// Document bytes by file name.
std::map<std::string, std::string> HostileDocuments() {
  std::map<std::string, std::string> docs;
  docs["numbers.zobj3d"] = Document(OddNumbers());
  // Each ruler with an absurd count in a document of its own, so that one
  // that hangs does not hide what the next one does.
  docs["ruler-ticks.zobj3d"] = Document(Labels({"@escala|v|100|0|99999999|0|"}));
  docs["ruler-intmax.zobj3d"] = Document(Labels({"@escala|1|10|0|2147483647|1"}));
  docs["ruler-extremes.zobj3d"] =
      Document(Labels({"@escala|v|1e308|-1e308|-2147483648|-2147483648|", "@escala|v|NAN|INF|2147483646|2147483646"}));
  docs["labels.zobj3d"] = Document(Labels({"@escala|", "@escala||||||||", "@", "@=", "@label", "@escala|v|1|0|10|10"}));
  docs["names.zobj3d"] = Document(Names());

  const std::string three = Document({Plain(kCube, "a"), Plain(kSphere, "b"), Plain(kPanel, "c")});
  docs["truncated.zobj3d"] = three.substr(0, kDocumentHeaderSize + kElementRecordSize + 100);
  docs["header-only.zobj3d"] = three.substr(0, kDocumentHeaderSize);
  docs["short-header.zobj3d"] = three.substr(0, 17);
  docs["empty.zobj3d"] = "";
  // Counts and record sizes that ask for far more than the file holds.
  docs["size1-huge-count.zobj3d"] = Header(0x7FFFFFFF, 1) + std::string(64, '\x01');
  docs["huge-count.zobj3d"] = Header(0x7FFFFFFF, kElementRecordSize) + three.substr(kDocumentHeaderSize);
  docs["huge-record.zobj3d"] = Header(3, 0x7FFFFFFF) + three.substr(kDocumentHeaderSize);
  docs["product-overflow.zobj3d"] = Header(0x10000, 0x10000) + three.substr(kDocumentHeaderSize);
  docs["negative-count.zobj3d"] = Header(-1, kElementRecordSize) + three.substr(kDocumentHeaderSize);
  docs["zero-record.zobj3d"] = Header(3, 0) + three.substr(kDocumentHeaderSize);
  docs["negative-record.zobj3d"] = Header(3, -289) + three.substr(kDocumentHeaderSize);
  docs["short-records.zobj3d"] = Header(5, 7) + std::string(35, '\xFF');
  docs["flat-round.zobj3d"] = Document(FlatRoundShapes());
  docs["same-names.zobj3d"] = Document(SameAndEmptyNames());
  // Not documents at all: a Wavefront file and a picture's first bytes.
  docs["shape.obj"] = "mtllib shape.mtl\no cube\nv 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 3\n";
  docs["picture.zobj3d"] = std::string("\xFF\xD8\xFF\xE0\0\x10JFIF\0", 11) + std::string(300, '\0');
  return docs;
}

void WriteHostileTextures(const std::string& folder) {
  Write(folder + "/ok.bmp", SmallBmp(4, 4, 0x80));
  // A small, sound JPEG whose frame header is then rewritten to declare
  // 30000 x 30000 pixels.
  const std::vector<uint8_t> rgb(16 * 16 * 3, 0x40);
  const std::string jpeg = folder + "/huge.jpeg";
  if (WriteJpegFile(jpeg, rgb, 16, 16).ok()) {
    std::string bytes = ReadAll(jpeg);
    for (size_t i = 2; i + 9 < bytes.size(); ++i) {
      const uint8_t marker = bytes[i + 1];  // a start of frame: C0..CF but C4, C8, CC
      if (static_cast<uint8_t>(bytes[i]) == 0xFF && (marker & 0xF0) == 0xC0 && marker != 0xC4 && marker != 0xC8 &&
          marker != 0xCC) {
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

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kSanitized = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool kSanitized = true;
#else
constexpr bool kSanitized = false;
#endif
#else
constexpr bool kSanitized = false;
#endif

// Generous for a slow, shared machine under the sanitizers; a sound run takes
// a second or two.
constexpr int kSecondsPerRun = kSanitized ? 40 : 20;

struct RunResult {
  int status;  // 128 + N when ended by signal N; 124 (137 if it held out) when still running at the timeout
  std::string output;
};

// Runs the tool in `cwd` with its output in `log`, ended at the timeout.
// Outside the sanitizers the address space is capped so that a runaway
// allocation fails fast instead of starving the machine.
RunResult RunTool(const std::string& tool, const std::vector<std::string>& args, const std::string& cwd,
                  const std::string& log) {
  std::string line = "cd '" + cwd + "' && " + (kSanitized ? "" : "ulimit -v 3145728 && ") + "exec timeout -k 5 " +
                     std::to_string(kSecondsPerRun) + " '" + tool + "'";
  for (const std::string& a : args) line += " '" + a + "'";
  const int raw = std::system((line + " >'" + log + "' 2>&1").c_str());
  return {WIFEXITED(raw) ? WEXITSTATUS(raw) : 128 + WTERMSIG(raw), ReadAll(log)};
}

// Names, types, sizes, modification times and link targets of everything
// under `root` except the folders in `skip`.
using Snapshot = std::map<std::string, std::string>;
Snapshot Take(const std::string& root, const std::vector<std::string>& skip) {
  Snapshot s;
  std::error_code ec;
  for (auto it = fs::recursive_directory_iterator(root, ec); !ec && it != fs::recursive_directory_iterator();
       it.increment(ec)) {
    const std::string path = it->path().string();
    bool skipped = false;
    for (const std::string& k : skip) skipped |= path == k || path.rfind(k + "/", 0) == 0;
    if (skipped) {
      if (it->is_directory(ec) && !it->is_symlink(ec)) it.disable_recursion_pending();
      continue;
    }
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0) continue;
    s[path] = std::to_string(st.st_mode) + ' ' + std::to_string(st.st_size) + ' ' + std::to_string(st.st_mtim.tv_sec) +
              '.' + std::to_string(st.st_mtim.tv_nsec);
    if (S_ISLNK(st.st_mode)) s[path] += " to " + fs::read_symlink(path, ec).string();
  }
  return s;
}

// One line per path that was removed, changed or created.
std::string Describe(const Snapshot& before, const Snapshot& after) {
  std::string out;
  for (const auto& [path, d] : before)
    if (!after.count(path) || after.at(path) != d)
      out += "  " + path + ": " + d + " -> " + (after.count(path) ? after.at(path) : "removed") + "\n";
  for (const auto& [path, d] : after)
    if (!before.count(path)) out += "  created " + path + "\n";
  return out;
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// The whole scene: a program folder holding a copy of the tool and the
// hostile textures, the documents, an outside folder that must never change,
// and one output folder per run.
class HostileCorpus : public ::testing::Test {
 protected:
  void SetUp() override {
    program = root.file("program");
    docs = root.file("docs");
    outside = root.file("outside");
    work = root.file("work");
    logs = root.file("logs");
    outputs = root.file("out");
    for (const std::string& d : {program + "/Vist3D/TEX", docs, outside, work, logs, outputs})
      fs::create_directories(d);
    tool = program + "/objetos3d-cli";
    fs::copy_file(CLI_PATH, tool);
    WriteHostileTextures(program + "/Vist3D/TEX");
    std::ofstream(outside + "/secret.bmp", std::ios::binary) << SmallBmp(3, 3, 0x5E);
    std::ofstream(outside + "/victim.txt", std::ios::binary) << "must stay\n";
    for (const auto& [name, bytes] : HostileDocuments()) Write(docs + "/" + name, bytes);
  }

  // Runs one command with a fresh output folder and checks the rules every
  // run must keep.
  RunResult Check(const std::string& label, std::vector<std::string> args, const std::string& out) {
    const Snapshot before = Take(root.path(), {outputs, logs});
    const RunResult r = RunTool(tool, args, work, logs + "/" + std::to_string(runs++) + ".log");
    const Snapshot after = Take(root.path(), {outputs, logs});
    EXPECT_TRUE(r.status == 0 || r.status == 2)
        << label << ": status " << r.status << " (124, 137: hung; 128 + N: signal N)\n"
        << r.output.substr(0, 4000);
    EXPECT_EQ(Describe(before, after), "") << label << " changed things outside " << out;
    return r;
  }

  // Everything written into `out` is well-formed and holds nothing taken
  // from outside the program's folders.
  void CheckWritten(const std::string& label, const std::string& out) {
    const std::string secret = ReadAll(outside + "/secret.bmp");
    std::error_code ec;
    for (auto it = fs::recursive_directory_iterator(out, ec); !ec && it != fs::recursive_directory_iterator();
         it.increment(ec)) {
      if (!it->is_regular_file(ec)) continue;
      const std::string path = it->path().string();
      const std::string bytes = ReadAll(path);
      EXPECT_NE(bytes, secret) << label << ": " << path << " is a copy of a file outside the texture folder";
      if (it->path().extension() == ".obj" || it->path().extension() == ".mtl") {
        std::string broken;
        for (const std::string& line : Lines(bytes)) {
          if (line == "v 666 666 666" || line.rfind("usemtl INJECTED", 0) == 0 ||
              line.rfind("mtllib INJECTED", 0) == 0 || line.rfind("map_Kd INJECTED", 0) == 0 ||
              line.find('\r') != std::string::npos)
            broken += "    " + line + "\n";
        }
        EXPECT_EQ(broken, "") << label << ": names broke lines of " << path;
        // An OBJ with its material file: every "usemtl" names one of its materials.
        if (it->path().extension() == ".obj")
          CheckObjLines(label + ": " + path, bytes + ReadAll(fs::path(path).replace_extension(".mtl").string()));
      }
    }
  }

  // Every number of an OBJ or MTL is finite; every object and material has
  // a name, no material name is given twice, and every material used exists.
  static void CheckObjLines(const std::string& label, const std::string& bytes) {
    std::set<std::string> materials, used;
    for (const std::string& line : Lines(bytes)) {
      std::string lower = line;
      for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
      const bool numbers =
          line.rfind("v ", 0) == 0 || line.rfind("vn ", 0) == 0 || line.rfind("vt ", 0) == 0 || line.rfind("K", 0) == 0;
      if (numbers) {
        EXPECT_TRUE(lower.find("nan") == std::string::npos && lower.find("inf") == std::string::npos)
            << label << ": " << line;
      }
      if (line == "o" || line == "o " || line == "newmtl" || line == "newmtl " || line == "usemtl" || line == "usemtl ")
        ADD_FAILURE() << label << ": a line without a name: '" << line << "'";
      if (line.rfind("newmtl ", 0) == 0) {
        EXPECT_TRUE(materials.insert(line.substr(7)).second) << label << ": material given twice: " << line;
      }
      if (line.rfind("usemtl ", 0) == 0) used.insert(line.substr(7));
    }
    if (!materials.empty()) {
      for (const std::string& name : used) EXPECT_TRUE(materials.count(name)) << label << ": no material " << name;
    }
  }

  TestFolder root;
  std::string program, docs, outside, work, logs, outputs, tool;
  int runs = 0;
};
}  // namespace

TEST_F(HostileCorpus, EveryCommandOnEveryDocumentEndsCleanly) {
  std::vector<std::string> names;
  for (const auto& [name, bytes] : HostileDocuments()) names.push_back(name);
  ::mkfifo((docs + "/fifo.zobj3d").c_str(), 0644);  // nobody ever writes into it
  names.push_back("fifo.zobj3d");
  fs::create_directory(docs + "/folder.zobj3d");
  names.push_back("folder.zobj3d");

  for (const std::string& name : names) {
    const std::string doc = docs + "/" + name;
    const RunResult info = Check("info " + name, {"info", doc}, "(none)");
    if (info.status == 0) {
      for (const std::string& line : Lines(info.output))
        EXPECT_EQ(std::count(line.begin(), line.end(), '\t'), 17) << "info " << name << ": " << line;
    }
    struct Target {
      std::string command, file;
      std::vector<std::string> extra;
    } targets[] = {{"copy", "copy.zobj3d", {}},
                   {"export", "x.obj", {}},
                   {"export", "x.glb", {}},
                   {"export", "x.stl", {}},
                   {"export", "x.jpeg", {"--width", "64", "--height", "48"}},
                   {"thumbnail", "t.png", {"--size", "32"}}};
    for (const Target& t : targets) {
      const std::string out = outputs + "/" + name + "-" + t.file;
      fs::create_directories(out);
      std::vector<std::string> args{t.command, doc, out + "/" + t.file};
      args.insert(args.end(), t.extra.begin(), t.extra.end());
      const std::string label = t.command + " " + name + " " + t.file;
      const RunResult r = Check(label, args, out);
      CheckWritten(label, out);
      if (r.status == 0 && t.command == "copy") {
        // What was copied reads back.
        const RunResult again = Check("info of the copy of " + name, {"info", out + "/" + t.file}, "(none)");
        EXPECT_EQ(again.status, 0) << again.output;
      }
    }
  }
}

TEST_F(HostileCorpus, OutputsThatAreNotPlainFilesOrLeadElsewhere) {
  const std::string doc = docs + "/names.zobj3d";
  // A pipe nobody reads, as every kind of output.
  for (const char* file : {"pipe.zobj3d", "pipe.obj", "pipe.jpeg"}) {
    const std::string out = outputs + "/fifo-" + file;
    fs::create_directories(out);
    ::mkfifo((out + "/" + file).c_str(), 0644);
    const std::string command = std::string(file).find(".zobj3d") != std::string::npos ? "copy" : "export";
    Check(command + " into a FIFO " + file, {command, doc, out + "/" + file}, out);
  }

  // Links planted at the names a writer might use for its temporary files,
  // and at the texture folder of the export, all pointing outside.
  const std::string out = outputs + "/planted";
  fs::create_directories(out);
  for (const char* suffix : {".tmp", ".tmp~", ".new", "~", ".part", ".bak"}) {
    for (const char* file : {"x.obj", "x.mtl", "x.jpeg", "x.zobj3d"})
      fs::create_symlink(outside + "/victim.txt", out + "/" + file + suffix);
  }
  fs::create_symlink(outside, out + "/textures");
  Check("copy with planted links", {"copy", doc, out + "/x.zobj3d"}, out);
  Check("export .obj with planted links", {"export", doc, out + "/x.obj"}, out);
  Check("export .jpeg with planted links", {"export", doc, out + "/x.jpeg", "--width", "32", "--height", "32"}, out);
  EXPECT_EQ(ReadAll(outside + "/victim.txt"), "must stay\n");
  CheckWritten("planted links", out);
}

// Every output meets the same rule: a pipe, a device, a dangling link or a folder at the target is
// refused and left as it was, with nothing left beside it; a read-only file is handled alike by all.
TEST_F(HostileCorpus, EveryOutputRefusesTargetsThatAreNotPlainFiles) {
  const std::string doc = docs + "/labels.zobj3d";
  struct Output {
    std::string command, file;
    std::vector<std::string> extra;
  } outputs_[] = {{"copy", "t.zobj3d", {}},
                  {"export", "t.zobj3d", {}},
                  {"export", "t.obj", {}},
                  {"export", "t.glb", {}},
                  {"export", "t.stl", {}},
                  {"export", "t.jpeg", {"--width", "32"}},
                  {"export", "t.jpg", {"--width", "32"}},
                  {"thumbnail", "t.png", {"--size", "16"}}};
  using Make = void (*)(const std::string&);
  const std::pair<const char*, Make> kinds[] = {
      {"fifo", [](const std::string& p) { ::mkfifo(p.c_str(), 0644); }},
      {"device",
       [](const std::string& p) {
         if (::mknod(p.c_str(), S_IFCHR | 0666, makedev(1, 3)) != 0) fs::create_symlink("/dev/null", p);
       }},
      {"dangling", [](const std::string& p) { fs::create_symlink(p + ".nowhere", p); }},
      {"folder", [](const std::string& p) { fs::create_directory(p); }},
  };
  for (const auto& [kind, make] : kinds) {
    for (const Output& o : outputs_) {
      const std::string out = outputs + "/" + kind + "-" + o.command + "-" + o.file;
      fs::create_directories(out);
      const std::string target = out + "/" + o.file;
      make(target);
      const Snapshot before = Take(out, {});
      std::vector<std::string> args{o.command, doc, target};
      args.insert(args.end(), o.extra.begin(), o.extra.end());
      const std::string label = o.command + " into a " + kind + " " + o.file;
      const RunResult r = Check(label, args, out);
      EXPECT_EQ(r.status, 2) << label << "\n" << r.output;
      EXPECT_EQ(Describe(before, Take(out, {})), "") << label;
    }
  }
  // A read-only file: every output replaces it alike, and it stays read-only.
  for (const Output& o : outputs_) {
    const std::string out = outputs + "/readonly-" + o.command + "-" + o.file;
    fs::create_directories(out);
    const std::string target = out + "/" + o.file;
    Write(target, "old");
    ::chmod(target.c_str(), 0444);
    std::vector<std::string> args{o.command, doc, target};
    args.insert(args.end(), o.extra.begin(), o.extra.end());
    const RunResult r = Check(o.command + " over a read-only " + o.file, args, out);
    EXPECT_EQ(r.status, 0) << o.file << "\n" << r.output;
    struct stat st {};
    ASSERT_EQ(::lstat(target.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0444u) << o.file;
    EXPECT_NE(ReadAll(target), "old") << o.file;
  }
}

// Output names: an empty one or an unknown kind is refused before anything is read or written (the
// empty name used to rewrite the document in place), ".jpg" is a picture under that very name, and
// names of up to 255 bytes or in no particular encoding are written byte for byte.
TEST_F(HostileCorpus, OutputNamesAreRefusedOrWrittenExactly) {
  const std::string doc = docs + "/names.zobj3d";
  const std::string out = outputs + "/names";
  fs::create_directories(out);
  for (const std::string& name :
       {std::string(), out + "/x.png", out + "/x.gltf", out + "/x.OBJ", out + "/x", out + "/.obj", out + "/"}) {
    const RunResult r = Check("export to \"" + name + "\"", {"export", doc, name}, out);
    EXPECT_EQ(r.status, 2) << name << "\n" << r.output;
  }
  EXPECT_TRUE(fs::is_empty(out));

  const RunResult jpg = Check("export .jpg", {"export", doc, out + "/x.jpg", "--width", "32"}, out);
  EXPECT_EQ(jpg.status, 0) << jpg.output;
  EXPECT_EQ(ReadAll(out + "/x.jpg").substr(0, 3), "\xFF\xD8\xFF");

  for (size_t length : {249, 252, 255}) {
    const std::string base = out + "/" + std::string(length - 7, 'L');
    const RunResult r = Check("copy to a name of " + std::to_string(length), {"copy", doc, base + ".zobj3d"}, out);
    EXPECT_EQ(r.status, 0) << length << "\n" << r.output;
    EXPECT_EQ(ReadAll(base + ".zobj3d"), ReadAll(doc)) << length;
  }
  const std::string longest = out + "/" + std::string(251, 'M');
  for (const char* extension : {".obj", ".glb", ".png"}) {
    const std::vector<std::string> args = extension == std::string(".png")
                                              ? std::vector<std::string>{"thumbnail", doc, longest + extension}
                                              : std::vector<std::string>{"export", doc, longest + extension};
    const RunResult r = Check(std::string("a 255-byte name ") + extension, args, out);
    EXPECT_EQ(r.status, 0) << extension << "\n" << r.output;
    EXPECT_TRUE(fs::is_regular_file(longest + extension)) << extension;
  }
  const std::string latin1 = out + "/\xE9t\xE9\xFF.png";
  const RunResult r = Check("thumbnail to a Latin-1 name", {"thumbnail", doc, latin1, "--size", "16"}, out);
  EXPECT_EQ(r.status, 0) << r.output;
  EXPECT_EQ(ReadAll(latin1).substr(1, 3), "PNG");

  // Nothing but what was named: no temporary file, no second spelling of a name.
  std::set<std::string> expected{"x.jpg",
                                 "\xE9t\xE9\xFF.png",
                                 std::string(251, 'M') + ".obj",
                                 std::string(251, 'M') + ".mtl",
                                 std::string(251, 'M') + ".glb",
                                 std::string(251, 'M') + ".png",
                                 "textures"};
  for (size_t length : {249, 252, 255}) expected.insert(std::string(length - 7, 'L') + ".zobj3d");
  std::set<std::string> found;
  for (const auto& entry : fs::directory_iterator(out)) found.insert(entry.path().filename().string());
  EXPECT_EQ(found, expected);
}

// A missing folder is found before anything is drawn, and said as such.
TEST_F(HostileCorpus, AMissingFolderIsFoundBeforeDrawing) {
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"thumbnail", docs + "/labels.zobj3d", outputs + "/missing/t.png"},
        std::vector<std::string>{"export", docs + "/labels.zobj3d", outputs + "/missing/t.jpg"}}) {
    const RunResult r = Check(args[0] + " into a missing folder", args, outputs);
    EXPECT_EQ(r.status, 2) << r.output;
    EXPECT_NE(r.output.find("does not exist"), std::string::npos) << r.output;
  }
}

// info on a terminal: no control byte of a text reaches it (ESC sequences, BEL, DEL), only the
// escapes; and a listing that cannot be written fails instead of ending short.
TEST_F(HostileCorpus, InfoIsSafeOnATerminalAndFailsWhenItCannotWrite) {
  std::vector<Element3D> list;
  Element3D e = Plain(kCube, "\x1B]0;title\x07\x1B[2J\x7F\x01\x9B");
  e.texture.assign("\x1B[31m.bmp");
  e.text.assign("a\tb\nc\rd\\e\x1F");
  list.push_back(e);
  Write(docs + "/escapes.zobj3d", Document(list));
  const RunResult r = Check("info with control bytes", {"info", docs + "/escapes.zobj3d"}, "(none)");
  ASSERT_EQ(r.status, 0) << r.output;
  const std::vector<std::string> lines = Lines(r.output);
  ASSERT_EQ(lines.size(), 1u) << r.output;
  for (char c : lines[0]) EXPECT_TRUE(c == '\t' || (static_cast<unsigned char>(c) >= 0x20 && c != 0x7F)) << int(c);
  const std::vector<std::string> fields = [&] {
    std::vector<std::string> f;
    std::istringstream in(lines[0]);
    for (std::string field; std::getline(in, field, '\t');) f.push_back(field);
    return f;
  }();
  ASSERT_EQ(fields.size(), 18u);
  EXPECT_EQ(fields[2], "\\x1B]0;title\\x07\\x1B[2J\\x7F\\x01\x9B");
  EXPECT_EQ(fields[15], "\\x1B[31m.bmp");
  EXPECT_EQ(fields[17], "a\\tb\\nc\\rd\\\\e\\x1F");

  // Short and long listings: a long one is written past the stream's buffer.
  Write(docs + "/many.zobj3d", Document(std::vector<Element3D>(1000, Plain(kCube, "many"))));
  for (const char* doc : {"escapes.zobj3d", "many.zobj3d"}) {
    const std::string line = "'" + tool + "' info '" + docs + "/" + doc + "' >/dev/full 2>'" + logs + "/full.log'";
    const int raw = std::system(line.c_str());
    EXPECT_TRUE(WIFEXITED(raw) && WEXITSTATUS(raw) == 2) << doc << ": " << raw;
    EXPECT_NE(ReadAll(logs + "/full.log").find("stdout"), std::string::npos) << ReadAll(logs + "/full.log");
  }
}

// log.ini and the dictionary beside the program are read only as bounded regular files: a pipe, a
// link to an endless device or a huge file is ignored with one warning, and start-up does not hang.
TEST_F(HostileCorpus, ConfigurationFilesThatAreNotSmallFilesAreIgnored) {
  const std::string doc = docs + "/labels.zobj3d";
  using Make = void (*)(const std::string&);
  const std::pair<const char*, Make> kinds[] = {
      {"fifo", [](const std::string& p) { ::mkfifo(p.c_str(), 0644); }},
      {"endless", [](const std::string& p) { fs::create_symlink("/dev/zero", p); }},
      {"huge",
       [](const std::string& p) {
         std::ofstream(p) << "[LOG]\nALLOWMEM=1\n";
         fs::resize_file(p, 200u << 20);
       }},
  };
  for (const auto& [kind, make] : kinds) {
    for (const char* file : {"log.ini", "tradutorgeral.dat"}) {
      make(program + "/" + file);
      const std::string out = outputs + "/config-" + kind + "-" + file;
      fs::create_directories(out);
      for (const std::vector<std::string>& args :
           {std::vector<std::string>{"info", doc}, std::vector<std::string>{"copy", doc, out + "/c.zobj3d"},
            std::vector<std::string>{"thumbnail", doc, out + "/t.png", "--size", "16"}}) {
        const RunResult r = Check(args[0] + " beside a " + kind + " " + file, args, out);
        EXPECT_EQ(r.status, 0) << r.output.substr(0, 2000);
        size_t warnings = 0;
        for (const std::string& line : Lines(r.output)) warnings += line.find(file) != std::string::npos;
        EXPECT_LE(warnings, 1u) << r.output.substr(0, 2000);
      }
      EXPECT_FALSE(fs::exists(program + "/log")) << "a log was switched on by " << kind << " " << file;
      fs::remove(program + "/" + file);
    }
  }
}

// The texture folder is copied beside an OBJ export, but only what lies inside it: a link out of it
// is not followed, and a file over 64 MB is skipped with a message instead of being copied.
TEST_F(HostileCorpus, TheTextureFolderCopyStaysInsideItsFolder) {
  const std::string tex = program + "/Vist3D/TEX";
  fs::create_symlink(outside + "/secret.bmp", tex + "/secret.bmp");
  fs::create_symlink("../../../outside/secret.bmp", tex + "/relative.bmp");
  fs::create_symlink("/dev/zero", tex + "/zero.bmp");
  std::ofstream(tex + "/sparse.jpeg") << "x";
  fs::resize_file(tex + "/sparse.jpeg", uintmax_t{2} << 30);
  const std::string out = outputs + "/textures";
  fs::create_directories(out);
  const RunResult r = Check("export .obj", {"export", docs + "/names.zobj3d", out + "/x.obj"}, out);
  EXPECT_EQ(r.status, 2) << "the skipped texture is reported\n" << r.output;
  EXPECT_NE(r.output.find("sparse.jpeg: not copied: larger than 64 MB"), std::string::npos) << r.output;
  EXPECT_TRUE(fs::is_regular_file(out + "/x.obj"));
  EXPECT_TRUE(fs::is_regular_file(out + "/textures/ok.bmp"));
  for (const char* name : {"secret.bmp", "relative.bmp", "zero.bmp", "sparse.jpeg"})
    EXPECT_FALSE(fs::exists(out + "/textures/" + name)) << name;
  CheckWritten("texture folder with links out", out);
}

// An output that is the document it is made from (by its own name, another spelling, a link, a
// hard link, or as the export's material file or texture copy) is refused: status 2, a line
// saying so, and the document as it was.
TEST_F(HostileCorpus, AnOutputThatIsItsOwnDocumentIsRefused) {
  const std::string bytes = Document({Plain(kCube, "a"), Plain(kSphere, "b")});
  struct Case {
    const char* label;
    std::string document;           // inside the case's folder
    std::vector<std::string> args;  // DOC and OUT stand for the paths
    std::function<void(const std::string& folder)> prepare = nullptr;
  };
  const std::string texture = TextureFileNames(program + "/Vist3D/TEX").at(0);
  const Case cases[] = {
      {"thumbnail over itself", "t.zobj3d", {"thumbnail", "DOC", "t.zobj3d"}},
      {"picture over itself", "x.jpeg", {"export", "DOC", "x.jpeg", "--width", "16", "--height", "16"}},
      {".jpg picture over itself", "x.jpg", {"export", "DOC", "x.jpg", "--width", "16", "--height", "16"}},
      {"OBJ whose material file is the document", "m.mtl", {"export", "DOC", "m.obj"}},
      {"STL through a link",
       "s.zobj3d",
       {"export", "DOC", "s.stl"},
       [](const std::string& f) { fs::create_symlink("s.zobj3d", f + "/s.stl"); }},
      {"glTF through a hard link",
       "g.zobj3d",
       {"export", "DOC", "g.glb"},
       [](const std::string& f) { fs::create_hard_link(f + "/g.zobj3d", f + "/g.glb"); }},
      {"copy over itself", "c.zobj3d", {"copy", "DOC", "c.zobj3d"}},
      {"document export by another spelling",
       "d.zobj3d",
       {"export", "DOC", "./sub/../d.zobj3d"},
       [](const std::string& f) { fs::create_directory(f + "/sub"); }},
      {"texture copy onto the document", "textures/" + texture, {"export", "DOC", "x.obj"}},
  };
  int n = 0;
  for (const Case& c : cases) {
    const std::string out = outputs + "/same-" + std::to_string(n++);
    fs::create_directories(fs::path(out + "/" + c.document).parent_path());
    Write(out + "/" + c.document, bytes);
    if (c.prepare) c.prepare(out);
    std::vector<std::string> args;
    for (const std::string& a : c.args) {
      if (a == "DOC")
        args.push_back(out + "/" + c.document);
      else if (a.find('.') != std::string::npos && a[0] != '-')
        args.push_back(out + "/" + a);
      else
        args.push_back(a);
    }
    const std::set<std::string> before = [&] {
      std::set<std::string> names;
      for (const auto& e : fs::recursive_directory_iterator(out)) names.insert(e.path().string());
      return names;
    }();
    const RunResult r = Check(c.label, args, out);
    EXPECT_EQ(r.status, 2) << c.label << "\n" << r.output;
    EXPECT_NE(r.output.find("is the document itself"), std::string::npos) << c.label << "\n" << r.output;
    EXPECT_EQ(ReadAll(out + "/" + c.document), bytes) << c.label << ": the document was overwritten";
    std::set<std::string> after;
    for (const auto& e : fs::recursive_directory_iterator(out)) after.insert(e.path().string());
    EXPECT_EQ(after, before) << c.label << ": files were made or removed";
  }
}

// A name that holds control bytes reaches the terminal escaped in every message, as info escapes
// texts: no escape sequence, and one line per message.
TEST_F(HostileCorpus, FileNamesInMessagesAreSafeOnATerminal) {
  const std::string odd = "\x1B]0;owned\x07\x1B[2J\nline\r\x7F";
  const std::string missing = outputs + "/" + odd + ".zobj3d";
  const std::vector<std::vector<std::string>> commands = {
      {"info", missing},
      {"copy", missing, outputs + "/x.zobj3d"},
      {"export", docs + "/names.zobj3d", outputs + "/no-such-folder" + odd + "/x.obj"},
      {"thumbnail", docs + "/shape.obj", outputs + "/t.png"},
      {"export", docs + "/names.zobj3d", outputs + "/" + odd + ".png"},
  };
  for (const auto& args : commands) {
    const RunResult r = Check(args[0] + " with control bytes in a name", args, outputs);
    EXPECT_EQ(r.status, 2) << r.output;
    ASSERT_EQ(Lines(r.output).size(), 1u) << r.output;
    for (char c : r.output.substr(0, r.output.size() - 1))
      EXPECT_TRUE(static_cast<unsigned char>(c) >= 0x20 && c != 0x7F) << args[0] << ": byte " << int(c);
  }
  const RunResult r = Check("info of an odd name", {"info", missing}, outputs);
  EXPECT_NE(r.output.find("\\x1B]0;owned\\x07\\x1B[2J\\nline\\r\\x7F.zobj3d: "), std::string::npos) << r.output;
}
