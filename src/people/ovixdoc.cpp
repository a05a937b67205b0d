#include "people/ovixdoc.h"

#include "calc/decimal.h"
#include "people/appdata.h"
#include "platform/clock.h"

#include <filesystem>
#include <new>
#include <system_error>

namespace {
const CName kDefaultPerson{"New Name", "1901", "01", "01"};
}

COvixDoc::COvixDoc(CAppData& app) : m_app(app) {}

COvixDoc::LoadReport COvixDoc::OnNewDocument(const std::string& databasePath)
{
    DeleteAllNames();
    InitMonthLengths();
    LoadReport report = LoadNames(databasePath);
    SetToday();
    ComputeDayNumbers();
    ComputeWeekday();
    return report;
}

void COvixDoc::DeleteAllNames()
{
    m_app.m_names.Clear();
    m_app.Choose(0);
}

COvixDoc::LoadReport COvixDoc::LoadNames(const std::string& databasePath)
{
    DatabaseLoadResult loaded = LoadDatabaseFile(databasePath);
    LoadReport report;
    report.status = loaded.status;
    report.fault = loaded.fault;
    report.stamp = loaded.stamp;

    // Keep a copy of a damaged file before the save at exit can replace it;
    // without a complete copy the file is not replaced at all.
    if (loaded.status == DatabaseLoadResult::Status::Damaged) {
        if (std::optional<std::string> copyError = BackUpDatabaseFile(databasePath, report.damagedCopyPath)) {
            report.damagedCopyError = *copyError;
            const ArchiveFault& fault = *loaded.fault;
            report.unreadableError = "it is damaged at byte " + std::to_string(fault.offset) + " (" + fault.reason +
                                     ") and no complete copy of it could be made in '" + report.damagedCopyPath +
                                     "' (" + *copyError + ")";
        }
    }

    // A file that is there but cannot be read (no permission, locked, a
    // folder, a device, a link to nothing) is not the same as no file: it may
    // hold people.
    std::error_code existsError;
    if (loaded.status == DatabaseLoadResult::Status::Missing &&
        std::filesystem::symlink_status(std::filesystem::u8path(databasePath), existsError).type() !=
            std::filesystem::file_type::not_found)
        report.unreadableError = loaded.openError;

    if (report.unreadableError.empty()) {
        try {
            AdoptNames(loaded.records);
        } catch (const std::bad_alloc&) {
            report.unreadableError = "there is not enough memory to read it";
        }
    }
    // An unreadable file is reported as such and its people are not shown,
    // since they could never be saved.
    if (!report.unreadableError.empty()) {
        report.status = DatabaseLoadResult::Status::Missing;
        report.stamp.reset();
        m_unreadableError = report.unreadableError;
        DeleteAllNames();
        AdoptNames(CNameTable());
    }
    m_loadedStamp = report.stamp;
    return report;
}

void COvixDoc::AdoptNames(const CNameTable& records)
{
    m_app.m_names.Append(records);
    if (m_app.m_names.IsEmpty())
        m_app.m_names.Append(kDefaultPerson);

    const CName& first = *m_app.m_names.At(0);
    m_birthYear = DecimalToInt(first.m_year);
    m_birthMonth = DecimalToInt(first.m_month);
    m_birthDay = DecimalToInt(first.m_day);
}

void COvixDoc::SetToday()
{
    const CDate today = Clock::Today();
    m_curYear = today.year;
    m_curMonth = today.month;
    m_curDay = today.day;
}

std::optional<std::string> COvixDoc::SaveNames(const std::string& databasePath) const
{
    // Whatever stands at the path, a link to nothing included, is left alone.
    std::error_code existsError;
    if (!m_unreadableError.empty() &&
        std::filesystem::symlink_status(std::filesystem::u8path(databasePath), existsError).type() !=
            std::filesystem::file_type::not_found) {
        return "cannot save '" + databasePath + "': it could not be read when Orvina started (" +
               m_unreadableError + "), so it is left unchanged rather than replaced by people it never held";
    }
    return SaveDatabaseFile(databasePath, m_app.m_names);
}

void COvixDoc::SetTitle(const std::string& title)
{
    if (title == m_title)
        return;
    m_title = title;
    if (m_onTitleChanged)
        m_onTitleChanged(m_title);
}
