#include "update/UpdateRecord.h"

#include "platform/Http.h"
#include "runtime/Conversions.h"
#include "runtime/RuntimeError.h"

#include <QStringList>
#include <QUrl>
#include <algorithm>
#include <cmath>

UpdateRecord parseUpdateRecord(const QString& text) {
    const QStringList parts = text.split(u'|');
    for (qsizetype n = 7; n < parts.size(); ++n) {
        if (!parts[n].isEmpty())
            raiseError(vberr::SubscriptOutOfRange);
    }
    UpdateRecord record;
    for (qsizetype n = 1; n <= 6 && n <= parts.size(); ++n)
        record.fields[n] = parts[n - 1];
    // A line end or a blank around the version or the address must not
    // change the comparison or the file name.
    record.fields[2] = record.fields[2].trimmed();
    record.fields[6] = record.fields[6].trimmed();
    record.installerSize = cLng(record.fields[5]);
    const QString size = record.fields[5].trimmed();
    record.installerSizeUsable =
        record.installerSize > 0 &&
        std::all_of(size.begin(), size.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
    return record;
}

QString formatVersion(int major, int minor, int revision) {
    const auto two = [](int n) { return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0')); };
    return two(major) + u'.' + two(minor) + u'.' + two(revision);
}

QString currentVersionText() {
    return formatVersion(TAPESTREL_VERSION_MAJOR, TAPESTREL_VERSION_MINOR, TAPESTREL_VERSION_PATCH);
}

bool updateIsNewer(const QString& current, const QString& offered) {
    return QString::compare(current, offered.trimmed(), Qt::CaseSensitive) < 0;
}

QString formatOneDecimal(double value) {
    // Halves round away from zero, as the runtime's formatting does.
    const double tenths = std::round(value * 10.0);
    if (tenths == 0.0)
        return QStringLiteral(".");
    const double magnitude = std::fabs(tenths);
    const double whole = std::floor(magnitude / 10.0);
    const int decimal = static_cast<int>(magnitude - whole * 10.0);
    QString out = tenths < 0 ? QStringLiteral("-") : QString();
    if (whole > 0)
        out += QString::number(whole, 'f', 0);
    out += u'.';
    if (decimal > 0)
        out += QString::number(decimal);
    return out;
}

QString sizeLabel(int32_t bytes) {
    return formatOneDecimal(bytes / 1048576.0) + QStringLiteral(" Megabytes");
}

int64_t expectedDownloadSize(int32_t installerSize) {
    return static_cast<int64_t>(roundHalfEven(installerSize / 2048.0)) * 2048;
}

int progressPercent(int64_t received, int64_t expected) {
    if (expected <= 0)
        return received > 0 ? 100 : 0;
    const double value =
        roundHalfEven(100.0 * static_cast<double>(received) / static_cast<double>(expected));
    return static_cast<int>(std::clamp(value, 0.0, 100.0));
}

bool downloadCounts(int status, int64_t bytes, const UpdateRecord& record) {
    return status >= 200 && status <= 299 && record.installerSizeUsable &&
           bytes == record.installerSize;
}

QString installerTarget(const QString& updatesFolder, const QString& url) {
    const QUrl address(url);
    if (!Http::isAllowed(address))
        return {};
    const QString name = address.fileName().trimmed();
    if (name.isEmpty() || name == QStringLiteral(".") || name == QStringLiteral(".."))
        return {};
    for (const QChar c : name) {
        if (c == u'/' || c == u'\\' || c.category() == QChar::Other_Control)
            return {};
    }
    return updatesFolder + name;
}
