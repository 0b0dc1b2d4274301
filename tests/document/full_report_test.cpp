// The full report as a reader gets it: the PDF's text through pdftotext,
// its fonts and pages through pdffonts and pdfinfo, the ODF text through
// unzip. The files stay in full_report_output/ of the build folder, for a
// person to look at.
#include "design/approach.h"
#include "document/fullreport.h"
#include "engine/bearing_capacity.h"
#include "model/project_file.h"
#include "workflow/input_checks.h"
#include "workflow/result_rows.h"

#include <QDir>
#include <QFile>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QProcess>
#include <QRegularExpression>
#include <QtTest>

using zolt::document::ReportFormat;
using zolt::document::ReportRequest;

Q_DECLARE_METATYPE(ReportRequest)

namespace {

ReportRequest request(int method, zolt::GeometryData g, zolt::SoilData s = {}) {
    ReportRequest r;
    r.projectName = "/progetti/plinto nord.dat";
    r.date = "2024-03-15";
    r.geometry = g;
    r.soil = s;
    r.settings.method = method;
    return r;
}

// A Terzaghi strip, worked by hand: 535033 Kg.
ReportRequest terzaghiStrip() {
    return request(zolt::Terzaghi, {2, 3, 1, 0, 0, 0, 0, 0, 0}, {1800, 30, 20, 0, 0});
}

// Hansen with every factor group at work, verified to NTC 2018.
ReportRequest hansenFull() {
    ReportRequest r = request(zolt::Hansen, {2, 3, 1.5, 10, 20, 0.3, 0.2, 50000, 8000},
                              {1800, 30, 20, 0.1, 0.05});
    r.approach = zolt::design::findApproach("ntc2018");
    return r;
}

// The three-layer example project, its water table 2.00 m down, 0.50 m
// below the base, verified to EC7 DA1.
ReportRequest threeLayers() {
    zolt::ProjectDocument project;
    std::string error;
    if (!zolt::readProjectFile(ZOLT_EXAMPLES_DIR "/tre-strati-con-falda.zolt", project, error))
        qFatal("%s", error.c_str());
    ReportRequest r = request(zolt::Vesic, project.geometry, project.soil);
    r.projectName = "/progetti/tre-strati-con-falda.zolt";
    r.settings = project.analysis;
    r.approach = zolt::design::findApproach(project.design.approach);
    r.info = project.design.info;
    r.ground = project.design.ground;
    return r;
}

// The seismic example project with its actions, verified to NTC 2018.
ReportRequest seismicActions() {
    zolt::ProjectDocument project;
    std::string error;
    if (!zolt::readProjectFile(ZOLT_EXAMPLES_DIR "/plinto-sismico-con-azioni.zolt", project, error))
        qFatal("%s", error.c_str());
    ReportRequest r = request(zolt::Vesic, project.geometry, project.soil);
    r.projectName = "/progetti/plinto-sismico-con-azioni.zolt";
    r.settings = project.analysis;
    r.approach = zolt::design::findApproach("ntc2018");
    r.ground = project.design.ground;
    r.actions = project.design.actions;
    r.seismic = project.design.seismic;
    return r;
}

QString outputPath(const QString& name) {
    QDir().mkpath(QStringLiteral(ZOLT_DOCUMENT_TEST_OUTPUT));
    return QStringLiteral(ZOLT_DOCUMENT_TEST_OUTPUT) + u'/' + name;
}

QString written(const ReportRequest& r, ReportFormat format, const QString& name) {
    const auto bytes = zolt::document::renderFullReport(r, format);
    if (!bytes)
        return {};
    const QString path = outputPath(name + (format == ReportFormat::Pdf ? ".pdf" : ".odt"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(bytes->data(), static_cast<qint64>(bytes->size())) != qint64(bytes->size()))
        return {};
    return path;
}

QString run(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        return QStringLiteral("<%1 failed>").arg(program);
    return QString::fromUtf8(process.readAllStandardOutput());
}

QString pdfText(const QString& path) {
    return run(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), path, QStringLiteral("-")});
}

