// The full report's window commands and the report window's own menu, on
// real widgets: files written through the save routine, the open-error
// message on failure, the print preview's pages.
#include "guitest.h"

#include "design/approach.h"
#include "document/documentcommands.h"
#include "engine/bearing_capacity.h"
#include "model/data_file.h"
#include "model/project.h"
#include "toolkit/teditfile.h"
#include "verification/approach_choice.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QMenu>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QScreen>
#include <QTemporaryDir>
#include <QTextCursor>

#include <memory>

using namespace zolt;

namespace {

QByteArray contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QAction* actionNamed(QMenu& menu, const QString& text) {
    for (QAction* action : menu.actions())
        if (action->text() == text)
            return action;
    return nullptr;
}

} // namespace

class DocumentCommandsTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void fullReportWritesTheFormatOfTheChosenName_data();
    void fullReportWritesTheFormatOfTheChosenName();
    void fullReportShowsTheOpenErrorAndWritesNothingWhenCancelled();
    void requestFollowsTheRecordsAndTheChoicesOfTheRun();
    void printPreviewShowsEveryPageOfTheReport();
    void reportWindowSavesTheEditedTextInWindows1252();

private:
    QTemporaryDir m_dir;
    QStringList m_prompts; // the names each prompt suggested
};

void DocumentCommandsTest::init() {
    geometryData = {2, 3, 1, 0, 0, 0, 0, 0, 0};
    soilData = {};
    analysisSettings = {};
    bearingResult = {};
    analysedMethod.reset();
    SetChosenApproach(nullptr);
    m_prompts.clear();
}

void DocumentCommandsTest::cleanup() {
    SetReportFileNameFunction({});
    TEditFile::SetSaveAsPrompt({});
}

void DocumentCommandsTest::fullReportWritesTheFormatOfTheChosenName_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("magic");
    QTest::newRow("pdf") << "relazione.pdf" << QByteArray("%PDF-");
    QTest::newRow("odt") << "relazione.odt" << QByteArray("PK\x03\x04");
    QTest::newRow("ODT in capitals") << "RELAZIONE.ODT" << QByteArray("PK\x03\x04");
}

void DocumentCommandsTest::fullReportWritesTheFormatOfTheChosenName() {
    QFETCH(QString, name);
    QFETCH(QByteArray, magic);
    const QString path = m_dir.filePath(name);
    SetReportFileNameFunction([&](QWidget*, const QString& suggested) {
        m_prompts << suggested;
        return path;
    });
    BoxCloser boxes;
    FullReportCommand(nullptr, QStringLiteral("/progetti/plinto.dat"));
    QVERIFY(boxes.boxes.isEmpty());
    QVERIFY(contents(path).startsWith(magic));
    QCOMPARE(m_prompts, QStringList{QStringLiteral("/progetti/plinto.pdf")});
}

void DocumentCommandsTest::fullReportShowsTheOpenErrorAndWritesNothingWhenCancelled() {
    BoxCloser boxes;
    SetReportFileNameFunction([](QWidget*, const QString&) { return QString(); });
    FullReportCommand(nullptr, QString());
    QVERIFY(boxes.boxes.isEmpty());

    const QString missingFolder = m_dir.filePath(QStringLiteral("manca/relazione.pdf"));
    SetReportFileNameFunction([&](QWidget*, const QString&) { return missingFolder; });
    FullReportCommand(nullptr, QString());
    QCOMPARE(boxes.boxes.size(), 1);
    QCOMPARE(boxes.boxes[0].text, QString::fromUtf8(kOpenErrorText));
    QVERIFY(!QFile::exists(missingFolder));
}

