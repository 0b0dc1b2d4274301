// "Azioni e combinazioni" and "Sisma" driven through their widgets on the
// seismic example project, and the verification window on its
// combinations: the values are those zolt-calc --verify prints for it.
#include "../gui/guitest.h"

#include "design/units.h"
#include "loads/actions_dialog.h"
#include "loads/seismic_dialog.h"
#include "model/project.h"
#include "model/project_file.h"
#include "toolkit/tresourcescript.h"
#include "toolkit/twinhelp.h"
#include "verification/combinations_table.h"
#include "verification/sizing_dialog.h"
#include "verification/stale_result_bar.h"
#include "verification/verification_table.h"
#include "verification/verification_view.h"
#include "workflow/input_changes.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTextBrowser>

namespace {

using zolt::ActionsDialog;
using zolt::SeismicDialog;

const std::string kExample = ZOLT_EXAMPLES_DIR "/plinto-sismico-con-azioni.zolt";

template <class T> T* child(QWidget& dialog, const char* name) {
    T* widget = dialog.findChild<T*>(QString::fromLatin1(name));
    if (widget == nullptr)
        qWarning("no widget %s", name);
    return widget;
}

ActionsDialog* newActionsDialog() {
    return new ActionsDialog(nullptr, zolt::designData, zolt::soilData, zolt::geometryData);
}

// Types `text` into a cell as a user would: F2, the text, Enter.
void typeIntoCell(QTableView* table, int row, int column, const QString& text) {
    table->setFocus();
    table->setCurrentIndex(table->model()->index(row, column));
    QTest::keyClick(table, Qt::Key_F2);
    auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    QVERIFY(editor != nullptr);
    editor->selectAll();
    QTest::keyClicks(editor, text);
    QTest::keyClick(editor, Qt::Key_Return);
    QTRY_VERIFY(table->indexWidget(table->model()->index(row, column)) == nullptr);
}

// Picks choice `at` of a combo-box cell.
void chooseInCell(QTableView* table, int row, int column, int at) {
    table->setFocus();
    table->setCurrentIndex(table->model()->index(row, column));
    QTest::keyClick(table, Qt::Key_F2);
    auto* combo = qobject_cast<QComboBox*>(QApplication::focusWidget());
    QVERIFY(combo != nullptr);
    combo->setCurrentIndex(at);
    emit combo->activated(at);
    QTRY_VERIFY(table->indexWidget(table->model()->index(row, column)) == nullptr);
}

void retype(QLineEdit* field, const QString& text) {
    field->selectAll();
    field->setText(text);
}

QChar mnemonic(const QString& text) {
    for (qsizetype i = 0; i + 1 < text.size(); ++i) {
        if (text.at(i) == u'&') {
            if (text.at(i + 1) != u'&')
                return text.at(i + 1).toUpper();
            ++i;
        }
    }
    return {};
}

} // namespace

class LoadsTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void builtCombinationsAreTheVerifiedOnes_data();
    void builtCombinationsAreTheVerifiedOnes();
    void cellEdits_data();
    void cellEdits();
    void kindAndCategoryFromTheirLists();
    void csvImport_data();
    void csvImport();
    void okWritesAnnullaKeeps_data();
    void okWritesAnnullaKeeps();
    void seismicCoefficients_data();
    void seismicCoefficients();
    void verificationOfEveryCombination_data();
    void verificationOfEveryCombination();
    void givenCombinationsOutcomes_data();
    void givenCombinationsOutcomes();
    void changedActionsMakeTheWindowStale();
    void sizingCoversEveryCombination();
    void helpPage_data();
    void helpPage();
    void mnemonicsAreOwnAndClearOfTheMenuBar_data();
    void mnemonicsAreOwnAndClearOfTheMenuBar();
};

void LoadsTest::init() {
    std::string error;
    QVERIFY2(zolt::ReadProjectFile(kExample, error), error.c_str());
}

void LoadsTest::builtCombinationsAreTheVerifiedOnes_data() {
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("N");
    QTest::addColumn<QString>("name");
    QTest::newRow("first ULS") << 0 << "112595"
                               << "SLU 1: 1.3 G1 + 1.5 G2 + 1.5 Uffici + 0.75 Neve";
    QTest::newRow("G1 favourable") << 11 << "60954"
                                   << "SLU 12: G1 + 0.8 G2";
    QTest::newRow("SLV, E negated") << 13 << "65854"
                                    << "SLV 2: -E + G1 + G2 + 0.3 Uffici";
    QTest::newRow("quasi-permanent") << 18 << "68354"
                                     << "SLE quasi permanente 1: G1 + G2 + 0.3 Uffici";
}

