#pragma once

#include <QLabel>

// The status-bar pane that shows the selected day's readout. It stands left
// of the lock-key panes and, unlike the message pane, stays while a prompt
// is shown.
class CDayReadoutPane : public QLabel {
    Q_OBJECT
public:
    explicit CDayReadoutPane(QWidget* parent = nullptr);

    void ShowReadout(const QString& readout);
};
