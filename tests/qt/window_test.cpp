// What is the Qt window's own: its title and icon, its announcer, its
// captions and how its controls stack. The behaviour it shares with the
// other front ends, places and fonts included, is in the cases
// (cases_test.cpp); the roles, names and relations a screen reader reads
// through the accessibility bus, in the screen reader test (tests/app).

#include <gtest/gtest.h>

#include <QApplication>
#include <QFontInfo>
#include <QLabel>
#include <QPushButton>
#include <QRect>
#include <QScreen>
#include <QTest>
#include <memory>
#include <string>
#include <string_view>

#include "zelmar/failure.hpp"
#include "zelmar/qt/caption_label.hpp"
#include "zelmar/qt/main_window.hpp"
#include "zelmar/qt/text.hpp"
#include "zelmar/window/control_table.hpp"

namespace zelmar::qt::testing {

// The window's description, which this front end reads.
using namespace zelmar::window;
namespace {

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

TEST_F(WindowTest, OpensAsTheDefaultButtonsWindowWithItsIcon) {
  EXPECT_TRUE(Button()->isDefault());
  EXPECT_EQ(window_->windowIcon().availableSizes(), QList<QSize>{QSize(48, 48)});
}

// A notification to screen readers (the screen reader test hears it), with
// nothing to see or to focus.
TEST_F(WindowTest, TheAnnouncerShowsNothingAndTakesNoFocus) {
  auto* announcer = Control("ResultsAnnouncement");
  EXPECT_FALSE(announcer->isVisible());
  QTest::keyClick(Button(), Qt::Key_Return);
  EXPECT_TRUE(announcer->isVisible());
  EXPECT_TRUE(announcer->size().isEmpty());
  EXPECT_EQ(announcer->focusPolicy(), Qt::NoFocus);
}

// A caption label may run on to the right into empty background; everything
// else stands exactly at its place.
QRect DesignedGeometry(const QWidget* control) {
  QRect rect = control->geometry();
  if (const auto* caption = qobject_cast<const CaptionLabel*>(control)) rect.setWidth(caption->DesignWidth());
  return rect;
}

// On a desktop at 144 dpi that lays windows out in its own pixels (an X
// desktop with Xft.dpi: 144 and Qt's scaling off; run so as Qt.WindowAt144Dpi):
// places and fonts one and a half times the design's, written out. The
// halves round up. With Qt's scaling on, the window is laid out at 96 and
// drawn one and a half times, as the cases see it.
TEST_F(WindowTest, AtOneAndAHalfTimesTheDesignsResolution) {
  if (window_->screen()->logicalDotsPerInchY() != 144) GTEST_SKIP() << "run at 144 dpi by Qt.WindowAt144Dpi";
  EXPECT_EQ(window_->size(), QSize(425, 561));
  EXPECT_EQ(Control("Gruppi")->geometry(), QRect(26, 333, 50, 38));
  EXPECT_EQ(Button()->geometry(), QRect(24, 504, 242, 50));
  EXPECT_EQ(Control("Image1")->geometry(), QRect(42, 8, 347, 236));
  // 9.75 pt is 20 pixels at 144 dpi, 8.25 pt 17, 12 pt 24, 14.25 pt 29.
  EXPECT_EQ(QFontInfo(Button()->font()).pixelSize(), 20);
  EXPECT_EQ(QFontInfo(Control("Label6")->font()).pixelSize(), 17);
  EXPECT_EQ(QFontInfo(Control("Label9")->font()).pixelSize(), 24);
  EXPECT_EQ(QFontInfo(Control("Label12")->font()).pixelSize(), 29);
}

TEST_F(WindowTest, ThePictureShowsAtItsNaturalSizeInsideItsSunkenBorder) {
  EXPECT_EQ(Control<QLabel>("Image1")->contentsRect(), QRect(2, 2, 227, 153));
}

TEST_F(WindowTest, EveryCaptionShowsWholeAndRunsOnOnlyIntoEmptyBackground) {
  const auto labels = window_->findChildren<CaptionLabel*>();
  ASSERT_EQ(labels.size(), 13);  // captions and results
  for (const CaptionLabel* label : labels) {
    SCOPED_TRACE(label->objectName().toStdString());
    if (!label->text().isEmpty()) {
      EXPECT_TRUE(label->ShowsWhole());
    }
    if (label->width() == label->DesignWidth()) continue;
    const QRect run_on(label->x() + label->DesignWidth(), label->y(), label->width() - label->DesignWidth(),
                       label->height());
    for (const window::ControlSpec& other : window::kControls) {
      const QWidget* control = Control(other.name);
      if (control == label || other.name == "Gruppi") continue;
      EXPECT_FALSE(run_on.intersects(DesignedGeometry(control))) << other.name;
    }
  }
  EXPECT_EQ(Control<CaptionLabel>("Label13")->Lines(),
            QStringList({"Immettere i 4 dati richiesti e premere il tasto", "Calcola Ztot e dBtot"}));
}

TEST_F(WindowTest, BoxesAndTheButtonAreDrawnOverTheLabels) {
  const QObjectList& stacking = window_->children();  // bottom to top
  for (const char* over : {"Gruppi", "Altop", "ImpAp", "dBAp", "Calcola"}) {
    for (const char* under : {"Label1", "Label5", "Label6", "Label7"}) {
      EXPECT_GT(stacking.indexOf(Control(over)), stacking.indexOf(Control(under))) << over << " " << under;
    }
  }
  EXPECT_EQ(window_->childAt(20, 222)->objectName(), "Gruppi");  // the row a caption reaches into
}

// A window made smaller than the design cuts the controls off at its edges
// and moves none (resizing larger and maximising are in the cases).
TEST_F(WindowTest, ASmallerWindowCutsItsControlsOff) {
  std::vector<QRect> before;
  before.reserve(window::kControls.size());
  for (const window::ControlSpec& control : window::kControls)
    before.push_back(Control(control.name)->geometry());
  window_->resize(120, 90);
  QApplication::processEvents();
  ASSERT_EQ(window_->size(), QSize(120, 90));  // resized for real
  for (std::size_t i = 0; i < before.size(); ++i) {
    EXPECT_EQ(Control(window::kControls[i].name)->geometry(), before[i]) << window::kControls[i].name;
  }
}

}  // namespace
}  // namespace zelmar::qt::testing
