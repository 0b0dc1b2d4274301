#include "verification/combinations_table.h"

#include "actions/vocabulary.h"
#include "ground/ground_model.h"
#include "model/number_text.h"
#include "verification/verification_table.h"

#include <QColor>
#include <QFont>
#include <QHeaderView>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <QTableWidget>

#include <algorithm>
#include <vector>

namespace zolt {

namespace {

constexpr int kCellPadding = 6;    // px beside the widest text of a column
constexpr int kBarWidth = 120;     // px, wide enough for "100.0 %" over the bar
constexpr int kWidestTable = 1120; // px; beyond it the table scrolls sideways
const QColor kGoverningBackground(0xff, 0xf1, 0xc4);

QString fromView(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString fixed(double value, int decimals) {
    return QString::fromStdString(formatFixed(value, decimals));
}

const QStringList kHeader = {
    QStringLiteral("n"),
    QStringLiteral("Tipo"),
    QStringLiteral("N\n(Kg)"),
    QStringLiteral("T\n(Kg)"),
    QStringLiteral("ex\n(m)"),
    QStringLiteral("ey\n(m)"),
    QStringLiteral("Capacità portante\nEd/Rd"),
    QStringLiteral("Scorrimento\nEd/Rd"),
    QStringLiteral("Esito"),
    QStringLiteral("Combinazione"),
};

// The bearing and sliding utilisations of the check's governing condition.
std::pair<std::optional<double>, std::optional<double>>
utilisations(const design::CombinationCheck& c) {
    if (!c.verification)
        return {};
    const design::Verification& v = c.verification->governingCondition().verification;
    return {v.bearing.utilisation, v.sliding.utilisation};
}

QString approachText(const char* what, const design::Approach& a) {
    return QStringLiteral("%1: %2; γR,v = %3, γR,h = %4; parametri del terreno %5")
        .arg(QString::fromLatin1(what), fromView(a.label), fixed(a.gammaRv, 2), fixed(a.gammaRh, 2),
             fromView(a.soilSet));
}

} // namespace

QTableWidget* NewCombinationsTable(const design::CombinationsVerification& v, int visibleRows,
                                   QWidget* parent) {
    auto* table = new QTableWidget(static_cast<int>(v.checks.size()), kCombinationColumns, parent);
    table->setObjectName(QStringLiteral("combinationsTable"));
    table->setHorizontalHeaderLabels(kHeader);
    table->verticalHeader()->hide();
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->setWordWrap(false);
    table->setItemDelegate(NewUtilisationDelegate(table));
    // The names are as long as their combinations: the column takes the
    // longest whole, and the table scrolls sideways when it must.
    table->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    table->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);

