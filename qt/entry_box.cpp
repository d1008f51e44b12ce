#include "zelmar/qt/entry_box.hpp"

#include <QAction>
#include <QContextMenuEvent>
#include <QDropEvent>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QValidator>
#include <limits>
#include <string_view>

#include "zelmar/window/control_table.hpp"

namespace zelmar::qt {
namespace {

// The text up to its first line break.
QString FirstLine(QString text) {
  const QStringView chars(text);
  text.truncate(static_cast<qsizetype>(
      window::FirstLineEnd(std::u16string_view(chars.utf16(), static_cast<std::size_t>(chars.size())))));
  return text;
}

bool HasLineBreak(const QString& text) { return FirstLine(text).size() != text.size(); }

// The last guard, for a text that arrives by a way the box does not see
// (a screen reader's insertion, say): the box never holds a line break.
// It cuts the arrival from its first line break to the caret, just past
// what arrived; what stood there before held none. Qt starts the undo
// history afresh when a validator changes a text, which is why every way
// the box sees takes the first line before it goes in.
class OneLine final : public QValidator {
 public:
  using QValidator::QValidator;

  State validate(QString& text, int& caret) const override {
    const qsizetype end = FirstLine(text).size();
    if (end == text.size()) return Acceptable;
    text.remove(end, caret > end ? caret - end : text.size() - end);
    caret = static_cast<int>(end);
    return validate(text, caret);
  }
};

}  // namespace

EntryBox::EntryBox(const QString& text, QWidget* parent) : QLineEdit(text, parent) {
  setAlignment(Qt::AlignLeft);
  // No length limit: Qt's default would cut a long paste silently.
  setMaxLength(std::numeric_limits<int>::max());
  setValidator(new OneLine(this));
}

// Qt's line edit begins a new step of its undo history where the caret has
// moved since the last edit, as its own paste does before and after it.
// The caret steps aside and back, and the selection is as it was.
void EntryBox::StartUndoStep() {
  if (text().isEmpty()) return;  // nothing before it to join
  const int caret = cursorPosition();
  const int start = selectionStart();
  const int length = selectionLength();
  setCursorPosition(caret == 0 ? 1 : 0);
  if (length == 0) {
    setCursorPosition(caret);
  } else if (caret == start) {
    setSelection(start + length, -length);
  } else {
    setSelection(start, length);
  }
}

void EntryBox::PasteFirstLine(QClipboard::Mode mode) {
  if (isReadOnly()) return;
  const QString line = FirstLine(QGuiApplication::clipboard()->text(mode));
  if (line.isEmpty() && !hasSelectedText()) return;
  StartUndoStep();
  insert(line);
  StartUndoStep();
}

void EntryBox::keyPressEvent(QKeyEvent* event) {
  if (event->matches(QKeySequence::Paste)) {
    PasteFirstLine();
    event->accept();
    return;
  }
  QLineEdit::keyPressEvent(event);
}

void EntryBox::contextMenuEvent(QContextMenuEvent* event) {
  QMenu* menu = createStandardContextMenu();
  if (menu == nullptr) return;
  menu->setAttribute(Qt::WA_DeleteOnClose);
  if (QAction* paste = PasteAction(*menu)) {
    disconnect(paste, &QAction::triggered, nullptr, nullptr);
    connect(paste, &QAction::triggered, this, [this] { PasteFirstLine(); });
  }
  menu->popup(event->globalPos());
}

QAction* EntryBox::PasteAction(const QMenu& menu) {
  // Named since Qt 6.5; before, known by the keys its text shows.
  const QString keys =
      QLatin1Char('\t') + QKeySequence(QKeySequence::Paste).toString(QKeySequence::NativeText);
  for (QAction* action : menu.actions()) {
    if (action->objectName() == QLatin1String("edit-paste") || action->text().endsWith(keys)) return action;
  }
  return nullptr;
}

void EntryBox::mouseReleaseEvent(QMouseEvent* event) {
  // The middle click pastes the X11 selection where it pressed the caret.
  if (event->button() == Qt::MiddleButton && QGuiApplication::clipboard()->supportsSelection() &&
      !isReadOnly()) {
    deselect();
    PasteFirstLine(QClipboard::Selection);
    event->accept();
    return;
  }
  QLineEdit::mouseReleaseEvent(event);
}

void EntryBox::dropEvent(QDropEvent* event) {
  const QMimeData* dropped = event->mimeData();
  // What is typed after a drop is a step of its own, as after a paste.
  if (dropped == nullptr || !dropped->hasText() || !HasLineBreak(dropped->text())) {
    QLineEdit::dropEvent(event);
    if (event->isAccepted()) StartUndoStep();
    return;
  }
  QMimeData line;
  line.setText(FirstLine(dropped->text()));
  QDropEvent first(event->position(), event->possibleActions(), &line, event->buttons(), event->modifiers(),
                   event->type());
  QLineEdit::dropEvent(&first);
  event->setDropAction(first.dropAction());
  event->setAccepted(first.isAccepted());
  if (first.isAccepted()) StartUndoStep();
}

void EntryBox::inputMethodEvent(QInputMethodEvent* event) {
  if (!HasLineBreak(event->commitString())) {
    QLineEdit::inputMethodEvent(event);
    return;
  }
  QInputMethodEvent first(event->preeditString(), event->attributes());
  first.setCommitString(FirstLine(event->commitString()), event->replacementStart(),
                        event->replacementLength());
  QLineEdit::inputMethodEvent(&first);
  event->setAccepted(first.isAccepted());
}

}  // namespace zelmar::qt
