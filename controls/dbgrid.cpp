#include "dbgrid.h"

#include "dbedit.h"
#include "errorreport.h"
#include "inputmethod.h"
#include "messagebox.h"
#include "sound.h"

#include <QApplication>
#include <QFocusEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QStyledItemDelegate>

namespace controls {

// ---- model ----

DataSetModel::DataSetModel(QObject* parent) : QAbstractTableModel(parent) {}

void DataSetModel::bind(DataSource* source)
{
    beginResetModel();
    setDataSource(source);
    rebuildColumns();
    endResetModel();
}

void DataSetModel::rebuildColumns()
{
    m_columns.clear();
    if (data::DataSet* set = dataSet())
        for (const auto& f : set->fields())
            if (f->display().visible)
                m_columns.push_back(f.get());
    m_indicatorRow = dataSet() ? dataSet()->currentIndex() : -1;
}

data::Field* DataSetModel::fieldAt(int column) const
{
    return column >= 0 && size_t(column) < m_columns.size() ? m_columns[size_t(column)] : nullptr;
}

int DataSetModel::rowCount(const QModelIndex& parent) const
{
    const data::DataSet* set = dataSet();
    return parent.isValid() || !set || !set->isActive() ? 0 : set->presentedCount();
}

int DataSetModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_columns.size());
}

QVariant DataSetModel::data(const QModelIndex& index, int role) const
{
    const data::Field* f = fieldAt(index.column());
    if (!f || !dataSet()->isActive())
        return {};
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return data::displayText(f->kind(), dataSet()->presentedValue(index.row(), f));
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(Qt::Alignment((f->alignment() & Qt::AlignHorizontal_Mask) | Qt::AlignVCenter));
    default:
        return {};
    }
}

QVariant DataSetModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal) {
        const data::Field* f = fieldAt(section);
        if (role == Qt::DisplayRole && f)
            return f->displayName();
        if (role == Qt::TextAlignmentRole)
            return QVariant::fromValue(Qt::Alignment(Qt::AlignLeft | Qt::AlignVCenter));
        return {};
    }
    if (role != Qt::DisplayRole || !dataSet() || section != dataSet()->currentIndex())
        return role == Qt::DisplayRole ? QVariant(QString()) : QVariant();
    // The indicator: current row, being edited, being inserted.
    switch (dataSet()->state()) {
    case data::DataSetState::Edit: return QStringLiteral("I");
    case data::DataSetState::Insert: return QStringLiteral("*");
    default: return QStringLiteral("\u25B6");
    }
}

Qt::ItemFlags DataSetModel::flags(const QModelIndex& index) const
{
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (const data::Field* f = fieldAt(index.column()); f && !f->isReadOnly())
        flags |= Qt::ItemIsEditable;
    return flags;
}

bool DataSetModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    data::Field* f = fieldAt(index.column());
    if (role != Qt::EditRole || !f)
        return false;
    if (data::displayText(f->kind(), dataSet()->presentedValue(index.row(), f)) == value.toString())
        return true; // unchanged text writes nothing
    dataSet()->moveTo(index.row());
    dataSource()->edit();
    f->setAsString(value.toString());
    return true;
}

void DataSetModel::dataEvent(data::DataEvent event, const data::Field*)
{
    switch (event) {
    case data::DataEvent::ActiveChanged:
    case data::DataEvent::LayoutChanged:
        beginResetModel();
        rebuildColumns();
        endResetModel();
        break;
    case data::DataEvent::RecordMoved:
    case data::DataEvent::StateChanged: {
        const int old = m_indicatorRow;
        m_indicatorRow = dataSet()->currentIndex();
        if (old >= 0 && old < rowCount())
            emit headerDataChanged(Qt::Vertical, old, old);
        if (m_indicatorRow >= 0)
            emit headerDataChanged(Qt::Vertical, m_indicatorRow, m_indicatorRow);
        break;
    }
    case data::DataEvent::RecordChanged:
        if (const int row = dataSet()->currentIndex(); row >= 0 && !m_columns.empty())
            emit dataChanged(index(row, 0), index(row, int(m_columns.size()) - 1));
        break;
    default:
        break;
    }
    if (afterEvent)
        afterEvent(event);
}

