// Hostile documents, textures and names through every batch command: each
// run ends with status 0 or 2 in time, nothing crashes, nothing outside the
// output folder changes, and what the tool writes stays well-formed.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <thread>

#include "HostileCorpus.h"
#include "TestFolder.h"

namespace fs = std::filesystem;

namespace {
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
  bool timedOut = false;
  int status = -1;  // exit status, or -1 when ended by a signal
  int signal = 0;
  std::string output;
};

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

// Runs the tool in `cwd` with its output in `log`; killed after the timeout.
// Outside the sanitizers the address space is capped so that a runaway
// allocation fails fast instead of starving the machine.
RunResult RunTool(const std::string& tool, const std::vector<std::string>& args, const std::string& cwd,
                  const std::string& log) {
  RunResult r;
  const pid_t pid = ::fork();
  if (pid == 0) {
    if (::chdir(cwd.c_str()) != 0) ::_exit(125);
    const int fd = ::open(log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0) ::_exit(125);
    ::dup2(fd, 1), ::dup2(fd, 2), ::close(fd);
    if (!kSanitized) {
      const rlimit limit{3ul << 30, 3ul << 30};
      ::setrlimit(RLIMIT_AS, &limit);
    }
    std::vector<char*> argv{const_cast<char*>(tool.c_str())};
    for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    ::execv(tool.c_str(), argv.data());
    ::_exit(126);
  }
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(kSecondsPerRun);
  int raw = 0;
  while (::waitpid(pid, &raw, WNOHANG) == 0) {
    if (std::chrono::steady_clock::now() > deadline) {
      r.timedOut = true;
      ::kill(pid, SIGKILL);
      ::waitpid(pid, &raw, 0);
      break;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  if (WIFEXITED(raw)) r.status = WEXITSTATUS(raw);
  if (WIFSIGNALED(raw)) r.signal = WTERMSIG(raw);
  r.output = ReadAll(log);
  return r;
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
    std::ostringstream d;
    d << std::oct << st.st_mode << std::dec << ' ' << st.st_size << ' ' << st.st_mtim.tv_sec << '.'
      << st.st_mtim.tv_nsec;
    if (S_ISLNK(st.st_mode)) d << " -> " << fs::read_symlink(path, ec).string();
    s[path] = d.str();
  }
  return s;
}

std::string Describe(const Snapshot& before, const Snapshot& after) {
  std::string out;
  for (const auto& [path, d] : before) {
    auto it = after.find(path);
    if (it == after.end()) out += "  removed " + path + "\n";
    else if (it->second != d) out += "  changed " + path + " (" + d + " -> " + it->second + ")\n";
  }
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
    for (const HostileDocument& d : HostileDocuments())
      std::ofstream(docs + "/" + d.name, std::ios::binary) << d.bytes;
  }

  // Runs one command with a fresh output folder and checks the rules every
  // run must keep.
  RunResult Check(const std::string& label, std::vector<std::string> args, const std::string& out) {
    const Snapshot before = Take(root.path(), {outputs, logs});
    const RunResult r = RunTool(tool, args, work, logs + "/" + std::to_string(runs++) + ".log");
    const Snapshot after = Take(root.path(), {outputs, logs});
    EXPECT_FALSE(r.timedOut) << label << ": still running after " << kSecondsPerRun << " s";
    EXPECT_EQ(r.signal, 0) << label << ": ended by signal " << r.signal << "\n" << r.output.substr(0, 4000);
    if (!r.timedOut && r.signal == 0) {
      EXPECT_TRUE(r.status == 0 || r.status == 2) << label << ": status " << r.status << "\n"
                                                  << r.output.substr(0, 4000);
    }
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
              line.rfind("map_Kd INJECTED", 0) == 0 || line.find('\r') != std::string::npos)
            broken += "    " + line + "\n";
        }
        EXPECT_EQ(broken, "") << label << ": names broke lines of " << path;
      }
    }
  }

  TestFolder root;
  std::string program, docs, outside, work, logs, outputs, tool;
  int runs = 0;
};
}  // namespace

TEST_F(HostileCorpus, EveryCommandOnEveryDocumentEndsCleanly) {
  std::vector<std::string> names;
  for (const HostileDocument& d : HostileDocuments()) names.push_back(d.name);
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
                   {"export", "x.jpeg", {"--width", "64", "--height", "48"}}};
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
  Check("export .jpeg with planted links", {"export", doc, out + "/x.jpeg", "--width", "32", "--height", "32"},
        out);
  EXPECT_EQ(ReadAll(outside + "/victim.txt"), "must stay\n");
  CheckWritten("planted links", out);
}
