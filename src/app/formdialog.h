#pragma once

#include <QDialog>
#include <QStringList>
#include <vector>

#include "controller/userport.h"

class QLineEdit;

namespace veskplan {

// A few labelled lines the user fills in at once (a server's address, a password): each editor
// named and labelled as the request says, a secret one showing no text. Enter confirms, Esc
// cancels.
class FormDialog : public QDialog {
    Q_OBJECT

public:
    explicit FormDialog(const FormRequest& request, QWidget* parent = nullptr);

    // The fields' texts as they stand, in the request's order.
    QStringList values() const;

private:
    std::vector<QLineEdit*> editors_;
};

}  // namespace veskplan
