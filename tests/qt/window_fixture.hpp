#pragma once

#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <memory>
#include <string_view>
#include <vector>

#include "zelmar/failure.hpp"
#include "zelmar/qt/main_window.hpp"
#include "zelmar/qt/text.hpp"

namespace zelmar::qt::testing {

// A shown, active window. No test here makes a figure fail: a failure would
// show a modal message, so it fails the test instead.
class WindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    window_ = std::make_unique<MainWindow>(DecimalSeparator::Point());
    window_->SetFailureReporter(
        [](QWidget&, Failure kind) { ADD_FAILURE() << "failure " << FailureName(kind); });
    window_->show();
    window_->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window_.get()));
  }

  template <typename T = QWidget>
  T* Control(std::string_view name) const {
    auto* control = window_->findChild<T*>(ToQString(name));
    EXPECT_NE(control, nullptr) << name;
    return control;
  }
  QPushButton* Button() const { return Control<QPushButton>("Calcola"); }

  std::unique_ptr<MainWindow> window_;
};

}  // namespace zelmar::qt::testing
