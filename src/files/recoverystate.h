#pragma once

#include <QObject>
#include <QString>
#include <map>
#include <utility>
#include <vector>

#include "project/categorylist.h"
#include "project/headerfields.h"
#include "project/projectprices.h"
#include "project/quantityreviews.h"
#include "project/takeoffimportrecord.h"

namespace veskplan {

class ProjectDocument;

// What a working copy holds besides the items, so that a recovery after a crash can put the
// whole project back: where it is saved, its header fields and categories, and whether it had
// unsaved changes.
struct RecoveryState {
    QString fileName;
    bool untitled = true;
    HeaderFields header;
    CategoryList categories;
    QString storedMasterDate;
    int unitIndex = 0;
    QuantityReviews reviews;
    ProjectPrices prices;
    TakeoffImportRecord takeoff;
    bool modified = false;
    bool replacing = false;  // left while another project was being put in place

    // Reads the named values a working copy keeps; anything missing or out of range reads as
    // a new project's value.
    static RecoveryState read(const std::map<QString, QString>& values);
    // The named values of a document as it stands.
    static std::vector<std::pair<QString, QString>> valuesOf(const ProjectDocument& document);
};

// Keeps the working copy's state table in step with the document: every change of its header
// fields, categories, prices, last take-off import, file or modified state is written as it
// happens.
class RecoveryWriter : public QObject {
    Q_OBJECT

public:
    explicit RecoveryWriter(ProjectDocument& document, QObject* parent = nullptr);

    // While alive, the working copy says another project is being put in place of this one (its
    // items first, then what belongs to them), so that a copy a crash leaves meanwhile, holding
    // parts of both, is not offered back. This project's own changes were given up before.
    class Replacing {
    public:
        explicit Replacing(RecoveryWriter& writer);
        ~Replacing();
        Replacing(const Replacing&) = delete;
        Replacing& operator=(const Replacing&) = delete;

    private:
        RecoveryWriter& writer_;
    };

Q_SIGNALS:
    // The working copy could not take a change: the project is as the user sees it, only a
    // recovery would lack it.
    void writeFailed(const QString& message);

private:
    void keep();
    void write(std::vector<std::pair<QString, QString>> values);

    ProjectDocument& document_;
    std::map<QString, QString> written_;  // what the state table holds
};

}  // namespace veskplan
