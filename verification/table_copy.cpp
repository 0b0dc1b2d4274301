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

// Ctrl+C on the source itself: an item view or a label would copy its
// current cell or selection only, and a shortcut is not seen while another
// window's one matches.
class CopyKey : public QObject {
public:
    CopyKey(QWidget* source, std::function<QString()> text)
        : QObject(source), m_source(source), m_text(std::move(text)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == m_source && (event->type() == QEvent::KeyPress ||
                                    event->type() == QEvent::ShortcutOverride)) {
            auto* key = static_cast<QKeyEvent*>(event);
            if (key->matches(QKeySequence::Copy)) {
                if (event->type() == QEvent::KeyPress)
                    QGuiApplication::clipboard()->setText(m_text());
                event->accept();
                return true;
            }
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QWidget* m_source;
    std::function<QString()> m_text;
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
    EnableCopy(table, QStringLiteral("&Copia tabella"),
               [table, header] { return TableText(*table, header); });
}

void EnableCopy(QWidget* source, const QString& actionText, std::function<QString()> text) {
    source->setFocusPolicy(Qt::StrongFocus);
    source->installEventFilter(new CopyKey(source, text));
    auto* copy = new QAction(actionText, source);
    copy->setShortcut(QKeySequence::Copy);
    copy->setShortcutContext(Qt::WidgetShortcut);
    copy->setShortcutVisibleInContextMenu(true);
    QObject::connect(copy, &QAction::triggered, source,
                     [text] { QGuiApplication::clipboard()->setText(text()); });
    source->addAction(copy);
    source->setContextMenuPolicy(Qt::ActionsContextMenu);
}

} // namespace zolt
