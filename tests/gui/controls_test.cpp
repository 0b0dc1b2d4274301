// The control library on real widgets: number, integer and text fields,
// bound check boxes and radio buttons, the help-aware dialog, and the
// notifications they send.
#include "guitest.h"

#include "controls/controlmessages.h"
#include "controls/tintedit.h"
#include "controls/tintvalidator.h"
#include "controls/tovcheckbox.h"
#include "controls/tovdialog.h"
#include "controls/tovradiobutton.h"
#include "controls/trealedit.h"
#include "controls/trealvalidator.h"
#include "controls/tstringedit.h"
#include "toolkit/twinhelp.h"

#include <QAbstractButton>
#include <QLineEdit>
#include <QPushButton>
#include <QTextBrowser>

#include <cstdint>
#include <functional>

namespace {

// Records WM_CTLCHANGED and WM_CTLUPDATE and answers WM_CTLCHANGED with
// `changedReply`.
template <class Base> class Recording : public Base {
public:
    using Base::Base;
    QList<Message> messages;
    long changedReply = 0;

protected:
    long HandleMessage(unsigned message, unsigned long wParam, long lParam) override {
        if (message == WM_CTLCHANGED || message == WM_CTLUPDATE) {
            messages.append({message, wParam});
            return message == WM_CTLCHANGED ? changedReply : 0;
        }
        return Base::HandleMessage(message, wParam, lParam);
    }
};

using PlainDialog = Recording<TDialog>;

// A help-aware dialog whose controls the test creates.
class FieldDialog : public Recording<TOvDialog> {
public:
    FieldDialog(int resId, std::function<void(FieldDialog&)> create, unsigned long helpContext = 0)
        : Recording<TOvDialog>(nullptr, resId), m_create(std::move(create)) {
        HelpContext = helpContext;
    }
    void CreateControls() override { m_create(*this); }
    void SetupWindow() override {
        CreateControls();
        TOvDialog::SetupWindow();
    }

private:
    std::function<void(FieldDialog&)> m_create;
};

// Sets the dialog up and opens it modally without blocking.
bool openDialog(TDialog& dialog) {
    dialog.SetupWindow();
    dialog.open();
    return showActive(dialog);
}

QLineEdit* lineEdit(const TDialog& dialog, int id) {
    return qobject_cast<QLineEdit*>(dialog.ChildWithId(id));
}

QAbstractButton* button(const TDialog& dialog, int id) {
    return qobject_cast<QAbstractButton*>(dialog.ChildWithId(id));
}

// Focuses the field (which selects its text) and types over it.
void typeInto(const TDialog& dialog, int id, const QString& text) {
    QLineEdit* edit = lineEdit(dialog, id);
    edit->setFocus();
    QTest::keyClicks(edit, text);
}

// Clicks a check box or radio button on its indicator (Qt takes clicks
// only on the indicator and the text).
void clickIndicator(const TDialog& dialog, int id) {
    QAbstractButton* target = button(dialog, id);
    QTest::mouseClick(target, Qt::LeftButton, Qt::NoModifier, QPoint(6, target->height() / 2));
}

int focusedId() {
    return TDialog::ControlId(QApplication::focusWidget());
}

QList<Message> withoutFocus(const QList<Message>& messages) {
    QList<Message> result;
    for (const Message& message : messages) {
        if (message.number != WM_CTLFOCUS)
            result.append(message);
    }
    return result;
}

} // namespace

class ControlsTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void realFieldRefusesCharactersWhileTyping_data();
    void realFieldRefusesCharactersWhileTyping();
    void realValidatorChecksTheRangeAndConverts();
    void safetyFactorRefusedAtOkStaysInTheVariable();
    void safetyFactorRangeIsInclusive_data();
    void safetyFactorRangeIsInclusive();
    void emptyFieldIsZero_data();
    void emptyFieldIsZero();
    void closeCheckJudgesTheStoredValue_data();
    void closeCheckJudgesTheStoredValue();
    void focusLossChecksTheRangeAndTakesTheFocusBack();
    void enterAndArrowsFollowTheControlIds();
    void focusingClickSelectsTheWholeText_data();
    void focusingClickSelectsTheWholeText();
    void plainDialogKeepsEnterForItsDefaultButton();
    void intFieldScrollsWithoutClamping();
    void intFieldShowsSixteenBitValuesWithTheirSign();
    void intValidatorChecksSignAndRange();
    void editCommitAnnouncesTheChange_data();
    void editCommitAnnouncesTheChange();
    void changeFlagsAreOredWithTheirSign();
    void stringFieldCommitsTypedText();
    void checkBoxSetsOrFlipsItsMask();
    void buttonClickAnnouncesTheChange_data();
    void buttonClickAnnouncesTheChange();
    void radioGroupShowsTheVariable_data();
    void radioGroupShowsTheVariable();
    void radioClickWritesAtOnceAndCancelKeepsIt();
    void helpOpensTheDialogsContext();
    void okClosesOnlyAModalDialog();

