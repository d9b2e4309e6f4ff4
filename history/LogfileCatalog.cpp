#include "history/LogfileCatalog.h"

#include "core/LogLine.h"

#include <QDir>
#include <QFile>
#include <QSet>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <sys/stat.h>

namespace {

// "yyyymmddVL_" + installation + ".vlg" or ".log".
bool parseName(const QString& name, QDate& day, QString& installation)
{
    constexpr int Prefix = 11;
    if (name.size() < Prefix + 4 || name.mid(8, 3) != QLatin1String("VL_"))
        return false;
    const QString suffix = name.right(4);
    if (suffix != QLatin1String(".vlg") && suffix != QLatin1String(".log"))
        return false;
    for (int i = 0; i < 8; ++i)
        if (!name[i].isDigit() || name[i].unicode() > '9')
            return false;
    day = QDate(name.left(4).toInt(), name.mid(4, 2).toInt(), name.mid(6, 2).toInt());
    installation = name.mid(Prefix, name.size() - Prefix - 4);
    return day.isValid();
}

} // namespace

bool LogfileInfo::refresh()
{
    struct stat info {};
    if (::stat(QFile::encodeName(path).constData(), &info) != 0 || !S_ISREG(info.st_mode))
        return false;
    size = int64_t(info.st_size);
    mtimeNs = int64_t(info.st_mtim.tv_sec) * 1000000000 + int64_t(info.st_mtim.tv_nsec);
    return true;
}

LogfileCatalog::LogfileCatalog(const QString& logDir) : logDir_(QDir(logDir).absolutePath())
{
    DIR* dir = ::opendir(QFile::encodeName(logDir_).constData());
    if (!dir) {
        error_ = QString::fromLocal8Bit(std::strerror(errno));
        return;
    }
    while (const dirent* e = ::readdir(dir)) {
        Entry entry;
        entry.name = QFile::decodeName(e->d_name);
        if (parseName(entry.name, entry.day, entry.installation))
            entries_.append(entry);
    }
    ::closedir(dir);
    std::sort(entries_.begin(), entries_.end(), [](const Entry& a, const Entry& b) {
        return a.day != b.day ? a.day < b.day : a.name < b.name;
    });
}

QString LogfileCatalog::installationKey(const QString& installation)
{
    return LogLine::fileNamePart(installation);
}

QStringList LogfileCatalog::installations() const
{
    QSet<QString> names;
    for (const Entry& e : entries_)
        names.insert(e.installation);
    QStringList sorted(names.begin(), names.end());
    sorted.sort();
    return sorted;
}

QList<LogfileInfo> LogfileCatalog::files(const QString& installation, const QDate& from, const QDate& to) const
{
    const QString key = installationKey(installation);
    QList<LogfileInfo> out;
    for (const Entry& e : entries_) {
        if (e.installation != key || (from.isValid() && e.day < from) || (to.isValid() && e.day > to))
            continue;
        LogfileInfo info;
        info.path = logDir_ + QLatin1Char('/') + e.name;
        info.name = e.name;
        info.day = e.day;
        if (info.refresh())
            out.append(info);
    }
    return out;
}