void LoadsTest::builtCombinationsAreTheVerifiedOnes() {
    QFETCH(int, row);
    QFETCH(QString, N);
    QFETCH(QString, name);
    std::unique_ptr<ActionsDialog> dialog(newActionsDialog());
    auto* built = child<QTableWidget>(*dialog, "built");
    QCOMPARE(built->rowCount(), 19);
    QCOMPARE(built->item(row, 1)->text(), N);
    QCOMPARE(built->item(row, 7)->text(), name);
}

void LoadsTest::cellEdits_data() {
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("shown"); // the cell after the edit
    QTest::addColumn<QString>("message");
    QTest::newRow("name") << 0 << "Pilastro"
                          << "Pilastro"
                          << "";
    QTest::newRow("N") << 3 << "45000"
                       << "45000"
                       << "";
    QTest::newRow("negative MB") << 6 << "-1500"
                                 << "-1500"
                                 << "";
    QTest::newRow("N past its range")
        << 3 << "1000000000"
        << "42000"
        << "Azione 1, N: «1000000000». Valore non valido: inserire un numero tra -999999999 e "
           "999999999";
}

void LoadsTest::cellEdits() {
    QFETCH(int, column);
    QFETCH(QString, text);
    QFETCH(QString, shown);
    QFETCH(QString, message);
    std::unique_ptr<ActionsDialog> dialog(newActionsDialog());
    QVERIFY(showActive(*dialog));
    auto* table = child<QTableView>(*dialog, "actions");
    typeIntoCell(table, 0, column, text);
    QCOMPARE(table->model()->index(0, column).data().toString(), shown);
    QCOMPARE(child<QLabel>(*dialog, "message")->text(), message);
}

void LoadsTest::kindAndCategoryFromTheirLists() {
    zolt::designData.actions.reset();
    std::unique_ptr<ActionsDialog> dialog(newActionsDialog());
    QVERIFY(showActive(*dialog));
    auto* table = child<QTableView>(*dialog, "actions");
    QTest::mouseClick(child<QPushButton>(*dialog, "add"), Qt::LeftButton);
    chooseInCell(table, 0, 1, 2); // Q
    chooseInCell(table, 0, 2, 9); // snow at or below 1000 m
    typeIntoCell(table, 0, 3, QStringLiteral("5000"));
    const std::optional<zolt::ActionsData> actions = dialog->Actions();
    QVERIFY(actions.has_value());
    QCOMPARE(actions->characteristic.size(), std::size_t(1));
    QCOMPARE(actions->characteristic[0].kind, zolt::ActionKind::Q);
    QCOMPARE(actions->characteristic[0].category, zolt::VariableCategory::SnowLow);
    QCOMPARE(actions->characteristic[0].forces.N, 5000.0);
    QCOMPARE(table->model()->index(0, 2).data().toString(),
             QStringLiteral("Neve (quota ≤ 1000 m s.l.m.)"));
    // Rare, frequent and quasi-permanent, and the ULS pair with and without it.
    QCOMPARE(child<QTableWidget>(*dialog, "built")->rowCount(), 5);
}

void LoadsTest::csvImport_data() {
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<int>("units"); // 0 kg, 1 kN
    QTest::addColumn<double>("N");  // of the first combination, kg; 0 when refused
    QTest::addColumn<QString>("message");
    QTest::newRow("comma, kg") << QByteArray("name,type,N,TB,TL,MB,ML\nA,ULS,1000.5,0,0,0,0\n") << 0
                               << 1000.5 << "";
    QTest::newRow("semicolon, kN")
        << QByteArray("type;N;TB;TL;MB;ML;name\nSLV;98,0665;0;0;0;0;A\n") << 1 << 10000.0 << "";
    QTest::newRow("bad number")
        << QByteArray("name,type,N,TB,TL,MB,ML\nA,ULS,12x,0,0,0,0\n") << 0 << 0.0
        << "Il file c.csv non è stato importato:\n\nriga 2, colonna N: «12x» non è un numero";
    QTest::newRow("bad type and missing cell")
        << QByteArray("name,type,N,TB,TL,MB,ML\nA,SLU,1,0,0,0,0\nB,ULS,,0,0,0,0\n") << 0 << 0.0
        << "Il file c.csv non è stato importato:\n\nriga 2, colonna type: «SLU» non è un tipo "
           "di combinazione (ULS, SLV, SLE-rare, SLE-frequent, SLE-qp)\nriga 3, colonna N: cella "
           "vuota";
}

