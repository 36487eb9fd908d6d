#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <fstream>
#include <functional>

#include "MouseHelpers.h"
#include "common/Dictionary.h"
#include "controls/ColorAdjust.h"
#include "controls/TCorSeleciona.h"
#include "controls/TF_CorSeleciona.h"
#include "controls/TPaletaCores.h"

class TCorSelecionaTest : public QObject {
  Q_OBJECT

  // Runs `inside` once the dialog is open, then executes the chooser.
  static bool RunWith(TCorSeleciona& chooser, std::function<void(TF_CorSeleciona*)> inside) {
    QTimer::singleShot(0, [inside] {
      TF_CorSeleciona* dialog = TF_CorSeleciona::Aberto();
      QVERIFY(dialog);
      inside(dialog);
    });
    return chooser.Execute();
  }

 private slots:
  void systemColourChecksItsRadioAndShowsEightDigits() {
    TCorSeleciona chooser;
    chooser.setColor(clBtnFace);
    bool secondOpened = true;
    const bool ok = RunWith(chooser, [&](TF_CorSeleciona* d) {
      QCOMPARE(d->RadioMarcado(), d->RCorBtnFace());
      QCOMPARE(d->LCor1()->text(), QString("8000000F"));
      TCorSeleciona other;
      secondOpened = other.Execute();  // one dialog at a time
      QTest::mouseClick(d->BCancelar(), Qt::LeftButton);
    });
    QVERIFY(!ok);
    QVERIFY(!secondOpened);
    QCOMPARE(chooser.Color(), clBtnFace);
    QVERIFY(TF_CorSeleciona::Aberto() == nullptr);
  }

  // A clicked cell gives its tuned colour, shown in six digits; a radio gives its system colour.
  void okTakesTheClickedCellOrTheCheckedRadio() {
    TCorSeleciona chooser;
    chooser.setColor(clWindow);
    QVERIFY(RunWith(chooser, [](TF_CorSeleciona* d) {
      TPaletaCores* palette = d->Paleta();
      const QRect cell = palette->RetanguloDaCelula(3);  // grey 153, lightness x 1.1 at first: 168
      Click(palette, cell.center());
      QCOMPARE(d->CorAtual(), TColor(0x02A8A8A8));
      QCOMPARE(d->LMensagem()->text(), QString("A8A8A8"));
      QCOMPARE(d->LCor1()->text(), QString("A8A8A8"));
      QVERIFY(d->RadioMarcado() == nullptr);
      QCOMPARE(palette->grab().toImage().pixelColor(cell.center()), QColor(168, 168, 168));
      QTest::mouseClick(d->BOk(), Qt::LeftButton);
    }));
    QCOMPARE(chooser.Color(), TColor(0x02A8A8A8));

    QVERIFY(RunWith(chooser, [](TF_CorSeleciona* d) {
      QCOMPARE(d->LCor1()->text(), QString("A8A8A8"));
      QVERIFY(d->RadioMarcado() == nullptr);
      QTest::keyClick(d->RCorWindowText(), Qt::Key_Space);
      QCOMPARE(d->LCor1()->text(), QString("80000008"));
      QTest::mouseClick(d->BOk(), Qt::LeftButton);
    }));
    QCOMPARE(chooser.Color(), clWindowText);
  }

  // Typed digits: six are a palette colour, eight a system colour, nonsense black.
  void typedDigitsAndSlidersTuneTheColour() {
    TF_CorSeleciona d;
    d.show();
    auto type = [&d](const char* text) {
      d.LCor1()->selectAll();
      QTest::keyClicks(d.LCor1(), text);
      return d.CorAtual();
    };
    QCOMPARE(type("FF0000"), TColor(0x02FF0000));
    QCOMPARE(d.PCor()->palette().color(QPalette::Window), QColor(0, 0, 255));
    QCOMPARE(d.LCor1()->text(), QString("FF0000"));  // left as typed
    QCOMPARE(type("zz"), TColor(0x02000000));
    QCOMPARE(type("8000000F"), clBtnFace);
    QCOMPARE(type("02ABCDEF"), TColor(0x02ABCDEF));

    const int blue = 12 + 5;  // the web colour (0, 0, 255)
    QVERIFY(d.Paleta()->CorDaCelula(blue) != PaletteRelative(RGBColor(0, 0, 255)));
    QTest::keyClick(d.Sat1(), Qt::Key_End);
    for (int i = 0; i < 5; ++i) QTest::keyClick(d.Lum1(), Qt::Key_Left);
    QCOMPARE(d.Lum1()->value(), 50);
    QCOMPARE(d.Paleta()->CorDaCelula(blue), PaletteRelative(RGBColor(0, 0, 255)));
    QCOMPARE(d.Paleta()->CorDaCelula(8), PaletteRelative(RGBColor(0, 255, 0)));  // pure run untouched
    QCOMPARE(AdjustColor(RGBColor(255, 0, 0), 0, 50), PaletteRelative(RGBColor(128, 128, 128)));
    QCOMPARE(AdjustColor(RGBColor(0, 0, 0), 30, 55), PaletteRelative(RGBColor(0, 0, 0)));
  }

  void dialogIsTranslatedByItsHints() {
    QTemporaryDir dir;
    const std::string path = dir.filePath("tradutorgeral.dat").toStdString();
    std::ofstream(path, std::ios::binary) << "header\r\n";
    LoadDictionaryFile(path);
    TCorSeleciona chooser;
    RunWith(chooser, [](TF_CorSeleciona* d) {
      QCOMPARE(d->windowTitle(), QString("Color"));
      QCOMPARE(d->BCancelar()->text(), QString("Cancel"));
      QCOMPARE(d->RCorBtnFace()->text(), QString("Button face"));
      QTest::mouseClick(d->BCancelar(), Qt::LeftButton);
    });
    FreeDictionary();
  }
};

QTEST_MAIN(TCorSelecionaTest)
#include "TCorSelecionaTest.moc"
