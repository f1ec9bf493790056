#include "dbedit.h"

#include "errorreport.h"
#include "inputmethod.h"
#include "sound.h"

#include <QApplication>
#include <QClipboard>
#include <QDropEvent>
#include <QFocusEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QPointer>
#include <QTimer>

namespace controls {

// ---- Edit ----

Edit::Edit(QWidget* parent) : QLineEdit(parent) {}

bool Edit::offerKey(QKeyEvent* e)
{
    if (!onKeyPress || e->text().isEmpty())
        return true;
    QChar key = e->text().front();
    onKeyPress(key, e->modifiers());
    return !key.isNull();
}

void Edit::keyPressEvent(QKeyEvent* e)
{
    if (offerKey(e))
        QLineEdit::keyPressEvent(e);
}

void Edit::focusInEvent(QFocusEvent* e)
{
    selectInputMethod(inputMethodName(this));
    QLineEdit::focusInEvent(e);
}

void Edit::focusOutEvent(QFocusEvent* e)
{
    restoreDefaultInputMethod();
    QLineEdit::focusOutEvent(e);
}

// ---- DBEdit ----

namespace {

bool changesText(QKeyEvent* e)
{
    if (e->matches(QKeySequence::Paste) || e->matches(QKeySequence::Cut) || e->matches(QKeySequence::Undo)
        || e->matches(QKeySequence::Redo) || e->matches(QKeySequence::DeleteEndOfWord)
        || e->matches(QKeySequence::DeleteStartOfWord))
        return true;
    if (e->key() == Qt::Key_Backspace || e->key() == Qt::Key_Delete)
        return true;
    const QString t = e->text();
    return !t.isEmpty() && t.front().isPrint() && !(e->modifiers() & Qt::ControlModifier);
}

// Swallows the rest of the input that was under way when a box refused to be left, so the
// click that tried to leave it does not also press the button it landed on.
class InputSwallower : public QObject {
public:
    explicit InputSwallower(QWidget* window) : m_window(window)
    {
        qApp->installEventFilter(this);
        QTimer::singleShot(0, this, [this] { deleteLater(); });
    }
    bool eventFilter(QObject* watched, QEvent* e) override
    {
        switch (e->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
            if (auto* w = qobject_cast<QWidget*>(watched); w && m_window && w->window() == m_window)
                return true;
            break;
        default:
            break;
        }
        return false;
    }

private:
    QPointer<QWidget> m_window;
};

} // namespace

DBEdit::DBEdit(QWidget* parent) : Edit(parent)
{
    setReadOnly(true);
    setAcceptDrops(false);
}

void DBEdit::bind(DataSource* source, const QString& fieldName)
{
    m_fieldName = fieldName;
    setDataSource(source);
    refresh();
}

data::Field* DBEdit::field() const
{
    data::DataSet* set = dataSet();
    return set ? set->findField(m_fieldName) : nullptr;
}

bool DBEdit::canChange() const
{
    const data::Field* f = field();
    return f && f->dataSet()->isActive() && !f->isReadOnly();
}

void DBEdit::updateLook()
{
    const data::Field* f = field();
    // The window's focus control, even while a message box has the active window.
    const bool editing = window()->focusWidget() == this;
    const Qt::Alignment horizontal = editing || !f ? Qt::AlignLeft : (f->alignment() & Qt::AlignHorizontal_Mask);
    setAlignment(horizontal | Qt::AlignVCenter);
    setReadOnly(!canChange());
}

void DBEdit::refresh()
{
    const data::Field* f = field();
    const QString shown = f && f->dataSet()->isActive() ? f->asString() : QString();
    m_refreshing = true;
    if (text() != shown) {
        const bool select = hasFocus() && selectedText() == text();
        setText(shown);
        if (select)
            selectAll();
    }
    m_refreshing = false;
    m_modified = false;
    updateLook();
}

void DBEdit::dataEvent(data::DataEvent event, const data::Field* f)
{
    switch (event) {
    case data::DataEvent::UpdateRecord:
        if (m_modified)
            writeText();
        break;
    case data::DataEvent::RecordChanged:
        if (!f || f == field())
            refresh();
        break;
    case data::DataEvent::CenterCurrent:
        break;
    default:
        refresh();
        break;
    }
}

QString DBEdit::admit(const QString& typed, bool filterKeys) const
{
    const data::Field* f = field();
    if (!f)
        return {};
    QString out;
    for (QChar c : typed)
        if (!filterKeys || data::acceptsChar(f->kind(), c))
            out += c;
    if (f->kind() == data::FieldKind::WideText && f->size() > 0) {
        QString rest = text();
        if (hasSelectedText())
            rest.remove(selectionStart(), selectedText().size());
        const int room = f->size() - data::big5Length(rest);
        while (!out.isEmpty() && data::big5Length(out) > room)
            out.chop(1);
    }
    if (out.size() != typed.size())
        beep();
    return out;
}

void DBEdit::beginChange()
{
    if (dataSource())
        dataSource()->edit();
}

void DBEdit::keyPressEvent(QKeyEvent* e)
{
    if (!offerKey(e))
        return;
    if (e->key() == Qt::Key_Escape) {
        refresh();
        selectAll();
        return;
    }
    if (!changesText(e)) {
        QLineEdit::keyPressEvent(e);
        return;
    }
    if (!canChange()) {
        beep();
        return;
    }
    const QString before = text();
    if (e->matches(QKeySequence::Paste)) {
        // The key filter is for keys: pasted text goes in as it is, within the size, and is
        // checked by the field when the box is left.
        const QString pasted = admit(QGuiApplication::clipboard()->text().remove(QLatin1Char('\n')), false);
        if (pasted.isEmpty())
            return;
        beginChange();
        insert(pasted);
    } else if (!e->text().isEmpty() && e->text().front().isPrint() && !(e->modifiers() & Qt::ControlModifier)) {
        const QString typed = admit(e->text(), true);
        if (typed.isEmpty())
            return;
        beginChange();
        insert(typed);
    } else {
        beginChange();
        QLineEdit::keyPressEvent(e);
    }
    if (text() != before)
        m_modified = true;
}

void DBEdit::inputMethodEvent(QInputMethodEvent* e)
{
    if (e->commitString().isEmpty()) {
        if (canChange())
            QLineEdit::inputMethodEvent(e);
        return;
    }
    if (!canChange()) {
        beep();
        return;
    }
    const QString committed = admit(e->commitString(), true);
    if (committed.isEmpty())
        return;
    beginChange();
    QInputMethodEvent filtered(e->preeditString(), e->attributes());
    filtered.setCommitString(committed, e->replacementStart(), e->replacementLength());
    QLineEdit::inputMethodEvent(&filtered);
    m_modified = true;
}

void DBEdit::contextMenuEvent(QContextMenuEvent* e)
{
    // Changes go through the keyboard only, so each one starts editing and is filtered.
    e->accept();
}

void DBEdit::dropEvent(QDropEvent* e)
{
    // A drop would put text in unfiltered and without starting editing, to be lost on the
    // next move; like the context menu, it is not a way in.
    e->ignore();
}

void DBEdit::focusInEvent(QFocusEvent* e)
{
    Edit::focusInEvent(e);
    updateLook();
}

void DBEdit::focusOutEvent(QFocusEvent* e)
{
    Edit::focusOutEvent(e);
    // A box that only lost the focus to another window (a message box, say) is not left.
    const bool left = e->reason() != Qt::ActiveWindowFocusReason && e->reason() != Qt::PopupFocusReason;
    if (left && m_modified) {
        try {
            writeText();
        } catch (...) {
            refuseLeaving();
            return;
        }
    }
    updateLook();
}

void DBEdit::writeText()
{
    data::Field* f = field();
    if (!f)
        return;
    const QString typed = text();
    f->setAsString(typed);
    m_modified = false;
}

void DBEdit::refuseLeaving()
{
    new InputSwallower(window());
    QPointer<DBEdit> self(this);
    handleException();
    if (!self)
        return;
    setFocus(Qt::OtherFocusReason);
    selectAll();
    updateLook();
}

} // namespace controls
