#include "zelmar/qt/main_window.hpp"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QFont>
#include <QGuiApplication>
#include <QIcon>
#include <QKeySequence>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>

#include "zelmar/qt/caption_label.hpp"
#include "zelmar/qt/design_font.hpp"
#include "zelmar/qt/entry_box.hpp"
#include "zelmar/qt/shipped_artwork.hpp"
#include "zelmar/qt/text.hpp"
#include "zelmar/window/control_table.hpp"
#include "zelmar/window/failure_text.hpp"
#include "zelmar/window/placement.hpp"
#include "zelmar/window/speech.hpp"

namespace zelmar::qt {

// The window's description, which this front end reads.
using namespace zelmar::window;
namespace {

QRect ToQRect(const PixelRect& r) { return {r.left, r.top, r.width, r.height}; }

const QLatin1String kAnnouncerName("ResultsAnnouncement");

// Screen readers see the window as a frame with its title, not as a bare
// container, and the announcer as a notification, which they speak as it
// appears.
QAccessibleInterface* WindowAccessible(const QString& class_name, QObject* object) {
  if (class_name == QLatin1String(MainWindow::staticMetaObject.className())) {
    return new QAccessibleWidget(qobject_cast<QWidget*>(object), QAccessible::Window);
  }
  if (object != nullptr && object->isWidgetType() && object->objectName() == kAnnouncerName) {
    return new QAccessibleWidget(qobject_cast<QWidget*>(object), QAccessible::Notification);
  }
  return nullptr;
}

static_assert(kKeyboardFocusSelectsText,
              "a QLineEdit selects its text when Tab or Shift+Tab brings the focus");

}  // namespace

MainWindow::MainWindow(DecimalSeparator separator, QWidget* parent)
    : QWidget(parent), form_(*this, separator), announcer_(new QWidget(this)) {
  static const bool accessible_installed = [] {
    QAccessible::installFactory(&WindowAccessible);
    return true;
  }();
  (void)accessible_installed;
  const QScreen* screen = QGuiApplication::primaryScreen();
  const qreal dpi = screen != nullptr ? screen->logicalDotsPerInchY() : 96.0;

  setObjectName(QStringLiteral("Zelmar"));
  setWindowTitle(ToQString(kWindow.title));
  setWindowIcon(QIcon(QPixmap::fromImage(ShippedIcon())));
  setGeometry(ToQRect(ClientArea(dpi)));

  // Made in the order of the table, which is the order screen readers list
  // them in; stacked below.
  std::array<QWidget*, kControls.size()> controls{};
  for (std::size_t index = 0; index < kControls.size();
       ++index) {  // NOLINT(modernize-loop-convert): the index files each control
    const ControlSpec& design = kControls[index];
    QWidget* control = nullptr;
    switch (design.kind) {
      case ControlKind::EntryBox: {
        auto* box = new EntryBox(ToQString(design.text), this);
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
        label->setAccessibleName(ToQString(ResultSpeech(*design.result, {})));
        results_[static_cast<std::size_t>(*design.result)] = label;
        control = label;
        break;
      }
      case ControlKind::CaptionLabel:
        control = new CaptionLabel(ToQString(design.text), design.centred ? Qt::AlignHCenter : Qt::AlignLeft,
                                   CaptionLabel::Overflow::RunOn, this);
        break;
      case ControlKind::Picture: {
        auto* frame = new QLabel(this);
        frame->setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
        frame->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        frame->setPixmap(ShippedDiagram(devicePixelRatioF()));
        frame->setAccessibleName(ToQString(kPictureDescription));
        control = frame;
        break;
      }
    }
    control->setObjectName(ToQString(design.name));
    if (!TakesFocus(design.kind)) control->setFocusPolicy(Qt::NoFocus);
    if (design.font) control->setFont(DesignFont(*design.font, dpi));
    const Placement place = Place(design, dpi);
    if (auto* label = qobject_cast<CaptionLabel*>(control)) {
      label->SetDesignGeometry(ToQRect(place.design), ToQRect(place.painted));
    } else {
      control->setGeometry(ToQRect(place.painted));
    }
    controls[index] = control;
  }
  // Qt draws a raised sibling over the others, and lists it last to screen
  // readers: only the top of the stacking, the boxes and the button, is
  // raised (no two labels overlap), so the labels keep the table's order.
  for (std::size_t n = kStackingOrder.size(); n > 0; --n) {
    const std::size_t index = kStackingOrder[n - 1];
    if (TakesFocus(kControls[index].kind)) controls[index]->raise();
  }

  // Set last: a box measures its font as it is created, and would load the
  // window font for nothing before taking its own.
  setFont(DesignFont(kWindowFont, dpi));

  // Each box is named by the caption above it.
  for (const Entry entry : kEntries) {
    qobject_cast<QLabel*>(controls[IndexOf(EntryCaption(entry).name)])
        ->setBuddy(boxes_[static_cast<std::size_t>(entry)]);
  }

  // Nothing to see: it only carries the results to screen readers.
  announcer_->setObjectName(kAnnouncerName);
  announcer_->setGeometry(0, 0, 0, 0);
  announcer_->setFocusPolicy(Qt::NoFocus);
  announcer_->hide();

  // Tab order, wrapping both ways.
  QWidget* previous = nullptr;
  for (const std::string_view name : kTabOrder) {
    QWidget* control = controls[IndexOf(name)];
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
  for (const Entry entry : kEntries) {
    connect(boxes_[static_cast<std::size_t>(entry)], &QLineEdit::textChanged, &notifications_,
            [this, entry] { form_.EntryChanged(entry); });
  }
  connect(calculate_, &QPushButton::clicked, &notifications_, [this] { form_.Calculate(); });

  calculate_->setFocus(Qt::OtherFocusReason);
}

std::string MainWindow::ReadEntryText(Entry entry) {
  return boxes_[static_cast<std::size_t>(entry)]->text().toStdString();
}

void MainWindow::WriteEntryText(Entry entry, std::string_view text) {
  // setText raises textChanged at once when the text differs, which runs the
  // entry's change handling before this returns.
  boxes_[static_cast<std::size_t>(entry)]->setText(ToQString(text));
}

void MainWindow::WriteResultCaption(ResultLabel label, std::string_view text) {
  CaptionLabel* result = results_[static_cast<std::size_t>(label)];
  result->SetCaption(ToQString(text));
  // Read by itself, a result says what it is and its unit, and the whole
  // figure even when the label shows it cut.
  result->setAccessibleName(ToQString(ResultSpeech(label, text)));
}

void MainWindow::FocusEntry(Entry entry) {
  boxes_[static_cast<std::size_t>(entry)]->setFocus(Qt::OtherFocusReason);
}

void MainWindow::FocusCalculateButton() { calculate_->setFocus(Qt::OtherFocusReason); }

void MainWindow::ResultsShown(const ResultTexts& captions) {
  // Screen readers speak a notification as it appears, so the results are
  // heard after Enter without the focus leaving the button, and heard again
  // when a press repeats them.
  announcer_->hide();
  announcer_->setAccessibleName(ToQString(ResultsAnnouncement(captions)));
  announcer_->show();
}

void MainWindow::ReportFailure(Failure kind) {
  if (report_failure_) report_failure_(*this, kind);
}

void MainWindow::ShowFailureMessage(QWidget& window, Failure kind) {
  QMessageBox box(QMessageBox::Critical, ToQString(kMessageTitle), ToQString(FailureText(kind)),
                  QMessageBox::Ok, &window);
  box.exec();
}

}  // namespace zelmar::qt
