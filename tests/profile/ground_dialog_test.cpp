// "Stratigrafia e falda": the layer table edited through its cells and
// buttons, the water table, the homogeneous soil's field, the drawing that
// follows them, OK and Annulla, the help page and the mnemonics.
#include "../gui/guitest.h"

#include "ground/ground_fields.h"
#include "model/project.h"
#include "profile/ground_dialog.h"
#include "profile/profile_view.h"
#include "toolkit/tresourcescript.h"
#include "toolkit/twinhelp.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTextBrowser>

#include <optional>

namespace {

using zolt::GroundDialog;

zolt::SoilLayer layer(const char* name, double thickness, double phi) {
    zolt::SoilLayer l;
    l.name = name;
    l.thickness = thickness;
    l.phi = phi;
    return l;
}

// Three layers under a water table 2 m down.
zolt::GroundData threeLayers() {
    zolt::GroundData ground;
    ground.waterTable = 2.0;
    ground.layers = {layer("A", 1.0, 28.0), layer("B", 3.5, 24.0), layer("C", 10.0, 36.0)};
    return ground;
}

template <class T> T* child(QWidget& dialog, const char* name) {
    T* widget = dialog.findChild<T*>(QString::fromLatin1(name));
    if (widget == nullptr)
        qWarning("no widget %s", name);
    return widget;
}

QStringList names(const zolt::GroundData& ground) {
    QStringList out;
    for (const zolt::SoilLayer& l : ground.layers)
        out.append(QString::fromStdString(l.name));
    return out;
}

// Types `text` into cell (row, column) as a user would: the cell made
// current, F2, the text, Enter.
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

int columnOf(const char* key) {
    if (std::string_view(key) == "name")
        return 0;
    const auto fields = zolt::ground::layerFields();
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (fields[i].name == key)
            return static_cast<int>(i) + 1;
    }
    return -1;
}

// The letter after the '&' of a text, upper-cased; null for none.
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

double valueOf(const zolt::SoilLayer& l, const char* key) {
    return l.*(zolt::ground::findLayerField(key)->field);
}

} // namespace

class GroundDialogTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void layerTableEdits_data();
    void layerTableEdits();
    void waterTable_data();
    void waterTable();
    void homogeneousSoilOnlyWithoutLayers();
    void okWritesTheGroundAnnullaKeepsIt_data();
    void okWritesTheGroundAnnullaKeepsIt();
    void helpPage_data();
    void helpPage();
    void mnemonicsAreOwnAndClearOfTheMenuBar();
};

void GroundDialogTest::init() {
    zolt::designData = {};
    zolt::geometryData = {};
    zolt::geometryData.B = 2.5;
    zolt::geometryData.D = 1.5;
}

void GroundDialogTest::layerTableEdits_data() {
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("action"); // a button's name, or "edit"
    QTest::addColumn<QString>("key");    // the column edited
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<double>("value"); // of `key` in the layer added, moved or edited
    QTest::addColumn<bool>("refused");
    const QString none;
    QTest::newRow("add after the second")
        << 1 << "add"
        << "phi" << none << QStringList{"A", "B", "Strato 4", "C"} << 24.0 << false;
    QTest::newRow("remove the first") << 0 << "remove"
                                      << "phi" << none << QStringList{"B", "C"} << 24.0 << false;
    QTest::newRow("second up") << 1 << "up"
                               << "phi" << none << QStringList{"B", "A", "C"} << 24.0 << false;
    QTest::newRow("second down") << 1 << "down"
                                 << "phi" << none << QStringList{"A", "C", "B"} << 24.0 << false;
    QTest::newRow("φ in range") << 2 << "edit"
                                << "phi"
                                << "40" << QStringList{"A", "B", "C"} << 40.0 << false;
    QTest::newRow("φ past 50") << 0 << "edit"
                               << "phi"
                               << "57" << QStringList{"A", "B", "C"} << 28.0 << true;
    QTest::newRow("thickness 0") << 1 << "edit"
                                 << "thickness"
                                 << "0" << QStringList{"A", "B", "C"} << 3.5 << true;
    QTest::newRow("cu, three decimals") << 1 << "edit"
                                        << "cu"
                                        << "0.125" << QStringList{"A", "B", "C"} << 0.125 << false;
    QTest::newRow("γsat below water") << 1 << "edit"
                                      << "gammaSat"
                                      << "990" << QStringList{"A", "B", "C"} << 2000.0 << true;
    QTest::newRow("name") << 1 << "edit"
                          << "name"
                          << "Argilla" << QStringList{"A", "Argilla", "C"} << 24.0 << false;
}

