// One action, one undo step; what undo and redo keep of the selection and
// the template; the depth of the history.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "document/EditorDocument.h"
#include "document/ExactValues.h"
#include "document/SelectionCarry.h"

namespace {
void Add(EditorDocument& d, const std::string& name, double x) {
  d.templ.x = x;
  d.Element(d.AppendFromTemplate()).name.assign(name);
}

std::vector<int32_t> Selection(const EditorDocument& d) {
  std::vector<int32_t> out;
  for (int32_t k = 0; k < d.SelectionCount(); ++k) out.push_back(d.SelectedIndex(k));
  return out;
}

std::vector<std::string> Names(EditorDocument& d) {
  std::vector<std::string> out;
  for (int32_t i = 0; i < d.Count(); ++i) out.push_back(d.Element(i).name.str());
  return out;
}

// a, b, c, d at x = 0, 1, 2, 3.
void Four(EditorDocument& d) {
  for (int i = 0; i < 4; ++i) Add(d, std::string(1, char('a' + i)), i);
}
}  // namespace

// X, Y and Z typed in one entry undo together and redo together; the same
// edits outside a step are three steps. A step that changed nothing leaves
// none, and an undo ends the step it falls into.
TEST(UndoSteps, AnOpenStepTakesOneCopyForAllItsEdits) {
  EditorDocument d;
  Four(d);
  d.SelectElement(1);
  d.BeginStep(StepName::ExactValues);
  EXPECT_FALSE(d.StepTaken());
  for (const auto& [field, text] : {std::pair{ExactField::X, "5"}, {ExactField::Y, "8"}, {ExactField::Z, "7"}})
    ASSERT_EQ(SetSelectedField(d, field, text), ExactEdit::Applied);
  EXPECT_TRUE(d.StepTaken());
  d.EndStep();
  EXPECT_EQ(d.UndoCount(), 1);
  ASSERT_TRUE(d.Undo());
  EXPECT_EQ(d.LastStepName(), StepName::ExactValues);
  const Element3D& b = d.Element(1);
  EXPECT_EQ(+b.x, 1);
  EXPECT_EQ(+b.y, 6);  // the template's height
  EXPECT_EQ(+b.z, 0);
  ASSERT_TRUE(d.Redo());
  EXPECT_EQ(d.LastStepName(), StepName::ExactValues);
  EXPECT_EQ(+d.Element(1).x, 5);
  EXPECT_EQ(+d.Element(1).z, 7);

  // Outside a step each edit is its own, named by what it did.
  d.SetSelectedColor(0xFF);
  d.SetSelectedChamfer(0.5);
  EXPECT_EQ(d.UndoCount(), 3);
  ASSERT_TRUE(d.Undo());
  EXPECT_EQ(d.LastStepName(), StepName::Chamfer);

  // A step whose action changed nothing adds nothing.
  d.BeginStep(StepName::Move);
  d.EndStep();
  EXPECT_EQ(d.UndoCount(), 2);

  // An undo inside a step closes it: the next edit is a step of its own.
  d.BeginStep(StepName::Move);
  d.PushUndo();
  d.Undo();
  EXPECT_FALSE(d.StepOpen());
  d.PushUndo(StepName::Paste);
  ASSERT_TRUE(d.Undo());
  EXPECT_EQ(d.LastStepName(), StepName::Paste);
}

// The press's prepared step joins an open step or names itself.
TEST(UndoSteps, ADragStepIsNamedByItsMode) {
  EditorDocument d;
  Four(d);
  d.PrepareUndo();
  d.Element(0).dx = 9;
  ASSERT_TRUE(d.CommitPreparedUndo(StepName::Resize));
  ASSERT_TRUE(d.Undo());
  EXPECT_EQ(d.LastStepName(), StepName::Resize);
  EXPECT_EQ(+d.Element(0).dx, 4);
}

