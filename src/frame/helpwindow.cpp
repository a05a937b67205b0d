#include "frame/helpwindow.h"

#include "dialogs/programicon.h"
#include "frame/helptopics.h"

#include <QApplication>
#include <QFile>
#include <QHBoxLayout>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QTextBrowser>
#include <QVBoxLayout>

#include <algorithm>

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
    setWindowIcon(ProgramIcon());
    setObjectName(QStringLiteral("helpWindow"));
    auto* layout = new QVBoxLayout(this);
    setLayout(layout);
    CreateButtons();
    CreateBrowser();
    CreateCloseKeys();
    resize(kWidth, kHeight);
}

void CHelpWindow::CreateCloseKeys()
{
    for (const QKeySequence& keys : {QKeySequence(Qt::Key_Escape), QKeySequence(Qt::CTRL | Qt::Key_W)}) {
        auto* shortcut = new QShortcut(keys, this);
        connect(shortcut, &QShortcut::activated, this, &QWidget::close);
    }
}

void CHelpWindow::PlaceBeside(const QRect& owner)
{
    // Right of the owner where the screen has room, else left of it, else
    // against the screen's right edge.
    const QScreen* screen = QGuiApplication::screenAt(owner.center());
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect available = screen->availableGeometry();
    const QSize size = frameGeometry().size();
    int left = owner.right() + 1;
    if (left + size.width() > available.right() + 1)
        left = owner.left() - size.width();
    if (left < available.left())
        left = available.right() + 1 - size.width();
    const int lowestTop = std::max(available.top(), available.bottom() + 1 - size.height());
    move(std::max(left, available.left()), std::clamp(owner.top(), available.top(), lowestTop));
}

void CHelpWindow::CreateButtons()
{
    auto* row = new QHBoxLayout;
    auto* contents = new QPushButton(QStringLiteral("&Contents"), this);
    auto* back = new QPushButton(QStringLiteral("&Back"), this);
    auto* forward = new QPushButton(QStringLiteral("&Forward"), this);
    auto* close = new QPushButton(QStringLiteral("C&lose"), this);
    for (QPushButton* button : {contents, back, forward}) {
        button->setAutoDefault(false);
        row->addWidget(button);
    }
    row->addStretch(1);
    close->setAutoDefault(false);
    row->addWidget(close);
    connect(close, &QPushButton::clicked, this, &QWidget::close);
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
