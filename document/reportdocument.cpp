#include "document/reportdocument.h"

#include "actions/action_fields.h"
#include "actions/self_weight.h"
#include "actions/vocabulary.h"
#include "design/units.h"
#include "actions/vocabulary.h"
#include "document/reportcontent.h"
#include "document/settlementplot.h"
#include "document/sketch.h"
#include "document/sketchpainter.h"
#include "ground/ground_model.h"
#include "model/number_text.h"
#include "workflow/input_fields.h"
#include "workflow/result_rows.h"

#include <QAbstractTextDocumentLayout>
#include <QPainter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocumentFragment>
#include <QTextLayout>
#include <QTextList>
#include <QTextObjectInterface>
#include <QTextTable>
#include <QUrl>

#include <algorithm>
#include <functional>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

namespace zolt::document {

namespace {

using design::kilonewtons;
using design::kilopascals;

const QString kFontFamily = QStringLiteral("DejaVu Sans");
// No ligatures: "fi" stays two letters, so that the PDF's text can be
// searched and copied as written.
constexpr QFont::StyleStrategy kStyleStrategy = QFont::PreferNoShaping;
constexpr double kBodyPoints = 9.0;
constexpr double kTablePoints = 8.5;
constexpr double kTitlePoints = 15.0;
constexpr double kHeadingPoints = 12.0;
constexpr double kSubheadingPoints = 9.5;

const QColor kHeadingColour(0x1F, 0x3A, 0x5F);
const QColor kTableHeaderColour(0xE6, 0xEC, 0xF2);
const QColor kTableBorderColour(0x90, 0x90, 0x90);

// Drawing frames, mm.
constexpr double kSectionHeightMm = 78.0;
// Taller with the ground's levels, which reach D + 2B below the surface.
constexpr double kSectionWithGroundHeightMm = 105.0;
// Above and below a drawing in its frame, mm: the sketch's own margins and some air.
constexpr double kFrameRoomMm = 6.0;
constexpr double kPlanHeightMm = 72.0;
// The ODF text's drawings, dots per inch.
constexpr double kImageDpi = 200.0;

constexpr int kSketchObjectType = QTextFormat::UserObject + 1;
constexpr int kSettlementObjectType = QTextFormat::UserObject + 2;
constexpr int kSketchKindProperty = QTextFormat::UserProperty + 1;
enum SketchKind { SectionDrawing = 0, PlanDrawing = 1 };

double mm(double millimetres) {
    return millimetres * kLayoutUnitsPerMm;
}

QString qs(const std::string& utf8) {
    return QString::fromStdString(utf8);
}

// Paints the drawings in place inside the text, as vectors.
class SketchObject : public QObject, public QTextObjectInterface {
    Q_OBJECT
    Q_INTERFACES(QTextObjectInterface)

public:
    SketchObject(const GeometryData& geometry, const SectionGround& ground, double widthMm,
                 QObject* parent)
        : QObject(parent), m_geometry(geometry), m_ground(ground), m_widthMm(widthMm) {}

    // The frame of a drawing. The section with the ground's levels has
    // room for them, but no more height than the drawing takes where its
    // width sets the scale.
    static SketchRect frameOf(int kind, double widthMm, const SectionGround& ground,
                              const GeometryData& g) {
        if (kind != SectionDrawing)
            return {0.0, 0.0, widthMm, kPlanHeightMm};
        if (ground.empty())
            return {0.0, 0.0, widthMm, kSectionHeightMm};
        const SketchRect tall{0.0, 0.0, widthMm, kSectionWithGroundHeightMm};
        const double needed = sectionSketch(g, tall, ground).bounds().height + kFrameRoomMm;
        return {0.0, 0.0, widthMm,
                std::clamp(needed, kSectionHeightMm, kSectionWithGroundHeightMm)};
    }

    static Sketch sketchOf(int kind, const GeometryData& g, const SectionGround& ground,
                           const SketchRect& frame) {
        return kind == SectionDrawing ? sectionSketch(g, frame, ground) : planSketch(g, frame);
    }

    QSizeF intrinsicSize(QTextDocument*, int, const QTextFormat& format) override {
        const SketchRect frame =
            frameOf(format.intProperty(kSketchKindProperty), m_widthMm, m_ground, m_geometry);
        return {mm(frame.width), mm(frame.height)};
    }

    void drawObject(QPainter* painter, const QRectF& rect, QTextDocument*, int,
                    const QTextFormat& format) override {
        // A page paints every line its slice touches; a drawing belongs to
        // one page only.
        if (painter->hasClipping() && !painter->clipBoundingRect().intersects(rect))
            return;
        const int kind = format.intProperty(kSketchKindProperty);
        const SketchRect frame = frameOf(kind, m_widthMm, m_ground, m_geometry);
        paintSketch(*painter, sketchOf(kind, m_geometry, m_ground, frame), frame, rect.topLeft(),
                    kLayoutUnitsPerMm);
    }

private:
    GeometryData m_geometry;
    SectionGround m_ground;
    double m_widthMm;
};

// Paints the settlement against depth in place inside the text, as vectors.
class SettlementPlotObject : public QObject, public QTextObjectInterface {
    Q_OBJECT
    Q_INTERFACES(QTextObjectInterface)

public:
    SettlementPlotObject(const settlement::Settlement& s, const ground::Profile& profile, double D,
                         double widthMm, QObject* parent)
        : QObject(parent), m_settlement(s), m_profile(profile), m_D(D), m_widthMm(widthMm) {}

    QSizeF intrinsicSize(QTextDocument*, int, const QTextFormat&) override {
        return {mm(m_widthMm), mm(kSettlementPlotHeightMm)};
    }

    void drawObject(QPainter* painter, const QRectF& rect, QTextDocument*, int,
                    const QTextFormat&) override {
        if (painter->hasClipping() && !painter->clipBoundingRect().intersects(rect))
            return;
        paintSettlementPlot(*painter, m_settlement, m_profile, m_D, m_widthMm, rect.topLeft(),
                            kLayoutUnitsPerMm);
    }

private:
    settlement::Settlement m_settlement;
    ground::Profile m_profile;
    double m_D;
    double m_widthMm;
};

// The water table and the layer boundaries of `ground` for the section.
SectionGround sectionGroundOf(const GroundData& ground) {
    SectionGround levels;
    levels.waterTable = ground.waterTable;
    double depth = 0.0;
    for (std::size_t i = 0; i + 1 < ground.layers.size(); ++i) {
        depth += ground.layers[i].thickness;
        levels.boundaries.push_back(depth);
    }
    return levels;
}

// Appends the report's pieces at the end of a document.
class Writer {
public:
    explicit Writer(QTextDocument& document) : m_document(document), m_cursor(&document) {}

    QTextCursor& cursor() { return m_cursor; }

    // Tables of this width in points, for the ODF writer, which writes a
    // fixed length as points and cannot write a percentage; 0 for the
    // whole width of the page.
    void setTableWidthPoints(double points) { m_tableWidthPoints = points; }

    void title(const QString& text) { headingBlock(text, 0, 0.0, 1.5, kTitlePoints, true); }
    void heading(const QString& text) { headingBlock(text, 1, 6.0, 2.0, kHeadingPoints, true); }
    void subheading(const QString& text) {
        headingBlock(text, 2, 3.0, 1.2, kSubheadingPoints, false);
    }

    void paragraph(const std::string& markup, bool bold = false) {
        QTextBlockFormat block;
        block.setBottomMargin(mm(1.5));
        QTextCharFormat chars = bodyFormat();
        if (bold)
            chars.setFontWeight(QFont::Bold);
        newBlock(block, chars);
        insertMarkup(m_cursor, markup, chars);
    }

    void bullets(const std::vector<std::string>& items) {
        QTextBlockFormat block;
        block.setBottomMargin(mm(1.0));
        QTextListFormat list;
        list.setStyle(QTextListFormat::ListDisc);
        list.setIndent(1);
        QTextList* textList = nullptr;
        for (const std::string& item : items) {
            newBlock(block, bodyFormat());
            if (textList == nullptr)
                textList = m_cursor.createList(list);
            else
                textList->add(m_cursor.block());
            insertMarkup(m_cursor, item, bodyFormat());
        }
    }

    struct Column {
        double percent;
        Qt::Alignment alignment;
    };

