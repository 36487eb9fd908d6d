#include <gtest/gtest.h>

#include <filesystem>

#include "TestFolder.h"
#include "common/Dictionary.h"
#include "common/ProgramFolder.h"

namespace {
class DictionaryTest : public ::testing::Test {
 protected:
  void SetUp() override { FreeDictionary(); }
  void TearDown() override { FreeDictionary(); }
  void Load(const std::string& content) {
    dir.write("tradutorgeral.dat", content);
    LoadDictionaryFile(dir.file("tradutorgeral.dat"));
  }
  TestFolder dir;
};
}  // namespace

// Only a regular file, or a link to one, switches the language: a folder or a missing file keeps Portuguese.
TEST_F(DictionaryTest, WhereTheDictionaryIsFoundAndWhatIsOne) {
  std::filesystem::create_directory(dir.file("folder.dat"));
  for (const char* name : {"missing.dat", "folder.dat"}) {
    LoadDictionaryFile(dir.file(name));
    EXPECT_FALSE(HasDictionary()) << name;
    EXPECT_EQ(Choose("Grade", "Grid"), "Grade") << name;
    EXPECT_EQ(Lookup("Abrir"), "Abrir") << name;
  }
  dir.write("real.dat", "@GENERAL\r\n");  // the header alone: every pair takes its alternate
  std::filesystem::create_symlink(dir.file("real.dat"), dir.file("link.dat"));
  LoadDictionaryFile(dir.file("link.dat"));
  EXPECT_TRUE(IsGeneralDictionary());
  EXPECT_EQ(Choose("Grade", "Grid"), "Grid");

  // A program in a sub-folder named objs takes the one beside that folder.
  FreeDictionary();
  dir.write("tradutorgeral.dat", "@GENERAL\nGrade;Grid;\n");
  std::filesystem::create_directory(dir.file("objs"));
  SetProgramFolderForTesting(dir.file("objs"));
  LoadDictionary();
  SetProgramFolderForTesting("");
  EXPECT_EQ(Lookup("Grade"), "Grid");
}

// The menus and forms are translated by these rules.
TEST_F(DictionaryTest, GeneralLookupRules) {
  Load("@GENERAL\nabrir;Open;ignored\nSalvar;Save\nnov;New;\nEdi\xE7\xE3o;Edition;\nCHARTSET=abc\n");
  EXPECT_EQ(DefaultCharset(), 1);
  EXPECT_EQ(Lookup(" & Abrir"), "Open");
  EXPECT_EQ(Lookup("abrir arquivo"), "Open");         // partial, key of 5
  EXPECT_EQ(Lookup("novo arquivo"), "novo arquivo");  // key of 3 never matches partially
  EXPECT_EQ(Lookup("Salvar"), "");                    // no closing ';': empty translation
  EXPECT_EQ(Choose("Salvar", "Save"), "Salvar");
  EXPECT_EQ(Lookup("Edi\xE7\xE3o"), "Edi\xE7\xE3o");  // accented keys never match exactly
}

TEST_F(DictionaryTest, PlainDictionaryHeaderCharsetAndSecondLoad) {
  Load("Abrir;Open;\r\nSalvar;Save;\r\nCHARTSET= 238 \r\n");
  EXPECT_FALSE(IsGeneralDictionary());
  EXPECT_EQ(DefaultCharset(), 238);
  EXPECT_EQ(Lookup("Abrir"), "Abrir");  // the first line is always a header
  EXPECT_EQ(Lookup("salvar"), "Save");
  EXPECT_EQ(Choose("Salvar", "Store"), "Store");  // outside general mode the entries are never consulted
  EXPECT_EQ(Choose("Salvar", ""), "Salvar");
  LoadDictionaryFile(dir.file("other.dat"));  // already loaded: kept
  EXPECT_EQ(Lookup("Salvar"), "Save");
}
