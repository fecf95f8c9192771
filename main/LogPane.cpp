#include "LogPane.h"

#include <QScrollBar>
#include <QTextBlock>
#include <QTextLayout>

LogPane::LogPane(QWidget* parent)
    : QPlainTextEdit(parent)
{
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // A log grows for a whole evening; keeping an undo step per line would grow with it.
    setUndoRedoEnabled(false);
    // Tab moves on to the next control, as everywhere else on the sheet.
    setTabChangesFocus(true);
}

void LogPane::appendLogLine(const QString& line)
{
    QTextCursor end(document());
    end.movePosition(QTextCursor::End);
    const bool endsInLineBreak = document()->lastBlock().text().isEmpty();
    end.insertText(endsInLineBreak ? line + u'\n' : u'\n' + line);
    // The newest line in view, as in any log. The empty line after a final line break is
    // not worth scrolling for: eight lines, which show no scroll bar, must all stay in view.
    QScrollBar* bar = verticalScrollBar();
    bar->setValue(bar->maximum() - (endsInLineBreak ? 1 : 0));
}

void LogPane::clearLog()
{
    clear();
}

qreal LogPane::lineWidth() const
{
    // The viewport's width as it is laid out with the current scroll-bar setting, worked out
    // from the frame so that it holds before the pane is first shown.
    int width = contentsRect().width();
    if (verticalScrollBarPolicy() == Qt::ScrollBarAlwaysOn)
        width -= verticalScrollBar()->sizeHint().width();
    return width - 2 * document()->documentMargin();
}

int LogPane::displayedLines(int limit) const
{
    const QTextDocument* doc = document();
    // Every block but an empty last one shows at least one line.
    if (doc->blockCount() - 1 > limit)
        return limit + 1;

    const qreal width = lineWidth();
    QTextOption option = doc->defaultTextOption();
    option.setWrapMode(wordWrapMode());
    int lines = 0;
    for (QTextBlock block = doc->begin(); block.isValid() && lines <= limit; block = block.next()) {
        if (block == doc->lastBlock() && block.text().isEmpty())
            break;
        QTextLayout layout(block.text(), font());
        layout.setTextOption(option);
        layout.beginLayout();
        int blockLines = 0;
        while (lines + blockLines <= limit) {
            QTextLine line = layout.createLine();
            if (!line.isValid())
                break;
            line.setLineWidth(width);
            ++blockLines;
        }
        layout.endLayout();
        lines += std::max(blockLines, 1);
    }
    return lines;
}

void LogPane::applyScrollBarRule()
{
    // A narrower text shows more lines, so the setting this picks needs no second look.
    const bool scroll = displayedLines(linesWithoutScrollBar) > linesWithoutScrollBar;
    setVerticalScrollBarPolicy(scroll ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
}
