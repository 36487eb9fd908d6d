#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <functional>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "document/EditorDocument.h"

namespace {
// One edit as the window makes it: a snapshot, then a new element at x.
void Edit(EditorDocument& d, double x) {
  d.PushUndo();
  d.templ.x = x;
  d.AppendFromTemplate();
}

std::vector<double> Xs(EditorDocument& d) {
  std::vector<double> out;
  for (int32_t i = 0; i < d.Count(); ++i) out.push_back(+d.Element(i).x);
  return out;
}
std::vector<int32_t> Selection(const EditorDocument& d) {
  std::vector<int32_t> out;
  for (int32_t k = 0; k < d.SelectionCount(); ++k) out.push_back(d.SelectedIndex(k));
  return out;
}

void AddNamed(EditorDocument& d, int32_t kind, const std::string& name, double x = 0) {
  d.templ.kind = kind;
  d.templ.x = x;
  d.Element(d.AppendFromTemplate()).name.assign(name);
}
}  // namespace

TEST(ElementNames, NumberingContinuesFromTheHighestNumberOfTheSameWord) {
  EditorDocument d;
  AddNamed(d, kCube, "cubo2");
  AddNamed(d, kCube, "Cubo9");    // stored case is ignored
  AddNamed(d, kCube, "cube30");   // the other language's word does not count
  AddNamed(d, kCube, "cubo12a");  // not a number: counts as 0
  const auto next = [&](int32_t kind) {
    d.templ.kind = kind;
    return d.Element(d.AppendFromTemplate()).name.str();
  };
  EXPECT_EQ(next(kCube), "cubo10");
  EXPECT_EQ(next(5), "objeto1");
  EXPECT_EQ(next(kSphere), "esfera1");
}

// Redone steps are undoable again; the selection survives a step where its elements do; a save or a load
// empties both ways.
TEST(EditorDocument, RedoBringsUndoneStepsBackUntilTheHistoryIsCleared) {
  EditorDocument d;
  for (double x : {1, 2, 3}) Edit(d, x);
  EXPECT_FALSE(d.Redo());
  d.Undo();
  d.Undo();
  d.SelectElement(0);
  ASSERT_TRUE(d.Redo());
  EXPECT_EQ(Selection(d), std::vector<int32_t>{0});
  EXPECT_EQ(d.currentIndex, 0);
  ASSERT_TRUE(d.Redo());
  EXPECT_FALSE(d.Redo());
  EXPECT_EQ(Xs(d), (std::vector<double>{1, 2, 3}));
  EXPECT_EQ(d.UndoCount(), 3);
  d.Undo();
  d.ClearUndo();
  EXPECT_FALSE(d.Redo());
  EXPECT_FALSE(d.Undo());
  EXPECT_EQ(Xs(d), (std::vector<double>{1, 2}));
}

TEST(EditorDocument, TheHistoryHoldsTheLastTenStepsEachWay) {
  EditorDocument d;
  for (int edit = 1; edit <= 12; ++edit) Edit(d, edit);  // state after edit n holds n elements
  for (int expected = 11; expected >= 2; --expected) {
    ASSERT_TRUE(d.Undo());
    EXPECT_EQ(d.Count(), expected);
  }
  EXPECT_FALSE(d.Undo());  // the states before edits 1 and 2 are gone
  int redone = 0;
  while (d.Redo()) ++redone;
  EXPECT_EQ(redone, 10);
  EXPECT_EQ(d.Count(), 12);
  Edit(d, 13);  // a full history drops only its oldest step
  EXPECT_EQ(d.UndoCount(), 10);
  for (int k = 0; k < 10; ++k) ASSERT_TRUE(d.Undo());
  EXPECT_EQ(d.Count(), 3);
}

