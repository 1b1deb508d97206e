#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>

namespace veskplan {

// Reads and writes zip archives in memory through libzip. Nothing is ever extracted to disk:
// an archive comes in as bytes and goes out as bytes, so a caller can write it atomically.
class ZipArchive {
public:
    struct Entry {
        QString name;
        QByteArray data;

        bool operator==(const Entry&) const = default;
    };

    // Bounds on what reading accepts, so that a small hostile archive cannot make us allocate
    // gigabytes (a "zip bomb") or walk millions of entries.
    struct Limits {
        qint64 maxEntrySize = qint64(32) << 20;
        qint64 maxTotalSize = qint64(64) << 20;
        qsizetype maxEntries = 10000;
    };

    enum class Compression { Store, Deflate };

    // Every file entry in archive order (folder entries are skipped). Throws ZipError when the
    // bytes are not a zip archive, an entry is damaged or encrypted, a limit is exceeded, or an
    // entry name is unsafe: absolute, with a drive letter, a backslash or a ".." segment, or
    // equal to another one ignoring case.
    static QList<Entry> read(QByteArrayView archive, const Limits& limits);
    static QList<Entry> read(QByteArrayView archive);

    // Packs the entries in the given order. Every entry gets the same fixed timestamp
    // (1980-01-01 00:00), so equal input always gives equal bytes. Throws ZipError.
    static QByteArray write(const QList<Entry>& entries, Compression compression);

    // The check read() applies to each entry name; true when the name is acceptable.
    static bool isSafeEntryName(const QString& name);
};

}  // namespace veskplan
