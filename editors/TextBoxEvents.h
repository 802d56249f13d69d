#pragma once

#include <QObject>
#include <cstdint>
#include <functional>

class QLineEdit;

// The focus and typing events of a text box as the forms handle them: a
// handler when the box gets and loses the focus, and one that sees each
// typed character first (as its character code) and may refuse it by
// setting the code to 0. Keys that type nothing (arrows, Delete) pass.
class TextBoxEvents final : public QObject {
public:
    explicit TextBoxEvents(QLineEdit* box);

    std::function<void()> gotFocus;
    std::function<void()> lostFocus;
    std::function<void(int16_t& keyAscii)> keyPress;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLineEdit* box_;
};

// Selects the box's whole text, also when the focus came with a mouse
// click (whose press would otherwise put the caret down afterwards).
void selectWholeText(QLineEdit* box);