// A prepared step becomes a step only when the drag changes something, with
// the elements as they were at the press; any other step drops it.
TEST(EditorDocument, APreparedStepIsTakenOnlyByAChangeAndHoldsThePressState) {
  EditorDocument d;
  int edits = 0;
  d.OnEdit = [&edits] { ++edits; };
  Edit(d, 1);
  d.PrepareUndo();
  d.DropPreparedUndo();  // a press and release that changed nothing
  EXPECT_FALSE(d.CommitPreparedUndo());
  EXPECT_EQ(d.UndoCount(), 1);
  EXPECT_EQ(edits, 1);

  d.PrepareUndo();
  d.Element(0).x = 2;  // the first drag step
  ASSERT_TRUE(d.CommitPreparedUndo());
  d.Element(0).x = 3;  // later steps belong to the same step
  EXPECT_FALSE(d.CommitPreparedUndo());
  EXPECT_EQ(edits, 2);
  ASSERT_TRUE(d.Undo());
  EXPECT_EQ(Xs(d), std::vector<double>{1});

  // A step taken or undone meanwhile makes the prepared state stale.
  for (const auto& meanwhile :
       std::vector<std::function<void()>>{[&d] { Edit(d, 5); }, [&d] { d.Undo(); }, [&d] { d.ClearUndo(); }}) {
    d.PrepareUndo();
    meanwhile();
    EXPECT_FALSE(d.CommitPreparedUndo());
  }
}

TEST(EditorDocument, PasteKeepsSelectionOrderOffsetsByTheStepAndOutlivesTheDocument) {
  EditorDocument d;
  EXPECT_FALSE(d.Paste());
  for (int i = 0; i < 8; ++i) AddNamed(d, kCube, "e" + std::to_string(i), i * 10);
  d.Element(2).name.assign("cubo4");
  for (int i : {5, 2, 7}) d.SelectElement(i);
  d.CopySelection();
  d.editStep[0] = 0.5, d.editStep[2] = 0.25;
  ASSERT_TRUE(d.Paste());
  EXPECT_EQ(Selection(d), (std::vector<int32_t>{8, 9, 10}));
  EXPECT_EQ(double{d.Element(8).z}, -0.25);
  ASSERT_TRUE(d.Paste());  // the second batch lands on the first
  EXPECT_EQ(Xs(d), (std::vector<double>{0, 10, 20, 30, 40, 50, 60, 70, 49.5, 19.5, 69.5, 49.5, 19.5, 69.5}));
  EXPECT_EQ(d.UndoCount(), 2);

  d.elements.SetCount(0);
  d.ResetForNewContents();
  EXPECT_EQ(d.UndoCount(), 0);
  AddNamed(d, kCube, "cubo1");
  ASSERT_TRUE(d.Paste());
  ASSERT_EQ(d.Count(), 4);
  EXPECT_EQ(d.Element(1).name.str(), "cubo2");  // pasted elements are named afresh,
  EXPECT_EQ(d.Element(2).name.str(), "cubo5");  // and a pasted "cubo4" counts itself
}

TEST(EditorDocument, SelectionAndGroupedSettersWriteOnlyLiveSelectedElements) {
  EditorDocument d;
  for (int i = 0; i < 3; ++i) AddNamed(d, kCube, "e" + std::to_string(i));
  d.SelectElement(0);
  EXPECT_TRUE(d.SelectElement(2));
  EXPECT_FALSE(d.SelectElement(0));  // selected again: only the current element moves
  EXPECT_EQ(d.currentIndex, 0);
  EXPECT_EQ(Selection(d), (std::vector<int32_t>{0, 2}));
  d.SetSelectedColor(0x00FF00);
  d.SetSelectedTexture("<none>");
  d.SetSelectedInvisible(true);
  d.SetSelectedAngles(10, 20, 30);
  d.SetSelectedChamfer(0.108);
  d.SetSelectedTopPercent(50);
  EXPECT_EQ(d.UndoCount(), 6);
  const auto fields = [](const Element3D& e) {
    return std::make_tuple(+e.color, e.texture.str(), int{e.invisible}, +e.axy, +e.ayz, +e.axz, +e.topPercent);
  };
  for (int i : {0, 2}) {
    EXPECT_EQ(fields(d.Element(i)), std::make_tuple(0x00FF00u, std::string(), 1, 10.0, 20.0, 30.0, 50.0)) << i;
    EXPECT_DOUBLE_EQ(double{d.Element(i).chamfer}, 0.108) << i;
  }
  EXPECT_EQ(uint32_t{d.Element(1).color}, 0u);
  // The next element takes colour, texture and visibility, but not the top size.
  EXPECT_EQ(fields(d.templ), std::make_tuple(0x00FF00u, std::string(), 1, 0.0, 0.0, 0.0, 100.0));
  d.SelectElement(40);  // an index that names no element is never written through
  d.SetSelectedColor(0x0000FF);
  EXPECT_EQ(uint32_t{d.Element(1).color}, 0u);
}

