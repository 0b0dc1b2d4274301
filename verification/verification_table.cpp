#include "verification/verification_table.h"

#include "design/units.h"
#include "model/number_text.h"
#include "workflow/result_rows.h"

#include <QFontMetrics>
#include <QEvent>
#include <QHeaderView>
#include <QPainter>
#include <QStyledItemDelegate>
#include <QTableWidget>

#include <algorithm>
#include <string>
#include <vector>

namespace zolt {

namespace {

constexpr int kColumnCount = 3; // quantity, program units, SI units
constexpr int kCellPadding = 14; // both sides of a cell's text, with room for the grid line
constexpr int kBarMinimumWidth = 170;
constexpr int kBarMargin = 3;

const QColor kVerifiedColor(0x1b, 0x7a, 0x32);
const QColor kNotVerifiedColor(0xc0, 0x1c, 0x1c);
const QColor kHeadingBackground(0xea, 0xdf, 0xce); // the help pages' table headings
const QColor kBarWithinColor(0x9c, 0xd8, 0xa6);
const QColor kBarBeyondColor(0xf0, 0x9a, 0x9a);
const QColor kBarFrameColor(0x80, 0x80, 0x80);

QString fromStd(const std::string& text) {
    return QString::fromStdString(text);
}

QString fromView(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// Draws Ed/Rd as a bar over the cell, full at 100 %, red beyond; the
// percentage stays readable over it.
class UtilisationDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        const QVariant utilisation = index.data(kUtilisationRole);
        if (!utilisation.isValid()) {
            QStyledItemDelegate::paint(painter, option, index);
            return;
        }
        const double u = utilisation.toDouble();
        const QRect frame = option.rect.adjusted(kBarMargin, kBarMargin, -kBarMargin - 1,
                                                 -kBarMargin - 1);
        painter->save();
        painter->fillRect(option.rect, option.palette.base());
        QRect filled = frame;
        filled.setWidth(static_cast<int>(frame.width() * std::clamp(u, 0.0, 1.0) + 0.5));
        painter->fillRect(filled, u > 1.0 ? kBarBeyondColor : kBarWithinColor);
        painter->setPen(kBarFrameColor);
        painter->drawRect(frame);
        painter->setPen(option.palette.color(QPalette::Text));
        painter->drawText(frame, Qt::AlignCenter, index.data(Qt::DisplayRole).toString());
        painter->restore();
    }
};

// Columns as wide as their contents, and the width beyond that shared
// among them as they share the contents' width.
class ColumnStretch : public QObject {
public:
    ColumnStretch(QTableWidget* table, std::vector<int> widths)
        : QObject(table), m_table(table), m_viewport(table->viewport()),
          m_widths(std::move(widths)) {
        m_viewport->installEventFilter(this);
    }

protected:
    // The viewport as it was when the filter was set: the table asked
    // during its own destruction would no longer be one.
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Resize && watched == m_viewport)
            share(m_viewport->width());
        return QObject::eventFilter(watched, event);
    }

private:
    void share(int width) {
        int total = 0;
        for (const int w : m_widths)
            total += w;
        const int extra = std::max(0, width - total);
        int given = 0;
        for (std::size_t column = 0; column < m_widths.size(); ++column) {
            const bool last = column + 1 == m_widths.size();
            const int share = last ? extra - given
                                   : static_cast<int>(static_cast<long long>(extra) *
                                                      m_widths[column] / std::max(total, 1));
            given += share;
            m_table->setColumnWidth(static_cast<int>(column), m_widths[column] + share);
        }
    }

    QTableWidget* m_table;
    QWidget* m_viewport;
    std::vector<int> m_widths;
};

class TableBuilder {
public:
    explicit TableBuilder(QTableWidget* table) : m_table(table) {}

    void heading(const QString& text) {
        const int row = addRow();
        QTableWidgetItem* item = put(row, 0, text);
        item->setBackground(kHeadingBackground);
        setBold(item);
        m_table->setSpan(row, 0, 1, kColumnCount);
    }

    void values(const QString& label, const QString& value, const QString& si = QString()) {
        const int row = addRow();
        put(row, 0, label);
        put(row, 1, value)->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        put(row, 2, si)->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    }

    // A load in kg and kN, or "non calcolabile" over both columns.
    void load(const QString& label, const std::optional<double>& kg) {
        if (kg) {
            values(label, KgText(*kg), KilonewtonText(*kg));
            return;
        }
        wide(label, fromView(design::kNotComputable));
    }

