#include "frame/statusbar.h"

#include "platform/stringtable.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>

namespace {
const std::vector<int32_t> kIndicatorIds = {CStatusBar::kMessagePane, StringId::kIndicatorCaps,
                                            StringId::kIndicatorNum, StringId::kIndicatorScroll};

bool IsLockKey(int key)
{
    return key == Qt::Key_CapsLock || key == Qt::Key_NumLock || key == Qt::Key_ScrollLock;
}

bool IsIndicator(int32_t id)
{
    return id == StringId::kIndicatorCaps || id == StringId::kIndicatorNum || id == StringId::kIndicatorScroll;
}

bool IsOn(int32_t id, const LockKeys& keys)
{
    switch (id) {
    case StringId::kIndicatorCaps: return keys.caps;
    case StringId::kIndicatorNum: return keys.num;
    case StringId::kIndicatorScroll: return keys.scroll;
    default: return false;
    }
}
}

CStatusBar::CStatusBar(QWidget* parent) : QStatusBar(parent)
{
    setObjectName(QStringLiteral("statusBar"));
    CreateMessagePane();
    // A lock key may be pressed in any window of the program, or in another
    // program while this one is in the background.
    qApp->installEventFilter(this);
}

CStatusBar::~CStatusBar()
{
    qApp->removeEventFilter(this);
}

const std::vector<int32_t>& CStatusBar::IndicatorIds()
{
    return kIndicatorIds;
}

void CStatusBar::CreateMessagePane()
{
    // A normal status-bar widget gives way to a temporary message, which is
    // how prompts are shown, and comes back when the prompt is cleared.
    m_idle = new QLabel(StringTable::Load(StringId::kIdleMessage), this);
    m_idle->setTextFormat(Qt::PlainText);
    addWidget(m_idle, 1);
}

bool CStatusBar::SetIndicators(const std::vector<int32_t>& ids)
{
    for (const int32_t id : ids) {
        if (id == kMessagePane)
            continue;
        const QString text = StringTable::Load(id);
        if (!IsIndicator(id) || text.isEmpty())
            return false;
        auto* pane = new QLabel(text, this);
        pane->setFrameShape(QFrame::Panel);
        pane->setFrameShadow(QFrame::Sunken);
        pane->setAlignment(Qt::AlignCenter);
        // As wide as the text, whether it shows or not.
        pane->setFixedWidth(pane->sizeHint().width());
        pane->clear();
        addPermanentWidget(pane);
        m_panes[id] = pane;
    }
    ShowLockKeys(LockKeys::Query());
    return true;
}

QString CStatusBar::MessageText() const
{
    const QString message = currentMessage();
    return message.isEmpty() ? m_idle->text() : message;
}

QLabel* CStatusBar::Pane(int32_t id) const
{
    const auto found = m_panes.find(id);
    return found == m_panes.end() ? nullptr : found->second;
}

void CStatusBar::InsertPane(QWidget* pane)
{
    // The message pane is the bar's only normal widget; the first permanent
    // place follows it.
    insertPermanentWidget(1, pane);
}

void CStatusBar::ShowLockKeys(const std::optional<LockKeys>& keys)
{
    for (const auto& [id, pane] : m_panes)
        pane->setText(keys && IsOn(id, *keys) ? StringTable::Load(id) : QString());
}

bool CStatusBar::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
        if (IsLockKey(static_cast<QKeyEvent*>(event)->key()))
            ShowLockKeys(LockKeys::Query());
        break;
    case QEvent::ApplicationActivate: ShowLockKeys(LockKeys::Query()); break;
    default: break;
    }
    return QStatusBar::eventFilter(watched, event);
}
