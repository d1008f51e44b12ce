// The window's behaviour cases, carried out on the Qt window: keys, clicks
// and pastes through Qt's own event delivery, offscreen.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QFontInfo>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <memory>

#include "window_cases.hpp"
#include "zelmar/qt/main_window.hpp"
#include "zelmar/qt/text.hpp"

namespace zelmar::qt::testing {

// The window's description, which this front end reads.
using namespace zelmar::window;
namespace {

using zelmar::testing::InkLine;
using zelmar::testing::WindowCase;

class QtDriver final : public zelmar::testing::WindowDriver, public QObject {
 public:
  QtDriver() {
    // Each message is read and closed as soon as it shows, as a user would.
    QObject::connect(&close_messages_, &QTimer::timeout, this, [this] {
      if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
        messages_.push_back(
            zelmar::testing::ShownMessage(box->windowTitle().toStdString(), box->text().toStdString()));
        box->accept();
      }
    });
    close_messages_.start(10);
    Reopen(DecimalSeparator::Point());
  }

  void Reopen(DecimalSeparator separator) override {
    window_.reset();
    announcements_.clear();
    window_ = std::make_unique<MainWindow>(separator);
    window_->findChild<QWidget*>(QStringLiteral("ResultsAnnouncement"))->installEventFilter(this);
    window_->show();
    Activate();
  }

  void Type(std::string_view box, std::string_view text) override {
    auto* edit = SelectAll(box);
    QTest::keyClicks(edit, ToQString(text));
    Settle();
  }
  void Keys(std::string_view text) override {
    QWidget* target = QApplication::focusWidget();
    ASSERT_NE(target, nullptr);
    QTest::keyClicks(target, ToQString(text));
    Settle();
  }
  void Paste(std::string_view box, std::string_view text) override {
    QApplication::clipboard()->setText(ToQString(text));
    QTest::keyClick(SelectAll(box), Qt::Key_V, Qt::ControlModifier);
    Settle();
  }
  void Caret(std::string_view box, int count) override {
    Focus(box);
    auto* edit = Control<QLineEdit>(box);
    QTest::keyClick(edit, Qt::Key_Home);
    for (int n = 0; n < count; ++n) QTest::keyClick(edit, Qt::Key_Right);
  }
  void PasteHere(std::string_view text) override {
    QApplication::clipboard()->setText(ToQString(text));
    QWidget* target = QApplication::focusWidget();
    ASSERT_NE(target, nullptr);
    QTest::keyClick(target, Qt::Key_V, Qt::ControlModifier);
    Settle();
  }
  // Offscreen there is no drag from another program: the box gets the
  // events such a drag brings, entering, moving over it and dropping.
  void Drop(std::string_view box, std::string_view text) override {
    auto* edit = Control<QLineEdit>(box);
    QMimeData dragged;
    dragged.setText(ToQString(text));
    const QPointF middle = QRectF(edit->rect()).center();
    QDragEnterEvent enter(middle.toPoint(), Qt::CopyAction, &dragged, Qt::LeftButton, {});
    QApplication::sendEvent(edit, &enter);
    EXPECT_TRUE(enter.isAccepted()) << "the box refuses the drag";
    QDragMoveEvent move(middle.toPoint(), Qt::CopyAction, &dragged, Qt::LeftButton, {});
    QApplication::sendEvent(edit, &move);
    QDropEvent drop(middle, Qt::CopyAction, &dragged, Qt::LeftButton, {});
    QApplication::sendEvent(edit, &drop);
    EXPECT_TRUE(drop.isAccepted()) << "the box refuses the drop";
    Settle();
  }
  void Key(std::string_view key) override {
    QWidget* target = QApplication::focusWidget();
    ASSERT_NE(target, nullptr);
    if (key == "Enter") {
      QTest::keyClick(target, Qt::Key_Return);
    } else if (key == "KeypadEnter") {
      QTest::keyClick(target, Qt::Key_Enter, Qt::KeypadModifier);
    } else if (key == "Space") {
      QTest::keyClick(target, Qt::Key_Space);
    } else if (key == "Tab") {
      QTest::keyClick(target, Qt::Key_Tab);
    } else if (key == "Shift+Tab") {
      QTest::keyClick(target, Qt::Key_Backtab, Qt::ShiftModifier);
    } else if (key == "Backspace") {
      QTest::keyClick(target, Qt::Key_Backspace);
    } else if (key == "Ctrl+Z") {
      QTest::keyClick(target, Qt::Key_Z, Qt::ControlModifier);
    } else if (key == "Redo") {
      QTest::keySequence(target, QKeySequence(QKeySequence::Redo));
    } else if (key == "Alt+C") {
      // Qt presses the button visibly for a moment before the click.
      QTest::keyClick(target, Qt::Key_C, Qt::AltModifier);
      auto* button = Control<QPushButton>("Calcola");
      EXPECT_TRUE(QTest::qWaitFor([button] { return !button->isDown(); }, 2000));
    } else {
      ADD_FAILURE() << "no key " << key;
    }
    Settle();
  }
  void Focus(std::string_view control) override { Control(control)->setFocus(Qt::OtherFocusReason); }
  void Click(int x, int y) override {
    // To whatever the pointer is over, as Qt delivers a real click.
    QWidget* target = window_->childAt(x, y);
    if (target == nullptr) target = window_.get();
    QTest::mouseClick(target, Qt::LeftButton, {}, target->mapFrom(window_.get(), QPoint(x, y)));
    Settle();
  }

