#pragma once

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QPushButton>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>

#include "shell/canvas.h"
#include "shell/main_window.h"

namespace plexaro::testing {

// The real window, shown and active, working in a fresh temporary folder so
// that saves land there; its messages are collected instead of shown.
class WindowInTempFolder : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(tmp.isValid() && QDir::setCurrent(tmp.path()));
    w.setMessageSink([this](const QString& text) { messages << text; });
    w.show();
    QApplication::setActiveWindow(&w);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
  }
  QPushButton* button(const char* name) { return w.findChild<QPushButton*>(name); }
  QAction* item(const char* name) { return w.findChild<QAction*>(name); }
  const QImage& image() { return w.findChild<Canvas*>()->image(); }

  QTemporaryDir tmp;
  MainWindow w;
  QStringList messages;
};

}  // namespace plexaro::testing