private:
    MessageRecorder* client = nullptr;
};

void ControlsTest::init() {
    ControlChangeFlags = 0;
    client = new MessageRecorder;
    TApplication::Current()->SetClientWindow(client);
}

void ControlsTest::cleanup() {
    TApplication::Current()->SetClientWindow(nullptr);
    delete client;
    client = nullptr;
}

void ControlsTest::realFieldRefusesCharactersWhileTyping_data() {
    QTest::addColumn<double>("minimum");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    QTest::newRow("minus refused when the minimum is 0") << 0.0 << "-5"
                                                         << "5";
    QTest::newRow("second point refused") << 0.0 << "1.2.3"
                                          << "1.23";
    QTest::newRow("trailing point accepted") << 0.0 << "12."
                                             << "12.";
    QTest::newRow("leading point accepted") << 0.0 << ".5"
                                            << ".5";
    QTest::newRow("comma, letters and blanks refused") << 0.0 << "1,5e 2"
                                                       << "152";
    QTest::newRow("minus in front when the minimum is negative") << -10.0 << "-5"
                                                                 << "-5";
    QTest::newRow("minus elsewhere refused") << -10.0 << "5-"
                                             << "5";
    QTest::newRow("text limit") << 0.0 << "12345678"
                                << "123456";
}

void ControlsTest::realFieldRefusesCharactersWhileTyping() {
    QFETCH(double, minimum);
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    double value = 0.0;
    PlainDialog dialog(nullptr, 900);
    new TRealEdit(&dialog, 901, &value, minimum, 99.9, 7, 2, 0, 3);
    QVERIFY(openDialog(dialog));
    typeInto(dialog, 901, typed);
    QCOMPARE(lineEdit(dialog, 901)->text(), shown);
}

void ControlsTest::realValidatorChecksTheRangeAndConverts() {
    TRealValidator validator(1.0, 9.0, 2, 0);
    QVERIFY(validator.IsValid(QStringLiteral("9.00")));
    QVERIFY(validator.IsValid(QStringLiteral("1")));
    QVERIFY(!validator.IsValid(QStringLiteral("9.01")));
    QVERIFY(!validator.IsValid(QStringLiteral("0.99")));
    QVERIFY(!validator.IsValid(QString()));
    QVERIFY(!validator.IsValid(QStringLiteral("5e0"))); // only pasting gets there
    QVERIFY(!validator.HasValidChar(u'-'));
    QCOMPARE(validator.ErrorText(),
             QStringLiteral("Valore non valido: inserire un numero tra 1.00 e 9.00"));

    // Get stores the leading number whatever the range; set shows the
    // decimals with no padding.
    double number = 0.0;
    QString text = QStringLiteral("12.5abc");
    QCOMPARE(validator.Transfer(text, &number, tdGetData), 8u);
    QCOMPARE(number, 12.5);
    number = 1800.0;
    QCOMPARE(TRealValidator(0, 9999.9, 1, 0).Transfer(text, &number, tdSetData), 8u);
    QCOMPARE(text, QStringLiteral("1800.0"));
    number = 0.0;
    TRealValidator(0, 9999999, 0, 0).Transfer(text, &number, tdSetData);
    QCOMPARE(text, QStringLiteral("0"));

    float single = 0.0F;
    TRealValidator floatValidator(-5.0, 5.0, 3, 1);
    text = QStringLiteral("-2.25");
    QCOMPARE(floatValidator.Transfer(text, &single, tdGetData), 4u);
    QCOMPARE(single, -2.25F);
    QCOMPARE(floatValidator.Transfer(text, &single, tdSetData), 4u);
    QCOMPARE(text, QStringLiteral("-2.250"));
    QCOMPARE(floatValidator.ErrorText(),
             QStringLiteral("Valore non valido: inserire un numero tra -5.000 e 5.000"));

    // Another value type transfers nothing.
    number = 4.0;
    text = QStringLiteral("7");
    QCOMPARE(TRealValidator(0, 9, 2, 2).Transfer(text, &number, tdGetData), 0u);
    QCOMPARE(number, 4.0);
}

