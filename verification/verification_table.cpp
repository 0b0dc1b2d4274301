#include "verification/verification_table.h"

#include "design/units.h"
#include "model/number_text.h"
#include "workflow/result_rows.h"

#include <QEvent>
#include <QFontMetrics>
#include <QHeaderView>
#include <QPainter>
#include <QStyledItemDelegate>
#include <QTableWidget>

#include <algorithm>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace zolt {

namespace {

constexpr int kColumnCount = 3;  // quantity, program units, SI units
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
        const QRect frame =
            option.rect.adjusted(kBarMargin, kBarMargin, -kBarMargin - 1, -kBarMargin - 1);
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

// The rows of the table: a label, then for each condition its pair of
// columns (value in the program's units, value in SI units). With one
// condition the pair is the table's two value columns.
class TableBuilder {
public:
    TableBuilder(QTableWidget* table, int conditions) : m_table(table), m_conditions(conditions) {}

    int columns() const { return 1 + 2 * m_conditions; }

    void heading(const QString& text) {
        const int row = addRow();
        QTableWidgetItem* item = put(row, 0, text);
        shade(item);
        m_table->setSpan(row, 0, 1, columns());
    }

    // A heading that names each condition over its pair of columns.
    void conditionHeading(const QString& text, const QStringList& names) {
        const int row = addRow();
        shade(put(row, 0, text));
        for (int k = 0; k < m_conditions; ++k) {
            QTableWidgetItem* item = put(row, 1 + 2 * k, names.value(k));
            item->setTextAlignment(Qt::AlignCenter);
            shade(item);
            m_table->setSpan(row, 1 + 2 * k, 1, 2);
        }
    }

    // A value of the project, the same for every condition: in the two
    // value columns of one condition, over all of them as one text with more.
    void values(const QString& label, const QString& value, const QString& si = QString()) {
        if (m_conditions > 1) {
            wide(label, si.isEmpty() ? value : value + QStringLiteral(" (") + si + u')');
            return;
        }
        const int row = addRow();
        put(row, 0, label);
        put(row, 1, value)->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        put(row, 2, si)->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    }

    // One value pair for each condition.
    void perCondition(const QString& label, const std::vector<std::pair<QString, QString>>& pairs) {
        const int row = addRow();
        put(row, 0, label);
        for (std::size_t k = 0; k < pairs.size(); ++k) {
            const int column = 1 + 2 * static_cast<int>(k);
            put(row, column, pairs[k].first)->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            put(row, column + 1, pairs[k].second)
                ->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        }
    }

    // One text for each condition, over its pair of columns.
    std::vector<QTableWidgetItem*> perConditionWide(const QString& label,
                                                    const QStringList& texts) {
        const int row = addRow();
        put(row, 0, label);
        std::vector<QTableWidgetItem*> items;
        for (int k = 0; k < m_conditions; ++k) {
            items.push_back(put(row, 1 + 2 * k, texts.value(k)));
            m_table->setSpan(row, 1 + 2 * k, 1, 2);
        }
        return items;
    }

    // A load in kg and kN for each condition, or "non calcolabile" over the pair.
    void loads(const QString& label, const std::vector<std::optional<double>>& kg) {
        const int row = addRow();
        put(row, 0, label);
        for (std::size_t k = 0; k < kg.size(); ++k) {
            const int column = 1 + 2 * static_cast<int>(k);
            if (kg[k]) {
                put(row, column, KgText(*kg[k]))
                    ->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
                put(row, column + 1, KilonewtonText(*kg[k]))
                    ->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            } else {
                put(row, column, fromView(design::kNotComputable));
                m_table->setSpan(row, column, 1, 2);
            }
        }
    }

    // A value over every value column.
    QTableWidgetItem* wide(const QString& label, const QString& value) {
        const int row = addRow();
        put(row, 0, label);
        QTableWidgetItem* item = put(row, 1, value);
        m_table->setSpan(row, 1, 1, columns() - 1);
        return item;
    }

