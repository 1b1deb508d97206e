#include "app/formdialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/namedcontrols.h"

namespace veskplan {

using namespace Qt::Literals::StringLiterals;

FormDialog::FormDialog(const FormRequest& request, QWidget* parent) : QDialog(parent) {
    setObjectName(request.name);
    setWindowTitle(request.title);
    setAccessibleName(request.title);
    auto* layout = new QVBoxLayout(this);
    if (!request.text.isEmpty()) {
        auto* intro = new QLabel(request.text, this);
        intro->setWordWrap(true);
        intro->setTextFormat(Qt::PlainText);
        layout->addWidget(intro);
    }
    auto* form = new QFormLayout;
    for (const FormRequest::Field& field : request.fields) {
        const QString plain = QString(field.label).remove(u'&').remove(u':');
        auto* editor = named(new QLineEdit(field.value, this), field.name, plain, field.tooltip);
        if (field.secret) {
            editor->setEchoMode(QLineEdit::Password);
        }
        form->addRow(labelFor(editor, field.label), editor);
        editors_.push_back(editor);
    }
    layout->addLayout(form);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->setObjectName(request.name + u"Buttons"_s);
    buttons->button(QDialogButtonBox::Ok)->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    // The first field still empty takes the focus: the one the user has to fill in.
    for (QLineEdit* editor : editors_) {
        if (editor->text().isEmpty() || editor == editors_.back()) {
            editor->setFocus(Qt::OtherFocusReason);
            break;
        }
    }
}

QStringList FormDialog::values() const {
    QStringList texts;
    for (const QLineEdit* editor : editors_) {
        texts.append(editor->text());
    }
    return texts;
}

}  // namespace veskplan
