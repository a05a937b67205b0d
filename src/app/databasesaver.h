#pragma once

#include "people/databasefile.h"

#include <QString>

#include <functional>
#include <optional>
#include <string>

class COvixDoc;
class CNameList;
class QWidget;

// Writes the people back: at the end of the run and at a session checkpoint.
// It never replaces a file that another program changed since this run read
// it (ours goes beside it, "database.bio.mine"), and a save that fails is
// offered again, or to another file, or given up, as the user chooses.
class CDatabaseSaver {
public:
    CDatabaseSaver(COvixDoc& doc, const CNameList& names, std::string databasePath);

    // Notes the database as the load is about to read it. `unreadable` when
    // a file was there but could not be read, so a save cannot replace it.
    void NoteLoad(std::optional<DatabaseFileStamp> stamp, bool unreadable);

    // Saves once. A failure is put to the user (over `owner`) only when
    // `mayAsk` says so; else it goes to standard error.
    void Save(QWidget* owner, const std::function<bool()>& mayAsk);

    // Checked after every question: true once the program must end at once,
    // so that nothing more is asked.
    std::function<bool()> m_mustEnd;

private:
    static std::string FreeBesidePath(const std::string& databasePath);
    bool ChangedSinceLoad() const;
    std::optional<std::string> Write(const std::string& target);
    // Shows `text` in a box when `mayShow`, else writes it to standard
    // error; true when it was shown.
    bool Tell(QWidget* owner, const QString& text, bool mayShow) const;
    bool MustEnd() const { return m_mustEnd && m_mustEnd(); }

    COvixDoc& m_doc;
    const CNameList& m_names;
    const std::string m_databasePath;
    std::optional<DatabaseFileStamp> m_stamp;  // the database as this run last read or wrote it
    bool m_unreadable = false;
    // Where the people go once the database changed under this run; they
    // keep going there for the rest of it.
    std::string m_besidePath;
    bool m_toldBeside = false;
};