void ControlsTest::safetyFactorRefusedAtOkStaysInTheVariable() {
    std::int32_t method = 1;
    double safetyFactor = 3.0;
    FieldDialog dialog(910, [&](FieldDialog& self) {
        for (int i = 0; i < 4; ++i)
            new TOvRadioButton(&self, 911 + i, &method, i, 1);
        new TRealEdit(&self, 915, &safetyFactor, 1.0, 9.0, 7, 2, 0, 1);
    });
    QVERIFY(openDialog(dialog));
    QCOMPARE(lineEdit(dialog, 915)->text(), QStringLiteral("3.00"));

    BoxCloser closer;
    typeInto(dialog, 915, QStringLiteral("9.5"));
    QTest::mouseClick(dialog.ChildWithId(IDOK), Qt::LeftButton);
    QCOMPARE(safetyFactor, 9.5);
    QCOMPARE(closer.boxes.size(), 1);
    QCOMPARE(closer.boxes.at(0).text,
             QStringLiteral("Valore non valido: inserire un numero tra 1.00 e 9.00"));
    QCOMPARE(closer.boxes.at(0).icon, QMessageBox::Warning);
    QCOMPARE(closer.boxes.at(0).caption, QStringLiteral("Prova ZOLT"));
    QVERIFY(dialog.isVisible());
    QTRY_COMPARE(focusedId(), 915);

    QTest::mouseClick(dialog.ChildWithId(IDCANCEL), Qt::LeftButton);
    QVERIFY(!dialog.isVisible());
    QCOMPARE(dialog.result(), IDCANCEL);
    QCOMPARE(safetyFactor, 9.5);
    QCOMPARE(closer.boxes.size(), 1);
}

void ControlsTest::safetyFactorRangeIsInclusive_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("closes");
    QTest::newRow("9.00") << "9.00" << true;
    QTest::newRow("9.01") << "9.01" << false;
    QTest::newRow("1") << "1" << true;
    QTest::newRow("0.99") << "0.99" << false;
}

void ControlsTest::safetyFactorRangeIsInclusive() {
    QFETCH(QString, typed);
    QFETCH(bool, closes);
    double safetyFactor = 3.0;
    FieldDialog dialog(910, [&](FieldDialog& self) {
        new TRealEdit(&self, 915, &safetyFactor, 1.0, 9.0, 7, 2, 0, 1);
    });
    QVERIFY(openDialog(dialog));
    BoxCloser closer;
    typeInto(dialog, 915, typed);
    QTest::mouseClick(dialog.ChildWithId(IDOK), Qt::LeftButton);
    QCOMPARE(!dialog.isVisible(), closes);
    QCOMPARE(closer.boxes.size(), closes ? 0 : 1);
    QCOMPARE(safetyFactor, typed.toDouble());
}

void ControlsTest::emptyFieldIsZero_data() {
    QTest::addColumn<double>("minimum");
    QTest::addColumn<bool>("closes");
    QTest::newRow("0 in range") << 0.0 << true;
    QTest::newRow("0 out of range") << 0.1 << false;
}

void ControlsTest::emptyFieldIsZero() {
    QFETCH(double, minimum);
    QFETCH(bool, closes);
    double value = 5.0;
    PlainDialog dialog(nullptr, 900);
    new TRealEdit(&dialog, 901, &value, minimum, 99.9, 5, 2, 0, 3);
    QVERIFY(openDialog(dialog));
    BoxCloser closer;
    lineEdit(dialog, 901)->setFocus();
    QTest::keyClick(lineEdit(dialog, 901), Qt::Key_Delete); // the whole text is selected
    QCOMPARE(lineEdit(dialog, 901)->text(), QString());
    QTest::keyClick(lineEdit(dialog, 901), Qt::Key_Return);
    QCOMPARE(value, 0.0);
    QCOMPARE(!dialog.isVisible(), closes);
    QCOMPARE(closer.boxes.size(), closes ? 0 : 1);
}

void ControlsTest::closeCheckJudgesTheStoredValue_data() {
    QTest::addColumn<QString>("shown");
    QTest::addColumn<bool>("closes");
    QTest::addColumn<double>("stored");
    // Texts longer than the field's four characters, as only the program
    // can show them: the variable takes "0000" and "99.9".
    QTest::newRow("0000.5 stores 0, below the minimum") << "0000.5" << false << 0.0;
    QTest::newRow("99.95 stores 99.9, in range") << "99.95" << true << 99.9;
}

void ControlsTest::closeCheckJudgesTheStoredValue() {
    QFETCH(QString, shown);
    QFETCH(bool, closes);
    QFETCH(double, stored);
    double value = 1.0;
    PlainDialog dialog(nullptr, 900);
    new TRealEdit(&dialog, 901, &value, 0.1, 99.9, 5, 2, 0, 3);
    QVERIFY(openDialog(dialog));
    lineEdit(dialog, 901)->setText(shown);
    BoxCloser closer;
    QTest::mouseClick(dialog.ChildWithId(IDOK), Qt::LeftButton);
    QCOMPARE(value, stored);
    QCOMPARE(!dialog.isVisible(), closes);
    QCOMPARE(closer.boxes.size(), closes ? 0 : 1);
}

