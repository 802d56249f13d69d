#pragma once

#include <QRadioButton>

// An option button whose caption breaks into lines to fit its width, for
// captions longer than a dialog is wide. text() is the caption as given.
class WrappedOption : public QRadioButton {
    Q_OBJECT
public:
    WrappedOption(const QString& caption, QWidget* parent);

    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    bool hitButton(const QPoint& pos) const override;

private:
    // Where the caption is drawn, for a button of the given width.
    QRect captionRect(int width) const;
    int indicatorWidth() const;
};
