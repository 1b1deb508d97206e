#pragma once

#include <QDialog>
#include <vector>

#include "controller/userport.h"

class QComboBox;
class QLabel;
class QPushButton;

namespace veskplan {

// Asks which column of a file gives each field: one list per field of the file's headings and
// "(none)", set to the proposal. OK stays disabled while a required field has "(none)", and a
// line under the lists names the fields that still need a column.
class ColumnMappingDialog : public QDialog {
    Q_OBJECT

public:
    explicit ColumnMappingDialog(const ColumnMappingRequest& request, QWidget* parent = nullptr);

    // The columns as the lists stand.
    ColumnLayout layout() const;

    // Closes the dialog as confirmed, unless a required field still has no column.
    void accept() override;

private:
    void showMissing();

    ColumnMappingRequest request_;
    std::vector<QComboBox*> boxes_;  // one per field of the request, in its order
    QLabel* missing_ = nullptr;
    QPushButton* ok_ = nullptr;
};

}  // namespace veskplan
