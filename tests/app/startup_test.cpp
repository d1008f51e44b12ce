#include "startup.hpp"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "version.hpp"

namespace zelmar::app {
namespace {

QString BoxText(const QWidget& window, const char* name) {
  return window.findChild<QLineEdit*>(QLatin1String(name))->text();
}
QString ResultText(const QWidget& window, const char* name) {
  return window.findChild<QLabel*>(QLatin1String(name))->text();
}

TEST(Startup, NamesTheApplicationAndItsVersion) {
  Configure();
  EXPECT_EQ(QApplication::applicationName(), "Zelmar");
  EXPECT_EQ(QApplication::applicationVersion(), "1.0.0.2");
  EXPECT_STREQ(kVersionShown, "1.00.0002");
  EXPECT_EQ(QGuiApplication::desktopFileName(), "org.zelmar.zelmar");
  EXPECT_FALSE(QApplication::windowIcon().isNull());
}

// What one run types and calculates is gone in the next: the window the
// program opens shows the figures it opens with (the cases say which).
TEST(Startup, AFreshStartAlwaysShowsTheDesignTimeFigures) {
  Configure();
  for (int run = 0; run < 2; ++run) {
    const auto window = OpenMainWindow();
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(BoxText(*window, "Gruppi"), "2");
    EXPECT_TRUE(ResultText(*window, "TotAltop").isEmpty());
    window->WriteEntryText(Entry::Gruppi, "7");
    window->findChild<QPushButton*>(QStringLiteral("Calcola"))->click();
    EXPECT_EQ(ResultText(*window, "TotAltop"), "14");
  }
}

TEST(Startup, TheSeparatorComesFromTheLocale) {
  EXPECT_EQ(SeparatorOf(QLocale(QLocale::Italian, QLocale::Italy)), DecimalSeparator::Comma());
  EXPECT_EQ(SeparatorOf(QLocale(QLocale::English, QLocale::UnitedStates)), DecimalSeparator::Point());
  EXPECT_EQ(SeparatorOf(QLocale(QLocale::German, QLocale::Germany)), DecimalSeparator::Comma());
  EXPECT_EQ(SeparatorOf(QLocale::c()), DecimalSeparator::Point());
  // A separator outside ASCII reaches the core whole.
  EXPECT_EQ(SeparatorOf(QLocale(QLocale::Arabic, QLocale::Egypt)).Utf8(), "\xd9\xab");
}

// CTest runs this once under an Italian and once under an English
// environment; the program must follow the user's locale.
TEST(Startup, ShowsResultsInTheUsersLocale) {
  const QString locale = QLocale::system().name();
  QString expected;
  if (locale == QLatin1String("it_IT")) expected = QStringLiteral("96,02");
  if (locale == QLatin1String("en_US")) expected = QStringLiteral("96.02");
  if (expected.isEmpty()) GTEST_SKIP() << "locale " << locale.toStdString() << " is neither it_IT nor en_US";
  const auto window = OpenMainWindow();
  QTest::mouseClick(window->findChild<QPushButton*>(QStringLiteral("Calcola")), Qt::LeftButton);
  EXPECT_EQ(ResultText(*window, "Liv"), expected);
}

}  // namespace
}  // namespace zelmar::app
