#include "app/filedata.h"

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

// Qt keeps the list's columns for the file dialogs of every Qt program of
// the user: they are left as plain columns of the widths they had.
void leaveColumnsAsTheyAre(QFileDialog& dialog) {
    if (auto* list = dialog.findChild<QTreeView*>(QStringLiteral("treeView")))
        list->header()->setSectionResizeMode(QHeaderView::Interactive);
}

} // namespace

QStringList TFileData::NameFilters() const {
    QStringList filters;
    const QStringList parts = Filter.split(u'|');
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString& title = parts.at(i);
        QString patterns = parts.at(i + 1);
        if (title.isEmpty() && patterns.isEmpty())
            break;
        patterns.replace(QLatin1String("*.*"), QLatin1String("*"));
        patterns.replace(u';', u' ');
        // The dialog takes the patterns from the last parentheses of the
        // title, so they are given there.
        const qsizetype open = title.lastIndexOf(u'(');
        const QString label = open >= 0 ? title.left(open).trimmed() : title;
        filters.append(QStringLiteral("%1 (%2)").arg(label, patterns));
    }
    return filters;
}

bool RunFileDialog(QWidget* owner, TFileDialogKind kind, TFileData& data) {
    QFileDialog dialog(owner);
    // Qt's own dialog, which speaks the program's language (the desktop's
    // may not), with its list in Italian.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setProxyModel(new TItalianFileColumns(&dialog));
    const bool open = kind == TFileDialogKind::Open;
    dialog.setWindowTitle(open ? QStringLiteral("Apri") : QStringLiteral("Salva"));
    dialog.setAcceptMode(open ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
    dialog.setFileMode(open && (data.Flags & TFileData::FileMustExist) != 0
                           ? QFileDialog::ExistingFile
                           : QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite,
                     (data.Flags & TFileData::OverwritePrompt) == 0);
    dialog.setNameFilters(data.NameFilters());
    dialog.setDefaultSuffix(data.DefExt);
    if (!data.FileName.isEmpty()) {
        const QFileInfo last(data.FileName);
        dialog.setDirectory(last.absolutePath());
        dialog.selectFile(last.fileName());
    }
    showEveryColumn(dialog);
    const int result = dialog.exec();
    leaveColumnsAsTheyAre(dialog);
    if (result != QDialog::Accepted)
        return false;
    const QStringList chosen = dialog.selectedFiles();
    if (chosen.isEmpty())
        return false;
    data.FileName = chosen.constFirst();
    return true;
}
