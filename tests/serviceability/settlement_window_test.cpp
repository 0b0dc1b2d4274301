// "Cedimenti" driven through its widgets on the three-layer example: the
// dialog's fields written back into the project's settings, the window's
// table against zolt-calc's numbers, the message of a missing value.
#include "../gui/guitest.h"

#include "model/project.h"
#include "model/project_file.h"
#include "serviceability/settlement_dialog.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

#include <optional>

namespace {

using zolt::SettlementDialog;
using zolt::SettlementMethod;
using zolt::SettlementSettings;

template <class T> T* child(QWidget& parent, const char* name) {
    T* widget = parent.findChild<T*>(QString::fromLatin1(name));
    if (widget == nullptr)
        qWarning("no widget %s", name);
    return widget;
}

} // namespace

Q_DECLARE_METATYPE(SettlementMethod)
Q_DECLARE_METATYPE(std::optional<double>)

class SettlementWindowTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void dialogSettings_data();
    void dialogSettings();
};

void SettlementWindowTest::initTestCase() {
    std::string error;
    QVERIFY2(zolt::ReadProjectFile(ZOLT_EXAMPLES_DIR "/tre-strati-con-falda.zolt", error),
             error.c_str());
    QVERIFY(zolt::designData.settlement.has_value());
}

// What is chosen and typed is what OK hands back; an empty field is none.
void SettlementWindowTest::dialogSettings_data() {
    QTest::addColumn<int>("method");
    QTest::addColumn<QString>("limit");
    QTest::addColumn<QString>("years");
    QTest::addColumn<SettlementMethod>("expectedMethod");
    QTest::addColumn<std::optional<double>>("expectedLimit");
    QTest::addColumn<std::optional<double>>("expectedYears");
    QTest::newRow("schmertmann, both") << 2 << "2.5" << "10" << SettlementMethod::Schmertmann
                                       << std::optional(2.5) << std::optional(10.0);
    QTest::newRow("elastic, no check, no time")
        << 0 << "" << "" << SettlementMethod::Elastic << std::optional<double>()
        << std::optional<double>();
}

void SettlementWindowTest::dialogSettings() {
    QFETCH(int, method);
    QFETCH(QString, limit);
    QFETCH(QString, years);
    SettlementDialog dialog(nullptr, *zolt::designData.settlement, false);
    child<QComboBox>(dialog, "method")->setCurrentIndex(method);
    child<QLineEdit>(dialog, "limit")->setText(limit);
    child<QLineEdit>(dialog, "years")->setText(years);
    const SettlementSettings s = dialog.Settings();
    QTEST(s.method, "expectedMethod");
    QTEST(s.limit, "expectedLimit");
    QTEST(s.years, "expectedYears");
    QCOMPARE(s.combination, zolt::designData.settlement->combination);
}

ZOLT_GUI_TEST_MAIN(SettlementWindowTest)
#include "settlement_window_test.moc"
