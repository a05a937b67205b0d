#include "app/databasesaver.h"

#include "people/ovixdoc.h"
#include "platform/messagebox.h"
#include "platform/stringtable.h"

#include <QDir>
#include <QFileDialog>

#include <cstdio>
#include <filesystem>
#include <system_error>

namespace {
constexpr const char* kBesideSuffix = ".mine";

bool Exists(const std::string& path)
{
    std::error_code error;
    return std::filesystem::exists(std::filesystem::symlink_status(path, error));
}

// The reason without the path, which the message names itself.
QString Reason(const std::string& target, const std::string& failure)
{
    const std::string prefix = "cannot save '" + target + "': ";
    const bool named = failure.compare(0, prefix.size(), prefix) == 0;
    return QString::fromStdString(named ? failure.substr(prefix.size()) : failure);
}

QString ChooseOtherFile()
{
    QFileDialog dialog(nullptr, QStringLiteral("Save As"), QDir::homePath());
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.selectFile(QString::fromLatin1(kDatabaseFileName));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}
}

CDatabaseSaver::CDatabaseSaver(COvixDoc& doc, const CNameList& names, std::string databasePath)
    : m_doc(doc), m_names(names), m_databasePath(std::move(databasePath))
{
}

void CDatabaseSaver::NoteLoad(std::optional<DatabaseFileStamp> stamp, bool unreadable)
{
    m_stamp = stamp;
    m_unreadable = unreadable;
}

std::string CDatabaseSaver::FreeBesidePath(const std::string& databasePath)
{
    const std::string base = databasePath + kBesideSuffix;
    std::string path = base;
    for (int number = 1; Exists(path); ++number)
        path = base + "." + std::to_string(number);
    return path;
}

bool CDatabaseSaver::ChangedSinceLoad() const
{
    // A file that went away holds nothing to lose; one that changed or
    // appeared holds another program's people.
    const std::optional<DatabaseFileStamp> now = StampDatabaseFile(m_databasePath);
    if (!now)
        return false;
    return !m_stamp || *now != *m_stamp;
}

std::optional<std::string> CDatabaseSaver::Write(const std::string& target)
{
    if (target != m_databasePath)
        return SaveDatabaseFile(target, m_names);
    std::optional<std::string> failure = m_doc.SaveNames(target);
    if (!failure)
        m_stamp = StampDatabaseFile(target);
    return failure;
}

void CDatabaseSaver::Save(QWidget* owner, const std::function<bool()>& mayAsk)
{
    if (m_besidePath.empty() && !m_unreadable && ChangedSinceLoad())
        m_besidePath = FreeBesidePath(m_databasePath);
    std::string target = m_besidePath.empty() ? m_databasePath : m_besidePath;
    for (;;) {
        const std::optional<std::string> failure = Write(target);
        if (!failure) {
            // Said once in a box, when the file beside the database is written
            // and the user may be asked; until then on standard error.
            if (!m_toldBeside && !m_besidePath.empty() && target == m_besidePath) {
                m_toldBeside = Tell(owner,
                     QStringLiteral("The people database %1 was changed by another program while Orvina was "
                                    "running, so it was left as it is and the people of this Orvina were saved "
                                    "to %2.")
                         .arg(StringTable::Quoted(m_databasePath), StringTable::Quoted(m_besidePath)),
                     !MustEnd() && mayAsk());
            }
            return;
        }

        // A file that could not be read at start-up is refused whatever the
        // user does, so Retry is not offered.
        const bool refused = target == m_databasePath && m_unreadable && Exists(target);
        const QString text =
            refused ? QStringLiteral("The people were not saved, because the people database %1 could not be "
                                     "read when Orvina started and is left unchanged.")
                          .arg(StringTable::Quoted(target))
                    : QStringLiteral("The people could not be saved to %1: %2.")
                          .arg(StringTable::Quoted(target), Reason(target, *failure));
        if (MustEnd() || !mayAsk()) {
            std::fprintf(stderr, "orvina: %s\n", qPrintable(text));
            return;
        }
        const MessageBox::Answer answer =
            MessageBox::Show(owner, text, StringTable::AppTitle(),
                             refused ? MessageBox::Buttons::SaveAsCancel : MessageBox::Buttons::RetrySaveAsCancel,
                             MessageBox::Icon::Warning);
        if (MustEnd() || answer == MessageBox::Answer::Cancel)
            return;
        if (answer == MessageBox::Answer::SaveAs) {
            const QString chosen = ChooseOtherFile();
            if (MustEnd())
                return;
            if (!chosen.isEmpty())
                target = chosen.toStdString();
        }
    }
}

bool CDatabaseSaver::Tell(QWidget* owner, const QString& text, bool mayShow) const
{
    if (!mayShow) {
        std::fprintf(stderr, "orvina: %s\n", qPrintable(text));
        return false;
    }
    MessageBox::Show(owner, text, StringTable::AppTitle(), MessageBox::Buttons::Ok, MessageBox::Icon::Warning);
    return true;
}
