// Redo against the undo history of whole-document snapshots.
#include <gtest/gtest.h>

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
}  // namespace

TEST(EditorRedo, UndoneStepsComeBackInOrderAndCanBeUndoneAgain) {
  EditorDocument d;
  for (double x : {1, 2, 3}) Edit(d, x);
  EXPECT_FALSE(d.Redo());  // nothing undone yet
  ASSERT_TRUE(d.Undo());
  ASSERT_TRUE(d.Undo());
  EXPECT_EQ(Xs(d), (std::vector<double>{1}));
  EXPECT_EQ(d.RedoCount(), 2);

  d.SelectElement(0);
  ASSERT_TRUE(d.Redo());
  EXPECT_EQ(Xs(d), (std::vector<double>{1, 2}));
  EXPECT_EQ(d.SelectionCount(), 0);  // indices may name other elements now
  ASSERT_TRUE(d.Redo());
  EXPECT_EQ(Xs(d), (std::vector<double>{1, 2, 3}));
  EXPECT_FALSE(d.Redo());
  EXPECT_EQ(d.UndoCount(), 3);  // every redone step is undoable again

  ASSERT_TRUE(d.Undo());
  EXPECT_EQ(Xs(d), (std::vector<double>{1, 2}));
  ASSERT_TRUE(d.Redo());
  EXPECT_EQ(Xs(d), (std::vector<double>{1, 2, 3}));
}

TEST(EditorRedo, ANewEditOrAnEmptiedHistoryDropsTheRedoSteps) {
  EditorDocument d;
  for (double x : {1, 2, 3}) Edit(d, x);
  d.Undo();
  d.Undo();
  Edit(d, 7);
  EXPECT_EQ(d.RedoCount(), 0);
  EXPECT_FALSE(d.Redo());
  EXPECT_EQ(Xs(d), (std::vector<double>{1, 7}));
  ASSERT_TRUE(d.Undo());
  EXPECT_EQ(Xs(d), (std::vector<double>{1}));

  d.ClearUndo();  // as a save or a load does
  EXPECT_FALSE(d.Redo());
  EXPECT_EQ(Xs(d), (std::vector<double>{1}));
}

TEST(EditorRedo, TheDepthOfTenHoldsAcrossUndoAndRedo) {
  EditorDocument d;
  for (int edit = 1; edit <= 12; ++edit) Edit(d, edit);
  int undone = 0;
  while (d.Undo()) ++undone;
  EXPECT_EQ(undone, EditorDocument::kUndoDepth);
  EXPECT_EQ(d.Count(), 2);  // the states before edits 1 and 2 are gone
  int redone = 0;
  while (d.Redo()) ++redone;
  EXPECT_EQ(redone, EditorDocument::kUndoDepth);
  EXPECT_EQ(d.Count(), 12);
  EXPECT_EQ(d.UndoCount(), EditorDocument::kUndoDepth);
  // A further edit on a full history still drops only the oldest step.
  Edit(d, 13);
  EXPECT_EQ(d.UndoCount(), EditorDocument::kUndoDepth);
  for (int k = 0; k < EditorDocument::kUndoDepth; ++k) ASSERT_TRUE(d.Undo());
  EXPECT_EQ(d.Count(), 3);
}
