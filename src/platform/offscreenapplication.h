#pragma once

#include <QCoreApplication>

#include <memory>

// The application object of a program that draws without showing a window
// (the command-line tool, a benchmark, a test): fonts and widgets need one.
// It runs on the offscreen platform unless QT_QPA_PLATFORM names another.
// `Application` is QGuiApplication, or QApplication where widgets are made.
// nullptr when an application object exists already.
template <class Application>
std::unique_ptr<Application> MakeOffscreenApplication(const char* programName)
{
    if (QCoreApplication::instance())
        return nullptr;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // The application keeps these for its lifetime.
    static int argc = 1;
    static char* argv[] = {const_cast<char*>(programName), nullptr};
    return std::make_unique<Application>(argc, argv);
}

// Makes the application object for the rest of the program's life, unless
// one exists. It is never destroyed: among the statics at exit its destructor
// would run after some of Qt's own are gone, and crash.
template <class Application>
void RequireOffscreenApplication(const char* programName)
{
    static Application* const application = MakeOffscreenApplication<Application>(programName).release();
    (void)application;
}