// ---- cell editor ----

namespace {

// Cell editor: the field's key filter and size, and typing starts editing the row.
class CellDelegate : public QStyledItemDelegate {
public:
    explicit CellDelegate(DBGrid* grid) : QStyledItemDelegate(grid), m_grid(grid) {}

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&, const QModelIndex& index) const override
    {
        auto* editor = new Edit(parent);
        setInputMethodName(editor, kCangjie);
        const data::Field* f = m_grid->gridModel()->fieldAt(index.column());
        editor->onKeyPress = [editor, f](QChar& key, Qt::KeyboardModifiers) {
            if (!f || !key.isPrint())
                return;
            bool fits = data::acceptsChar(f->kind(), key);
            if (fits && f->kind() == data::FieldKind::WideText && f->size() > 0) {
                QString rest = editor->text();
                if (editor->hasSelectedText())
                    rest.remove(editor->selectionStart(), editor->selectedText().size());
                fits = data::big5Length(rest + key) <= f->size();
            }
            if (!fits) {
                beep();
                key = QChar();
            }
        };
        return editor;
    }

    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override
    {
        auto* edit = static_cast<Edit*>(editor);
        const data::Field* f = m_grid->gridModel()->fieldAt(index.column());
        QString text = edit->text();
        // Pasted text is held to the field's size in Big5 bytes, as typed text is.
        if (f && f->kind() == data::FieldKind::WideText && f->size() > 0 && data::big5Length(text) > f->size()) {
            while (data::big5Length(text) > f->size())
                text.chop(1);
            beep();
        }
        // The error is shown here, not thrown on: Qt's commit must finish to keep the editor usable.
        try {
            model->setData(index, text, Qt::EditRole);
        } catch (...) {
            handleException();
        }
    }

private:
    DBGrid* m_grid;
};

} // namespace

// ---- view ----

DBGrid::DBGrid(QWidget* parent) : QTableView(parent), m_model(new DataSetModel(this))
{
    setModel(m_model);
    setItemDelegate(new CellDelegate(this));
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::EditKeyPressed
                    | QAbstractItemView::DoubleClicked);
    setTabKeyNavigation(false); // Tab is handled below, wrapping rows and appending
    setWordWrap(false);
    setInputMethodName(this, kCangjie);
    horizontalHeader()->setSectionsMovable(false);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    horizontalHeader()->setHighlightSections(false);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    verticalHeader()->setFixedWidth(fontMetrics().horizontalAdvance(QStringLiteral("\u25B6")) + 8);
    verticalHeader()->setHighlightSections(false);
    m_model->afterEvent = [this](data::DataEvent event) {
        switch (event) {
        case data::DataEvent::ActiveChanged:
            fitColumns();
            syncCurrent(false);
            break;
        case data::DataEvent::LayoutChanged:
        case data::DataEvent::RecordMoved:
            syncCurrent(false);
            break;
        case data::DataEvent::CenterCurrent:
            syncCurrent(true);
            break;
        case data::DataEvent::UpdateRecord:
            // A cell being edited is written before the row is saved.
            if (QWidget* editor = indexWidget(currentIndex()); editor && state() == EditingState)
                commitData(editor);
            break;
        default:
            break;
        }
    };
}

void DBGrid::setDataSource(DataSource* source)
{
    m_source = source;
    m_model->bind(source);
    fitColumns();
    syncCurrent(false);
}

void DBGrid::fitColumns()
{
    // Display width in digits of the grid's font, plus 4, and never narrower than the title.
    const QFontMetrics digits(font());
    const QFontMetrics titles(horizontalHeader()->font());
    for (int c = 0; c < m_model->columnCount(); ++c) {
        const data::Field* f = m_model->fieldAt(c);
        const int width = std::max(f->displayWidth() * digits.horizontalAdvance(QLatin1Char('0')) + 4,
                                   titles.horizontalAdvance(f->displayName()) + 4);
        setColumnWidth(c, width);
    }
}

