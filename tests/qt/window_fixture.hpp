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

// A shown, active window whose failure reports are recorded, not shown.
class WindowTest : public ::testing::Test {
 protected:
  void SetUp() override { Open(DecimalSeparator::Point()); }

  void Open(DecimalSeparator separator) {
    window_ = std::make_unique<MainWindow>(separator);
    window_->SetFailureReporter([this](QWidget&, Failure kind) { failures_.push_back(kind); });
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
  QLineEdit* Box(const char* name) const { return Control<QLineEdit>(name); }
  QPushButton* Button() const { return Control<QPushButton>("Calcola"); }
  QString Caption(const char* name) const { return Control<QLabel>(name)->text(); }
  static QString FocusName() {
    return QApplication::focusWidget() != nullptr ? QApplication::focusWidget()->objectName() : QString();
  }

  // Selects the whole text of a box and types over it, as a user would.
  void TypeInto(const char* name, const QString& keys) {
    QLineEdit* box = Box(name);
    box->setFocus(Qt::MouseFocusReason);
    box->selectAll();
    QTest::keyClicks(box, keys);
  }

  std::unique_ptr<MainWindow> window_;
  std::vector<Failure> failures_;
};

}  // namespace zelmar::qt::testing
