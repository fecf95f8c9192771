#pragma once

#include <QPlainTextEdit>

// The log: a word-wrapped text box that the rules append lines to and the user may type in.
// It shows a vertical scroll bar while it displays more than eight lines.
class LogPane : public QPlainTextEdit {
    Q_OBJECT

public:
    static constexpr int linesWithoutScrollBar = 8;

    explicit LogPane(QWidget* parent);

    // Adds the line and a line break at the end; when the user has typed after the last
    // line break, the break goes before the line instead.
    void appendLogLine(const QString& line);
    void clearLog();

    // Displayed lines (a wrapped line counts once per displayed line, an empty last line
    // not at all), counted up to limit + 1 only: the log may hold thousands of lines.
    int displayedLines(int limit) const;

    // Shows the vertical scroll bar exactly while more than eight lines are displayed.
    void applyScrollBarRule();

private:
    qreal lineWidth() const;
};
