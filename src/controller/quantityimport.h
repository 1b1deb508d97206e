#pragma once

#include <QDate>
#include <QObject>
#include <QString>
#include <functional>
#include <optional>
#include <vector>

#include "takeoff/takeofffile.h"
#include "takeoff/takeoffreview.h"

namespace veskplan {

class BusyIndicator;
class CategoryBoxes;
class CategoryList;
class LayoutStore;
class MasterSession;
class ProjectDocument;
class UserPort;
class ViewRequests;

// Quantities taken from take-off reports into the project, from the windows: the files asked
// for, read against the loaded master list, and the review shown before anything changes. A
// file whose headings are not recognised asks which column is which, once: the choice is kept
// for its heading row. The designer accepts rows all at once or one by one; what is accepted
// goes in as one undoable step, with the record of the import the project keeps for the next
// one. Rows whose unit does not convert, items the list lacks and new items nothing places are
// never taken.
class QuantityImport : public QObject {
    Q_OBJECT

public:
    using Row = TakeoffReview::Row;

    // `dataDir` keeps the column layouts the designer chose; `today` dates an import.
    QuantityImport(ProjectDocument& document, const MasterSession& master,
                   const CategoryBoxes& boxes, UserPort& port, BusyIndicator& busy,
                   ViewRequests& requests, QString dataDir, std::function<QDate()> today);

    // The column layouts chosen for headings that are not recognised.
    QString layoutFile() const;

    // File > Import Quantities: asks for take-off files and shows their review. A file that
    // cannot be read is told, and the review stays as it was.
    void importFiles();

    const std::vector<Row>& rows() const { return rows_; }
    const QStringList& files() const { return files_; }
    // When the project's last import was and from which files, and which files read now are as
    // they were then; empty when the project remembers none.
    QString lastImportNote() const;
    bool isAccepted(int row) const;
    // Whether the row may be accepted: it needs no decision and changes the project.
    bool canAccept(int row) const;
    // Accepts every row that may be.
    void acceptAll();
    // Accepts (or gives back) these rows; a row that may not be accepted stays as it is.
    void accept(const std::vector<int>& rows, bool accepted = true);

    // Where new items go that nothing else places: the category chosen in the category boxes
    // when the files were read, unless the designer picks another here.
    const std::optional<QString>& defaultCategory() const { return defaultCategory_; }
    // The project's categories a new item may go to.
    const CategoryList& categories() const;
    void chooseDefaultCategory(const QString& category);

    // Asks for a layout file (headings of other reports, category rules) and reads the files
    // again through it; asks for rounding rules and rounds the new quantities by them. A file
    // that cannot be read is told, and the review stays as it was.
    void chooseLayout();
    void chooseRoundingRules();

    // Puts the accepted rows in as one undoable step and tells what changed; the review is
    // worked out again against the project as it now is.
    void apply();

Q_SIGNALS:
    // The rows were worked out anew.
    void reviewChanged();
    // Rows were accepted or given back.
    void acceptanceChanged();

private:
    struct Cancelled {};
    struct Read {
        std::vector<TakeoffFile> files;
        QStringList hashes;
    };
    // Works the review out again from the files read, keeping an item accepted where it was.
    void recompute(bool keepAccepted);
    // The files read through the layout, or the columns the designer chose for their headings;
    // nothing when one cannot be read, which is told, or the designer cancels.
    std::optional<Read> readFiles(const QStringList& files, const TakeoffLayout& layout);
    // The layout a file is read through: `layout` when it recognises the headings, else with the
    // columns kept for them or chosen now (`asked`). Throws Error for a file that cannot be read
    // or a choice that cannot serve, Cancelled when the designer cancels.
    TakeoffLayout layoutFor(const QString& file, const TakeoffLayout& layout, LayoutStore& store,
                            bool& asked);
    std::optional<QString> askForRules(const QString& title);

    ProjectDocument& document_;
    const MasterSession& master_;
    const CategoryBoxes& boxes_;
    UserPort& port_;
    BusyIndicator& busy_;
    ViewRequests& requests_;
    QString dataDir_;
    std::function<QDate()> today_;
    QStringList files_;
    std::vector<TakeoffFile> read_;
    QStringList hashes_;  // of the files read, in their order
    TakeoffLayout layout_;
    RoundingRules rounding_;
    std::optional<QString> defaultCategory_;
    std::vector<Row> rows_;
    std::vector<bool> accepted_;
};

}  // namespace veskplan