void LoadsTest::csvImport() {
    QFETCH(QByteArray, file);
    QFETCH(int, units);
    QFETCH(double, N);
    QFETCH(QString, message);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("c.csv"));
    QFile out(path);
    QVERIFY(out.open(QIODevice::WriteOnly));
    out.write(file);
    out.close();
    std::unique_ptr<ActionsDialog> dialog(newActionsDialog());
    QVERIFY(showActive(*dialog));
    child<QRadioButton>(*dialog, "combinationsMode")->click();
    child<QComboBox>(*dialog, "units")->setCurrentIndex(units);
    ActionsDialog::ChooseCsvFile = [path](QWidget*) { return path; };
    BoxCloser boxes;
    QTest::mouseClick(child<QPushButton>(*dialog, "import"), Qt::LeftButton);
    const std::optional<zolt::ActionsData> actions = dialog->Actions();
    QVERIFY(actions.has_value());
    if (message.isEmpty()) {
        QCOMPARE(boxes.boxes.size(), 0);
        QCOMPARE(actions->combinations.size(), std::size_t(1));
        QVERIFY(qAbs(actions->combinations[0].forces.N - N) < 1e-6);
        QCOMPARE(child<QTableWidget>(*dialog, "built")->rowCount(), 1);
    } else {
        QCOMPARE(boxes.boxes.size(), 1);
        QCOMPARE(boxes.boxes.at(0).text, message);
        QVERIFY(actions->combinations.empty()); // as the example had them
    }
}

void LoadsTest::okWritesAnnullaKeeps_data() {
    QTest::addColumn<bool>("seismic");
    QTest::addColumn<QString>("close");
    QTest::newRow("actions, OK") << false << "ok";
    QTest::newRow("actions, Annulla") << false << "cancel";
    QTest::newRow("seismic, OK") << true << "ok";
    QTest::newRow("seismic, Annulla") << true << "cancel";
}

void LoadsTest::okWritesAnnullaKeeps() {
    QFETCH(bool, seismic);
    QFETCH(QString, close);
    const zolt::DesignData before = zolt::designData;
    zolt::DesignData edited = before;
    if (seismic)
        edited.seismic->kinematic = false;
    else
        edited.actions->characteristic.pop_back();
    whenIdle([seismic, close] {
        QDialog* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        QVERIFY(dialog != nullptr);
        if (seismic) {
            child<QCheckBox>(*dialog, "kinematic")->click();
        } else {
            auto* table = child<QTableView>(*dialog, "actions");
            table->setCurrentIndex(table->model()->index(4, 0));
            child<QPushButton>(*dialog, "remove")->click();
        }
        child<QPushButton>(*dialog, close.toLatin1().constData())->click();
    });
    const bool written = seismic ? zolt::SeismicCommand(nullptr) : zolt::ActionsCommand(nullptr);
    QCOMPARE(written, close == "ok");
    QCOMPARE(zolt::designData, written ? edited : before);
}

void LoadsTest::seismicCoefficients_data() {
    QTest::addColumn<QString>("subsoil");
    QTest::addColumn<QString>("agOverG");
    QTest::addColumn<QString>("betaS"); // given; empty for the table's
    QTest::addColumn<QString>("table");
    QTest::addColumn<QString>("kh");
    // kh = betaS SS ST ag/g with SS 1.2, ST 1.0 of the example.
    QTest::newRow("B, 0.2") << "B"
                            << "0.200"
                            << ""
                            << "Tab. 7.11.I: βs = 0.24"
                            << "kh = βs SS ST ag/g = 0.0576";
    QTest::newRow("A, 0.25") << "A"
                             << "0.250"
                             << ""
                             << "Tab. 7.11.I: βs = 0.30"
                             << "kh = βs SS ST ag/g = 0.0900";
    QTest::newRow("E, 0.05") << "E"
                             << "0.050"
                             << ""
                             << "Tab. 7.11.I: βs = 0.20"
                             << "kh = βs SS ST ag/g = 0.0120";
    QTest::newRow("betaS given") << "B"
                                 << "0.200"
                                 << "0.50"
                                 << "Tab. 7.11.I: βs = 0.24"
                                 << "kh = βs SS ST ag/g = 0.1200";
    QTest::newRow("past the table")
        << "C"
        << "0.450"
        << ""
        << "la Tab. 7.11.I non dà βs per questo ag/g"
        << "la Tab. 7.11.I non dà βs per ag/g = 0.45 e categoria C: indicare βs o kh";
}

