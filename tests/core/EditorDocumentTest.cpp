#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <vector>

#include "TestFolder.h"
#include "common/Dictionary.h"
#include "document/EditorDocument.h"
#include "document/ElementNames.h"

namespace {
std::vector<std::string> Names(EditorDocument& d) {
  std::vector<std::string> out;
  for (int32_t i = 0; i < d.Count(); ++i) out.push_back(d.Element(i).name.str());
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
  const int32_t i = d.AppendFromTemplate();
  d.Element(i).name.assign(name);
}
}  // namespace

TEST(ElementNames, NumberingContinuesFromTheHighestNumberOfTheSameWord) {
  EditorDocument d;
  d.ResetTemplateForKind(kCube, 0x859385, "");
  EXPECT_EQ(d.Element(d.AppendFromTemplate()).name.str(), "cubo1");
  EXPECT_EQ(d.Element(d.AppendFromTemplate()).name.str(), "cubo2");

  EditorDocument gaps;
  AddNamed(gaps, kCube, "cubo2");
  AddNamed(gaps, kCube, "Cubo9");     // stored case is ignored
  AddNamed(gaps, kCube, "cube30");    // the other language's word does not count
  AddNamed(gaps, kCube, "cubo12a");   // not a number: counts as 0
  gaps.templ.kind = kCube;
  gaps.templ.name.assign("");
  EXPECT_EQ(gaps.Element(gaps.AppendFromTemplate()).name.str(), "cubo10");

  gaps.templ.kind = 5;
  EXPECT_EQ(gaps.Element(gaps.AppendFromTemplate()).name.str(), "objeto1");
  gaps.templ.kind = kSphere;
  EXPECT_EQ(gaps.Element(gaps.AppendFromTemplate()).name.str(), "esfera1");
}

TEST(ElementNames, TypeWordsFollowTheLanguage) {
  TestFolder dir;
  dir.write("d.dat", "header\n");
  LoadDictionaryFile(dir.file("d.dat"));
  EXPECT_EQ(TypeWord(kCylinder), "cylinder");
  EXPECT_EQ(TypeWord(kPanel), "panel");
  EditorDocument d;
  AddNamed(d, kCube, "cubo7");
  d.templ.name.assign("");
  EXPECT_EQ(d.Element(d.AppendFromTemplate()).name.str(), "cube1");
  FreeDictionary();
  EXPECT_EQ(TypeWord(kCylinder), "cilindro");
}

TEST(EditorDocument, TemplateResets) {
  EditorDocument d;
  EXPECT_EQ(double{d.templ.dy}, 12);
  EXPECT_EQ(double{d.templ.y}, 6);
  EXPECT_DOUBLE_EQ(double{d.templ.chamfer}, 0.27);
  EXPECT_TRUE(d.templ.texture.empty());
  d.ResetTemplateForKind(kCylinder, 0x123456, "");
  EXPECT_EQ(int32_t{d.templ.kind}, kCylinder);
  EXPECT_EQ(double{d.templ.dy}, 4);
  EXPECT_EQ(double{d.templ.y}, 2);
  EXPECT_DOUBLE_EQ(double{d.templ.chamfer}, 0.07);
  EXPECT_EQ(d.templ.texture.str(), "texture3.bmp");
  const double cell[3] = {1, 2, 3}, pos[3] = {4, 5, 6};
  d.ResetTemplateForBlock(cell, pos, 7, "wood.jpeg");
  EXPECT_EQ(int32_t{d.templ.kind}, kCube);
  EXPECT_EQ(double{d.templ.dz}, 3);
  EXPECT_EQ(double{d.templ.y}, 5);
  EXPECT_EQ(d.templ.texture.str(), "wood.jpeg");
}

