#include "main_window.hpp"

#include <QFont>
#include <QGuiApplication>
#include <QIcon>
#include <QKeySequence>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <algorithm>
#include <cmath>

#include "caption_label.hpp"
#include "control_table.hpp"
#include "design_font.hpp"
#include "failure_text.hpp"
#include "shipped_artwork.hpp"

namespace zelmar::ui {
namespace {

QString ToQString(std::string_view utf8) {
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

// The first column right of a caption that is not empty background: where
// the nearest control reaching past the caption's right edge in any of its
// rows begins, or the window's edge.
template <typename ToPixels>
int RunOnRight(const ControlSpec& caption, const QRect& client, ToPixels pixels) {
  const QRect rect = pixels(caption.twips);
  int right = client.right() + 1;
  for (const ControlSpec& other : kControls) {
    const QRect other_rect = pixels(other.twips);
    if (&other == &caption || other_rect.right() <= rect.right()) continue;
    if (other_rect.bottom() < rect.top() || other_rect.top() > rect.bottom()) continue;
    right = std::min(right, std::max(other_rect.left(), rect.right() + 1));
  }
  return right;
}

}  // namespace

int MainWindow::ToPixels(int twips, qreal logical_dpi) noexcept {
  return static_cast<int>(std::lround(twips * logical_dpi / kTwipsPerInch));
}

MainWindow::MainWindow(DecimalSeparator separator, QWidget* parent)
    : QWidget(parent), form_(*this, separator) {
  const QScreen* screen = QGuiApplication::primaryScreen();
  const qreal dpi = screen != nullptr ? screen->logicalDotsPerInchY() : 96.0;
  auto pixels = [dpi](const TwipsRect& r) {
    return QRect(ToPixels(r.left, dpi), ToPixels(r.top, dpi), ToPixels(r.width, dpi),
                 ToPixels(r.height, dpi));
  };

  setObjectName(QStringLiteral("Zelmar"));
  setWindowTitle(ToQString(kWindow.title));
  setWindowIcon(QIcon(QPixmap::fromImage(ShippedIcon())));
  setGeometry(pixels(kWindow.client));

  std::array<QLabel*, 4> captions_over_boxes{};
  const QRect client(QPoint(0, 0), pixels(kWindow.client).size());
  for (const ControlSpec& design : kControls) {
    QWidget* control = nullptr;
    switch (design.kind) {
      case ControlKind::EntryBox: {
        auto* box = new QLineEdit(ToQString(design.text), this);
        box->setAlignment(Qt::AlignLeft);
        boxes_[static_cast<std::size_t>(*design.entry)] = box;
        control = box;
        break;
      }
      case ControlKind::PushButton:
        calculate_ = new QPushButton(ToQString(design.text), this);
        control = calculate_;
        break;
      case ControlKind::ResultLabel: {
        auto* label = new CaptionLabel(QString(), Qt::AlignLeft, CaptionLabel::Overflow::Elide, this);
        label->setAccessibleName(ToQString(design.accessible_name));
        results_[static_cast<std::size_t>(*design.result)] = label;
        control = label;
        break;
      }
      case ControlKind::CaptionLabel: {
        auto* label =
            new CaptionLabel(ToQString(design.text), design.centred ? Qt::AlignHCenter : Qt::AlignLeft,
                             CaptionLabel::Overflow::RunOn, this);
        if (design.entry) captions_over_boxes[static_cast<std::size_t>(*design.entry)] = label;
        control = label;
        break;
      }
      case ControlKind::Picture: {
        auto* frame = new QLabel(this);
        frame->setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
        frame->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        frame->setPixmap(ShippedDiagram(devicePixelRatioF()));
        frame->setFocusPolicy(Qt::NoFocus);
        frame->setAccessibleName(QStringLiteral("Schema di collegamento"));
        control = frame;
        break;
      }
    }
    control->setObjectName(ToQString(design.name));
    if (design.font) control->setFont(DesignFont(*design.font));
    if (auto* label = qobject_cast<CaptionLabel*>(control)) {
      label->SetDesignGeometry(pixels(design.twips), RunOnRight(design, client, pixels));
    } else {
      control->setGeometry(pixels(design.twips));
    }
  }

  // Set last: a box measures its font as it is created, and would load the
  // window font for nothing before taking its own.
  setFont(DesignFont(kWindowFont));

  // Boxes and the button are drawn over the labels they overlap.
  for (QLineEdit* box : boxes_) box->raise();
  calculate_->raise();
  for (const Entry entry : kEntries) {
    captions_over_boxes[static_cast<std::size_t>(entry)]->setBuddy(boxes_[static_cast<std::size_t>(entry)]);
  }

  // Tab order, wrapping both ways.
  QWidget* previous = nullptr;
  for (const std::string_view name : kTabOrder) {
    auto* control = findChild<QWidget*>(ToQString(name), Qt::FindDirectChildrenOnly);
    if (previous != nullptr) setTabOrder(previous, control);
    previous = control;
  }

  // The button is the window's default: drawn as such, and pressed by Enter
  // from any control. Outside a dialog Qt presses nothing on Enter by itself.
  calculate_->setDefault(true);
  auto* enter = new QShortcut(this);
  enter->setKeys({QKeySequence(Qt::Key_Return), QKeySequence(Qt::Key_Enter)});
  enter->setContext(Qt::WindowShortcut);
  enter->setAutoRepeat(false);
  connect(enter, &QShortcut::activated, calculate_, &QPushButton::click);

  // The design-time texts are in place; only changes from here on notify.
  for (QLineEdit* box : boxes_) connect(box, &QLineEdit::textChanged, this, &MainWindow::OnEntryTextChanged);
  connect(calculate_, &QPushButton::clicked, this, &MainWindow::OnCalculateClicked);

  calculate_->setFocus(Qt::OtherFocusReason);
}

void MainWindow::OnEntryTextChanged() {
  for (const Entry entry : kEntries) {
    if (sender() == boxes_[static_cast<std::size_t>(entry)]) {
      form_.EntryChanged(entry);
      return;
    }
  }
}

void MainWindow::OnCalculateClicked() { form_.Calculate(); }

std::string MainWindow::ReadEntryText(Entry entry) {
  return boxes_[static_cast<std::size_t>(entry)]->text().toStdString();
}

void MainWindow::WriteEntryText(Entry entry, std::string_view text) {
  // setText raises textChanged at once when the text differs, which runs the
  // entry's change handling before this returns.
  boxes_[static_cast<std::size_t>(entry)]->setText(ToQString(text));
}

void MainWindow::WriteResultCaption(ResultLabel label, std::string_view text) {
  results_[static_cast<std::size_t>(label)]->SetCaption(ToQString(text));
}

void MainWindow::FocusEntry(Entry entry) {
  boxes_[static_cast<std::size_t>(entry)]->setFocus(Qt::OtherFocusReason);
}

void MainWindow::FocusCalculateButton() { calculate_->setFocus(Qt::OtherFocusReason); }

void MainWindow::ReportFailure(Failure kind) {
  if (report_failure_) report_failure_(*this, kind);
}

void MainWindow::ShowFailureMessage(QWidget& window, Failure kind) {
  QMessageBox box(QMessageBox::Critical, ToQString(kMessageTitle), ToQString(FailureText(kind)),
                  QMessageBox::Ok, &window);
  box.exec();
}

}  // namespace zelmar::ui
