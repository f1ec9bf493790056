#include "messagebox.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>

namespace controls {

namespace {
BoxRecorder* g_recorder = nullptr;

// Centres the box on the screen, as the system's own message boxes appear.
void centreOnScreen(QMessageBox& box)
{
    box.adjustSize();
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame = box.frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        box.move(frame.topLeft());
    }
}

Answer record(BoxKind kind, const QString& caption, const QString& text)
{
    return g_recorder->take(BoxRecord{kind, caption, text});
}
} // namespace

BoxRecorder::BoxRecorder() { g_recorder = this; }
BoxRecorder::~BoxRecorder()
{
    if (g_recorder == this)
        g_recorder = nullptr;
}

Answer BoxRecorder::take(const BoxRecord& box)
{
    boxes.push_back(box);
    if (onBox)
        onBox(box);
    // Only the question has a choice; the other boxes have their one button.
    if (box.kind != BoxKind::AskSaveBeforeExit && box.kind != BoxKind::ConfirmDelete)
        return Answer::Ok;
    if (!answers.empty()) {
        Answer a = answers.front();
        answers.pop_front();
        return a;
    }
    return Answer::Cancel;
}

QStringList BoxRecorder::texts(BoxKind kind) const
{
    QStringList out;
    for (const BoxRecord& box : boxes)
        if (box.kind == kind)
            out << box.text;
    return out;
}

QString withFullStop(const QString& message)
{
    if (!message.isEmpty() && message.back() > QLatin1Char('.'))
        return message + QLatin1Char('.');
    return message;
}

QString applicationTitle()
{
    const QString title = QGuiApplication::applicationDisplayName();
    return title.isEmpty() ? QStringLiteral("Quorvel") : title;
}

void showErrorBox(const QString& message)
{
    const QString text = withFullStop(message);
    if (g_recorder) {
        record(BoxKind::Error, applicationTitle(), text);
        return;
    }
    QMessageBox box(QMessageBox::Critical, applicationTitle(), text, QMessageBox::Ok);
    centreOnScreen(box);
    box.exec();
}

void showNotFound()
{
    const QString text = QStringLiteral("找不到編號");
    if (g_recorder) {
        record(BoxKind::NotFound, applicationTitle(), text);
        return;
    }
    QMessageBox box(QMessageBox::NoIcon, applicationTitle(), text);
    QPushButton* ok = box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
    box.setDefaultButton(ok);
    box.setEscapeButton(ok);
    centreOnScreen(box);
    box.exec();
}

Answer askSaveBeforeExit()
{
    const QString text = QStringLiteral("資料尚未存檔，是否存檔後離開？");
    if (g_recorder)
        return record(BoxKind::AskSaveBeforeExit, applicationTitle(), text);
    QMessageBox box(QMessageBox::Question, applicationTitle(), text);
    QPushButton* yes = box.addButton(QStringLiteral("是"), QMessageBox::YesRole);
    QPushButton* no = box.addButton(QStringLiteral("否"), QMessageBox::NoRole);
    QPushButton* cancel = box.addButton(QStringLiteral("取消"), QMessageBox::RejectRole);
    box.setDefaultButton(yes);
    box.setEscapeButton(cancel);
    centreOnScreen(box);
    box.exec();
    if (box.clickedButton() == yes)
        return Answer::Yes;
    if (box.clickedButton() == no)
        return Answer::No;
    return Answer::Cancel;
}

bool confirmDeleteRecord()
{
    const QString text = QStringLiteral("Delete record?");
    if (g_recorder)
        return record(BoxKind::ConfirmDelete, applicationTitle(), text) == Answer::Ok;
    QMessageBox box(QMessageBox::Question, applicationTitle(), text, QMessageBox::Ok | QMessageBox::Cancel);
    box.setDefaultButton(QMessageBox::Cancel);
    centreOnScreen(box);
    return box.exec() == QMessageBox::Ok;
}

void showApplicationError(const QString& text)
{
    const QString caption = QStringLiteral("Application Error");
    if (g_recorder) {
        record(BoxKind::ApplicationError, caption, text);
        return;
    }
    QMessageBox box(QMessageBox::Critical, caption, text, QMessageBox::Ok);
    centreOnScreen(box);
    box.exec();
}

} // namespace controls
