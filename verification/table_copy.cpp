#include "verification/table_copy.h"

#include <QAction>
#include <QClipboard>
#include <QEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QKeySequence>
#include <QTableWidget>

namespace zolt {

namespace {

QString oneLine(QString text) {
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    text.replace(QChar(0x2028), QLatin1Char(' '));
    text.replace(QLatin1Char('\t'), QLatin1Char(' '));
    return text;
}

void copyToClipboard(const QTableWidget& table, const QStringList& header) {
    QGuiApplication::clipboard()->setText(TableText(table, header));
}

// Ctrl+C on the table itself: the item view would copy the current cell
// only, and a shortcut is not seen while another window's one matches.
class CopyKey : public QObject {
public:
    CopyKey(QTableWidget* table, QStringList header)
        : QObject(table), m_table(table), m_header(std::move(header)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == m_table && (event->type() == QEvent::KeyPress ||
                                   event->type() == QEvent::ShortcutOverride)) {
            auto* key = static_cast<QKeyEvent*>(event);
            if (key->matches(QKeySequence::Copy)) {
                if (event->type() == QEvent::KeyPress)
                    copyToClipboard(*m_table, m_header);
                event->accept();
                return true;
            }
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QTableWidget* m_table;
    QStringList m_header;
};

} // namespace

QString TableText(const QTableWidget& table, const QStringList& header) {
    QStringList lines;
    QStringList cells;
    for (const QString& name : header)
        cells << oneLine(name);
    lines << cells.join(QLatin1Char('\t'));
    for (int row = 0; row < table.rowCount(); ++row) {
        cells.clear();
        for (int column = 0; column < table.columnCount(); ++column) {
            const QTableWidgetItem* item = table.item(row, column);
            cells << (item != nullptr ? oneLine(item->text()) : QString());
        }
        lines << cells.join(QLatin1Char('\t'));
    }
    return lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

void EnableTableCopy(QTableWidget* table, const QStringList& header) {
    table->setFocusPolicy(Qt::StrongFocus);
    table->installEventFilter(new CopyKey(table, header));
    auto* copy = new QAction(QStringLiteral("&Copia tabella"), table);
    copy->setShortcut(QKeySequence::Copy);
    copy->setShortcutContext(Qt::WidgetShortcut);
    copy->setShortcutVisibleInContextMenu(true);
    QObject::connect(copy, &QAction::triggered, table,
                     [table, header] { copyToClipboard(*table, header); });
    table->addAction(copy);
    table->setContextMenuPolicy(Qt::ActionsContextMenu);
}

} // namespace zolt
