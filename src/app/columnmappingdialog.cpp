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

bool isRequired(const ColumnMappingRequest& request, ColumnLayout::Field field) {
    return std::find(request.required.begin(), request.required.end(), field) !=
           request.required.end();
}

// "Choose the column that gives the contract." or "Choose the columns that give the unit, the
// quantity and the contract."; nothing for no field.
QString missingText(const QStringList& fields) {
    if (fields.isEmpty()) {
        return QString();
    }
    if (fields.size() == 1) {
        return u"Choose the column that gives the "_s + fields.front() + u"."_s;
    }
    return u"Choose the columns that give the "_s +
           fields.mid(0, fields.size() - 1).join(u", the "_s) + u" and the "_s + fields.back() +
           u"."_s;
}

}  // namespace

ColumnMappingDialog::ColumnMappingDialog(const ColumnMappingRequest& request, QWidget* parent)
    : QDialog(parent), request_(request) {
    setObjectName(u"frmColumns"_s);
    setWindowTitle(request.title);
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
        const bool required = isRequired(request, field);
        auto* label = new QLabel(plain + (required ? u" *:"_s : u":"_s), this);
        label->setBuddy(box);
        form->addRow(label, box);
        boxes_.push_back(box);
    }
    layout->addLayout(form);
    missing_ = new QLabel(this);
    missing_->setObjectName(u"lblColumnsMissing"_s);
    missing_->setWordWrap(true);
    layout->addWidget(missing_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->setObjectName(u"columnButtons"_s);
    ok_ = buttons->button(QDialogButtonBox::Ok);
    ok_->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    for (QComboBox* box : boxes_) {
        connect(box, &QComboBox::currentIndexChanged, this, &ColumnMappingDialog::showMissing);
    }
    showMissing();
    if (!boxes_.empty()) {
        boxes_.front()->setFocus();
    }
}

void ColumnMappingDialog::showMissing() {
    QStringList missing;
    for (size_t i = 0; i < boxes_.size(); ++i) {
        if (boxes_[i]->currentIndex() <= 0 && isRequired(request_, request_.fields[i])) {
            missing.append(ColumnLayout::fieldWords(request_.fields[i]));
        }
    }
    missing_->setText(missingText(missing));
    missing_->setVisible(!missing.isEmpty());
    ok_->setEnabled(missing.isEmpty());
}

void ColumnMappingDialog::accept() {
    if (ok_->isEnabled()) {  // a required field without a column is never taken
        QDialog::accept();
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
