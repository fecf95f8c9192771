#include "SheetFont.h"

#include <QFontDatabase>
#include <QStringList>

#include <algorithm>

using namespace Qt::StringLiterals;

QFont sheetFont()
{
    // Picking the first installed face here spares the font matcher a fallback search for
    // every face the machine lacks; reading the installed list once is cheaper than asking
    // the matcher about each face in turn. The last face is the one the web page brings.
    const QStringList faces = {u"ＭＳ Ｐゴシック"_s, u"MS PGothic"_s,         u"IPAPGothic"_s,
                               u"IPAGothic"_s,       u"VL PGothic"_s,         u"Noto Sans CJK JP"_s,
                               u"TakaoPGothic"_s,    u"Combat Sheet Gothic"_s};
    const QStringList installed = QFontDatabase::families();
    const auto first = std::find_if(faces.begin(), faces.end(), [&](const QString& face) {
        return installed.contains(face, Qt::CaseInsensitive);
    });
    QFont font;
    font.setFamilies(first != faces.end() ? QStringList{*first} : faces);
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(12);
    // The bytecode hinter snaps these captions to the pixel grid more crisply than the
    // automatic one, which would also study the whole CJK face before drawing a glyph.
    font.setHintingPreference(QFont::PreferFullHinting);
    return font;
}
