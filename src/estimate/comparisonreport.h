#pragma once

#include <QByteArray>
#include <QString>
#include <optional>
#include <vector>

#include "estimate/contingencyscale.h"
#include "project/projectcomparison.h"

namespace veskplan {

// The estimate's totals of one project from the prices it keeps: its items, mobilization and
// contingency on them (the contingency of its milestone unless the designer set one).
struct EstimateTotals {
    std::optional<Milestone> milestone;
    qint64 itemsCents = 0;
    std::optional<double> mobilizationPercent;
    qint64 mobilizationCents = 0;
    std::optional<double> contingencyPercent;
    qint64 contingencyCents = 0;
    qint64 totalCents = 0;
};

// What a reviewer of the next milestone reads: the comparison of an earlier project with a later
// one, those items that move the total most first, and the totals of both, as CSV, workbook or
// PDF.
class ComparisonReport {
public:
    struct Project {
        QString name;  // as the report names it: its file's name
        std::vector<ProjectRecord> items;
        ProjectPrices prices;
    };
    enum class Format { Csv, Workbook, Pdf };

    static ComparisonReport compare(const Project& before, const Project& after,
                                    const ContingencyScale& scale);

    const ProjectComparison& comparison() const { return comparison_; }
    const QString& oldName() const { return oldName_; }
    const QString& newName() const { return newName_; }
    const EstimateTotals& oldTotals() const { return oldTotals_; }
    const EstimateTotals& newTotals() const { return newTotals_; }
    // The rows a report shows, in the comparison's order: the changed ones, with `all` also those
    // that stayed the same.
    std::vector<const ProjectComparison::Row*> shownRows(bool all) const;

    // The format a file's name asks for by its suffix (.csv, .xlsx, .pdf, any case); none for
    // another.
    static std::optional<Format> formatOf(const QString& path);
    QByteArray bytes(Format format, bool all) const;
    // Writes it whole or not at all. Throws Error naming the file.
    void write(const QString& path, Format format, bool all) const;

private:
    ProjectComparison comparison_;
    QString oldName_, newName_;
    EstimateTotals oldTotals_, newTotals_;
};

// How a report writes amounts, changes and percentages: "1234.50", "-0.05"; a change of
// quantities in shortest form; "15%".
QString comparisonChangeText(const ProjectComparison& comparison,
                             const ProjectComparison::Row& row);
QString percentText(const std::optional<double>& percent);

// The words every form of the report shows: its title; what it compares; "Old: a.vsk, 60%
// milestone"; a total's name with its percentages, "Contingency (15% → 10%)".
QString comparisonTitle();
QString comparisonBasis(bool amounts);
QString comparedProjectText(const QString& which, const QString& name,
                            const EstimateTotals& totals);
QString totalLabel(const QString& what, const std::optional<double>& before,
                   const std::optional<double>& after);

}  // namespace veskplan
