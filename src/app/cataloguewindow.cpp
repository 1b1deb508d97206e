#include "app/cataloguewindow.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

#include "controller/cataloguecommands.h"
#include "controller/controllertexts.h"
#include "project/cataloguetexts.h"

namespace veskplan {
namespace {

using namespace Qt::Literals::StringLiterals;
using Kind = CatalogueReport::Kind;

QPushButton* button(QWidget* parent, const QString& name, const QString& caption,
                    const QString& tooltip) {
    auto* created = new QPushButton(caption, parent);
    created->setObjectName(name);
    created->setToolTip(tooltip);
    created->setAccessibleDescription(tooltip);
    created->setAutoDefault(false);
    return created;
}

}  // namespace

CatalogueWindow::CatalogueWindow(CatalogueCommands& catalogue, QWidget* parent)
    : QDialog(parent), catalogue_(catalogue) {
    setObjectName(u"catalogueReport"_s);
    setWindowTitle(texts::catalogueTitle());
    CatalogueReport& report = catalogue_.report();

    kinds_ = new QComboBox(this);
    kinds_->setObjectName(u"catalogueKinds"_s);
    kinds_->setAccessibleName(u"Show"_s);
    auto* show = new QLabel(u"&Show:"_s, this);
    show->setBuddy(kinds_);
    mapping_ = new QLabel(this);
    mapping_->setObjectName(u"catalogueMapping"_s);
    mapping_->setWordWrap(true);

    table_ = new QTableView(this);
    table_->setObjectName(u"catalogueTable"_s);
    table_->setAccessibleName(texts::catalogueTitle());
    table_->setModel(&report);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setWordWrap(false);
    table_->verticalHeader()->hide();
    table_->horizontalHeader()->setStretchLastSection(true);

    auto* replace = button(this, u"catalogueReplace"_s, u"&Replace"_s,
                           u"Take over the replacement, unit or description of the chosen row"_s);
    auto* replaceAll =
        button(this, u"catalogueReplaceAll"_s, u"Replace &All"_s,
               u"Take over every successor the mapping file names and every unit and description "
               u"the list gives; guesses are left to Replace, one by one"_s);
    auto* chooseMapping = button(this, u"catalogueMappingFile"_s, u"&Mapping File..."_s,
                                 u"Choose the agency's item-mapping file (CSV)"_s);
    auto* save =
        button(this, u"catalogueSave"_s, u"Save &CSV..."_s, u"Save the report as a CSV file"_s);
    auto* print = button(this, u"cataloguePrint"_s, u"&Print..."_s, u"Print the report"_s);
    auto* close = new QDialogButtonBox(QDialogButtonBox::Close, this);

    auto* top = new QHBoxLayout;
    top->addWidget(show);
    top->addWidget(kinds_, 1);
    auto* buttons = new QHBoxLayout;
    for (QWidget* widget : {static_cast<QWidget*>(replace), static_cast<QWidget*>(replaceAll),
                            static_cast<QWidget*>(chooseMapping), static_cast<QWidget*>(save),
                            static_cast<QWidget*>(print)}) {
        buttons->addWidget(widget);
    }
    buttons->addStretch();
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(table_, 1);
    layout->addWidget(mapping_);
    layout->addLayout(buttons);
    resize(1000, 480);

    connect(&report, &QAbstractItemModel::modelReset, table_, &QTableView::resizeColumnsToContents);
    connect(&catalogue_, &CatalogueCommands::reportChanged, this, &CatalogueWindow::showCounts);
    connect(&catalogue_, &CatalogueCommands::mappingChanged, this, &CatalogueWindow::showMapping);
    connect(kinds_, &QComboBox::activated, this, [&report](int index) {
        report.setFilter(index <= 0 ? std::nullopt : std::optional(static_cast<Kind>(index - 1)));
    });
    connect(replace, &QPushButton::clicked, this, [this] { catalogue_.replace(currentRow()); });
    connect(replaceAll, &QPushButton::clicked, &catalogue_, &CatalogueCommands::replaceAll);
    connect(chooseMapping, &QPushButton::clicked, &catalogue_,
            &CatalogueCommands::chooseMappingFile);
    connect(save, &QPushButton::clicked, &catalogue_, &CatalogueCommands::saveCsv);
    connect(print, &QPushButton::clicked, &catalogue_, &CatalogueCommands::print);
    connect(close, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(table_, &QTableView::doubleClicked, this,
            [this](const QModelIndex& index) { catalogue_.goToItem(index.row()); });
    showCounts();
    showMapping();
    table_->resizeColumnsToContents();
}

int CatalogueWindow::currentRow() const {
    return table_->currentIndex().isValid() ? table_->currentIndex().row() : -1;
}

void CatalogueWindow::showCounts() {
    const CatalogueReport& report = catalogue_.report();
    const auto counts = report.counts();
    int total = 0;
    QStringList entries;
    for (int kind = 0; kind < cataloguecheck::kKindCount; ++kind) {
        entries.append(texts::catalogueKindName(kind) + u" ("_s + QString::number(counts[kind]) +
                       u')');
        total += counts[kind];
    }
    entries.prepend(u"All ("_s + QString::number(total) + u')');
    kinds_->clear();
    kinds_->addItems(entries);
    kinds_->setCurrentIndex(report.filter() ? static_cast<int>(*report.filter()) + 1 : 0);
}

void CatalogueWindow::showMapping() {
    const QString file = catalogue_.mappingFile();
    QStringList lines{file.isEmpty() ? u"No item-mapping file is chosen."_s
                                     : u"Item-mapping file: "_s + QDir::toNativeSeparators(file)};
    const QStringList problems = catalogue_.mappingProblems();
    lines += problems.mid(0, 5);
    mapping_->setText(lines.join(u'\n'));
    // Only the first problems fit under the table; the tooltip holds them all.
    mapping_->setToolTip(problems.join(u'\n'));
}

}  // namespace veskplan
