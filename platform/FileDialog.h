#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <cstdint>

class QWidget;

// The open-file dialog the program lets the user choose pictures with.
//
// A filter is given as the program writes it, "Name|*.a;*.b": one name and
// its patterns. Patterns match without regard to letter case (cameras name
// their files IMG_0001.JPG).
class FileDialog {
public:
    virtual ~FileDialog() = default;
    // Lets the user choose one or more existing files; their full paths in
    // the order chosen, or nothing when the dialog was cancelled.
    virtual QStringList chooseFiles(QWidget* owner, const QString& title,
                                    const QString& filter) = 0;
};

// The user's pictures folder as the desktop names it (XDG_PICTURES_DIR),
// or the home folder when that folder is not there.
QString picturesFolder();

// Answers from a queue, as a test scripts it; an empty queue cancels.
class ScriptedFileDialog final : public FileDialog {
public:
    QStringList chooseFiles(QWidget*, const QString& title, const QString& filter) override {
        titles << title;
        filters << filter;
        return answers.isEmpty() ? QStringList() : answers.takeFirst();
    }
    QList<QStringList> answers;
    QStringList titles;
    QStringList filters;
};

// Codes of the picture file dialog.
namespace dlgerr {
constexpr int32_t InvalidFormat = 20009; // a chosen file is no picture any reader knows
constexpr int32_t Cancelled = 20150;
} // namespace dlgerr

struct FileDialogResult {
    int32_t code = 0; // 0, dlgerr::InvalidFormat or dlgerr::Cancelled
    QStringList paths;
};

// Shows the file dialog of the services for pictures: cancelled, or every
// chosen file a picture format is known for (the content is probed, not
// decoded), or InvalidFormat when any chosen file is not a picture. A file
// whose name is not UTF-8 text is passed on unprobed, for the caller to
// refuse with its reason.
FileDialogResult choosePictureFiles(QWidget* owner, const QString& title, const QString& filter);

// The patterns of every picture format the program reads here, as the
// picture readers available at run time name them, each with its usual
// extensions: "*.bmp;*.gif;*.jpg;*.jpeg;...". Sorted, each once.
QString readablePicturePatterns();

// The filter's patterns as globs that ignore letter case: "*.jpg" gives
// "*.[jJ][pP][gG]". Patterns repeated in the filter are kept once.
QStringList caseFreePatterns(const QString& filter);
// The filter's name, the text before "|".
QString filterName(const QString& filter);
