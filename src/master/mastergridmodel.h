#pragma once

#include <QAbstractTableModel>

#include "master/masterlist.h"

namespace veskplan {

// The master item list grid: three columns served straight from the in-memory rows.
class MasterGridModel : public QAbstractTableModel {
    Q_OBJECT

public:
    static constexpr int kColumnWidthsTwips[3] = {1300, 4050, 700};
    static constexpr int kGridWidthTwips = 6370;

    explicit MasterGridModel(QObject* parent = nullptr);

    // Shows another list; `list` must outlive the model or the next call.
    void setList(const MasterList* list);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    const MasterList* list_ = nullptr;
};

}  // namespace veskplan