void ControlsTest::focusLossChecksTheRangeAndTakesTheFocusBack() {
    double base = 1.0;
    double length = 2.0;
    PlainDialog dialog(nullptr, 900);
    new TRealEdit(&dialog, 901, &base, 0.1, 99.9, 5, 2, 0, 3);
    new TRealEdit(&dialog, 902, &length, 0.1, 99.9, 5, 2, 0, 3);
    QVERIFY(openDialog(dialog));
    BoxCloser closer;

    typeInto(dialog, 901, QStringLiteral("0.05"));
    QTest::keyClick(lineEdit(dialog, 901), Qt::Key_Tab);
    QCOMPARE(base, 0.05); // committed before the check
    QTRY_COMPARE(closer.boxes.size(), 1);
    QCOMPARE(closer.boxes.at(0).text,
             QStringLiteral("Valore non valido: inserire un numero tra 0.10 e 99.90"));
    QTRY_COMPARE(focusedId(), 901);
    QTest::qWait(20);
    QCOMPARE(closer.boxes.size(), 1);

    // Valid texts: moving between the fields raises nothing.
    QTest::keyClicks(lineEdit(dialog, 901), QStringLiteral("0.5"));
    typeInto(dialog, 902, QStringLiteral("3"));
    lineEdit(dialog, 901)->setFocus();
    QTest::qWait(20);
    QCOMPARE(closer.boxes.size(), 1);
    QCOMPARE(base, 0.5);
    QCOMPARE(length, 3.0);

    // Cancel is not checked, and cancelling undoes nothing.
    typeInto(dialog, 901, QStringLiteral("120"));
    QTest::mouseClick(dialog.ChildWithId(IDCANCEL), Qt::LeftButton);
    QTest::qWait(20);
    QCOMPARE(closer.boxes.size(), 1);
    QCOMPARE(dialog.result(), IDCANCEL);
    QCOMPARE(base, 120.0);
}

void ControlsTest::enterAndArrowsFollowTheControlIds() {
    double values[3] = {1.0, 2.0, 3.0};
    FieldDialog dialog(900, [&](FieldDialog& self) {
        for (int i = 0; i < 3; ++i)
            new TRealEdit(&self, 901 + i, &values[i], 0.0, 99.9, 5, 2, 0, 3);
    });
    QVERIFY(openDialog(dialog));
    lineEdit(dialog, 901)->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QCOMPARE(focusedId(), 902);
    QCOMPARE(lineEdit(dialog, 902)->selectedText(), QStringLiteral("2.00"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
    QCOMPARE(focusedId(), 903);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Up);
    QCOMPARE(focusedId(), 902);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Up);
    QCOMPARE(focusedId(), 901);
    // No id 900: the last control of the dialog.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Up);
    QCOMPARE(focusedId(), IDCANCEL);
    QVERIFY(dialog.isVisible());

    // Enter in the highest field: the dialog's first control.
    double safetyFactor = 3.0;
    FieldDialog analysis(910, [&](FieldDialog& self) {
        new TRealEdit(&self, 915, &safetyFactor, 1.0, 9.0, 7, 2, 0, 1);
    });
    QVERIFY(openDialog(analysis));
    lineEdit(analysis, 915)->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Enter);
    QCOMPARE(focusedId(), 911);
    QVERIFY(analysis.isVisible());
}

void ControlsTest::focusingClickSelectsTheWholeText_data() {
    QTest::addColumn<bool>("focusedBefore");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    QTest::newRow("click that brings the focus") << false << "2.5"
                                                 << "2.5";
    QTest::newRow("click in the focused field") << true << "5"
                                                << "3.005";
}

void ControlsTest::focusingClickSelectsTheWholeText() {
    QFETCH(bool, focusedBefore);
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    double safetyFactor = 3.0;
    FieldDialog dialog(910, [&](FieldDialog& self) {
        new TRealEdit(&self, 915, &safetyFactor, 1.0, 9.0, 7, 2, 0, 1);
    });
    QVERIFY(openDialog(dialog));
    QLineEdit* edit = lineEdit(dialog, 915);
    if (focusedBefore)
        edit->setFocus();
    else
        dialog.ChildWithId(IDCANCEL)->setFocus();
    // Right of the text: where the caret goes when the click places it.
    QTest::mouseClick(edit, Qt::LeftButton, Qt::NoModifier,
                      QPoint(edit->width() - 3, edit->height() / 2));
    QCOMPARE(focusedId(), 915);
    QCOMPARE(edit->selectedText(), focusedBefore ? QString() : QStringLiteral("3.00"));
    QTest::keyClicks(edit, typed);
    QCOMPARE(edit->text(), shown);
}

