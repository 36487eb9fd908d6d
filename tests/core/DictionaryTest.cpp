#include <gtest/gtest.h>

#include <filesystem>

#include "TestFolder.h"
#include "common/Dictionary.h"
#include "common/ProgramFolder.h"

namespace {
class DictionaryTest : public ::testing::Test {
 protected:
  void TearDown() override { FreeDictionary(); }
  void Load(const std::string& content) {
    FreeDictionary();
    dir.write("tradutorgeral.dat", content);
    LoadDictionaryFile(dir.file("tradutorgeral.dat"));
  }
  TestFolder dir;
};
}  // namespace

TEST_F(DictionaryTest, NoDictionaryMeansPortuguese) {
  FreeDictionary();
  LoadDictionaryFile(dir.file("missing.dat"));
  EXPECT_FALSE(HasDictionary());
  EXPECT_EQ(Choose("Grade", "Grid"), "Grade");
  EXPECT_EQ(Lookup("Abrir"), "Abrir");
}

TEST_F(DictionaryTest, OnlyARegularFileIsADictionary) {
  FreeDictionary();
  std::filesystem::create_directory(dir.file("tradutorgeral.dat"));
  LoadDictionaryFile(dir.file("tradutorgeral.dat"));
  EXPECT_FALSE(HasDictionary());
  EXPECT_EQ(Choose("Grade", "Grid"), "Grade");

  // A link to a real dictionary is followed.
  dir.write("real.dat", "@GENERAL\n");
  std::filesystem::create_symlink(dir.file("real.dat"), dir.file("link.dat"));
  LoadDictionaryFile(dir.file("link.dat"));
  EXPECT_TRUE(IsGeneralDictionary());
}

TEST_F(DictionaryTest, HeaderOnlyGeneralFileTakesTheAlternate) {
  Load("@GENERAL\r\n");
  EXPECT_TRUE(HasDictionary());
  EXPECT_TRUE(IsGeneralDictionary());
  EXPECT_EQ(Choose("Grade", "Grid"), "Grid");
}

TEST_F(DictionaryTest, FirstLineIsAlwaysAHeader) {
  Load("Abrir;Open;\r\nSalvar;Save;\r\n");
  EXPECT_FALSE(IsGeneralDictionary());
  EXPECT_EQ(Lookup("Abrir"), "Abrir");
  EXPECT_EQ(Lookup("Salvar"), "Save");
  // Outside general mode Choose never consults the entries.
  EXPECT_EQ(Choose("Salvar", "Store"), "Store");
  EXPECT_EQ(Choose("Salvar", ""), "Salvar");
}

TEST_F(DictionaryTest, GeneralLookupRules) {
  Load("@GENERAL\nabrir;Open;ignored\nSalvar;Save\nnov;New;\nEdi\xE7\xE3o;Edition;\nCHARTSET=abc\n");
  EXPECT_EQ(DefaultCharset(), 1);
  EXPECT_EQ(Lookup("&Abrir"), "Open");
  EXPECT_EQ(Lookup(" & Abrir"), "Open");
  EXPECT_EQ(Lookup("abrir arquivo"), "Open");      // partial, key of 5
  EXPECT_EQ(Lookup("novo arquivo"), "novo arquivo");  // key of 3 never matches partially
  EXPECT_EQ(Lookup("Salvar"), "");                 // no closing ';': empty translation
  EXPECT_EQ(Choose("Salvar", "Save"), "Salvar");
  EXPECT_EQ(Lookup("Edi\xE7\xE3o"), "Edi\xE7\xE3o");  // accented keys never match exactly
  EXPECT_EQ(Choose("Outro", "Other"), "Other");
}

TEST_F(DictionaryTest, CharsetLineAndLoadIsIdempotent) {
  Load("x\nCHARTSET= 238 \nGrade;Grid;\n");
  EXPECT_EQ(DefaultCharset(), 238);
  LoadDictionaryFile(dir.file("other.dat"));  // already loaded: kept
  EXPECT_EQ(Lookup("grade"), "Grid");
}

TEST_F(DictionaryTest, ProgramInObjsSubfolderUsesTheParentDictionary) {
  FreeDictionary();
  dir.write("tradutorgeral.dat", "@GENERAL\nGrade;Grid;\n");
  std::filesystem::create_directory(dir.file("objs"));
  SetProgramFolderForTesting(dir.file("objs"));
  LoadDictionary();
  SetProgramFolderForTesting("");
  EXPECT_EQ(Lookup("Grade"), "Grid");
}

TEST(RemoveAccents, FoldsOnlyTheTableLetters) {
  EXPECT_EQ(RemoveAccents("\xC0\xC1\xC3\xC7\xC9\xCD\xCE\xD3\xDA\xE0\xE7\xEA\xED\xF5\xFA"), "AAACEIiOUaceiou");
  EXPECT_EQ(RemoveAccents("\xC2\xC4\xD1\xE4\xF1\xFC"), "\xC2\xC4\xD1\xE4\xF1\xFC");
}
