// Stored values: which entry a store reuses and which one a restore finds
// depend on pages and on the order of the table.
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
  static bool Exists(const std::string& key) { return OnText("zemoscriptEXISTSVALUE", key, 400) == 1.0; }
  static void Clear(const std::string& key) { OnText<void>("zemoscriptprocCLEARVALUE", key, 400); }
  static void Compact() { Fn<void()>("zemoscriptprocCOMPACTSTOREDVALUES")(); }
  static std::string TextAt(double address, size_t length) {
    if (address == 0) return "<none>";
    return std::string(reinterpret_cast<const char*>(static_cast<intptr_t>(address)), length);
  }
};

TEST_F(StoredValues, PagesKeepTheirOwnEntriesAndLongKeysAreCut) {
  EXPECT_EQ(Restore("a"), 0.0);
  EXPECT_FALSE(Exists("a"));
  Store("a", 1.5);
  TextVar b("b");
  Fn<void(ScriptText*, double)>("zemoscriptprocSTOREVALUEFAST")(b, 2.5);
  Page(4.5);  // page 4 sees what was stored without a page
  EXPECT_EQ(Restore("a"), 1.5);
  EXPECT_EQ(Restore("b"), 2.5);
  Page(-1);
  Store("a", 1);  // same key, same page: replaced
  EXPECT_EQ(Restore("a"), 1.0);
  Page(2);
  Store("a", 5);  // a second entry, on page 2
  EXPECT_EQ(Restore("a"), 1.0) << "the page -1 entry comes first in the table and wins";
  Store("only2", 7);
  EXPECT_EQ(Restore("only2"), 7.0);
  Page(3);
  EXPECT_EQ(Restore("only2"), 0.0) << "another page's entry is not restored ...";
  EXPECT_TRUE(Exists("only2")) << "... but it exists";
  Page(-1);
  EXPECT_EQ(Restore("only2"), 7.0) << "no page: any page";
  Page(2);
  Clear("a");  // clears the first live "a": the page -1 one
  EXPECT_EQ(Restore("a"), 5.0);
  Page(-1);
  const std::string longKey(300, 'k'), cut = longKey.substr(0, 253);
  Store(longKey, 1);  // cut, and never found whole
  EXPECT_FALSE(Exists(longKey));
  EXPECT_EQ(Restore(longKey), 0.0);
  EXPECT_EQ(Restore(cut), 1.0);
  Store(longKey, 2);  // a new entry each time
  Clear(cut);
  EXPECT_EQ(Restore(cut), 2.0);
}

TEST_F(StoredValues, ClearedSlotsAreReusedOnTheirPageAndCompacted) {
  for (const char* key : {"a", "b", "abc", "abcd", "abc1", "ab", "ABC", "xabc"}) Store(key, 1);
  Clear("a");
  EXPECT_FALSE(Exists("a"));
  EXPECT_EQ(Restore("a"), 0.0);
  Store("c", 3);  // takes the freed slot
  Store("a", 4);  // a new entry: the cleared key no longer matches
  OnText<void>("zemoscriptprocCLEARVALUESTARTWITH", "abc");  // exact and case-sensitive
  for (const char* key : {"abc", "abcd", "abc1"}) EXPECT_FALSE(Exists(key)) << key;
  for (const char* key : {"ab", "ABC", "xabc"}) EXPECT_TRUE(Exists(key)) << key;
  Page(9);
  Store("d", 5);
  Clear("b");
  Clear("d");
  Store("e", 6);  // page 9 reuses its own free slot (d), not b's
  Page(-1);
  Compact();
  EXPECT_EQ(std::vector({Restore("c"), Restore("a"), Restore("e")}), std::vector({3.0, 4.0, 6.0}));
  EXPECT_FALSE(Exists("b"));
  EXPECT_FALSE(Exists("d"));
  Store("f", 7);  // after compaction new keys append behind the survivors
  EXPECT_EQ(Restore("f"), 7.0);
  OnText<void>("zemoscriptprocCLEARVALUESTARTWITH", "");
  EXPECT_FALSE(Exists("ab"));
  Compact();  // everything gone: the table goes away
  EXPECT_EQ(Restore("c"), 0.0);
  Store("fresh", 1);
  EXPECT_EQ(Restore("fresh"), 1.0);
}

TEST_F(StoredValues, TextsGiveTheirBlockAddressAndKeepTheirPage) {
  StoreText("name", "Objetos");
  EXPECT_EQ(TextAt(Restore("name"), 7), "Objetos");
  StoreText("name", "3D");  // replaces the block
  EXPECT_EQ(TextAt(Restore("name"), 2), "3D");
  StoreText("empty", "");
  EXPECT_TRUE(Exists("empty"));
  EXPECT_EQ(Restore("empty"), 0.0);
  // A number over a text gives the text's block back (a leak checker run shows it).
  Store("name", 42);
  EXPECT_EQ(Restore("name"), 42.0);
  StoreText("name", "again");
  EXPECT_EQ(TextAt(Restore("name"), 5), "again");
  Page(2);  // a new text takes the current page or a free slot's
  StoreText("t", "abc");
  EXPECT_EQ(TextAt(Restore("t"), 3), "abc") << "restorable from its own page";
  Page(3);
  EXPECT_EQ(Restore("t"), 0.0);
  EXPECT_TRUE(Exists("t"));
  StoreText("t", "xyz");  // an existing entry keeps its page
  EXPECT_EQ(Restore("t"), 0.0);
  Page(2);
  EXPECT_EQ(TextAt(Restore("t"), 3), "xyz");
  Page(5);
  Store("n", 1);
  Clear("n");
  Page(6);
  StoreText("u", "def");  // takes page 5's free slot, and its page
  EXPECT_EQ(Restore("u"), 0.0);
  Page(5);
  EXPECT_EQ(TextAt(Restore("u"), 3), "def");
}
}  // namespace