// Every number of the rows the results window and rel.txt show.
QStringList resultNumbers(const ReportRequest& r) {
    zolt::BearingResult result;
    zolt::computeBearing(r.settings.method, r.geometry, r.soil, result, &result.ultimateLoad);
    QStringList numbers;
    static const QRegularExpression number(QStringLiteral("-?\\d+(\\.\\d+)?"));
    for (const auto& row : zolt::resultRows(result, r.geometry.B, r.geometry.L,
                                            r.settings.safetyFactor)) {
        auto matches = number.globalMatch(QString::fromStdString(row.text));
        while (matches.hasNext())
            numbers << matches.next().captured();
    }
    return numbers;
}

} // namespace

class FullReportTest : public QObject {
    Q_OBJECT

private slots:
    void pdfHoldsInputsResultsAndNotes_data();
    void pdfHoldsInputsResultsAndNotes();
    void pdfHasTheNumbersOfTheCalculationReport_data();
    void pdfHasTheNumbersOfTheCalculationReport();
    void valueHeadingsStandOverTheirValues_data();
    void valueHeadingsStandOverTheirValues();
    void pdfHasEmbeddedFontsAndA4Pages();
    void pagesFollowTheDeviceNotItsResolution();
    void odtHoldsTheSameValuesAndTheDrawings();
    void combinationsSection_data();
    void combinationsSection();
    void hundredCombinationsBreakBetweenRows();
};

