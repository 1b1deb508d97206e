#pragma once

#include <QDate>
#include <QStringList>
#include <variant>

#include "estimate/estimatesettings.h"

namespace veskplan {

// `veskplan-cli estimate`: a project priced from a bid history, price files and a cost index,
// written as a workbook, a PDF or CSV.
struct EstimateCommand {
    enum class Output { Xlsx, Pdf, Csv };

    QString project;
    QString history;
    QStringList priceFiles;
    QString index;
    EstimateSettings settings;
    Output output = Output::Csv;
    QString outputPath;

    // The command's arguments (after "estimate"), with `today` the estimate date unless --on
    // gives one; a usage problem as text.
    static std::variant<EstimateCommand, QString> parse(const QStringList& args, QDate today);
    // Writes the estimate. Throws Error naming the file that could not be read or written.
    void run() const;
};

}  // namespace veskplan
