// Every way a text arrives in a box on Linux, with a line break in it: the
// box takes its first line, and the arrival is one step of its undo history.
// The cases paste with Ctrl+V; the other ways are this platform's own.

#include "zelmar/qt/entry_box.hpp"

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QInputMethodEvent>
#include <QMenu>
#include <QMimeData>
#include <QTest>
#include <functional>

namespace zelmar::qt::testing {
namespace {

struct Way {
  const char* name;
  // Brings the text into the box; the point where a pointer brings it, in
  // the box's coordinates.
  std::function<void(EntryBox& box, const QString& text, QPoint point)> bring;
  bool at_pointer = false;  // the text goes where the pointer is, not the caret
  bool typed = false;       // it is typing, and undone with the typing before it
};

void PrintTo(const Way& way, std::ostream* out) { *out << way.name; }

void PasteKeys(EntryBox& box, const QString& text, QKeyCombination keys) {
  QApplication::clipboard()->setText(text);
  QTest::keyClick(&box, keys.key(), keys.keyboardModifiers());
}

const Way kWays[] = {
    {"Ctrl+V",
     [](EntryBox& box, const QString& text, QPoint) { PasteKeys(box, text, Qt::CTRL | Qt::Key_V); }},
    {"Shift+Insert",
     [](EntryBox& box, const QString& text, QPoint) { PasteKeys(box, text, Qt::SHIFT | Qt::Key_Insert); }},
    {"the context menu's Paste",
     [](EntryBox& box, const QString& text, QPoint point) {
       QApplication::clipboard()->setText(text);
       QContextMenuEvent open(QContextMenuEvent::Mouse, point, box.mapToGlobal(point));
       QApplication::sendEvent(&box, &open);
       auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
       ASSERT_NE(menu, nullptr) << "no context menu";
       QAction* paste = EntryBox::PasteAction(*menu);
       ASSERT_NE(paste, nullptr) << "no Paste in the context menu";
       // Down to Paste and Enter, as by the keys: a click so soon after the
       // menu opened is one Qt 6.8's menus ignore.
       menu->setActiveAction(paste);
       QTest::keyClick(menu, Qt::Key_Return);
     }},
    {"the middle click",
     [](EntryBox& box, const QString& text, QPoint point) {
       if (!QApplication::clipboard()->supportsSelection()) {
         // Qt.ArrivingTextOnX11 runs it where there is one.
         ASSERT_NE(QGuiApplication::platformName(), QStringLiteral("xcb")) << "no selection on X11";
         GTEST_SKIP() << "no X11 selection on this platform";
       }
       QApplication::clipboard()->setText(text, QClipboard::Selection);
       QTest::mouseClick(&box, Qt::MiddleButton, {}, point);
     },
     true},
    {"a drop",
     [](EntryBox& box, const QString& text, QPoint point) {
       QMimeData dragged;
       dragged.setText(text);
       QDragEnterEvent enter(point, Qt::CopyAction, &dragged, Qt::LeftButton, {});
       QApplication::sendEvent(&box, &enter);
       QDragMoveEvent move(point, Qt::CopyAction, &dragged, Qt::LeftButton, {});
       QApplication::sendEvent(&box, &move);
       QDropEvent drop(point, Qt::CopyAction, &dragged, Qt::LeftButton, {});
       QApplication::sendEvent(&box, &drop);
     },
     true},
    {"an input method",
     [](EntryBox& box, const QString& text, QPoint) {
       QInputMethodEvent commit;
       commit.setCommitString(text);
       QApplication::sendEvent(&box, &commit);
     },
     false, true},
};

class ArrivingText : public ::testing::TestWithParam<Way> {};

TEST_P(ArrivingText, TakesTheFirstLineAsOneStepOfUndo) {
  const Way& way = GetParam();
  EntryBox box(QStringLiteral("89"), nullptr);
  box.resize(120, 25);
  box.show();
  box.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&box));
  box.setCursorPosition(1);
  QTest::keyClicks(&box, QStringLiteral("5"));  // typed just before, the caret not moved since
  ASSERT_EQ(box.text(), QStringLiteral("859"));
  const QPoint past_the_text(box.width() - 10, box.height() / 2);
  way.bring(box, QStringLiteral("12\r\n3"), past_the_text);
  if (::testing::Test::IsSkipped()) return;

  const std::string taken = way.at_pointer ? "85912" : "85129";
  EXPECT_EQ(box.text().toStdString(), taken) << way.name;
  QTest::keyClick(&box, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(box.text().toStdString(), way.typed ? "89" : "859") << way.name << ": undone";
  QTest::keySequence(&box, QKeySequence(QKeySequence::Redo));
  EXPECT_EQ(box.text().toStdString(), taken) << way.name << ": redone";
  if (way.typed) return;
  QTest::keyClicks(&box, QStringLiteral("7"));
  QTest::keyClick(&box, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(box.text().toStdString(), taken) << way.name << ": what is typed after it is a step of its own";
}

INSTANTIATE_TEST_SUITE_P(EveryWay, ArrivingText, ::testing::ValuesIn(kWays), [](const auto& info) {
  std::string name;
  for (const char c : std::string(info.param.name)) {
    if (std::isalnum(static_cast<unsigned char>(c)) != 0) name += c;
  }
  return name;
});

// A way the box does not see (a direct insertion, as an accessibility
// tool's) still leaves one line: the arrival is cut at its first line
// break, and what stood after the caret stays.
TEST(ArrivingTextByAnotherWay, IsCutAtItsLineBreakAndKeepsWhatFollows) {
  EntryBox box(QStringLiteral("89"), nullptr);
  box.setCursorPosition(1);
  box.QLineEdit::insert(QStringLiteral("12\n3"));
  EXPECT_EQ(box.text().toStdString(), "8129");
  EXPECT_EQ(box.cursorPosition(), 3);
}

}  // namespace
}  // namespace zelmar::qt::testing