TEST(EditorDocument, ElevenEditsElevenUndos) {
  EditorDocument d;
  for (int edit = 1; edit <= 11; ++edit) {
    d.PushUndo();
    d.templ.x = edit;
    d.AppendFromTemplate();  // state after edit n holds n elements
  }
  EXPECT_EQ(d.UndoCount(), 10);
  for (int expected = 10; expected >= 1; --expected) {
    ASSERT_TRUE(d.Undo());
    EXPECT_EQ(d.Count(), expected);
  }
  EXPECT_FALSE(d.Undo());  // the state before edit 1 is gone
  EXPECT_EQ(d.Count(), 1);
}

TEST(EditorDocument, UndoClearsTheSelectionAndClearUndoEmptiesHistory) {
  EditorDocument d;
  d.AppendFromTemplate();
  d.PushUndo();
  d.AppendFromTemplate();
  d.SelectElement(1);
  ASSERT_TRUE(d.Undo());
  EXPECT_EQ(d.SelectionCount(), 0);
  EXPECT_EQ(d.currentIndex, -1);
  d.PushUndo();
  d.ClearUndo();
  EXPECT_FALSE(d.Undo());
}

TEST(EditorDocument, CopyPasteKeepsSelectionOrderAndOffsetsByTheStep) {
  EditorDocument d;
  for (int i = 0; i < 8; ++i) AddNamed(d, kCube, "e" + std::to_string(i), i * 10);
  for (int i : {5, 2, 7}) d.SelectElement(i);
  d.CopySelection();
  d.editStep[0] = 0.5, d.editStep[2] = 0.25;
  d.Element(5).text.assign("carried");
  ASSERT_TRUE(d.Paste());
  EXPECT_EQ(Selection(d), (std::vector<int32_t>{8, 9, 10}));
  EXPECT_EQ(double{d.Element(8).x}, 50 - 0.5);
  EXPECT_EQ(double{d.Element(8).z}, -0.25);
  EXPECT_EQ(double{d.Element(9).x}, 20 - 0.5);
  EXPECT_EQ(double{d.Element(10).x}, 70 - 0.5);
  EXPECT_EQ(d.Element(8).name.str(), "cubo1");  // "e5" is no "cubo": named afresh
  ASSERT_TRUE(d.Paste());  // the second batch lands on the first
  EXPECT_EQ(double{d.Element(11).x}, double{d.Element(8).x});
  EXPECT_EQ(d.Count(), 14);
  EXPECT_EQ(d.UndoCount(), 2);
}

TEST(EditorDocument, PastedNamesCountThemselves) {
  EditorDocument d;
  AddNamed(d, kCube, "cubo4");
  d.SelectElement(0);
  d.CopySelection();
  d.elements.SetCount(0);
  AddNamed(d, kCube, "cubo1");
  d.Paste();
  EXPECT_EQ(d.Element(1).name.str(), "cubo5");
}

TEST(EditorDocument, ClipboardSurvivesANewDocument) {
  EditorDocument d;
  AddNamed(d, kSphere, "esfera3");
  d.SelectElement(0);
  d.CopySelection();
  d.elements.SetCount(0);
  d.ResetForNewContents();
  ASSERT_TRUE(d.Paste());
  EXPECT_EQ(d.Count(), 1);
  EXPECT_EQ(int32_t{d.Element(0).kind}, kSphere);
}

TEST(EditorDocument, DeleteRemovesTheSelectedAndKeepsOrder) {
  EditorDocument d;
  for (int i = 0; i < 5; ++i) AddNamed(d, kCube, "e" + std::to_string(i));
  EXPECT_FALSE(d.DeleteSelection());
  d.SelectElement(3);
  d.SelectElement(1);
  ASSERT_TRUE(d.DeleteSelection());
  EXPECT_EQ(Names(d), (std::vector<std::string>{"e0", "e2", "e4"}));
  EXPECT_EQ(d.SelectionCount(), 0);
  EXPECT_EQ(d.currentIndex, -1);
  ASSERT_TRUE(d.Undo());
  EXPECT_EQ(d.Count(), 5);
}