void DBGrid::syncCurrent(bool centre)
{
    const data::DataSet* set = dataSet();
    if (!set)
        return;
    const int row = set->isActive() ? set->currentIndex() : -1;
    if (row < 0 || m_model->columnCount() == 0)
        return;
    const int column = std::max(currentIndex().column(), 0);
    m_syncing = true;
    setCurrentIndex(m_model->index(row, column));
    m_syncing = false;
    scrollTo(m_model->index(row, column), centre ? PositionAtCenter : EnsureVisible);
}

void DBGrid::currentChanged(const QModelIndex& current, const QModelIndex& previous)
{
    QTableView::currentChanged(current, previous);
    data::DataSet* set = dataSet();
    if (m_syncing || !set || !current.isValid() || current.row() == set->currentIndex())
        return;
    try {
        set->moveTo(current.row());
    } catch (...) {
        syncCurrent(false); // the row could not be left: stay on it
        throw;
    }
    syncCurrent(false);
}

bool DBGrid::edit(const QModelIndex& index, EditTrigger trigger, QEvent* event)
{
    const bool opening = state() != EditingState && index.isValid() && (m_model->flags(index) & Qt::ItemIsEditable)
        && (editTriggers() & trigger);
    if (opening && m_source && trigger != SelectedClicked && trigger != CurrentChanged)
        m_source->edit();
    return QTableView::edit(index, trigger, event);
}

bool DBGrid::event(QEvent* e)
{
    // The grid keeps Tab for itself.
    if (e->type() == QEvent::KeyPress) {
        auto* k = static_cast<QKeyEvent*>(e);
        if ((k->key() == Qt::Key_Tab || k->key() == Qt::Key_Backtab) && !(k->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
            keyPressEvent(k);
            return true;
        }
    }
    return QTableView::event(e);
}

void DBGrid::moveCell(bool forward)
{
    data::DataSet* set = dataSet();
    const int columns = m_model->columnCount();
    if (!set || columns == 0)
        return;
    QModelIndex cur = currentIndex();
    int row = std::max(cur.row(), 0);
    int column = cur.isValid() ? cur.column() : 0;
    if (forward) {
        if (++column >= columns) {
            column = 0;
            if (row + 1 >= m_model->rowCount()) {
                if (set->state() == data::DataSetState::Insert && !set->isModified())
                    return;
                set->append();
                row = set->currentIndex();
            } else {
                ++row;
            }
        }
    } else if (--column < 0) {
        if (row == 0)
            return;
        column = columns - 1;
        --row;
    }
    setCurrentIndex(m_model->index(row, column));
}

void DBGrid::keyPressEvent(QKeyEvent* e)
{
    data::DataSet* set = dataSet();
    if (!set || !set->isActive()) {
        QTableView::keyPressEvent(e);
        return;
    }
    const bool plain = !(e->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
    if (e->key() == Qt::Key_Tab && plain) {
        moveCell(!(e->modifiers() & Qt::ShiftModifier));
    } else if (e->key() == Qt::Key_Backtab && plain) {
        moveCell(false);
    } else if (e->key() == Qt::Key_Insert && e->modifiers() == Qt::NoModifier) {
        set->insert();
    } else if (e->key() == Qt::Key_Delete && (e->modifiers() & Qt::ControlModifier)) {
        if (!set->isEmpty() && confirmDeleteRecord())
            set->remove();
    } else if (e->key() == Qt::Key_Escape) {
        set->cancel();
    } else if (e->key() == Qt::Key_Down && e->modifiers() == Qt::NoModifier
               && currentIndex().row() + 1 >= m_model->rowCount()) {
        // Moving down past the last row appends, unless that row is a blank new one.
        if (!(set->state() == data::DataSetState::Insert && !set->isModified()) && set->canModify())
            set->append();
    } else {
        QTableView::keyPressEvent(e);
    }
}

void DBGrid::focusOutEvent(QFocusEvent* e)
{
    QTableView::focusOutEvent(e);
    data::DataSet* set = dataSet();
    const bool left = e->reason() != Qt::ActiveWindowFocusReason && e->reason() != Qt::PopupFocusReason;
    QWidget* now = QApplication::focusWidget();
    const bool intoOwnEditor = now && isAncestorOf(now);
    if (left && !intoOwnEditor && set && set->state() == data::DataSetState::Insert && !set->isModified())
        set->cancel();
}

} // namespace controls
