#pragma once
#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "TFEditorDeObjetos1.h"
#include "TGLPanel.h"
#include "TestFolder.h"
#include "controls/MessageBoxes.h"

// Answers the program's message boxes and records what they said.
// A 2 x 2 x 2 cube standing on the floor at x, as a saved document holds it.
inline Element3D Cube(const char* name, double x) {
  Element3D e{};
  e.kind = 0;
  e.name.assign(name);
  e.dx = e.dy = e.dz = 2;
  e.x = x;
  e.y = 1;
  e.chamfer = 0.27;
  e.topPercent = 100;
  return e;
}

struct RecordingBoxes : MessageBoxes {
  std::vector<std::string> warnings, questions;
  bool answer = true;
  void Warning(const std::string& text) override { warnings.push_back(text); }
  bool Confirmation(const std::string& text) override {
    questions.push_back(text);
    return answer;
  }
};

// A shown editor window with the message boxes answered by the test.
class EditorFixture : public ::testing::Test {
 protected:
  void SetUp() override { SetMessageBoxes(&boxes); }
  void TearDown() override {
    window.reset();
    SetMessageBoxes(nullptr);
  }

  TFEditorDeObjetos1& Open(const QStringList& arguments = {}) {
    window = std::make_unique<TFEditorDeObjetos1>(arguments);
    window->resize(1346, 700);
    window->show();
    window->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    // The view takes the keys by itself, as it does for a user.
    EXPECT_TRUE(QTest::qWaitFor([this] { return QApplication::focusWidget() == window->Tela1; }, 3000));
    return *window;
  }

  // Runs `answer` on the next modal dialog once it is up.
  static void WhenModal(std::function<void(QWidget*)> answer) {
    auto* timer = new QTimer;
    timer->setInterval(20);
    QObject::connect(timer, &QTimer::timeout, [timer, answer] {
      if (QWidget* modal = QApplication::activeModalWidget()) {
        timer->stop();
        timer->deleteLater();
        answer(modal);
      }
    });
    timer->start();
  }

  TestFolder dir;
  RecordingBoxes boxes;
  std::unique_ptr<TFEditorDeObjetos1> window;
};
