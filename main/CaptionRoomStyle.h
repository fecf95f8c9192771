#pragma once

#include <QProxyStyle>

// Windows' native style keeps the theme's margin inside a push button's frame, which leaves
// "Defence Roll" too little room in the sheet's 75-pixel buttons and cuts its last letter:
// the caption may use the whole face inside the frame, still centred.
class CaptionRoomStyle : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;

    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override;
};
