#include "gui/forms/WrappingLabel.h"

#include <QPainter>
#include <QTextLayout>
#include <QTextOption>
#include <cmath>

namespace {

// The text with its line breaks as the layout takes them.
QString withLineSeparators(QString text) {
    text.replace(QStringLiteral("\r\n"), QString(QChar::LineSeparator));
    text.replace(u'\n', QChar::LineSeparator);
    text.replace(u'\r', QChar::LineSeparator);
    return text;
}

// Lays the text out in lines of `width` pixels; returns the height used.
qreal layOut(QTextLayout& layout, int width) {
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    layout.beginLayout();
    qreal y = 0;
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(std::max(1, width));
        line.setPosition(QPointF(0, y));
        y += line.height();
    }
    layout.endLayout();
    return y;
}

} // namespace

WrappingLabel::WrappingLabel(const QString& text, QWidget* parent) : QLabel(text, parent) {
    setTextFormat(Qt::PlainText);
    setWordWrap(true);
    QSizePolicy policy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    policy.setHeightForWidth(true);
    setSizePolicy(policy);
}

QSize WrappingLabel::chrome() const {
    const QMargins m = contentsMargins();
    const int around = 2 * margin();
    return QSize(m.left() + m.right() + around, m.top() + m.bottom() + around);
}

int WrappingLabel::heightForWidth(int width) const {
    QTextLayout layout(withLineSeparators(text()), font());
    const qreal height = layOut(layout, width - chrome().width());
    return static_cast<int>(std::ceil(height)) + chrome().height();
}

int WrappingLabel::widestLine() const {
    const QFontMetrics metrics(font());
    int widest = 0;
    for (const QString& line : withLineSeparators(text()).split(QChar::LineSeparator))
        widest = std::max(widest, metrics.horizontalAdvance(line));
    return widest + chrome().width();
}

QSize WrappingLabel::sizeHint() const {
    // As wide as the longest line, but never so wide that a long path
    // pushes its window off the screen: the window gives the width, the
    // height follows.
    const QFontMetrics metrics(font());
    const int width = std::min(widestLine(), 40 * metrics.averageCharWidth() + chrome().width());
    return QSize(width, heightForWidth(width));
}

QSize WrappingLabel::minimumSizeHint() const {
    const QFontMetrics metrics(font());
    return QSize(4 * metrics.averageCharWidth() + chrome().width(),
                 metrics.height() + chrome().height());
}

QStringList WrappingLabel::wrappedLines(int width) const {
    const QString text = withLineSeparators(this->text());
    QTextLayout layout(text, font());
    layOut(layout, width);
    QStringList lines;
    for (int i = 0; i < layout.lineCount(); ++i) {
        const QTextLine line = layout.lineAt(i);
        lines << text.mid(line.textStart(), line.textLength());
    }
    return lines;
}

void WrappingLabel::paintEvent(QPaintEvent*) {
    const QRect room =
        contentsRect().marginsRemoved(QMargins(margin(), margin(), margin(), margin()));
    QTextLayout layout(withLineSeparators(text()), font());
    layOut(layout, room.width());
    QPainter painter(this);
    painter.setPen(
        palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, foregroundRole()));
    layout.draw(&painter, room.topLeft());
}