void FullReportTest::pdfHoldsInputsResultsAndNotes_data() {
    QTest::addColumn<ReportRequest>("request");
    QTest::addColumn<QStringList>("present");
    QTest::addColumn<QStringList>("absent");

    const QString refusal = QString::fromUtf8(zolt::InputCheckMessages[0]);
    QTest::newRow("terzaghi-strip")
        << terzaghiStrip()
        << QStringList{"ZOLT 6.0 – Relazione di calcolo", "plinto nord.dat – 2024-03-15",
                       "Pagina 1 di", "Capacità portante (carico limite)", "535033 Kg",
                       "5246.88 kN", "8.92 Kg/cmq", "874.5 kPa", "2.97 Kg/cmq", "Metodo di Terzaghi",
                       "Profondità del piano di posa", "1800.0 Kg/mc", "17.65 kN/m³", "B = 2.00 m",
                       "D = 1.00 m", "Nessun approccio di verifica scelto",
                       "N e T sono assunti come azioni di progetto (combinazione A1)"}
        << QStringList{"Nessuna analisi", "Errore", "/progetti", "ﬁ"};
    QTest::newRow("hansen-slope-tilt-eccentric-inclined")
        << hansenFull()
        << QStringList{"Metodo di Hansen", "(1 − 0.5·tan ω)", "0.5·H/V*", "α = 10.0°",
                       "ω = 20.0°", "T = 8000 Kg", "N = 50000 Kg", "ex = 0.30 m", "ey = 0.20 m",
                       "B′ = 1.40 m", "L′ = 2.60 m", "NTC 2018 – Approccio 2 (A1+M1+R3)",
                       "Esito della verifica: VERIFICATA", "490.33 kN", "x/B = 0.150",
                       "24000.0 Kg·m", "153152.3 Kg·m"}
        << QStringList{"Nessun risultato", "Errore", "m (fuori scala)"};
    QTest::newRow("refused-by-the-pre-checks")
        << request(zolt::Meyerhof, {}, {1800, 0, 20, 0, 0})
        << QStringList{"Nessun risultato", "Controlli preliminari: " + refusal,
                       "Confronto non eseguito", "Pagina 1 di"}
        << QStringList{"Capacità portante (carico limite)", "Nessuna analisi"};
    QTest::newRow("resultant-off-the-base")
        << request(zolt::Vesic, {1, 1, 1, 0, 0, 0.6, 0, 1000, 0})
        << QStringList{"Errore: il metodo di calcolo non trova un carico limite",
                       "Area efficace nulla", "risultante fuori dal terzo medio",
                       "eccentricità oltre un terzo della dimensione"}
        << QStringList{"Capacità portante (carico limite)"};
    ReportRequest none = terzaghiStrip();
    none.analysed = false;
    none.projectName.clear();
    QTest::newRow("before-any-analysis")
        << none << QStringList{"Nessuna analisi eseguita", "progetto senza nome"}
        << QStringList{"535033", "Capacità portante (carico limite)"};
    // Worked by hand. Drained: q' = 1700·1.00 + 1900·0.50 = 2650 Kg/mq;
    // over B = 2.50 m below the base, 0.50 m above the water and 2.00 m
    // below it, gamma' = (0.50·1900 + 2.00·(1950 − 1000))/2.50 = 1140 and
    // the total gamma (0.50·1900 + 2.00·1950)/2.50 = 1940 Kg/mc; c = cu =
    // 0.600 Kg/cmq (58.84 kPa).
    QTest::newRow("three-layers-with-water")
        << threeLayers()
        << QStringList{"Plinto su tre strati con falda – 2024-03-15",
                       "Committente: Committente di esempio",
                       "Località: Località Case Nuove",
                       "Progettista: Progettista di esempio",
                       "File: tre-strati-con-falda.zolt",
                       "Stratigrafia e falda",
                       "Falda a zw = 2.00 m dal piano campagna.",
                       "Riporto sabbioso",
                       "1.00 – 4.50",
                       "4.50 – ∞",
                       "(58.84)",
                       "Sezione lungo B, con la falda e i limiti degli strati",
                       "falda, zw = 2.00 m",
                       "strato 3",
                       "Condizione drenata (tensioni efficaci)",
                       "Condizione non drenata (tensioni totali)",
                       "q = 2650 Kg/mq (25.99 kPa)",
                       "γ = 1140.0 Kg/mc (11.18 kN/m³)",
                       "γ = 1940.0 Kg/mc (19.02 kN/m³)",
                       "Regola: q' = somma di γ sopra la falda",
                       "Regola: φ = 0, c = media pesata di cu",
                       "strato più debole entro 2B",
                       "Condizione determinante: non drenata",
                       "Esito della verifica: NON VERIFICATA"}
        << QStringList{"progetto senza nome", "plinto nord"};
    // Water 0.50 m down, 1.00 m above the base of a 2 × 3 m footing: q' =
    // 1800·0.50 + (2000 − 1000)·1.00 = 1900 Kg/mq, gamma' = 1000 Kg/mc,
    // U = 1000·1.00·2·3 = 6000 Kg; no cu, no undrained condition.
    ReportRequest water = hansenFull();
    water.ground.waterTable = 0.5;
    QTest::newRow("homogeneous-soil-under-water")
        << water
        << QStringList{"Falda a zw = 0.50 m dal piano campagna.",
                       "γsat = 2000.0 Kg/mc",
                       "q = 1900 Kg/mq (18.63 kPa)",
                       "γ = 1000.0 Kg/mc (9.81 kN/m³)",
                       "U = 6000 Kg (58.84 kN)",
                       "= N − U",
                       "falda, zw = 0.50 m",
                       "Condizione drenata (tensioni efficaci)"}
        << QStringList{"Condizione non drenata", "strato 1", "Condizione determinante"};
    ReportRequest named = terzaghiStrip();
    named.info.title = "Plinto A";
    named.info.client = "Rossi Costruzioni";
    QTest::newRow("dry-project-with-its-title")
        << named
        << QStringList{"Plinto A – 2024-03-15", "Progetto: Plinto A;",
                       "Committente: Rossi Costruzioni", "File: plinto nord.dat"}
        << QStringList{"progetto senza nome", "Stratigrafia e falda", "Condizione drenata",
                       "Località:", "falda"};
    // The example's settlement, as zolt-calc --settlement gives it: the
    // clay from the base at 1.50 m to 4.50 m settles 4.269 cm.
    ReportRequest settled = threeLayers();
    settled.settlement = zolt::SettlementSettings{zolt::SettlementMethod::Oedometric,
                                                  zolt::CombinationType::SLEQuasiPermanent, 5.0,
                                                  50.0};
    QTest::newRow("settlement-within-its-limit")
        << settled
        << QStringList{"7. Cedimenti", "Metodo edometrico", "q = N / (B·L)",
                       "34667 Kg/mq (339.96 kPa)", "7.15 m", "Cedimento per strato", "4.269",
                       "45.37", "s = 4.537 cm ≤ samm = 5.00 cm (s/samm = 90.7 %): VERIFICATA",
                       "eccentricità non considerata"}
        << QStringList{"7. Note", "Cedimento non calcolabile"};
    ReportRequest unsettled = settled;
    unsettled.settlement->method = zolt::SettlementMethod::BurlandBurbidge;
    QTest::newRow("settlement-lacking-a-value")
        << unsettled
        << QStringList{"7. Cedimenti", "Cedimento non calcolabile", "Argilla limosa", "Nspt"}
        << QStringList{"Cedimento per strato", "s/samm"};
    ReportRequest deep = request(zolt::Meyerhof, {0.1, 99.9, 99.9, 99.9, 99.9, 99.9, 99.9, 1, 1});
    QTest::newRow("extreme-geometry")
        << deep << QStringList{"D = 99.90 m (fuori scala)", "L = 99.90 m (fuori scala)"}
        << QStringList{};
}

