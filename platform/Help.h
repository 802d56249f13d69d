#pragma once

#include <QList>
#include <QString>
#include <cstdint>

// The program's help: HTML pages in one folder, opened with the desktop's
// handler for web pages. The help file the program names is the folder's
// contents page; beside it lie the index page and one page per help
// context number ("topic-5.html" for context 5).

// What the help is asked to show.
namespace helpcmd {
constexpr uint32_t Context = 1;      // the page of a help context number (the data)
constexpr uint32_t Tab = 15;         // the contents
constexpr uint32_t PartialKey = 261; // the index
} // namespace helpcmd

// The page that a command shows, for the help whose contents page is
// helpFile; empty for a command the help does not know.
QString helpPage(const QString& helpFile, uint32_t command, int32_t data);

class Help {
public:
    virtual ~Help() = default;
    // Shows a page of the help whose contents page is helpFile. Returns 0
    // once the page is handed to the desktop, else the run-time error
    // number: 53 when the page is not there, 75 when it is not a readable
    // file or the desktop cannot open it, 5 for an unknown command.
    virtual int show(const QString& helpFile, uint32_t command, int32_t data) = 0;
    // Shows the section of the contents page whose anchor is `section`
    // (contents.html#options), for a window that has no page of its own.
    // Answers as show() does.
    virtual int showSection(const QString& helpFile, const QString& section) = 0;
};

// Opens the page through the Shell service.
class DesktopHelp final : public Help {
public:
    int show(const QString& helpFile, uint32_t command, int32_t data) override;
    int showSection(const QString& helpFile, const QString& section) override;
};

// Notes each request and answers as told.
class RecordingHelp final : public Help {
public:
    struct Request {
        QString helpFile;
        uint32_t command;
        int32_t data;
        QString section; // for showSection, where command and data are 0
    };
    int show(const QString& helpFile, uint32_t command, int32_t data) override {
        requests.append(Request{helpFile, command, data, QString()});
        return result;
    }
    int showSection(const QString& helpFile, const QString& section) override {
        requests.append(Request{helpFile, 0, 0, section});
        return result;
    }
    QList<Request> requests;
    int result = 0;
};
