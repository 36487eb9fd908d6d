#include <QDir>
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
      d->BCancelar()->click();
    });
    QVERIFY(!ok);
    QVERIFY(!secondOpened);
    QCOMPARE(chooser.Color(), clBtnFace);
    QVERIFY(TF_CorSeleciona::Aberto() == nullptr);
  }

  void paletteColourShowsSixDigitsAndRadioGivesTheSystemColour() {
    TCorSeleciona chooser;
    chooser.setColor(0x02123456);
    const bool ok = RunWith(chooser, [](TF_CorSeleciona* d) {
      QCOMPARE(d->LCor1()->text(), QString("123456"));
      QVERIFY(d->RadioMarcado() == nullptr);
      d->RCorWindowText()->click();
      QCOMPARE(d->LCor1()->text(), QString("80000008"));
      d->BOk()->click();
    });
    QVERIFY(ok);
    QCOMPARE(chooser.Color(), clWindowText);
  }

  void clickingAPaletteCellTakesItsTunedColour() {
    TCorSeleciona chooser;
    chooser.setColor(clWindow);
    const bool ok = RunWith(chooser, [](TF_CorSeleciona* d) {
      TPaletaCores* palette = d->Paleta();
      // Grey 153 with the initial sliders: lightness 0.6 x 1.1 -> 168.
      const QRect cell = palette->RetanguloDaCelula(3);
      Click(palette, cell.center());
      QCOMPARE(d->CorAtual(), TColor(0x02A8A8A8));
      QCOMPARE(d->LMensagem()->text(), QString("A8A8A8"));
      QCOMPARE(d->LCor1()->text(), QString("A8A8A8"));
      QVERIFY(d->RadioMarcado() == nullptr);
      QCOMPARE(palette->grab().toImage().pixelColor(cell.center()), QColor(168, 168, 168));
      d->BOk()->click();
    });
    QVERIFY(ok);
    QCOMPARE(chooser.Color(), TColor(0x02A8A8A8));
  }

  void hexadecimalField() {
    TF_CorSeleciona d;
    d.LCor1()->setText("FF0000");
    QCOMPARE(d.CorAtual(), TColor(0x02FF0000));
    QCOMPARE(d.PCor()->palette().color(QPalette::Window), QColor(0, 0, 255));
    QCOMPARE(d.LCor1()->text(), QString("FF0000"));  // left as typed
    d.LCor1()->setText("zz");
    QCOMPARE(d.CorAtual(), TColor(0x02000000));
    d.LCor1()->setText("8000000F");
    QCOMPARE(d.CorAtual(), clBtnFace);
    d.LCor1()->setText("02ABCDEF");
    QCOMPARE(d.CorAtual(), TColor(0x02ABCDEF));
  }

  void slidersTuneThePalette() {
    TF_CorSeleciona d;
    const int blue = 12 + 5;  // the web colour (0, 0, 255)
    QVERIFY(d.Paleta()->CorDaCelula(blue) != PaletteRelative(RGBColor(0, 0, 255)));
    d.Sat1()->setValue(100);
    d.Lum1()->setValue(50);
    QCOMPARE(d.Paleta()->CorDaCelula(blue), PaletteRelative(RGBColor(0, 0, 255)));
    QCOMPARE(d.Paleta()->CorDaCelula(8), PaletteRelative(RGBColor(0, 255, 0)));  // pure run untouched
    QCOMPARE(AdjustColor(RGBColor(255, 0, 0), 0, 50), PaletteRelative(RGBColor(128, 128, 128)));
    QCOMPARE(AdjustColor(RGBColor(0, 0, 0), 30, 55), PaletteRelative(RGBColor(0, 0, 0)));
  }

  void dialogIsTranslatedByItsHints() {
    QTemporaryDir dir;
    const std::string path = QDir(dir.path()).filePath("tradutorgeral.dat").toStdString();
    std::ofstream(path, std::ios::binary) << "header\r\n";
    LoadDictionaryFile(path);
    TCorSeleciona chooser;
    RunWith(chooser, [](TF_CorSeleciona* d) {
      QCOMPARE(d->windowTitle(), QString("Color"));
      QCOMPARE(d->BCancelar()->text(), QString("Cancel"));
      QCOMPARE(d->RCorBtnFace()->text(), QString("Button face"));
      d->BCancelar()->click();
    });
    FreeDictionary();
  }
};

QTEST_MAIN(TCorSelecionaTest)
#include "TCorSelecionaTest.moc"
