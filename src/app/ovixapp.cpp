#include "app/ovixapp.h"

#include "app/databaselock.h"
#include "app/databasesaver.h"
#include "app/shutdownrequests.h"
#include "chart/chart.h"
#include "dialogs/aboutdlg.h"
#include "frame/commandids.h"
#include "frame/mainframe.h"
#include "frame/programsettings.h"
#include "people/databasefile.h"
#include "platform/messagebox.h"
#include "platform/rgb.h"
#include "platform/stringtable.h"
#include "platform/versioninfo.h"
#include "view/ovixview.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QElapsedTimer>
#include <QPalette>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QThread>
#include <QWindow>

#include <cstdio>

namespace {
constexpr QRgb kDialogBackground = ToArgb(kFaceGrey);
constexpr QRgb kDialogText = qRgb(0, 0, 0);
constexpr const char* kFirstPaintMarker = "first paint\n";
constexpr int kPlacementWaitMs = 2000;
constexpr int kPlacementStepMs = 5;
constexpr const char* kCreateFailed = "Failed to create empty document.";
}

COvixApp::COvixApp() = default;

COvixApp::~COvixApp()
{
    // A run that never reached the end of its message loop still saves.
    if (m_started)
        ExitInstance();
}

int COvixApp::Run()
{
    if (!InitInstance())
        return 1;
    int exitCode = 0;
    // A request to end that came during start-up leaves nothing to wait for.
    if (!m_closeRequested) {
        m_inMessageLoop = true;
        exitCode = QApplication::exec();
        m_inMessageLoop = false;
    }
    ExitInstance();
    return exitCode;
}

bool COvixApp::InitInstance()
{
    m_started = true;
    m_shutdownRequests = std::make_unique<CShutdownRequests>(
        [this] { OnEndRequest(); },
        [this](const CShutdownRequests::AllowsInteraction& allowsInteraction) { OnCommitData(allowsInteraction); });
    SetRegistryKey();
    SetDialogBkColor();
    LoadStdProfileSettings();
    // The one printer that Print, Print Preview and Print Setup share.
    m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    m_printer->setResolution(kPrintResolution);
    OnFileNew();
    return true;
}

void COvixApp::SetRegistryKey()
{
    // The profile itself always lives under Profile's fixed key; these names
    // describe the program to Qt and to the desktop.
    QCoreApplication::setOrganizationName(QString::fromLatin1(VersionInfo::kCompanyName));
    QCoreApplication::setApplicationName(StringTable::AppTitle());
    QCoreApplication::setApplicationVersion(QString::fromLatin1(VersionInfo::kProductVersion));
    // The program ends through its own shutdown road, which may still show a
    // message after the main window is gone.
    QGuiApplication::setQuitOnLastWindowClosed(false);
}

void COvixApp::SetDialogBkColor()
{
    QPalette palette = QApplication::palette("QDialog");
    palette.setColor(QPalette::Window, QColor(kDialogBackground));
    palette.setColor(QPalette::WindowText, QColor(kDialogText));
    QApplication::setPalette(palette, "QDialog");
}

void COvixApp::LoadStdProfileSettings()
{
    // No recent-file list is kept. The print preview's page count is.
    m_previewPages = CProgramSettings(m_profile).PreviewPages();
}

void COvixApp::OnFileNew()
{
    m_databasePath = QDir::current().absoluteFilePath(QString::fromLatin1(kDatabaseFileName)).toStdString();

    m_doc = std::make_unique<COvixDoc>(*this);
    m_saver = std::make_unique<CDatabaseSaver>(*m_doc, m_names, m_databasePath);
    m_saver->m_mustEnd = [this] { return m_mustEnd; };
    m_frame = std::make_unique<CMainFrame>(*this, *m_doc, m_profile, *m_printer);
    if (!m_frame->Created()) {
        // Nothing has been loaded yet, so nothing may be saved either: the
        // empty list would replace the people on disk.
        m_frame.reset();
        m_doc.reset();
        m_closeRequested = true;
        MessageBox::Show(nullptr, QLatin1String(kCreateFailed), StringTable::AppTitle());
        return;
    }
    ConnectCommands();
    // Claimed before the load: of two copies started together, exactly one saves.
    m_lock = std::make_unique<CDatabaseLock>(m_databasePath);
    m_savesPeople = m_lock->TryLock();
    const COvixDoc::LoadReport report = m_doc->OnNewDocument(m_databasePath);
    m_saver->NoteLoad(report.stamp, !report.unreadableError.empty());

    COvixView& view = m_frame->View();
    view.SetPreviewPages(m_previewPages);
    view.OnInitialUpdate();
    if (qEnvironmentVariable(kExitAfterFirstPaint) == QLatin1String("1"))
        ExitAfterFirstPaint();
    m_frame->show();
    // The People dialog's own handler runs first, so this sees its outcome.
    QObject::connect(m_frame->Action(CommandId::kPeople), &QAction::triggered, m_frame.get(),
                     [this] { ShowChosenPersonInTitle(); });
    ShowChosenPersonInTitle();

    if (report.status == DatabaseLoadResult::Status::Damaged)
        ReportDamagedDatabase(report);
    else if (!report.unreadableError.empty())
        ReportUnreadableDatabase(report);
    if (!m_savesPeople)
        ReportDatabaseInUse();
}

void COvixApp::ConnectCommands()
{
    const auto on = [this](int32_t id, auto handler) {
        QObject::connect(m_frame->Action(id), &QAction::triggered, m_frame.get(), handler);
    };
    on(CommandId::kFilePrintSetup, [this] { OnFilePrintSetup(); });
    on(CommandId::kAppExit, [this] { OnAppExit(); });
    on(CommandId::kAppAbout, [this] { OnAppAbout(); });
    QObject::connect(m_frame.get(), &CMainFrame::Closed, m_frame.get(), [this] { OnMainWindowClosed(); });
}