void FullReportTest::pdfHoldsInputsResultsAndNotes() {
    QFETCH(ReportRequest, request);
    QFETCH(QStringList, present);
    QFETCH(QStringList, absent);
    const QString path = written(request, ReportFormat::Pdf, QTest::currentDataTag());
    QVERIFY(!path.isEmpty());
    const QString text = pdfText(path);
    for (const QString& s : present)
        QVERIFY2(text.contains(s), qPrintable(s));
    for (const QString& s : absent)
        QVERIFY2(!text.contains(s), qPrintable(s));
    // Stated once: in the verification when there is one, else in the notes.
    QCOMPARE(text.simplified().count(QStringLiteral("N e T sono assunti come azioni di progetto")),
             1);
    // The page count in every footer is the document's.
    const QString pages = run(QStringLiteral("pdfinfo"), {path});
    const QRegularExpressionMatch count =
        QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(pages);
    QVERIFY(count.hasMatch());
    const int n = count.captured(1).toInt();
    QVERIFY(text.contains(QStringLiteral("Pagina %1 di %1").arg(n)));
    QCOMPARE(text.count(QStringLiteral(" di %1\n").arg(n)), n);
}

void FullReportTest::pdfHasTheNumbersOfTheCalculationReport_data() {
    QTest::addColumn<ReportRequest>("request");
    // Two footings each: between them, section headings fall near page ends.
    ReportRequest other = request(zolt::Hansen, {2, 3, 1, 5, 5, 0.1, 0.1, 50000, 2000},
                                  {1800, 30, 20, 0.1, 0.1});
    other.approach = zolt::design::findApproach("ntc2018");
    for (const ReportRequest& footing : {hansenFull(), other})
        for (int method = zolt::Terzaghi; method <= zolt::Vesic; ++method) {
            ReportRequest r = footing;
            r.settings.method = method;
            r.settings.safetyFactor = 2.5;
            QTest::newRow(qPrintable(QString::fromUtf8(zolt::methodTitle(method).data()) +
                                     (footing.geometry.D == 1 ? " 2" : " 1")))
                << r;
        }
}

void FullReportTest::pdfHasTheNumbersOfTheCalculationReport() {
    QFETCH(ReportRequest, request);
    const QString path = written(request, ReportFormat::Pdf, "numeri");
    const QString text = pdfText(path);
    const QStringList numbers = resultNumbers(request);
    QVERIFY(numbers.size() >= 12); // Terzaghi's twelve, up to Hansen's twenty-four
    for (const QString& n : numbers)
        QVERIFY2(text.contains(n), qPrintable(n));
    // Every section once: a heading the layout moved to the next page is
    // not also drawn, hidden, at the foot of the one before.
    for (const char* heading : {"1. Dati di input", "2. Schema della fondazione",
                                "3. Metodo di calcolo", "4. Risultati", "5. Confronto dei metodi",
                                "6. Verifica"})
        QVERIFY2(text.count(QString::fromUtf8(heading)) == 1, heading);
    QVERIFY(text.count(QStringLiteral("7. Note")) <= 1); // only with something to note
}

void FullReportTest::valueHeadingsStandOverTheirValues_data() {
    QTest::addColumn<QStringList>("heading"); // the header row's words up to "Valore"
    QTest::addColumn<QString>("value");       // the first value of its column, a pattern
    QTest::newRow("geometry") << QStringList{"Simbolo", "Descrizione", "Valore"} << "^2\\.00$";
    QTest::newRow("method") << QStringList{"Descrizione", "Valore", "Metodo"} << "^Hansen$";
    QTest::newRow("formulas") << QStringList{"Grandezze", "comuni", "Valore"} << "^\\d+\\.\\d+$";
}

