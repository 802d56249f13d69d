#pragma once

#include <QByteArray>
#include <QDialog>
#include <QIcon>
#include <QKeySequence>
#include <QObject>
#include <QRect>
#include <QSize>
#include <QString>
#include <cstdint>
#include <functional>
#include <utility>

class QAbstractButton;
class QAction;
class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QMenuBar;
class QPushButton;
class QRadioButton;
class QWidget;

// How the program's windows are built. Every control is created with the
// name its form gives it as objectName (tests find controls by it), sizes
// given in twips go through the Screen service, and every event handler
// runs behind a guard that turns a run-time error into the error window.

// The program's icon, in every size the tray and windows ask for.
QIcon programIcon();

namespace kit {

// Twips to device pixels, across and down (the screen's twips per pixel).
int px(int twips);
int pxY(int twips);
// Device pixels to twips.
int twipsX(int pixels);
int twipsY(int pixels);
QRect twipsRect(int left, int top, int width, int height);
// Puts a control at a place and size given in twips.
void place(QWidget* control, int left, int top, int width, int height);
QSize twipsSize(int width, int height);

// Names a window, gives it its caption, the program icon and its help
// context number (what the Help key and Help commands open), and, when it
// is a window of its own, the Help key.
void initForm(QWidget* form, const char* name, const QString& caption, int32_t helpContextId = 0);
void setHelpContextId(QWidget* widget, int32_t id);
// The help context of the widget's window; 0 when none is set.
int32_t helpContextId(const QWidget* widget);
// For a window without a help context of its own: the section of the help's
// contents that covers it ("options"), which the Help key opens instead.
void setHelpSection(QWidget* window, const QString& section);
QString helpSection(const QWidget* widget);

// Gives a window the Help key (F1), wherever the focus is inside it. A
// window has it once, however often this is called.
void giveHelpKey(QWidget* window);
// What the Help key does: the help page of the widget's help context, else
// its window's section of the contents, else the contents page. Without a help file nothing
// happens; a page that can't be shown is reported with the error's own text.
void showContextHelp(const QWidget* widget);
// The objectName of one control of a control array: "optType(2)".
QByteArray indexedName(const char* name, int index);

// Creates a control of type W with its objectName; the arguments go before
// the parent, as Qt's constructors take them (QLabel(text, parent)).
template <class W, class... Args> W* make(QWidget* parent, const char* name, Args&&... args) {
    auto* w = new W(std::forward<Args>(args)..., parent);
    w->setObjectName(QString::fromLatin1(name));
    return w;
}

QPushButton* button(QWidget* parent, const char* name, const QString& caption);
// A button that shows a picture and a tool tip instead of a caption.
QPushButton* pictureButton(QWidget* parent, const char* name, const QIcon& picture,
                           const QString& toolTip);
// Labels show their text as it is: never rich text.
QLabel* label(QWidget* parent, const char* name, const QString& text = QString());
// A label that breaks its text into lines to fit its width.
QLabel* wrappedLabel(QWidget* parent, const char* name, const QString& text = QString());
// A label that shows a picture.
QLabel* picture(QWidget* parent, const char* name);
QCheckBox* checkBox(QWidget* parent, const char* name, const QString& caption);
QRadioButton* option(QWidget* parent, const char* name, const QString& caption);
QLineEdit* textBox(QWidget* parent, const char* name);
QComboBox* comboBox(QWidget* parent, const char* name);
// A frame with a caption, or a plain one when the caption is empty.
QGroupBox* frame(QWidget* parent, const char* name, const QString& caption = QString());
// An etched line across (horizontal) or down.
QFrame* line(QWidget* parent, const char* name, bool horizontal);

// A caption with "&" access keys as a label without an access key shows
// it: "&&" becomes "&" and a single "&" goes.
QString withoutAccessKeys(const QString& caption);

// Menus: the bar's menus, items with their captions ("&" marks the access
// key) and shortcut keys, separators and submenus, each named.
QMenu* menu(QMenuBar* bar, const char* name, const QString& caption);
QAction* menuItem(QMenu* menu, const char* name, const QString& caption,
                  const QKeySequence& shortcut = QKeySequence());
QAction* menuSeparator(QMenu* menu, const char* name);
QMenu* subMenu(QMenu* menu, const char* name, const QString& caption);

// Runs an event handler. A run-time error (or any other exception) that
// leaves it is shown in the error window with an empty title; nothing
// crosses the event loop.
void guarded(const std::function<void()>& handler);
// The same, with the error window's title.
void guarded(const QString& errorTitle, const std::function<void()>& handler);

// Whether a command of `context`'s window may run now. While long work
// runs (ProgramIsBusy) a command does nothing, so that the list never
// changes under the work; a menu item the click ticked or unticked gets
// its old state back, since the click changed nothing. The controls of a
// modal window still work: it is the window the program waits on, and no
// other window takes input while it is open.
bool commandMayRun(QObject* sender, QObject* context);

// The one way a command is connected: every menu item, button and timer
// of every window. The handler of the form (no arguments) runs when
// commandMayRun allows, behind the guard.
template <class Sender, class Signal, class Form>
QMetaObject::Connection on(Sender* sender, Signal signal, Form* form, void (Form::*handler)()) {
    return QObject::connect(sender, signal, form, [sender, form, handler] {
        if (commandMayRun(sender, form))
            guarded([&] { (form->*handler)(); });
    });
}
// The same with any callable; the signal's arguments are passed on.
template <class Sender, class Signal, class Fn>
QMetaObject::Connection onCall(Sender* sender, Signal signal, QObject* context, Fn fn) {
    return QObject::connect(sender, signal, context, [sender, context, fn](auto&&... args) {
        if (commandMayRun(sender, context))
            guarded([&] { fn(std::forward<decltype(args)>(args)...); });
    });
}

} // namespace kit

// A modal dialog of the program. The caller creates it, sets its public
// fields and calls showModal(); the load steps (Form_Load) run when it is
// shown, after the fields were set. OK and Cancel hide the dialog, which
// ends the modal show; the caller then reads the fields and deletes it.
//
// Escape presses the cancel button, when the dialog has one. A click on
// the title bar's close box calls titleBarClose(), which by default does
// the same; a dialog whose close means something else overrides it.
// F1 opens the help page of the dialog's help context.
class FormDialog : public QDialog {
    Q_OBJECT
public:
    explicit FormDialog(QWidget* parent = nullptr);

    // Shows the dialog modally, centred on the screen unless its load steps
    // place it, and returns once it is hidden.
    void showModal();

    // The button Escape presses; the button Enter presses.
    void setCancelButton(QAbstractButton* button) { cancelButton_ = button; }
    void setDefaultButton(QPushButton* button);
    QAbstractButton* cancelButton() const { return cancelButton_; }

protected:
    // The dialog's load steps, run once, when the dialog is first shown.
    virtual void Form_Load() {}
    // A click on the close box of the title bar: the cancel button, or
    // without one the dialog just hides.
    virtual void titleBarClose();

    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    // Escape.
    void reject() override;

private:
    QAbstractButton* cancelButton_ = nullptr;
    bool loaded_ = false;
};