    // A value over both value columns.
    QTableWidgetItem* wide(const QString& label, const QString& value) {
        const int row = addRow();
        put(row, 0, label);
        QTableWidgetItem* item = put(row, 1, value);
        m_table->setSpan(row, 1, 1, kColumnCount - 1);
        return item;
    }

    void utilisation(const std::optional<double>& u) {
        if (!u) {
            wide(QStringLiteral("Utilizzo Ed/Rd"), fromView(design::kNotComputable));
            return;
        }
        QTableWidgetItem* item = wide(QStringLiteral("Utilizzo Ed/Rd"), PercentText(*u));
        item->setData(kUtilisationRole, *u);
        item->setTextAlignment(Qt::AlignCenter);
    }

    void outcome(const QString& label, bool verified, bool asHeading) {
        QTableWidgetItem* item = wide(label, OutcomeText(verified));
        item->setForeground(verified ? kVerifiedColor : kNotVerifiedColor);
        setBold(item);
        if (asHeading) {
            QTableWidgetItem* labelItem = m_table->item(item->row(), 0);
            setBold(labelItem);
            labelItem->setBackground(kHeadingBackground);
            item->setBackground(kHeadingBackground);
        }
    }

    void note(const QString& text) {
        const int row = addRow();
        put(row, 0, text);
        m_table->setSpan(row, 0, 1, kColumnCount);
    }

    // Columns as wide as their widest cell; a spanning cell wider than its
    // columns widens the last of them. Rows as tall as their text.
    void fitToContents() {
        std::vector<int> widths(kColumnCount, 0);
        struct Wide {
            int column;
            int span;
            int width;
        };
        std::vector<Wide> spanning;
        for (int row = 0; row < m_table->rowCount(); ++row) {
            for (int column = 0; column < kColumnCount; ++column) {
                const QTableWidgetItem* item = m_table->item(row, column);
                if (item == nullptr)
                    continue;
                int width = textWidth(*item) + kCellPadding;
                if (item->data(kUtilisationRole).isValid())
                    width = std::max(width, kBarMinimumWidth);
                const int span = m_table->columnSpan(row, column);
                if (span > 1)
                    spanning.push_back({column, span, width});
                else
                    widths[static_cast<std::size_t>(column)] =
                        std::max(widths[static_cast<std::size_t>(column)], width);
            }
        }
        for (const Wide& cell : spanning) {
            int sum = 0;
            for (int c = cell.column; c < cell.column + cell.span; ++c)
                sum += widths[static_cast<std::size_t>(c)];
            if (sum < cell.width)
                widths[static_cast<std::size_t>(cell.column + cell.span - 1)] += cell.width - sum;
        }
        for (int column = 0; column < kColumnCount; ++column)
            m_table->setColumnWidth(column, widths[static_cast<std::size_t>(column)]);
        m_table->resizeRowsToContents();
        // Never narrower or shorter than that: the window shows every line
        // whole from its first.
        m_table->setMinimumSize(m_table->sizeHint());
        new ColumnStretch(m_table, std::move(widths));
    }

private:
    int addRow() {
        const int row = m_table->rowCount();
        m_table->insertRow(row);
        return row;
    }

    QTableWidgetItem* put(int row, int column, const QString& text) {
        auto* item = new QTableWidgetItem(text);
        item->setFlags(Qt::ItemIsEnabled);
        m_table->setItem(row, column, item);
        return item;
    }

    void setBold(QTableWidgetItem* item) {
        QFont font = m_table->font();
        font.setBold(true);
        item->setFont(font);
    }

    int textWidth(const QTableWidgetItem& item) const {
        const QVariant font = item.data(Qt::FontRole);
        const QFontMetrics metrics(font.isValid() ? font.value<QFont>() : m_table->font());
        return metrics.horizontalAdvance(item.text());
    }

    QTableWidget* m_table;
};

QString angleText(double degrees) {
    return fromStd(formatFixed(degrees, 2)) + QStringLiteral("°");
}

QString gammaText(const char* name, double factor) {
    return QStringLiteral("%1 = %2").arg(QString::fromUtf8(name), fromStd(formatFixed(factor, 2)));
}

} // namespace

QStringList VerificationTableHeader() {
    return {QStringLiteral("Voce"), QStringLiteral("Valore"), QStringLiteral("Valore SI")};
}

QString KgText(double kg) {
    return fromStd(formatDecimal(kg, 0)) + QStringLiteral(" Kg");
}

QString KilonewtonText(double kg) {
    return fromStd(formatDecimal(design::kilonewtons(kg), 2)) + QStringLiteral(" kN");
}

QString PercentText(double fraction) {
    return fromStd(formatDecimal(fraction * 100.0, 1)) + QStringLiteral(" %");
}

