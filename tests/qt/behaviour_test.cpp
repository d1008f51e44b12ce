#include <QAccessible>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <array>
#include <functional>

#include "window_fixture.hpp"
#include "worked_results.hpp"
#include "zelmar/ui/failure_text.hpp"

namespace zelmar::ui::testing {
namespace {

TEST_F(WindowTest, OpensWithTheDesignTimeFiguresAndTheFocusOnTheButton) {
  EXPECT_EQ(window_->windowTitle(), QStringLiteral("Calcolo Zelmar  1.0"));
  EXPECT_EQ(Box("Gruppi")->text(), "2");
  EXPECT_EQ(Box("Altop")->text(), "2");
  EXPECT_EQ(Box("ImpAp")->text(), "8");
  EXPECT_EQ(Box("dBAp")->text(), "90");
  for (const char* result : {"TotAltop", "ImpGruppi", "Liv"}) EXPECT_TRUE(Caption(result).isEmpty());
  EXPECT_EQ(FocusName(), "Calcola");
  EXPECT_TRUE(Button()->isDefault());
  EXPECT_EQ(window_->windowIcon().availableSizes(), QList<QSize>{QSize(48, 48)});
  EXPECT_EQ(window_->form().state(), FormState{});  // putting the texts in was no change
}

TEST_F(WindowTest, EachKeystrokeRunsTheChangeHandlingOfItsBoxOnly) {
  TypeInto("ImpAp", "4");
  const FormState& s = window_->form().state();
  EXPECT_EQ(s.SpeakerImpedance, Variant::String("4"));
  EXPECT_EQ(s.PrevSpeakerImpedance, Variant());
  QTest::keyClick(Box("ImpAp"), Qt::Key_5);
  EXPECT_EQ(s.SpeakerImpedance, Variant::String("45"));
  EXPECT_EQ(s.PrevSpeakerImpedance, Variant::String("4"));
  QTest::keyClick(Box("ImpAp"), Qt::Key_Backspace);
  EXPECT_EQ(s.SpeakerImpedance, Variant::String("4"));
  EXPECT_EQ(s.GroupCount, Variant());
  EXPECT_EQ(s.SpeakersPerGroup, Variant());
  EXPECT_EQ(s.SpeakerSensitivity, Variant());
  EXPECT_TRUE(failures_.empty());
  // Undo is a change of the text like any other.
  QTest::keyClick(Box("ImpAp"), Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(s.SpeakerImpedance, Variant::String("45"));
}

class PressTest : public WindowTest {
 protected:
  void PressAccessKey(QWidget* from) {
    QTest::keyClick(from, Qt::Key_C, Qt::AltModifier);
    EXPECT_TRUE(QTest::qWaitFor([this] { return !Button()->isDown(); }, 2000));
  }
};

TEST_F(PressTest, EveryWayOfPressingTheButtonCalculatesOnceAndEndsOnTheButton) {
  struct Press {
    const char* name;
    const char* from;  // the control with the focus
    std::function<void(QWidget*)> press;
  };
  const Press presses[] = {
      {"Enter in Gruppi", "Gruppi", [](QWidget* w) { QTest::keyClick(w, Qt::Key_Return); }},
      {"Enter in Altop", "Altop", [](QWidget* w) { QTest::keyClick(w, Qt::Key_Return); }},
      {"keypad Enter in ImpAp", "ImpAp",
       [](QWidget* w) { QTest::keyClick(w, Qt::Key_Enter, Qt::KeypadModifier); }},
      {"Enter in dBAp", "dBAp", [](QWidget* w) { QTest::keyClick(w, Qt::Key_Return); }},
      {"Enter on the button", "Calcola", [](QWidget* w) { QTest::keyClick(w, Qt::Key_Return); }},
      // The access key presses the button as Qt does, with a short visible
      // press before the click.
      {"Alt+C in Gruppi", "Gruppi", [this](QWidget* w) { PressAccessKey(w); }},
      {"Alt+C in dBAp", "dBAp", [this](QWidget* w) { PressAccessKey(w); }},
      {"Space on the button", "Calcola", [](QWidget* w) { QTest::keyClick(w, Qt::Key_Space); }},
      {"click", "ImpAp", [this](QWidget*) { QTest::mouseClick(Button(), Qt::LeftButton); }},
  };
  for (const auto& p : presses) {
    SCOPED_TRACE(p.name);
    // A group count that cannot be truncated makes every calculation report
    // exactly one failure, which counts the calculations.
    window_->WriteEntryText(Entry::Gruppi, "3x");
    failures_.clear();
    QWidget* from = Control(p.from);
    from->setFocus(Qt::OtherFocusReason);
    p.press(from);
    EXPECT_EQ(failures_, std::vector<Failure>{Failure::TypeMismatch});

    // And with sound figures the focus ends on the button.
    window_->WriteEntryText(Entry::Gruppi, "3");
    from->setFocus(Qt::OtherFocusReason);
    failures_.clear();
    p.press(from);
    EXPECT_TRUE(failures_.empty());
    EXPECT_EQ(Caption("TotAltop"), "6");
    EXPECT_EQ(FocusName(), "Calcola");
    window_->WriteResultCaption(ResultLabel::TotAltop, "");
  }
}

TEST_F(WindowTest, TabVisitsTheButtonAndTheBoxesInTheirOrderBothWays) {
  const QStringList forward{"Altop", "ImpAp", "Gruppi", "dBAp", "Calcola", "Altop"};
  QStringList visited;
  for (int i = 0; i < forward.size(); ++i) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    visited << FocusName();
  }
  EXPECT_EQ(visited, forward);
  visited.clear();
  const QStringList backward{"Calcola", "dBAp", "Gruppi", "ImpAp", "Altop", "Calcola"};
  for (int i = 0; i < backward.size(); ++i) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
    visited << FocusName();
  }
  EXPECT_EQ(visited, backward);
}

TEST_F(WindowTest, ClickingLabelsOrThePictureMovesNothing) {
  Box("ImpAp")->setFocus(Qt::OtherFocusReason);
  for (const char* name : {"Label1", "Label13", "TotAltop", "Label14", "Image1"}) {
    QTest::mouseClick(Control(name), Qt::LeftButton, {}, QPoint(3, 3));
    EXPECT_EQ(FocusName(), "ImpAp") << name;
  }
  EXPECT_TRUE(failures_.empty());
  EXPECT_EQ(window_->form().state(), FormState{});
}

TEST_F(WindowTest, WorkedResultsTypedIntoTheBoxes) {
  const auto& boxes = zelmar::testing::kBoxesInEntryOrder;
  for (const auto& row : zelmar::testing::kTypedWorkedRows) {
    SCOPED_TRACE(row.typed[0]);
    for (std::size_t i = 0; i < boxes.size(); ++i) TypeInto(boxes[i], row.typed[i]);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_EQ(Caption("TotAltop"), row.captions[0]);
    EXPECT_EQ(Caption("ImpGruppi"), row.captions[1]);
    EXPECT_EQ(Caption("Liv"), row.captions[2]);
  }
  EXPECT_EQ(Box("Gruppi")->text(), "2");  // 2.7 truncated and written back
  EXPECT_TRUE(failures_.empty());
}

TEST_F(WindowTest, CommaLocaleShowsCommaResults) {
  Open(DecimalSeparator::Comma());
  TypeInto("ImpAp", "4,5");
  QTest::keyClick(Box("ImpAp"), Qt::Key_Return);
  EXPECT_EQ(Caption("ImpGruppi"), "4,5");
  window_->WriteEntryText(Entry::ImpAp, "8");
  QTest::keyClick(Box("ImpAp"), Qt::Key_Return);
  EXPECT_EQ(Caption("Liv"), "96,02");
}

TEST_F(WindowTest, AFailureShowsOneMessageAndTheWindowCarriesOn) {
  window_->SetFailureReporter(&MainWindow::ShowFailureMessage);
  QStringList shown;
  // Each modal message is read and closed as soon as it shows.
  std::function<void()> close_message = [&] {
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
      shown << box->windowTitle() + " | " + box->text();
      box->accept();
    } else {
      QTimer::singleShot(10, close_message);
    }
  };
  QTimer::singleShot(0, close_message);
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

TEST_F(WindowTest, ALongResultIsElidedWithTheWholeFigureAtHand) {
  const QRect before = Control("TotAltop")->geometry();
  TypeInto("Gruppi", "123456789");
  TypeInto("Altop", "98765432");
  QTest::keyClick(Box("Altop"), Qt::Key_Return);
  auto* label = Control<QLabel>("TotAltop");
  EXPECT_EQ(label->text(), "1.21932630989178E+16");
  EXPECT_EQ(label->toolTip(), "1.21932630989178E+16");
  EXPECT_EQ(label->accessibleName(), "Numero totale altoparlanti: 1.21932630989178E+16");
  EXPECT_EQ(label->geometry(), before);
  // A figure that fits needs no tooltip.
  TypeInto("Gruppi", "2");
  TypeInto("Altop", "2");
  QTest::keyClick(Box("Altop"), Qt::Key_Return);
  EXPECT_TRUE(label->toolTip().isEmpty());
}

QString AccessibleName(QObject* object) {
  QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(object);
  return accessible != nullptr ? accessible->text(QAccessible::Name) : QStringLiteral("(none)");
}

TEST_F(WindowTest, ScreenReadersHearWhatEachControlIs) {
  QAccessibleInterface* window = QAccessible::queryAccessibleInterface(window_.get());
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(window->role(), QAccessible::Window);
  EXPECT_EQ(window->text(QAccessible::Name), "Calcolo Zelmar  1.0");
  const std::array<std::pair<const char*, const char*>, 8> names{{
      {"Gruppi", "Num.Gruppi"},
      {"Altop", "Altop/gruppo"},
      {"ImpAp", "Imp.1ap"},
      {"dBAp", "dB SPL1Ap"},
      {"Calcola", "Calcola Ztot e dBtot"},
      {"TotAltop", "Numero totale altoparlanti"},
      {"ImpGruppi", "Imp. Tot."},
      {"Liv", "Liv. Tot."},
  }};
  for (const auto& [control, name] : names) {
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(Control(control));
    ASSERT_NE(accessible, nullptr);
    EXPECT_EQ(accessible->text(QAccessible::Name), QString::fromUtf8(name)) << control;
    // The controls are tied to their captions, and to nothing else.
    for (const auto& relation : accessible->relations()) {
      EXPECT_EQ(relation.second, QAccessible::Label) << control;
    }
  }
}

TEST_F(WindowTest, EnterAnnouncesTheResultsWithoutMovingTheFocus) {
  auto* announcer = Control("ResultsAnnouncement");
  QAccessibleInterface* notification = QAccessible::queryAccessibleInterface(announcer);
  ASSERT_NE(notification, nullptr);
  EXPECT_EQ(notification->role(), QAccessible::Notification);
  EXPECT_FALSE(announcer->isVisible());

  TypeInto("Gruppi", "3");
  QTest::keyClick(Box("Gruppi"), Qt::Key_Return);
  EXPECT_EQ(FocusName(), "Calcola");
  EXPECT_TRUE(announcer->isVisible());
  EXPECT_EQ(notification->text(QAccessible::Name),
            "Numero totale altoparlanti: 6; Imp. Tot.: 5.33 ohm; Liv. Tot.: 99.54 dB SPL");
  EXPECT_EQ(AccessibleName(Control("TotAltop")), "Numero totale altoparlanti: 6");
  EXPECT_EQ(AccessibleName(Control("ImpGruppi")), "Imp. Tot.: 5.33 ohm");
  EXPECT_EQ(AccessibleName(Control("Liv")), "Liv. Tot.: 99.54 dB SPL");
  // Nothing visible changed for it.
  EXPECT_TRUE(announcer->size().isEmpty());
  EXPECT_EQ(Caption("ImpGruppi"), "5.33");

  // A failed calculation announces nothing new.
  TypeInto("ImpAp", "8x");
  failures_.clear();
  QTest::keyClick(Box("ImpAp"), Qt::Key_Return);
  EXPECT_EQ(failures_, std::vector<Failure>{Failure::TypeMismatch});
  EXPECT_EQ(notification->text(QAccessible::Name),
            "Numero totale altoparlanti: 6; Imp. Tot.: 5.33 ohm; Liv. Tot.: 99.54 dB SPL");
}

}  // namespace
}  // namespace zelmar::ui::testing