// Right-aligned columns: the heading ends where its values end.
void FullReportTest::valueHeadingsStandOverTheirValues() {
    QFETCH(QStringList, heading);
    QFETCH(QString, value);
    const QString path = written(hansenFull(), ReportFormat::Pdf, "colonne");
    static const QRegularExpression word(
        QStringLiteral("<word xMin=\"[\\d.]+\" yMin=\"[\\d.]+\" xMax=\"([\\d.]+)\" "
                       "yMax=\"[\\d.]+\">([^<]*)</word>"));
    QList<std::pair<QString, double>> words; // in the order the page draws them
    auto matches = word.globalMatch(run(QStringLiteral("pdftotext"), {"-bbox", path, "-"}));
    while (matches.hasNext()) {
        const QRegularExpressionMatch m = matches.next();
        words.append({m.captured(2), m.captured(1).toDouble()});
    }
    qsizetype at = -1;
    for (qsizetype i = 0; at < 0 && i + heading.size() <= words.size(); ++i) {
        bool same = true;
        for (qsizetype k = 0; same && k < heading.size(); ++k)
            same = words[i + k].first == heading[k];
        if (same)
            at = i + heading.indexOf(QStringLiteral("Valore"));
    }
    QVERIFY(at >= 0);
    const QRegularExpression pattern(value);
    qsizetype v = at + 1;
    while (v < words.size() && !pattern.match(words[v].first).hasMatch())
        ++v;
    QVERIFY(v < words.size());
    QVERIFY2(std::abs(words[at].second - words[v].second) < 0.5,
             qPrintable(QStringLiteral("%1 ends at %2, %3 at %4")
                            .arg(words[at].first).arg(words[at].second)
                            .arg(words[v].first).arg(words[v].second)));
}

void FullReportTest::pdfHasEmbeddedFontsAndA4Pages() {
    const QString path = written(hansenFull(), ReportFormat::Pdf, "caratteri");
    const QStringList fonts =
        run(QStringLiteral("pdffonts"), {path}).split(u'\n', Qt::SkipEmptyParts).mid(2);
    QVERIFY(!fonts.isEmpty());
    for (const QString& font : fonts) {
        // name type encoding emb sub uni object ID
        const QStringList fields = font.simplified().split(u' ');
        QVERIFY2(fields.size() >= 7 && fields[fields.size() - 5] == "yes", qPrintable(font));
    }
    const QString info =
        run(QStringLiteral("pdfinfo"), {"-f", "1", "-l", "99", path});
    const int pages = info.count(QRegularExpression(QStringLiteral("Page +\\d+ size:")));
    QVERIFY(pages >= 2);
    QCOMPARE(info.count(QRegularExpression(QStringLiteral("Page +\\d+ size: +595(\\.\\d+)? x 84[12](\\.\\d+)? pts \\(A4\\)"))),
             pages);
}

// The preview's printer has its own resolution and may have another page:
// the report follows the device it is painted on.
void FullReportTest::pagesFollowTheDeviceNotItsResolution() {
    const ReportRequest r = hansenFull();
    int reference = 0;
    for (int dpi : {72, 300, 1200}) {
        const QString path = outputPath(QStringLiteral("risoluzione-%1.pdf").arg(dpi));
        {
            QPdfWriter writer(path);
            writer.setResolution(dpi);
            zolt::document::setReportPageLayout(writer);
            QVERIFY(zolt::document::paintFullReport(r, writer));
        }
        const QString text = pdfText(path);
        const int pages = text.count(QStringLiteral("Pagina "));
        if (reference == 0)
            reference = pages;
        QCOMPARE(pages, reference);
        QVERIFY(text.contains(QStringLiteral("133674 Kg")));
    }
    const QString letter = outputPath(QStringLiteral("letter.pdf"));
    {
        QPdfWriter writer(letter);
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::Letter), QPageLayout::Portrait,
                                         QMarginsF(25, 25, 25, 25), QPageLayout::Millimeter));
        QVERIFY(zolt::document::paintFullReport(r, writer));
    }
    QVERIFY(pdfText(letter).contains(QStringLiteral("Pagina 1 di")));
}

