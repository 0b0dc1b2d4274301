#include "app/projectfiles.h"

#include "model/project.h"
#include "model/project_file.h"
#include "toolkit/tmessagebox.h"

#include <QFile>
#include <QFileInfo>
#include <QSettings>

namespace {

const QString kSettingsOrganization = QStringLiteral("Orvane");
const QString kSettingsApplication = QStringLiteral("zolt");
const QString kRecentKey = QStringLiteral("progetti/recenti");

std::string localPath(const QString& fileName) {
    return QFile::encodeName(fileName).toStdString();
}

// The project as its file would hold it, and only its design data: the
// geometry, soil and analysis at their start values.
std::string designText(const zolt::DesignData& design) {
    return zolt::projectText({{}, {}, {}, design});
}

QString shownName(const QString& path) {
    return QFileInfo(path).fileName();
}

} // namespace

TProjectFiles::TProjectFiles() {
    FileData.Filter = QStringLiteral("Progetti ZOLT (*.zolt)|*.zolt|Tutti i file (*.*)|*.*|");
    FileData.DefExt = QStringLiteral("zolt");
    FileData.OpenTitle = QStringLiteral("Apri progetto");
    FileData.SaveTitle = QStringLiteral("Salva progetto");
    MarkSaved({});
}

zolt::ProjectDocument TProjectFiles::Current() {
    return {zolt::geometryData, zolt::soilData, zolt::analysisSettings, zolt::designData};
}

bool TProjectFiles::Modified() const {
    if (IsOpen())
        return zolt::projectText(Current()) != m_savedText;
    return DesignModified();
}

bool TProjectFiles::DesignModified() const {
    return designText(zolt::designData) != m_savedDesignText;
}

void TProjectFiles::MarkSaved(const QString& fileName) {
    FileName = fileName;
    m_savedText = zolt::projectText(Current());
    m_savedDesignText = designText(zolt::designData);
}

// Reads or writes the project at `path` with `transfer`; on failure shows
// why under `failed`, else the project is that file's from now on.
bool TProjectFiles::Transfer(bool (*transfer)(const std::string&, std::string&),
                             const QString& failed, const QString& path, QWidget* owner) {
    std::string error;
    if (!transfer(localPath(path), error)) {
        ShowMessageBox(failed.arg(shownName(path), QString::fromStdString(error)),
                       QMessageBox::NoIcon, owner);
        return false;
    }
    const QString absolute = QFileInfo(path).absoluteFilePath();
    MarkSaved(absolute);
    FileData.FileName = absolute;
    Remember(absolute);
    return true;
}

bool TProjectFiles::Open(const QString& path, QWidget* owner) {
    return Transfer(&zolt::ReadProjectFile,
                    QStringLiteral("Il progetto «%1» non è stato aperto:\n%2"), path, owner);
}

bool TProjectFiles::Save(const QString& path, QWidget* owner) {
    return Transfer(&zolt::WriteProjectFile,
                    QStringLiteral("Il progetto «%1» non è stato salvato:\n%2"), path, owner);
}

QStringList TProjectFiles::Recent() const {
    const QSettings settings(kSettingsOrganization, kSettingsApplication);
    QStringList recent = settings.value(kRecentKey).toStringList();
    recent.removeAll(QString());
    if (recent.size() > MaxRecent)
        recent.resize(MaxRecent);
    return recent;
}

void TProjectFiles::Remember(const QString& path) {
    QStringList recent = Recent();
    recent.removeAll(path);
    recent.prepend(path);
    if (recent.size() > MaxRecent)
        recent.resize(MaxRecent);
    QSettings(kSettingsOrganization, kSettingsApplication).setValue(kRecentKey, recent);
}

void TProjectFiles::ClearRecent() {
    QSettings(kSettingsOrganization, kSettingsApplication).remove(kRecentKey);
}