TEST(EditorDocument, PointQueriesUseUnrotatedBoxesAndSkipInvisibleOnes) {
  EditorDocument d;
  d.templ.dx = 4, d.templ.dy = -2, d.templ.dz = 2;
  d.templ.y = 1, d.templ.axy = 45;
  d.AppendFromTemplate();
  d.templ.x = 1;
  d.AppendFromTemplate();
  EXPECT_EQ(d.FindElementAt(2.1, 1, 0), 0);  // on the margin: a hit
  EXPECT_EQ(d.FindElementAt(3.05, 1, 0), 1);
  EXPECT_EQ(d.FindElementAt(3.2, 1, 1.11), -1);
  EXPECT_EQ(d.FindElementInCell(2.05, 1, 0), 1);  // no margin in a cell
  EXPECT_EQ(d.FindElementInCell(3.05, 1, 0), -1);
  d.Element(0).invisible = 1;
  EXPECT_EQ(d.FindElementAt(0, 1, 0), 1);
}

// Values from a file can be anything: the property strip must not convert them wildly.
TEST(PanelConversions, RoundHalfEvenAndSaturate) {
  EXPECT_EQ(ChamferToSpin(1e10), INT32_MAX);
  EXPECT_EQ(RoundHalfEven(-7e307), INT32_MIN);
  EXPECT_EQ(RoundHalfEven(std::nan("")), 0);
}

namespace {
// Every byte of every element, string tails included, to compare whole
// documents.
std::vector<uint8_t> State(EditorDocument& d) {
  const uint8_t* at = d.elements.Data();
  return at ? std::vector<uint8_t>(at, at + size_t(d.Count()) * kElementRecordSize) : std::vector<uint8_t>{};
}
}  // namespace

// Undo copies share unchanged runs of records: edits at either side of a
// run's boundary, at the ends, in bytes past a string's end, growing,
// shrinking and emptying the document, all come back byte for byte through
// undo and go again through redo.
TEST(EditorDocument, UndoAndRedoRestoreEveryStateAcrossSharedRuns) {
  EditorDocument d;
  constexpr int32_t kRun = RecordSnapshot::kChunkRecords;
  for (int32_t i = 0; i < 3 * kRun + 8; ++i) {
    d.templ.x = i;
    d.AppendFromTemplate();
  }
  const std::vector<std::function<void()>> edits = {
      [&] { d.Element(kRun - 1).y = 7; },
      [&] { d.Element(kRun).y = 8; },
      [&] { d.Element(0).x = -1; },
      [&] { d.Element(d.Count() - 1).x = 1000; },
      [&] { d.AppendFromTemplate(); },  // a longer last run
      [&] {
        d.SelectElement(2);
        d.SelectElement(kRun + 3);
        d.DeleteSelection();  // takes its own snapshot
      },
      [&] { d.elements.SetCount(kRun); },  // exactly one run left
      [&] { d.Element(5).name.chars[50] = '\x9c'; },
      [&] { d.elements.SetCount(0); },
      [&] { d.AppendFromTemplate(); },
  };
  std::vector<std::vector<uint8_t>> states{State(d)};
  for (const auto& edit : edits) {
    if (&edit != &edits[5]) d.PushUndo();
    edit();
    states.push_back(State(d));
  }
  ASSERT_EQ(d.UndoCount(), static_cast<int32_t>(edits.size()));
  for (size_t k = states.size() - 1; k > 0; --k) {
    ASSERT_TRUE(d.Undo());
    EXPECT_EQ(State(d), states[k - 1]) << "undo back to state " << k - 1;
  }
  for (size_t k = 1; k < states.size(); ++k) {
    ASSERT_TRUE(d.Redo());
    EXPECT_EQ(State(d), states[k]) << "redo to state " << k;
  }
}

// A copy is a fraction of the records it keeps (a document's records are
// alike); one taken after a one-record change holds one run of its own,
// the rest stays with the copy before it.
TEST(EditorDocument, AnUndoCopyIsSmallAndOfAOneElementStepHoldsOneRun) {
  EditorDocument d;
  for (int32_t i = 0; i < 1000; ++i) {
    d.templ.x = i * 0.37;
    d.templ.kind = i % 4;
    d.AppendFromTemplate();
  }
  const RecordSnapshot before(d.elements, nullptr);
  EXPECT_LT(before.OwnBytes(), size_t(d.Count()) * kElementRecordSize / 4);
  d.Element(500).x = 3;
  const RecordSnapshot after(d.elements, &before);
  const size_t run = size_t{RecordSnapshot::kChunkRecords} * kElementRecordSize;
  EXPECT_GT(after.OwnBytes(), 0u);
  EXPECT_LT(after.OwnBytes(), run / 4);
  EXPECT_GT(before.OwnBytes(), 0u);  // the run the step changed
  EXPECT_LT(before.OwnBytes(), run / 4);
  // Held together, what both hold counts once.
  EXPECT_EQ(RecordSnapshot::HeldBytes({&before, &after, &before}),
            RecordSnapshot::HeldBytes({&before}) + after.OwnBytes());
  EditorDocument other;
  after.RestoreTo(other.elements);
  EXPECT_EQ(State(other), State(d));
}

