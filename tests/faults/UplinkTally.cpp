#include "UplinkTally.h"

#include <QHash>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

// Offsets and texts of a file's whole lines.
QHash<qint64, QByteArray> linesByOffset(const QByteArray& file)
{
    QHash<qint64, QByteArray> lines;
    qint64 at = 0;
    for (qsizetype end = file.indexOf('\n'); end >= 0; end = file.indexOf('\n', at)) {
        lines.insert(at, file.mid(at, end - at).chopped(1));
        at = end + 1;
    }
    return lines;
}

} // namespace

Tally tally(const QByteArray& file, const QString& fileName, const std::vector<MqttSubscriber::Received>& messages)
{
    const QHash<qint64, QByteArray> lines = linesByOffset(file);
    Tally t;
    t.logged = lines.size();
    QHash<qint64, bool> seen;
    qint64 lastFirst = -1;
    for (const auto& m : messages) {
        const QJsonObject json = QJsonDocument::fromJson(m.payload).object();
        if (json.value(QStringLiteral("file")).toString() != fileName)
            continue;
        ++t.received;
        const qint64 offset = json.value(QStringLiteral("offset")).toInteger();
        if (seen.contains(offset)) {
            ++t.duplicates;
            continue;
        }
        seen.insert(offset, true);
        t.outOfOrder += offset < lastFirst ? 1 : 0;
        lastFirst = offset;
        t.altered += json.value(QStringLiteral("line")).toString().toUtf8() != lines.value(offset) ? 1 : 0;
    }
    for (auto it = lines.begin(); it != lines.end(); ++it)
        t.lost += seen.contains(it.key()) ? 0 : 1;
    return t;
}