void GroundDialogTest::layerTableEdits() {
    QFETCH(int, row);
    QFETCH(QString, action);
    QFETCH(QString, key);
    QFETCH(QString, text);
    QFETCH(QStringList, names);
    QFETCH(double, value);
    QFETCH(bool, refused);
    GroundDialog dialog(nullptr, threeLayers(), zolt::soilData, zolt::geometryData);
    QVERIFY(showActive(dialog));
    auto* table = child<QTableView>(dialog, "layers");
    QVERIFY(table != nullptr);
    const QByteArray name = key.toLatin1();
    if (action == "edit") {
        typeIntoCell(table, row, columnOf(name.constData()), text);
    } else {
        table->selectRow(row);
        QTest::mouseClick(child<QPushButton>(dialog, action.toLatin1().constData()),
                          Qt::LeftButton);
    }
    // Enter ended the edit only: the dialog is still open.
    QVERIFY(dialog.isVisible());
    const zolt::GroundData ground = dialog.Ground();
    QCOMPARE(::names(ground), names);
    if (key != "name") {
        const int shown = action == "add" || action == "down" ? row + 1
                          : action == "up"                    ? row - 1
                                                              : row;
        QCOMPARE(valueOf(ground.layers.at(static_cast<std::size_t>(shown)), name.constData()),
                 value);
    }
    const QString message = child<QLabel>(dialog, "message")->text();
    QCOMPARE(!message.isEmpty(), refused);
    if (refused)
        QVERIFY2(message.startsWith(QStringLiteral("Strato %1, ").arg(row + 1)) &&
                     message.contains(QStringLiteral("inserire un numero tra")),
                 qPrintable(message));
    // The drawing shows the table as it stands.
    const auto& strata = child<zolt::ProfileView>(dialog, "profile")->Shown().strata;
    QCOMPARE(strata.size(), ground.layers.size());
    for (std::size_t i = 0; i < strata.size(); ++i)
        QCOMPARE(strata[i].soil.name, ground.layers[i].name);
}

void GroundDialogTest::waterTable_data() {
    QTest::addColumn<std::optional<double>>("before");
    QTest::addColumn<bool>("absent");   // "Falda assente" afterwards
    QTest::addColumn<QString>("depth"); // typed, or "-" for nothing typed
    QTest::addColumn<bool>("closes");
    QTest::addColumn<std::optional<double>>("after"); // drawn, and handed back by OK
    const std::optional<double> none;
    QTest::newRow("kept") << std::optional(2.0) << false << "-" << true << std::optional(2.0);
    QTest::newRow("switched off") << std::optional(2.0) << true << "-" << true << none;
    QTest::newRow("switched on") << none << false << "1.5" << true << std::optional(1.5);
    QTest::newRow("at the surface") << none << false << "0" << true << std::optional(0.0);
    QTest::newRow("emptied") << std::optional(2.0) << false << "" << true << none;
    QTest::newRow("past 99.9") << std::optional(2.0) << false << "120" << false
                               << std::optional(2.0);
}

void GroundDialogTest::waterTable() {
    QFETCH(std::optional<double>, before);
    QFETCH(bool, absent);
    QFETCH(QString, depth);
    QFETCH(bool, closes);
    QFETCH(std::optional<double>, after);
    zolt::GroundData ground = threeLayers();
    ground.waterTable = before;
    GroundDialog dialog(nullptr, ground, zolt::soilData, zolt::geometryData);
    QVERIFY(showActive(dialog));
    auto* check = child<QCheckBox>(dialog, "noWater");
    auto* field = child<QLineEdit>(dialog, "waterTable");
    QCOMPARE(check->isChecked(), !before.has_value());
    QCOMPARE(field->isEnabled(), before.has_value());
    if (check->isChecked() != absent) {
        check->setFocus();
        QTest::keyClick(check, Qt::Key_Space);
    }
    QCOMPARE(field->isEnabled(), !absent);
    if (depth != "-") {
        field->setFocus();
        field->selectAll();
        QTest::keyClick(field, Qt::Key_Backspace);
        QTest::keyClicks(field, depth);
    }
    if (closes)
        QCOMPARE(child<zolt::ProfileView>(dialog, "profile")->Shown().waterTable, after);
    BoxCloser boxes;
    QTest::mouseClick(child<QPushButton>(dialog, "ok"), Qt::LeftButton);
    QCOMPARE(dialog.isVisible(), !closes);
    QCOMPARE(boxes.boxes.size(), closes ? 0 : 1);
    if (!closes) {
        QCOMPARE(boxes.boxes.at(0).text,
                 QStringLiteral("Valore non valido: inserire un numero tra 0.00 e 99.90"));
        QCOMPARE(dialog.focusWidget(), field);
    } else {
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.Ground().waterTable, after);
    }
}

