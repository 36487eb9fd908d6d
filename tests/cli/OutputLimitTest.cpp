// What the batch tool writes is bounded: by the file size limit of the
// process (a message and no temporary file, never a silent death by
// SIGXFSZ), and by its own budget for a document that would amplify.
#include <gtest/gtest.h>

#include <string>

#include "common/TIMem32.h"
#include "document/DocumentFile.h"
#include "document/Element3D.h"
#include "tests/export/CliFixture.h"

namespace {
namespace fs = std::filesystem;

class OutputLimits : public CliFixture {
 protected:
  // A document of `count` spheres, 289 bytes each.
  std::string Spheres(const std::string& name, int count) const {
    TIMem32 store;
    store.RecordSize = kElementRecordSize;
    store.SetCount(count);
    for (int i = 0; i < count; ++i) {
      Element3D& e = store.As<Element3D>(i);
      e.kind = kSphere;
      e.name.assign("s" + std::to_string(i));
      e.dx = e.dy = e.dz = 1 + i % 7;
      e.x = i;
      e.topPercent = 100;
    }
    EXPECT_TRUE(WriteDocument(Out(name), store).ok());
    return Out(name);
  }
};

// Under `ulimit -f 64` every output fails with a line naming the file and the reason, status 2;
// the previous files stay and no temporary file is left (the material file's neither).
TEST_F(OutputLimits, AFileSizeLimitEndsEachWriteWithAMessageAndNoTemporaryFile) {
  const std::string doc = Spheres("big.zobj3d", 400);  // 115 kB, more than the limit
  for (const char* name : {"x.obj", "x.mtl", "x.stl", "x.glb", "copy.zobj3d"})
    std::ofstream(Out(name)) << "previous " << name;
  const std::set<std::string> before = Listing(folder);
  for (const char* out : {"x.obj", "x.stl", "x.glb", "copy.zobj3d"}) {
    const std::string command = std::string(out) == "copy.zobj3d" ? "copy " : "export ";
    const CliRun r = Run(command + doc + " " + Out(out), "ulimit -f 64; exec ");
    EXPECT_EQ(r.status, 2) << out << ": " << r.err;
    EXPECT_NE(r.err.find("objetos3d-cli: "), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("File too large"), std::string::npos) << out << ": " << r.err;
    EXPECT_EQ(LineCount(r.err), 1u) << r.err;
    EXPECT_EQ(ReadFileBytes(Out(out)), std::string("previous ") + out);
    EXPECT_EQ(Listing(folder), before) << out << ": files left behind";
  }
  EXPECT_EQ(ReadFileBytes(Out("x.mtl")), "previous x.mtl");
}

// A record size of 1 makes every byte of a document an element: its copy would be 289 times its
// size. The tool refuses such an output and says how to lift the limit; with --no-limit it writes.
TEST_F(OutputLimits, AnAmplifyingCopyIsRefusedUnlessTheLimitIsLifted) {
  const int records = 40000;
  std::string bytes(kDocumentSignature, kDocumentSignatureSize);
  for (int32_t v : {records, 1})
    for (int i = 0; i < 4; ++i) bytes += static_cast<char>(static_cast<uint32_t>(v) >> (8 * i));
  bytes += std::string(records, '\x02');
  std::ofstream(Out("tiny.zobj3d"), std::ios::binary) << bytes;
  const std::set<std::string> before = Listing(folder);

  const CliRun refused = Run("copy " + Out("tiny.zobj3d") + " " + Out("copy.zobj3d"));
  EXPECT_EQ(refused.status, 2) << refused.err;
  EXPECT_NE(refused.err.find("copy.zobj3d: not written: it would be larger than"), std::string::npos) << refused.err;
  EXPECT_NE(refused.err.find("--no-limit"), std::string::npos) << refused.err;
  EXPECT_EQ(Listing(folder), before) << "nothing is left of the refused output";

  const CliRun lifted = Run("copy " + Out("tiny.zobj3d") + " " + Out("copy.zobj3d") + " --no-limit");
  EXPECT_EQ(lifted.status, 0) << lifted.err;
  EXPECT_EQ(fs::file_size(Out("copy.zobj3d")), kDocumentHeaderSize + uintmax_t{289} * records);

  // A sound document of the same elements is far within its budget, exported too.
  const std::string sound = Spheres("sound.zobj3d", 50);
  for (const char* out : {"s.zobj3d", "s.obj", "s.glb", "s.stl"}) {
    const CliRun r = Run("export " + sound + " " + Out(out));
    EXPECT_EQ(r.status, 0) << out << ": " << r.err;
  }
}
}  // namespace
