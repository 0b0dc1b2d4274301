#include "toolkit/tfiledialog.h"

#include <QDateTime>
#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QFontMetrics>
#include <QHeaderView>
#include <QIdentityProxyModel>
#include <QLayout>
#include <QLocale>
#include <QScrollBar>
#include <QTreeView>

#include <algorithm>

namespace {

QLocale italian() {
    return QLocale(QLocale::Italian, QLocale::Italy);
}

// Columns of the dialog's detail list.
enum TFileColumn { NameColumn, SizeColumn, TypeColumn, DateColumn };

// Qt's file list writes sizes and dates in the process locale and names
// folders in English: the program's file dialogs give them in Italian
// whatever the locale.
class TItalianFileColumns : public QIdentityProxyModel {
public:
    using QIdentityProxyModel::QIdentityProxyModel;

    QVariant data(const QModelIndex& index, int role) const override {
        const auto* files = qobject_cast<const QFileSystemModel*>(sourceModel());
        if (role != Qt::DisplayRole || files == nullptr || index.column() == NameColumn)
            return QIdentityProxyModel::data(index, role);
        const QModelIndex source = mapToSource(index);
        const bool folder = files->isDir(source);
        switch (index.column()) {
        case SizeColumn:
            return folder ? QString() : italian().formattedDataSize(files->size(source));
        case TypeColumn:
            return folder ? QStringLiteral("Cartella") : FileType(files->fileInfo(source));
        case DateColumn:
            return italian().toString(files->lastModified(source), QLocale::ShortFormat);
        default:
            return QIdentityProxyModel::data(index, role);
        }
    }

    static QString FileType(const QFileInfo& file) {
        const QString suffix = file.suffix();
        return suffix.isEmpty() ? QStringLiteral("File") : QStringLiteral("File %1").arg(suffix);
    }

    // The widest text of a column, to size the dialog before its list is
    // read.
    static QString WidestText(int column) {
        switch (column) {
        case SizeColumn:
            return italian().formattedDataSize(999 * 1024 + 1023);
        case TypeColumn:
            return QStringLiteral("Cartella");
        case DateColumn:
            return italian().toString(QDateTime(QDate(2000, 12, 28), QTime(20, 58)),
                                      QLocale::ShortFormat);
        default:
            return {};
        }
    }
};

// Room for a file name of this many characters beside the other columns.
constexpr int kNameCharacters = 24;

// The size, type and date columns take the room their texts need (the
// longer Italian headers among them) and the name the rest; the dialog opens
// wide enough for all of them.
void showEveryColumn(QFileDialog& dialog) {
    auto* list = dialog.findChild<QTreeView*>(QStringLiteral("treeView"));
    if (list == nullptr)
        return;
    QHeaderView* header = list->header();
    header->setStretchLastSection(false);
    header->setSectionResizeMode(NameColumn, QHeaderView::Stretch);
    const QFontMetrics metrics(list->font());
    const int padding = 2 * metrics.horizontalAdvance(QLatin1Char('x'));
    int wanted = kNameCharacters * metrics.averageCharWidth() +
                 list->verticalScrollBar()->sizeHint().width() + 2 * list->frameWidth();
    for (int column = SizeColumn; column < header->count(); ++column) {
        header->setSectionResizeMode(column, QHeaderView::ResizeToContents);
        wanted +=
            std::max(header->sectionSizeHint(column),
                     metrics.horizontalAdvance(TItalianFileColumns::WidestText(column)) + padding);
    }
    if (QLayout* layout = dialog.layout())
        layout->activate();
    if (const int missing = wanted - list->width(); missing > 0)
        dialog.resize(dialog.width() + missing, dialog.height());
}


} // namespace

void TDressFileDialog(QFileDialog& dialog) {
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setProxyModel(new TItalianFileColumns(&dialog));
    showEveryColumn(dialog);
}

int TExecFileDialog(QFileDialog& dialog) {
    const int result = dialog.exec();
    if (auto* list = dialog.findChild<QTreeView*>(QStringLiteral("treeView")))
        list->header()->setSectionResizeMode(QHeaderView::Interactive);
    return result;
}
