#include "platform/Registry.h"

#include "platform/InstalledPrograms.h"

#include <QStringDecoder>

#include <cerrno>

namespace winerr {
int fromErrno(int err) {
    switch (err) {
    case 0:
        return Success;
    case ENOENT:
        return PathNotFound;
    case ENOSPC:
    case EDQUOT:
        return DiskFull;
    case EACCES:
    case EPERM:
    case EROFS:
    default:
        return AccessDenied;
    }
}
} // namespace winerr

namespace {

QString normalKey(QString path) {
    path.replace(u'/', u'\\');
    while (path.startsWith(u'\\'))
        path.remove(0, 1);
    while (path.endsWith(u'\\'))
        path.chop(1);
    return path;
}

QString escape(const QString& s) {
    QString out;
    out.reserve(s.size() + 8);
    for (QChar c : s) {
        if (c == u'\\')
            out += QStringLiteral("\\\\");
        else if (c == u'"')
            out += QStringLiteral("\\\"");
        else if (c == u'\n')
            out += QStringLiteral("\\n");
        else if (c == u'\r')
            out += QStringLiteral("\\r");
        else if (c == QChar(0))
            out += QStringLiteral("\\0");
        else
            out += c;
    }
    return out;
}

// Reads a quoted string starting at line[pos] == '"'; pos ends after the
// closing quote.
bool unquote(const QString& line, qsizetype& pos, QString& out) {
    if (pos >= line.size() || line[pos] != u'"')
        return false;
    ++pos;
    out.clear();
    while (pos < line.size()) {
        const QChar c = line[pos++];
        if (c == u'"')
            return true;
        if (c == u'\\') {
            if (pos >= line.size())
                return false;
            const QChar e = line[pos++];
            if (e == u'\\' || e == u'"')
                out += e;
            else if (e == u'n')
                out += u'\n';
            else if (e == u'r')
                out += u'\r';
            else if (e == u'0')
                out += QChar(0);
            else
                return false;
        } else {
            out += c;
        }
    }
    return false;
}

} // namespace

QStringList systemInformationPrograms() {
    // KDE's information centre, then the hardware profilers that other
    // desktops install. GNOME's own overview is a page of its settings
    // program and opens only when named on the command line, so it is not
    // among them.
    return {QStringLiteral("kinfocenter"), QStringLiteral("hardinfo2"), QStringLiteral("hardinfo"),
            QStringLiteral("cpu-x")};
}

std::optional<QString> Registry::answeredValue(Hive hive, const QString& key,
                                               const QString& name) const {
    if (hive != Hive::LocalMachine || !programs_ ||
        !HiveData::sameKey(key, kSystemInformationKey) ||
        name.compare(kSystemInformationValue, Qt::CaseInsensitive) != 0)
        return std::nullopt;
    for (const QString& program : systemInformationPrograms()) {
        const QString path = programs_->locate(program);
        if (!path.isEmpty())
            return path;
    }
    return std::nullopt;
}

bool Registry::answersKey(Hive hive, const QString& key) const {
    return answeredValue(hive, key, kSystemInformationValue).has_value();
}

HiveData::Key* HiveData::findKey(const QString& path) {
    const QString k = normalKey(path);
    for (Key& key : keys_)
        if (key.path.compare(k, Qt::CaseInsensitive) == 0)
            return &key;
    return nullptr;
}

const HiveData::Key* HiveData::findKey(const QString& path) const {
    return const_cast<HiveData*>(this)->findKey(path);
}

HiveData::Key& HiveData::ensureKey(const QString& path) {
    if (Key* k = findKey(path))
        return *k;
    keys_.append(Key{normalKey(path), {}});
    return keys_.last();
}

void HiveData::setValue(const QString& path, const QString& name, const QString& data) {
    Key& key = ensureKey(path);
    for (Value& v : key.values) {
        if (v.name.compare(name, Qt::CaseInsensitive) == 0) {
            v.data = data;
            return;
        }
    }
    key.values.append(Value{name, data});
}

bool HiveData::deleteValue(const QString& path, const QString& name) {
    Key* key = findKey(path);
    if (!key)
        return false;
    for (qsizetype i = 0; i < key->values.size(); ++i) {
        if (key->values[i].name.compare(name, Qt::CaseInsensitive) == 0) {
            key->values.removeAt(i);
            return true;
        }
    }
    return false;
}

