// The settings file written one key at a time: what the write keeps, and
// what a failed write must not destroy.
#include <sys/resource.h>
#include <sys/stat.h>

#include <QTemporaryDir>
#include <QtTest>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "common/IniFile.h"
#include "controls/IniWrite.h"
#include "tests/FileSizeLimit.h"

namespace {
namespace fs = std::filesystem;

std::string Bytes(const std::string& path) {
  std::stringstream bytes;
  bytes << std::ifstream(path, std::ios::binary).rdbuf();
  return bytes.str();
}

void Put(const std::string& path, const std::string& bytes) { std::ofstream(path, std::ios::binary) << bytes; }

size_t Entries(const QTemporaryDir& dir) {
  return static_cast<size_t>(std::distance(fs::directory_iterator(dir.path().toStdString()), {}));
}

}  // namespace

class IniWriteTest : public QObject {
  Q_OBJECT

 private slots:
  // A key is replaced where it stands, a new one goes to the end of its
  // section, a new section to the end of the file; every other line stays
  // as it was, and a file reached through a link stays a link.
  void aKeyChangesAndEveryOtherLineStays() {
    QTemporaryDir dir;
    const std::string real = dir.filePath("real.ini").toStdString(), ini = dir.filePath("campos.ini").toStdString();
    Put(real, "; kept\r\n[Campos]\r\nChanfro = 3\r\nLado=9\r\n\r\n[Outros]\r\nx=1\r\n");
    fs::create_symlink(real, ini);

    QVERIFY(WriteIniText(ini, "CAMPOS", "chanfro", "7"));
    QVERIFY(WriteIniText(ini, "campos", "Altura", "5"));
    QVERIFY(WriteIniText(ini, "Novos", "y", "2"));
    QCOMPARE(Bytes(real), std::string("; kept\r\n[Campos]\r\nchanfro=7\r\nLado=9\r\n\r\nAltura=5\r\n"
                                      "[Outros]\r\nx=1\r\n[Novos]\r\ny=2\r\n"));
    QVERIFY(fs::is_symlink(ini));
    QCOMPARE(ReadIniText(ini, "Campos", "Chanfro"), std::string("7"));
    QCOMPARE(Entries(dir), size_t{2});  // no temporary file left beside them
  }

  // A disk that fills up halfway, a folder that went away or a pipe at the
  // name: the write says it failed and the settings there stay whole.
  void aFailedWriteKeepsTheOldSettings() {
    QTemporaryDir dir;
    const std::string ini = dir.filePath("campos.ini").toStdString();
    std::string settings = "[Campos]\r\n";
    for (int i = 0; i < 200; ++i) settings += "chave" + std::to_string(i) + "=" + std::string(20, 'v') + "\r\n";
    Put(ini, settings);
    {
      const FileSizeLimit full(settings.size() / 2);
      QVERIFY(!WriteIniText(ini, "Campos", "chave0", "novo"));
    }
    QCOMPARE(Bytes(ini), settings);
    QCOMPARE(Entries(dir), size_t{1});

    const std::string gone = dir.filePath("gone").toStdString();
    fs::create_directory(gone);
    fs::remove(gone);
    QVERIFY(!WriteIniText(gone + "/campos.ini", "Campos", "chave0", "novo"));
    QVERIFY(!fs::exists(gone));

    // Opening a pipe to read would wait for a writer that never comes.
    const std::string pipe = dir.filePath("pipe.ini").toStdString();
    QCOMPARE(::mkfifo(pipe.c_str(), 0600), 0);
    QVERIFY(!WriteIniText(pipe, "Campos", "chave0", "novo"));
    QVERIFY(fs::is_fifo(pipe));
    QCOMPARE(Entries(dir), size_t{2});
  }
};

QTEST_GUILESS_MAIN(IniWriteTest)
#include "IniWriteTest.moc"