void FullReportTest::odtHoldsTheSameValuesAndTheDrawings() {
    const QString path = written(terzaghiStrip(), ReportFormat::Odt, "terzaghi-strip");
    QVERIFY(!path.isEmpty());
    QCOMPARE(run(QStringLiteral("unzip"), {"-p", path, "mimetype"}),
             QStringLiteral("application/vnd.oasis.opendocument.text"));
    const QString content = run(QStringLiteral("unzip"), {"-p", path, "content.xml"});
    for (const char* s :
         {"ZOLT 6.0 – Relazione di calcolo", "plinto nord.dat – 2024-03-15", "1. Dati di input",
          "2. Schema della fondazione", "3. Metodo di calcolo", "4. Risultati",
          "5. Confronto dei metodi", "6. Verifica", "7. Note", "535033", "5246.88", "8.92",
          "Capacità portante", "Profondità del piano di posa"})
        QVERIFY2(content.contains(QString(s)), qPrintable(QString(s)));
    const QString listing = run(QStringLiteral("unzip"), {"-l", path});
    QCOMPARE(listing.count(QStringLiteral("Pictures/")), 2);
    // Tables as wide as the text, in a unit a word processor reads.
    QVERIFY(content.contains(QStringLiteral("style:width=\"481.89")));
    // The font the text was laid out with, not a generic one.
    QVERIFY(content.contains(QStringLiteral("fo:font-family=\"DejaVu Sans\"")));
    QVERIFY(!content.contains(QStringLiteral("%\"")));
}

void FullReportTest::combinationsSection_data() {
    QTest::addColumn<ReportRequest>("request");
    QTest::addColumn<QStringList>("present");
    QTest::newRow("characteristic")
        << seismicActions()
        << QStringList{"Azioni caratteristiche",
                       "Neve (quota ≤ 1000",
                       "in tutto 8554 Kg",
                       "kh = 0.0576",
                       "γR = 2.3 sul carico limite",
                       "SLU 1: 1.3 G1 +",
                       "► 13",
                       "66.1 %",
                       "29.6 %",
                       "Combinazione determinante 13: SLV 1: E + G1 + G2 + 0.3 Uffici",
                       "zq = zγ = 0.9653, zc = 0.9816",
                       "Esito della verifica: VERIFICATA"};
    ReportRequest given = seismicActions();
    given.actions->mode = zolt::ActionsMode::Combinations;
    given.actions->selfWeight.reset();
    given.actions->combinations = {{"Dal modello", zolt::CombinationType::ULS, {9000, 40000}, {}}};
    QTest::newRow("given, sliding fails")
        << given
        << QStringList{"Combinazioni date", "Dal modello", "NON VERIFICATA",
                       "Esito della verifica: NON VERIFICATA"};
}

void FullReportTest::combinationsSection() {
    QFETCH(ReportRequest, request);
    QFETCH(QStringList, present);
    const QString path = written(request, ReportFormat::Pdf, QTest::currentDataTag());
    QVERIFY(!path.isEmpty());
    const QString text = pdfText(path);
    for (const QString& s : present)
        QVERIFY2(text.contains(s), qPrintable(s));
}

void FullReportTest::hundredCombinationsBreakBetweenRows() {
    ReportRequest r = seismicActions();
    r.actions->mode = zolt::ActionsMode::Combinations;
    for (int i = 1; i <= 100; ++i)
        r.actions->combinations.push_back(
            {"Comb. " + std::to_string(i) + " del modello strutturale, fine" + std::to_string(i),
             zolt::CombinationType::ULS,
             {50000.0 + 100.0 * i, 1000.0},
             {}});
    const QString path = written(r, ReportFormat::Pdf, QStringLiteral("hundred-combinations"));
    QVERIFY(!path.isEmpty());
    const QStringList pages = pdfText(path).split(u'\f');
    int rowsSeen = 0;
    for (const QString& page : pages) {
        bool holdsRows = false;
        for (int i = 1; i <= 100; ++i) {
            const bool starts = page.contains(QStringLiteral("Comb. %1 del").arg(i));
            const bool ends = page.contains(QStringLiteral("fine%1\n").arg(i)) ||
                              page.contains(QStringLiteral("fine%1 ").arg(i));
            QVERIFY2(starts == ends, qPrintable(QStringLiteral("row %1 split").arg(i)));
            holdsRows = holdsRows || starts;
            rowsSeen += starts;
        }
        // Every page of a table opens with its header.
        if (holdsRows)
            QVERIFY(page.contains(QStringLiteral("Tipo")));
    }
    // In the table of the given combinations and in that of their checks.
    QCOMPARE(rowsSeen, 200);
}

QTEST_MAIN(FullReportTest)
#include "full_report_test.moc"
