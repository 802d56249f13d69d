#pragma once

#include "gui/forms/FormKit.h"

#include <QList>
#include <QPixmap>
#include <array>
#include <cstdint>

class QCheckBox;
class QFrame;
class QGroupBox;
class QLabel;
class QPushButton;

// The overview: eight pages that introduce the program, one after the
// other, each with a title, a few sentences and a picture. The control
// panel opens it by itself once per run (while the setting allows) and
// from its Help menu. The check box, shown only on that first automatic
// opening, switches the automatic opening off; Close saves the choice with
// the other settings, the title bar's close box saves nothing. Either way
// the window closes itself; nothing is read back.
class frmOverview : public FormDialog {
    Q_OBJECT
public:
    explicit frmOverview(QWidget* parent = nullptr);

    // Where the window opens, in twips; both 0 centre it on the screen.
    // Wider than a twips position needs: a panel far to the right or low
    // on a large desktop gives values beyond 32767.
    int32_t FormTop = 0;
    int32_t FormLeft = 0;

    QGroupBox* Frame3;
    QWidget* picHolder;
    QLabel* Image1; // the banner
    QFrame* Line1;
    QFrame* Line3;
    QLabel* lblCount;
    QLabel* lblContinue;
    QLabel* imgMain;
    // The seven pictures of the pages, 1 to 7 at indices 0 to 6.
    std::array<QPixmap, 7> ImageList;
    // One page per topic, topic - 1.
    std::array<QFrame*, 8> fraHolder{};
    // Each page's title, by topic - 1.
    std::array<QLabel*, 8> Headers{};
    // The texts of every page, in order.
    QList<QLabel*> Labels;
    // The bullets before texts.
    QList<QWidget*> Shape1;
    QLabel* Image2; // the add-pictures button, on page 4
    QLabel* Image3; // the schedule button, on page 7
    QLabel* lblEmail;
    QLabel* lblWebSite;
    QPushButton* cmdPrev;
    QPushButton* cmdNext;
    QPushButton* cmdClose;
    QCheckBox* chkDontShow;

    // Shows a topic; one outside 1..8 is brought into it, and the topic
    // passed is corrected too.
    void ShowOverviewTopic(int16_t& topic);
    void cmdNext_Click();
    void cmdPrev_Click();
    void cmdClose_Click();

    // The topic on show.
    int16_t currentTopic() const { return CurrentTopic; }

protected:
    void Form_Load() override;

private:
    QFrame* makePage(int topic);

    int16_t CurrentTopic = 1;
};
