#include "ooxml/ziparchive.h"

#include "ooxml/ziperror.h"

#include <QSet>

#include <zip.h>

#include <memory>

namespace veskplan {
namespace {

using namespace Qt::Literals::StringLiterals;

// The oldest date a zip header can hold. Fixed so that output does not depend on the clock.
constexpr zip_uint16_t kDosDate = (0 << 9) | (1 << 5) | 1;  // 1980-01-01
constexpr zip_uint16_t kDosTime = 0;

struct ArchiveDiscard {
    void operator()(zip_t* archive) const { zip_discard(archive); }
};
struct SourceFree {
    void operator()(zip_source_t* source) const { zip_source_free(source); }
};
struct FileClose {
    void operator()(zip_file_t* file) const { zip_fclose(file); }
};

using ArchivePtr = std::unique_ptr<zip_t, ArchiveDiscard>;
using SourcePtr = std::unique_ptr<zip_source_t, SourceFree>;
using FilePtr = std::unique_ptr<zip_file_t, FileClose>;

// A zip_error_t on the stack that is always finalised.
class ErrorHolder {
public:
    ErrorHolder() { zip_error_init(&error); }
    ~ErrorHolder() { zip_error_fini(&error); }
    ErrorHolder(const ErrorHolder&) = delete;
    ErrorHolder& operator=(const ErrorHolder&) = delete;

