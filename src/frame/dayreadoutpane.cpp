#include "frame/dayreadoutpane.h"

CDayReadoutPane::CDayReadoutPane(QWidget* parent) : QLabel(parent)
{
    setObjectName(QStringLiteral("dayReadout"));
    setTextFormat(Qt::PlainText);
    setFrameShape(QFrame::Panel);
    setFrameShadow(QFrame::Sunken);
}

void CDayReadoutPane::ShowReadout(const QString& readout)
{
    setText(readout);
}