void DocumentCommandsTest::requestFollowsTheRecordsAndTheChoicesOfTheRun() {
    geometryData.N = 12345;
    analysisSettings.method = Vesic;
    document::ReportRequest r = CurrentReportRequest(QStringLiteral("/progetti/plinto nord.dat"));
    QCOMPARE(r.projectName, std::string("plinto nord.dat"));
    QCOMPARE(r.geometry.N, 12345.0);
    QCOMPARE(r.settings.method, int(Vesic));
    QVERIFY(!r.analysed); // no analysis yet
    QCOMPARE(r.approach, nullptr);
    QCOMPARE(QString::fromStdString(r.date), QDate::currentDate().toString(Qt::ISODate));

    // A failed run is no analysis; a successful one is.
    const GeometryData& g = geometryData;
    geometryData.T = 9000000; // Hansen's inclination factor turns negative
    QCOMPARE(computeBearingCapacity(Hansen, g.B, g.L, g.D, g.alpha, g.omega, g.N, g.T, g.ex, g.ey,
                                    &bearingResult.ultimateLoad),
             kEngineFailed);
    QVERIFY(!CurrentReportRequest(QString()).analysed);
    geometryData.T = 0;
    QCOMPARE(computeBearingCapacity(Vesic, g.B, g.L, g.D, g.alpha, g.omega, g.N, g.T, g.ex, g.ey,
                                    &bearingResult.ultimateLoad),
             kEngineOk);
    const design::Approach* ntc = design::findApproach("ntc2018");
    SetChosenApproach(ntc);
    analysisSettings.method = Terzaghi; // chosen after the analysis
    r = CurrentReportRequest(QString());
    QVERIFY(r.analysed);
    QCOMPARE(r.settings.method, int(Vesic));
    QCOMPARE(r.approach, ntc);
    QVERIFY(r.projectName.empty());
}

void DocumentCommandsTest::printPreviewShowsEveryPageOfTheReport() {
    analysedMethod = Meyerhof;
    int pages = -1;
    bool seen = false;
    QSize size;
    bool fitted = false;
    whenIdle([&] {
        auto* preview = qobject_cast<QPrintPreviewDialog*>(QApplication::activeModalWidget());
        if (preview == nullptr)
            return;
        seen = true;
        auto* widget = preview->findChild<QPrintPreviewWidget*>();
        QTRY_VERIFY_WITH_TIMEOUT(widget != nullptr && widget->pageCount() > 0, 10000);
        pages = widget->pageCount();
        // Large enough to read a page: most of the screen's height, the
        // page as wide as the window.
        const QRect screen = preview->screen()->availableGeometry();
        size = preview->size();
        fitted = widget->zoomMode() == QPrintPreviewWidget::FitToWidth;
        QVERIFY(screen.contains(preview->frameGeometry().topLeft()));
        preview->reject();
    });
    PrintReportCommand(nullptr, QString());
    QVERIFY(seen);
    // The same document as the PDF: several A4 pages.
    QVERIFY2(pages >= 3, qPrintable(QString::number(pages)));
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    QVERIFY2(size.height() >= screen.height() * 8 / 10 && size.width() >= size.height() * 8 / 10,
             qPrintable(QStringLiteral("%1 x %2").arg(size.width()).arg(size.height())));
    QVERIFY(fitted);
}

void DocumentCommandsTest::reportWindowSavesTheEditedTextInWindows1252() {
    const QString source = m_dir.filePath(QStringLiteral("rel.txt"));
    QFile file(source);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("Capacit\xE0 portante    479775 Kg\n");
    file.close();
    TEditFile view(nullptr, 100, QString(), 0, 0, 400, 400, source);
    view.moveCursor(QTextCursor::End);
    view.insertPlainText(QStringLiteral("Nota: verificata anche a profondità maggiore."));

    std::unique_ptr<QMenu> menu(view.CreateContextMenu());
    QAction* save = actionNamed(*menu, QStringLiteral("Salva con nome..."));
    QVERIFY(save != nullptr);
    QVERIFY(actionNamed(*menu, QStringLiteral("Stampa...")) != nullptr);

    const QString target = m_dir.filePath(QStringLiteral("copia.txt"));
    QString prompted = target;
    TEditFile::SetSaveAsPrompt([&](QWidget*, const QString& suggested) {
        m_prompts << suggested;
        return prompted;
    });
    BoxCloser boxes;
    save->trigger();
    QVERIFY(boxes.boxes.isEmpty());
    QCOMPARE(m_prompts, QStringList{source});
    QCOMPARE(contents(target), QByteArray("Capacit\xE0 portante    479775 Kg\n"
                                          "Nota: verificata anche a profondit\xE0 maggiore."));
    QCOMPARE(contents(source), QByteArray("Capacit\xE0 portante    479775 Kg\n"));

    prompted = m_dir.filePath(QStringLiteral("manca/copia.txt"));
    save->trigger();
    QCOMPARE(boxes.boxes.size(), 1);
    QCOMPARE(boxes.boxes[0].text, QString::fromUtf8(kOpenErrorText));
}

ZOLT_GUI_TEST_MAIN(DocumentCommandsTest)
#include "document_commands_test.moc"
