#pragma once

#include "platform/ProcessRunner.h"

#include <QList>
#include <QStringList>

// Records every command and answers from a table: a command with the
// `failOn` argument fails with "No such key", and "list-keys" gives `keys`.
class RecordingRunner final : public ProcessRunner {
public:
    Result run(const QString& program, const QStringList& arguments, int) override {
        commands.append(QStringList{program} + arguments);
        Result r;
        r.exitCode = arguments.contains(failOn) ? 1 : 0;
        if (r.exitCode != 0)
            r.errors = "No such key";
        if (arguments.value(0) == u"list-keys")
            r.output = keys.join(u'\n').toUtf8();
        return r;
    }
    bool available(const QString& program) const override { return installed.contains(program); }

    // The value given to a key by the last "gsettings set" of it.
    QString valueOf(const QString& key) const {
        QString value;
        for (const QStringList& c : commands)
            if (c.value(1) == u"set" && c.value(3) == key)
                value = c.value(4);
        return value;
    }
    QStringList setKeys() const {
        QStringList out;
        for (const QStringList& c : commands)
            if (c.value(1) == u"set")
                out << c.value(3);
        return out;
    }

    QList<QStringList> commands;
    QStringList installed{QStringLiteral("gsettings")};
    QStringList keys{QStringLiteral("picture-uri"), QStringLiteral("picture-uri-dark"),
                     QStringLiteral("picture-options"), QStringLiteral("primary-color")};
    QString failOn = QStringLiteral("\x01");
};
