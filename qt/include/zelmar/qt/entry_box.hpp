#pragma once

#include <QClipboard>
#include <QLineEdit>

class QAction;
class QMenu;

namespace zelmar::qt {

// A box that holds one line. Of a text pasted, dropped or committed by an
// input method it takes what comes before the first line break, and that
// arrival is one step of the box's undo history, as any other paste: Ctrl+Z
// gives back the figure the box had, and redo puts the arrival back.
class EntryBox final : public QLineEdit {
  Q_OBJECT

 public:
  EntryBox(const QString& text, QWidget* parent);

  // The Paste of a box's context menu.
  static QAction* PasteAction(const QMenu& menu);

  // A paste of the clipboard's first line where the caret is, replacing the
  // selection: what Ctrl+V, Shift+Insert, the context menu and the middle
  // click (the X11 selection) all do.
  void PasteFirstLine(QClipboard::Mode mode = QClipboard::Clipboard);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void dropEvent(QDropEvent* event) override;
  void inputMethodEvent(QInputMethodEvent* event) override;

 private:
  void StartUndoStep();
};

}  // namespace zelmar::qt
