#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>

#include "shell/world5.h"

namespace plexaro::testing {

// The real window, shown and active, working in a fresh temporary folder so
// that saves land there; its messages are collected instead of shown.
class WindowInTempFolder : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(tmp.isValid());
    oldDir = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(tmp.path()));
    w.setMessageSink([this](const QString& text) { messages << text; });
    w.show();
    QApplication::setActiveWindow(&w);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
  }
  void TearDown() override { QDir::setCurrent(oldDir); }

  QTemporaryDir tmp;
  QString oldDir;
  world5 w;
  QStringList messages;
};

}  // namespace plexaro::testing
