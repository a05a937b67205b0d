#pragma once

// What the widget tests share: a temporary working folder and profile, a
// fixed date, the default person's bytes, a recorder in place of message
// boxes and a driver for modal windows.

#include "app/ovixapp.h"
#include "dialogs/dialog.h"
#include "frame/mainframe.h"
#include "people/databasefile.h"
#include "platform/clock.h"
#include "platform/messagebox.h"

#include <QApplication>
#include <QByteArray>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <deque>
#include <functional>
#include <memory>
#include <vector>

// "New Name" born 1901-01-01, the only person, as the program writes it.
inline const QByteArray kDefaultDatabase = QByteArray::fromHex("0100FFFF00000500") + "CName" + "\x08" "New Name" +
                                           "\x04" "1901" "\x02" "01" "\x02" "01";

// Two default people: the count 2, then the second record's class is a
// reference to the first's.
inline QByteArray TwoDefaultPeople()
{
    QByteArray bytes = kDefaultDatabase;
    bytes[0] = 2;
    return bytes + QByteArray::fromHex("0180") + kDefaultDatabase.mid(13);
}

inline QByteArray ReadBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline bool WriteBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

// Writes `people` to `path` with the program's own writer.
inline bool WriteDatabase(const QString& path, const std::vector<CName>& people)
{
    CNameList names;
    for (const CName& person : people)
        names.Append(person);
    return !SaveDatabaseFile(path.toStdString(), names);
}

// A fresh temporary folder is the working folder while this lives.
class TestFolder {
public:
    TestFolder() : m_previous(QDir::currentPath()) { QDir::setCurrent(m_dir.path()); }
    ~TestFolder() { QDir::setCurrent(m_previous); }
    TestFolder(const TestFolder&) = delete;
    TestFolder& operator=(const TestFolder&) = delete;
    QString Path() const { return m_dir.path(); }
    QString File(const QString& name) const { return m_dir.filePath(name); }

private:
    QString m_previous;
    QTemporaryDir m_dir;
};

// The profile store of the whole test program lives in a temporary folder.
inline void UseTemporaryProfile(const QTemporaryDir& dir)
{
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir.path());
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, dir.path());
}

// Stands in for the modal message box: keeps every message shown and answers
// with the scripted answers in turn, then as a closed box does.
class MessageRecorder {
public:
    MessageRecorder()
    {
        MessageBox::SetRecorder([this](const MessageBox::Request& shown) {
            m_shown.push_back(shown);
            if (m_onShow)
                m_onShow(shown);
            if (m_answers.empty())
                return shown.buttons == MessageBox::Buttons::Ok ? MessageBox::Answer::Ok : MessageBox::Answer::Cancel;
            const MessageBox::Answer answer = m_answers.front();
            m_answers.pop_front();
            return answer;
        });
    }
    ~MessageRecorder() { MessageBox::SetRecorder(nullptr); }
    MessageRecorder(const MessageRecorder&) = delete;
    MessageRecorder& operator=(const MessageRecorder&) = delete;
    const std::vector<MessageBox::Request>& Shown() const { return m_shown; }
    // "caption: text" of each message shown.
    QStringList Texts() const
    {
        QStringList texts;
        for (const MessageBox::Request& shown : m_shown)
            texts << shown.caption + ": " + shown.text;
        return texts;
    }

    std::deque<MessageBox::Answer> m_answers;
    std::function<void(const MessageBox::Request&)> m_onShow;

private:
    std::vector<MessageBox::Request> m_shown;
};

// Fixes today's date while this lives.
class FixedToday {
public:
    explicit FixedToday(CDate date) { Clock::SetFixedToday(date); }
    ~FixedToday() { Clock::SetFixedToday(std::nullopt); }
    FixedToday(const FixedToday&) = delete;
    FixedToday& operator=(const FixedToday&) = delete;
};

// The result of a dialog run whose window the driver left open.
constexpr int kLeftOpen = 99;

// Runs `start`, which opens a modal window, and `inside` with that window
// once it is up and active; ends it with kLeftOpen unless `inside` did.
inline bool InModal(const std::function<void()>& start, const std::function<void(QWidget*)>& inside)
{
    bool ran = false;
    QTimer::singleShot(0, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal)
            return;
        ran = true;
        modal->activateWindow();
        if (QTest::qWaitForWindowActive(modal))
            inside(modal);
        if (QApplication::activeModalWidget() == modal)
            qobject_cast<QDialog*>(modal) ? qobject_cast<QDialog*>(modal)->done(kLeftOpen) : void(modal->close());
    });
    start();
    return ran;
}

// Runs one of the program's dialogs so and returns its result.
inline int RunDialog(CDialog& dialog, QWidget* parent, const std::function<void(QDialog*)>& drive)
{
    int result = 0;
    InModal([&] { result = dialog.DoModal(parent); }, [&](QWidget* window) { drive(qobject_cast<QDialog*>(window)); });
    return result;
}

template <class Widget>
Widget* ControlOf(const CDialog& dialog, int id)
{
    return qobject_cast<Widget*>(dialog.Control(id));
}

// The application started in a fresh working folder, the profile in a
// temporary folder: what the tests of the main window work on.
class StartedApp {
public:
    StartedApp() { UseTemporaryProfile(m_profileDir); }

    // With `shown`, waits until the main window is on screen (and painted).
    bool Start(bool shown = true)
    {
        if (!m_folder)
            m_folder = std::make_unique<TestFolder>();
        m_app = std::make_unique<COvixApp>();
        m_app->InitInstance();
        return !shown || QTest::qWaitForWindowExposed(m_app->MainFrame());
    }
    void Stop()
    {
        m_app.reset();
        m_folder.reset();
    }
    CMainFrame& Frame() { return *m_app->MainFrame(); }

    QTemporaryDir m_profileDir;
    std::unique_ptr<TestFolder> m_folder;
    std::unique_ptr<COvixApp> m_app;
};
