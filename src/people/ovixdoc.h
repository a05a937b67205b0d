#pragma once

#include "calc/calendar.h"
#include "people/databasefile.h"

#include <functional>
#include <optional>
#include <string>

class CAppData;

// The one document: it decides when the people database is read and written
// and holds the calendar state of the displayed month. The people themselves
// live in the application's name list.
class COvixDoc : public CCalendar {
public:
    // What the start-up load found, so that the program can tell the user
    // about a damaged file. A file that is there but unreadable, or damaged
    // without a complete copy, is Missing with unreadableError set: its people
    // are not loaded and it is never replaced.
    struct LoadReport {
        DatabaseLoadResult::Status status = DatabaseLoadResult::Status::Missing;
        std::optional<ArchiveFault> fault;
        std::string damagedCopyPath;   // where the damaged file was copied, or the name tried last
        std::string damagedCopyError;  // why no complete copy could be made, when it could not
        std::string unreadableError;   // why a file that exists could not be read, when it could not
        std::optional<DatabaseFileStamp> stamp;  // of the file whose people were loaded
    };

    explicit COvixDoc(CAppData& app);

    // The start-up steps: empty the list, fill the month table, load the
    // database at `databasePath` (or create the default person), take today's
    // date and compute the first day numbers and weekday.
    LoadReport OnNewDocument(const std::string& databasePath);

    void DeleteAllNames();
    LoadReport LoadNames(const std::string& databasePath);
    // Appends `records` to the name list (the default person when there are
    // none) and takes the first person's birth date.
    void AdoptNames(const CNameTable& records);
    void SetToday();

    // Writes the name list to `databasePath` atomically; the reason on failure.
    // A file that existed but could not be read at start-up is never
    // replaced, since its people were never loaded.
    std::optional<std::string> SaveNames(const std::string& databasePath) const;

    // The stamp of the file the people were loaded from; none when no file was.
    const std::optional<DatabaseFileStamp>& LoadedStamp() const { return m_loadedStamp; }

    const std::string& GetTitle() const { return m_title; }
    void SetTitle(const std::string& title);
    // Called whenever the title changes, so that a window caption can follow it.
    std::function<void(const std::string&)> m_onTitleChanged;

private:
    CAppData& m_app;
    std::string m_title = "Orvina";
    std::string m_unreadableError;  // set when the database existed but could not be read
    std::optional<DatabaseFileStamp> m_loadedStamp;
};
