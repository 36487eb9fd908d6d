// Stored values: which entry a store reuses and which one a restore finds
// depend on pages and on the order of the table.
#include <sstream>

#include "ScriptLibrary.h"

namespace {
class StoredValues : public testing::Test {
 protected:
  void SetUp() override {
    Fn<void()>("zemoscriptprocFREESTOREDVALUES")();
    Page(-1);
  }
  void TearDown() override { Fn<void()>("zemoscriptprocFREESTOREDVALUES")(); }

  static void Page(double page) { Fn<void(double)>("zemoscriptprocSETVIRTUALPAGE")(page); }
  static void Store(const std::string& key, double value) {
    TextVar k(key, 400);
    Fn<void(double, ScriptText*)>("zemoscriptprocSTOREVALUE")(value, k);
  }
  static void StoreText(const std::string& key, const std::string& text) {
    TextVar k(key, 400), t(text);
    Fn<void(ScriptText*, ScriptText*)>("zemoscriptprocSTORETEXT")(t, k);
  }
  static double Restore(const std::string& key) { return OnText("zemoscriptRESTOREVALUE", key, 400); }
  static void Clear(const std::string& key) { OnText<void>("zemoscriptprocCLEARVALUE", key, 400); }
  static void Compact() { Fn<void()>("zemoscriptprocCOMPACTSTOREDVALUES")(); }
  // What the current page sees of each key: the value restored, "hidden" when
  // the key exists but restores nothing, "-" when it does not exist.
  static std::string Seen(std::initializer_list<std::string> keys) {
    std::ostringstream out;
    for (const std::string& key : keys) {
      const double value = Restore(key);
      if (out.tellp() > 0) out << ' ';
      if (value != 0)
        out << value;
      else
        out << (OnText("zemoscriptEXISTSVALUE", key, 400) == 1.0 ? "hidden" : "-");
    }
    return out.str();
  }
  static std::string TextAt(double address, size_t length) {
    if (address == 0) return "<none>";
    return std::string(reinterpret_cast<const char*>(static_cast<intptr_t>(address)), length);
  }
};

TEST_F(StoredValues, PagesKeepTheirOwnEntriesAndLongKeysAreCut) {
  EXPECT_EQ(Seen({"a"}), "-");
  Store("a", 1.5);
  TextVar b("b");
  Fn<void(ScriptText*, double)>("zemoscriptprocSTOREVALUEFAST")(b, 2.5);
  Page(4.5);
  EXPECT_EQ(Seen({"a", "b"}), "1.5 2.5") << "page 4 sees what was stored without a page";
  Page(-1);
  Store("a", 1);
  EXPECT_EQ(Seen({"a"}), "1") << "same key, same page: replaced";
  Page(2);
  Store("a", 5);  // a second entry, on page 2
  Store("only2", 7);
  EXPECT_EQ(Seen({"a", "only2"}), "1 7") << "the page -1 entry comes first in the table and wins";
  Page(3);
  EXPECT_EQ(Seen({"only2"}), "hidden") << "another page's entry";
  Page(-1);
  EXPECT_EQ(Seen({"only2"}), "7") << "no page: any page";
  Page(2);
  Clear("a");  // clears the first live "a": the page -1 one
  EXPECT_EQ(Seen({"a"}), "5");
  Page(-1);
  const std::string longKey(300, 'k'), cut = longKey.substr(0, 253);
  Store(longKey, 1);
  EXPECT_EQ(Seen({longKey, cut}), "- 1") << "keys are cut, and never found whole";
  Store(longKey, 2);  // a new entry each time
  Clear(cut);
  EXPECT_EQ(Seen({cut}), "2");
}

TEST_F(StoredValues, ClearedSlotsAreReusedOnTheirPageAndCompacted) {
  for (const char* key : {"a", "b", "abc", "abcd", "abc1", "ab", "ABC", "xabc"}) Store(key, 1);
  Clear("a");
  EXPECT_EQ(Seen({"a"}), "-");
  Store("c", 3);  // takes the freed slot
  Store("a", 4);  // a new entry: the cleared key no longer matches
  OnText<void>("zemoscriptprocCLEARVALUESTARTWITH", "abc");
  EXPECT_EQ(Seen({"abc", "abcd", "abc1", "ab", "ABC", "xabc"}), "- - - 1 1 1") << "prefix exact, case-sensitive";
  Page(9);
  Store("d", 5);
  Clear("b");
  Clear("d");
  Store("e", 6);  // page 9 reuses its own free slot (d), not b's
  Page(-1);
  Compact();
  EXPECT_EQ(Seen({"c", "a", "e", "b", "d"}), "3 4 6 - -");
  Store("f", 7);  // after compaction new keys append behind the survivors
  EXPECT_EQ(Seen({"f"}), "7");
  OnText<void>("zemoscriptprocCLEARVALUESTARTWITH", "");
  EXPECT_EQ(Seen({"ab", "c", "f"}), "- - -");
  Compact();  // everything gone: the table goes away
  Store("fresh", 1);
  EXPECT_EQ(Seen({"fresh"}), "1");
}

TEST_F(StoredValues, TextsGiveTheirBlockAddressAndKeepTheirPage) {
  StoreText("name", "Objetos");
  EXPECT_EQ(TextAt(Restore("name"), 7), "Objetos");
  StoreText("name", "3D");  // replaces the block
  EXPECT_EQ(TextAt(Restore("name"), 2), "3D");
  StoreText("empty", "");
  EXPECT_EQ(Seen({"empty"}), "hidden") << "an empty text has no block";
  // A number over a text gives the text's block back (a leak checker run shows it).
  Store("name", 42);
  EXPECT_EQ(Seen({"name"}), "42");
  StoreText("name", "again");
  EXPECT_EQ(TextAt(Restore("name"), 5), "again");
  Page(2);  // a new text takes the current page or a free slot's
  StoreText("t", "abc");
  EXPECT_EQ(TextAt(Restore("t"), 3), "abc") << "restorable from its own page";
  Page(3);
  EXPECT_EQ(Seen({"t"}), "hidden");
  StoreText("t", "xyz");  // an existing entry keeps its page
  EXPECT_EQ(Seen({"t"}), "hidden");
  Page(2);
  EXPECT_EQ(TextAt(Restore("t"), 3), "xyz");
  Page(5);
  Store("n", 1);
  Clear("n");
  Page(6);
  StoreText("u", "def");  // takes page 5's free slot, and its page
  EXPECT_EQ(Seen({"u"}), "hidden");
  Page(5);
  EXPECT_EQ(TextAt(Restore("u"), 3), "def");
}
}  // namespace