    for (std::size_t i = 0; i < v.checks.size(); ++i) {
        const design::CombinationCheck& c = v.checks[i];
        const actions::Combination& k = c.combination;
        const int row = static_cast<int>(i);
        const bool governing = v.governing == i;
        const auto put = [&](int column, const QString& text, bool right) {
            auto* item = new QTableWidgetItem(text);
            item->setTextAlignment((right ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
            if (governing) {
                QFont bold = table->font();
                bold.setBold(true);
                item->setFont(bold);
                item->setBackground(kGoverningBackground);
            }
            table->setItem(row, column, item);
            return item;
        };
        put(kCombinationNumberColumn,
            (governing ? QStringLiteral("► ") : QString()) + QString::number(i + 1), true)
            ->setToolTip(governing ? QStringLiteral("Combinazione determinante") : QString());
        put(kCombinationTypeColumn, fromView(actions::typeLabel(k.type)), false);
        put(kCombinationNColumn, fixed(k.forces.N, 0), true)
            ->setToolTip(KilonewtonText(k.forces.N));
        put(kCombinationTColumn, fixed(k.T, 0), true)->setToolTip(KilonewtonText(k.T));
        put(kCombinationExColumn, fixed(k.ex, 3), true);
        put(kCombinationEyColumn, fixed(k.ey, 3), true);
        if (c.ultimate()) {
            const auto [bearing, sliding] = utilisations(c);
            const auto bar = [&](int column, const std::optional<double>& u) {
                QTableWidgetItem* item =
                    put(column, u ? PercentText(*u) : QStringLiteral("non calcolabile"), false);
                if (u)
                    item->setData(kUtilisationRole, *u);
            };
            bar(kCombinationBearingColumn, bearing);
            bar(kCombinationSlidingColumn, sliding);
            put(kCombinationOutcomeColumn, OutcomeText(c.verified), false)
                ->setForeground(VerifiedColor(c.verified));
        } else {
            put(kCombinationBearingColumn, QStringLiteral("–"), false)
                ->setTextAlignment(Qt::AlignCenter);
            put(kCombinationSlidingColumn, QStringLiteral("–"), false)
                ->setTextAlignment(Qt::AlignCenter);
            put(kCombinationOutcomeColumn, QStringLiteral("esercizio"), false);
        }
        QStringList notes;
        for (const std::string& note : c.notes)
            notes.append(QString::fromStdString(note));
        for (const std::string_view note : design::eccentricityNotes(c.eccentricity))
            notes.append(fromView(note));
        QTableWidgetItem* name = put(kCombinationNameColumn, QString::fromStdString(k.name), false);
        name->setToolTip(notes.isEmpty() ? name->text() : name->text() + u'\n' + notes.join(u'\n'));
    }

    // Columns as wide as their contents; the bars a fixed width.
    table->resizeColumnsToContents();
    QHeaderView* header = table->horizontalHeader();
    for (const int column : {kCombinationBearingColumn, kCombinationSlidingColumn})
        header->resizeSection(column, std::max(kBarWidth, header->sectionSize(column)));
    for (int column = 0; column < kCombinationColumns; ++column)
        header->resizeSection(column, header->sectionSize(column) + kCellPadding);
    int width = 0;
    for (int column = 0; column < kCombinationColumns; ++column)
        width += header->sectionSize(column);
    const int frame = 2 * table->frameWidth();
    table->setMinimumWidth(std::min(width, kWidestTable) + frame +
                           table->verticalScrollBar()->sizeHint().width());
    const int rows = std::max(1, std::min(visibleRows, table->rowCount()));
    const int rowHeight =
        table->rowCount() > 0 ? table->rowHeight(0) : table->verticalHeader()->defaultSectionSize();
    const int sideways =
        width > kWidestTable ? table->horizontalScrollBar()->sizeHint().height() : 0;
    table->setMinimumHeight(header->sizeHint().height() + rows * rowHeight + frame + sideways);
    return table;
}

QString CombinationActionsNote(const design::CombinationCheck& c) {
    return fromView(design::kCombinationActionsNote) + QStringLiteral(" ") +
           QString::fromStdString(c.combination.name);
}

QString CombinationsSummaryText(const design::CombinationsVerification& v) {
    QStringList lines;
    lines.append(QStringLiteral("<b>Verifica di ogni combinazione delle azioni</b> – ") +
                 fromView(design::kCombinationActionsNote) +
                 QStringLiteral(" (N, T, ex, ey di «Dati geometria» non usati)"));
    std::vector<const design::Approach*> shown;
    for (const design::CombinationCheck& c : v.checks)
        if (c.approach != nullptr &&
            std::find(shown.begin(), shown.end(), c.approach) == shown.end()) {
            shown.push_back(c.approach);
            lines.append(approachText(c.combination.type == CombinationType::SLV ? "SLV" : "SLU",
                                      *c.approach)
                             .toHtmlEscaped());
        }
    if (v.seismic) {
        const design::SeismicSite& s = *v.seismic;
        const actions::SeismicCoefficients& k = s.coefficients;
        QString line = QStringLiteral("Sisma: ag/g = %1, SS = %2, ST = %3, sottosuolo %4")
                           .arg(fixed(s.data.agOverG, 3), fixed(s.data.SS, 2), fixed(s.data.ST, 2),
                                QString(QChar::fromLatin1(s.data.subsoil)));
        if (k.betaS)
            line += QStringLiteral(", βs = %1%2")
                        .arg(fixed(*k.betaS, 2), k.betaSGiven ? QStringLiteral(" (indicato)")
                                                              : QStringLiteral(" (Tab. 7.11.I)"));
        if (k.error.empty())
            line += QStringLiteral(", kh = %1%2")
                        .arg(fixed(k.kh, 4), k.khGiven ? QStringLiteral(" (indicato)") : QString());
        else
            line += QStringLiteral("; ") + QString::fromStdString(k.error);
        line += s.data.kinematic ? QStringLiteral("; effetto cinematico (Paolucci e Pecker 1997)")
                                 : QStringLiteral("; solo effetto inerziale");
        lines.append(line.toHtmlEscaped());
        lines.append(fromView(s.gammaRNote).toHtmlEscaped());
    }
    for (const std::string& note : v.notes)
        lines.append(QStringLiteral("Nota: ") + QString::fromStdString(note).toHtmlEscaped());
    const QString outcome = OutcomeText(v.verified);
    lines.append(QStringLiteral("Esito della verifica: <b><span style=\"color:%1\">%2</span></b>")
                     .arg(VerifiedColor(v.verified).name(), outcome));
    return lines.join(QStringLiteral("<br>"));
}

} // namespace zolt