void LoadsTest::seismicCoefficients() {
    QFETCH(QString, subsoil);
    QFETCH(QString, agOverG);
    QFETCH(QString, betaS);
    QFETCH(QString, table);
    QFETCH(QString, kh);
    SeismicDialog dialog(nullptr, zolt::designData.seismic);
    child<QComboBox>(dialog, "subsoil")->setCurrentText(subsoil);
    retype(child<QLineEdit>(dialog, "agOverG"), agOverG);
    if (!betaS.isEmpty()) {
        child<QCheckBox>(dialog, "betaSGiven")->click();
        retype(child<QLineEdit>(dialog, "betaS"), betaS);
    }
    QCOMPARE(child<QLabel>(dialog, "tableBetaS")->text(), table);
    QCOMPARE(child<QLabel>(dialog, "computedKh")->text(), kh);
    QCOMPARE(dialog.Seismic()->betaS.has_value(), !betaS.isEmpty());
    // 1.8 on bearing only with the kinematic effect.
    QVERIFY(child<QRadioButton>(dialog, "gammaR18")->isEnabled());
    child<QCheckBox>(dialog, "kinematic")->click();
    QVERIFY(!child<QRadioButton>(dialog, "gammaR18")->isEnabled());
}

void LoadsTest::verificationOfEveryCombination_data() {
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("number");
    QTest::addColumn<QString>("bearing");
    QTest::addColumn<QString>("sliding");
    QTest::addColumn<QString>("outcome");
    QTest::newRow("first ULS") << 0 << "1"
                               << "54.9 %"
                               << "0.0 %"
                               << "VERIFICATA";
    QTest::newRow("governing SLV") << 12 << "► 13"
                                   << "66.1 %"
                                   << "29.6 %"
                                   << "VERIFICATA";
    QTest::newRow("second SLV") << 13 << "14"
                                << "60.7 %"
                                << "31.8 %"
                                << "VERIFICATA";
    QTest::newRow("SLE") << 14 << "15"
                         << "–"
                         << "–"
                         << "esercizio";
}

void LoadsTest::verificationOfEveryCombination() {
    QFETCH(int, row);
    QFETCH(QString, number);
    QFETCH(QString, bearing);
    QFETCH(QString, sliding);
    QFETCH(QString, outcome);
    zolt::VerificationView view(*zolt::design::findApproach("ntc2018"));
    QVERIFY(view.Computed());
    QTableWidget* table = view.CombinationsTable();
    QVERIFY(table != nullptr);
    QCOMPARE(table->rowCount(), 19);
    QCOMPARE(table->item(row, zolt::kCombinationNumberColumn)->text(), number);
    QCOMPARE(table->item(row, zolt::kCombinationBearingColumn)->text(), bearing);
    QCOMPARE(table->item(row, zolt::kCombinationSlidingColumn)->text(), sliding);
    QCOMPARE(table->item(row, zolt::kCombinationOutcomeColumn)->text(), outcome);
    QCOMPARE(
        table->item(row, zolt::kCombinationBearingColumn)->data(zolt::kUtilisationRole).isValid(),
        bearing != QStringLiteral("–"));
    // The governing combination in detail, with the soil's inertia.
    QVERIFY(view.Table() != nullptr);
    QVERIFY(!view.Table()->findItems(QStringLiteral("694.84 kN"), Qt::MatchExactly).isEmpty());
    QVERIFY(!view.Table()->findItems(QStringLiteral("0.9653"), Qt::MatchExactly).isEmpty());
}

void LoadsTest::givenCombinationsOutcomes_data() {
    QTest::addColumn<int>("type");
    QTest::addColumn<double>("N");
    QTest::addColumn<QString>("outcome");
    QTest::addColumn<bool>("detail"); // the governing combination's table
    QTest::addColumn<QString>("note");
    QTest::newRow("lifts") << int(zolt::CombinationType::ULS) << -1000.0 << "NON VERIFICATA" << true
                           << QString::fromUtf8(zolt::design::kCombinationLiftsNote.data());
    QTest::newRow("serviceability only")
        << int(zolt::CombinationType::SLERare) << 50000.0 << "esercizio" << false
        << QString::fromUtf8(zolt::design::kNoUltimateNote.data());
}

void LoadsTest::givenCombinationsOutcomes() {
    QFETCH(int, type);
    QFETCH(double, N);
    QFETCH(QString, outcome);
    QFETCH(bool, detail);
    QFETCH(QString, note);
    zolt::designData.actions->mode = zolt::ActionsMode::Combinations;
    zolt::designData.actions->selfWeight.reset();
    zolt::designData.actions->combinations = {
        {"C1", static_cast<zolt::CombinationType>(type), {N, 500.0}, {}}};
    zolt::VerificationView view(*zolt::design::findApproach("ntc2018"));
    QVERIFY(view.Computed());
    QCOMPARE(view.CombinationsTable()->item(0, zolt::kCombinationOutcomeColumn)->text(), outcome);
    QCOMPARE(view.Table() != nullptr, detail);
    QString shown;
    for (QLabel* label : view.findChildren<QLabel*>())
        shown += label->text() + u'\n';
    QVERIFY2(shown.contains(note), qPrintable(shown));
}

