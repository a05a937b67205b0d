#include "frame/toolbar.h"

#include "frame/commandtable.h"

#include <QAction>
#include <QToolButton>

CToolBar::CToolBar(QWidget* parent) : QToolBar(parent)
{
    setWindowTitle(QStringLiteral("Toolbar"));
    setObjectName(QStringLiteral("toolBar"));
    setMovable(true);
    setFloatable(true);
    setAllowedAreas(Qt::AllToolBarAreas);
    setIconSize(kImageSize);
    setToolButtonStyle(Qt::ToolButtonIconOnly);
    // The style decides the width of a separator; the sheet fixes it in
    // both orientations and leaves everything else to the style.
    setStyleSheet(QStringLiteral("QToolBar::separator { width: %1px; height: %1px; }").arg(kSeparatorWidth));
}

const std::vector<int32_t>& CToolBar::ButtonIds()
{
    static const std::vector<int32_t> ids = ToolBarCommands();
    return ids;
}

std::vector<QImage> CToolBar::CutStrip(const QImage& strip)
{
    if (strip.size() != QSize(kImageSize.width() * kImageCount, kImageSize.height()))
        return {};
    const QImage argb = strip.convertToFormat(QImage::Format_ARGB32);
    std::vector<QImage> images;
    for (int i = 0; i < kImageCount; ++i) {
        QImage image = argb.copy(i * kImageSize.width(), 0, kImageSize.width(), kImageSize.height());
        for (int y = 0; y < image.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
            for (int x = 0; x < image.width(); ++x) {
                if (line[x] == kImageBackground)
                    line[x] = qRgba(0, 0, 0, 0);
            }
        }
        images.push_back(image);
    }
    return images;
}

bool CToolBar::LoadToolBar(const QString& path)
{
    m_images = CutStrip(QImage(path));
    return !m_images.empty();
}

bool CToolBar::SetButtons(const std::vector<int32_t>& ids, const std::function<QAction*(int32_t)>& actionOf)
{
    size_t image = 0;
    for (const int32_t id : ids) {
        if (id == kSeparator) {
            addSeparator();
            continue;
        }
        QAction* action = actionOf(id);
        if (!action || image >= m_images.size())
            return false;
        action->setIcon(QIcon(QPixmap::fromImage(m_images[image++])));
        // Menus show their items without images.
        action->setIconVisibleInMenu(false);
        addAction(action);
        if (QWidget* button = widgetForAction(action))
            button->setFixedSize(kButtonSize);
        m_buttons.push_back(action);
    }
    return true;
}

QToolButton* CToolBar::Button(int32_t id) const
{
    for (QAction* action : m_buttons) {
        if (action->data().toInt() == id)
            return qobject_cast<QToolButton*>(widgetForAction(action));
    }
    return nullptr;
}
