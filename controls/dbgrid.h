#pragma once
// The data grid: one column per visible field, an indicator column, editing in place,
// and the current row kept in step with the data set in both directions.
#include "datasource.h"

#include <QAbstractTableModel>
#include <QTableView>

namespace controls {

// The data set seen as a table: the data set stays the one source of truth.
class DataSetModel : public QAbstractTableModel, private DataLink {
    Q_OBJECT
public:
    explicit DataSetModel(QObject* parent);
    void bind(DataSource* source);
    data::DataSet* boundDataSet() const { return dataSet(); }
    data::Field* fieldAt(int column) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

    std::function<void(data::DataEvent)> afterEvent; // for the view

private:
    void dataEvent(data::DataEvent event, const data::Field* field) override;
    void rebuildColumns();

    std::vector<data::Field*> m_columns;
    int m_indicatorRow = -1;
};

class DBGrid : public QTableView {
    Q_OBJECT
public:
    explicit DBGrid(QWidget* parent);
    void setDataSource(DataSource* source);
    DataSetModel* gridModel() const { return m_model; }
    data::DataSet* dataSet() const { return m_model->boundDataSet(); }

protected:
    bool event(QEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    bool edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) override;

private:
    void syncCurrent(bool centre);
    void fitColumns();
    void moveCell(bool forward);

    DataSetModel* m_model;
    DataSource* m_source = nullptr;
    bool m_syncing = false;
};

} // namespace controls