void ControlsTest::plainDialogKeepsEnterForItsDefaultButton() {
    double values[2] = {1.0, 2.0};
    PlainDialog dialog(nullptr, 900);
    new TRealEdit(&dialog, 901, &values[0], 0.0, 99.9, 5, 2, 0, 3);
    new TRealEdit(&dialog, 902, &values[1], 0.0, 99.9, 5, 2, 0, 3);
    QVERIFY(openDialog(dialog));
    typeInto(dialog, 901, QStringLiteral("4"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
    QCOMPARE(focusedId(), 902);
    QCOMPARE(values[0], 4.0);
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("5"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QCOMPARE(dialog.result(), IDOK);
    QVERIFY(!dialog.isVisible());
    QCOMPARE(values[1], 5.0);
}

void ControlsTest::intFieldScrollsWithoutClamping() {
    std::int32_t value = 9;
    FieldDialog dialog(
        920, [&](FieldDialog& self) { new TIntEdit(&self, 923, &value, 0, 10, 9, 1, 3, 3); });
    QVERIFY(openDialog(dialog));
    QWidget* edit = dialog.ChildWithId(923);
    QCOMPARE(lineEdit(dialog, 923)->text(), QStringLiteral("9"));

    // The bound is checked before the step.
    QCOMPARE(SendMessage(edit, WM_VSCROLL, SB_LINEUP), 0L);
    QCOMPARE(lineEdit(dialog, 923)->text(), QStringLiteral("12"));
    QCOMPARE(focusedId(), 923);
    QCOMPARE(value, 9); // the variable waits for the commit
    SendMessage(edit, WM_VSCROLL, SB_LINEUP);
    QCOMPARE(lineEdit(dialog, 923)->text(), QStringLiteral("12"));
    SendMessage(edit, WM_VSCROLL, 5); // other codes do nothing
    QCOMPARE(lineEdit(dialog, 923)->text(), QStringLiteral("12"));

    lineEdit(dialog, 923)->setText(QStringLiteral("1"));
    SendMessage(edit, WM_VSCROLL, SB_LINEDOWN);
    QCOMPARE(lineEdit(dialog, 923)->text(), QStringLiteral("-2"));
    SendMessage(edit, WM_VSCROLL, SB_LINEDOWN);
    QCOMPARE(lineEdit(dialog, 923)->text(), QStringLiteral("-2"));

    // The scrolled value is committed like a typed one.
    dialog.ChildWithId(IDCANCEL)->setFocus();
    QCOMPARE(value, -2);
    QCOMPARE(dialog.messages, (QList<Message>{{WM_CTLCHANGED, 23}}));
}

void ControlsTest::intFieldShowsSixteenBitValuesWithTheirSign() {
    std::uint16_t unsignedShort = 65535;
    std::int16_t signedShort = -1;
    std::int32_t wide = -2000000000;
    std::int32_t unbound = 77;
    FieldDialog dialog(920, [&](FieldDialog& self) {
        new TIntEdit(&self, 923, &unsignedShort, 0, 65535, 6, 4, 3, 1);
        new TIntEdit(&self, 924, &signedShort, -100, 100, 6, 3, 3, 1);
        new TIntEdit(&self, 925, &wide, INT32_MIN, INT32_MAX, 12, 0, 3, 1);
        new TIntEdit(&self, 415, &unbound, 0, 100, 6, 5, 3, 1);
    });
    QVERIFY(openDialog(dialog));
    QCOMPARE(lineEdit(dialog, 923)->text(), QStringLiteral("65535"));
    QCOMPARE(lineEdit(dialog, 924)->text(), QStringLiteral("-1"));
    QCOMPARE(lineEdit(dialog, 925)->text(), QStringLiteral("-2000000000"));
    QCOMPARE(lineEdit(dialog, 415)->text(), QString()); // value type 5: not bound

    typeInto(dialog, 924, QStringLiteral("-42"));
    typeInto(dialog, 923, QStringLiteral("1000"));
    typeInto(dialog, 415, QStringLiteral("5"));
    QTest::mouseClick(dialog.ChildWithId(IDOK), Qt::LeftButton);
    QCOMPARE(dialog.result(), IDOK);
    QCOMPARE(signedShort, std::int16_t(-42));
    QCOMPARE(unsignedShort, std::uint16_t(1000));
    QCOMPARE(wide, -2000000000);
    QCOMPARE(unbound, 77);

    // 16-bit transfers keep the low 16 bits of the value.
    TIntValidator validator(0, 100000, 4);
    QString text = QStringLiteral("70000");
    QCOMPARE(validator.Transfer(text, &unsignedShort, tdGetData), 2u);
    QCOMPARE(unsignedShort, std::uint16_t(70000 - 65536));
    QCOMPARE(TIntValidator(0, 9, 1).Transfer(text, &wide, tdGetData), 4u);
    QCOMPARE(wide, 70000);
}

void ControlsTest::intValidatorChecksSignAndRange() {
    TIntValidator nonNegative(0, 10, 1);
    QVERIFY(!nonNegative.IsValidInput(QStringLiteral("-")));
    QVERIFY(!nonNegative.IsValidInput(QStringLiteral("1.")));
    QVERIFY(nonNegative.IsValidInput(QString()));
    QVERIFY(nonNegative.IsValid(QString())); // empty is 0
    QVERIFY(nonNegative.IsValid(QStringLiteral("10")));
    QVERIFY(!nonNegative.IsValid(QStringLiteral("11")));
    QCOMPARE(nonNegative.ErrorText(),
             QStringLiteral("Valore non valido: inserire un numero intero tra 0 e 10"));

    TIntValidator signedRange(-10, -1, 1);
    QVERIFY(signedRange.IsValidInput(QStringLiteral("-5")));
    QVERIFY(!signedRange.IsValidInput(QStringLiteral("5-")));
    QVERIFY(!signedRange.IsValid(QString()));
    QVERIFY(signedRange.IsValid(QStringLiteral("-10")));
    QVERIFY(!signedRange.IsValid(QStringLiteral("-11")));
}

void ControlsTest::editCommitAnnouncesTheChange_data() {
    QTest::addColumn<long>("reply");
    QTest::addColumn<QList<Message>>("toDialog");
    QTest::addColumn<QList<Message>>("toClient");
    const Message changed{WM_CTLCHANGED, 23};
    const Message update{WM_CTLUPDATE, 0};
    const Message focusIn{WM_CTLFOCUS, 923};
    const Message focusOut{WM_CTLFOCUS, 0};
    const Message modified{WM_CTLMODIFIED, 0};
    QTest::newRow("reply 0") << 0L << QList<Message>{changed} << QList<Message>{focusIn, focusOut};
    QTest::newRow("reply 1") << 1L << QList<Message>{changed, update}
                             << QList<Message>{focusIn, focusOut};
    QTest::newRow("reply 2") << 2L << QList<Message>{changed}
                             << QList<Message>{focusIn, modified, focusOut};
    QTest::newRow("reply 3") << 3L << QList<Message>{changed, update}
                             << QList<Message>{focusIn, modified, focusOut};
    QTest::newRow("reply 4") << 4L << QList<Message>{changed} << QList<Message>{focusIn, focusOut};
}

void ControlsTest::editCommitAnnouncesTheChange() {
    QFETCH(long, reply);
    QFETCH(QList<Message>, toDialog);
    QFETCH(QList<Message>, toClient);
    double value = 1.0;
    FieldDialog dialog(
        920, [&](FieldDialog& self) { new TRealEdit(&self, 923, &value, 0.0, 99.9, 5, 2, 0, 3); });
    dialog.changedReply = reply;
    QVERIFY(openDialog(dialog));
    dialog.ChildWithId(IDCANCEL)->setFocus();

    // Visiting the field without typing announces only the focus.
    client->messages.clear();
    lineEdit(dialog, 923)->setFocus();
    dialog.ChildWithId(IDCANCEL)->setFocus();
    QCOMPARE(client->messages, (QList<Message>{{WM_CTLFOCUS, 923}, {WM_CTLFOCUS, 0}}));
    QVERIFY(dialog.messages.isEmpty());
    QCOMPARE(ControlChangeFlags, 0);

    client->messages.clear();
    typeInto(dialog, 923, QStringLiteral("7.5"));
    QCOMPARE(value, 1.0);
    dialog.ChildWithId(IDCANCEL)->setFocus();
    QCOMPARE(value, 7.5);
    QCOMPARE(dialog.messages, toDialog);
    QCOMPARE(client->messages, toClient);
    QCOMPARE(ControlChangeFlags, 3);
}

void ControlsTest::changeFlagsAreOredWithTheirSign() {
    double first = 1.0;
    double second = 1.0;
    FieldDialog dialog(900, [&](FieldDialog& self) {
        new TRealEdit(&self, 901, &first, 0.0, 99.9, 5, 2, 0, 1);
        new TRealEdit(&self, 902, &second, 0.0, 99.9, 5, 2, 0, 4);
    });
    QVERIFY(openDialog(dialog));
    ControlChangeFlags = 0x100; // the host's own bits stay
    typeInto(dialog, 901, QStringLiteral("2"));
    typeInto(dialog, 902, QStringLiteral("3"));
    dialog.ChildWithId(IDCANCEL)->setFocus();
    QCOMPARE(ControlChangeFlags, 0x105);

    ControlChangeFlags = 0;
    MarkControlChange(std::int16_t(-32768));
    QCOMPARE(static_cast<std::uint32_t>(ControlChangeFlags), 0xFFFF8000u);
}

void ControlsTest::stringFieldCommitsTypedText() {
    char name[6] = "Mario";
    FieldDialog dialog(920, [&](FieldDialog& self) { new TStringEdit(&self, 415, name, 6, 2); });
    QVERIFY(openDialog(dialog));
    QCOMPARE(lineEdit(dialog, 415)->text(), QStringLiteral("Mario"));
    dialog.ChildWithId(IDCANCEL)->setFocus();

    // No announcement on focus gain, only the loss; nothing changes.
    client->messages.clear();
    lineEdit(dialog, 415)->setFocus();
    dialog.ChildWithId(IDCANCEL)->setFocus();
    QCOMPARE(client->messages, (QList<Message>{{WM_CTLFOCUS, 0}}));
    QVERIFY(dialog.messages.isEmpty());
    QCOMPARE(ControlChangeFlags, 0);

    // Typed text, at most text limit - 1 characters, reaches the buffer in
    // Windows-1252 when the field is left.
    lineEdit(dialog, 415)->setFocus();
    lineEdit(dialog, 415)->selectAll();
    QTest::keyClicks(lineEdit(dialog, 415), QStringLiteral("Per"));
    QTest::sendKeyEvent(QTest::Click, lineEdit(dialog, 415), Qt::Key_Ugrave, QStringLiteral("ù"),
                        Qt::NoModifier);
    QTest::keyClicks(lineEdit(dialog, 415), QStringLiteral("gia"));
    QCOMPARE(lineEdit(dialog, 415)->text(), QStringLiteral("Perùg"));
    QCOMPARE(QByteArray(name), QByteArray("Mario"));
    dialog.ChildWithId(IDCANCEL)->setFocus();
    QCOMPARE(QByteArray(name), QByteArray("Per\xF9g"));
    QCOMPARE(dialog.messages, (QList<Message>{{WM_CTLCHANGED, 15}}));
    QCOMPARE(ControlChangeFlags, 2);
}

void ControlsTest::checkBoxSetsOrFlipsItsMask() {
    std::int32_t options = 1;
    FieldDialog dialog(920, [&](FieldDialog& self) {
        new TOvCheckBox(&self, 921, &options, 1, 0);
        new TOvCheckBox(&self, 922, &options, 4, 0);
    });
    QVERIFY(openDialog(dialog));
    QVERIFY(button(dialog, 921)->isChecked());
    QVERIFY(!button(dialog, 922)->isChecked());

    clickIndicator(dialog, 922);
    QCOMPARE(options, 5);
    clickIndicator(dialog, 922);
    QCOMPARE(options, 1);

    // Unchecked by the click while its bit is already clear: the bit is set.
    options = 0;
    clickIndicator(dialog, 921);
    QVERIFY(!button(dialog, 921)->isChecked());
    QCOMPARE(options, 1);
}

void ControlsTest::buttonClickAnnouncesTheChange_data() {
    QTest::addColumn<bool>("radio");
    QTest::addColumn<short>("flags");
    QTest::addColumn<long>("reply");
    QTest::addColumn<QList<Message>>("toDialog");
    QTest::addColumn<QList<Message>>("toClient");
    const Message modified{WM_CTLMODIFIED, 0};
    const Message flag2{WM_CTLFLAG2, 0};
    const Message flag4{WM_CTLFLAG4, 0};
    QTest::newRow("check box, flags 0")
        << false << short(0) << 0L << QList<Message>{{WM_CTLCHANGED, 21}}
        << QList<Message>{modified};
    QTest::newRow("check box, flags 6, reply 2")
        << false << short(6) << 2L << QList<Message>{{WM_CTLCHANGED, 21}, {WM_CTLUPDATE, 0}}
        << QList<Message>{modified, flag2, flag4};
    QTest::newRow("radio, flags 2, reply 1")
        << true << short(2) << 1L << QList<Message>{{WM_CTLCHANGED, 12}, {WM_CTLUPDATE, 0}}
        << QList<Message>{modified, flag2};
    QTest::newRow("radio, flags 5") << true << short(5) << 0L << QList<Message>{{WM_CTLCHANGED, 12}}
                                    << QList<Message>{modified, flag4};
}

void ControlsTest::buttonClickAnnouncesTheChange() {
    QFETCH(bool, radio);
    QFETCH(short, flags);
    QFETCH(long, reply);
    QFETCH(QList<Message>, toDialog);
    QFETCH(QList<Message>, toClient);
    std::int32_t variable = 0;
    const int id = radio ? 912 : 921;
    FieldDialog dialog(radio ? 910 : 920, [&](FieldDialog& self) {
        if (radio)
            new TOvRadioButton(&self, id, &variable, 1, flags);
        else
            new TOvCheckBox(&self, id, &variable, 1, flags);
    });
    dialog.changedReply = reply;
    QVERIFY(openDialog(dialog));
    client->messages.clear();
    clickIndicator(dialog, id);
    QCOMPARE(variable, 1);
    QCOMPARE(dialog.messages, toDialog);
    QCOMPARE(withoutFocus(client->messages), toClient);
    QCOMPARE(ControlChangeFlags, std::int32_t(flags));

    // Focus changes of the button go to the client.
    client->messages.clear();
    button(dialog, id)->setFocus();
    dialog.ChildWithId(IDCANCEL)->setFocus();
    button(dialog, id)->setFocus();
    QCOMPARE(client->messages, (QList<Message>{{WM_CTLFOCUS, 0}, {WM_CTLFOCUS, ulong(id)}}));
}

void ControlsTest::radioGroupShowsTheVariable_data() {
    QTest::addColumn<int>("method");
    QTest::addColumn<int>("checkedId");
    QTest::newRow("Terzaghi") << 0 << 911;
    QTest::newRow("Meyerhof") << 1 << 912;
    QTest::newRow("Hansen") << 2 << 913;
    QTest::newRow("Vesic") << 3 << 914;
    QTest::newRow("none") << 7 << 0;
}

void ControlsTest::radioGroupShowsTheVariable() {
    QFETCH(int, method);
    QFETCH(int, checkedId);
    std::int32_t variable = 1;
    FieldDialog dialog(910, [&](FieldDialog& self) {
        for (int i = 0; i < 4; ++i)
            new TOvRadioButton(&self, 911 + i, &variable, i, 1);
    });
    QVERIFY(openDialog(dialog));
    QVERIFY(button(dialog, 912)->isChecked());
    dialog.hide();

    // Shown again with another value: the group follows the variable.
    variable = method;
    QVERIFY(openDialog(dialog));
    for (int id = 911; id <= 914; ++id)
        QCOMPARE(button(dialog, id)->isChecked(), id == checkedId);
}

void ControlsTest::radioClickWritesAtOnceAndCancelKeepsIt() {
    std::int32_t method = 1;
    double safetyFactor = 3.0;
    auto create = [&](FieldDialog& self) {
        for (int i = 0; i < 4; ++i)
            new TOvRadioButton(&self, 911 + i, &method, i, 1);
        new TRealEdit(&self, 915, &safetyFactor, 1.0, 9.0, 7, 2, 0, 1);
    };
    {
        FieldDialog dialog(910, create);
        QVERIFY(openDialog(dialog));
        clickIndicator(dialog, 914);
        QCOMPARE(method, 3);
        QVERIFY(!button(dialog, 912)->isChecked());
        QTest::mouseClick(dialog.ChildWithId(IDCANCEL), Qt::LeftButton);
        QCOMPARE(dialog.result(), IDCANCEL);
    }
    QCOMPARE(method, 3);
    FieldDialog again(910, create);
    QVERIFY(openDialog(again));
    QVERIFY(button(again, 914)->isChecked());
    QCOMPARE(ControlChangeFlags, 1);
}

void ControlsTest::helpOpensTheDialogsContext() {
    FieldDialog dialog(
        910, [](FieldDialog&) {}, 1);
    QVERIFY(openDialog(dialog));
    QTest::mouseClick(dialog.ChildWithId(CM_HELP), Qt::LeftButton);
    QPointer<QTextBrowser> help = HelpWindow();
    QVERIFY(help != nullptr);
    QCOMPARE(help->documentTitle(), QStringLiteral("Metodo"));
    QVERIFY(dialog.isVisible());
    help->setSource(QUrl(QStringLiteral("qrc:/help/zolt/index.html")));

    // The message of the same number as DM_SETDEFID opens the help here.
    QCOMPARE(SendMessage(&dialog, WM_OVHELP, IDCANCEL), 0L);
    QCOMPARE(HelpWindow(), help.data());
    QCOMPARE(help->documentTitle(), QStringLiteral("Metodo"));
    QVERIFY(!qobject_cast<QPushButton*>(dialog.ChildWithId(IDCANCEL))->isDefault());
    help->window()->close();
    QTRY_VERIFY(help.isNull());

    // Without a context of its own the dialog opens the contents.
    FieldDialog plain(910, [](FieldDialog&) {});
    QVERIFY(openDialog(plain));
    SendMessage(&plain, WM_OVHELP);
    QVERIFY(HelpWindow() != nullptr);
    QCOMPARE(HelpWindow()->documentTitle(), QStringLiteral("Indice"));
    HelpWindow()->window()->close();
}

void ControlsTest::okClosesOnlyAModalDialog() {
    FieldDialog dialog(910, [](FieldDialog&) {});
    dialog.SetupWindow();
    QVERIFY(showActive(dialog)); // shown without modality
    QTest::mouseClick(dialog.ChildWithId(IDOK), Qt::LeftButton);
    QVERIFY(dialog.isVisible());
    QTest::mouseClick(dialog.ChildWithId(IDCANCEL), Qt::LeftButton);
    QVERIFY(!dialog.isVisible());

    QVERIFY(openDialog(dialog));
    QTest::mouseClick(dialog.ChildWithId(IDOK), Qt::LeftButton);
    QVERIFY(!dialog.isVisible());
    QCOMPARE(dialog.result(), IDOK);
}

ZOLT_GUI_TEST_MAIN(ControlsTest)
#include "controls_test.moc"
