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
  // Calls a function or procedure that takes one key.
  template <class Result = double>
  static Result On(const char* function, const std::string& key) {
    TextVar k(key, 400);
    return Fn<Result(ScriptText*)>(function)(k);
  }
  static double Restore(const std::string& key) { return On("zemoscriptRESTOREVALUE", key); }
  static bool Exists(const std::string& key) { return On("zemoscriptEXISTSVALUE", key) == 1.0; }
  static void Clear(const std::string& key) { On<void>("zemoscriptprocCLEARVALUE", key); }
  static void ClearStartingWith(const std::string& prefix) { On<void>("zemoscriptprocCLEARVALUESTARTWITH", prefix); }
  static void Compact() { Fn<void()>("zemoscriptprocCOMPACTSTOREDVALUES")(); }
  static std::string TextAt(double address, size_t length) {
    if (address == 0) return "<none>";
    return std::string(reinterpret_cast<const char*>(static_cast<intptr_t>(address)), length);
  }
};

TEST_F(StoredValues, NumbersStoredWithoutPageAreSeenFromEveryPage) {
  EXPECT_EQ(Restore("a"), 0.0);
  EXPECT_FALSE(Exists("a"));
  Store("a", 1.5);
  TextVar b("b");
  Fn<void(ScriptText*, double)>("zemoscriptprocSTOREVALUEFAST")(b, 2.5);
  EXPECT_EQ(Restore("a"), 1.5);
  Page(4.5);  // page 4
  EXPECT_EQ(Restore("a"), 1.5);
  EXPECT_EQ(Restore("b"), 2.5);
  Page(-1);
  Store("a", 3);  // same key, same page: replaced
  EXPECT_EQ(Restore("a"), 3.0);
}

TEST_F(StoredValues, PagesKeepTheirOwnEntries) {
  Store("a", 1);
  Page(2);
  Store("a", 5);  // a second entry, on page 2
  // The page -1 entry comes first in the table and wins.
  EXPECT_EQ(Restore("a"), 1.0);
  Store("only2", 7);
  EXPECT_EQ(Restore("only2"), 7.0);
  Page(3);
  EXPECT_EQ(Restore("only2"), 0.0);  // another page's entry is not restored ...
  EXPECT_TRUE(Exists("only2"));      // ... but it exists
  Page(-1);
  EXPECT_EQ(Restore("only2"), 7.0);  // no page: any page
  Page(2);
  Clear("a");  // clears the first live "a": the page -1 one
  EXPECT_EQ(Restore("a"), 5.0);
}

TEST_F(StoredValues, ClearedSlotsAreReusedOnTheirPage) {
  Store("a", 1);
  Store("b", 2);
  Clear("a");
  EXPECT_FALSE(Exists("a"));
  EXPECT_EQ(Restore("a"), 0.0);
  Store("c", 3);  // takes the freed slot
  Store("a", 4);  // a new entry: the cleared key no longer matches
  Page(9);
  Store("d", 5);
  Clear("b");
  Clear("d");
  Store("e", 6);  // page 9 reuses its own free slot (d), not b's
  Page(-1);
  Compact();
  // Live: c, a, e in table order; b's slot is gone.
  EXPECT_EQ(Restore("c"), 3.0);
  EXPECT_EQ(Restore("a"), 4.0);
  EXPECT_EQ(Restore("e"), 6.0);
  EXPECT_FALSE(Exists("b"));
  EXPECT_FALSE(Exists("d"));
}

TEST_F(StoredValues, LongKeysAreCutAndNeverFoundWhole) {
  const std::string longKey(300, 'k');
  Store(longKey, 1);
  EXPECT_FALSE(Exists(longKey));
  EXPECT_EQ(Restore(longKey), 0.0);
  EXPECT_EQ(Restore(longKey.substr(0, 253)), 1.0);
  Store(longKey, 2);  // a new entry each time
  Clear(longKey.substr(0, 253));
  EXPECT_EQ(Restore(longKey.substr(0, 253)), 2.0);
}

TEST_F(StoredValues, ClearByPrefixIsExactAndCaseSensitive) {
  for (const char* key : {"abc", "abcd", "abc1", "ab", "ABC", "xabc"}) Store(key, 1);
  ClearStartingWith("abc");
  EXPECT_FALSE(Exists("abc"));
  EXPECT_FALSE(Exists("abcd"));
  EXPECT_FALSE(Exists("abc1"));
  EXPECT_TRUE(Exists("ab"));
  EXPECT_TRUE(Exists("ABC"));
  EXPECT_TRUE(Exists("xabc"));
  ClearStartingWith("");
  EXPECT_FALSE(Exists("ab"));
  EXPECT_FALSE(Exists("xabc"));
}

TEST_F(StoredValues, CompactKeepsOrderAndLookups) {
  for (int i = 0; i < 5; ++i) Store("k" + std::to_string(i), i + 10);
  Clear("k1");
  Clear("k3");
  Compact();
  EXPECT_EQ(Restore("k0"), 10.0);
  EXPECT_EQ(Restore("k2"), 12.0);
  EXPECT_EQ(Restore("k4"), 14.0);
  // After compaction new keys append behind the survivors.
  Store("k5", 15);
  EXPECT_EQ(Restore("k5"), 15.0);
  Clear("k0");
  Clear("k2");
  Clear("k4");
  Clear("k5");
  Compact();  // everything gone: the table goes away
  EXPECT_EQ(Restore("k0"), 0.0);
  Store("fresh", 1);
  EXPECT_EQ(Restore("fresh"), 1.0);
}

TEST_F(StoredValues, TextsGiveTheirBlockAddress) {
  StoreText("name", "Objetos");
  const double address = Restore("name");
  ASSERT_NE(address, 0.0);
  EXPECT_EQ(TextAt(address, 7), "Objetos");
  StoreText("name", "3D");  // replaces the block
  EXPECT_EQ(TextAt(Restore("name"), 2), "3D");
  StoreText("empty", "");
  EXPECT_TRUE(Exists("empty"));
  EXPECT_EQ(Restore("empty"), 0.0);
  // A number over a text gives the text's block back (a leak checker run
  // shows it); the number is what comes back.
  Store("name", 42);
  EXPECT_EQ(Restore("name"), 42.0);
  StoreText("name", "again");
  EXPECT_EQ(TextAt(Restore("name"), 5), "again");
}

TEST_F(StoredValues, TextsTakeTheCurrentPageWhenNew) {
  Page(2);
  StoreText("t", "abc");
  EXPECT_NE(Restore("t"), 0.0);  // restorable from its own page
  Page(3);
  EXPECT_EQ(Restore("t"), 0.0);
  EXPECT_TRUE(Exists("t"));
  // An existing entry keeps its page; texts look for their key on any page.
  StoreText("t", "xyz");
  EXPECT_EQ(Restore("t"), 0.0);
  Page(2);
  EXPECT_EQ(TextAt(Restore("t"), 3), "xyz");
}

TEST_F(StoredValues, TextStoreReusesAFreeSlotOfAnyPage) {
  Page(5);
  Store("n", 1);
  Clear("n");
  Page(6);
  StoreText("t", "abc");  // takes page 5's free slot, and its page
  Page(5);
  EXPECT_EQ(TextAt(Restore("t"), 3), "abc");
  Page(6);
  EXPECT_EQ(Restore("t"), 0.0);
}
}  // namespace
