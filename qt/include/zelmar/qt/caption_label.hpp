#pragma once

#include <QLabel>
#include <QStringList>

namespace zelmar::qt {

// A label of fixed size, opaque on the window's background, that wraps its
// caption at blanks only (QLabel would also break after "/" or "-") and
// never grows with its text. A word wider than the designed width either
// runs on into the empty background beside the label (fixed captions, so
// that "Num.Gruppi" is not cut to "Num.Grupp" where the installed font is a
// little wider than the design's) or is cut with an ellipsis (results, whose
// whole figure then goes to the tooltip, and the window gives it to screen
// readers: a
// number cut short without a mark would be read as a different number).
class CaptionLabel : public QLabel {
  Q_OBJECT

 public:
  enum class Overflow { RunOn, Elide };

  CaptionLabel(const QString& text, Qt::Alignment alignment, Overflow overflow, QWidget* parent);

  // Places the label: its caption wraps and centres in the designed
  // rectangle, and the label paints in the placed one, which may reach
  // further right over empty background (drawn on the window's own colour,
  // the extra room shows nothing but the caption). A result keeps its
  // designed size and cuts what does not fit.
  void SetDesignGeometry(const QRect& design, const QRect& painted);
  [[nodiscard]] int DesignWidth() const noexcept { return design_width_; }

  // The caption's lines as drawn at the label's designed width and font.
  [[nodiscard]] QStringList Lines() const;
  // Whether every line of the caption is drawn whole.
  [[nodiscard]] bool ShowsWhole() const;

  void SetCaption(const QString& text);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  void UpdateFullTextHints();

  Qt::Alignment alignment_;
  Overflow overflow_;
  int design_width_ = 0;
  // The caption as last wrapped, kept for the repaints that follow.
  struct Wrapped {
    QString text;
    QFont font;
    int width = 0;
    QStringList lines;
  };
  mutable Wrapped wrapped_;
};

// Breaks text at blanks into lines no wider than width where the words allow.
[[nodiscard]] QStringList WrapAtBlanks(const QString& text, const QFontMetricsF& metrics, qreal width);

}  // namespace zelmar::qt