    zip_error_t* get() { return &error; }
    QString text() { return QString::fromUtf8(zip_error_strerror(&error)); }

private:
    zip_error_t error;
};

QString errorText(zip_error_t* error) {
    return QString::fromUtf8(zip_error_strerror(error));
}

QString archiveErrorText(zip_t* archive) {
    return errorText(zip_get_error(archive));
}

QString openErrorText(zip_error_t* error) {
    if (zip_error_code_zip(error) == ZIP_ER_NOZIP) {
        return u"not a zip archive"_s;
    }
    if (zip_error_code_zip(error) == ZIP_ER_EXISTS) {
        return u"the archive holds two entries of one name"_s;  // found by the consistency check
    }
    return u"not a readable zip archive (%1)"_s.arg(errorText(error));
}

QByteArray readEntry(zip_t* archive, zip_uint64_t index, const QString& name, qint64 limit) {
    FilePtr file(zip_fopen_index(archive, index, 0));
    if (!file) {
        throw ZipError(u"cannot read entry \"%1\" (%2)"_s.arg(name, archiveErrorText(archive)));
    }
    // The sizes in the headers may lie; read at most one byte past the limit to find out.
    QByteArray data;
    char buffer[65536];
    for (;;) {
        const zip_int64_t got = zip_fread(file.get(), buffer, sizeof buffer);
        if (got < 0) {
            throw ZipError(u"cannot read entry \"%1\" (%2)"_s.arg(
                name, errorText(zip_file_get_error(file.get()))));
        }
        if (got == 0) {
            break;
        }
        if (data.size() + got > limit) {
            throw ZipError(u"entry \"%1\" is larger than the allowed size"_s.arg(name));
        }
        data.append(buffer, got);
    }
    return data;
}

}  // namespace

bool ZipArchive::isSafeEntryName(const QString& name) {
    if (name.isEmpty() || name.startsWith(u'/') || name.contains(u'\\') ||
        name.contains(QChar(0))) {
        return false;
    }
    if (name.size() >= 2 && name[1] == u':' && name[0].isLetter()) {
        return false;
    }
    const QStringList segments = name.split(u'/');
    for (qsizetype i = 0; i < segments.size(); ++i) {
        const QString& segment = segments[i];
        // An empty last segment marks a folder entry; empty inner ones ("a//b") are not names.
        if (segment == u".."_s || segment == u"."_s ||
            (segment.isEmpty() && i + 1 < segments.size())) {
            return false;
        }
    }
    return true;
}

QList<ZipArchive::Entry> ZipArchive::read(QByteArrayView bytes, const Limits& limits) {
    // libzip takes an empty buffer for an empty archive; a file cannot be one.
    if (bytes.isEmpty()) {
        throw ZipError(u"not a zip archive"_s);
    }
    ErrorHolder error;
    SourcePtr source(zip_source_buffer_create(bytes.data(), bytes.size(), 0, error.get()));
    if (!source) {
        throw ZipError(u"cannot read the archive (%1)"_s.arg(error.text()));
    }
    ArchivePtr archive(zip_open_from_source(source.get(), ZIP_RDONLY | ZIP_CHECKCONS, error.get()));
    if (!archive) {
        throw ZipError(openErrorText(error.get()));
    }
    source.release();  // the archive owns it now

    const zip_int64_t count = zip_get_num_entries(archive.get(), 0);
    if (count < 0 || count > limits.maxEntries) {
        throw ZipError(u"the archive holds more than %1 entries"_s.arg(limits.maxEntries));
    }

    QList<Entry> entries;
    QSet<QString> seen;
    qint64 total = 0;
    for (zip_int64_t i = 0; i < count; ++i) {
        zip_stat_t stat;
        zip_stat_init(&stat);
        if (zip_stat_index(archive.get(), i, ZIP_FL_ENC_GUESS, &stat) != 0 ||
            !(stat.valid & ZIP_STAT_NAME)) {
            throw ZipError(
                u"cannot read entry %1 (%2)"_s.arg(i).arg(archiveErrorText(archive.get())));
        }
        const QString name = QString::fromUtf8(stat.name);
        if (!isSafeEntryName(name)) {
            throw ZipError(u"unsafe entry name \"%1\""_s.arg(name));
        }
        // Part names compare without regard to case; two that differ only in case are one
        // part written twice, and which one a reader takes is not defined.
        const QString key = name.toLower();
        if (seen.contains(key)) {
            throw ZipError(u"entry name \"%1\" occurs twice"_s.arg(name));
        }
        seen.insert(key);
        if (name.endsWith(u'/')) {
            continue;
        }
        if ((stat.valid & ZIP_STAT_ENCRYPTION_METHOD) && stat.encryption_method != ZIP_EM_NONE) {
            throw ZipError(u"entry \"%1\" is encrypted"_s.arg(name));
        }
        const qint64 limit = std::min(limits.maxEntrySize, limits.maxTotalSize - total);
        if ((stat.valid & ZIP_STAT_SIZE) && stat.size > zip_uint64_t(limit)) {
            throw ZipError(u"entry \"%1\" is larger than the allowed size"_s.arg(name));
        }
        QByteArray data = readEntry(archive.get(), i, name, limit);
        total += data.size();
        entries.append({name, std::move(data)});
    }
    return entries;
}

QList<ZipArchive::Entry> ZipArchive::read(QByteArrayView bytes) {
    return read(bytes, Limits());
}

QByteArray ZipArchive::write(const QList<Entry>& entries, Compression compression) {
    ErrorHolder error;
    SourcePtr target(zip_source_buffer_create(nullptr, 0, 0, error.get()));
    if (!target) {
        throw ZipError(u"cannot create the archive (%1)"_s.arg(error.text()));
    }
    // The archive takes a reference of its own; ours keeps the written bytes alive after close.
    ArchivePtr archive(zip_open_from_source(target.get(), ZIP_TRUNCATE, error.get()));
    if (!archive) {
        throw ZipError(u"cannot create the archive (%1)"_s.arg(error.text()));
    }
    zip_source_keep(target.get());

    const zip_int32_t method = compression == Compression::Store ? ZIP_CM_STORE : ZIP_CM_DEFLATE;
    // libzip's own default is the slowest level, 9; 6 makes files hardly larger in a third of
    // the time (a filled 2000-row sheet: 106 KB in 25 ms against 105 KB in 105 ms).
    const zip_uint32_t level = compression == Compression::Store ? 0 : 6;
    for (const Entry& entry : entries) {
        const QByteArray name = entry.name.toUtf8();
        SourcePtr data(
            zip_source_buffer(archive.get(), entry.data.constData(), entry.data.size(), 0));
        if (!data) {
            throw ZipError(
                u"cannot add entry \"%1\" (%2)"_s.arg(entry.name, archiveErrorText(archive.get())));
        }
        const zip_int64_t index =
            zip_file_add(archive.get(), name.constData(), data.get(), ZIP_FL_ENC_UTF_8);
        if (index < 0) {
            throw ZipError(
                u"cannot add entry \"%1\" (%2)"_s.arg(entry.name, archiveErrorText(archive.get())));
        }
        data.release();  // owned by the archive once added
        if (zip_set_file_compression(archive.get(), index, method, level) != 0 ||
            zip_file_set_dostime(archive.get(), index, kDosTime, kDosDate, 0) != 0) {
            throw ZipError(
                u"cannot add entry \"%1\" (%2)"_s.arg(entry.name, archiveErrorText(archive.get())));
        }
    }
    if (zip_close(archive.get()) != 0) {
        throw ZipError(u"cannot write the archive (%1)"_s.arg(archiveErrorText(archive.get())));
    }
    archive.release();  // zip_close freed it

    if (zip_source_open(target.get()) != 0) {
        throw ZipError(u"cannot read the written archive (%1)"_s.arg(
            errorText(zip_source_error(target.get()))));
    }
    QByteArray bytes;
    char buffer[65536];
    for (;;) {
        const zip_int64_t got = zip_source_read(target.get(), buffer, sizeof buffer);
        if (got < 0) {
            zip_source_close(target.get());
            throw ZipError(u"cannot read the written archive (%1)"_s.arg(
                errorText(zip_source_error(target.get()))));
        }
        if (got == 0) {
            break;
        }
        bytes.append(buffer, got);
    }
    zip_source_close(target.get());
    return bytes;
}

}  // namespace veskplan
