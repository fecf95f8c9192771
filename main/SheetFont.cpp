#include "SheetFont.h"

#include <QFontDatabase>
#include <QStringList>

#include <algorithm>

using namespace Qt::StringLiterals;

QFont sheetFont()
{
    // Picking the first installed face here spares the font matcher a fallback search for
    // every face the machine lacks.
    const QStringList faces = {u"ＭＳ Ｐゴシック"_s, u"MS PGothic"_s, u"IPAPGothic"_s, u"IPAGothic"_s,
                               u"VL PGothic"_s, u"Noto Sans CJK JP"_s, u"TakaoPGothic"_s};
    QFont font;
    const auto installed = std::find_if(faces.begin(), faces.end(), [](const QString& face) {
        return QFontDatabase::hasFamily(face);
    });
    font.setFamilies(installed != faces.end() ? QStringList{*installed} : faces);
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(12);
    return font;
}
