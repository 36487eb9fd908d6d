// Where the editor keeps the user's files, and the settings file taken as
// data: only a small regular file is read or written over.
#include <sys/stat.h>

#include <QMenu>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "EditorFixture.h"
#include "RecentDocuments.h"
#include "UserFolders.h"

namespace fs = std::filesystem;

namespace {
// Sets or unsets (nullptr) the variables for one case and puts them back.
class Environment {
 public:
  Environment(std::initializer_list<std::pair<const char*, const char*>> values) {
    for (const auto& [name, value] : values) {
      saved_.push_back({name, qEnvironmentVariableIsSet(name), qgetenv(name)});
      if (value)
        qputenv(name, value);
      else
        qunsetenv(name);
    }
  }
  ~Environment() {
    for (const Saved& s : saved_) {
      if (s.set)
        qputenv(s.name, s.value);
      else
        qunsetenv(s.name);
    }
  }

 private:
  struct Saved {
    const char* name;
    bool set;
    QByteArray value;
  };
  std::vector<Saved> saved_;
};

std::string PasswordHome() {
  Environment none{{"HOME", nullptr}, {"XDG_CONFIG_HOME", nullptr}};
  const std::string config = UserConfigFolder();
  return config.empty() ? std::string() : config.substr(0, config.size() - std::strlen("/.config"));
}
}  // namespace

// Absolute XDG values win; relative ones are ignored; a missing or relative
// HOME falls back to the password database; the root is never a home.
TEST(UserFolders, FollowTheXdgRulesAndNeverNameTheRoot) {
  const std::string pw = PasswordHome();
  const struct {
    const char *home, *config, *data;
    std::string config_, data_;
  } cases[] = {
      {"/home/u", "/cfg", "/dat", "/cfg", "/dat"},
      {"/home/u", nullptr, nullptr, "/home/u/.config", "/home/u/.local/share"},
      {"/home/u", "rel/cfg", "", "/home/u/.config", "/home/u/.local/share"},
      {nullptr, "rel", "rel", pw.empty() ? "" : pw + "/.config", pw.empty() ? "" : pw + "/.local/share"},
      {"relative/home", nullptr, nullptr, pw.empty() ? "" : pw + "/.config", pw.empty() ? "" : pw + "/.local/share"},
      {"/home/u", "/", "//", "/home/u/.config", "/home/u/.local/share"},
  };
  for (const auto& c : cases) {
    Environment env{{"HOME", c.home}, {"XDG_CONFIG_HOME", c.config}, {"XDG_DATA_HOME", c.data}};
    SCOPED_TRACE(std::string(c.home ? c.home : "(unset)") + " " + (c.config ? c.config : "(unset)"));
    EXPECT_EQ(UserConfigFolder(), c.config_);
    EXPECT_EQ(UserDataFolder(), c.data_);
  }
  {
    Environment rootHome{{"HOME", "/"}, {"XDG_CONFIG_HOME", nullptr}};
    EXPECT_NE(UserConfigFolder(), "/.config");
  }
  // The root user's home in the database is "/root", not "/"; whoever runs
  // this, the fallback is never the root folder itself.
  EXPECT_NE(pw, "/");
  EXPECT_NE(pw, "");
}

// A settings file that is a pipe, a folder or larger than 1 MB is neither
// read (the window starts at once, the recent list is empty) nor written
// over; a small one is used as before.
TEST_F(EditorFixture, ASettingsFileThatIsNoSmallRegularFileIsLeftAlone) {
  const std::string settings = RecentDocuments::SettingsFile().toStdString();
  ASSERT_EQ(settings, dir.file("config") + "/objetos3d/objetos3d.ini");
  fs::create_directories(fs::path(settings).parent_path());
  WriteElements(dir.file("a.zobj3d"), {Cube("a", 1)});
  struct Case {
    const char* what;
    std::function<void()> make;
    bool used;
  } cases[] = {
      {"a pipe", [&] { ASSERT_EQ(::mkfifo(settings.c_str(), 0600), 0); }, false},
      {"a folder", [&] { fs::create_directory(settings); }, false},
      {"2 MB of garbage", [&] { std::ofstream(settings) << std::string(2 << 20, '['); }, false},
      {"a small file", [&] { std::ofstream(settings) << "[recent]\n"; }, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    fs::remove_all(settings);
    c.make();
    const auto before = fs::symlink_status(settings).type();
    auto& w = Open(dir.file("a.zobj3d"));  // opening keeps it as recent
    QList<QAction*> items = Child<QMenu>(w, "Recentes1")->actions();
    ASSERT_EQ(items.size(), 1);
    EXPECT_EQ(items[0]->isEnabled(), c.used) << items[0]->text().toStdString();
    EXPECT_EQ(fs::symlink_status(settings).type(), before);
    if (!c.used && before == fs::file_type::regular) {
      EXPECT_EQ(fs::file_size(settings), size_t(2 << 20));
    }
  }
}
