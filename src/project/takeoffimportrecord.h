#pragma once

#include <QDate>
#include <QString>
#include <map>
#include <optional>
#include <utility>
#include <vector>

namespace veskplan {

// The last take-off import the project remembers: the files it read (their names, the SHA-256
// of their contents and the day), and the quantity the take-off gave each item in its category
// (in the item's unit, as rounded), so that the next import of newer reports shows what changed
// since and which files are as they were.
class TakeoffImportRecord {
public:
    struct File {
        QString name;
        QString sha256;  // 64 lower-case hexadecimal digits
        QDate date;
        bool operator==(const File&) const = default;
    };

    // Far above what a project is measured by; more is no record of ours.
    static constexpr int kMaxFiles = 1000;
    static constexpr int kMaxItems = 100000;

    const std::vector<File>& files() const { return files_; }
    void addFile(const File& file) { files_.push_back(file); }
    // The file of the record with these contents, if any.
    const File* fileWithHash(const QString& sha256) const;

    // By category and item number (trimmed).
    using ItemKey = std::pair<QString, QString>;
    const std::map<ItemKey, double>& quantities() const { return quantities_; }
    void setQuantity(const QString& category, const QString& itemNumber, double quantity);
    std::optional<double> quantityOf(const QString& category, const QString& itemNumber) const;

    bool isEmpty() const { return files_.empty() && quantities_.empty(); }
    bool operator==(const TakeoffImportRecord&) const = default;

    // Whether a text is a SHA-256 as the record keeps it, and a number a take-off's quantity.
    static bool isHash(const QString& text);
    static constexpr double kMaxQuantity = 1e12;
    static bool isQuantity(double value) { return value >= 0 && value <= kMaxQuantity; }

private:
    std::vector<File> files_;
    std::map<ItemKey, double> quantities_;
};

}  // namespace veskplan
