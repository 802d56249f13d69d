#include "gui/forms/FormKit.h"

#include "engine/ErrorWindow.h"
#include "engine/ProgramBusy.h"
#include "engine/ProgramResources.h"
#include "engine/ProgramState.h"
#include "gui/FormHelpers.h"
#include "platform/Help.h"
#include "platform/Screen.h"
#include "platform/Services.h"
#include "runtime/RuntimeError.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QShowEvent>
#include <QVariant>
#include <exception>
#include <new>

namespace {

const char* const kHelpContextProperty = "helpContextId";
const char* const kHelpKeyName = "helpKey";
const char* const kHelpSectionProperty = "helpSection";

const Screen& screen() {
    return *services().screen;
}

} // namespace

QIcon programIcon() {
    initProgramResources();
    QIcon icon;
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/icons/tapestrel-%1.png").arg(size), QSize(size, size));
    return icon;
}

namespace kit {

int px(int twips) {
    return twips / screen().twipsPerPixelX();
}

int pxY(int twips) {
    return twips / screen().twipsPerPixelY();
}

int twipsX(int pixels) {
    return pixels * screen().twipsPerPixelX();
}

int twipsY(int pixels) {
    return pixels * screen().twipsPerPixelY();
}

QRect twipsRect(int left, int top, int width, int height) {
    return QRect(px(left), pxY(top), px(width), pxY(height));
}

void place(QWidget* control, int left, int top, int width, int height) {
    control->setGeometry(twipsRect(left, top, width, height));
}

QSize twipsSize(int width, int height) {
    return QSize(px(width), pxY(height));
}

void initForm(QWidget* form, const char* name, const QString& caption, int32_t helpContextId) {
    form->setObjectName(QString::fromLatin1(name));
    form->setWindowTitle(caption);
    form->setWindowIcon(programIcon());
    setHelpContextId(form, helpContextId);
    if (form->isWindow())
        giveHelpKey(form);
}

QByteArray indexedName(const char* name, int index) {
    return QByteArray(name) + '(' + QByteArray::number(index) + ')';
}

void setHelpContextId(QWidget* widget, int32_t id) {
    widget->setProperty(kHelpContextProperty, id);
}

int32_t helpContextId(const QWidget* widget) {
    for (const QWidget* w = widget; w; w = w->parentWidget()) {
        const QVariant id = w->property(kHelpContextProperty);
        if (id.isValid() && id.toInt() != 0)
            return id.toInt();
        if (w->isWindow())
            break;
    }
    return 0;
}

void setHelpSection(QWidget* window, const QString& section) {
    window->setProperty(kHelpSectionProperty, section);
}

QString helpSection(const QWidget* widget) {
    const QWidget* window = widget ? widget->window() : nullptr;
    return window ? window->property(kHelpSectionProperty).toString() : QString();
}

void giveHelpKey(QWidget* window) {
    // Two keys for the same window would each keep the other from acting.
    if (window->findChild<QShortcut*>(QString::fromLatin1(kHelpKeyName),
                                      Qt::FindDirectChildrenOnly))
        return;
    auto* key = new QShortcut(QKeySequence(Qt::Key_F1), window);
    key->setObjectName(QString::fromLatin1(kHelpKeyName));
    key->setContext(Qt::WindowShortcut);
    QObject::connect(key, &QShortcut::activated, window, [window] {
        // The control with the focus may carry a help context of its own.
        const QWidget* focus = QApplication::focusWidget();
        const QWidget* asked = focus && window->isAncestorOf(focus) ? focus : window;
        guarded([asked] { showContextHelp(asked); });
    });
}

void showContextHelp(const QWidget* widget) {
    Help* help = services().help;
    if (ProgramHelpFile.isEmpty() || !help)
        return;
    const int32_t context = helpContextId(widget);
    const QString section = helpSection(widget);
    const int error = context != 0         ? help->show(ProgramHelpFile, helpcmd::Context, context)
                      : !section.isEmpty() ? help->showSection(ProgramHelpFile, section)
                                           : help->show(ProgramHelpFile, helpcmd::Tab, 0);
    if (error != 0)
        ShowErrorMessage(standardErrorText(error), 0, QString());
}

QPushButton* button(QWidget* parent, const char* name, const QString& caption) {
    return make<QPushButton>(parent, name, caption);
}

QPushButton* pictureButton(QWidget* parent, const char* name, const QIcon& picture,
                           const QString& toolTip) {
    auto* b = make<QPushButton>(parent, name);
    b->setIcon(picture);
    b->setToolTip(toolTip);
    return b;
}

QLabel* label(QWidget* parent, const char* name, const QString& text) {
    auto* l = make<QLabel>(parent, name, text);
    l->setTextFormat(Qt::PlainText);
    return l;
}

QLabel* wrappedLabel(QWidget* parent, const char* name, const QString& text) {
    QLabel* l = label(parent, name, text);
    l->setWordWrap(true);
    return l;
}

QLabel* picture(QWidget* parent, const char* name) {
    return make<QLabel>(parent, name);
}

QCheckBox* checkBox(QWidget* parent, const char* name, const QString& caption) {
    return make<QCheckBox>(parent, name, caption);
}

QRadioButton* option(QWidget* parent, const char* name, const QString& caption) {
    return make<QRadioButton>(parent, name, caption);
}

QLineEdit* textBox(QWidget* parent, const char* name) {
    return make<QLineEdit>(parent, name);
}

QComboBox* comboBox(QWidget* parent, const char* name) {
    return make<QComboBox>(parent, name);
}

QGroupBox* frame(QWidget* parent, const char* name, const QString& caption) {
    return make<QGroupBox>(parent, name, caption);
}

QFrame* line(QWidget* parent, const char* name, bool horizontal) {
    auto* l = make<QFrame>(parent, name);
    l->setFrameShape(horizontal ? QFrame::HLine : QFrame::VLine);
    l->setFrameShadow(QFrame::Sunken);
    return l;
}

QString withoutAccessKeys(const QString& caption) {
    QString out;
    out.reserve(caption.size());
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption[i] == u'&') {
            if (i + 1 < caption.size() && caption[i + 1] == u'&')
                out += u'&';
            else
                continue;
            ++i;
            continue;
        }
        out += caption[i];
    }
    return out;
}

