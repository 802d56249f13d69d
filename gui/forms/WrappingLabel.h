#pragma once

#include <QLabel>
#include <QStringList>

// A label for plain text that wraps at the blanks and, where one word is
// wider than the label (a long path), inside the word: no part of the text
// is ever cut off at the side. A line break in the text (CR LF or LF)
// starts a new line. Its height follows its width, as for a wrapped QLabel.
class WrappingLabel : public QLabel {
    Q_OBJECT
public:
    explicit WrappingLabel(const QString& text, QWidget* parent = nullptr);

    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

    // The width of the longest line of the text unwrapped, with the room
    // around it.
    int widestLine() const;
    // The text as it is laid out in lines of `width` pixels of text.
    QStringList wrappedLines(int width) const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    // The room around the text: the frame, the margin and the contents
    // margins, across and down.
    QSize chrome() const;
};