    // A table with a header row; cells are markup, rows in `boldRows` bold.
    void table(const std::vector<Column>& columns, const std::vector<std::string>& header,
               const std::vector<std::vector<std::string>>& rows,
               const std::vector<std::size_t>& boldRows = {}) {
        QTextTableFormat format;
        format.setBorder(0.6);
        format.setBorderBrush(kTableBorderColour);
        format.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
        format.setBorderCollapse(true);
        format.setCellPadding(mm(0.9));
        format.setCellSpacing(0);
        format.setHeaderRowCount(1);
        format.setTopMargin(mm(0.5));
        format.setBottomMargin(mm(2.0));
        QList<QTextLength> widths;
        if (m_tableWidthPoints > 0.0) {
            format.setWidth(QTextLength(QTextLength::FixedLength, m_tableWidthPoints));
            for (const Column& c : columns)
                widths << QTextLength(QTextLength::FixedLength, c.percent / 100.0 * m_tableWidthPoints);
        } else {
            format.setWidth(QTextLength(QTextLength::PercentageLength, 100));
            for (const Column& c : columns)
                widths << QTextLength(QTextLength::PercentageLength, c.percent);
        }
        format.setColumnWidthConstraints(widths);

        m_cursor.movePosition(QTextCursor::End);
        QTextTable* table = m_cursor.insertTable(static_cast<int>(rows.size() + 1),
                                                 static_cast<int>(columns.size()), format);
        auto fill = [&](int row, const std::vector<std::string>& cells, bool bold, bool shaded) {
            for (std::size_t col = 0; col < columns.size() && col < cells.size(); ++col) {
                QTextTableCell cell = table->cellAt(row, static_cast<int>(col));
                if (shaded) {
                    QTextCharFormat cellFormat = cell.format();
                    cellFormat.setBackground(kTableHeaderColour);
                    cell.setFormat(cellFormat);
                }
                QTextCursor c = cell.firstCursorPosition();
                QTextBlockFormat block;
                // A heading stands over its column's values, aligned as they are.
                block.setAlignment(columns[col].alignment);
                c.setBlockFormat(block);
                QTextCharFormat chars = bodyFormat();
                chars.setFontPointSize(kTablePoints);
                if (bold)
                    chars.setFontWeight(QFont::Bold);
                insertMarkup(c, cells[col], chars);
            }
        };
        fill(0, header, true, true);
        for (std::size_t r = 0; r < rows.size(); ++r) {
            const bool bold =
                std::find(boldRows.begin(), boldRows.end(), r) != boldRows.end();
            fill(static_cast<int>(r + 1), rows[r], bold, false);
        }
        m_cursor.movePosition(QTextCursor::End);
    }

    void drawing(int kind, const QString& caption, DrawingMode mode, const GeometryData& g,
                 const SectionGround& ground, double widthMm) {
        subheading(caption);
        QTextBlockFormat block;
        block.setAlignment(Qt::AlignHCenter);
        block.setBottomMargin(mm(2.0));
        newBlock(block, bodyFormat());
        if (mode == DrawingMode::Vectors) {
            QTextCharFormat object;
            object.setObjectType(kSketchObjectType);
            object.setProperty(kSketchKindProperty, kind);
            m_cursor.insertText(QString(QChar::ObjectReplacementCharacter), object);
            return;
        }
        const SketchRect frame = SketchObject::frameOf(kind, widthMm, ground, g);
        const QString name = kind == SectionDrawing ? QStringLiteral("zolt-sezione.png")
                                                    : QStringLiteral("zolt-pianta.png");
        m_document.addResource(
            QTextDocument::ImageResource, QUrl(name),
            sketchImage(SketchObject::sketchOf(kind, g, ground, frame), frame, kImageDpi));
        QTextImageFormat image;
        image.setName(name);
        image.setWidth(mm(frame.width));
        image.setHeight(mm(frame.height));
        m_cursor.insertImage(image);
    }

    // A centred drawing under its caption: the object `objectType` paints
    // it as vectors, or `image` stands for it (`widthMm` x `heightMm`).
    void figure(const QString& caption, DrawingMode mode, int objectType, const QString& name,
                const std::function<QImage()>& image, double widthMm, double heightMm) {
        subheading(caption);
        QTextBlockFormat block;
        block.setAlignment(Qt::AlignHCenter);
        block.setBottomMargin(mm(2.0));
        newBlock(block, bodyFormat());
        if (mode == DrawingMode::Vectors) {
            QTextCharFormat object;
            object.setObjectType(objectType);
            m_cursor.insertText(QString(QChar::ObjectReplacementCharacter), object);
            return;
        }
        m_document.addResource(QTextDocument::ImageResource, QUrl(name), image());
        QTextImageFormat format;
        format.setName(name);
        format.setWidth(mm(widthMm));
        format.setHeight(mm(heightMm));
        m_cursor.insertImage(format);
    }

private:
    // A bold heading line; `level` 0 is the document's title (no outline
    // level), margins in mm.
    void headingBlock(const QString& text, int level, double topMm, double bottomMm,
                      double points, bool coloured) {
        QTextBlockFormat block;
        block.setTopMargin(mm(topMm));
        block.setBottomMargin(mm(bottomMm));
        if (level > 0)
            block.setHeadingLevel(level);
        QTextCharFormat chars = fontFormat();
        chars.setFontPointSize(points);
        chars.setFontWeight(QFont::Bold);
        if (coloured)
            chars.setForeground(kHeadingColour);
        newBlock(block, chars);
        m_cursor.insertText(text, chars);
    }

    // The report's font, named both ways: the layout reads the list of
    // families, Qt's ODF writer only the single family, and would write
    // "Sans" without it.
    static QTextCharFormat fontFormat() {
        QTextCharFormat chars;
        chars.setFontFamilies({kFontFamily});
        chars.setProperty(QTextFormat::FontFamily, kFontFamily);
        chars.setFontStyleStrategy(kStyleStrategy);
        return chars;
    }

    static QTextCharFormat bodyFormat() {
        QTextCharFormat chars = fontFormat();
        chars.setFontPointSize(kBodyPoints);
        chars.setFontWeight(QFont::Normal);
        return chars;
    }

    // A new block at the end; the document's first, empty block is used
    // for the first piece instead.
    void newBlock(const QTextBlockFormat& block, const QTextCharFormat& chars) {
        m_cursor.movePosition(QTextCursor::End);
        if (m_first) {
            m_cursor.setBlockFormat(block);
            m_cursor.setBlockCharFormat(chars);
            m_first = false;
        } else {
            m_cursor.insertBlock(block, chars);
        }
    }

    // "_{...}" sets a subscript, "^{...}" a superscript. A script inside
    // a script stays at its outer level: the character format has only
    // one vertical alignment.
    static void insertMarkup(QTextCursor& cursor, const std::string& markup,
                             const QTextCharFormat& base) {
        insertScripted(cursor, qs(markup), base, false);
    }

    static void insertScripted(QTextCursor& cursor, const QString& text,
                               const QTextCharFormat& format, bool nested) {
        QString plain;
        auto flush = [&] {
            if (!plain.isEmpty())
                cursor.insertText(plain, format);
            plain.clear();
        };
        for (qsizetype i = 0; i < text.size(); ++i) {
            const QChar ch = text[i];
            const qsizetype close =
                (ch == u'_' || ch == u'^') && i + 1 < text.size() && text[i + 1] == u'{'
                    ? matchingBrace(text, i + 1)
                    : -1;
            if (close < 0) {
                plain += ch;
                continue;
            }
            flush();
            QTextCharFormat shifted = format;
            if (!nested)
                shifted.setVerticalAlignment(ch == u'_' ? QTextCharFormat::AlignSubScript
                                                        : QTextCharFormat::AlignSuperScript);
            insertScripted(cursor, text.mid(i + 2, close - i - 2), shifted, true);
            i = close;
        }
        flush();
    }

    // The index of the brace that closes the one at `open`; -1 for none.
    static qsizetype matchingBrace(const QString& text, qsizetype open) {
        int depth = 0;
        for (qsizetype i = open; i < text.size(); ++i) {
            if (text[i] == u'{')
                ++depth;
            else if (text[i] == u'}' && --depth == 0)
                return i;
        }
        return -1;
    }

