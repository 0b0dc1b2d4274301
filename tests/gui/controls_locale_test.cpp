// Number fields under a locale with a decimal comma. Constructing the
// application object makes the C library follow the environment's locale,
// where strtod("9.5") stops at the '.' and printf writes "9,50"; the fields
// must show and read "." all the same.
#include "guitest.h"

#include "controls/tintedit.h"
#include "controls/trealedit.h"
#include "controls/trealvalidator.h"
#include "toolkit/tdialog.h"

#include <QLineEdit>

#include <clocale>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

class ControlsLocaleTest : public QObject {
    Q_OBJECT

private slots:
    void theProcessUsesADecimalComma();
    void fieldShowsAndReadsAPoint();
};

void ControlsLocaleTest::theProcessUsesADecimalComma() {
    QCOMPARE(std::localeconv()->decimal_point, ",");
    QCOMPARE(std::strtod("9.5", nullptr), 9.0);
}

void ControlsLocaleTest::fieldShowsAndReadsAPoint() {
    double safetyFactor = 3.0;
    std::int32_t count = -12;
    TDialog dialog(nullptr, 900);
    new TRealEdit(&dialog, 901, &safetyFactor, 1.0, 9.0, 7, 2, 0, 1);
    new TIntEdit(&dialog, 902, &count, -100, 100, 6, 1, 1, 1);
    dialog.SetupWindow();
    dialog.open();
    QVERIFY(showActive(dialog));
    auto* edit = qobject_cast<QLineEdit*>(dialog.ChildWithId(901));
    QCOMPARE(edit->text(), QStringLiteral("3.00"));
    QCOMPARE(qobject_cast<QLineEdit*>(dialog.ChildWithId(902))->text(), QStringLiteral("-12"));

    edit->setFocus();
    QTest::keyClicks(edit, QStringLiteral("9.5"));
    QCOMPARE(edit->text(), QStringLiteral("9.5"));
    dialog.ChildWithId(902)->setFocus();
    QCOMPARE(safetyFactor, 9.5);

    // The comma of the user's locale is no decimal point here.
    edit->setFocus();
    QTest::keyClicks(edit, QStringLiteral("2,25"));
    QCOMPARE(edit->text(), QStringLiteral("225"));

    safetyFactor = 1.25;
    dialog.TransferData(tdSetData);
    QCOMPARE(edit->text(), QStringLiteral("1.25"));
    QCOMPARE(TRealValidator(0.1, 99.9, 2, 0).ErrorText(),
             QStringLiteral("Valore non valido: inserire un numero tra 0.10 e 99.90"));
}

int main(int argc, char** argv) {
    // The environment must be Italian before the application object exists.
    setenv("LANG", "it_IT.UTF-8", 1);
    setenv("LC_ALL", "it_IT.UTF-8", 1);
    if (std::setlocale(LC_ALL, "it_IT.UTF-8") == nullptr) {
        std::fprintf(
            stderr,
            "The it_IT.UTF-8 locale is not installed; scripts/install-deps generates it.\n");
        return 1;
    }
    std::setlocale(LC_ALL, "C");
    TApplication app(QStringLiteral("Prova ZOLT"), argc, argv);
    ControlsLocaleTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "controls_locale_test.moc"
