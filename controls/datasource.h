#pragma once
// A data source binds controls to a data set: it passes the data set's events on to its
// links and lets a bound control start editing (automatic editing).
#include "dataset.h"

#include <vector>

namespace controls {

class DataSource;

// A control's connection to a data source.
class DataLink {
public:
    virtual ~DataLink();
    void setDataSource(DataSource* source);
    DataSource* dataSource() const { return m_source; }
    data::DataSet* dataSet() const;
    // Events of the data set; UpdateRecord asks the control to write its pending text.
    virtual void dataEvent(data::DataEvent event, const data::Field* field) = 0;

private:
    DataSource* m_source = nullptr;
};

class DataSource {
public:
    explicit DataSource(data::DataSet* dataSet);
    ~DataSource();
    DataSource(const DataSource&) = delete;
    DataSource& operator=(const DataSource&) = delete;

    data::DataSet* dataSet() const { return m_dataSet; }
    bool autoEdit() const { return m_autoEdit; }
    void setAutoEdit(bool on) { m_autoEdit = on; }
    // A bound control is about to change its text: start editing when browsing.
    void edit();

private:
    friend class DataLink;
    void attach(DataLink* link);
    void detach(DataLink* link);

    data::DataSet* m_dataSet;
    int m_observer = 0;
    bool m_autoEdit = true;
    std::vector<DataLink*> m_links;
};

} // namespace controls
