#pragma once

#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <memory>
#include <string_view>
#include <vector>

#include "zelmar/qt/main_window.hpp"

namespace zelmar::qt::testing {

// A shown, active window. No test here makes a figure fail: a failure would
// show a modal message, so it fails the test instead.
class WindowTest : public ::testing::Test {
 protected:
  void SetUp() override { Open(DecimalSeparator::Point()); }

  void Open(DecimalSeparator separator) {
    window_ = std::make_unique<MainWindow>(separator);
    window_->SetFailureReporter(
        [](QWidget&, Failure kind) { ADD_FAILURE() << "failure " << static_cast<int>(kind); });
    window_->show();
    window_->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window_.get()));
  }

  template <typename T = QWidget>
  T* Control(std::string_view name) const {
    auto* control = window_->findChild<T*>(QLatin1String(name.data(), static_cast<qsizetype>(name.size())));
    EXPECT_NE(control, nullptr) << name;
    return control;
  }
  QPushButton* Button() const { return Control<QPushButton>("Calcola"); }

  std::unique_ptr<MainWindow> window_;
};

}  // namespace zelmar::qt::testing
