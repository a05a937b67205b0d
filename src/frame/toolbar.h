#pragma once

#include "platform/rgb.h"

#include <QImage>
#include <QSize>
#include <QToolBar>

#include <cstdint>
#include <functional>
#include <vector>

class QAction;
class QToolButton;

// The main frame's toolbar: buttons for the commands used most, their images
// cut from one strip, movable to every side of the frame and floatable.
class CToolBar : public QToolBar {
    Q_OBJECT
public:
    static constexpr int32_t kSeparator = 0;
    static constexpr int kImageCount = 8;
    static constexpr QSize kImageSize{16, 15};
    static constexpr QSize kButtonSize{23, 22};
    static constexpr int kSeparatorWidth = 8;
    // Images are drawn on this grey; the toolbar shows its button face there.
    static constexpr QRgb kImageBackground = ToArgb(kFaceGrey);
    static constexpr const char* kBitmap = ":/toolbar/toolbar.png";

    explicit CToolBar(QWidget* parent = nullptr);

    // The entries in order, as the command table places them: command ids,
    // kSeparator for a separator. The buttons take the images in the same order.
    static const std::vector<int32_t>& ButtonIds();

    // Reads the strip and cuts it into images. False when the strip is
    // missing or is not kImageCount images side by side.
    bool LoadToolBar(const QString& path = QString::fromLatin1(kBitmap));
    // Adds one button per entry, its action found by `actionOf`, which gets
    // the next image. False when an action is missing or images run out.
    bool SetButtons(const std::vector<int32_t>& ids, const std::function<QAction*(int32_t)>& actionOf);

    const std::vector<QImage>& Images() const { return m_images; }
    // The button of command `id`, or nullptr.
    QToolButton* Button(int32_t id) const;

    // The images of a strip, left to right, with the background grey made
    // transparent; empty when the strip has the wrong size.
    static std::vector<QImage> CutStrip(const QImage& strip);

private:
    std::vector<QImage> m_images;
    std::vector<QAction*> m_buttons;
};