void GroundDialogTest::homogeneousSoilOnlyWithoutLayers() {
    zolt::GroundData ground;
    ground.gammaSat = 2050.0;
    zolt::SoilData soil;
    soil.phi = 33.0;
    GroundDialog dialog(nullptr, ground, soil, zolt::geometryData);
    QVERIFY(showActive(dialog));
    auto* gammaSat = child<QLineEdit>(dialog, "gammaSat");
    QCOMPARE(gammaSat->text(), QStringLiteral("2050.0"));
    QVERIFY(gammaSat->isEnabled());
    QVERIFY(!child<zolt::ProfileView>(dialog, "profile")->Shown().layered);
    // The first layer starts as the homogeneous soil; the field then has no use.
    QTest::mouseClick(child<QPushButton>(dialog, "add"), Qt::LeftButton);
    QVERIFY(!gammaSat->isEnabled());
    const zolt::GroundData one = dialog.Ground();
    QCOMPARE(one.layers.size(), std::size_t{1});
    QCOMPARE(one.layers[0].phi, 33.0);
    QCOMPARE(one.layers[0].gammaSat, 2050.0);
    QTest::mouseClick(child<QPushButton>(dialog, "remove"), Qt::LeftButton);
    QVERIFY(gammaSat->isEnabled());
    QVERIFY(dialog.Ground().layers.empty());
}

void GroundDialogTest::okWritesTheGroundAnnullaKeepsIt_data() {
    QTest::addColumn<QString>("close"); // ok, cancel, Escape
    QTest::addColumn<bool>("written");
    QTest::newRow("OK") << "ok" << true;
    QTest::newRow("Annulla") << "cancel" << false;
    QTest::newRow("Escape") << "Escape" << false;
}

void GroundDialogTest::okWritesTheGroundAnnullaKeepsIt() {
    QFETCH(QString, close);
    QFETCH(bool, written);
    zolt::designData.ground = threeLayers();
    const zolt::GroundData before = zolt::designData.ground;
    zolt::GroundData edited = before;
    edited.layers.erase(edited.layers.begin());
    edited.waterTable.reset();
    whenIdle([close] {
        auto* dialog = qobject_cast<GroundDialog*>(QApplication::activeModalWidget());
        QVERIFY(dialog != nullptr);
        QCOMPARE(dialog->windowTitle(), QStringLiteral("Stratigrafia e falda"));
        child<QTableView>(*dialog, "layers")->selectRow(0);
        child<QPushButton>(*dialog, "remove")->click();
        child<QCheckBox>(*dialog, "noWater")->click();
        if (close == "Escape")
            QTest::keyClick(dialog, Qt::Key_Escape);
        else
            child<QPushButton>(*dialog, close.toLatin1().constData())->click();
    });
    QCOMPARE(zolt::GroundCommand(nullptr), written);
    QCOMPARE(zolt::designData.ground, written ? edited : before);
}

void GroundDialogTest::helpPage_data() {
    QTest::addColumn<bool>("byKey");
    QTest::newRow("Aiuto") << false;
    QTest::newRow("F1") << true;
}

void GroundDialogTest::helpPage() {
    QFETCH(bool, byKey);
    GroundDialog dialog(nullptr, threeLayers(), zolt::soilData, zolt::geometryData);
    QVERIFY(showActive(dialog));
    if (byKey)
        QTest::keyClick(&dialog, Qt::Key_F1);
    else
        QTest::mouseClick(child<QPushButton>(dialog, "help"), Qt::LeftButton);
    QTextBrowser* help = HelpWindow();
    QVERIFY(help != nullptr && help->isVisible());
    QCOMPARE(help->source().fileName(), QStringLiteral("stratigrafia.html"));
    QVERIFY(help->toPlainText().contains(QStringLiteral("Stratigrafia e falda")));
    help->close();
}

void GroundDialogTest::mnemonicsAreOwnAndClearOfTheMenuBar() {
    QSet<QChar> bar;
    const auto menuBar = TResourceScript::Module().Menu(1);
    QVERIFY(menuBar.has_value());
    for (const auto& item : *menuBar)
        bar.insert(mnemonic(item.text));
    GroundDialog dialog(nullptr, threeLayers(), zolt::soilData, zolt::geometryData);
    QStringList texts;
    for (QAbstractButton* button : dialog.findChildren<QAbstractButton*>()) {
        if (!button->text().isEmpty()) // not the table's corner
            texts.append(button->text());
    }
    int buddies = 0;
    for (QLabel* label : dialog.findChildren<QLabel*>()) {
        if (label->buddy() != nullptr) {
            texts.append(label->text());
            ++buddies;
        }
    }
    QCOMPARE(buddies, 4); // the two tables and the two number fields
    QSet<QChar> seen;
    for (const QString& text : texts) {
        const QChar letter = mnemonic(text);
        QVERIFY2(!letter.isNull(), qPrintable(text));
        QVERIFY2(!seen.contains(letter), qPrintable(text));
        QVERIFY2(!bar.contains(letter), qPrintable(text));
        seen.insert(letter);
    }
}

ZOLT_GUI_TEST_MAIN(GroundDialogTest)

#include "ground_dialog_test.moc"
