#include "platform/FileDialog.h"

#include "platform/Modal.h"
#include "platform/WinApp.h"
#include "platform/Wnd.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QRegularExpression>

namespace {
// "Name (*.x)|*.x|All Files (*.*)|*.*||" as Qt name filters. The patterns of each pair are the ones
// that count, whatever the name shows; "*.*" means every file, also those without a dot.
QStringList QtFilters(const std::string& filter) {
    QStringList parts = QString::fromStdString(filter).split('|');
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        if (parts[i].isEmpty() && parts[i + 1].isEmpty())
            break;
        QStringList patterns;
        for (const QString& p : parts[i + 1].split(';', Qt::SkipEmptyParts))
            patterns << (p.trimmed() == "*.*" ? QStringLiteral("*") : p.trimmed());
        // Qt reads the patterns from the parentheses of the name, so the name keeps none of its own.
        QString name = parts[i];
        name.remove(QRegularExpression(R"(\s*\([^)]*\))"));
        filters << QStringLiteral("%1 (%2)").arg(name.trimmed(), patterns.join(' '));
    }
    return filters;
}
} // namespace

CFileDialog::CFileDialog(BOOL openFileDialog, const char* defExt, const char* fileName, DWORD flags,
                         const char* filter, CWnd* parent)
    : m_open(openFileDialog), m_defExt(defExt ? defExt : ""), m_fileName(fileName ? fileName : ""),
      m_filter(filter ? filter : ""), m_parent(parent) {
    m_ofn.Flags = flags;
}

int CFileDialog::DoModal() {
    const FRAMEWORKTEXTS& texts = AfxGetFrameworkTexts();
    std::string title = m_ofn.lpstrTitle ? m_ofn.lpstrTitle
                        : m_open         ? texts.openCaption
                                         : texts.saveAsCaption;
    ModalQuestion q;
    q.kind = m_open ? ModalKind::OpenFile : ModalKind::SaveFile;
    q.text = title;
    q.filter = m_filter;
    q.fileName = m_fileName;
    q.style = m_ofn.Flags;
    if (auto answer = ScriptedAnswer(q)) {
        if (answer->result != IDOK)
            return IDCANCEL;
        for (const QString& path : QString::fromStdString(answer->path).split('\n', Qt::SkipEmptyParts))
            m_paths.push_back(path.toStdString());
        m_path = m_paths.empty() ? std::string() : m_paths.front();
        return IDOK;
    }
    if (!qApp)
        return IDCANCEL;

    QWidget* owner =
        m_parent && m_parent->GetQWidget() ? m_parent->GetQWidget() : QApplication::activeWindow();
    QFileDialog dialog(owner, QString::fromStdString(title));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(m_open ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
    dialog.setFileMode(m_open && (m_ofn.Flags & OFN_ALLOWMULTISELECT) ? QFileDialog::ExistingFiles
                       : m_open && (m_ofn.Flags & OFN_FILEMUSTEXIST)  ? QFileDialog::ExistingFile
                                                                      : QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !(m_ofn.Flags & OFN_OVERWRITEPROMPT));
    QStringList filters = QtFilters(m_filter);
    if (!filters.isEmpty())
        dialog.setNameFilters(filters);
    if (!m_defExt.empty())
        dialog.setDefaultSuffix(QString::fromStdString(m_defExt));
    // A name without a folder starts in the user's home folder, never where the program happened to
    // start (that may be its data folder).
    QFileInfo initial(QFile::decodeName(m_fileName.c_str()));
    dialog.setDirectory(m_fileName.find('/') != std::string::npos ? initial.absolutePath()
                                                                  : QDir::homePath());
    if (!m_fileName.empty())
        dialog.selectFile(initial.fileName());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return IDCANCEL;
    for (const QString& path : dialog.selectedFiles())
        m_paths.push_back(QFile::encodeName(path).toStdString());
    m_path = m_paths.front();
    return IDOK;
}
