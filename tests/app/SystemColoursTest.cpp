// A system colour (0x800000nn) on an element shows as one colour wherever it
// shows: in the panel's swatch and on the element in the view.
#include <QImage>
#include <QPalette>
#include <map>

#include "EditorFixture.h"
#include "common/SystemColors.h"
#include "controls/TF_CorSeleciona.h"
#include "controls/TMPanel.h"
#include "controls/WinColor.h"

// The table's roles are read as Qt's own.
static_assert(static_cast<QPalette::ColorRole>(PaletteRole::Button) == QPalette::Button);
static_assert(static_cast<QPalette::ColorRole>(PaletteRole::Light) == QPalette::Light);
static_assert(static_cast<QPalette::ColorRole>(PaletteRole::Dark) == QPalette::Dark);
static_assert(static_cast<QPalette::ColorRole>(PaletteRole::Text) == QPalette::Text);
static_assert(static_cast<QPalette::ColorRole>(PaletteRole::ButtonText) == QPalette::ButtonText);
static_assert(static_cast<QPalette::ColorRole>(PaletteRole::Base) == QPalette::Base);
static_assert(static_cast<QPalette::ColorRole>(PaletteRole::Shadow) == QPalette::Shadow);
static_assert(static_cast<QPalette::ColorRole>(PaletteRole::Highlight) == QPalette::Highlight);
static_assert(static_cast<QPalette::ColorRole>(PaletteRole::HighlightedText) == QPalette::HighlightedText);

namespace {
class SystemColours : public EditorFixture {
 protected:
  void SetUp() override {
    EditorFixture::SetUp();
    // Every role its own colour, so that two roles mixed up show.
    QPalette distinct;
    for (int role = 0; role < QPalette::NColorRoles; ++role)
      if (role != QPalette::NoRole)
        distinct.setColor(static_cast<QPalette::ColorRole>(role), QColor::fromHsv(role * 16, 200, 60 + role * 8));
    QApplication::setPalette(distinct);
  }
  void TearDown() override {
    EditorFixture::TearDown();
    QApplication::setPalette(saved);
  }

  // A colour chosen as a user chooses it: a click on the swatch, the digits
  // typed into the dialog, OK.
  void Choose(const QString& digits) {
    WhenModal([digits](QWidget*) {
      TF_CorSeleciona* dialog = TF_CorSeleciona::Aberto();
      ASSERT_NE(dialog, nullptr);
      dialog->LCor1()->selectAll();
      QTest::keyClicks(dialog->LCor1(), digits);
      QTest::mouseClick(dialog->BOk(), Qt::LeftButton);
    });
    QTest::mouseClick(Child<TMPanel>(*window, "PCor1"), Qt::LeftButton);
  }
  QColor Swatch() const {
    const QImage shot = Child<TMPanel>(*window, "PCor1")->grab().toImage();
    return shot.pixelColor(shot.rect().center());
  }

  const QPalette saved = QApplication::palette();
};

TEST_F(SystemColours, ASystemColourLooksTheSameInTheSwatchAndOnTheElement) {
  TFEditorDeObjetos1& w = OpenWith({Cube("box", 0)});
  ClickListRow(0);
  ASSERT_EQ(w.Probe().SelectionCount(), 1);
  const QPalette desktop = QApplication::palette();
  // The colours the dialog names and the selection's, as the desktop has them.
  const std::map<unsigned, QPalette::ColorRole> named = {
      {5, QPalette::Base}, {15, QPalette::Button},    {16, QPalette::Dark},           {20, QPalette::Light},
      {8, QPalette::Text}, {13, QPalette::Highlight}, {14, QPalette::HighlightedText}};
  QColor lastSwatch;
  QImage lastFrame;
  // Those, the texts and shadows the two once told apart, and faces.
  for (const unsigned index : {5u, 8u, 13u, 14u, 15u, 16u, 20u, 7u, 9u, 18u, 21u, 4u, 24u}) {
    const uint32_t system = 0x80000000u | index;
    Choose(QString::asprintf("%08X", system));
    ASSERT_EQ(+w.Probe().Element(0).color, system);
    const QColor swatch = Swatch();
    if (named.count(index)) {
      EXPECT_EQ(swatch.name().toStdString(), desktop.color(named.at(index)).name().toStdString())
          << "system colour " << index;
    }
    const QImage frame = ViewOf(w)->grabFramebuffer();
    // The view shows the element: another colour, another picture.
    if (swatch != lastSwatch) {
      EXPECT_FALSE(frame == lastFrame) << "system colour " << index;
    }

    // The swatch's own colour, typed as plain digits (blue, green, red).
    Choose(QString::asprintf("%02X%02X%02X", swatch.blue(), swatch.green(), swatch.red()));
    ASSERT_EQ(w.Probe().Element(0).color & 0xFFFFFFu, static_cast<uint32_t>(ColorToWin(swatch)));
    EXPECT_EQ(Swatch().name().toStdString(), swatch.name().toStdString());
    EXPECT_TRUE(ViewOf(w)->grabFramebuffer() == frame)
        << "system colour " << index << " shows otherwise on the element than in the swatch";
    lastSwatch = swatch;
    lastFrame = frame;
  }
}
}  // namespace
