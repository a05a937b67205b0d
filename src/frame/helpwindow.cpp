#include "frame/helpwindow.h"

#include "frame/helptopics.h"

#include <QApplication>
#include <QFile>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace {
constexpr const char* kCaption = "Orvina Help";
constexpr int kWidth = 600;
constexpr int kHeight = 520;

QString PageOf(const QString& topic)
{
    return topic.section(QLatin1Char('#'), 0, 0);
}

bool PageExists(const QString& page)
{
    return !page.isEmpty() && QFile::exists(QLatin1String(CHelpWindow::kRoot) + page);
}

QUrl UrlOf(const QString& topic)
{
    return QUrl(QLatin1String("qrc") + QLatin1String(CHelpWindow::kRoot) + topic);
}
}

CHelpWindow::CHelpWindow(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setWindowTitle(QLatin1String(kCaption));
    setObjectName(QStringLiteral("helpWindow"));
    auto* layout = new QVBoxLayout(this);
    setLayout(layout);
    CreateButtons();
    CreateBrowser();
    resize(kWidth, kHeight);
}

void CHelpWindow::CreateButtons()
{
    auto* row = new QHBoxLayout;
    auto* contents = new QPushButton(QStringLiteral("&Contents"), this);
    auto* back = new QPushButton(QStringLiteral("&Back"), this);
    auto* forward = new QPushButton(QStringLiteral("&Forward"), this);
    for (QPushButton* button : {contents, back, forward}) {
        button->setAutoDefault(false);
        row->addWidget(button);
    }
    row->addStretch(1);
    static_cast<QVBoxLayout*>(layout())->addLayout(row);

    connect(contents, &QPushButton::clicked, this, [this] { ShowTopic(QLatin1String(HelpTopics::kIndex)); });
    connect(back, &QPushButton::clicked, this, [this] { m_browser->backward(); });
    connect(forward, &QPushButton::clicked, this, [this] { m_browser->forward(); });
    // Enabled once the browser exists and tells about its history.
    back->setEnabled(false);
    forward->setEnabled(false);
    m_backButton = back;
    m_forwardButton = forward;
}

void CHelpWindow::CreateBrowser()
{
    m_browser = new QTextBrowser(this);
    m_browser->setOpenExternalLinks(false);
    layout()->addWidget(m_browser);
    connect(m_browser, &QTextBrowser::backwardAvailable, m_backButton, &QWidget::setEnabled);
    connect(m_browser, &QTextBrowser::forwardAvailable, m_forwardButton, &QWidget::setEnabled);
}

bool CHelpWindow::ShowTopic(const QString& topic)
{
    QString shown = topic;
    if (!PageExists(PageOf(topic))) {
        shown = QLatin1String(HelpTopics::kIndex);
        if (!PageExists(shown))
            return false;
    }
    m_browser->setSource(UrlOf(shown));

    // A modal dialog blocks every window but its own; help asked for from
    // such a dialog is modal too, so that it can be read and closed.
    QWidget* modal = QApplication::activeModalWidget();
    const Qt::WindowModality modality = modal && modal != this ? Qt::ApplicationModal : Qt::NonModal;
    if (windowModality() != modality) {
        hide();
        setWindowModality(modality);
    }
    show();
    raise();
    activateWindow();
    return true;
}

QUrl CHelpWindow::Source() const
{
    return m_browser->source();
}
