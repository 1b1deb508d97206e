#pragma once

#include <QDialog>
#include <vector>

#include "controller/userport.h"

class QComboBox;

namespace veskplan {

// Asks which column of a file gives each field: one list per field of the file's headings and
// "(none)", set to the proposal.
class ColumnMappingDialog : public QDialog {
    Q_OBJECT

public:
    explicit ColumnMappingDialog(const ColumnMappingRequest& request, QWidget* parent = nullptr);

    // The columns as the lists stand.
    ColumnLayout layout() const;

private:
    ColumnMappingRequest request_;
    std::vector<QComboBox*> boxes_;  // one per field of the request, in its order
};

}  // namespace veskplan
