#include "app/filedata.h"

#include "toolkit/tfiledialog.h"

#include <QFileDialog>
#include <QFileInfo>

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
    const bool open = kind == TFileDialogKind::Open;
    const QString& title = open ? data.OpenTitle : data.SaveTitle;
    if (!title.isEmpty())
        dialog.setWindowTitle(title);
    else
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
    TDressFileDialog(dialog);
    if (TExecFileDialog(dialog) != QDialog::Accepted)
        return false;
    const QStringList chosen = dialog.selectedFiles();
    if (chosen.isEmpty())
        return false;
    data.FileName = chosen.constFirst();
    return true;
}