void LoadsTest::changedActionsMakeTheWindowStale() {
    zolt::VerificationView view(*zolt::design::findApproach("ntc2018"));
    view.show();
    auto* bar = view.findChild<zolt::StaleResultBar*>();
    QVERIFY(bar != nullptr && !bar->isVisible());
    zolt::designData.seismic->kinematic = false;
    zolt::AnnounceInputChanges();
    QVERIFY(bar->isVisible());
}

// The width zolt-calc --verify ntc2018 --size square finds on the example,
// governed by its SLV combination, not by the geometry's N.
void LoadsTest::sizingCoversEveryCombination() {
    zolt::SizingDialog dialog(nullptr);
    QTest::mouseClick(child<QPushButton>(dialog, "compute"), Qt::LeftButton);
    QCOMPARE(dialog.FoundWidth().value_or(0.0), 1.52);
    QCOMPARE(dialog.FoundLength().value_or(0.0), 1.52);
    QString shown;
    for (QLabel* label : dialog.findChildren<QLabel*>())
        shown += label->text() + u'\n';
    QVERIFY2(shown.contains(QStringLiteral("determinante SLV 1")), qPrintable(shown));
}

void LoadsTest::helpPage_data() {
    QTest::addColumn<bool>("seismic");
    QTest::addColumn<bool>("byKey");
    QTest::addColumn<QString>("fragment");
    QTest::newRow("actions, Aiuto") << false << false << "";
    QTest::newRow("actions, F1") << false << true << "";
    QTest::newRow("seismic, F1") << true << true << "sisma";
}

void LoadsTest::helpPage() {
    QFETCH(bool, seismic);
    QFETCH(bool, byKey);
    QFETCH(QString, fragment);
    std::unique_ptr<QDialog> dialog;
    if (seismic)
        dialog.reset(new SeismicDialog(nullptr, zolt::designData.seismic));
    else
        dialog.reset(newActionsDialog());
    QVERIFY(showActive(*dialog));
    if (byKey)
        QTest::keyClick(dialog.get(), Qt::Key_F1);
    else
        QTest::mouseClick(child<QPushButton>(*dialog, "help"), Qt::LeftButton);
    QTextBrowser* help = HelpWindow();
    QVERIFY(help != nullptr && help->isVisible());
    QCOMPARE(help->source().fileName(), QStringLiteral("azioni.html"));
    QCOMPARE(help->source().fragment(), fragment);
    QVERIFY(help->toPlainText().contains(QStringLiteral("Azioni, combinazioni e sisma")));
    help->close();
}

void LoadsTest::mnemonicsAreOwnAndClearOfTheMenuBar_data() {
    QTest::addColumn<bool>("seismic");
    QTest::newRow("Azioni e combinazioni") << false;
    QTest::newRow("Sisma") << true;
}

void LoadsTest::mnemonicsAreOwnAndClearOfTheMenuBar() {
    QFETCH(bool, seismic);
    QSet<QChar> bar;
    const auto menuBar = TResourceScript::Module().Menu(1);
    QVERIFY(menuBar.has_value());
    for (const auto& item : *menuBar)
        bar.insert(mnemonic(item.text));
    std::unique_ptr<QDialog> dialog;
    if (seismic)
        dialog.reset(new SeismicDialog(nullptr, zolt::designData.seismic));
    else
        dialog.reset(newActionsDialog());
    QStringList texts;
    for (QAbstractButton* button : dialog->findChildren<QAbstractButton*>())
        if (!button->text().isEmpty()) // not a table's corner
            texts.append(button->text());
    for (QLabel* label : dialog->findChildren<QLabel*>())
        if (label->buddy() != nullptr)
            texts.append(label->text());
    QSet<QChar> seen;
    for (const QString& text : texts) {
        const QChar letter = mnemonic(text);
        QVERIFY2(!letter.isNull(), qPrintable(text));
        QVERIFY2(!seen.contains(letter), qPrintable(text));
        QVERIFY2(!bar.contains(letter), qPrintable(text));
        seen.insert(letter);
    }
}

ZOLT_GUI_TEST_MAIN(LoadsTest)
#include "loads_test.moc"
