#include <QAccessible>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>

#include "window_fixture.hpp"
#include "zelmar/window/failure_text.hpp"

namespace zelmar::qt::testing {

// The window's description, which this front end reads.
using namespace zelmar::window;
namespace {

TEST_F(WindowTest, OpensAsTheDefaultButtonsWindowWithItsTitleAndIcon) {
  EXPECT_EQ(window_->windowTitle(), QStringLiteral("Calcolo Zelmar  1.0"));
  EXPECT_TRUE(Button()->isDefault());
  EXPECT_EQ(window_->windowIcon().availableSizes(), QList<QSize>{QSize(48, 48)});
}

TEST_F(WindowTest, AFailureShowsOneMessageAndTheWindowCarriesOn) {
  window_->SetFailureReporter(&MainWindow::ShowFailureMessage);
  QStringList shown;
  // Each modal message is read and closed as soon as it shows, whatever its
  // caption; the polling ends with the test.
  QTimer poll;
  QObject::connect(&poll, &QTimer::timeout, [&shown] {
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
      shown << box->windowTitle() + " | " + box->text();
      box->accept();
    }
  });
  poll.start(10);
  TypeInto("Gruppi", "0.5");  // reads as zero, then takes 0.5: no failure
  QTest::keyClick(Box("Gruppi"), Qt::Key_Return);
  ASSERT_EQ(shown.size(), 1);
  EXPECT_EQ(shown.front(),
            QStringLiteral("Zelmar | ") + QString::fromUtf8(FailureText(Failure::DivisionByZero).data()));
  EXPECT_EQ(Box("Gruppi")->text(), "0");  // written back before the failure
  EXPECT_TRUE(Caption("TotAltop").isEmpty());
  // Headless, nothing gives the window back its activation after a message.
  window_->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window_.get()));

  window_->SetFailureReporter([this](QWidget&, Failure kind) { failures_.push_back(kind); });
  TypeInto("Gruppi", "3");
  QTest::keyClick(Box("Gruppi"), Qt::Key_Return);
  EXPECT_EQ(Caption("TotAltop"), "6");
  EXPECT_TRUE(failures_.empty());
}

TEST_F(WindowTest, ScreenReadersSeeAFrameWhoseControlsAreTiedToTheirCaptionsOnly) {
  QAccessibleInterface* window = QAccessible::queryAccessibleInterface(window_.get());
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(window->role(), QAccessible::Window);
  EXPECT_EQ(window->text(QAccessible::Name), "Calcolo Zelmar  1.0");
  for (const char* control :
       {"Gruppi", "Altop", "ImpAp", "dBAp", "Calcola", "TotAltop", "ImpGruppi", "Liv"}) {
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(Control(control));
    ASSERT_NE(accessible, nullptr);
    for (const auto& relation : accessible->relations()) {
      EXPECT_EQ(relation.second, QAccessible::Label) << control;
    }
  }
}

TEST_F(WindowTest, TheAnnouncementIsANotificationThatShowsNothing) {
  auto* announcer = Control("ResultsAnnouncement");
  QAccessibleInterface* notification = QAccessible::queryAccessibleInterface(announcer);
  ASSERT_NE(notification, nullptr);
  EXPECT_EQ(notification->role(), QAccessible::Notification);
  EXPECT_FALSE(announcer->isVisible());
  QTest::keyClick(Button(), Qt::Key_Return);
  EXPECT_TRUE(announcer->isVisible());
  EXPECT_TRUE(announcer->size().isEmpty());
  EXPECT_EQ(announcer->focusPolicy(), Qt::NoFocus);
}

}  // namespace
}  // namespace zelmar::qt::testing
