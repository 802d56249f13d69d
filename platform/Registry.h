#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

class InstalledPrograms;

enum class Hive { CurrentUser, LocalMachine };

// Where the local machine names the system-information tool: a value the
// registry works out from the programs installed each time it is read, and
// never stores.
inline const QString kSystemInformationKey =
    QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO");
inline const QString kSystemInformationValue = QStringLiteral("PATH");
// The desktop's system-information programs that show their window when
// started without arguments, in the order they are looked for.
QStringList systemInformationPrograms();

// String values in keys under two hives. Key and value names compare
// without regard to case. Operations that can fail return 0 or a system
// error code (5 access denied, 2 not found, 112 disk full, ...).
class Registry {
public:
    virtual ~Registry() = default;

    virtual int createKey(Hive hive, const QString& key) = 0;
    virtual int setValue(Hive hive, const QString& key, const QString& name,
                         const QString& value) = 0;
    virtual bool keyExists(Hive hive, const QString& key) const = 0;
    virtual std::optional<QString> value(Hive hive, const QString& key,
                                         const QString& name) const = 0;
    virtual int deleteValue(Hive hive, const QString& key, const QString& name) = 0;

    // Problems found while reading the stored hives (a damaged file set
    // aside), each handed out once for the error window.
    virtual QStringList takeProblems() { return {}; }
    // Why the hive cannot be used, for people: its file and the system's
    // reason. Empty while it works; set when it cannot be read (it is then
    // never written over, so nothing in it is lost) and by a failed write.
    virtual QString hiveFailure(Hive hive) const {
        Q_UNUSED(hive);
        return {};
    }

    // Where the registry looks for the programs it names; null: none is
    // installed.
    void setInstalledPrograms(const InstalledPrograms* programs) { programs_ = programs; }

protected:
    // The value the registry answers without keeping it, for a value the
    // hive does not hold: the system-information tool, the first of
    // systemInformationPrograms() that is installed. Nothing for any other
    // value, or when none of them is installed.
    std::optional<QString> answeredValue(Hive hive, const QString& key, const QString& name) const;
    // Whether the key holds such a value.
    bool answersKey(Hive hive, const QString& key) const;

private:
    const InstalledPrograms* programs_ = nullptr;
};

namespace winerr {
constexpr int Success = 0;
constexpr int FileNotFound = 2;
constexpr int PathNotFound = 3;
constexpr int AccessDenied = 5;
constexpr int DiskFull = 112;
int fromErrno(int err);
} // namespace winerr

// One hive's keys and values in memory, in the order they were made.
class HiveData {
public:
    struct Value {
        QString name;
        QString data;
    };
    struct Key {
        QString path;
        QList<Value> values;
    };

    Key* findKey(const QString& path);
    const Key* findKey(const QString& path) const;
    Key& ensureKey(const QString& path);
    void setValue(const QString& path, const QString& name, const QString& data);
    bool deleteValue(const QString& path, const QString& name);
    std::optional<QString> value(const QString& path, const QString& name) const;
    // Whether two key paths name the same key ("/" or "\\", case and
    // trailing separators aside).
    static bool sameKey(const QString& a, const QString& b);
    void clear() { keys_.clear(); }
    const QList<Key>& keys() const { return keys_; }

    // The registry export format, UTF-8.
    QByteArray serialize(const QString& rootName) const;
    // False when the text is not a hive of that root; the data is then untouched.
    bool parse(const QByteArray& text, const QString& rootName);

private:
    QList<Key> keys_;
};

// Both hives in memory: the test stand-in, with switches to make writes fail.
class MemoryRegistry final : public Registry {
public:
    int createKey(Hive hive, const QString& key) override;
    int setValue(Hive hive, const QString& key, const QString& name, const QString& value) override;
    bool keyExists(Hive hive, const QString& key) const override;
    std::optional<QString> value(Hive hive, const QString& key, const QString& name) const override;
    int deleteValue(Hive hive, const QString& key, const QString& name) override;

    HiveData& data(Hive hive) { return hive == Hive::CurrentUser ? user_ : machine_; }
    // Error codes to return from key creation and from value writes.
    int failCreateCurrentUser = 0, failCreateMachine = 0;
    int failWriteCurrentUser = 0, failWriteMachine = 0;

private:
    const HiveData& data(Hive hive) const { return hive == Hive::CurrentUser ? user_ : machine_; }
    HiveData user_, machine_;
};
