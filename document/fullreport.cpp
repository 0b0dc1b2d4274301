#include "document/fullreport.h"

#include "document/reportdocument.h"
#include "document/stamps.h"

#include <QAbstractTextDocumentLayout>
#include <QBuffer>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QTextDocumentWriter>

#include <cmath>

namespace zolt::document {

namespace {

constexpr double kMarginMm = 20.0;
// The header and the footer take these bands of the text area, mm.
constexpr double kHeaderBandMm = 9.0;
constexpr double kFooterBandMm = 9.0;
constexpr double kRuleGapMm = 2.0; // between a band's text and its rule
constexpr int kHeaderPixels = 11;  // layout units: about 8 points
constexpr int kPdfDpi = 300;

const QColor kHeaderColour(0x40, 0x40, 0x40);

QFont headerFont() {
    QFont font(QStringLiteral("DejaVu Sans"));
    // In layout units, so that the page painter's scale applies to it as
    // to the document.
    font.setPixelSize(kHeaderPixels);
    font.setStyleStrategy(QFont::PreferNoShaping); // no ligatures, as in the text
    return font;
}

void paintBands(QPainter& painter, const QRectF& page, const QString& title,
                const QString& details, int pageNumber, int pageCount) {
    const double header = kHeaderBandMm * kLayoutUnitsPerMm;
    const double footer = kFooterBandMm * kLayoutUnitsPerMm;
    const double gap = kRuleGapMm * kLayoutUnitsPerMm;
    const QFont font = headerFont();
    const QFontMetricsF metrics(font);
    painter.save();
    painter.setFont(font);
    painter.setPen(kHeaderColour);

    const QRectF top(page.left(), page.top(), page.width(), header - gap);
    const double titleWidth = metrics.horizontalAdvance(title);
    const double room = page.width() - titleWidth - metrics.horizontalAdvance(QStringLiteral("MM"));
    painter.drawText(top, Qt::AlignLeft | Qt::AlignBottom, title);
    painter.drawText(top, Qt::AlignRight | Qt::AlignBottom,
                     metrics.elidedText(details, Qt::ElideMiddle, room));

    const QRectF bottom(page.left(), page.bottom() - footer + gap, page.width(), footer - gap);
    painter.drawText(bottom, Qt::AlignHCenter | Qt::AlignTop,
                     QStringLiteral("Pagina %1 di %2").arg(pageNumber).arg(pageCount));

    painter.setPen(QPen(kHeaderColour, 0.6));
    painter.drawLine(QPointF(page.left(), top.bottom() + 0.5 * gap),
                     QPointF(page.right(), top.bottom() + 0.5 * gap));
    painter.drawLine(QPointF(page.left(), bottom.top() - 0.5 * gap),
                     QPointF(page.right(), bottom.top() - 0.5 * gap));
    painter.restore();
}

} // namespace

void setReportPageLayout(QPagedPaintDevice& device) {
    device.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                     QMarginsF(kMarginMm, kMarginMm, kMarginMm, kMarginMm),
                                     QPageLayout::Millimeter));
}

bool paintFullReport(const ReportRequest& request, QPagedPaintDevice& device) {
    // Device pixels per layout unit; the painter's origin is the top left
    // corner of the area inside the margins.
    const double scale = device.logicalDpiX() / kLayoutDpi;
    const QRectF page(0.0, 0.0, device.width() / scale, device.height() / scale);
    const double header = kHeaderBandMm * kLayoutUnitsPerMm;
    const double footer = kFooterBandMm * kLayoutUnitsPerMm;
    // A whole number of layout units high: the layout keeps its positions
    // in 1/64 of a unit, and a page's slice must end where its pages do.
    QRectF body = page.adjusted(0.0, header, 0.0, -footer);
    body.setHeight(std::floor(body.height()));
    if (body.width() <= 0.0 || body.height() <= 0.0)
        return false;

    ReportDocument report(request, DrawingMode::Vectors, body.width() / kLayoutUnitsPerMm);
    QTextDocument& doc = report.document();
    const int pages = report.paginate(body.size());

    QPainter painter;
    if (!painter.begin(&device))
        return false;
    for (int i = 0; i < pages; ++i) {
        if (i > 0 && !device.newPage())
            return false;
        painter.save();
        painter.scale(scale, scale);
        paintBands(painter, page, ReportDocument::headerTitle(), report.headerDetails(), i + 1,
                   pages);
        // The layout stacks the pages one below the other; each page shows
        // its own slice of it.
        const QRectF slice(0.0, i * body.height(), body.width(), body.height());
        painter.translate(body.left(), body.top() - slice.top());
        painter.setClipRect(slice);
        QAbstractTextDocumentLayout::PaintContext context;
        context.clip = slice;
        doc.documentLayout()->draw(&painter, context);
        painter.restore();
    }
    return painter.end();
}

std::optional<std::string> renderFullReport(const ReportRequest& request, ReportFormat format) {
    QBuffer buffer;
    if (!buffer.open(QIODevice::WriteOnly))
        return std::nullopt;
    if (format == ReportFormat::Pdf) {
        QPdfWriter writer(&buffer);
        writer.setResolution(kPdfDpi);
        setReportPageLayout(writer);
        writer.setTitle(QStringLiteral("Relazione di calcolo"));
        writer.setCreator(ReportDocument::headerTitle());
        if (!paintFullReport(request, writer))
            return std::nullopt;
    } else {
        ReportDocument report(request, DrawingMode::Images);
        QTextDocumentWriter writer(&buffer, "odf");
        if (!writer.write(&report.document()))
            return std::nullopt;
    }
    buffer.close();
    const QByteArray& bytes = buffer.data();
    std::string document(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    // The writers stamp the moment of writing; the report's date makes the
    // same report the same bytes. A stamp of an unknown form stays.
    if (format == ReportFormat::Pdf)
        stampPdfDate(document, request.date);
    else
        stampZipDates(document, request.date);
    return document;
}

} // namespace zolt::document
