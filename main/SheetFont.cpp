#include "SheetFont.h"

#include <QStringList>

using namespace Qt::StringLiterals;

QFont sheetFont()
{
    QFont font;
    font.setFamilies(QStringList{u"ＭＳ Ｐゴシック"_s, u"MS PGothic"_s, u"IPAPGothic"_s, u"IPAGothic"_s,
                      u"VL PGothic"_s, u"Noto Sans CJK JP"_s, u"TakaoPGothic"_s});
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(12);
    return font;
}
