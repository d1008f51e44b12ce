#include <QFontInfo>
#include <QRect>
#include <string>

#include "caption_label.hpp"
#include "window_fixture.hpp"

namespace zelmar::qt::testing {
namespace {

struct Placement {
  const char* name;
  QRect pixels;  // at 96 dots per inch
  double points;
  bool bold;
  int pixel_size;
};

// The design in pixels at 96 dpi, kept apart from the twips of the window's
// own table so that a slip in either shows.
const Placement kPlacements[] = {
    {"Gruppi", {17, 222, 33, 25}, 9, false, 12},       {"Altop", {89, 222, 33, 25}, 9, false, 12},
    {"ImpAp", {160, 222, 33, 25}, 9, false, 12},       {"dBAp", {233, 222, 33, 25}, 9, false, 12},
    {"Calcola", {16, 336, 161, 33}, 9.75, true, 13},   {"TotAltop", {213, 258, 64, 21}, 14.25, false, 19},
    {"ImpGruppi", {118, 282, 65, 20}, 12, true, 16},   {"Liv", {121, 309, 60, 19}, 12, true, 16},
    {"Label1", {6, 206, 57, 17}, 8.25, false, 11},     {"Label5", {73, 206, 64, 17}, 8.25, false, 11},
    {"Label6", {160, 206, 45, 17}, 8.25, false, 11},   {"Label7", {222, 206, 58, 17}, 8.25, false, 11},
    {"Label15", {30, 259, 177, 22}, 9.75, true, 13},   {"Label9", {30, 283, 75, 17}, 12, true, 16},
    {"Label10", {30, 308, 75, 17}, 12, true, 16},      {"Label12", {192, 279, 41, 25}, 14.25, false, 19},
    {"Label14", {193, 304, 68, 25}, 14.25, false, 19}, {"Label13", {19, 165, 247, 33}, 9, false, 12},
    {"Image1", {28, 5, 231, 157}, 14.25, false, 19},
};

// A caption label may run on to the right into empty background; everything
// else stands exactly at its place.
QRect DesignedGeometry(const QWidget* control) {
  QRect rect = control->geometry();
  if (const auto* caption = qobject_cast<const CaptionLabel*>(control)) rect.setWidth(caption->DesignWidth());
  return rect;
}

TEST_F(WindowTest, EveryControlAtItsPlaceInItsFont) {
  EXPECT_EQ(window_->geometry().size(), QSize(283, 374));
  // The diagram at its natural size inside a sunken border two pixels wide.
  EXPECT_EQ(Control<QLabel>("Image1")->contentsRect(), QRect(2, 2, 227, 153));
  for (const auto& p : kPlacements) {
    SCOPED_TRACE(p.name);
    const QWidget* control = Control(p.name);
    EXPECT_EQ(DesignedGeometry(control), p.pixels);
    const QFont font = control->font();
    EXPECT_EQ(font.family(), "Arial");
    EXPECT_DOUBLE_EQ(font.pointSizeF(), p.points);
    EXPECT_EQ(font.bold(), p.bold);
    EXPECT_FALSE(font.italic() || font.underline() || font.strikeOut());
    EXPECT_EQ(QFontInfo(font).pixelSize(), p.pixel_size);
  }
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
    for (const auto& p : kPlacements) {
      if (Control(p.name) == label || p.name == std::string("Gruppi")) continue;
      EXPECT_FALSE(run_on.intersects(p.pixels)) << p.name;
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

TEST_F(WindowTest, ResizingOrMaximisingMovesNothing) {
  std::vector<QRect> before;
  for (const auto& p : kPlacements) before.push_back(Control(p.name)->geometry());
  for (const QSize size : {QSize(800, 700), QSize(120, 90)}) {
    window_->resize(size);
    QApplication::processEvents();
    for (std::size_t i = 0; i < before.size(); ++i) {
      EXPECT_EQ(Control(kPlacements[i].name)->geometry(), before[i]) << kPlacements[i].name;
    }
  }
  window_->showMaximized();
  QApplication::processEvents();
  for (std::size_t i = 0; i < before.size(); ++i)
    EXPECT_EQ(Control(kPlacements[i].name)->geometry(), before[i]);
}

TEST_F(WindowTest, OnlyTheBoxesAndTheButtonTakeTheFocus) {
  for (const auto& p : kPlacements) {
    const QWidget* control = Control(p.name);
    const bool takes_focus = qobject_cast<const QLineEdit*>(control) != nullptr ||
                             qobject_cast<const QPushButton*>(control) != nullptr;
    EXPECT_EQ(control->focusPolicy() != Qt::NoFocus, takes_focus) << p.name;
  }
}

}  // namespace
}  // namespace zelmar::qt::testing