// A paste names its copies in one go; the names must be those the copies
// would get one at a time: numbering past the highest of each word, the
// copied names counted while a copy still holds one (an original deleted
// after the copy), words of other kinds and other cases left apart.
TEST(ElementNames, APasteNamesAsAppendingOneAtATimeWould) {
  const std::vector<std::tuple<int32_t, std::string>> originals = {
      {kCube, "cubo3"}, {kCylinder, "Cilindro7"}, {kCube, "cubo12"}, {kCylinder, "cubo4"}, {kSphere, "esfera"},
      {kCube, "x"},     {kPanel, "painel2"},      {kCube, "CUBO5"},
  };
  EditorDocument pasted, oneByOne;
  for (EditorDocument* d : {&pasted, &oneByOne})
    for (const auto& [kind, name] : originals) AddNamed(*d, kind, name);
  for (int32_t i = 0; i < pasted.Count(); ++i) pasted.SelectElement(i);
  pasted.CopySelection();
  pasted.ClearSelection();
  pasted.SelectElement(2);  // cubo12 goes: its copy still counts it
  pasted.DeleteSelection();
  ASSERT_TRUE(pasted.Paste());

  oneByOne.SelectElement(2);
  oneByOne.DeleteSelection();
  for (const auto& [kind, name] : originals) {
    oneByOne.templ.kind = kind;
    oneByOne.templ.name.assign(name);
    oneByOne.elements.SetCount(oneByOne.Count() + 1);
    Element3D& e = oneByOne.Element(oneByOne.Count() - 1);
    e = oneByOne.templ;
    e.name.assign(NextElementName(oneByOne.elements, kind));
  }
  std::vector<std::string> got, want;
  for (int32_t i = 0; i < pasted.Count(); ++i) got.push_back(pasted.Element(i).name.str());
  for (int32_t i = 0; i < oneByOne.Count(); ++i) want.push_back(oneByOne.Element(i).name.str());
  EXPECT_EQ(got, want);
  EXPECT_EQ(got[7], "cubo6");   // the deleted cubo12 no longer counts...
  EXPECT_EQ(got[9], "cubo13");  // ...until its copy holds the name
}

// Past the largest number a name can carry, numbering neither wraps to a negative number nor
// repeats a name: new elements take the lowest numbers still free, one at a time and in a paste.
TEST(ElementNames, NumberingAtTheLargestNumberTakesFreeNumbersInstead) {
  EditorDocument d;
  AddNamed(d, kCube, "cubo9223372036854775807");
  AddNamed(d, kCube, "cubo1");
  AddNamed(d, kCube, "cubo3");
  const auto next = [&] {
    d.templ.kind = kCube;
    return d.Element(d.AppendFromTemplate()).name.str();
  };
  EXPECT_EQ(next(), "cubo2");
  EXPECT_EQ(next(), "cubo4");
  // A number past the largest does not parse: it counts as none, like any other word.
  AddNamed(d, kSphere, "esfera99999999999999999999");
  d.templ.kind = kSphere;
  EXPECT_EQ(d.Element(d.AppendFromTemplate()).name.str(), "esfera1");

  for (int32_t i = 0; i < d.Count(); ++i) d.SelectElement(i);
  d.CopySelection();
  ASSERT_TRUE(d.Paste());
  std::set<std::string> names;
  for (int32_t i = 0; i < d.Count(); ++i) {
    const std::string name = d.Element(i).name.str();
    EXPECT_TRUE(names.insert(name).second) << "repeated: " << name;
    EXPECT_EQ(name.find('-'), std::string::npos) << name;
  }
  EXPECT_TRUE(names.count("cubo5") && names.count("cubo6") && names.count("cubo7")) << "the paste's cubes";
}