    QTextDocument& m_document;
    QTextCursor m_cursor;
    bool m_first = true;
    double m_tableWidthPoints = 0.0;
};

using Row = std::vector<std::string>;
const Writer::Column kSymbol{9, Qt::AlignLeft};
const Writer::Column kDescription{47, Qt::AlignLeft};
const Writer::Column kValue{16, Qt::AlignRight};
const Writer::Column kUnit{12, Qt::AlignLeft};
const Writer::Column kEquivalent{16, Qt::AlignRight};

std::string valueOf(const InputField& field, double value) {
    return formatFixed(value, field.decimals);
}

const InputField& field(const char* name) {
    return *findInputField(name);
}

std::string waterText(const GroundData& ground) {
    return ground.waterTable
               ? "Falda a z_{w} = " + formatFixed(*ground.waterTable, 2) + " m dal piano campagna."
               : std::string("Nessuna falda.");
}

// Two lines of a cell: the value in the program's unit, in SI below it.
std::string withSi(const std::string& value, const std::string& si) {
    return value + "\u2028(" + si + ")";
}

// The profile and the water table, as the ground model takes them.
void groundInputs(Writer& w, const GroundData& ground) {
    w.subheading(QStringLiteral("Stratigrafia e falda"));
    w.paragraph(waterText(ground));
    if (ground.layers.empty()) {
        w.paragraph("Terreno omogeneo (i dati del terreno qui sopra) fino a qualunque "
                    "profondità; sotto la falda il peso di volume saturo \u03b3_{sat} = " +
                    formatFixed(ground.gammaSat, 1) + " Kg/mc (" +
                    formatFixed(design::kilonewtonsPerCubicMetre(ground.gammaSat), 2) +
                    " kN/m\u00b3). Confronto (sezione 5) e verifica (sezione 6) tengono conto "
                    "della falda; l'analisi delle sezioni 3 e 4 è quella del terreno asciutto.");
        return;
    }
    std::vector<Row> rows;
    double top = 0.0;
    for (std::size_t i = 0; i < ground.layers.size(); ++i) {
        const SoilLayer& l = ground.layers[i];
        const bool last = i + 1 == ground.layers.size();
        const std::string depths = formatFixed(top, 2) + " \u2013 " +
                                   (last ? "\u221e" : formatFixed(top + l.thickness, 2));
        const auto unitWeight = [](double kgPerM3) {
            return withSi(formatFixed(kgPerM3, 1),
                          formatFixed(design::kilonewtonsPerCubicMetre(kgPerM3), 2));
        };
        const auto strength = [](double kgPerCm2) {
            return withSi(formatFixed(kgPerCm2, 3), formatFixed(kilopascals(kgPerCm2), 2));
        };
        rows.push_back({std::to_string(i + 1), l.name, depths, unitWeight(l.gamma),
                        unitWeight(l.gammaSat), formatFixed(l.phi, 1), formatFixed(l.delta, 1),
                        strength(l.c), strength(l.ca), l.cu > 0.0 ? strength(l.cu) : kNoValue});
        top += l.thickness;
    }
    const Writer::Column number{10, Qt::AlignRight};
    w.table({{5, Qt::AlignRight},
             {19, Qt::AlignLeft},
             {12, Qt::AlignLeft},
             number,
             number,
             {7, Qt::AlignRight},
             {7, Qt::AlignRight},
             number,
             number,
             number},
            {"N.", "Strato", "Profondità\u2028m", "\u03b3\u2028Kg/mc\u2028(kN/m\u00b3)",
             "\u03b3_{sat}\u2028Kg/mc\u2028(kN/m\u00b3)", "\u03c6\u2028\u00b0",
             "\u03b4\u2028\u00b0", "c\u2028Kg/cmq\u2028(kPa)", "c_{a}\u2028Kg/cmq\u2028(kPa)",
             "c_{u}\u2028Kg/cmq\u2028(kPa)"},
            rows);
    w.paragraph("Profondità dal piano campagna; l'ultimo strato prosegue a qualunque "
                "profondità. \u03b3 sopra la falda, \u03b3_{sat} sotto; c_{u} resistenza non "
                "drenata (\u2014 dove non è data). Con gli strati, confronto (sezione 5) e "
                "verifica (sezione 6) usano il modello del terreno; i dati del terreno qui sopra "
                "restano quelli dell'analisi (sezioni 3 e 4), sul terreno omogeneo asciutto.");
}

void inputSection(Writer& w, const ReportRequest& r) {
    const GeometryData& g = r.geometry;
    const SoilData& s = r.soil;
    w.heading(QStringLiteral("1. Dati di input"));

    w.subheading(QStringLiteral("Geometria e carichi"));
    const std::vector<std::string> header = {"Simbolo", "Descrizione", "Valore", "Unità", "Valore SI"};
    auto row = [](const char* symbol, const char* description, const char* name, double value,
                  const char* unit, std::string equivalent = {}) {
        return Row{symbol, description, valueOf(field(name), value), unit, std::move(equivalent)};
    };
    w.table({kSymbol, kDescription, kValue, kUnit, kEquivalent}, header,
            {row("B", "Base della fondazione", "B", g.B, "m"),
             row("L", "Lunghezza della fondazione", "L", g.L, "m"),
             row("D", "Profondità del piano di posa", "D", g.D, "m"),
             row("\u03b1", "Inclinazione del piano di posa", "alpha", g.alpha, "\u00b0"),
             row("\u03c9", "Inclinazione del pendio", "omega", g.omega, "\u00b0"),
             row("e_{x}", "Eccentricità del carico lungo B (direz. X)", "ex", g.ex, "m"),
             row("e_{y}", "Eccentricità del carico lungo L (direz. Y)", "ey", g.ey, "m"),
             row("N", "Sforzo normale", "N", g.N, "Kg", formatFixed(kilonewtons(g.N), 2) + " kN"),
             row("T", "Sforzo tagliante", "T", g.T, "Kg", formatFixed(kilonewtons(g.T), 2) + " kN")});

    w.subheading(QStringLiteral("Terreno"));
    w.table({kSymbol, kDescription, kValue, kUnit, kEquivalent}, header,
            {row("\u03b3", "Peso di volume", "gamma", s.gamma, "Kg/mc",
                 formatFixed(kilonewtons(s.gamma), 2) + " kN/m\u00b3"),
             row("\u03c6", "Angolo di attrito interno", "phi", s.phi, "\u00b0"),
             row("\u03b4", "Angolo di attrito terreno-fondazione", "delta", s.delta, "\u00b0"),
             row("c", "Coesione", "c", s.c, "Kg/cmq", formatFixed(kilopascals(s.c), 2) + " kPa"),
             row("c_{a}", "Aderenza terreno-fondazione", "ca", s.ca, "Kg/cmq",
                 formatFixed(kilopascals(s.ca), 2) + " kPa")});

    if (hasGroundModel(r.ground))
        groundInputs(w, r.ground);

    w.subheading(QStringLiteral("Calcolo"));
    const std::string_view method = methodTitle(r.settings.method);
    w.table({kSymbol, kDescription, {44, Qt::AlignRight}}, {"Simbolo", "Descrizione", "Valore"},
            {Row{"", "Metodo di calcolo", method.empty() ? kNoValue : std::string(method)},
             Row{"F_{s}", "Coefficiente di sicurezza (divide q_{ult} in q_{amm})",
                 formatFixed(r.settings.safetyFactor, 2)}});
}

// The project's identity under the title: each field given, and the
// file's name when the title is the project's own.
void projectInfo(Writer& w, const ReportRequest& r) {
    const ProjectInfo& info = r.info;
    const std::pair<const char*, const std::string*> fields[] = {{"Committente", &info.client},
                                                                 {"Località", &info.site},
                                                                 {"Progettista", &info.designer},
                                                                 {"Note", &info.notes}};
    for (const auto& [label, value] : fields)
        if (!value->empty())
            w.paragraph(std::string(label) + ": " + *value);
    if (!info.title.empty() && !r.projectName.empty())
        w.paragraph("File: " + projectTitle(r.projectName));
}

void drawingSection(Writer& w, const ReportRequest& r, DrawingMode mode, double widthMm) {
    // The heading leads straight into the first caption, so that all three
    // move to the next page together when the drawing does.
    const SectionGround ground = sectionGroundOf(r.ground);
    w.heading(QStringLiteral("2. Schema della fondazione"));
    const bool water = ground.waterTable.has_value();
    const bool layers = !ground.boundaries.empty();
    w.drawing(SectionDrawing,
              QStringLiteral("Sezione lungo B") +
                  (water && layers ? QStringLiteral(", con la falda e i limiti degli strati")
                   : water         ? QStringLiteral(", con la falda")
                   : layers        ? QStringLiteral(", con i limiti degli strati")
                                   : QString()),
              mode, r.geometry, ground, widthMm);
    w.drawing(PlanDrawing,
              QStringLiteral("Pianta: B \u00d7 L, punto di applicazione del carico e area "
                             "efficace B\u2032 \u00d7 L\u2032 (in azzurro)"),
              mode, r.geometry, ground, widthMm);
    std::string text =
        "Disegni in scala; le quote marcate «fuori scala» sono accorciate per tenere "
        "leggibile la fondazione. Le frecce dei carichi N e T non sono in scala.";
    if (!ground.empty()) {
        const double shown = sectionGroundDepth(r.geometry);
        text += std::string(" Nella sezione ") +
                (water && layers ? "la linea blu tratteggiata è la falda, quelle marroni i limiti "
                                   "tra gli strati"
                 : water         ? "la linea blu tratteggiata è la falda"
                                 : "le linee marroni sono i limiti tra gli strati") +
                ", fino a " + formatFixed(shown, 2) + " m dal piano campagna (D + 2B).";
        if (ground.waterTable && *ground.waterTable > shown)
            text += " La falda, a " + formatFixed(*ground.waterTable, 2) +
                    " m, è più profonda e non compare.";
    }
    w.paragraph(text);
}

void methodSection(Writer& w, const ReportRequest& r, const ReportCalculation& c) {
    w.heading(QStringLiteral("3. Metodo di calcolo"));
    const std::string_view method = methodTitle(r.settings.method);
    if (method.empty()) {
        w.paragraph("Nessun metodo di calcolo scelto.");
        return;
    }
    const bool values = showsResults(r, c);
    w.paragraph(std::string(method) +
                ": le formule come il programma le applica, nell'ordine del calcolo. "
                "c e c_{a} sono in Kg/mq, le pressioni q in Kg/mq, il carico limite in Kg; "
                "gli angoli in gradi, in radianti dove indicato (\u03c6_{r}, \u03b1_{r})." +
                (values ? "" : " Senza un'analisi riuscita i valori non sono riportati."));
    // Each group's title heads its table, so that the two never part
    // across a page and the title repeats on the next one.
    for (const FormulaGroup& group : methodFormulas(r, c, values)) {
        std::vector<Row> rows;
        for (const FormulaRow& f : group.rows)
            rows.push_back({f.formula, f.value});
        w.table({{74, Qt::AlignLeft}, {26, Qt::AlignRight}}, {group.title, "Valore"}, rows);
    }
}

void resultsSection(Writer& w, const ReportRequest& r, const ReportCalculation& c) {
    w.heading(QStringLiteral("4. Risultati"));
    if (!r.analysed) {
        w.paragraph(kNoAnalysisText);
        return;
    }
    if (!c.computed()) {
        w.paragraph("Nessun risultato: l'analisi dei dati attuali non è stata eseguita "
                    "(vedere le Note).");
        return;
    }
    const BearingResult& res = c.result;
    const Pressures p = pressuresOf(res.ultimateLoad, r.geometry.B, r.geometry.L,
                                    r.settings.safetyFactor);
    w.paragraph(std::string(methodTitle(r.settings.method)) + ", coefficiente di sicurezza F_{s} = " +
                formatFixed(r.settings.safetyFactor, 2) + ".");
    w.table({{12, Qt::AlignLeft}, {44, Qt::AlignLeft}, {16, Qt::AlignRight}, {12, Qt::AlignLeft},
             {16, Qt::AlignRight}},
            {"Simbolo", "Descrizione", "Valore", "Unità", "Valore SI"},
            {Row{"Q_{lim}", "Capacità portante (carico limite)", formatDecimal(res.ultimateLoad, 0),
                 "Kg", formatDecimal(kilonewtons(res.ultimateLoad), 2) + " kN"},
             Row{"q_{ult}", "Pressione limite su B \u00d7 L (Qult)", formatDecimal(p.qult, 2),
                 "Kg/cmq", formatDecimal(kilopascals(p.qult), 1) + " kPa"},
             Row{"q_{amm}", "Pressione ammissibile q_{ult}/F_{s} (Qamm)", formatDecimal(p.qamm, 2),
                 "Kg/cmq", formatDecimal(kilopascals(p.qamm), 1) + " kPa"}},
            {0});

    auto f = [](double v) { return formatDecimal(v, 3); };
    std::vector<Row> rows;
    rows.push_back({"Fattori di capacità portante (N)", f(res.Nc), f(res.Nq), f(res.Nga)});
    // The calculation report's headings, in its order; the row's first
    // letter names the group.
    for (const FactorGroupRow& g : factorGroupRows())
        if (res.groupPresent(g.first))
            rows.push_back({std::string(g.heading) + " (" + g.format.front() + ")",
                            f(res.factor(g.first)),
                            f(res.factor(g.first + 1)), f(res.factor(g.first + 2))});
    rows.push_back({"Fattori di capacità portante corretti (N\u2032)", f(res.NcCorr), f(res.NqCorr),
                    f(res.NgaCorr)});
    w.table({{58, Qt::AlignLeft}, {14, Qt::AlignRight}, {14, Qt::AlignRight}, {14, Qt::AlignRight}},
            {"Fattori", "termine c", "termine q", "termine \u03b3"}, rows,
            {rows.size() - 1});
}

void methodsTable(Writer& w, const design::Comparison& comparison, int chosenMethod) {
    std::vector<Row> rows;
    std::vector<std::size_t> bold;
    for (const design::MethodRun& run : comparison.runs) {
        if (run.method == chosenMethod)
            bold.push_back(rows.size());
        if (run.engineResult != 0) {
            rows.push_back({std::string(methodName(run.method)), "Errore", kNoValue, kNoValue, kNoValue, kNoValue,
                            kNoValue, kNoValue, kNoValue, kNoValue});
            continue;
        }
        const BearingResult& res = run.result;
        rows.push_back(
            {std::string(methodName(run.method)), formatDecimal(res.ultimateLoad, 0),
             formatDecimal(kilonewtons(res.ultimateLoad), 2), formatDecimal(run.pressures.qult, 2),
             formatDecimal(kilopascals(run.pressures.qult), 1),
             formatDecimal(run.pressures.qamm, 2),
             formatDecimal(kilopascals(run.pressures.qamm), 1), formatDecimal(res.NcCorr, 3),
             formatDecimal(res.NqCorr, 3), formatDecimal(res.NgaCorr, 3)});
    }
    const Writer::Column n{9, Qt::AlignRight};
    const Writer::Column factor{10, Qt::AlignRight};
    w.table({{12, Qt::AlignLeft}, {11, Qt::AlignRight}, {10, Qt::AlignRight}, n, n, n, n, factor,
             factor, {11, Qt::AlignRight}},
            {"Metodo", "Q_{lim}\u2028Kg", "Q_{lim}\u2028kN", "q_{ult}\u2028Kg/cmq", "q_{ult}\u2028kPa",
             "q_{amm}\u2028Kg/cmq", "q_{amm}\u2028kPa", "N_{c}\u2032", "N_{q}\u2032", "N_{\u03b3}\u2032"},
            rows, bold);
}

// "Condizione drenata (tensioni efficaci)"
QString conditionHeading(ground::Condition condition) {
    return condition == ground::Condition::Drained
               ? QStringLiteral("Condizione drenata (tensioni efficaci)")
               : QStringLiteral("Condizione non drenata (tensioni totali)");
}

// The values a condition's methods ran on, in a line.
std::string conditionValuesLine(const ground::GroundValues& g) {
    return "q = " + formatDecimal(g.q, 0) + " Kg/mq (" +
           formatDecimal(design::kilopascalsOfKgPerSquareMetre(g.q), 2) +
           " kPa), \u03b3 = " + formatFixed(g.gamma, 1) + " Kg/mc (" +
           formatFixed(design::kilonewtonsPerCubicMetre(g.gamma), 2) +
           " kN/m\u00b3), \u03c6 = " + formatFixed(g.phi, 2) +
           "\u00b0, c = " + formatFixed(g.c, 3) + " Kg/cmq, \u03b4 = " + formatFixed(g.delta, 2) +
           "\u00b0, c_{a} = " + formatFixed(g.ca, 3) +
           " Kg/cmq, U = " + formatDecimal(g.uplift, 0) + " Kg (" +
           formatDecimal(kilonewtons(g.uplift), 2) + " kN).";
}

void comparisonSection(Writer& w, const ReportRequest& r, const ReportCalculation& c) {
    w.heading(QStringLiteral("5. Confronto dei metodi"));
    if (!r.analysed) {
        w.paragraph(kNoAnalysisText);
        return;
    }
    const bool groundModel = c.groundComparison.has_value();
    if (groundModel ? c.groundComparison->refused() : c.comparison.refused()) {
        w.paragraph("Confronto non eseguito: i dati non superano i controlli preliminari "
                    "(vedere le Note).");
        return;
    }
    if (!groundModel) {
        w.paragraph(
            "I quattro metodi sugli stessi dati, con il coefficiente di sicurezza F_{s} = " +
            formatFixed(r.settings.safetyFactor, 2) + "; in grassetto il metodo scelto.");
        methodsTable(w, c.comparison, r.settings.method);
        return;
    }
    w.paragraph("I quattro metodi sul modello del terreno (stratigrafia e falda), in ogni sua "
                "condizione, con il coefficiente di sicurezza F_{s} = " +
                formatFixed(r.settings.safetyFactor, 2) +
                "; in grassetto il metodo scelto. Ogni metodo usa q al posto di \u03b3\u00b7D e "
                "N \u2212 U come sforzo normale.");
    std::vector<const design::ConditionComparison*> conditions{&c.groundComparison->drained};
    if (c.groundComparison->undrained)
        conditions.push_back(&*c.groundComparison->undrained);
    for (const design::ConditionComparison* condition : conditions) {
        w.subheading(conditionHeading(condition->ground.condition));
        w.paragraph(conditionValuesLine(condition->ground));
        // The verification states them where it is part of the report.
        if (!c.verification || c.verification->refused())
            for (const std::string& note : condition->notes)
                w.paragraph("Nota: " + note + ".");
        if (condition->lifted) {
            w.paragraph(std::string(design::kLiftedNote) + ": nessun metodo è calcolato.");
            continue;
        }
        methodsTable(w, condition->comparison, r.settings.method);
    }
}

std::string loadCell(const std::optional<double>& kg) {
    if (!kg)
        return std::string(design::kNotComputable);
    return formatDecimal(*kg, 0) + " Kg\u2028" + formatDecimal(kilonewtons(*kg), 2) + " kN";
}

std::string outcome(bool verified) {
    return verified ? "VERIFICATA" : "NON VERIFICATA";
}

std::string utilisationCell(const std::optional<double>& u) {
    return u ? formatDecimal(*u * 100.0, 1) + " %" : std::string(design::kNotComputable);
}

// The values the methods ran on in one condition of the ground model.
void groundValuesTable(Writer& w, const ground::GroundValues& g) {
    w.table(
        {kSymbol, kDescription, kValue, kUnit, kEquivalent},
        {"Simbolo", "Valore del modello del terreno", "Valore", "Unità", "Valore SI"},
        {Row{"q", "Tensione verticale al piano di posa (al posto di \u03b3\u00b7D)",
             formatDecimal(g.q, 0), "Kg/mq",
             formatDecimal(design::kilopascalsOfKgPerSquareMetre(g.q), 2) + " kPa"},
         Row{"\u03b3", "Peso di volume del termine di peso proprio", formatFixed(g.gamma, 1),
             "Kg/mc", formatFixed(design::kilonewtonsPerCubicMetre(g.gamma), 2) + " kN/m\u00b3"},
         Row{"\u03c6", "Angolo di attrito interno", formatFixed(g.phi, 2), "\u00b0", ""},
         Row{"c", "Coesione", formatFixed(g.c, 3), "Kg/cmq",
             formatFixed(kilopascals(g.c), 2) + " kPa"},
         Row{"\u03b4", "Angolo di attrito terreno-fondazione", formatFixed(g.delta, 2), "\u00b0",
             ""},
         Row{"c_{a}", "Aderenza terreno-fondazione", formatFixed(g.ca, 3), "Kg/cmq",
             formatFixed(kilopascals(g.ca), 2) + " kPa"},
         Row{"U", "Sottospinta della falda sulla base", formatDecimal(g.uplift, 0), "Kg",
             formatDecimal(kilonewtons(g.uplift), 2) + " kN"}});
}

// The rule of a condition as a sentence: "Regola: q' = ...; ...".
std::string ruleSentence(std::string_view rule) {
    const std::size_t colon = rule.find(": ");
    return "Regola: " +
           std::string(colon == std::string_view::npos ? rule : rule.substr(colon + 2)) + ".";
}

// The design values and the two checks of one verification.
void checksTables(Writer& w, const design::Verification& v, bool uplift) {
    const SoilData& d = v.design;
    w.table({kSymbol, kDescription, kValue, kUnit, kEquivalent},
            {"Simbolo", "Valore di progetto", "Valore", "Unità", "Valore SI"},
            {Row{"\u03c6_{d}", "Angolo di attrito interno", formatFixed(d.phi, 2), "\u00b0", ""},
             Row{"\u03b4_{d}", "Angolo di attrito terreno-fondazione", formatFixed(d.delta, 2),
                 "\u00b0", ""},
             Row{"c_{d}", "Coesione", formatFixed(d.c, 3), "Kg/cmq",
                 formatFixed(kilopascals(d.c), 2) + " kPa"},
             Row{"c_{a,d}", "Aderenza terreno-fondazione", formatFixed(d.ca, 3), "Kg/cmq",
                 formatFixed(kilopascals(d.ca), 2) + " kPa"},
             Row{"\u03b3", "Peso di volume", formatFixed(d.gamma, 1), "Kg/mc",
                 formatFixed(kilonewtons(d.gamma), 2) + " kN/m\u00b3"}});
    w.table({{20, Qt::AlignLeft},
             {17, Qt::AlignRight},
             {17, Qt::AlignRight},
             {17, Qt::AlignRight},
             {11, Qt::AlignRight},
             {18, Qt::AlignLeft}},
            {"Verifica", "E_{d}", "R_{k}", "R_{d}", "E_{d}/R_{d}", "Esito"},
            {Row{uplift ? "Capacità portante\u2028E_{d} = N \u2212 U"
                        : "Capacità portante\u2028E_{d} = N",
                 loadCell(v.bearing.Ed), loadCell(v.bearing.Rk), loadCell(v.bearing.Rd),
                 utilisationCell(v.bearing.utilisation), outcome(v.bearing.verified)},
             Row{"Scorrimento\u2028E_{d} = |T|", loadCell(v.sliding.Ed), kNoValue,
                 loadCell(v.sliding.Rd), utilisationCell(v.sliding.utilisation),
                 outcome(v.sliding.verified)}});
}

// Forces and moments as the actions' tables write them.
std::string forceCell(double kg) {
    return formatDecimal(kg, 0);
}

// The actions or the given combinations, and the self-weight.
void actionsTables(Writer& w, const ReportRequest& r, const design::CombinationsVerification& v) {
    const ActionsData& a = *r.actions;
    const std::vector<Writer::Column> forces(5, {10, Qt::AlignRight});
    std::vector<Writer::Column> columns{
        {22, Qt::AlignLeft}, {8, Qt::AlignLeft}, {20, Qt::AlignLeft}};
    columns.insert(columns.end(), forces.begin(), forces.end());
    std::vector<std::string> forceHeader;
    for (const actions::ForceField& f : actions::forceFields())
        forceHeader.push_back(std::string(f.name) + "\u2028(" + (f.unit == "kg" ? "Kg" : "Kg m") +
                              ")");
    std::vector<Row> rows;
    if (a.mode == ActionsMode::Characteristic) {
        w.subheading(QStringLiteral("Azioni caratteristiche"));
        for (const Action& action : a.characteristic) {
            Row row{action.name, std::string(actions::kindId(action.kind)),
                    action.kind == ActionKind::Q
                        ? std::string(actions::categoryLabel(action.category))
                        : "\u2013"};
            for (const actions::ForceField& f : actions::forceFields())
                row.push_back(forceCell(action.forces.*f.field));
            rows.push_back(std::move(row));
        }
        std::vector<std::string> header{"Azione", "Tipo", "Categoria\u2028(Tab. 2.5.I)"};
        header.insert(header.end(), forceHeader.begin(), forceHeader.end());
        w.table(columns, header, rows);
        w.paragraph("Le combinazioni sono generate secondo NTC 2018 §2.5.3 (SLU con i "
                    "coefficienti di Tab. 2.6.I o di EN 1990 Tab. A1.2(B)/(C); SLV, SLE rara, "
                    "frequente e quasi permanente con i coefficienti \u03c8 di Tab. 2.5.I); il "
                    "nome di ciascuna dice come è composta.");
    } else {
        w.subheading(QStringLiteral("Combinazioni date"));
        columns = {{32, Qt::AlignLeft}, {18, Qt::AlignLeft}};
        columns.insert(columns.end(), forces.begin(), forces.end());
        for (const GivenCombination& given : a.combinations) {
            Row row{given.name, std::string(actions::typeLabel(given.type))};
            for (const actions::ForceField& f : actions::forceFields())
                row.push_back(forceCell(given.forces.*f.field));
            rows.push_back(std::move(row));
        }
        std::vector<std::string> header{"Combinazione", "Tipo"};
        header.insert(header.end(), forceHeader.begin(), forceHeader.end());
        w.table(columns, header, rows);
    }
    if (a.selfWeight) {
        const SelfWeight& sw = *a.selfWeight;
        const double gamma = design::backfillGamma(ground::buildProfile(r.ground, r.soil), r.soil,
                                                   r.geometry.D, sw.thickness);
        const actions::SelfWeightLoad load =
            actions::selfWeightLoad(sw, r.geometry.B, r.geometry.L, r.geometry.D, gamma);
        w.paragraph(std::string(actions::kSelfWeightName) + " (azione G1): spessore " +
                    formatFixed(sw.thickness, 2) + " m, \u03b3 calcestruzzo " +
                    formatFixed(sw.gammaConcrete, 1) + " Kg/mc, \u03b3 rinterro " +
                    formatFixed(sw.gammaFill.value_or(gamma), 1) + " Kg/mc" +
                    (sw.gammaFill ? "" : " (del terreno)") + ": fondazione " +
                    formatDecimal(load.footing, 0) + " Kg, rinterro " +
                    formatDecimal(load.backfill, 0) + " Kg, in tutto " +
                    formatDecimal(load.total(), 0) + " Kg (" +
                    formatDecimal(kilonewtons(load.total()), 2) + " kN).");
    }
    if (v.seismic) {
        const design::SeismicSite& site = *v.seismic;
        const actions::SeismicCoefficients& k = site.coefficients;
        std::string text = "Sisma allo SLV (NTC 2018 §7.11.5.3.1): a_{g}/g = " +
                           formatFixed(site.data.agOverG, 3) +
                           ", S_{S} = " + formatFixed(site.data.SS, 2) +
                           ", S_{T} = " + formatFixed(site.data.ST, 2) +
                           ", categoria di sottosuolo " + std::string(1, site.data.subsoil);
        if (k.betaS)
            text += ", \u03b2_{s} = " + formatFixed(*k.betaS, 2) +
                    (k.betaSGiven ? " (indicato)" : " (NTC 2018 Tab. 7.11.I)");
        if (k.error.empty())
            text += ", k_{h} = " + formatFixed(k.kh, 4) +
                    (k.khGiven ? " (indicato)" : " = \u03b2_{s} S_{S} S_{T} a_{g}/g");
        else
            text += "; " + k.error;
        text += ". " + std::string(site.gammaRNote) + ". ";
        text += site.data.kinematic
                    ? "Effetto cinematico con i coefficienti z_{q} = z_{\u03b3} = (1 \u2212 "
                      "k_{h}/tan \u03c6)^{0.35} e z_{c} = 1 \u2212 0.32 k_{h} di Paolucci e "
                      "Pecker (1997) sui tre termini del carico limite; effetto inerziale con T, "
                      "e_{x}, e_{y} delle combinazioni SLV."
                    : "Effetto cinematico non considerato: solo l'effetto inerziale, con T, "
                      "e_{x}, e_{y} delle combinazioni SLV.";
        w.paragraph(text);
    }
}

// Every combination verified, the governing one in detail.
void combinationsSection(Writer& w, const ReportRequest& r,
                         const design::CombinationsVerification& v) {
    w.paragraph("Verifica di ogni combinazione delle azioni: " + std::string(v.approach->label) +
                "; " + std::string(methodTitle(v.method)) + ". " +
                std::string(design::kCombinationActionsNote) +
                " (N, T, e_{x}, e_{y} della geometria non usati).");
    actionsTables(w, r, v);
    if (v.refused()) {
        std::string text = "Verifica non eseguita:";
        for (int bit = 0; bit < kInputCheckCount; ++bit)
            if (v.refusal & (1 << bit))
                text += std::string(" ") + InputCheckMessages[bit] + ".";
        w.paragraph(text);
        return;
    }
    std::vector<std::string> approaches;
    for (const design::CombinationCheck& c : v.checks) {
        if (c.approach == nullptr)
            continue;
        const design::Approach& a = *c.approach;
        std::string line = std::string(c.combination.type == CombinationType::SLV ? "SLV" : "SLU") +
                           ": " + std::string(a.label) +
                           ", \u03b3_{R,v} = " + formatFixed(a.gammaRv, 2) +
                           ", \u03b3_{R,h} = " + formatFixed(a.gammaRh, 2) +
                           ", parametri del terreno " + std::string(a.soilSet) + ".";
        if (std::find(approaches.begin(), approaches.end(), line) == approaches.end())
            approaches.push_back(std::move(line));
    }
    w.bullets(approaches);

    w.subheading(QStringLiteral("Verifica delle combinazioni"));
    std::vector<Row> rows;
    std::vector<std::size_t> bold;
    for (std::size_t i = 0; i < v.checks.size(); ++i) {
        const design::CombinationCheck& c = v.checks[i];
        const actions::Combination& k = c.combination;
        Row row{(v.governing == i ? "\u25ba " : "") + std::to_string(i + 1),
                std::string(actions::typeLabel(k.type)),
                forceCell(k.forces.N),
                forceCell(k.T),
                formatFixed(k.ex, 3),
                formatFixed(k.ey, 3)};
        if (c.ultimate() && c.verification) {
            const design::Verification& g = c.verification->governingCondition().verification;
            row.push_back(utilisationCell(g.bearing.utilisation));
            row.push_back(utilisationCell(g.sliding.utilisation));
            row.push_back(outcome(c.verified));
        } else {
            row.insert(row.end(),
                       {"\u2013", "\u2013", c.ultimate() ? outcome(false) : "esercizio"});
        }
        row.push_back(k.name);
        rows.push_back(std::move(row));
        if (v.governing == i)
            bold.push_back(i);
    }
    w.table({{7, Qt::AlignRight},
             {12, Qt::AlignLeft},
             {9, Qt::AlignRight},
             {7, Qt::AlignRight},
             {7, Qt::AlignRight},
             {7, Qt::AlignRight},
             {10, Qt::AlignRight},
             {10, Qt::AlignRight},
             {13, Qt::AlignLeft},
             {18, Qt::AlignLeft}},
            {"n", "Tipo", "N\u2028(Kg)", "T\u2028(Kg)", "e_{x}\u2028(m)", "e_{y}\u2028(m)",
             "Portanza\u2028E_{d}/R_{d}", "Scorr.\u2028E_{d}/R_{d}", "Esito", "Combinazione"},
            rows, bold);
    w.paragraph("\u25ba combinazione determinante (il massimo E_{d}/R_{d}); E_{d}/R_{d} della "
                "condizione determinante. Le combinazioni SLE sono verificate per "
                "l'eccentricità.");
    std::vector<std::string> notes;
    for (std::size_t i = 0; i < v.checks.size(); ++i) {
        const design::CombinationCheck& c = v.checks[i];
        std::vector<std::string> all = c.notes;
        for (const std::string_view note : design::eccentricityNotes(c.eccentricity))
            all.emplace_back(note);
        if (all.empty())
            continue;
        std::string text = "Combinazione " + std::to_string(i + 1) + ":";
        for (std::size_t n = 0; n < all.size(); ++n)
            text += (n == 0 ? " " : "; ") + all[n];
        notes.push_back(text + ".");
    }
    for (const std::string& note : v.notes)
        notes.push_back(note + ".");
    if (!notes.empty())
        w.bullets(notes);

    if (const design::CombinationCheck* g = v.governingCheck()) {
        w.subheading(qs("Combinazione determinante " + std::to_string(*v.governing + 1) + ": " +
                        g->combination.name));
        const actions::Combination& k = g->combination;
        w.paragraph(
            "N = " + formatDecimal(k.forces.N, 0) + " Kg (" +
            formatDecimal(kilonewtons(k.forces.N), 2) + " kN), T = " + formatDecimal(k.T, 0) +
            " Kg (" + formatDecimal(kilonewtons(k.T), 2) + " kN), e_{x} = " + formatFixed(k.ex, 3) +
            " m, e_{y} = " + formatFixed(k.ey, 3) + " m; " + std::string(g->approach->label) + ".");
        const design::GroundVerification& gv = *g->verification;
        std::vector<const design::ConditionVerification*> conditions{&gv.drained};
        if (gv.undrained)
            conditions.push_back(&*gv.undrained);
        for (const design::ConditionVerification* condition : conditions) {
            if (gv.undrained || hasGroundModel(r.ground)) {
                w.paragraph(conditionHeading(condition->ground.condition).toStdString(), true);
                groundValuesTable(w, condition->ground);
            }
            const actions::KinematicFactors& z = condition->kinematic;
            if (z.zq != 1.0 || z.zc != 1.0)
                w.paragraph("Effetto cinematico (Paolucci e Pecker 1997): z_{q} = z_{\u03b3} = " +
                            formatFixed(z.zq, 4) + ", z_{c} = " + formatFixed(z.zc, 4) + ".");
            for (const std::string& note : condition->notes)
                w.paragraph("Nota: " + note + ".");
            checksTables(w, condition->verification, condition->ground.uplift != 0.0);
        }
    }
    w.paragraph("Esito della verifica: " + outcome(v.verified) +
                    (v.verified ? " (ogni combinazione SLU e SLV)" : ""),
                true);
}

void verificationSection(Writer& w, const ReportRequest& r, const ReportCalculation& c) {
    w.heading(QStringLiteral("6. Verifica"));
    if (c.combinations) {
        combinationsSection(w, r, *c.combinations);
        return;
    }
    if (!c.verification) {
        w.paragraph("Nessun approccio di verifica scelto: la verifica agli stati limite ultimi "
                    "non fa parte di questa relazione.");
        return;
    }
    const design::GroundVerification& gv = *c.verification;
    const design::Verification& v = gv.drained.verification;
    w.paragraph("Verifica SLU di capacità portante e scorrimento: " +
                std::string(gv.approach->label) + ".");
    if (gv.refused()) {
        std::string text = "Verifica non eseguita:";
        for (int bit = 0; bit < kInputCheckCount; ++bit)
            if (v.refusal & (1 << bit))
                text += std::string(" ") + InputCheckMessages[bit] + ".";
        w.paragraph(text);
        return;
    }
    w.paragraph(std::string(methodTitle(gv.method)) +
                "; coefficienti parziali \u03b3_{R,v} = " + formatFixed(gv.approach->gammaRv, 2) +
                ", \u03b3_{R,h} = " + formatFixed(gv.approach->gammaRh, 2) +
                "; parametri del terreno " + std::string(gv.approach->soilSet) + ". " +
                std::string(design::kDesignActionsNote) + ".");
    if (!hasGroundModel(r.ground)) {
        // The dry homogeneous soil: its one condition is the soil itself.
        checksTables(w, v, false);
    } else {
        w.paragraph("Sul modello del terreno: ogni condizione è verificata con i propri valori "
                    "(NTC 2018 §6.4.2.1, condizioni a breve e a lungo termine); la fondazione è "
                    "verificata quando lo sono tutte.");
        std::vector<const design::ConditionVerification*> conditions{&gv.drained};
        if (gv.undrained)
            conditions.push_back(&*gv.undrained);
        for (const design::ConditionVerification* condition : conditions) {
            w.subheading(conditionHeading(condition->ground.condition));
            groundValuesTable(w, condition->ground);
            w.paragraph(ruleSentence(condition->rule));
            for (const std::string& note : condition->notes)
                w.paragraph("Nota: " + note + ".");
            checksTables(w, condition->verification, condition->ground.uplift != 0.0);
            if (gv.undrained)
                w.paragraph("Esito della condizione " +
                            std::string(ground::conditionName(condition->ground.condition)) + ": " +
                            outcome(condition->verified()) + ".");
        }
    }
    w.paragraph("Eccentricità: e_{x}/B = " + formatFixed(v.eccentricity.exOverB, 3) +
                ", e_{y}/L = " + formatFixed(v.eccentricity.eyOverL, 3) + ".");
    if (gv.undrained)
        w.paragraph("Condizione determinante: " + std::string(ground::conditionName(gv.governing)) +
                    ".");
    w.paragraph("Esito della verifica: " + outcome(gv.verified), true);
}

std::string centimetres(double cm) {
    return formatFixed(cm, 3);
}

// The settlement of the serviceability loads: the method and its choices,
// the loads, the formulas with their values, the table per layer, the
// check, the notes and the plot against depth.
void settlementSection(Writer& w, const ReportRequest& r, const ReportCalculation& c,
                       DrawingMode mode, double widthMm) {
    if (!c.settlement || !r.settlement)
        return;
    const SettlementSettings& settings = *r.settlement;
    w.heading(QStringLiteral("7. Cedimenti"));
    std::string choices = "Metodo " + std::string(settlement::methodName(settings.method)) + "; ";
    if (c.settlement->ok() && c.settlement->settlement->combined)
        choices += "combinazioni " + std::string(actions::typeLabel(settings.combination)) +
                   ", governa il cedimento maggiore; ";
    else
        choices += "carico: " + std::string(settlement::kProjectLoadName) + "; ";
    choices += settings.limit ? "cedimento ammissibile s_{amm} = " + formatFixed(*settings.limit, 2) +
                                    " cm"
                              : std::string("nessun cedimento ammissibile: nessuna verifica");
    choices += settings.years ? "; tempo t = " + formatFixed(*settings.years, 1) + " anni."
                              : std::string("; nessun effetto del tempo.");
    w.paragraph(choices);
    if (!c.settlement->ok()) {
        w.paragraph("Cedimento non calcolabile: " + c.settlement->failure.message + ".", true);
        return;
    }
    const settlement::ProjectSettlement& p = *c.settlement->settlement;
    const settlement::Settlement& s = p.result();
    if (p.combined) {
        std::vector<Row> rows;
        for (const settlement::LoadSettlement& load : p.loads)
            rows.push_back({load.name, formatFixed(load.N, 0), formatFixed(kilonewtons(load.N), 2),
                            centimetres(load.settlement.totalCm)});
        w.table({{52, Qt::AlignLeft}, {16, Qt::AlignRight}, {16, Qt::AlignRight},
                 {16, Qt::AlignRight}},
                {"Combinazione", "N (Kg)", "N (kN)", "s (cm)"}, rows, {p.governing});
        if (p.selfWeight != 0.0)
            w.paragraph("N con il peso proprio della fondazione e del rinterro, " +
                        formatFixed(p.selfWeight, 0) + " Kg (" +
                        formatFixed(kilonewtons(p.selfWeight), 2) + " kN).");
    } else {
        w.paragraph(std::string(settlement::kProjectLoadName) + " = " + formatFixed(p.footing.N, 0) +
                    " Kg (" + formatFixed(kilonewtons(p.footing.N), 2) + " kN) su B × L = " +
                    formatFixed(p.footing.B, 2) + " × " + formatFixed(p.footing.L, 2) +
                    " m, D = " + formatFixed(p.footing.D, 2) + " m.");
    }
    w.subheading(QStringLiteral("Formule e valori"));
    std::vector<Row> formulas;
    for (const FormulaRow& f : settlementFormulas(p))
        formulas.push_back({f.formula, f.value});
    w.table({{70, Qt::AlignLeft}, {30, Qt::AlignRight}}, {"Formula", "Valore"}, formulas);
    w.subheading(QStringLiteral("Cedimento per strato"));
    std::vector<Row> layers;
    for (const settlement::LayerSettlement& l : s.layers)
        layers.push_back({l.name, formatFixed(l.top, 2), formatFixed(l.bottom, 2), centimetres(l.s),
                          formatFixed(l.s * 10.0, 2)});
    layers.push_back({"Totale", "", "", centimetres(s.totalCm), formatFixed(s.totalMm, 2)});
    w.table({{40, Qt::AlignLeft}, {15, Qt::AlignRight}, {15, Qt::AlignRight},
             {15, Qt::AlignRight}, {15, Qt::AlignRight}},
            {"Strato", "Da (m)", "A (m)", "s (cm)", "s (mm)"}, layers, {layers.size() - 1});
    if (s.limit && s.utilisation)
        w.paragraph("Verifica SLE: s = " + centimetres(s.totalCm) + " cm " +
                        (s.verified ? "≤" : ">") + " s_{amm} = " + formatFixed(*s.limit, 2) +
                        " cm (s/s_{amm} = " + formatFixed(100.0 * *s.utilisation, 1) + " %): " +
                        (s.verified ? "VERIFICATA" : "NON VERIFICATA") + ".",
                    true);
    else
        w.paragraph("Nessun cedimento ammissibile dato: s = " + centimetres(s.totalCm) +
                    " cm, senza verifica.");
    std::vector<std::string> notes;
    for (const std::string& note : s.notes)
        notes.push_back(note + ".");
    w.bullets(notes);
    const ground::Profile profile = ground::buildProfile(r.ground, r.soil);
    const double D = p.footing.D;
    w.figure(QStringLiteral("Tensioni e cedimento sotto il centro della fondazione"), mode,
             kSettlementObjectType, QStringLiteral("zolt-cedimenti.png"),
             [&] { return settlementPlotImage(s, profile, D, widthMm, kImageDpi); }, widthMm,
             kSettlementPlotHeightMm);
}

void notesSection(Writer& w, const ReportRequest& r, const ReportCalculation& c) {
    // Nothing to add to the sections above: no section, rather than a
    // heading alone, or alone on a last page.
    const std::vector<std::string> notes = reportNotes(r, c);
    if (notes.empty())
        return;
    w.heading(c.settlement ? QStringLiteral("8. Note") : QStringLiteral("7. Note"));
    w.bullets(notes);
}

// The rows of `table` from `row` on moved into a table of the same format
// right after it, which starts a page: an empty block that breaks the page
// stands between the two, and the header rows are repeated.
void moveRowsToNextPage(QTextTable* table, int row) {
    QTextDocument* doc = table->document();
    const int rows = table->rows();
    const int columns = table->columns();
    const int header = table->format().headerRowCount();
    QTextCursor cursor(doc);
    // One edit: the layout runs once, at its end.
    cursor.beginEditBlock();
    cursor.setPosition(table->lastPosition() + 1);
    cursor.insertBlock();
    cursor.movePosition(QTextCursor::PreviousBlock);
    QTextBlockFormat pageBreak;
    pageBreak.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
    QTextCharFormat tiny;
    tiny.setFontPointSize(1.0);
    cursor.setBlockFormat(pageBreak);
    cursor.setBlockCharFormat(tiny);
    QTextTable* rest = cursor.insertTable(header + rows - row, columns, table->format());
    const auto copyRow = [&](int from, int to) {
        for (int column = 0; column < columns; ++column) {
            const QTextTableCell source = table->cellAt(from, column);
            QTextTableCell target = rest->cellAt(to, column);
            target.setFormat(source.format());
            QTextCursor selection(doc);
            selection.setPosition(source.firstPosition());
            selection.setPosition(source.lastPosition(), QTextCursor::KeepAnchor);
            QTextCursor into = target.firstCursorPosition();
            into.setBlockFormat(source.firstCursorPosition().blockFormat());
            into.insertFragment(selection.selection());
        }
    };
    for (int r = 0; r < header; ++r)
        copyRow(r, r);
    for (int r = row; r < rows; ++r)
        copyRow(r, header + r - row);
    table->removeRows(row, rows - row);
    cursor.endEditBlock();
}

} // namespace

ReportDocument::ReportDocument(const ReportRequest& request, DrawingMode mode, double textWidthMm)
    : m_layoutDevice(1, 1, QImage::Format_RGB32), m_document(std::make_unique<QTextDocument>()) {
    const int dotsPerMetre = static_cast<int>(std::lround(kLayoutDpi / kMmPerInch * 1000.0));
    m_layoutDevice.setDotsPerMeterX(dotsPerMetre);
    m_layoutDevice.setDotsPerMeterY(dotsPerMetre);
    QTextDocument& doc = *m_document;
    doc.documentLayout()->setPaintDevice(&m_layoutDevice);
    doc.setUseDesignMetrics(true);
    doc.setDocumentMargin(0);
    QFont font(kFontFamily);
    font.setPointSizeF(kBodyPoints);
    font.setStyleStrategy(kStyleStrategy);
    doc.setDefaultFont(font);
    doc.setMetaInformation(QTextDocument::DocumentTitle, QStringLiteral("Relazione di calcolo"));

    const double widthMm = std::min(textWidthMm, kDrawingWidthMm);
    auto* sketches =
        new SketchObject(request.geometry, sectionGroundOf(request.ground), widthMm, &doc);
    doc.documentLayout()->registerHandler(kSketchObjectType, sketches);

    m_headerDetails = qs(reportTitle(request)) + QStringLiteral(" \u2013 ") + qs(request.date);
    const ReportCalculation calculation = calculateReport(request);
    if (calculation.settlement && calculation.settlement->ok()) {
        const settlement::ProjectSettlement& p = *calculation.settlement->settlement;
        doc.documentLayout()->registerHandler(
            kSettlementObjectType,
            new SettlementPlotObject(p.result(), ground::buildProfile(request.ground, request.soil),
                                     p.footing.D, widthMm, &doc));
    }
    Writer w(doc);
    // One edit block: the layout runs once at its end, not after every
    // piece of text.
    w.cursor().beginEditBlock();
    constexpr double kPointsPerInch = 72.0;
    if (mode == DrawingMode::Images)
        w.setTableWidthPoints(widthMm / kMmPerInch * kPointsPerInch);
    if (mode == DrawingMode::Images)
        w.paragraph(std::string(kHeaderTitle) + " \u2013 " + m_headerDetails.toStdString());
    w.title(QStringLiteral("Calcolo capacità portante di una fondazione superficiale"));
    w.paragraph("Progetto: " + reportTitle(request) + "; data: " + request.date + ".");
    projectInfo(w, request);
    inputSection(w, request);
    drawingSection(w, request, mode, widthMm);
    methodSection(w, request, calculation);
    resultsSection(w, request, calculation);
    comparisonSection(w, request, calculation);
    verificationSection(w, request, calculation);
    settlementSection(w, request, calculation, mode, widthMm);
    notesSection(w, request, calculation);
    w.cursor().endEditBlock();
}

ReportDocument::~ReportDocument() = default;

int ReportDocument::paginate(const QSizeF& body) {
    QTextDocument& doc = *m_document;
    doc.setPageSize(body);
    QAbstractTextDocumentLayout* layout = doc.documentLayout();
    // The page of the middle of a block's first line: a block whose line
    // moved on to the next page may still begin at the foot of the
    // previous one.
    auto pageOf = [&](const QTextBlock& block) {
        double y = layout->blockBoundingRect(block).top();
        if (block.layout() != nullptr && block.layout()->lineCount() > 0) {
            const QTextLine line = block.layout()->lineAt(0);
            y += line.y() + 0.5 * line.height();
        }
        return static_cast<int>(std::floor(y / body.height()));
    };
    // Each move shifts what follows, so the search starts again after it.
    constexpr int kMaxMoves = 64; // far above the report's headings
    bool moved = true;
    for (int moves = 0; moved && moves < kMaxMoves; ++moves) {
        moved = false;
        for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
            QTextBlockFormat format = block.blockFormat();
            const QTextBlock next = block.next();
            if (format.headingLevel() == 0 || !next.isValid() ||
                (format.pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore) ||
                pageOf(block) == pageOf(next))
                continue;
            format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
            QTextCursor(block).setBlockFormat(format);
            // A heading that was moved before this one now follows it onto
            // the same page.
            QTextBlockFormat following = next.blockFormat();
            if (following.pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore) {
                following.setPageBreakPolicy(QTextFormat::PageBreak_Auto);
                QTextCursor(next).setBlockFormat(following);
            }
            // The layout would redo only the changed blocks and leave some of
            // those after them at stale positions: lay out the whole again.
            doc.markContentsDirty(0, doc.characterCount());
            moved = true;
            break;
        }
    }
    // The page of the middle of a block's last line.
    auto lastPageOf = [&](const QTextBlock& block) {
        double y = layout->blockBoundingRect(block).top();
        if (block.layout() != nullptr && block.layout()->lineCount() > 0) {
            const QTextLine line = block.layout()->lineAt(block.layout()->lineCount() - 1);
            y += line.y() + 0.5 * line.height();
        }
        return static_cast<int>(std::floor(y / body.height()));
    };
    // A block whose first line the layout moved on to the next page still
    // begins at the foot of the previous one, and would be drawn there too
    // (unseen behind the clip, but present in the PDF's text): it starts
    // on its own page instead. So does a paragraph the page's end splits,
    // each page of which would hold the other's lines behind its clip.
    moved = true;
    for (int moves = 0; moved && moves < kMaxMoves; ++moves) {
        moved = false;
        for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
            QTextBlockFormat format = block.blockFormat();
            const auto begins = static_cast<int>(
                std::floor(layout->blockBoundingRect(block).top() / body.height()));
            if ((format.pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore) ||
                QTextCursor(block).currentTable() != nullptr ||
                (begins == pageOf(block) && pageOf(block) == lastPageOf(block)))
                continue;
            format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
            QTextCursor(block).setBlockFormat(format);
            doc.markContentsDirty(0, doc.characterCount());
            moved = true;
            break;
        }
    }
    // A table row whose cells run past the page's end would be drawn on
    // both pages: the rows from it on move into a table of their own that
    // starts the next page under the same header. (The layout moves a row
    // whole only when none of its cells begins on the page.)
    const auto splitRow = [&](QTextTable* table) {
        for (int row = table->format().headerRowCount(); row < table->rows(); ++row) {
            int first = std::numeric_limits<int>::max();
            int last = std::numeric_limits<int>::min();
            for (int column = 0; column < table->columns(); ++column) {
                const QTextTableCell cell = table->cellAt(row, column);
                first = std::min(first, pageOf(cell.firstCursorPosition().block()));
                last = std::max(last, lastPageOf(cell.lastCursorPosition().block()));
            }
            if (first != last)
                return row;
        }
        return -1;
    };
    moved = true;
    for (int moves = 0; moved && moves < kMaxMoves; ++moves) {
        moved = false;
        for (QTextFrame* frame : doc.rootFrame()->childFrames()) {
            auto* table = qobject_cast<QTextTable*>(frame);
            if (table == nullptr)
                continue;
            const int row = splitRow(table);
            // A first row that does not fit moves with its header: the
            // table starts the next page.
            if (row <= table->format().headerRowCount())
                continue;
            moveRowsToNextPage(table, row);
            doc.markContentsDirty(0, doc.characterCount());
            moved = true;
            break;
        }
    }
    return doc.pageCount();
}

QString ReportDocument::headerTitle() {
    return QString::fromUtf8(kHeaderTitle);
}

} // namespace zolt::document

#include "reportdocument.moc"
