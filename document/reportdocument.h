// The full calculation report as a QTextDocument: title, six sections,
// the notes when there is anything to note, and the drawings, laid out in
// units of kLayoutDpi whatever the device it ends up on, so that the PDF,
// the printer and the ODF text get the very same document.
#pragma once

#include "document/report_request.h"

#include <QImage>
#include <QTextDocument>

#include <memory>

namespace zolt::document {

// How the drawings enter the document: as objects painted with vectors
// (PDF, printer), or as images (ODF text, whose writer knows no other).
enum class DrawingMode { Vectors, Images };

// Layout units: pixels at this resolution. Design metrics keep the text's
// positions exact when a page is painted at another resolution.
constexpr double kLayoutDpi = 96.0;
constexpr double kMmPerInch = 25.4;
constexpr double kLayoutUnitsPerMm = kLayoutDpi / kMmPerInch;

// The widest drawing frame, mm: the text width of an A4 page with 20 mm
// margins.
constexpr double kDrawingWidthMm = 170.0;

class ReportDocument {
public:
    // The report of `request` with drawings at most `textWidthMm` wide. In
    // Images mode the header line also opens the text, since the ODF
    // writer has no page header to put it in.
    ReportDocument(const ReportRequest& request, DrawingMode mode,
                   double textWidthMm = kDrawingWidthMm);
    ~ReportDocument();
    ReportDocument(const ReportDocument&) = delete;
    ReportDocument& operator=(const ReportDocument&) = delete;

    QTextDocument& document() { return *m_document; }

    // Lays the document out on pages of `body` (layout units) and returns
    // their number. A heading that would end a page apart from what
    // follows it starts the next page instead.
    int paginate(const QSizeF& body);

    // The page header's two parts: the program's title, and the project's
    // file name with the date.
    static QString headerTitle();
    QString headerDetails() const { return m_headerDetails; }

private:
    QImage m_layoutDevice; // gives the layout its resolution; must outlive the document
    std::unique_ptr<QTextDocument> m_document;
    QString m_headerDetails;
};

} // namespace zolt::document