  void Resize(int width, int height) override {
    window_->resize(width, height);
    QApplication::processEvents();
    EXPECT_EQ(window_->size(), QSize(width, height)) << "not resized";
  }
  void Maximise() override {
    window_->showMaximized();
    QApplication::processEvents();
    EXPECT_TRUE(window_->isMaximized());
    EXPECT_GT(window_->width(), 400) << "not maximised";
    Settle();
  }
  std::string Title() override { return window_->windowTitle().toStdString(); }
  std::pair<int, int> ClientSize() override { return {window_->width(), window_->height()}; }
  std::string Text(std::string_view control) override {
    QWidget* widget = Control(control);
    if (auto* box = qobject_cast<QLineEdit*>(widget)) return box->text().toStdString();
    return qobject_cast<QLabel*>(widget)->text().toStdString();
  }
  std::string FocusName() override {
    return QApplication::focusWidget() != nullptr ? QApplication::focusWidget()->objectName().toStdString()
                                                  : "";
  }
  std::vector<std::string> TakeMessages() override { return std::exchange(messages_, {}); }
  std::vector<zelmar::testing::Announcement> Announcements() override { return announcements_; }
  std::string Tip(std::string_view result) override { return Control(result)->toolTip().toStdString(); }
  std::string Spoken(std::string_view control) override {
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(Control(control));
    return accessible != nullptr ? accessible->text(QAccessible::Name).toStdString() : "(none)";
  }
  PixelRect Place(std::string_view control) override {
    const QRect r = Control(control)->geometry();
    return {r.x(), r.y(), r.width(), r.height()};
  }
  zelmar::testing::FontSeen Font(std::string_view control) override {
    // The family Qt found for the window's request, as the user sees it.
    const QFont font = Control(control)->font();
    return {QFontInfo(font).family().toStdString(), QFontInfo(font).pixelSize(), font.bold(),
            !font.italic() && !font.underline() && !font.strikeOut()};
  }
  std::vector<InkLine> Ink(std::string_view control) override {
    QWidget* label = Control(control);
    const QImage image = label->grab().toImage();
    const QRgb background = label->palette().color(label->backgroundRole()).rgb();
    return zelmar::testing::InkLines(image.width(), image.height(),
                                     [&](int x, int y) { return image.pixel(x, y) != background; });
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Show) {
      announcements_.push_back(
          {qobject_cast<QWidget*>(watched)->accessibleName().toStdString(), FocusName()});
    }
    return false;
  }

 private:
  void Activate() {
    window_->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(window_.get()));
  }
  // Offscreen, no window manager gives the window back its activation once
  // a message has closed.
  void Settle() {
    if (!window_->isActiveWindow()) Activate();
  }

  template <typename T = QWidget>
  T* Control(std::string_view name) {
    auto* control = window_->findChild<T*>(ToQString(name));
    EXPECT_NE(control, nullptr) << name;
    return control;
  }
  QLineEdit* SelectAll(std::string_view box) {
    auto* edit = Control<QLineEdit>(box);
    edit->setFocus(Qt::MouseFocusReason);
    edit->selectAll();
    return edit;
  }

  std::unique_ptr<MainWindow> window_;
  QTimer close_messages_;
  std::vector<std::string> messages_;
  std::vector<zelmar::testing::Announcement> announcements_;
};

class WindowCases : public ::testing::TestWithParam<WindowCase> {};

TEST_P(WindowCases, OnTheQtWindow) {
  QtDriver driver;
  RunCase(GetParam(), driver);
}

INSTANTIATE_TEST_SUITE_P(Cases, WindowCases, ::testing::ValuesIn(zelmar::testing::WindowCases()),
                         [](const auto& info) { return zelmar::testing::CaseTestName(info.param); });

}  // namespace
}  // namespace zelmar::qt::testing
