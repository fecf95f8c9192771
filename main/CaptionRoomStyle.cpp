#include "CaptionRoomStyle.h"

#include <QStyleOptionButton>
#include <QWidget>

void CaptionRoomStyle::drawControl(ControlElement element, const QStyleOption* option,
                                   QPainter* painter, const QWidget* widget) const
{
    const auto* button = qstyleoption_cast<const QStyleOptionButton*>(option);
    if (element != CE_PushButtonLabel || !button || !widget)
        return QProxyStyle::drawControl(element, option, painter, widget);
    QStyleOptionButton wider = *button;
    const int frame = pixelMetric(PM_DefaultFrameWidth, option, widget);
    wider.rect = widget->rect().adjusted(frame, frame, -frame, -frame);
    QProxyStyle::drawControl(element, &wider, painter, widget);
}
