#pragma once

#include <QWidget>

class QFrame;
class QLabel;

// The window shown while the program starts by hand: the product, its
// version and the maker. Any key or a click on it takes it down early.
class frmSplash : public QWidget {
    Q_OBJECT
public:
    explicit frmSplash(QWidget* parent = nullptr);

    QFrame* Frame1;
    QLabel* Image1;
    QLabel* imgLogo;
    QLabel* lblCompanyProduct;
    QLabel* lblVersion;
    QLabel* Label1;

    void Frame1_Click();

    // "Version " and the program's major, minor and revision numbers.
    static QString versionText(int major, int minor, int revision);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
};
