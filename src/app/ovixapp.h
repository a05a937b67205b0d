#pragma once

#include "people/appdata.h"
#include "people/ovixdoc.h"
#include "platform/profile.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

class CDatabaseLock;
class CDatabaseSaver;
class CMainFrame;
class CShutdownRequests;
class QPrinter;
class QString;

// The application object: the shared data, start-up and shutdown, and the
// application's own commands.
class COvixApp : public CAppData {
public:
    COvixApp();
    ~COvixApp();
    COvixApp(const COvixApp&) = delete;
    COvixApp& operator=(const COvixApp&) = delete;

    // Start-up, the message loop, then shutdown; the process's exit code.
    int Run();
    // Start-up: profile location, dialog colours, the document, the main
    // frame with its view, the database load, the view's first update and
    // the first show. Always true.
    bool InitInstance();
    // The shutdown road, whichever way the program ends: the main window is
    // destroyed, then the database is written, then the records are
    // destroyed. Runs once; later calls do nothing.
    void ExitInstance();

    // Every request to end the program: File Exit, the end of the session and
    // the termination signals. It closes any open box or dialog as its Cancel
    // would, then the main window as the close box does.
    void CloseMainWindow();
    // A request from outside (a signal, the session's end): the program ends
    // at once and asks nothing more, also not when the save fails.
    void OnEndRequest();
    // The session manager's checkpoint: the people and the layout are saved
    // and the program runs on. A failed save is put to the user only when
    // `allowsInteraction` says so, else it is left for the save at exit.
    void OnCommitData(const std::function<bool()>& allowsInteraction);
    // The caption follows the chosen person, whether or not the chart has
    // been drawn.
    void ShowChosenPersonInTitle();
    // The main window has been closed: the message loop ends.
    void OnMainWindowClosed();

    void OnAppExit() { CloseMainWindow(); }
    void OnAppAbout();
    void OnFilePrintSetup();

    CMainFrame* MainFrame() const { return m_frame.get(); }
    COvixDoc* Document() const { return m_doc.get(); }
    QPrinter& Printer() { return *m_printer; }
    Profile& GetProfile() { return m_profile; }
    // The database in the folder the program was started in, as an absolute path.
    const std::string& DatabasePath() const { return m_databasePath; }

    static constexpr const char* kExitAfterFirstPaint = "ORVINA_EXIT_AFTER_FIRST_PAINT";

private:
    void SetRegistryKey();
    void SetDialogBkColor();
    void LoadStdProfileSettings();
    void OnFileNew();
    // The frame's commands that belong to the application, and its closing.
    void ConnectCommands();
    void ExitAfterFirstPaint();
    void ReportDamagedDatabase(const COvixDoc::LoadReport& report);
    void ReportUnreadableDatabase(const COvixDoc::LoadReport& report);
    void ReportDatabaseInUse();
    void ShowStartupMessage(const QString& text);
    void SaveDatabase();
    void SaveStdProfileSettings();

    Profile m_profile;
    std::unique_ptr<QPrinter> m_printer;
    std::unique_ptr<COvixDoc> m_doc;
    std::unique_ptr<CMainFrame> m_frame;
    std::unique_ptr<CShutdownRequests> m_shutdownRequests;
    std::unique_ptr<CDatabaseLock> m_lock;
    std::unique_ptr<CDatabaseSaver> m_saver;
    std::string m_databasePath;
    int32_t m_previewPages = 0;
    bool m_started = false;
    bool m_exited = false;
    bool m_inMessageLoop = false;
    bool m_closeRequested = false;
    bool m_mustEnd = false;
    // False while another running Orvina holds the database: this copy
    // then writes nothing.
    bool m_savesPeople = true;
};