// Undo and redo keep what is selected where it still exists: the same
// indices when no element came or went, the same names otherwise; when
// nothing survives, what the step was taken with comes back.
TEST(UndoSteps, TheSelectionStaysOnTheElementsThatStillExist) {
  EditorDocument d;
  Four(d);
  d.SelectElement(2), d.SelectElement(0);
  d.SetSelectedAngles(10, 0, 0);
  d.ClearSelection();
  d.SelectElement(3);  // chosen after the edit: it stays chosen
  ASSERT_TRUE(d.Undo());
  EXPECT_EQ(Selection(d), std::vector<int32_t>{3});
  EXPECT_EQ(d.currentIndex, 3);
  ASSERT_TRUE(d.Redo());
  EXPECT_EQ(Selection(d), std::vector<int32_t>{3});

  // An undone paste takes its copies away; the elements copied are selected again.
  d.ClearSelection();
  d.SelectElement(1);
  d.CopySelection();
  ASSERT_TRUE(d.Paste());
  EXPECT_EQ(Selection(d), std::vector<int32_t>{4});
  ASSERT_TRUE(d.Undo());
  EXPECT_EQ(d.Count(), 4);
  EXPECT_EQ(Selection(d), std::vector<int32_t>{1});

  // An undone delete brings its elements back selected; elements chosen
  // after the delete are found again by name though their indices moved.
  d.ClearSelection();
  d.SelectElement(0), d.SelectElement(1);
  ASSERT_TRUE(d.DeleteSelection());
  EXPECT_EQ(Names(d), (std::vector<std::string>{"c", "d"}));
  ASSERT_TRUE(d.Undo());
  EXPECT_EQ(Selection(d), (std::vector<int32_t>{0, 1}));
  ASSERT_TRUE(d.Redo());
  EXPECT_EQ(Selection(d), std::vector<int32_t>{}) << "the selected elements are gone again";
  d.SelectElement(1);  // d
  ASSERT_TRUE(d.Undo());
  EXPECT_EQ(Selection(d), std::vector<int32_t>{3});
  EXPECT_EQ(d.Element(d.currentIndex).name.str(), "d");
}

// Repeated names are found at their own index first, then one each.
TEST(UndoSteps, CarryingFindsRepeatedNamesOncePerElement) {
  TIMem32 after;
  after.RecordSize = kElementRecordSize;
  after.SetCount(3);
  for (int32_t i = 0; i < 3; ++i) after.As<Element3D>(i).name.assign(i == 1 ? "x" : "dup");
  CarriedSelection before;
  before.countBefore = 5;
  before.selected = {2, 4, 1, 7};
  before.names = {"dup", "dup", "gone", "x"};
  EXPECT_EQ(CarrySelection(before, after, {0}), (std::vector<int32_t>{2, 0, 1}));
  before.selected = {9};
  before.names = {"gone"};
  EXPECT_EQ(CarrySelection(before, after, {1, 1, 5}), std::vector<int32_t>{1});
  // Same count: indices kept, those out of range dropped.
  before.countBefore = 3;
  before.selected = {2, 3, 2};
  EXPECT_EQ(CarrySelection(before, after, {}), std::vector<int32_t>{2});
}

// The template keeps the colour, texture and visibility a step undone had
// given it, so the next element is not made in an undone colour; its kind
// and place stay the palette's.
TEST(UndoSteps, TheTemplateFollowsUndoAndRedo) {
  EditorDocument d;
  d.ResetTemplateForKind(kCylinder, 0x00AA00, "");
  d.SetSelectedColor(0x0000FF);
  d.SetSelectedTexture("wood.jpeg");
  d.SetSelectedInvisible(true);
  d.ResetTemplateForKind(kSphere, 0x0000FF, "wood.jpeg");
  d.templ.x = 7;
  for (int k = 0; k < 3; ++k) ASSERT_TRUE(d.Undo());
  EXPECT_EQ(+d.templ.color, 0x00AA00u);
  EXPECT_EQ(d.templ.texture.str(), EditorDocument::kDefaultTexture);
  EXPECT_EQ(d.templ.invisible, 0);
  EXPECT_EQ(d.templ.kind, kSphere);
  EXPECT_EQ(+d.templ.x, 7);
  ASSERT_TRUE(d.Redo());
  EXPECT_EQ(+d.templ.color, 0x0000FFu);
  EXPECT_EQ(d.templ.texture.str(), EditorDocument::kDefaultTexture);
}

// Ten steps unless raised; up to a thousand; lowering drops the oldest.
TEST(UndoSteps, TheDepthIsTenUnlessSetAndAThousandAtMost) {
  EditorDocument d;
  EXPECT_EQ(d.UndoDepth(), 10);
  d.SetUndoDepth(5000);
  EXPECT_EQ(d.UndoDepth(), 1000);
  d.SetUndoDepth(0);
  EXPECT_EQ(d.UndoDepth(), 1);
  d.SetUndoDepth(1000);
  Add(d, "a", 0);
  d.SelectElement(0);
  for (int k = 1; k <= 1005; ++k) {
    d.PushUndo(StepName::Move);
    d.Element(0).x = k;
  }
  EXPECT_EQ(d.UndoCount(), 1000);
  int undone = 0;
  while (d.Undo()) ++undone;
  EXPECT_EQ(undone, 1000);
  EXPECT_EQ(+d.Element(0).x, 5);
  EXPECT_EQ(d.RedoCount(), 1000);
  d.SetUndoDepth(3);
  EXPECT_EQ(d.RedoCount(), 3);
  int redone = 0;
  while (d.Redo()) ++redone;
  EXPECT_EQ(redone, 3);
  EXPECT_EQ(+d.Element(0).x, 8) << "the next steps to redo are kept";
}