void COvixApp::ShowChosenPersonInTitle()
{
    const CName* person = ShownPerson();
    if (person && m_doc)
        m_doc->SetTitle(person->m_name);
}

void COvixApp::ShowStartupMessage(const QString& text)
{
    // A box is centred on its owner when it shows, so the main window must
    // be where the window manager puts it first: that is known once it is
    // on the screen.
    QElapsedTimer waited;
    waited.start();
    while (!m_closeRequested && !m_frame->windowHandle()->isExposed() && waited.elapsed() < kPlacementWaitMs)
    {
        QCoreApplication::processEvents(QEventLoop::AllEvents, kPlacementStepMs);
        QThread::msleep(kPlacementStepMs);
    }
    // A request to end that came during an earlier message asks nothing more.
    if (m_closeRequested)
        return;
    MessageBox::Show(m_frame.get(), text, StringTable::AppTitle(), MessageBox::Buttons::Ok, MessageBox::Icon::Warning);
}

void COvixApp::ExitAfterFirstPaint()
{
    // For the start-up benchmark: the time to the first painted frame is the
    // time to this line on standard output.
    m_frame->View().m_onFirstPaint = [this] {
        std::fputs(kFirstPaintMarker, stdout);
        std::fflush(stdout);
        QMetaObject::invokeMethod(m_frame.get(), [this] { CloseMainWindow(); }, Qt::QueuedConnection);
    };
}

void COvixApp::ReportDamagedDatabase(const COvixDoc::LoadReport& report)
{
    const ArchiveFault fault = report.fault.value_or(ArchiveFault{});
    // Without a complete copy the load reports the file as unreadable
    // instead, so here the copy exists.
    const QString text = QStringLiteral("The people database %1 is damaged at byte %2: %3.\n\n"
                                        "The people read before that point are kept. The damaged file was copied "
                                        "to %4; %1 is replaced with the kept people when Orvina ends.")
                             .arg(StringTable::Quoted(m_databasePath))
                             .arg(fault.offset)
                             .arg(QString::fromStdString(fault.reason), StringTable::Quoted(report.damagedCopyPath));
    ShowStartupMessage(text);
}

void COvixApp::ReportUnreadableDatabase(const COvixDoc::LoadReport& report)
{
    const QString text = QStringLiteral("The people database %1 cannot be read: %2.\n\n"
                                        "Orvina starts with the default person and leaves the file unchanged "
                                        "when it ends.")
                             .arg(StringTable::Quoted(m_databasePath), QString::fromStdString(report.unreadableError));
    ShowStartupMessage(text);
}

void COvixApp::ReportDatabaseInUse()
{
    const int64_t owner = m_lock->OwnerPid();
    const QString process = owner > 0 ? QStringLiteral(" (process %1)").arg(owner) : QString();
    ShowStartupMessage(QStringLiteral("The people database %1 is in use by another running Orvina%2, so this "
                                      "Orvina shows its people but does not save them when it ends.")
                           .arg(StringTable::Quoted(m_databasePath), process));
}

void COvixApp::CloseMainWindow()
{
    m_closeRequested = true;
    // Each open box or dialog answers as its Cancel (OK where it has none);
    // every modal run among them ends as control comes back to it.
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (auto* dialog = qobject_cast<QDialog*>(window); dialog && dialog->isVisible())
            dialog->reject();
    }
    if (m_frame)
        m_frame->close();
}

void COvixApp::OnEndRequest()
{
    m_mustEnd = true;
    CloseMainWindow();
}

void COvixApp::OnCommitData(const std::function<bool()>& allowsInteraction)
{
    if (m_frame)
        m_frame->OnEndSession();
    if (m_doc && m_savesPeople)
        m_saver->Save(m_frame.get(), allowsInteraction);
}

void COvixApp::OnMainWindowClosed()
{
    m_closeRequested = true;
    // Outside a running loop (during start-up, or in a test) there is no
    // loop to end, and QCoreApplication::exit would make the next one end
    // at once.
    if (m_inMessageLoop)
        QCoreApplication::exit(0);
}

void COvixApp::ExitInstance()
{
    if (m_exited || !m_started)
        return;
    m_exited = true;

    if (m_frame)
        m_previewPages = m_frame->View().PreviewPages();
    m_frame.reset();
    if (m_doc) {
        SaveDatabase();
        m_doc->DeleteAllNames();
        m_doc.reset();
    }
    m_saver.reset();
    m_lock.reset();
    SaveStdProfileSettings();
    m_printer.reset();
    m_shutdownRequests.reset();
}

void COvixApp::SaveDatabase()
{
    // The main window is gone by now, so a question stands on its own.
    if (m_savesPeople)
        m_saver->Save(nullptr, [] { return true; });
}

void COvixApp::SaveStdProfileSettings()
{
    if (m_previewPages != 0)
        CProgramSettings(m_profile).WritePreviewPages(m_previewPages);
}

void COvixApp::OnAppAbout()
{
    CAboutDlg about;
    about.DoModal(m_frame.get());
}

void COvixApp::OnFilePrintSetup()
{
    // The print dialog chooses the printer; its Properties choose the paper.
    // Nothing is printed: its OK only keeps the choice for the next print.
    QPrintDialog setup(m_printer.get(), m_frame.get());
    setup.setWindowTitle(QStringLiteral("Print Setup"));
    setup.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintShowPageSize);
    if (auto* buttons = setup.findChild<QDialogButtonBox*>()) {
        if (QPushButton* ok = buttons->button(QDialogButtonBox::Ok))
            ok->setText(QStringLiteral("OK"));
    }
    setup.exec();
}