    void utilisations(const std::vector<std::optional<double>>& us) {
        QStringList texts;
        for (const std::optional<double>& u : us)
            texts << (u ? PercentText(*u) : fromView(design::kNotComputable));
        const std::vector<QTableWidgetItem*> items =
            perConditionWide(QStringLiteral("Utilizzo Ed/Rd"), texts);
        for (std::size_t k = 0; k < us.size(); ++k) {
            if (!us[k])
                continue;
            items[k]->setData(kUtilisationRole, *us[k]);
            items[k]->setTextAlignment(Qt::AlignCenter);
        }
    }

    void outcomes(const QString& label, const std::vector<bool>& verified, bool asHeading) {
        QStringList texts;
        for (const bool v : verified)
            texts << OutcomeText(v);
        const std::vector<QTableWidgetItem*> items = perConditionWide(label, texts);
        for (std::size_t k = 0; k < items.size(); ++k)
            colour(items[k], verified[k], asHeading);
        if (asHeading)
            shade(m_table->item(items.front()->row(), 0));
    }

    void outcome(const QString& label, bool verified, bool asHeading) {
        QTableWidgetItem* item = wide(label, OutcomeText(verified));
        colour(item, verified, asHeading);
        if (asHeading)
            shade(m_table->item(item->row(), 0));
    }

    void note(const QString& text) {
        const int row = addRow();
        put(row, 0, text);
        m_table->setSpan(row, 0, 1, columns());
    }