std::optional<QString> HiveData::value(const QString& path, const QString& name) const {
    const Key* key = findKey(path);
    if (!key)
        return std::nullopt;
    for (const Value& v : key->values)
        if (v.name.compare(name, Qt::CaseInsensitive) == 0)
            return v.data;
    return std::nullopt;
}

bool HiveData::sameKey(const QString& a, const QString& b) {
    return normalKey(a).compare(normalKey(b), Qt::CaseInsensitive) == 0;
}

QByteArray HiveData::serialize(const QString& rootName) const {
    QString text = QStringLiteral("Windows Registry Editor Version 5.00\n");
    for (const Key& key : keys_) {
        text += QStringLiteral("\n[") + rootName +
                (key.path.isEmpty() ? QString() : QStringLiteral("\\") + key.path) +
                QStringLiteral("]\n");
        for (const Value& v : key.values)
            text += u'"' + escape(v.name) + QStringLiteral("\"=\"") + escape(v.data) +
                    QStringLiteral("\"\n");
    }
    return text.toUtf8();
}

bool HiveData::parse(const QByteArray& bytes, const QString& rootName) {
    QString text;
    {
        // Refuse anything that is not valid UTF-8 rather than guess.
        QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        text = decoder.decode(bytes);
        if (decoder.hasError())
            return false;
    }
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    const QStringList lines = text.split(u'\n');
    if (lines.isEmpty() || lines[0].trimmed() != u"Windows Registry Editor Version 5.00")
        return false;
    QList<Key> parsed;
    Key* current = nullptr;
    for (qsizetype n = 1; n < lines.size(); ++n) {
        QString line = lines[n];
        if (line.endsWith(u'\r'))
            line.chop(1);
        if (line.trimmed().isEmpty())
            continue;
        if (line.startsWith(u'[')) {
            if (!line.endsWith(u']'))
                return false;
            const QString full = line.mid(1, line.size() - 2);
            QString path;
            if (full.compare(rootName, Qt::CaseInsensitive) == 0)
                path.clear();
            else if (full.startsWith(rootName + u'\\', Qt::CaseInsensitive))
                path = full.mid(rootName.size() + 1);
            else
                return false;
            path = normalKey(path);
            current = nullptr;
            for (Key& k : parsed)
                if (k.path.compare(path, Qt::CaseInsensitive) == 0)
                    current = &k;
            if (!current) {
                parsed.append(Key{path, {}});
                current = &parsed.last();
            }
            continue;
        }
        if (!current)
            return false;
        qsizetype pos = 0;
        QString name, data;
        if (!unquote(line, pos, name) || pos >= line.size() || line[pos] != u'=')
            return false;
        ++pos;
        if (!unquote(line, pos, data) || pos != line.size())
            return false;
        bool replaced = false;
        for (Value& v : current->values) {
            if (v.name.compare(name, Qt::CaseInsensitive) == 0) {
                v.data = data;
                replaced = true;
            }
        }
        if (!replaced)
            current->values.append(Value{name, data});
    }
    keys_ = parsed;
    return true;
}

int MemoryRegistry::createKey(Hive hive, const QString& key) {
    const int fail = hive == Hive::CurrentUser ? failCreateCurrentUser : failCreateMachine;
    if (fail)
        return fail;
    data(hive).ensureKey(key);
    return 0;
}

int MemoryRegistry::setValue(Hive hive, const QString& key, const QString& name,
                             const QString& value) {
    const int fail = hive == Hive::CurrentUser ? failWriteCurrentUser : failWriteMachine;
    if (fail)
        return fail;
    data(hive).setValue(key, name, value);
    return 0;
}

bool MemoryRegistry::keyExists(Hive hive, const QString& key) const {
    return data(hive).findKey(key) != nullptr || answersKey(hive, key);
}

std::optional<QString> MemoryRegistry::value(Hive hive, const QString& key,
                                             const QString& name) const {
    if (std::optional<QString> stored = data(hive).value(key, name))
        return stored;
    return answeredValue(hive, key, name);
}

int MemoryRegistry::deleteValue(Hive hive, const QString& key, const QString& name) {
    return data(hive).deleteValue(key, name) ? 0 : winerr::FileNotFound;
}
