#pragma once

#include <QObject>
#include <cstdint>
#include <functional>
#include <optional>

class QKeyEvent;
class QLineEdit;

namespace kit {

// How many digits a numeric box takes before and after the decimal
// separator (-1: any number), as FilterNumericKey counts them.
struct DigitLimits {
    int16_t integerDigits = -1;
    int16_t decimalDigits = -1;
};

// What Enter does in a numeric box.
enum class EnterKey {
    // It reaches the dialog, so that the default button takes it.
    ToDialog,
    // It goes through the numeric filter like a typed key, which refuses it.
    Filtered,
};

// The focus and the keys of a dialog's text box, one way for every dialog:
// - the focus arriving selects the whole text (also when a mouse click
//   brought it), so that typing replaces it;
// - in a numeric box (one given digit limits) each typed character goes
//   through FilterNumericKey with those limits and is dropped when refused.
//   Keys that type nothing (arrows, Delete) and keys held with Ctrl, Alt or
//   Meta (Ctrl+V pastes) are no characters and pass; a character beyond
//   Latin-1 counts as "?". Enter does as `enter` says;
// - lostFocus, when set, runs as the focus leaves.
// Installed on the box and owned by it.
class TextBoxEvents final : public QObject {
public:
    explicit TextBoxEvents(QLineEdit* box, std::optional<DigitLimits> digits = std::nullopt,
                           EnterKey enter = EnterKey::ToDialog);

    std::function<void()> lostFocus;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // True when the key is refused.
    bool refuses(const QKeyEvent& key) const;

    QLineEdit* box_;
    std::optional<DigitLimits> digits_;
    EnterKey enter_;
};

// Selects the box's whole text, also when the focus came with a mouse
// click (whose press would otherwise put the caret down afterwards).
void selectWholeText(QLineEdit* box);

} // namespace kit
