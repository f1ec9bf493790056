#pragma once
// Edit boxes: the plain one (search keys) and the one bound to a field of a data set.
#include "datasource.h"

#include <QLineEdit>
#include <functional>

namespace controls {

// A single-line edit box that names its input method and offers its typed characters to
// a key handler first (the handler may change or clear the character).
class Edit : public QLineEdit {
    Q_OBJECT
public:
    explicit Edit(QWidget* parent);
    std::function<void(QChar& key, Qt::KeyboardModifiers modifiers)> onKeyPress;

protected:
    void keyPressEvent(QKeyEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    // Returns false when the key handler swallowed the key.
    bool offerKey(QKeyEvent* e);
};

// An edit box bound to one field: shows its display text, starts editing on the first
// change, filters keys by the field's kind and size, and writes its text when left.
class DBEdit : public Edit, private DataLink {
    Q_OBJECT
public:
    explicit DBEdit(QWidget* parent);
    void bind(DataSource* source, const QString& fieldName);
    data::Field* field() const;
    // The text differs from the field's value and is not written yet.
    bool isTextModified() const { return m_modified; }

protected:
    void keyPressEvent(QKeyEvent* e) override;
    void inputMethodEvent(QInputMethodEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    void contextMenuEvent(QContextMenuEvent* e) override;
    void dropEvent(QDropEvent* e) override;

private:
    void dataEvent(data::DataEvent event, const data::Field* field) override;
    void refresh();
    void updateLook();
    bool canChange() const;
    // What of typed (filterKeys) or pasted text may go in: the kind's keys and the field's
    // size in Big5 bytes; beeps when something is dropped.
    QString admit(const QString& text, bool filterKeys) const;
    void beginChange();
    void writeText();
    void refuseLeaving();

    QString m_fieldName;
    bool m_modified = false;
    bool m_refreshing = false;
};

} // namespace controls