TEST(EditorDocument, SettersWriteSelectedElementsAndSomeTemplateFields) {
  EditorDocument d;
  for (int i = 0; i < 3; ++i) AddNamed(d, kCube, "e" + std::to_string(i));
  d.SelectElement(0);
  d.SelectElement(2);
  d.SetSelectedColor(0x00FF00);
  d.SetSelectedTexture("<none>");
  d.SetSelectedInvisible(true);
  d.SetSelectedAngles(10, 20, 30);
  d.SetSelectedChamfer(0.108);
  d.SetSelectedTopPercent(50);
  EXPECT_EQ(d.UndoCount(), 6);
  for (int i : {0, 2}) {
    EXPECT_EQ(uint32_t{d.Element(i).color}, 0x00FF00u);
    EXPECT_TRUE(d.Element(i).texture.empty());
    EXPECT_EQ(int{d.Element(i).invisible}, 1);
    EXPECT_EQ(double{d.Element(i).ayz}, 20);
    EXPECT_DOUBLE_EQ(double{d.Element(i).chamfer}, 0.108);
    EXPECT_EQ(double{d.Element(i).topPercent}, 50);
  }
  EXPECT_EQ(uint32_t{d.Element(1).color}, 0u);
  EXPECT_EQ(uint32_t{d.templ.color}, 0x00FF00u);
  EXPECT_TRUE(d.templ.texture.empty());
  EXPECT_EQ(int{d.templ.invisible}, 1);
  EXPECT_EQ(double{d.templ.topPercent}, 100);  // not a template field of the strip

  // Indices that no longer name an element are never written through.
  d.SelectElement(40);
  d.SetSelectedColor(0x0000FF);
  EXPECT_EQ(uint32_t{d.Element(1).color}, 0u);
}

TEST(EditorDocument, SelectingTwiceOnlyMovesTheCurrentElement) {
  EditorDocument d;
  EXPECT_TRUE(d.SelectElement(2));
  EXPECT_TRUE(d.SelectElement(4));
  EXPECT_FALSE(d.SelectElement(2));
  EXPECT_EQ(d.currentIndex, 2);
  EXPECT_EQ(Selection(d), (std::vector<int32_t>{2, 4}));
}

TEST(EditorDocument, PointQueriesUseUnrotatedBoxes) {
  EditorDocument d;
  d.templ.dx = 4, d.templ.dy = -2, d.templ.dz = 2;
  d.templ.x = 0, d.templ.y = 1, d.templ.z = 0;
  d.AppendFromTemplate();
  d.templ.x = 1;
  d.AppendFromTemplate();
  EXPECT_EQ(d.FindElementAt(2.1, 1, 0), 0);   // on the margin: a hit
  EXPECT_EQ(d.FindElementAt(3.05, 1, 0), 1);
  EXPECT_EQ(d.FindElementAt(3.2, 1, 1.11), -1);
  EXPECT_EQ(d.FindElementInCell(2.05, 1, 0), 1);
  EXPECT_EQ(d.FindElementInCell(3.05, 1, 0), -1);
  d.Element(0).invisible = 1;
  EXPECT_EQ(d.FindElementAt(0, 1, 0), 1);
}

TEST(PanelConversions, ChamferAndAngles) {
  EXPECT_EQ(ChamferToSpin(0.07), 3);
  EXPECT_EQ(ChamferToSpin(0.27), 10);
  EXPECT_DOUBLE_EQ(SpinToChamfer(4), 0.108);
  EXPECT_EQ(RoundHalfEven(22.5), 22);
  EXPECT_EQ(RoundHalfEven(23.5), 24);
  EXPECT_EQ(RoundHalfEven(-22.5), -22);
  // Stored values beyond the integers saturate instead of converting wildly.
  EXPECT_EQ(ChamferToSpin(1e10), INT32_MAX);
  EXPECT_EQ(RoundHalfEven(-7e307), INT32_MIN);
  EXPECT_EQ(RoundHalfEven(std::nan("")), 0);
  EXPECT_EQ(TextureFromListItem("<nenhuma>"), "");
  EXPECT_EQ(TextureFromListItem("wood.bmp"), "wood.bmp");
}
