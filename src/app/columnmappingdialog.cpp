#include "app/columnmappingdialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

namespace veskplan {
namespace {

using namespace Qt::Literals::StringLiterals;

const QString kNone = u"(none)"_s;

}  // namespace

ColumnMappingDialog::ColumnMappingDialog(const ColumnMappingRequest& request, QWidget* parent)
    : QDialog(parent), request_(request) {
    setObjectName(u"frmColumns"_s);
    setWindowTitle(u"Bid Columns"_s);
    auto* layout = new QVBoxLayout(this);
    auto* intro = new QLabel(u"The headings of "_s + request.file +
                                 u" are not known. Choose the column that gives each field; "
                                 u"fields marked * need one. The choice is kept for files "
                                 u"with the same headings."_s,
                             this);
    intro->setWordWrap(true);
    layout->addWidget(intro);
    auto* form = new QFormLayout;
    for (ColumnLayout::Field field : request.fields) {
        const QString plain = ColumnLayout::plainHeading(field);
        auto* box = new QComboBox(this);
        box->setObjectName(u"cboColumn"_s + QString(plain).remove(u' '));
        box->setAccessibleName(plain);
        box->addItem(kNone);
        for (const QString& heading : request.headings) {
            box->addItem(heading.trimmed());
        }
        if (const std::optional<QString> proposed = request.proposed.headingOf(field)) {
            box->setCurrentIndex(std::max(0, box->findText(*proposed)));
        }
        const bool required = std::find(request.required.begin(), request.required.end(), field) !=
                              request.required.end();
        auto* label = new QLabel(plain + (required ? u" *:"_s : u":"_s), this);
        label->setBuddy(box);
        form->addRow(label, box);
        boxes_.push_back(box);
    }
    layout->addLayout(form);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->setObjectName(u"columnButtons"_s);
    buttons->button(QDialogButtonBox::Ok)->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    if (!boxes_.empty()) {
        boxes_.front()->setFocus();
    }
}

ColumnLayout ColumnMappingDialog::layout() const {
    ColumnLayout chosen;
    for (size_t i = 0; i < boxes_.size(); ++i) {
        if (boxes_[i]->currentIndex() > 0) {
            chosen.name(request_.fields[i], boxes_[i]->currentText());
        }
    }
    return chosen;
}

}  // namespace veskplan
