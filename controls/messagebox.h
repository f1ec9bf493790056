#pragma once
// The application's message boxes, and a seam that lets tests record them instead of
// running a modal box.
#include <QString>
#include <QStringList>
#include <deque>
#include <functional>
#include <vector>

namespace controls {

enum class BoxKind { Error, NotFound, AskSaveBeforeExit, ApplicationError, ConfirmDelete };
enum class Answer { Ok, Yes, No, Cancel };

struct BoxRecord {
    BoxKind kind;
    QString caption;
    QString text;
};

// While one exists, every box is recorded instead of shown. Boxes with one button answer
// Ok; the question takes its answer from `answers` (front first), Cancel when none is left.
class BoxRecorder {
public:
    BoxRecorder();
    ~BoxRecorder();
    BoxRecorder(const BoxRecorder&) = delete;
    BoxRecorder& operator=(const BoxRecorder&) = delete;

    std::vector<BoxRecord> boxes;
    std::deque<Answer> answers;
    // Called as each box is recorded, before it is answered.
    std::function<void(const BoxRecord&)> onBox;

    Answer take(const BoxRecord& box);
    // The texts of the boxes of one kind, in order.
    QStringList texts(BoxKind kind) const;
};

// Appends "." when the message's last character sorts above ".", as the error box does.
QString withFullStop(const QString& message);

// The caption of every box the application shows while running.
QString applicationTitle();

// Error box: application title, error icon, OK; the message with the full stop rule.
void showErrorBox(const QString& message);
// The "找不到編號" box of the key searches.
void showNotFound();
// Asked before the application ends with unsaved rows: Yes, No or Cancel.
Answer askSaveBeforeExit();
// The data grid's question before Ctrl+Delete deletes a row: true for OK.
bool confirmDeleteRecord();
// The box for an error that escapes the creation of a screen.
void showApplicationError(const QString& text);

} // namespace controls
