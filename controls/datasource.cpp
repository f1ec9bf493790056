#include "datasource.h"
#include <algorithm>

namespace controls {

DataLink::~DataLink() { setDataSource(nullptr); }

void DataLink::setDataSource(DataSource* source)
{
    if (m_source == source)
        return;
    if (m_source)
        m_source->detach(this);
    m_source = source;
    if (m_source)
        m_source->attach(this);
}

data::DataSet* DataLink::dataSet() const { return m_source ? m_source->dataSet() : nullptr; }

DataSource::DataSource(data::DataSet* dataSet) : m_dataSet(dataSet)
{
    m_observer = m_dataSet->addObserver([this](data::DataEvent event, const data::Field* field) {
        // Over a copy: a link may detach (or another attach) while it handles the event;
        // one that has gone meanwhile is skipped.
        const std::vector<DataLink*> links = m_links;
        for (DataLink* link : links)
            if (std::find(m_links.begin(), m_links.end(), link) != m_links.end())
                link->dataEvent(event, field);
    });
}

DataSource::~DataSource()
{
    m_dataSet->removeObserver(m_observer);
    for (DataLink* link : std::vector<DataLink*>(m_links))
        link->setDataSource(nullptr);
}

void DataSource::edit()
{
    if (m_autoEdit && m_dataSet->state() == data::DataSetState::Browse)
        m_dataSet->edit();
}

void DataSource::attach(DataLink* link) { m_links.push_back(link); }

void DataSource::detach(DataLink* link) { std::erase(m_links, link); }

} // namespace controls