    // Columns as wide as their widest cell; a spanning cell wider than its
    // columns widens the last of them. Rows as tall as their text.
    void fitToContents() {
        const int count = columns();
        std::vector<int> widths(static_cast<std::size_t>(count), 0);
        struct Wide {
            int column;
            int span;
            int width;
        };
        std::vector<Wide> spanning;
        for (int row = 0; row < m_table->rowCount(); ++row) {
            for (int column = 0; column < count; ++column) {
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
        // The narrower spans first: a pair's share settles before the
        // cells over every column look at it.
        std::stable_sort(spanning.begin(), spanning.end(),
                         [](const Wide& a, const Wide& b) { return a.span < b.span; });
        for (const Wide& cell : spanning) {
            int sum = 0;
            for (int c = cell.column; c < cell.column + cell.span; ++c)
                sum += widths[static_cast<std::size_t>(c)];
            if (sum < cell.width)
                widths[static_cast<std::size_t>(cell.column + cell.span - 1)] += cell.width - sum;
        }
        for (int column = 0; column < count; ++column)
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

    void shade(QTableWidgetItem* item) {
        item->setBackground(kHeadingBackground);
        setBold(item);
    }

    void colour(QTableWidgetItem* item, bool verified, bool asHeading) {
        item->setForeground(verified ? kVerifiedColor : kNotVerifiedColor);
        setBold(item);
        if (asHeading)
            item->setBackground(kHeadingBackground);
    }

    // The widest line of the item's text.
    int textWidth(const QTableWidgetItem& item) const {
        const QVariant font = item.data(Qt::FontRole);
        const QFontMetrics metrics(font.isValid() ? font.value<QFont>() : m_table->font());
        int widest = 0;
        for (const QString& line : item.text().split(QLatin1Char('\n')))
            widest = std::max(widest, metrics.horizontalAdvance(line));
        return widest;
    }

    QTableWidget* m_table;
    int m_conditions;
};

QString angleText(double degrees) {
    return fromStd(formatFixed(degrees, 2)) + QStringLiteral("°");
}

QString gammaText(const char* name, double factor) {
    return QStringLiteral("%1 = %2").arg(QString::fromUtf8(name), fromStd(formatFixed(factor, 2)));
}

QString cohesionText(double kgPerCm2) {
    return fromStd(formatFixed(kgPerCm2, 3)) + QStringLiteral(" Kg/cmq");
}

QString kilopascalText(double kgPerCm2) {
    return fromStd(formatFixed(design::kilopascals(kgPerCm2), 2)) + QStringLiteral(" kPa");
}

// kg per m3 to kN per m3: the same factor as for a force.
QString unitWeightText(double kgPerM3) {
    return fromStd(formatFixed(kgPerM3, 1)) + QStringLiteral(" Kg/mc");
}

QString kilonewtonPerCubicMetreText(double kgPerM3) {
    return fromStd(formatFixed(design::kilonewtonsPerCubicMetre(kgPerM3), 2)) +
           QStringLiteral(" kN/mc");
}

// The conditions of `v` in the order of their columns.
std::vector<const design::ConditionVerification*>
conditionsOf(const design::GroundVerification& v) {
    std::vector<const design::ConditionVerification*> all{&v.drained};
    if (v.undrained)
        all.push_back(&*v.undrained);
    return all;
}

QString conditionTitle(ground::Condition condition) {
    return condition == ground::Condition::Drained
               ? QStringLiteral("drenata (tensioni efficaci)")
               : QStringLiteral("non drenata (tensioni totali)");
}

// The width, in characters, of a condition's note in the table.
constexpr int kNoteWidth = 90;

} // namespace

QStringList VerificationTableHeader(const design::GroundVerification& v) {
    if (!v.undrained)
        return {QStringLiteral("Voce"), QStringLiteral("Valore"), QStringLiteral("Valore SI")};
    QStringList header{QStringLiteral("Voce")};
    for (const design::ConditionVerification* c : conditionsOf(v)) {
        const QString name = QString::fromUtf8(ground::conditionName(c->ground.condition));
        header << QStringLiteral("Valore (%1)").arg(name)
               << QStringLiteral("Valore SI (%1)").arg(name);
    }
    return header;
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

QString VerificationRulesText(const design::GroundVerification& v) {
    QString html = QStringLiteral("<p><b>Regole del modello del terreno</b></p>");
    for (const design::ConditionVerification* c : conditionsOf(v)) {
        // "condizione drenata (tensioni efficaci): clause; clause; ..."
        const QString rule = fromView(c->rule);
        const qsizetype colon = rule.indexOf(QStringLiteral(": "));
        html += QStringLiteral("<p><b>Condizione %1</b></p><ul>")
                    .arg(conditionTitle(c->ground.condition).toHtmlEscaped());
        for (const QString& clause : rule.mid(colon + 2).split(QStringLiteral("; ")))
            html += QStringLiteral("<li>%1</li>").arg(clause.toHtmlEscaped());
        html += QStringLiteral("</ul>");
    }
    return html;
}

QString WrappedText(const QString& text, int width) {
    QString wrapped;
    int line = 0;
    for (const QString& word : text.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        if (line > 0 && line + 1 + word.size() > width) {
            wrapped += QLatin1Char('\n');
            line = 0;
        } else if (line > 0) {
            wrapped += QLatin1Char(' ');
            ++line;
        }
        wrapped += word;
        line += static_cast<int>(word.size());
    }
    return wrapped;
}

QTableWidget* NewVerificationTable(const design::GroundVerification& v,
                                   const GeometryData& geometry, const GroundData& ground,
                                   VerificationTableParts parts, QWidget* parent,
                                   const QString& actionsNote) {
    const std::vector<const design::ConditionVerification*> conditions = conditionsOf(v);
    const int n = static_cast<int>(conditions.size());
    // The dry homogeneous soil is its own ground model, q = gamma D: the
    // table of its one condition, as on SoilData alone.
    const bool groundModel = hasGroundModel(ground) || n > 1;
    auto* table = new QTableWidget(0, 1 + 2 * n, parent);
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

    const auto each = [&](const auto& f) {
        std::vector<std::pair<QString, QString>> pairs;
        for (const design::ConditionVerification* c : conditions)
            pairs.push_back(f(*c));
        return pairs;
    };
    const auto eachLoad = [&](const auto& f) {
        std::vector<std::optional<double>> kg;
        for (const design::ConditionVerification* c : conditions)
            kg.push_back(f(c->verification));
        return kg;
    };
    QStringList names;
    for (const design::ConditionVerification* c : conditions)
        names << conditionTitle(c->ground.condition);

    TableBuilder t(table, n);
    const design::Approach& a = *v.approach;
    if (parts == VerificationTableParts::Full) {
        t.heading(QStringLiteral("Dati della verifica"));
        t.wide(QStringLiteral("Approccio"), fromView(a.label));
        t.wide(QStringLiteral("Calcolo"), fromView(methodTitle(v.method)));
        t.wide(QStringLiteral("Fondazione B × L"), SizeText(geometry.B, geometry.L));
        t.wide(QStringLiteral("Profondità D"),
               fromStd(formatFixed(geometry.D, 2)) + QStringLiteral(" m"));
        t.values(QStringLiteral("Sforzo normale N"), KgText(geometry.N),
                 KilonewtonText(geometry.N));
        t.values(QStringLiteral("Sforzo tagliante T"), KgText(geometry.T),
                 KilonewtonText(geometry.T));
        if (groundModel) {
            const QString soil =
                ground.layers.empty()
                    ? QStringLiteral("omogeneo (Dati Terreno)")
                    : QStringLiteral("%1 strati (Stratigrafia e falda)").arg(ground.layers.size());
            const QString water = ground.waterTable
                                      ? QStringLiteral("falda a %1 m dal piano campagna")
                                            .arg(fromStd(formatFixed(*ground.waterTable, 2)))
                                      : QStringLiteral("nessuna falda");
            t.wide(QStringLiteral("Terreno"), soil + QStringLiteral(", ") + water);

            t.conditionHeading(QStringLiteral("Modello del terreno"), names);
            t.perCondition(QStringLiteral("q al piano di posa"), each([](const auto& c) {
                               return std::pair{
                                   fromStd(formatDecimal(c.ground.q, 0)) + QStringLiteral(" Kg/mq"),
                                   fromStd(formatDecimal(
                                       design::kilopascalsOfKgPerSquareMetre(c.ground.q), 2)) +
                                       QStringLiteral(" kPa")};
                           }));
            t.perCondition(QStringLiteral("γ"), each([](const auto& c) {
                               return std::pair{unitWeightText(c.ground.gamma),
                                                kilonewtonPerCubicMetreText(c.ground.gamma)};
                           }));
            t.perCondition(QStringLiteral("φ"), each([](const auto& c) {
                               return std::pair{angleText(c.ground.phi), QString()};
                           }));
            t.perCondition(
                QStringLiteral("c"), each([](const auto& c) {
                    return std::pair{cohesionText(c.ground.c), kilopascalText(c.ground.c)};
                }));
            t.perCondition(QStringLiteral("δ"), each([](const auto& c) {
                               return std::pair{angleText(c.ground.delta), QString()};
                           }));
            t.perCondition(
                QStringLiteral("ca"), each([](const auto& c) {
                    return std::pair{cohesionText(c.ground.ca), kilopascalText(c.ground.ca)};
                }));
            t.perCondition(
                QStringLiteral("Sottospinta U"), each([](const auto& c) {
                    return std::pair{KgText(c.ground.uplift), KilonewtonText(c.ground.uplift)};
                }));
        }

        t.heading(QStringLiteral("Valori di progetto del terreno (%1)").arg(fromView(a.soilSet)));
        t.perCondition(QStringLiteral("φd"), each([](const auto& c) {
                           return std::pair{angleText(c.verification.design.phi), QString()};
                       }));
        t.perCondition(QStringLiteral("δd"), each([](const auto& c) {
                           return std::pair{angleText(c.verification.design.delta), QString()};
                       }));
        t.perCondition(QStringLiteral("cd"), each([](const auto& c) {
                           return std::pair{cohesionText(c.verification.design.c),
                                            kilopascalText(c.verification.design.c)};
                       }));
        t.perCondition(QStringLiteral("ca,d"), each([](const auto& c) {
                           return std::pair{cohesionText(c.verification.design.ca),
                                            kilopascalText(c.verification.design.ca)};
                       }));
        t.perCondition(QStringLiteral("γ"), each([](const auto& c) {
                           return std::pair{
                               unitWeightText(c.verification.design.gamma),
                               kilonewtonPerCubicMetreText(c.verification.design.gamma)};
                       }));
        // The seismic check's kinematic effect, beside the values it scales.
        bool kinematic = false;
        for (const design::ConditionVerification* c : conditions)
            kinematic = kinematic || c->kinematic.zq != 1.0 || c->kinematic.zc != 1.0;
        if (kinematic) {
            t.perCondition(QStringLiteral("zq = zγ (Paolucci e Pecker)"), each([](const auto& c) {
                               return std::pair{fromStd(formatFixed(c.kinematic.zq, 4)), QString()};
                           }));
            t.perCondition(QStringLiteral("zc (Paolucci e Pecker)"), each([](const auto& c) {
                               return std::pair{fromStd(formatFixed(c.kinematic.zc, 4)), QString()};
                           }));
        }
    } else if (n > 1) {
        t.conditionHeading(QStringLiteral("Condizione"), names);
    }

    bool uplift = false;
    for (const design::ConditionVerification* c : conditions)
        uplift = uplift || c->ground.uplift != 0.0;
    t.heading(QStringLiteral("Capacità portante (%1)").arg(gammaText("γR,v", a.gammaRv)));
    t.loads(uplift ? QStringLiteral("Ed = N − U") : QStringLiteral("Ed = N"),
            eachLoad([](const design::Verification& x) { return std::optional(x.bearing.Ed); }));
    t.loads(QStringLiteral("Rk"),
            eachLoad([](const design::Verification& x) { return x.bearing.Rk; }));
    t.loads(QStringLiteral("Rd = Rk / γR,v"),
            eachLoad([](const design::Verification& x) { return x.bearing.Rd; }));
    t.utilisations(eachLoad([](const design::Verification& x) { return x.bearing.utilisation; }));
    std::vector<bool> verified;
    for (const design::ConditionVerification* c : conditions)
        verified.push_back(c->verification.bearing.verified);
    t.outcomes(QStringLiteral("Esito"), verified, false);

    t.heading(QStringLiteral("Scorrimento (%1)").arg(gammaText("γR,h", a.gammaRh)));
    t.loads(QStringLiteral("Ed = |T|"),
            eachLoad([](const design::Verification& x) { return std::optional(x.sliding.Ed); }));
    t.loads(QStringLiteral("Rd"),
            eachLoad([](const design::Verification& x) { return x.sliding.Rd; }));
    t.utilisations(eachLoad([](const design::Verification& x) { return x.sliding.utilisation; }));
    verified.clear();
    for (const design::ConditionVerification* c : conditions)
        verified.push_back(c->verification.sliding.verified);
    t.outcomes(QStringLiteral("Esito"), verified, false);

    if (n > 1) {
        verified.clear();
        for (const design::ConditionVerification* c : conditions)
            verified.push_back(c->verified());
        t.outcomes(QStringLiteral("Esito della condizione"), verified, false);
        t.wide(QStringLiteral("Condizione determinante"),
               QString::fromUtf8(ground::conditionName(v.governing)));
    }
    t.outcome(QStringLiteral("Esito della verifica"), v.verified, true);

    const design::Verification& drained = v.drained.verification;
    t.heading(QStringLiteral("Note"));
    t.note(QStringLiteral("Eccentricità: ex/B = %1, ey/L = %2")
               .arg(fromStd(formatFixed(drained.eccentricity.exOverB, 3)),
                    fromStd(formatFixed(drained.eccentricity.eyOverL, 3))));
    for (const std::string_view note : design::eccentricityNotes(drained.eccentricity))
        t.note(fromView(note));
    for (const design::ConditionVerification* c : conditions)
        for (const std::string& note : c->notes)
            t.note(
                WrappedText(QStringLiteral("Condizione %1: %2")
                                .arg(QString::fromUtf8(ground::conditionName(c->ground.condition)),
                                     fromStd(note)),
                            kNoteWidth));
    t.note(actionsNote.isEmpty() ? fromView(design::kDesignActionsNote) : actionsNote);

    t.fitToContents();
    return table;
}

QStyledItemDelegate* NewUtilisationDelegate(QObject* parent) {
    return new UtilisationDelegate(parent);
}

QColor VerifiedColor(bool verified) {
    return verified ? kVerifiedColor : kNotVerifiedColor;
}

} // namespace zolt