QMenu* menu(QMenuBar* bar, const char* name, const QString& caption) {
    QMenu* m = bar->addMenu(caption);
    m->setObjectName(QString::fromLatin1(name));
    m->menuAction()->setObjectName(QString::fromLatin1(name));
    return m;
}

QAction* menuItem(QMenu* menu, const char* name, const QString& caption,
                  const QKeySequence& shortcut) {
    QAction* a = menu->addAction(caption);
    a->setObjectName(QString::fromLatin1(name));
    if (!shortcut.isEmpty())
        a->setShortcut(shortcut);
    return a;
}

QAction* menuSeparator(QMenu* menu, const char* name) {
    QAction* a = menu->addSeparator();
    a->setObjectName(QString::fromLatin1(name));
    return a;
}

QMenu* subMenu(QMenu* menu, const char* name, const QString& caption) {
    QMenu* sub = menu->addMenu(caption);
    sub->setObjectName(QString::fromLatin1(name));
    sub->menuAction()->setObjectName(QString::fromLatin1(name));
    return sub;
}

bool commandMayRun(QObject* sender, QObject* context) {
    if (!ProgramIsBusy())
        return true;
    const auto* widget = qobject_cast<const QWidget*>(context);
    if (widget && widget->window()->isModal() && widget->window()->isVisible())
        return true;
    if (auto* action = qobject_cast<QAction*>(sender); action && action->isCheckable())
        action->setChecked(!action->isChecked());
    return false;
}

void guarded(const std::function<void()>& handler) {
    guarded(QString(), handler);
}

void guarded(const QString& errorTitle, const std::function<void()>& handler) {
    try {
        handler();
    } catch (const RuntimeError& e) {
        ShowErrorMessage(e.description(), 0, errorTitle);
    } catch (const std::bad_alloc&) {
        ShowErrorMessage(standardErrorText(vberr::OutOfMemory), 0, errorTitle);
    } catch (const std::exception& e) {
        ShowErrorMessage(QString::fromLocal8Bit(e.what()), 0, errorTitle);
    }
}

} // namespace kit

FormDialog::FormDialog(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                          Qt::MSWindowsFixedSizeDialogHint) {
    setWindowIcon(programIcon());
    kit::giveHelpKey(this);
}

void FormDialog::showModal() {
    exec();
}

void FormDialog::setDefaultButton(QPushButton* button) {
    button->setDefault(true);
}

void FormDialog::showEvent(QShowEvent* event) {
    if (!loaded_) {
        loaded_ = true;
        kit::guarded([this] {
            CenterForm(this, 1);
            Form_Load();
        });
    }
    QDialog::showEvent(event);
}

void FormDialog::closeEvent(QCloseEvent* event) {
    if (!isVisible()) {
        event->accept();
        return;
    }
    // The window stays unless the handler hides it.
    event->ignore();
    kit::guarded([this] { titleBarClose(); });
}

void FormDialog::titleBarClose() {
    if (cancelButton_)
        cancelButton_->click();
    else
        hide();
}

void FormDialog::reject() {
    if (cancelButton_ && cancelButton_->isVisible() && cancelButton_->isEnabled())
        cancelButton_->click();
}
