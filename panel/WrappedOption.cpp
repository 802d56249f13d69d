#include "panel/WrappedOption.h"

#include <QFontMetrics>
#include <QStyleOptionButton>
#include <QStylePainter>

namespace {

constexpr int kTextFlags = Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignTop;

} // namespace

WrappedOption::WrappedOption(const QString& caption, QWidget* parent)
    : QRadioButton(caption, parent) {
    QSizePolicy policy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    policy.setHeightForWidth(true);
    setSizePolicy(policy);
}

int WrappedOption::indicatorWidth() const {
    return style()->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth, nullptr, this) +
           style()->pixelMetric(QStyle::PM_RadioButtonLabelSpacing, nullptr, this);
}

QRect WrappedOption::captionRect(int width) const {
    const int left = indicatorWidth();
    const QRect bounds = fontMetrics().boundingRect(QRect(left, 0, qMax(1, width - left), 10000),
                                                    kTextFlags, text());
    return QRect(left, 0, qMax(1, width - left), bounds.height());
}

int WrappedOption::heightForWidth(int width) const {
    const int indicator = style()->pixelMetric(QStyle::PM_ExclusiveIndicatorHeight, nullptr, this);
    return qMax(indicator, captionRect(width).height()) + 2;
}

QSize WrappedOption::sizeHint() const {
    const QSize oneLine = QRadioButton::sizeHint();
    return QSize(oneLine.width(), heightForWidth(oneLine.width()));
}

QSize WrappedOption::minimumSizeHint() const {
    return QSize(indicatorWidth() + fontMetrics().averageCharWidth() * 10,
                 QRadioButton::minimumSizeHint().height());
}

void WrappedOption::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    const int indicatorHeight =
        style()->pixelMetric(QStyle::PM_ExclusiveIndicatorHeight, nullptr, this);
    const int lineHeight = fontMetrics().height();
    option.rect = QRect(0, qMax(0, (lineHeight - indicatorHeight) / 2),
                        style()->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth, nullptr, this),
                        indicatorHeight);
    painter.drawPrimitive(QStyle::PE_IndicatorRadioButton, option);
    const QRect caption = captionRect(width());
    painter.setPen(
        palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::WindowText));
    painter.drawText(caption, kTextFlags, text());
    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = caption.adjusted(-1, 0, 1, 0);
        painter.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
    }
}

bool WrappedOption::hitButton(const QPoint& pos) const {
    return rect().contains(pos);
}