QString OutcomeText(bool verified) {
    return verified ? QStringLiteral("VERIFICATA") : QStringLiteral("NON VERIFICATA");
}

QString SizeText(double B, double L) {
    return fromStd(formatFixed(B, 2)) + QStringLiteral(" × ") + fromStd(formatFixed(L, 2)) +
           QStringLiteral(" m");
}

QTableWidget* NewVerificationTable(const design::Verification& v, const GeometryData& geometry,
                                   VerificationTableParts parts, QWidget* parent) {
    auto* table = new QTableWidget(0, kColumnCount, parent);
    table->setObjectName(QStringLiteral("verificationTable"));
    table->horizontalHeader()->hide();
    table->verticalHeader()->hide();
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionMode(QAbstractItemView::NoSelection);
    table->setFocusPolicy(Qt::NoFocus);
    table->setWordWrap(false);
    table->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    table->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    table->setSizeAdjustPolicy(QAbstractScrollArea::AdjustToContents);
    table->setItemDelegate(new UtilisationDelegate(table));

    TableBuilder t(table);
    const design::Approach& a = *v.approach;
    if (parts == VerificationTableParts::Full) {
        t.heading(QStringLiteral("Dati della verifica"));
        t.wide(QStringLiteral("Approccio"), fromView(a.label));
        t.wide(QStringLiteral("Calcolo"), fromView(methodTitle(v.method)));
        t.wide(QStringLiteral("Fondazione B × L"), SizeText(geometry.B, geometry.L));
        t.wide(QStringLiteral("Profondità D"), fromStd(formatFixed(geometry.D, 2)) +
                                                   QStringLiteral(" m"));
        t.values(QStringLiteral("Sforzo normale N"), KgText(geometry.N), KilonewtonText(geometry.N));
        t.values(QStringLiteral("Sforzo tagliante T"), KgText(geometry.T),
                 KilonewtonText(geometry.T));

        const SoilData& d = v.design;
        t.heading(QStringLiteral("Valori di progetto del terreno (%1)").arg(fromView(a.soilSet)));
        t.values(QStringLiteral("φd"), angleText(d.phi));
        t.values(QStringLiteral("δd"), angleText(d.delta));
        t.values(QStringLiteral("cd"), fromStd(formatFixed(d.c, 3)) + QStringLiteral(" Kg/cmq"),
                 fromStd(formatFixed(design::kilopascals(d.c), 2)) + QStringLiteral(" kPa"));
        t.values(QStringLiteral("ca,d"), fromStd(formatFixed(d.ca, 3)) + QStringLiteral(" Kg/cmq"),
                 fromStd(formatFixed(design::kilopascals(d.ca), 2)) + QStringLiteral(" kPa"));
        // kg per m3 to kN per m3: the same factor as for a force.
        t.values(QStringLiteral("γ"), fromStd(formatFixed(d.gamma, 1)) + QStringLiteral(" Kg/mc"),
                 fromStd(formatFixed(design::kilonewtons(d.gamma), 2)) + QStringLiteral(" kN/mc"));
    }

    t.heading(QStringLiteral("Capacità portante (%1)").arg(gammaText("γR,v", a.gammaRv)));
    t.load(QStringLiteral("Ed = N"), v.bearing.Ed);
    t.load(QStringLiteral("Rk"), v.bearing.Rk);
    t.load(QStringLiteral("Rd = Rk / γR,v"), v.bearing.Rd);
    t.utilisation(v.bearing.utilisation);
    t.outcome(QStringLiteral("Esito"), v.bearing.verified, false);

    t.heading(QStringLiteral("Scorrimento (%1)").arg(gammaText("γR,h", a.gammaRh)));
    t.load(QStringLiteral("Ed = |T|"), v.sliding.Ed);
    t.load(QStringLiteral("Rd"), v.sliding.Rd);
    t.utilisation(v.sliding.utilisation);
    t.outcome(QStringLiteral("Esito"), v.sliding.verified, false);

    t.outcome(QStringLiteral("Esito della verifica"), v.verified, true);

    t.heading(QStringLiteral("Note"));
    t.note(QStringLiteral("Eccentricità: ex/B = %1, ey/L = %2")
               .arg(fromStd(formatFixed(v.eccentricity.exOverB, 3)),
                    fromStd(formatFixed(v.eccentricity.eyOverL, 3))));
    for (const std::string_view note : design::eccentricityNotes(v.eccentricity))
        t.note(fromView(note));
    t.note(fromView(design::kDesignActionsNote));

    t.fitToContents();
    return table;
}

} // namespace zolt
